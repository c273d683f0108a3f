#include "GIFImage.h"

#include <iterator>

#include "DeviceContext.h"
#include "DibInfo.h"
#include "Form.h"
#include "GdiObject.h"

namespace {

// A 32-bit bottom-up device-independent bitmap: the composed picture's layout.
BITMAPINFO PictureInfo(const TGIFBitmap32& picture) {
  return ToolkitDibInfo(picture.Width, picture.Height);
}

// A monochrome bottom-up bitmap whose bit 0 is black and bit 1 white: the mask's layout.
struct TMaskInfo {
  BITMAPINFOHEADER header;
  RGBQUAD colors[2];
};

TMaskInfo MaskInfo(const TGIFMask& mask) {
  TMaskInfo info = {};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  info.header.biWidth = mask.Width;
  info.header.biHeight = mask.Height;
  info.header.biPlanes = 1;
  info.header.biBitCount = 1;
  info.header.biCompression = BI_RGB;
  info.colors[1] = {0xFF, 0xFF, 0xFF, 0};
  return info;
}

}  // namespace

TGIFImage::TGIFImage(TComponent* owner) : TGraphicControl(owner) {
  SetBounds(0, 0, 105, 105);
  animation_.OnChanging = [this] {
    if (OnChanging) OnChanging(this);
  };
  animation_.OnChange = [this] {
    if (OnChange) OnChange(this);
  };
  animation_.OnWrapAnimation = [this] {
    if (OnWrapAnimation) OnWrapAnimation(this);
  };
  animation_.OnInvalidate = [this] { Invalidate(); };
  animation_.OnRepaint = [this] { Repaint(); };
  timer_.SetEnabled(false);
  timer_.SetOnTimer([this](TComponent*) {
    animation_.Timer();
    SyncTimer();
  });
}

// The timer goes first (a member declared after the animation), so no tick reaches a
// half-destroyed control.
TGIFImage::~TGIFImage() = default;

bool TGIFImage::LoadFromFile(const std::string& fileName) {
  animation_.LoadOptions.OnProgress = OnProgress;
  return Loaded(animation_.LoadFromFile(fileName));
}

