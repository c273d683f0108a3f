#pragma once

#include <windows.h>

#include "ScrBase.h"
#include "ScrExport.h"

class TScrGeneral;
class TScrMonitor;
class TScrSettings;

// The system menu item of every configuration dialog, and the separator before it.
inline constexpr UINT ScrAboutMenuId = 3500;
inline constexpr UINT ScrAboutSeparatorId = 3501;

// The base of configuration dialogs (Purpose smConfig).  A framed window of the style
// WS_OVERLAPPEDWINDOW, less the sizing border and the maximise box while its BorderStyle is
// bsDialog (the default the constructor sets), placed where the system chooses, with the application's icon and an
// "&About..." item in its system menu that opens the controller's about dialog (unless the
// controller's DisableAboutMenuItem is set).
//
// When its window is first created, after the derived dialog's constructor has made its
// components, the dialog looks at them (AfterConstruction): the last TScrSettings it owns, the
// first TScrGeneral and the first TScrMonitor with Use smuPreview among all its components,
// owned by it or by its components.  It gives the panel the controller's policy and binds it
// to the settings, so that the panel's changes go into the settings (OnGeneralChangeSet) and
// the settings' values show in the panel; the preview monitor gets a live preview of the
// saver from the controller.
//
// Without a controller the dialog traces the programming error at tlErr and terminates the
// application.
class SCRKIT_API TScrDialog : public TScrBase {
public:
  explicit TScrDialog(TComponent* owner);
  // Gives the panel back its own OnChange handler.
  ~TScrDialog() override;

  // Whether Purpose is a configuration role: smConfig, smCRegular or smCActive.
  virtual bool HandlesConfig();
  // The panel's OnChange while the dialog binds it: copies the panel into the settings
  // (TScrSettings::CopyFromGeneral), then calls the panel's own earlier handler.
  virtual void OnGeneralChangeSet(TComponent* sender);
  // Finds and binds the components (see above) and posts the framework's delayed-start
  // message (0x8000, wParam 3) to the window.  Runs once: from the first window creation, or
  // earlier when a derived constructor calls it at its end.
  virtual void AfterConstruction();

  // What AfterConstruction found (null for none).
  TScrSettings* Settings() const { return settings_; }
  TScrGeneral* General() const { return general_; }
  TScrMonitor* PreviewMonitor() const { return previewMonitor_; }

protected:
  void CreateParams(TCreateParams& params) override;
  // After the window exists: AfterConstruction if it has not run, then the live preview.
  void CreateWnd() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  // Asks the controller for a preview inside the preview monitor, unless one is there.
  void AskForMonitorPreview();
  // Puts "&About..." after a separator at the end of the system menu (once), or takes both
  // away when the controller disables the item.
  void FixSystemMenu();

  bool constructed_ = false;
  TScrSettings* settings_ = nullptr;
  TScrGeneral* general_ = nullptr;
  TScrMonitor* previewMonitor_ = nullptr;
  TNotifyEvent generalOnChange_;  // the panel's handler before the dialog hooked it
  HICON savedBigIcon_ = nullptr;
  HICON savedSmallIcon_ = nullptr;
};
