#include "SlideshowForms.h"

#include <algorithm>

#include "Button.h"
#include "CheckBox.h"
#include "DibInfo.h"
#include "Label.h"
#include "Layout.h"
#include "Panel.h"
#include "ScrCurrentUserHive.h"
#include "SlideScale.h"

namespace {

constexpr UINT_PTR SlideTimerId = 1;
constexpr UINT_PTR SlideFadeTimerId = 2;
// One GIF timer per screen: this id plus the screen's index.
constexpr UINT_PTR SlideGifTimerBase = 100;
// Posted by the worker thread: pictures are ready to be taken.
constexpr UINT SlideMsgDecoded = WM_APP + 20;
// The cross-fade's frame period: the timer asks for more than 30 frames a second; each frame
// shows the mix its moment calls for, so a late frame never slows the fade down.
constexpr UINT SlideFadeTickMs = 15;

void SlideDrawFrame(HDC dc, const TSlideRect& area, const TSlideBitmap& frame) {
  const BITMAPINFO info = ToolkitDibInfo(frame.Width, -frame.Height);  // top-down
  SetDIBitsToDevice(dc, area.Left, area.Top, DWORD(frame.Width), DWORD(frame.Height), 0, 0, 0,
                    UINT(frame.Height), frame.Pixels.data(), &info, DIB_RGB_COLORS);
}

// A GIF's composed frame (bottom-up rows padded to 4 bytes) as a top-down picture.
TSlideBitmap SlideGifPicture(const TGIFAnimation& gif) {
  const TGIFBitmap32& canvas = gif.Canvas().Picture();
  TSlideBitmap picture{canvas.Width, canvas.Height, {}};
  picture.Pixels.resize(std::size_t(canvas.Width) * std::size_t(canvas.Height));
  for (int y = 0; y < canvas.Height; ++y) {
    const std::uint32_t* row = canvas.Row(y);
    for (int x = 0; x < canvas.Width; ++x)
      picture.Pixels[std::size_t(y) * std::size_t(canvas.Width) + std::size_t(x)] = 0xFF000000u | row[x];
  }
  return picture;
}

// A value of the settings dialog: a sunk field holding its text as window text, so that
// what it shows is what the window says.
void SlideValuePanel(TComponent& c) { static_cast<TPanel&>(c).SetBevelOuter(bvLowered); }

BOOL CALLBACK SlideAddMonitor(HMONITOR, HDC, LPRECT rect, LPARAM data) {
  reinterpret_cast<std::vector<RECT>*>(data)->push_back(*rect);
  return TRUE;
}

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

std::vector<TSlideRect> TSlideshowForm::ScreenAreas() {
  RECT client{};
  GetClientRect(Handle(), &client);
  if (RunningMode != smSFull) return {{0, 0, client.right, client.bottom}};
  std::vector<RECT> monitors;
  EnumDisplayMonitors(nullptr, nullptr, SlideAddMonitor, reinterpret_cast<LPARAM>(&monitors));
  POINT origin{0, 0};
  ClientToScreen(Handle(), &origin);
  std::vector<TSlideRect> areas;
  for (const RECT& m : monitors) {
    // Each monitor's part of the window, in client coordinates.
    RECT part{};
    const RECT monitor{m.left - origin.x, m.top - origin.y, m.right - origin.x, m.bottom - origin.y};
    if (IntersectRect(&part, &monitor, &client))
      areas.push_back({part.left, part.top, part.right - part.left, part.bottom - part.top});
  }
  if (areas.empty()) areas.push_back({0, 0, client.right, client.bottom});
  return SlideDealingOrder(std::move(areas));
}

void TSlideshowForm::Begin() {
  const std::string module = SlideModulePath();
  show_ = std::make_unique<TSlideshow>(SlideArchivePathFor(module));
  message_ = show_->Message();
  if (!message_.empty()) return;
  settings_ = SlideReadSettings(ScrCurrentUserHive(), SlideSettingsKey(module));
  const HWND window = Handle();
  TSlideshow* show = show_.get();
  const bool enlarge = settings_.EnlargeSmall;
  worker_ = std::make_unique<TSlideWorker>(
      [show, enlarge](const TSlideJob& job, const std::function<bool()>& cancelled) {
        return show->Decode(job, enlarge, cancelled);
      },
      [window] { PostMessageA(window, SlideMsgDecoded, 0, 0); });
  const std::vector<TSlideRect> areas = ScreenAreas();
  views_.assign(areas.size(), {});
  stage_ = std::make_unique<TSlideStage>(
      areas, show_->EntryCount(), TSlideOrder(show_->EntryCount(), settings_.RandomOrder, GetTickCount()),
      [this](const TSlideJob& job) { worker_->Ask(job); });
  stage_->Start();
  if (stage_->NothingToShow()) message_ = SlideNothingToShow;
  if (show_->Changes()) SetTimer(window, SlideTimerId, show_->IntervalMs(), nullptr);
}

void TSlideshowForm::InvalidateScreen(int screen) {
  const TSlideRect& a = stage_->Screen(screen).Area;
  const RECT r{a.Left, a.Top, a.Left + a.Width, a.Top + a.Height};
  InvalidateRect(Handle(), &r, FALSE);
}

void TSlideshowForm::ComposeShown(int screen, TSlideBitmap& frame) {
  const TSlideStage::TScreen& s = stage_->Screen(screen);
  const TSlidePicture& picture = *s.Shown;
  if (picture.Gif) {
    const TSlideBitmap gif = SlideGifPicture(*picture.Gif);
    const bool fits = gif.Width == picture.Place.Width && gif.Height == picture.Place.Height;
    SlideCompose(frame, s.Area.Width, s.Area.Height,
                 fits ? gif : SlideScale(gif, picture.Place.Width, picture.Place.Height), picture.Place);
  } else {
    SlideCompose(frame, s.Area.Width, s.Area.Height, picture.Still, picture.Place);
  }
}

void TSlideshowForm::ShowChanged(const std::vector<int>& screens) {
  bool fading = false;
  for (int i : screens) {
    TScreenView& view = views_[std::size_t(i)];
    TSlidePicture& picture = *stage_->Screen(i).Shown;
    KillTimer(Handle(), SlideGifTimerBase + UINT_PTR(i));
    if (picture.Gif) {
      // Each new frame of the animation is composed into what the screen shows.
      auto repaint = [this, i] {
        TScreenView& v = views_[std::size_t(i)];
        ComposeShown(i, v.Fading ? v.To : v.Frame);
        InvalidateScreen(i);
      };
      picture.Gif->OnInvalidate = repaint;
      picture.Gif->OnRepaint = repaint;
    }
    if (settings_.CrossFade && !view.Frame.Pixels.empty()) {
      if (!view.Fading) view.From = view.Frame;
      ComposeShown(i, view.To);
      view.Fading = fading = true;
    } else {
      ComposeShown(i, view.Frame);
      view.Fading = false;
    }
    InvalidateScreen(i);
  }
  if (fading) {
    fadeStart_ = GetTickCount();
    SetTimer(Handle(), SlideFadeTimerId, SlideFadeTickMs, nullptr);
  }
}

void TSlideshowForm::FadeStep() {
  const int weight = SlideFadeWeight(GetTickCount() - fadeStart_, SlideFadeMs);
  bool more = false;
  for (std::size_t i = 0; i < views_.size(); ++i) {
    TScreenView& view = views_[i];
    if (!view.Fading) continue;
    if (weight >= 256) {
      view.Frame.Pixels.swap(view.To.Pixels);
      view.Fading = false;
      view.From = {};
      view.To = {};
    } else {
      SlideBlend(view.From.Pixels.data(), view.To.Pixels.data(), view.Frame.Pixels.data(),
                 view.Frame.Pixels.size(), weight);
      more = true;
    }
    InvalidateScreen(int(i));
  }
  if (!more) KillTimer(Handle(), SlideFadeTimerId);
}

void TSlideshowForm::SyncGifTimer(int screen) {
  const TSlidePicture* picture = stage_->Screen(screen).Shown.get();
  const UINT_PTR id = SlideGifTimerBase + UINT_PTR(screen);
  if (picture && picture->Gif && picture->Gif->TimerEnabled())
    SetTimer(Handle(), id, std::max<UINT>(picture->Gif->TimerInterval(), 1), nullptr);
  else
    KillTimer(Handle(), id);
}

void TSlideshowForm::Delivered() {
  for (TSlideDone& done : worker_->Take()) ShowChanged(stage_->Deliver(std::move(done)));
  if (stage_->NothingToShow() && message_.empty()) {
    message_ = SlideNothingToShow;
    InvalidateRect(Handle(), nullptr, FALSE);
  }
}

void TSlideshowForm::Paint(HDC dc) {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int saved = SaveDC(dc);
  const bool words = !message_.empty();
  if (stage_ && !words) {
    for (int i = 0; i < stage_->ScreenCount(); ++i) {
      if (views_[std::size_t(i)].Frame.Pixels.empty()) continue;
      const TSlideRect& a = stage_->Screen(i).Area;
      ExcludeClipRect(dc, a.Left, a.Top, a.Left + a.Width, a.Top + a.Height);
    }
  }
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RestoreDC(dc, saved);
  if (words) {
    SetTextColor(dc, RGB(255, 255, 255));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ oldFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    std::vector<RECT> places;
    if (stage_) {
      for (int i = 0; i < stage_->ScreenCount(); ++i) {
        const TSlideRect& a = stage_->Screen(i).Area;
        places.push_back({a.Left, a.Top, a.Left + a.Width, a.Top + a.Height});
      }
    } else {
      places.push_back(client);
    }
    for (RECT& place : places)
      DrawTextA(dc, message_.c_str(), -1, &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    return;
  }
  if (!stage_) return;
  for (int i = 0; i < stage_->ScreenCount(); ++i) {
    const TScreenView& view = views_[std::size_t(i)];
    if (view.Frame.Pixels.empty()) continue;
    SlideDrawFrame(dc, stage_->Screen(i).Area, view.Frame);
    TSlidePicture* picture = stage_->Screen(i).Shown.get();
    if (picture && picture->Gif) {
      picture->Gif->Painted();
      SyncGifTimer(i);
    }
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
    case SlideMsgDecoded:
      if (worker_) Delivered();
      return 0;
    case WM_TIMER:
      if (!stage_) break;
      if (wParam == SlideTimerId) {
        ShowChanged(stage_->Change());
        return 0;
      }
      if (wParam == SlideFadeTimerId) {
        FadeStep();
        return 0;
      }
      if (wParam >= SlideGifTimerBase && wParam < SlideGifTimerBase + UINT_PTR(stage_->ScreenCount())) {
        const int screen = int(wParam - SlideGifTimerBase);
        KillTimer(Handle(), wParam);
        if (TSlidePicture* picture = stage_->Screen(screen).Shown.get(); picture && picture->Gif) {
          picture->Gif->Timer();
          SyncGifTimer(screen);
        }
        return 0;
      }
      break;
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
  SetClientHeight(196);

  ToolkitBuildLayout(*this, {
      {"LblArchivio", ComponentClass<TLabel>, "", 12, 16, 80, 16, "Archivio:", nullptr},
      {"PnlArchivio", ComponentClass<TPanel>, "", 100, 12, 208, 20, "", SlideValuePanel},
      {"LblIntervallo", ComponentClass<TLabel>, "", 12, 41, 80, 16, "Intervallo:", nullptr},
      {"PnlIntervallo", ComponentClass<TPanel>, "", 100, 38, 208, 20, "", SlideValuePanel},
      {"LblImmagini", ComponentClass<TLabel>, "", 12, 66, 80, 16, "Immagini:", nullptr},
      {"PnlImmagini", ComponentClass<TPanel>, "", 100, 64, 208, 20, "", SlideValuePanel},
      // Takes the place of the two rows above when the archive cannot be read: a failure
      // names the archive and seldom fits a value's field.
      {"LblMessaggio", ComponentClass<TLabel>, "", 12, 41, 296, 43, "",
       [](TComponent& c) {
         auto& label = static_cast<TLabel&>(c);
         label.SetWordWrap(true);
         label.SetVisible(false);
       }},
      {"ChkCasuale", ComponentClass<TCheckBox>, "", 12, 94, 296, 17, "Ordine casuale", nullptr},
      {"ChkDissolvenza", ComponentClass<TCheckBox>, "", 12, 116, 296, 17, "Dissolvenza", nullptr},
      {"ChkIngrandisci", ComponentClass<TCheckBox>, "", 12, 138, 296, 17,
       "Ingrandisci le immagini piccole", nullptr},
      {"BtnOk", ComponentClass<TButton>, "", 152, 163, 75, 25, "OK",
       [](TComponent& c) {
         auto& button = static_cast<TButton&>(c);
         button.SetDefault(true);
         button.SetModalResult(mrOk);
       }},
      {"BtnAnnulla", ComponentClass<TButton>, "", 233, 163, 75, 25, "Annulla",
       [](TComponent& c) {
         auto& button = static_cast<TButton&>(c);
         button.SetCancel(true);
         button.SetModalResult(mrCancel);
       }},
  });
  ToolkitFind<TButton>(*this, "BtnOk").OnClick = [this](TComponent* s) { BtnOkClick(s); };

  const std::string module = SlideModulePath();
  const TSlideSettings settings = SlideReadSettings(ScrCurrentUserHive(), SlideSettingsKey(module));
  ToolkitFind<TCheckBox>(*this, "ChkCasuale").SetChecked(settings.RandomOrder);
  ToolkitFind<TCheckBox>(*this, "ChkDissolvenza").SetChecked(settings.CrossFade);
  ToolkitFind<TCheckBox>(*this, "ChkIngrandisci").SetChecked(settings.EnlargeSmall);

  const TSlideSummary summary = SlideSummarize(SlideArchivePathFor(module));
  ToolkitFind<TPanel>(*this, "PnlArchivio").SetCaption(summary.ArchiveName);
  if (!summary.Message.empty()) {
    // The failure in place of the values: there are none to show.
    for (const char* row : {"LblIntervallo", "PnlIntervallo", "LblImmagini", "PnlImmagini"})
      ToolkitFind<TControl>(*this, row).SetVisible(false);
    auto& message = ToolkitFind<TLabel>(*this, "LblMessaggio");
    message.SetCaption(summary.Message);
    message.SetVisible(true);
    return;
  }
  const std::uint32_t seconds = summary.IntervalMs / 1000;
  ToolkitFind<TPanel>(*this, "PnlIntervallo")
      .SetCaption(seconds == 0 ? "0 (immagine fissa)"
                               : std::to_string(seconds) + (seconds == 1 ? " secondo" : " secondi"));
  ToolkitFind<TPanel>(*this, "PnlImmagini").SetCaption(std::to_string(summary.PictureCount));
}

void TConfigForm::BtnOkClick(TComponent*) {
  const TSlideSettings settings{ToolkitFind<TCheckBox>(*this, "ChkCasuale").Checked(),
                                ToolkitFind<TCheckBox>(*this, "ChkDissolvenza").Checked(),
                                ToolkitFind<TCheckBox>(*this, "ChkIngrandisci").Checked()};
  SlideWriteSettings(ScrCurrentUserHive(), SlideSettingsKey(SlideModulePath()), settings);
}
