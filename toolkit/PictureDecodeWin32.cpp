#include <algorithm>
#include <stdexcept>

#include "PictureDecode.h"
#include "PictureLoaders.h"

namespace {

[[noreturn]] void Refuse(const char* what, const std::string& fileName) {
  throw std::runtime_error(std::string("Cannot read ") + what + " " + fileName);
}

TPictureBitmap Whole(int width, int height, std::optional<TPicturePixels> pixels) {
  return {width, height, pixels->Width, pixels->Height, std::move(pixels->Pixels), 1};
}

// A metafile is drawn at its own size, or scaled down into the display keeping its aspect.
SIZE Fitted(int width, int height, int displayWidth, int displayHeight) {
  if (displayWidth <= 0 || displayHeight <= 0 || (width <= displayWidth && height <= displayHeight))
    return {width, height};
  if (int64_t(width) * displayHeight >= int64_t(height) * displayWidth)
    return {displayWidth, std::max(1, MulDiv(height, displayWidth, width))};
  return {std::max(1, MulDiv(width, displayHeight, height)), displayHeight};
}

}  // namespace

TPictureBitmap PictureDecodePlatform(std::span<const uint8_t> bytes, TPictureFormat format,
                                     const std::string& fileName, int displayWidth,
                                     int displayHeight, int64_t maxPixels) {
  switch (format) {
    case pfBitmap: {
      std::optional<TPicturePixels> bitmap = PictureLoadBitmap(bytes, maxPixels);
      if (!bitmap) Refuse("bitmap file", fileName);
      const int width = bitmap->Width, height = bitmap->Height;
      return Whole(width, height, std::move(bitmap));
    }
    case pfIcon: {
      int width = 0, height = 0;
      TIconHandle icon = PictureLoadIcon(bytes, width, height);
      if (!icon) Refuse("icon file", fileName);
      std::optional<TPicturePixels> pixels = PictureRasterize(width, height, [&](HDC dc, const RECT& r) {
        DrawIconEx(dc, 0, 0, icon.get(), r.right, r.bottom, 0, nullptr, DI_NORMAL);
      });
      if (!pixels) Refuse("icon file", fileName);
      return Whole(width, height, std::move(pixels));
    }
    case pfEnhMetafile:
    case pfMetafile: {
      int width = 0, height = 0;
      TMetafileHandle metafile = format == pfEnhMetafile ? PictureLoadEnhMetafile(bytes, width, height)
                                                         : PictureLoadMetafile(bytes, width, height);
      if (!metafile) Refuse("metafile", fileName);
      const SIZE size = Fitted(width, height, displayWidth, displayHeight);
      if (int64_t(size.cx) * size.cy > maxPixels) Refuse("metafile", fileName);
      std::optional<TPicturePixels> pixels = PictureRasterize(size.cx, size.cy, [&](HDC dc, const RECT& r) {
        PlayEnhMetaFile(dc, metafile.get(), &r);
      });
      if (!pixels) Refuse("metafile", fileName);
      return Whole(width, height, std::move(pixels));
    }
    default:
      throw std::runtime_error(PictureUnknownExtensionMessage(fileName));
  }
}
