#include "ScrMonitor.h"

#include <windowsx.h>

#include <string>

#include "DeviceContext.h"
#include "ScrForm.h"
#include "ScrGeneralValues.h"
#include "ScrProcess.h"
#include "ScrSystemAgent.h"

namespace {

constexpr char MonitorWindowClass[] = "MonitorWindow";

// The menu's command ids are the corner modes.
constexpr UINT MenuDefault = scmNormal, MenuNow = scmNow, MenuNever = scmNever;

// Not through the toolkit's bridge: the preview's stand-in screen has no object behind it and
// only paints the desktop colour; the saver's preview window draws inside it.
LRESULT CALLBACK MonitorWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT client;
    GetClientRect(window, &client);
    FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BACKGROUND));
    return 1;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterMonitorWindowClass() {
  WNDCLASSA existing;
  if (GetClassInfoA(GetModuleHandleA(nullptr), MonitorWindowClass, &existing)) return;
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = &MonitorWindowProcedure;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hbrBackground = nullptr;  // WM_ERASEBKGND paints the desktop colour
  windowClass.lpszClassName = MonitorWindowClass;
  RegisterClassA(&windowClass);  // without it the preview window is simply not made
}

std::optional<TScrSize> BitmapSize(HBITMAP bitmap) {
  BITMAP info;
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return std::nullopt;
  return TScrSize{info.bmWidth, info.bmHeight};
}

HBITMAP LoadModuleBitmap(const char* name, const char* suffix) {
  return LoadBitmapA(GetModuleHandleA(nullptr), (std::string(name) + suffix).c_str());
}

void FillBox(HDC dc, const RECT& box, COLORREF inside, COLORREF border) {
  TGdiObject<HBRUSH> fill(CreateSolidBrush(inside));
  TGdiObject<HBRUSH> frame(CreateSolidBrush(border));
  FillRect(dc, &box, fill.Get());
  FrameRect(dc, &box, frame.Get());
}

}  // namespace

TScrMonitor::TPictures::TPictures(const char* suffix)
    : monitor(LoadModuleBitmap("SCRMONITOR", suffix)),
      cornerDefault(LoadModuleBitmap("SCRCORNERDEFAULT", suffix)),
      cornerNow(LoadModuleBitmap("SCRCORNERNOW", suffix)),
      cornerNever(LoadModuleBitmap("SCRCORNERNEVER", suffix)) {}

HBITMAP TScrMonitor::TPictures::Corner(TScrCornerMode mode) const {
  switch (mode) {
    case scmNow: return cornerNow.Get();
    case scmNever: return cornerNever.Get();
    default: return cornerDefault.Get();
  }
}

TScrMonitor::TScrMonitor(TComponent* owner) : TCustomControl(owner), menu_(CreatePopupMenu()) {
  normal_.measured =
      ScrMeasureMonitor(BitmapSize(normal_.monitor.Get()), BitmapSize(normal_.cornerNow.Get()));
  // The 150 % geometry is the 100 % one scaled, as the bitmaps are drawn; a module whose own
  // 100 % picture has another size gets no 150 % drawing that belongs to a different one.
  oneAndHalf_.measured = ScrScaleMonitor(normal_.measured, 150);
  const std::optional<TScrSize> larger = BitmapSize(oneAndHalf_.monitor.Get());
  if (!larger || TScrSize{larger->width / 2, larger->height} != oneAndHalf_.measured.size)
    oneAndHalf_.monitor.Reset();
  geometry_ = normal_.measured;
  RegisterMonitorWindowClass();
  StoreBounds(0, 0, geometry_.size.width, geometry_.size.height);
  AppendMenuA(menu_.get(), MF_STRING, MenuDefault, "Default");
  AppendMenuA(menu_.get(), MF_STRING, MenuNow, "Now");
  AppendMenuA(menu_.get(), MF_STRING, MenuNever, "Never");
  ReadRegistry();
}

TScrMonitor::~TScrMonitor() { DestroyHandle(); }

void TScrMonitor::SetUse(TScrMonitorUse use) {
  use_ = use;
  DestroyPreviewWindow();
  if (use_ == smuPreview && HandleAllocated()) CreatePreviewWindow();
  Repaint();
}

