#include "SlideshowForms.h"

#include <algorithm>

#include "Button.h"
#include "DeviceContext.h"
#include "Label.h"
#include "Layout.h"
#include "Panel.h"
#include "SlideFit.h"

namespace {

constexpr UINT_PTR SlideTimerId = 1;
constexpr UINT_PTR SlideGifTimerId = 2;
// Posted after a picture shows: decode the next one while this one is on screen.
constexpr UINT SlideMsgDecodeAhead = WM_APP + 20;

void SlideDrawPixels(HDC dc, const RECT& target, int width, int height, const void* pixels,
                     bool bottomUp) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = bottomUp ? height : -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  // HALFTONE averages the pixels a reduction drops; it needs the brush origin reset.
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                0, 0, width, height, pixels, &info, DIB_RGB_COLORS, SRCCOPY);
}

// A value of the settings dialog: a sunk field holding its text as window text, so that
// what it shows is what the window says.
void SlideValuePanel(TComponent& c) { static_cast<TPanel&>(c).SetBevelOuter(bvLowered); }

}  // namespace

std::string SlideModulePath() {
  // MAX_PATH bounds a module path for the ANSI call; a longer one is cut and then not found.
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  // Some systems record a saver under its 8.3 short name ("LE_M~BYK.SCR"), and the module is
  // then known by it; the archive beside it still bears the long one.
  char longPath[MAX_PATH] = {};
  const DWORD length = GetLongPathNameA(path, longPath, MAX_PATH);
  return length > 0 && length < MAX_PATH ? longPath : path;
}

TSlideshowForm::TSlideshowForm(TComponent* owner) : TScrForm(owner) {
  SetColor(RGB(0, 0, 0));
}

TSlideshowForm::~TSlideshowForm() = default;

void TSlideshowForm::Begin() {
  RECT client{};
  GetClientRect(Handle(), &client);
  show_ = std::make_unique<TSlideshow>(SlideArchivePathFor(SlideModulePath()), client.right, client.bottom);
  if (!show_->Message().empty()) return;
  ShowCurrent();
  if (show_->Changes()) {
    SetTimer(Handle(), SlideTimerId, show_->IntervalMs(), nullptr);
    PostMessageA(Handle(), SlideMsgDecodeAhead, 0, 0);
  }
}

RECT TSlideshowForm::PictureRect() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const TSlidePicture* picture = show_ ? show_->Current() : nullptr;
  if (!picture || !show_->Message().empty()) return {};
  const TSlideRect r = SlideFit(picture->Width, picture->Height, client.right, client.bottom);
  return {r.Left, r.Top, r.Left + r.Width, r.Top + r.Height};
}

void TSlideshowForm::ShowCurrent() {
  KillTimer(Handle(), SlideGifTimerId);
  TSlidePicture* picture = show_->Deck().Current();
  if (picture && picture->Gif) {
    auto repaint = [this] {
      const RECT r = PictureRect();
      InvalidateRect(Handle(), &r, FALSE);
    };
    picture->Gif->OnInvalidate = repaint;
    picture->Gif->OnRepaint = repaint;
  }
  InvalidateRect(Handle(), nullptr, FALSE);
}

void TSlideshowForm::SyncGifTimer() {
  const TSlidePicture* picture = show_ ? show_->Current() : nullptr;
  if (picture && picture->Gif && picture->Gif->TimerEnabled())
    SetTimer(Handle(), SlideGifTimerId, std::max<UINT>(picture->Gif->TimerInterval(), 1), nullptr);
  else
    KillTimer(Handle(), SlideGifTimerId);
}

void TSlideshowForm::NextPicture() {
  if (show_->Deck().Advance()) ShowCurrent();
  PostMessageA(Handle(), SlideMsgDecodeAhead, 0, 0);
}

