#include "PictureRender.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "GIFAnimation.h"
#include "JPEGReader.h"
#include "PictureFormat.h"
#include "PictureStretch.h"

namespace {

bool Stretched(int width, int height) { return width > 0 && height > 0; }

std::string SizeText(int width, int height) {
  return std::to_string(width) + " x " + std::to_string(height);
}

void Finish(TRenderedPicture& picture, int width, int height) {
  if (!Stretched(width, height)) return;
  picture.Pixels = PictureStretch(picture.Pixels.data(), picture.Width, picture.Height, width, height);
  picture.Width = width;
  picture.Height = height;
}

TRenderedPicture RenderGif(const std::string& fileName, int width, int height) {
  TGIFAnimation gif;
  if (!gif.LoadFromFile(fileName)) throw std::runtime_error(gif.LastError());
  const TGIFBitmap32& frame = gif.Canvas().Picture();   // the load composes frame 1
  TRenderedPicture picture;
  picture.Width = frame.Width;
  picture.Height = frame.Height;
  picture.Pixels.reserve(size_t(frame.Width) * size_t(frame.Height));
  for (int y = 0; y < frame.Height; ++y) {
    picture.Pixels.insert(picture.Pixels.end(), frame.Row(y), frame.Row(y) + frame.Width);
  }
  picture.Report = {std::string("format ") + (gif.Picture().Version == gvGIF89a ? "GIF89a" : "GIF87a") +
                        ", " + std::to_string(gif.FrameCount()) + " frames",
                    "size " + SizeText(frame.Width, frame.Height), "decoded at full size"};
  Finish(picture, width, height);
  return picture;
}

TRenderedPicture RenderJpeg(const std::string& fileName, int width, int height) {
  TJPEGReadOptions options;
  if (Stretched(width, height)) {
    options.DisplayWidth = width;
    options.DisplayHeight = height;
  }
  TJPEGPicture jpeg = JPEGRead(PictureReadFile(fileName), options);
  TRenderedPicture picture;
  picture.Width = jpeg.Width;
  picture.Height = jpeg.Height;
  picture.Pixels = std::move(jpeg.Pixels);
  picture.Report = {std::string("format JPEG, ") + JPEGColorSpaceName(jpeg.ColorSpace) +
                        (jpeg.Progressive ? ", progressive" : ", sequential") +
                        (jpeg.Orientation != 1 ? ", EXIF orientation " + std::to_string(jpeg.Orientation) : ""),
                    "size " + SizeText(jpeg.FileWidth, jpeg.FileHeight),
                    jpeg.ScaleDenominator == 1
                        ? std::string("decoded at full size")
                        : "decoded scaled at 1/" + std::to_string(jpeg.ScaleDenominator) + ": " +
                              SizeText(jpeg.Width, jpeg.Height)};
  Finish(picture, width, height);
  return picture;
}

}  // namespace

TRenderedPicture PictureRender(const std::string& fileName, int width, int height) {
  std::string extension = PictureExtension(fileName);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return char(std::toupper(c)); });
  if (extension == "GIF") return RenderGif(fileName, width, height);
  switch (PictureFormatOf(fileName)) {
    case pfJPEG: return RenderJpeg(fileName, width, height);
    case pfUnknown: throw std::runtime_error(PictureUnknownExtensionMessage(fileName));
    default: return PictureRenderPlatform(fileName, width, height);
  }
}
