#include "ScrCommandLine.h"

#include "Application.h"
#include "KernelHandle.h"
#include "ScrCommandLineText.h"

namespace {

HWND AsHandle(TScrWindowId window) { return reinterpret_cast<HWND>(window); }
TScrWindowId AsId(HWND window) { return reinterpret_cast<TScrWindowId>(window); }

void ShowScrprevError(const char* text) {
  Application().MessageBox(text, "Error", MB_OK);
}

class TSystemWindows : public TScrWindowQueries {
public:
  bool IsWindow(TScrWindowId window) override { return ::IsWindow(AsHandle(window)); }
  TScrWindowId ForegroundWindow() override { return AsId(GetForegroundWindow()); }
  TScrWindowId CheckForScrprev() override { return AsId(::CheckForScrprev()); }
  void ShowError(const char* text) override { ShowScrprevError(text); }
};

}  // namespace

bool ParseCommandLine(TScrMode& mode, HWND& parent) {
  TSystemWindows windows;
  TScrWindowId window = 0;
  if (!ScrParseCommandLineText(GetCommandLineA(), windows, mode, window)) return false;
  parent = AsHandle(window);
  return true;
}

HWND CheckForScrprev() {
  HWND previewer = FindWindowA("Scrprev", nullptr);
  if (!previewer) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    char commandLine[] = "Scrprev";  // CreateProcessA may write into its command line
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE,
                        CREATE_DEFAULT_ERROR_MODE | CREATE_NEW_PROCESS_GROUP, nullptr, nullptr,
                        &startup, &process)) {
      ShowScrprevError("Error creating Scrprev process");
      return nullptr;
    }
    const TKernelHandle processHandle(process.hProcess);
    const TKernelHandle threadHandle(process.hThread);
    switch (WaitForInputIdle(processHandle.Get(), 2000)) {
      case 0:
        break;
      case WAIT_TIMEOUT:
        ShowScrprevError("Scrprev never becomes idle");
        return nullptr;
      default:
        ShowScrprevError("Miscellaneous error after Scrprev execution");
        return nullptr;
    }
    previewer = FindWindowA("Scrprev", nullptr);
  }
  if (!previewer) {
    ShowScrprevError("Unable to find Scrprev window");
    return nullptr;
  }
  SetForegroundWindow(previewer);
  HWND child = GetWindow(previewer, GW_CHILD);
  if (!child) ShowScrprevError("Could not find Scrprev child");
  return child;
}

void StopAppWindowFromAppearingOnTaskbar() {
  SetWindowLongPtrA(Application().Handle(), GWL_EXSTYLE, WS_EX_TOOLWINDOW);
}