void TScrMonitor::CreateWnd() {
  TCustomControl::CreateWnd();
  if (use_ == smuPreview) CreatePreviewWindow();
}

void TScrMonitor::DestroyWnd() {
  previewWindow_ = nullptr;  // goes with this window
  TCustomControl::DestroyWnd();
}

TScrSize TScrMonitor::Origin() const {
  return ScrMonitorOrigin(geometry_, {Width(), Height()});
}

void TScrMonitor::ChangeScale(int fromDpi, int toDpi) {
  TCustomControl::ChangeScale(fromDpi, toDpi);
  const int percent = ScrMonitorScale(toDpi);
  const bool ownDrawing = percent == 150 && oneAndHalf_.monitor;
  pictures_ = ownDrawing ? &oneAndHalf_ : &normal_;
  factor_ = ownDrawing ? 1 : percent / 100;
  geometry_ = ScrScaleMonitor(pictures_->measured, factor_ * 100);
  if (previewWindow_) {
    const TScrSize origin = Origin();
    const TScrRect& screen = geometry_.screen;
    MoveWindow(previewWindow_, origin.width + screen.left, origin.height + screen.top,
               screen.right - screen.left, screen.bottom - screen.top, TRUE);
  }
  Repaint();
}

void TScrMonitor::CreatePreviewWindow() {
  if (previewWindow_ || !HandleAllocated()) return;
  const TScrSize origin = Origin();
  const TScrRect& screen = geometry_.screen;
  HWND self = WindowHandle();
  previewWindow_ = CreateWindowExA(
      0, MonitorWindowClass, MonitorWindowClass, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
      origin.width + screen.left, origin.height + screen.top, screen.right - screen.left,
      screen.bottom - screen.top, self,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(GetDlgCtrlID(self))),
      GetModuleHandleA(nullptr), nullptr);
}

void TScrMonitor::DestroyPreviewWindow() {
  if (previewWindow_) DestroyWindow(previewWindow_);
  previewWindow_ = nullptr;
}

TScrForm* TScrMonitor::GetPreview() const {
  // The controller hosts the preview form in a proxy child of the preview window.
  HWND proxy = previewWindow_ ? GetWindow(previewWindow_, GW_CHILD) : nullptr;
  HWND form = proxy ? GetWindow(proxy, GW_CHILD) : nullptr;
  return dynamic_cast<TScrForm*>(TWinControl::FromHandle(form));
}

void TScrMonitor::NotifyChange(TScrSettings* sender, DWORD changeCode, void* data) {
  if (TScrForm* preview = GetPreview()) preview->NotifyChange(sender, changeCode, data);
}

void TScrMonitor::ReadRegistry() {
  if (ScrReadCorners(ScrSettingsHive(), corners_)) Repaint();
}

void TScrMonitor::WriteRegistry() {
  if (use_ != smuCorners) return;
  if (ScrWriteCorners(ScrSettingsHive(), corners_)) ScrNotifyScreenSaverChanged();
}

void TScrMonitor::SetCornerState(int index, TScrCornerMode mode) {
  if (index < 0 || index > 3) return;
  corners_[static_cast<size_t>(index)] = mode;
  if (HandleAllocated()) {
    const RECT box = CornerBox(index);
    InvalidateRect(WindowHandle(), &box, FALSE);
  }
}

TScrCornerMode TScrMonitor::GetCornerState(int index) const {
  return index >= 0 && index <= 3 ? corners_[static_cast<size_t>(index)] : scmNormal;
}

RECT TScrMonitor::CornerBox(int corner) const {
  const TScrSize origin = Origin();
  const TScrRect& box = geometry_.corners[static_cast<size_t>(corner)];
  return {origin.width + box.left, origin.height + box.top, origin.width + box.right,
          origin.height + box.bottom};
}

void TScrMonitor::ClickCorner(TScrCorner corner, TScrCornerMode mode) {
  // Process-wide: the warning is for the user, once per run of the program.
  static bool warned = false;
  if (!SageOk() && !ScrDetectSystemAgent() && !warned) {
    warned = true;
    MessageBoxA(Handle(),
                "You must have the System Agent loaded in order for the mouse hot corners to be "
                "active.",
                "Screen saver", MB_OK);
    ScrDetectSystemAgent();
  }
  SetCornerState(corner, mode);
  if (HandleAllocated()) UpdateWindow(WindowHandle());
  if (OnClickCorner) OnClickCorner(this, corner, mode);
}

