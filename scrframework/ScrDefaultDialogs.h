#pragma once

#include <windows.h>
#include "ScrExport.h"

// The dialogs the controller falls back to when a saver supplies no form of its own.  The
// password dialogs belong to the system's password provider, loaded by name for each call;
// on a system without it they do nothing (change) or let the saver close (verify).

// Calls "MPR.DLL" PwdChangePasswordA("SCRSAVE", parent, 0, 0) when the library and entry
// exist; its result is ignored.
SCRKIT_API void DefaultChangePasswordDialog(HWND parent);

// Calls "PASSWORD.CPL" VerifyScreenSavePwd(parent) and returns whether it answered non-zero;
// true when the library or the entry is missing.  Traces each step at tlMsg.
SCRKIT_API bool DefaultVerifyPasswordDialog(HWND parent);

// Runs the module's "SCRABOUT" dialog template modally over parent; OK or Cancel end it.
SCRKIT_API void DefaultAboutDialog(HWND parent);
