#include "Picture.h"

#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "DeviceContext.h"
#include "GdiObject.h"
#include "JPEGReader.h"
#include "PictureStretch.h"

class TPicture::TContent {
public:
  virtual ~TContent() = default;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void Draw(HDC dc, const RECT& target) const = 0;
  TPictureFormat Format = pfUnknown;
  int ScaleDenominator = 1;
};

namespace {

using TContent = TPicture::TContent;

// JPEG files and bitmaps: 32-bit pixels, top-down.  A stretched copy for the last target
// size is kept, since a control repaints at one size many times.
class TRaster : public TContent {
public:
  TRaster(int width, int height, int fileWidth, int fileHeight, std::vector<uint32_t> pixels)
      : width_(width), height_(height), fileWidth_(fileWidth), fileHeight_(fileHeight),
        pixels_(std::move(pixels)) {}

  int Width() const override { return fileWidth_; }
  int Height() const override { return fileHeight_; }

  void Draw(HDC dc, const RECT& target) const override {
    const int width = target.right - target.left;
    const int height = target.bottom - target.top;
    const uint32_t* bits = pixels_.data();
    if (width != width_ || height != height_) {
      if (width != stretchedWidth_ || height != stretchedHeight_) {
        stretched_ = PictureStretch(pixels_.data(), width_, height_, width, height);
        stretchedWidth_ = width;
        stretchedHeight_ = height;
      }
      bits = stretched_.data();
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    StretchDIBits(dc, target.left, target.top, width, height, 0, 0, width, height, bits, &info,
                  DIB_RGB_COLORS, SRCCOPY);
  }

private:
  int width_, height_;            // of pixels_
  int fileWidth_, fileHeight_;    // the picture's own size
  std::vector<uint32_t> pixels_;
  mutable std::vector<uint32_t> stretched_;
  mutable int stretchedWidth_ = 0, stretchedHeight_ = 0;
};

// The pixels of a bitmap the platform loaded, which is released afterwards.
std::unique_ptr<TContent> RasterOf(HBITMAP handle) {
  TGdiObject<HBITMAP> bitmap(handle);
  BITMAP header = {};
  if (!GetObjectA(bitmap.Get(), sizeof header, &header) || header.bmWidth <= 0 ||
      header.bmHeight <= 0) {
    return nullptr;
  }
  std::vector<uint32_t> pixels(size_t(header.bmWidth) * size_t(header.bmHeight));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = header.bmWidth;
  info.bmiHeader.biHeight = -header.bmHeight;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  TMemoryDC dc(nullptr);
  if (GetDIBits(dc.Get(), bitmap.Get(), 0, UINT(header.bmHeight), pixels.data(), &info,
                DIB_RGB_COLORS) != header.bmHeight) {
    return nullptr;
  }
  return std::make_unique<TRaster>(header.bmWidth, header.bmHeight, header.bmWidth,
                                   header.bmHeight, std::move(pixels));
}

struct TIconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
using TIconHandle = std::unique_ptr<std::remove_pointer_t<HICON>, TIconDeleter>;

class TIcon : public TContent {
public:
  TIcon(TIconHandle icon, int width, int height)
      : icon_(std::move(icon)), width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(HDC dc, const RECT& target) const override {
    DrawIconEx(dc, target.left, target.top, icon_.get(), target.right - target.left,
               target.bottom - target.top, 0, nullptr, DI_NORMAL);
  }

private:
  TIconHandle icon_;
  int width_, height_;
};

// The icon's size is that of its colour bitmap, or half its mask's height for a monochrome
// icon, whose mask holds the AND and XOR halves one above the other.
std::unique_ptr<TContent> IconOf(TIconHandle icon) {
  ICONINFO parts = {};
  if (!GetIconInfo(icon.get(), &parts)) return nullptr;
  TGdiObject<HBITMAP> mask(parts.hbmMask), color(parts.hbmColor);
  BITMAP header = {};
  if (color) {
    GetObjectA(color.Get(), sizeof header, &header);
  } else {
    GetObjectA(mask.Get(), sizeof header, &header);
    header.bmHeight /= 2;
  }
  if (header.bmWidth <= 0 || header.bmHeight <= 0) return nullptr;
  return std::make_unique<TIcon>(std::move(icon), header.bmWidth, header.bmHeight);
}

struct TMetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using TMetafileHandle = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, TMetafileDeleter>;

// Both kinds of metafile are played as enhanced metafiles, whose frame maps onto the target.
class TMetafile : public TContent {
public:
  TMetafile(TMetafileHandle metafile, int width, int height)
      : metafile_(std::move(metafile)), width_(width), height_(height) {}
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  void Draw(HDC dc, const RECT& target) const override {
    PlayEnhMetaFile(dc, metafile_.get(), &target);
  }

private:
  TMetafileHandle metafile_;
  int width_, height_;
};

// An enhanced metafile's own size: its frame (0.01 mm) in pixels of the device it was made
// for, which its header describes in pixels and millimetres.
std::unique_ptr<TContent> EnhMetafileOf(TMetafileHandle metafile) {
  ENHMETAHEADER header = {};
  if (!GetEnhMetaFileHeader(metafile.get(), sizeof header, &header) ||
      header.szlMillimeters.cx <= 0 || header.szlMillimeters.cy <= 0) {
    return nullptr;
  }
  const int width = MulDiv(header.rclFrame.right - header.rclFrame.left, header.szlDevice.cx,
                           header.szlMillimeters.cx * 100);
  const int height = MulDiv(header.rclFrame.bottom - header.rclFrame.top, header.szlDevice.cy,
                            header.szlMillimeters.cy * 100);
  if (width <= 0 || height <= 0) return nullptr;
  return std::make_unique<TMetafile>(std::move(metafile), width, height);
}

int16_t Int16At(const std::vector<uint8_t>& bytes, size_t offset) {
  return int16_t(bytes[offset] | bytes[offset + 1] << 8);
}
uint32_t UInt32At(const std::vector<uint8_t>& bytes, size_t offset) {
  return uint32_t(bytes[offset]) | uint32_t(bytes[offset + 1]) << 8 |
         uint32_t(bytes[offset + 2]) << 16 | uint32_t(bytes[offset + 3]) << 24;
}

// A Windows metafile holds no size of its own.  The placeable header in front of it gives
// its bounding box in units of 1/inch inch; a plain one is taken at the extent of its window
// (META_SETWINDOWEXT), in logical units shown as pixels.
constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableHeaderSize = 22;
constexpr size_t MetaHeaderSize = 18;
constexpr uint16_t MetaSetWindowExt = 0x020C;

std::unique_ptr<TContent> MetafileOf(const std::vector<uint8_t>& bytes) {
  TWindowDC screen(nullptr);
  const int dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  size_t start = 0;
  int width = 0, height = 0;
  METAFILEPICT picture = {MM_ANISOTROPIC, 0, 0, nullptr};
  if (bytes.size() >= PlaceableHeaderSize && UInt32At(bytes, 0) == PlaceableKey) {
    const int unitsPerInch = uint16_t(Int16At(bytes, 14));
    if (unitsPerInch == 0) return nullptr;
    const int boxWidth = Int16At(bytes, 10) - Int16At(bytes, 6);
    const int boxHeight = Int16At(bytes, 12) - Int16At(bytes, 8);
    width = MulDiv(boxWidth, dpiX, unitsPerInch);
    height = MulDiv(boxHeight, dpiY, unitsPerInch);
    picture.xExt = MulDiv(boxWidth, 2540, unitsPerInch);
    picture.yExt = MulDiv(boxHeight, 2540, unitsPerInch);
    start = PlaceableHeaderSize;
  } else {
    // Records follow the header: a size in 16-bit words (at least 3), a function number and
    // the parameters, SetWindowExt's being y then x.  Every step moves forward by a record's
    // size, so the walk ends within the file.
    for (size_t offset = MetaHeaderSize; offset + 10 <= bytes.size();) {
      const uint32_t words = UInt32At(bytes, offset);
      if (words < 3 || words > (bytes.size() - offset) / 2) break;
      if (uint16_t(Int16At(bytes, offset + 4)) == MetaSetWindowExt) {
        height = Int16At(bytes, offset + 6);
        width = Int16At(bytes, offset + 8);
        break;
      }
      offset += size_t(words) * 2;
    }
    picture.xExt = MulDiv(width, 2540, dpiX);
    picture.yExt = MulDiv(height, 2540, dpiY);
  }
  if (width <= 0 || height <= 0 || bytes.size() < start + MetaHeaderSize) return nullptr;
  TMetafileHandle metafile(SetWinMetaFileBits(UINT(bytes.size() - start), bytes.data() + start,
                                              screen.Get(), &picture));
  if (!metafile) return nullptr;
  return std::make_unique<TMetafile>(std::move(metafile), width, height);
}

[[noreturn]] void Refuse(const char* what, const std::string& fileName) {
  throw std::runtime_error(std::string("Cannot read ") + what + " " + fileName);
}

std::unique_ptr<TContent> Load(const std::string& fileName, TPictureFormat format,
                               int displayWidth, int displayHeight) {
  if (format == pfUnknown) throw std::runtime_error(PictureUnknownExtensionMessage(fileName));
  // Reading the file first gives every format the same message when it cannot be opened.
  const std::vector<uint8_t> bytes = PictureReadFile(fileName);
  std::unique_ptr<TContent> content;
  switch (format) {
    case pfJPEG: {
      TJPEGReadOptions options;
      options.DisplayWidth = displayWidth;
      options.DisplayHeight = displayHeight;
      TJPEGPicture jpeg = JPEGRead(bytes, options);
      content = std::make_unique<TRaster>(jpeg.Width, jpeg.Height, jpeg.FileWidth,
                                          jpeg.FileHeight, std::move(jpeg.Pixels));
      content->ScaleDenominator = jpeg.ScaleDenominator;
      break;
    }
    case pfBitmap:
      content = RasterOf(HBITMAP(LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0,
                                            LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
      if (!content) Refuse("bitmap file", fileName);
      break;
    case pfIcon: {
      // Width and height 0 without LR_DEFAULTSIZE: the icon at its own size.
      TIconHandle icon(HICON(LoadImageA(nullptr, fileName.c_str(), IMAGE_ICON, 0, 0, LR_LOADFROMFILE)));
      if (icon) content = IconOf(std::move(icon));
      if (!content) Refuse("icon file", fileName);
      break;
    }
    case pfEnhMetafile: {
      TMetafileHandle metafile(SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()));
      if (metafile) content = EnhMetafileOf(std::move(metafile));
      if (!content) Refuse("metafile", fileName);
      break;
    }
    case pfMetafile:
      content = MetafileOf(bytes);
      if (!content) Refuse("metafile", fileName);
      break;
    case pfUnknown:
      break;  // refused above
  }
  content->Format = format;
  return content;
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::LoadFromFile(const std::string& fileName) {
  content_ = Load(fileName, PictureFormatOf(fileName), displayWidth_, displayHeight_);
  Changed();
}

void TPicture::LoadFromResource(HINSTANCE module, const char* name) {
  std::unique_ptr<TContent> content =
      RasterOf(HBITMAP(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!content) {
    const std::string shown = IS_INTRESOURCE(name)
                                  ? "#" + std::to_string(reinterpret_cast<uintptr_t>(name))
                                  : std::string(name);
    throw std::runtime_error("Cannot load bitmap resource " + shown);
  }
  content_ = std::move(content);
  Changed();
}

void TPicture::Clear() {
  content_.reset();
  Changed();
}

bool TPicture::Empty() const { return !content_; }
int TPicture::Width() const { return content_ ? content_->Width() : 0; }
int TPicture::Height() const { return content_ ? content_->Height() : 0; }
TPictureFormat TPicture::Format() const { return content_ ? content_->Format : pfUnknown; }
int TPicture::ScaleDenominator() const { return content_ ? content_->ScaleDenominator : 1; }

void TPicture::Draw(HDC dc, const RECT& target) const {
  if (!content_ || target.right <= target.left || target.bottom <= target.top) return;
  content_->Draw(dc, target);
}

void TPicture::SetDisplaySize(int width, int height) {
  displayWidth_ = width;
  displayHeight_ = height;
}

void TPicture::Changed() {
  if (OnChange) OnChange();
}