bool TScrMonitor::OpenCornerMenu(int x, int y) {
  const TScrSize origin = Origin();
  const int corner = ScrCornerAt(geometry_, x - origin.width, y - origin.height);
  if (corner == ScrNoCorner) return false;
  pendingCorner_ = corner;
  const UINT checked = corners_[static_cast<size_t>(corner)];
  CheckMenuItem(menu_.get(), checked, MF_BYPOSITION | MF_CHECKED);
  POINT screen = {x, y};
  ClientToScreen(Handle(), &screen);
  // The choice arrives afterwards as WM_COMMAND.
  TrackPopupMenu(menu_.get(), TPM_LEFTBUTTON, screen.x, screen.y, 0, Handle(), nullptr);
  CheckMenuItem(menu_.get(), checked, MF_BYPOSITION | MF_UNCHECKED);
  return true;
}

LRESULT TScrMonitor::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_LBUTTONDOWN && use_ == smuCorners) {
    const LRESULT result = TCustomControl::WndProc(message, wParam, lParam);
    OpenCornerMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    return result;
  }
  // A menu choice: wParam is the command id with a zero high word.
  if (message == WM_COMMAND && wParam <= MenuNever && lParam == 0) {
    const int corner = pendingCorner_;
    pendingCorner_ = ScrNoCorner;
    if (corner != ScrNoCorner) {
      ClickCorner(static_cast<TScrCorner>(corner), static_cast<TScrCornerMode>(wParam));
    }
    return 0;
  }
  return TCustomControl::WndProc(message, wParam, lParam);
}

void TScrMonitor::Paint(HDC dc) {
  const int width = geometry_.size.width, height = geometry_.size.height;
  const TScrSize origin = Origin();
  // The picture is composed on a copy of the background under it, then copied back.
  TMemoryDC picture(dc);
  TGdiObject<HBITMAP> pictureBitmap(CreateCompatibleBitmap(dc, width, height));
  TSelection pictureSelected(picture.Get(), pictureBitmap.Get());
  BitBlt(picture.Get(), 0, 0, width, height, dc, origin.width, origin.height, SRCCOPY);

  TMemoryDC source(dc);
  // Enlarged by a whole factor, pixel for pixel: sharp, never blended.
  SetStretchBltMode(picture.Get(), COLORONCOLOR);
  const int f = factor_;
  if (pictures_->monitor) {
    // Black in the mask keeps the picture, white keeps the background; the picture is
    // black where the background shows.
    TSelection selected(source.Get(), pictures_->monitor.Get());
    const int sourceWidth = pictures_->measured.size.width;
    const int sourceHeight = pictures_->measured.size.height;
    StretchBlt(picture.Get(), 0, 0, width, height, source.Get(), sourceWidth, 0, sourceWidth,
               sourceHeight, SRCAND);
    StretchBlt(picture.Get(), 0, 0, width, height, source.Get(), 0, 0, sourceWidth, sourceHeight,
               SRCINVERT);
  } else {
    FillBox(picture.Get(), {0, 0, width, height}, RGB(64, 64, 64), RGB(0, 0, 0));
  }
  if (use_ == smuCorners) {
    for (size_t corner = 0; corner < corners_.size(); ++corner) {
      const TScrRect& box = geometry_.corners[corner];
      if (HBITMAP bitmap = pictures_->Corner(corners_[corner])) {
        TSelection selected(source.Get(), bitmap);
        const int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
        StretchBlt(picture.Get(), box.left, box.top, boxWidth, boxHeight, source.Get(), 0, 0,
                   boxWidth / f, boxHeight / f, SRCCOPY);
      } else {
        FillBox(picture.Get(), {box.left, box.top, box.right, box.bottom}, RGB(0, 0, 0),
                RGB(255, 255, 255));
      }
    }
  }
  BitBlt(dc, origin.width, origin.height, width, height, picture.Get(), 0, 0, SRCCOPY);
}
