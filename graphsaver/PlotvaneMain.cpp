// The module entry of Plotvane.scr: every start of the saver begins here.
#include <windows.h>

#include "Application.h"
#include "ConfigForm.h"
#include "Extras.h"
#include "ModuleInstall.h"
#include "ProductVersion.h"
#include "SPreviewForm.h"
#include "SaverForm.h"
#include "ScrControl.h"
#include "UninstallScript.h"

namespace {

constexpr TScrInstallInfo PlotvaneInstall = {
    "Plotvane",
    "Quorvel Graph Screen Saver " PRODUCT_VERSION,
    "Quorvel Graph Screen Saver",
    "Software\\Quorvel\\Plotvane",
};

void RunSaver() {
  ScrRegisterUninstall(PlotvaneInstall);
  Application().Initialize();
  // The title is set before the controller starts (not after, as the mode may run a modal
  // dialog inside ExecuteCN) so that an error box shown meanwhile carries it.
  Application().SetTitle(PlotvaneInstall.displayName);
  auto* control = new TScrControl(&Application());  // owned by the application
  control->SetName("ScrControl");
  control->AutoExecute = false;
  control->AllowActiveConfig = false;
  control->AllowMute = false;
#ifdef PLOTVANE_TRACE_LOG
  // The traced build of the tests: progress lines into a log file.
  control->TraceLevel = tlMsg;
  control->LogFile = PLOTVANE_TRACE_LOG;
#endif
  control->SetModeClass(smSPreview, ComponentClass<TSPreviewForm>);
  control->ExecuteCN(ComponentClass<TSaverForm>, ComponentClass<TConfigForm>,
                     ComponentClass<TExtras>);
  Application().Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandTail, int) {
  try {
    if (ScrIsUninstallSwitch(commandTail ? commandTail : "")) {
      ScrUninstall(PlotvaneInstall);
    } else {
      RunSaver();
    }
  } catch (...) {
    Application().HandleException();
  }
  Application().DestroyComponents();
  return 0;
}
