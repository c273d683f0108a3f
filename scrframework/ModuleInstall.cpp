#include "ModuleInstall.h"

#include <windows.h>

#include <string>

#include "KernelHandle.h"
#include "RegistryKey.h"
#include "UninstallScript.h"

namespace {

constexpr char UninstallRoot[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char BatchPath[] = "\\DelUS.bat";

// The module's full path, or empty when it does not fit MAX_PATH: a cut path would make the
// batch delete some other file.
std::string ModulePath() {
  char path[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return {};
  return std::string(path, length);
}

void WriteString(HKEY key, const char* name, const std::string& value) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>(value.size() + 1));
}

void DeleteSelf() {
  std::string module = ModulePath();
  if (module.empty()) return;
  std::string text = ScrUninstallBatch(module, BatchPath);
  {
    TKernelHandle batch(CreateFileA(BatchPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_FLAG_SEQUENTIAL_SCAN | FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!batch) return;
    DWORD written = 0;
    if (!WriteFile(batch.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) ||
        written != text.size()) {
      return;
    }
  }

  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION process = {};
  char commandLine[] = "\\DelUS.bat";  // CreateProcessA may write into its command line
  if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                      CREATE_SUSPENDED | IDLE_PRIORITY_CLASS, nullptr, "\\", &startup,
                      &process)) {
    return;
  }
  TKernelHandle processHandle(process.hProcess);
  TKernelHandle threadHandle(process.hThread);
  // The saver must be gone before the batch's delete can succeed: it runs first.
  SetThreadPriority(process.hThread, THREAD_PRIORITY_IDLE);
  SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
  ResumeThread(process.hThread);
}

}  // namespace

void ScrRegisterUninstall(const TScrInstallInfo& info) {
  std::string module = ModulePath();
  if (module.empty()) return;
  TRegistryKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, (UninstallRoot + std::string(info.uninstallName)).c_str(),
                  KEY_SET_VALUE)) {
    return;
  }
  WriteString(key.Get(), "DisplayName", info.displayName);
  WriteString(key.Get(), "UninstallString", module + " -u");
}

void ScrUninstall(const TScrInstallInfo& info) {
  std::string question = std::string("Are You sure you wish to Uninstall the ") + info.displayName;
  if (MessageBoxA(nullptr, question.c_str(), info.questionCaption,
                  MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) {
    return;
  }
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (UninstallRoot + std::string(info.uninstallName)).c_str());
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, info.settingsKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, info.settingsKey);
  DeleteSelf();
}
