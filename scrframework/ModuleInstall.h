#pragma once

// The install registration of a saver module: the entry in the system's list of
// uninstallable programs, and the uninstall that the entry's command ("<module> -u") runs.

struct TScrInstallInfo {
  // Key under HKEY_LOCAL_MACHINE "Software\Microsoft\Windows\CurrentVersion\Uninstall\".
  const char* uninstallName;
  // "DisplayName" of the entry, also named in the uninstall question.
  const char* displayName;
  // Caption of the uninstall question.
  const char* questionCaption;
  // The saver's own settings key, removed under HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
  const char* settingsKey;
};

// Writes "DisplayName" and "UninstallString" (the module's full path + " -u") under the
// uninstall key, creating it.  Failures are ignored: the saver runs without the entry.
void ScrRegisterUninstall(const TScrInstallInfo& info);

// Asks "Are You sure you wish to Uninstall the " + displayName (Yes/No, No the default).
// On Yes removes the uninstall key and both settings keys and starts the self-deleting batch
// "\DelUS.bat" in the root of the current drive, which deletes the module once it has ended,
// then its folder, then itself.  On No changes nothing.
void ScrUninstall(const TScrInstallInfo& info);
