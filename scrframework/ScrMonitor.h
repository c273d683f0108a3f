#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <type_traits>

#include "CustomControl.h"
#include "GdiObject.h"
#include "ScrExport.h"
#include "ScrMonitorGeometry.h"
#include "ScrSharedSettings.h"

class TScrForm;
class TScrMonitor;
class TScrSettings;

// What the monitor picture is for: clicking the four hot corners, hosting a live preview of
// the saver on its screen, or neither.
enum TScrMonitorUse { smuCorners = 0, smuPreview = 1, smuNothing = 2 };

using TScrClickCornerEvent =
    std::function<void(TScrMonitor* Sender, TScrCorner corner, TScrCornerMode mode)>;

// The picture of a monitor in a configuration dialog, drawn from the module's bitmaps
// "SCRMONITOR" (picture and mask side by side) and, in the four corner boxes of its screen,
// "SCRCORNERDEFAULT", "SCRCORNERNOW" or "SCRCORNERNEVER" for each corner's mode.  Its size
// is the picture's (ScrMeasureMonitor); a larger control shows it centred.  At 150 % the
// same names with "150" appended are drawn instead, when the module has them and the monitor
// is 1.5 times the size of the 100 % one; at 200 % and more the 100 % bitmaps are enlarged.
//
// With Use smuCorners a left click in a corner box opens a menu "Default", "Now", "Never"
// with the corner's mode checked; the choice becomes the corner's mode (ClickCorner).  With
// Use smuPreview the screen holds a child window of class "MonitorWindow" (the desktop
// colour) for a live preview; the configuration dialog asks the controller to put one there.
class SCRKIT_API TScrMonitor : public TCustomControl {
public:
  // Loads the bitmaps (missing ones are drawn as plain shapes), sets every corner to
  // scmNormal and reads "Mouse Corners" when it is stored.
  explicit TScrMonitor(TComponent* owner);
  ~TScrMonitor() override;

  TScrMonitorUse Use() const { return use_; }
  // Replaces the preview window: destroys the old one, makes a new one for smuPreview (when
  // the control has a window), and repaints.
  virtual void SetUse(TScrMonitorUse use);

  // Raised after a corner's mode was chosen from the menu.
  TScrClickCornerEvent OnClickCorner;

  // "Mouse Corners" into the corners, when the key and the value exist.
  virtual void ReadRegistry();
  // With Use smuCorners only: writes "Mouse Corners" and tells the System Agent.
  virtual void WriteRegistry();
  // The user chose `mode` for `corner`.  Without the System Agent the hot corners do
  // nothing: the first time in the process this is said in a message box (caption "Screen
  // saver"), and the mode is taken all the same.  Then OnClickCorner.
  virtual void ClickCorner(TScrCorner corner, TScrCornerMode mode);
  // A corner by index (TScrCorner); an index outside 0 to 3 is ignored (reads scmNormal).
  void SetCornerState(int index, TScrCornerMode mode);
  TScrCornerMode GetCornerState(int index) const;

  // The preview form shown on the screen, or null.
  TScrForm* GetPreview() const;
  // The "MonitorWindow" child that hosts the preview, or null.
  HWND PreviewWindow() const { return previewWindow_; }
  // Passes a settings change on to the preview form (TScrForm::NotifyChange).
  virtual void NotifyChange(TScrSettings* sender, DWORD changeCode, void* data);

  const TScrMonitorGeometry& Geometry() const { return geometry_; }
  // The corner box on the control, in client coordinates.
  RECT CornerBox(int corner) const;

protected:
  void CreateWnd() override;
  void DestroyWnd() override;
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint(HDC dc) override;
  // The picture at the new scale (ScrMonitorScale).
  void ChangeScale(int fromDpi, int toDpi) override;

private:
  struct TMenuDestroyer {
    void operator()(HMENU menu) const { DestroyMenu(menu); }
  };
  using TMenuPtr = std::unique_ptr<std::remove_pointer_t<HMENU>, TMenuDestroyer>;

  // One drawing of the picture and the corner marks, and its geometry.
  struct TPictures {
    explicit TPictures(const char* suffix);
    TGdiObject<HBITMAP> monitor, cornerDefault, cornerNow, cornerNever;
    TScrMonitorGeometry measured;
    HBITMAP Corner(TScrCornerMode mode) const;
  };

  TScrSize Origin() const;
  void CreatePreviewWindow();
  void DestroyPreviewWindow();
  // Opens the corner menu for a click at (x, y), client coordinates.
  bool OpenCornerMenu(int x, int y);

  TPictures normal_{""}, oneAndHalf_{"150"};
  const TPictures* pictures_ = &normal_;  // the drawing in use
  int factor_ = 1;                        // the whole factor it is enlarged by
  TScrMonitorGeometry geometry_;          // as drawn: pictures_->measured times factor_
  std::array<TScrCornerMode, 4> corners_{scmNormal, scmNormal, scmNormal, scmNormal};
  TScrMonitorUse use_ = smuCorners;
  TMenuPtr menu_;
  int pendingCorner_ = ScrNoCorner;  // the corner of the menu last opened
  HWND previewWindow_ = nullptr;     // a child of this control's window
};