void TSlideshowForm::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const RECT place = PictureRect();
  const int saved = SaveDC(dc);
  ExcludeClipRect(dc, place.left, place.top, place.right, place.bottom);
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RestoreDC(dc, saved);
  if (!show_->Message().empty()) {
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, show_->Message().c_str(), -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    return;
  }
  TSlidePicture* picture = show_->Deck().Current();
  if (picture->Gif) {
    const TGIFBitmap32& frame = picture->Gif->Canvas().Picture();
    SlideDrawPixels(dc, place, frame.Width, frame.Height, frame.Pixels.data(), true);
    picture->Gif->Painted();
    SyncGifTimer();
  } else {
    SlideDrawPixels(dc, place, picture->Still.Width, picture->Still.Height, picture->Still.Pixels.data(), false);
  }
}

LRESULT TSlideshowForm::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // Paint covers every pixel, the picture without first going black
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(Handle(), &ps);
      if (!show_) Begin();
      Paint(dc);
      EndPaint(Handle(), &ps);
      return 0;
    }
    case WM_TIMER:
      if (show_ && wParam == SlideTimerId) {
        NextPicture();
        return 0;
      }
      if (show_ && wParam == SlideGifTimerId) {
        KillTimer(Handle(), SlideGifTimerId);
        if (TSlidePicture* picture = show_->Deck().Current(); picture && picture->Gif) {
          picture->Gif->Timer();
          SyncGifTimer();
        }
        return 0;
      }
      break;
    case SlideMsgDecodeAhead:
      if (show_) show_->Deck().PrepareNext();
      return 0;
    case WM_SIZE:
      InvalidateRect(Handle(), nullptr, FALSE);
      break;
  }
  return TScrForm::WndProc(message, wParam, lParam);
}

TSaverForm::TSaverForm(TComponent* owner) : TSlideshowForm(owner) {
  SetName("SaverForm");
  SetCaption("Presentazione");
  SetCursor(crNone);
}

TSPreviewForm::TSPreviewForm(TComponent* owner) : TSlideshowForm(owner) {
  SetName("SPreviewForm");
  Purpose = smSPreview;
}

TConfigForm::TConfigForm(TComponent* owner) : TScrDialog(owner) {
  SetName("ConfigForm");
  SetCaption("Presentazione - Impostazioni");
  SetClientWidth(320);
  SetClientHeight(132);

  ToolkitBuildLayout(*this, {
      {"LblArchivio", ComponentClass<TLabel>, "", 12, 16, 80, 16, "Archivio:", nullptr},
      {"PnlArchivio", ComponentClass<TPanel>, "", 100, 12, 208, 20, "", SlideValuePanel},
      {"LblIntervallo", ComponentClass<TLabel>, "", 12, 41, 80, 16, "Intervallo:", nullptr},
      {"PnlIntervallo", ComponentClass<TPanel>, "", 100, 38, 208, 20, "", SlideValuePanel},
      {"LblImmagini", ComponentClass<TLabel>, "", 12, 66, 80, 16, "Immagini:", nullptr},
      {"PnlImmagini", ComponentClass<TPanel>, "", 100, 64, 208, 20, "", SlideValuePanel},
      {"BtnChiudi", ComponentClass<TButton>, "", 233, 96, 75, 25, "Chiudi",
       [](TComponent& c) {
         auto& button = static_cast<TButton&>(c);
         button.SetDefault(true);
         button.SetCancel(true);
         button.SetModalResult(mrOk);
       }},
  });

  const TSlideSummary summary = SlideSummarize(SlideArchivePathFor(SlideModulePath()));
  ToolkitFind<TPanel>(*this, "PnlArchivio").SetCaption(summary.ArchiveName);
  if (!summary.Message.empty()) {
    // The failure in place of the values: there are none to show.
    ToolkitFind<TPanel>(*this, "PnlIntervallo").SetCaption(summary.Message);
    return;
  }
  const std::uint32_t seconds = summary.IntervalMs / 1000;
  ToolkitFind<TPanel>(*this, "PnlIntervallo")
      .SetCaption(seconds == 0 ? "0 (immagine fissa)"
                               : std::to_string(seconds) + (seconds == 1 ? " secondo" : " secondi"));
  ToolkitFind<TPanel>(*this, "PnlImmagini").SetCaption(std::to_string(summary.PictureCount));
}
