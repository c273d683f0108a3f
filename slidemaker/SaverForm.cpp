#include "SaverForm.h"

#include <exception>
#include <string>

#include "Abort.h"
#include "Application.h"
#include "GIFImage.h"
#include "Image.h"
#include "Layout.h"
#include "SlidemakerResources.h"

namespace {

void Logo(TComponent& c) {
  auto& logo = static_cast<TGIFImage&>(c);
  logo.SetAnimate(true);
  logo.SetAutoSize(true);
  logo.SetLoop(false);
  logo.SetStretch(false);
  logo.LoadFromBytes(SlidemakerData(ResLogo));
}

void GifPicture(TComponent& c) {
  auto& gif = static_cast<TGIFImage&>(c);
  gif.SetAnimate(false);
  gif.SetAutoSize(true);
}

void OtherPicture(TComponent& c) {
  auto& image = static_cast<TImage&>(c);
  image.SetAutoSize(true);
  image.SetStretch(false);
  image.SetVisible(false);
}

void WindowTimer(TComponent& c) {
  auto& timer = static_cast<TTimerEx&>(c);
  timer.SetEnabled(false);
  timer.SetThreaded(false);
}

}  // namespace

TSaverForm::TSaverForm(TComponent* owner, TListBox& filelist) : TForm(owner), filelist_(filelist) {
  SetName("SaverForm");
  SetCaption("Anteprima");  // never shown: it names the window for the task list
  SetBorderStyle(bsNone);
  SetFormStyle(fsStayOnTop);
  SetWindowState(wsMaximized);
  SetColor(RGB(0, 0, 0));
  // Full screen, in the screen's own pixels: a picture is never enlarged by the DPI.
  SetScaled(false);

  ToolkitBuildLayout(*this, {
      {"LOGO", ComponentClass<TGIFImage>, "", 0, 0, 0, 0, nullptr, Logo},
      {"ImageGIF", ComponentClass<TGIFImage>, "", 0, 0, 0, 0, nullptr, GifPicture},
      {"ImageJPG", ComponentClass<TImage>, "", 0, 0, 0, 0, nullptr, OtherPicture},
      {"Timer", ComponentClass<TTimerEx>, "", 0, 0, 0, 0, nullptr, WindowTimer},
  });

  const auto close = [this](TComponent*) { CloseRoutine(); };
  const auto closeOnPress = [this](TComponent*, TMouseButton, TShiftState, int, int) { CloseRoutine(); };
  OnShow = [this](TComponent*) { FormShow(); };
  OnResize = [this](TComponent*) { FormResize(); };
  OnKeyDown = [this](TComponent*, WORD&, TShiftState) { CloseRoutine(); };
  OnKeyPress = [this](TComponent*, char&) { CloseRoutine(); };
  OnMouseDown = closeOnPress;
  OnClick = close;
  OnDblClick = close;
  OnMouseMove = [this](TComponent*, TShiftState, int x, int y) { FormMouseMove(x, y); };
  ToolkitFind<TGIFImage>(*this, "ImageGIF").OnMouseDown = closeOnPress;
  ToolkitFind<TImage>(*this, "ImageJPG").OnMouseDown = closeOnPress;
  Timer().SetOnTimer([this](TComponent*) { TimerTimer(); });
}

TSaverForm::~TSaverForm() {
  Timer().SetEnabled(false);
  if (cursorHidden_) ShowCursor(TRUE);
}

TTimerEx& TSaverForm::Timer() const { return ToolkitFind<TTimerEx>(*this, "Timer"); }

void TSaverForm::FormShow() {
  pointer_.Forget();
  SetBounds(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  if (!cursorHidden_) ShowCursor(FALSE);
  cursorHidden_ = true;
  const bool shown = ShowEntry(0);
  nextIndex_ = 1;
  auto& logo = ToolkitFind<TGIFImage>(*this, "LOGO");
  const TSaverPoint place = SaverLogoPlace(Width(), Height(), logo.Width(), logo.Height());
  logo.SetBounds(place.Left, place.Top, logo.Width(), logo.Height());
  PlacePictures(40);
  // A first picture that failed stops the slideshow on it, as a failed tick does.
  if (shown) Timer().SetEnabled(true);
}

void TSaverForm::TimerTimer() {
  const int count = filelist_.Count();
  if (count <= 1) return;
  Timer().SetEnabled(false);
  if (nextIndex_ >= count) nextIndex_ = 0;  // the list may have shrunk since the last tick
  if (!ShowEntry(nextIndex_)) return;       // stays on the picture shown last
  PlacePictures(40);
  nextIndex_ = SaverNextIndex(nextIndex_, count);
  Timer().SetEnabled(true);
}

void TSaverForm::FormResize() {
  // Creating and maximising the window report sizes too; only a real change re-places.
  if (Width() == placedWidth_ && Height() == placedHeight_) return;
  PlacePictures(0);
}

void TSaverForm::FormMouseMove(int x, int y) {
  if (pointer_.Moved(x, y)) CloseRoutine();
}

void TSaverForm::CloseRoutine() {
  if (closed_) return;
  closed_ = true;
  Timer().SetEnabled(false);
  if (cursorHidden_) ShowCursor(TRUE);
  cursorHidden_ = false;
  Hide();
  if (OnClosed) OnClosed(this);
}

bool TSaverForm::ShowEntry(int index) {
  auto& gif = ToolkitFind<TGIFImage>(*this, "ImageGIF");
  auto& other = ToolkitFind<TImage>(*this, "ImageJPG");
  const std::string file = filelist_.Item(index);
  try {
    if (SaverIsGifName(file)) {
      // A missing GIF keeps the previous picture, an undecodable one leaves it empty: no message.
      gif.LoadFromFile(file);
      gif.SetVisible(true);
      other.SetVisible(false);
    } else {
      other.Picture().LoadFromFile(file);
      other.SetVisible(true);
      gif.SetVisible(false);
    }
    return true;
  } catch (...) {
    ReportError();
    return false;
  }
}

void TSaverForm::PlacePictures(int raise) {
  placedWidth_ = Width();
  placedHeight_ = Height();
  for (TControl* picture : {static_cast<TControl*>(&ToolkitFind<TGIFImage>(*this, "ImageGIF")),
                            static_cast<TControl*>(&ToolkitFind<TImage>(*this, "ImageJPG"))}) {
    const TSaverPoint place = SaverPicturePlace(Width(), Height(), picture->Width(), picture->Height(), raise);
    picture->SetBounds(place.Left, place.Top, picture->Width(), picture->Height());
  }
}

void TSaverForm::ReportError() {
  std::string text;
  try {
    throw;
  } catch (const EAbort&) {
    return;
  } catch (const std::exception& error) {
    text = error.what();
  } catch (...) {
    text = "An unknown error occurred";
  }
  // The application's report would go to the active window, which may lie beneath this
  // top-most one, and without a pointer the user could not reach its button.
  ShowCursor(TRUE);
  MessageBoxA(Handle(), text.c_str(), Application().Title().c_str(), MB_OK | MB_ICONSTOP | MB_TOPMOST);
  ShowCursor(FALSE);
}
