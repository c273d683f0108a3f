#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "Form.h"
#include "GdiObject.h"
#include "GradientTable.h"

// When the title bar shows the gradient: always, only while the form is active, or never
// (then it is filled with the system's caption colour for the state).
enum TGFPaintWhen { gfpAlways, gfpActive, gfpNever };

// A form that paints its own title bar: a horizontal gradient (by default from black to the
// system's caption colour) with its icon, caption buttons and caption text on top, composed
// off screen and copied in one step.  The system paints the rest of the frame.
//
// With UseWin98Gradient on, on a system that draws gradient captions itself, the form
// leaves its title bar to the system.  A borderless form has no title bar to paint.
class TGradientForm : public TForm {
public:
  explicit TGradientForm(TComponent* owner);

  // Colour steps, 8 to 512 (default 64); other values are refused and the old value stays.
  int GradientColors() const { return gradientColors_; }
  void SetGradientColors(int value);

  // Colours are 0x00BBGGRR.  Title text: white in both states by default.
  COLORREF CaptionTextColor() const { return captionText_; }
  void SetCaptionTextColor(COLORREF value);
  COLORREF InactiveCaptionTextColor() const { return inactiveCaptionText_; }
  void SetInactiveCaptionTextColor(COLORREF value);
  // The ends of the gradient while active and inactive.  The stop colours start as the
  // system's active- and inactive-caption colours and follow them when the system colours
  // change, until they are set.
  COLORREF GradientStartColor() const { return start_; }
  void SetGradientStartColor(COLORREF value);
  COLORREF GradientStopColor() const { return stop_; }
  void SetGradientStopColor(COLORREF value);
  COLORREF GradientInactiveStartColor() const { return inactiveStart_; }
  void SetGradientInactiveStartColor(COLORREF value);
  COLORREF GradientInactiveStopColor() const { return inactiveStop_; }
  void SetGradientInactiveStopColor(COLORREF value);

  TGFPaintWhen PaintGradient() const { return paintGradient_; }
  void SetPaintGradient(TGFPaintWhen value);
  bool UseWin98Gradient() const { return useWin98Gradient_; }
  void SetUseWin98Gradient(bool value);

  // Lets the owner draw on the title bar before the text: `canvas` is the off-screen bitmap
  // with the caption font selected, `r` the room left between icon and buttons (the text
  // goes where it leaves it).
  std::function<void(TComponent* sender, HDC canvas, RECT& r)> OnCaptionPaint;

  // The title bar in window coordinates; empty for a borderless form.
  RECT CaptionRect();

  // Whether the desktop compositor was asked, when the window was made, to leave the frame to
  // the form's own painting (DWMWA_NCRENDERING_POLICY = DWMNCRP_DISABLED): false where there
  // is no dwmapi.dll (before Windows Vista) and in native mode.  A composited frame would
  // otherwise cover the painted title bar.
  bool CompositorFrameDisabled() const { return compositorFrameDisabled_; }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  // The caption font follows the form's scale.
  void ChangeScale(int fromDpi, int toDpi) override;

private:
  // A system metric at the DPI the window's frame is drawn at.
  int Metric(int index);
  bool NativeMode() const { return useWin98Gradient_ && systemDrawsGradients_; }
  bool OwnCaption() const { return !NativeMode() && BorderStyle() != bsNone; }
  void UpdateTables();
  void UpdateFont();
  void RedrawFrame();
  void RedrawCaption();
  void DisableCompositorFrame();
  void PaintCaption(HDC windowDC);
  void FillGradient(HDC dc, int width, int height, const std::vector<TGFColor>& table) const;
  int DrawButtons(HDC dc, const RECT& area);

  int gradientColors_ = 64;
  COLORREF captionText_ = RGB(255, 255, 255);
  COLORREF inactiveCaptionText_ = RGB(255, 255, 255);
  COLORREF start_ = RGB(0, 0, 0);
  COLORREF stop_ = GetSysColor(COLOR_ACTIVECAPTION);
  COLORREF inactiveStart_ = RGB(0, 0, 0);
  COLORREF inactiveStop_ = GetSysColor(COLOR_INACTIVECAPTION);
  bool stopFollowsSystem_ = true;
  bool inactiveStopFollowsSystem_ = true;
  TGFPaintWhen paintGradient_ = gfpAlways;
  bool useWin98Gradient_ = false;
  bool systemDrawsGradients_;
  std::vector<TGFColor> activeTable_, inactiveTable_;
  TGdiObject<HFONT> font_;
  bool active_ = false;
  bool settingText_ = false;
  bool compositorFrameDisabled_ = false;
};
