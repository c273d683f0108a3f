// The module entry of the slideshow screen saver ("resource.sk", renamed by the editor's
// build to the project's name + ".scr").
#include <windows.h>

#include "Application.h"
#include "ScrControl.h"
#include "SlideshowForms.h"

namespace {

void RunSaver() {
  Application().Initialize();
  Application().SetTitle("Presentazione screen saver");
  auto* control = new TScrControl(&Application());  // owned by the application
  control->SetName("ScrControl");
  control->AutoExecute = false;
  control->AllowActiveConfig = false;
  control->AllowMute = false;
  control->SetModeClass(smSPreview, ComponentClass<TSPreviewForm>);
  control->ExecuteCN(ComponentClass<TSaverForm>, ComponentClass<TConfigForm>, nullptr);
  Application().Run();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    RunSaver();
  } catch (...) {
    Application().HandleException();
  }
  Application().DestroyComponents();
  return 0;
}
