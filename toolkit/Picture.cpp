#include "Picture.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "DeviceContext.h"
#include "DibInfo.h"
#include "GdiObject.h"
#include "JPEGReader.h"
#include "PictureLoaders.h"
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
    const BITMAPINFO info = ToolkitDibInfo(width, -height);  // top-down
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
  BITMAPINFO info = ToolkitDibInfo(header.bmWidth, -header.bmHeight);
  TMemoryDC dc(nullptr);
  if (GetDIBits(dc.Get(), bitmap.Get(), 0, UINT(header.bmHeight), pixels.data(), &info,
                DIB_RGB_COLORS) != header.bmHeight) {
    return nullptr;
  }
  return std::make_unique<TRaster>(header.bmWidth, header.bmHeight, header.bmWidth,
                                   header.bmHeight, std::move(pixels));
}

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
    case pfBitmap: {
      std::optional<TPicturePixels> bitmap = PictureLoadBitmap(bytes, TJPEGReadOptions().MaxPixels);
      if (!bitmap) Refuse("bitmap file", fileName);
      content = std::make_unique<TRaster>(bitmap->Width, bitmap->Height, bitmap->Width,
                                          bitmap->Height, std::move(bitmap->Pixels));
      break;
    }
    case pfIcon: {
      int width = 0, height = 0;
      TIconHandle icon = PictureLoadIcon(bytes, width, height);
      if (!icon) Refuse("icon file", fileName);
      content = std::make_unique<TIcon>(std::move(icon), width, height);
      break;
    }
    case pfEnhMetafile:
    case pfMetafile: {
      int width = 0, height = 0;
      TMetafileHandle metafile = format == pfEnhMetafile ? PictureLoadEnhMetafile(bytes, width, height)
                                                         : PictureLoadMetafile(bytes, width, height);
      if (!metafile) Refuse("metafile", fileName);
      content = std::make_unique<TMetafile>(std::move(metafile), width, height);
      break;
    }
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