bool TGIFImage::LoadFromStream(std::istream& stream) {
  std::vector<uint8_t> bytes;
  try {
    bytes.assign(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
  } catch (...) {  // a stream that throws on errors, or no memory for its bytes
    animation_.Clear();
    return Loaded(false);
  }
  return LoadFromBytes(bytes);
}

bool TGIFImage::LoadFromBytes(const std::vector<uint8_t>& bytes) {
  animation_.LoadOptions.OnProgress = OnProgress;
  return Loaded(animation_.LoadFromBytes(bytes));
}

bool TGIFImage::Loaded(bool success) {
  if (success && autoSize_) SetBounds(Left(), Top(), PictureWidth(), PictureHeight());
  SyncTimer();
  return success;
}

void TGIFImage::SyncTimer() {
  timer_.SetInterval(animation_.TimerInterval());
  timer_.SetEnabled(animation_.TimerEnabled());
}

void TGIFImage::SetAnimate(bool value) {
  animation_.SetAnimate(value);
  SyncTimer();
}

void TGIFImage::SetLoop(bool value) {
  animation_.SetLoop(value);
  SyncTimer();
}

void TGIFImage::SetSpeed(int value) {
  animation_.SetSpeed(value);
  SyncTimer();
}

void TGIFImage::SetCurrentFrame(int value) {
  animation_.SetCurrentFrame(value);
  SyncTimer();
}

void TGIFImage::SetAutoSize(bool value) {
  autoSize_ = value;
  if (value && !Empty()) SetBounds(Left(), Top(), PictureWidth(), PictureHeight());
}

void TGIFImage::SetCenter(bool value) {
  placement_.Center = value;
  Invalidate();
}

void TGIFImage::SetStretch(bool value) {
  placement_.Stretch = value;
  Invalidate();
}

void TGIFImage::SetStretchRatio(bool value) {
  placement_.StretchRatio = value;
  Invalidate();
}

void TGIFImage::SetTile(bool value) {
  placement_.Tile = value;
  Invalidate();
}

void TGIFImage::SetOpaque(bool value) {
  opaque_ = value;
  Invalidate();
}

TGIFRect TGIFImage::TargetRect() const {
  return GIFTargetRect(placement_, Width(), Height(), PictureWidth(), PictureHeight());
}

void TGIFImage::Paint(HDC dc) {
  if (!Visible()) return;
  const TGIFRect target = TargetRect();
  const bool frame1Transparent = !Empty() && animation_.Picture().Frames.front().Transparent;
  const bool opaque =
      GIFOpaque(Visible(), opaque_, !Empty(), frame1Transparent, target, Width(), Height());
  if (opaque != ControlOpaque()) {
    SetControlOpaque(opaque);
    // The parent skipped the background beneath a control it took for opaque: once more,
    // with the background.  Painting now as well keeps the picture from blinking.
    if (!opaque) Invalidate();
  }
  if (opaque_) {
    TGdiObject<HBRUSH> brush(CreateSolidBrush(Color()));
    const RECT all = {0, 0, Width(), Height()};
    FillRect(dc, &all, brush.Get());
  }
  if (!Empty()) DrawPicture(dc, target);
  animation_.Painted();
  SyncTimer();
}

void TGIFImage::DrawPicture(HDC dc, const TGIFRect& target) const {
  const TGIFBitmap32& picture = Canvas().Picture();
  const TGIFMask& mask = Canvas().Mask();
  const int w = picture.Width, h = picture.Height;
  // A picture whose first frame is opaque is copied whole, as the opaque mark promises.
  const bool transparent = animation_.Picture().Frames.front().Transparent && !mask.Empty();
  const BITMAPINFO pictureInfo = PictureInfo(picture);
  const TMaskInfo maskInfo = MaskInfo(mask);

  TSavedDC saved(dc);
  const bool stretched = target.Right - target.Left != w || target.Bottom - target.Top != h;
  // Halftone only helps where the device has fewer colours than the 32-bit picture.
  const bool halftone = GetDeviceCaps(dc, BITSPIXEL) * GetDeviceCaps(dc, PLANES) <= 8;
  if (stretched && halftone) SetBrushOrgEx(dc, 0, 0, nullptr);

  auto draw = [&](int left, int top, int width, int height) {
    if (transparent) {
      // WHITEONBLACK keeps the white (transparent) pixels of a shrunk mask.
      if (stretched) SetStretchBltMode(dc, WHITEONBLACK);
      StretchDIBits(dc, left, top, width, height, 0, 0, w, h, mask.Bits.data(),
                    reinterpret_cast<const BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS, SRCAND);
    }
    if (stretched) SetStretchBltMode(dc, halftone ? HALFTONE : COLORONCOLOR);
    StretchDIBits(dc, left, top, width, height, 0, 0, w, h, picture.Pixels.data(), &pictureInfo,
                  DIB_RGB_COLORS, transparent ? SRCINVERT : SRCCOPY);
  };

  if (placement_.Tile && !GIFStretched(placement_, Width(), Height(), w, h)) {
    const TGIFTiles tiles = GIFTileCount(Width(), Height(), w, h);
    for (int row = 0; row < tiles.Rows; ++row)
      for (int column = 0; column < tiles.Columns; ++column) draw(column * w, row * h, w, h);
  } else {
    draw(target.Left, target.Top, target.Right - target.Left, target.Bottom - target.Top);
  }
}

void TGIFImage::Repaint() {
  TWinControl* parent = Parent();
  if (!parent || !parent->HandleAllocated() || !Visible() || repainting_) return;
  repainting_ = true;
  struct TClearFlag {
    bool& flag;
    ~TClearFlag() { flag = false; }
  } clearFlag{repainting_};

  const TGIFRect target = TargetRect();
  const RECT picture = {Left() + target.Left, Top() + target.Top, Left() + target.Right,
                        Top() + target.Bottom};
  const RECT bounds = BoundsRect();
  RECT clip;
  if (!IntersectRect(&clip, &picture, &bounds)) return;

  const HWND window = parent->Handle();
  TWindowDC screen(window);
  if (!screen.Get()) return;
  auto paintOn = [&](HDC dc) {
    TSavedDC saved(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    if (!ControlOpaque()) SendMessageA(window, WM_ERASEBKGND, WPARAM(dc), 0);
    parent->PaintControls(dc);
  };
  if (doubleBuffered_) {
    // A bitmap of the clipped rectangle only, its origin moved so the parent paints in its
    // own client coordinates.
    const int width = clip.right - clip.left, height = clip.bottom - clip.top;
    TMemoryDC memory(screen.Get());
    TGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen.Get(), width, height));
    if (memory.Get() && bitmap) {
      TSelection selection(memory.Get(), bitmap.Get());
      SetViewportOrgEx(memory.Get(), -clip.left, -clip.top, nullptr);
      paintOn(memory.Get());
      BitBlt(screen.Get(), clip.left, clip.top, width, height, memory.Get(), clip.left, clip.top,
             SRCCOPY);
      return;
    }
  }
  paintOn(screen.Get());
}
