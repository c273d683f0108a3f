// The graph saver's settings dialog, the framework's general panel (in a dialog of its own,
// as a saver that shows it hosts it) and the framework's about box, held against their
// layout tables and dialog template (LayoutWalk.h).
#include <windows.h>

#include "Application.h"
#include "Button.h"
#include "ConfigForm.h"
#include "Extras.h"
#include "LayoutWalk.h"
#include "ScrControl.h"
#include "ScrDialog.h"
#include "ScrGeneral.h"
#include "ScrSettings.h"

namespace {

class TGeneralHost : public TScrDialog {
public:
  explicit TGeneralHost(TComponent* owner) : TScrDialog(owner) {
    SetName("GeneralHost");
    SetCaption("Screen saver");
    SetClientWidth(373);
    SetClientHeight(406);
    ToolkitBuildLayout(*this, {
        {"Settings", ComponentClass<TScrSettings>, "", 0, 0, 0, 0, nullptr},
        {"General", ComponentClass<TScrGeneral>, "", 8, 8, 357, 357, nullptr},
        {"BtnOk", ComponentClass<TButton>, "", 208, 373, 75, 25, "OK"},
        {"BtnCancel", ComponentClass<TButton>, "", 290, 373, 75, 25, "Cancel"},
    });
  }
};

INT_PTR CALLBACK AboutProcedure(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

int main(int argc, char** argv) {
  Application().Initialize();
  TScrControl control(nullptr);
  control.SetModeClass(smSettings, ComponentClass<TExtras>);
  return LayoutWalkMain(
      argc, argv, "plotvane",
      {
          {"ConfigForm", [] { return new TConfigForm(&Application()); }, {}},
          {"GeneralPanel", [] { return new TGeneralHost(&Application()); }, {}},
          {"SCRABOUT", nullptr,
           [] {
             return CreateDialogParamA(GetModuleHandleA(nullptr), "SCRABOUT", nullptr,
                                       &AboutProcedure, 0);
           }},
      });
}
