#include "SlidePicture.h"

#include <algorithm>

#include "JPEGReader.h"
#include "PictureFormat.h"

namespace {

std::string SlideUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return text;
}

}  // namespace

TSlidePicture SlideDecode(const std::string& name, std::span<const std::uint8_t> bytes,
                          int displayWidth, int displayHeight, std::int64_t maxPixels) {
  const std::string extension = SlideUpper(PictureExtension(name));
  TSlidePicture picture;
  if (extension == "GIF") {
    picture.Gif = std::make_unique<TGIFAnimation>();
    picture.Gif->LoadOptions.MaxBitmapBytes = std::uint64_t(maxPixels) * 4;
    if (!picture.Gif->LoadFromBytes(bytes))
      throw ESlideError(name + ": " + picture.Gif->LastError());
    picture.Gif->SetLoop(true);
    picture.Gif->SetAnimate(true);
    picture.Width = picture.Gif->Picture().Width;
    picture.Height = picture.Gif->Picture().Height;
  } else if (extension == "JPG" || extension == "JPEG") {
    TJPEGPicture jpeg;
    try {
      // The orientation is only known from the file itself, so the decode must cover the
      // display either way round: the longer side of the display in both directions.
      const int side = std::max(displayWidth, displayHeight);
      TJPEGReadOptions options;
      options.DisplayWidth = side;
      options.DisplayHeight = side;
      options.MaxPixels = maxPixels;
      jpeg = JPEGRead(bytes, options);
    } catch (const EJPEGError& error) {
      throw ESlideError(name + ": " + error.what());
    }
    picture.Still = {jpeg.Width, jpeg.Height, std::move(jpeg.Pixels)};
    SlideOrient(picture.Still, jpeg.Orientation);
    const bool turns = SlideOrientationTurns(jpeg.Orientation);
    picture.Width = turns ? jpeg.FileHeight : jpeg.FileWidth;
    picture.Height = turns ? jpeg.FileWidth : jpeg.FileHeight;
  } else if (extension == "BMP") {
    try {
      picture.Still = SlideReadBMP(bytes, maxPixels);
    } catch (const ESlideError& error) {
      throw ESlideError(name + ": " + error.what());
    }
    picture.Width = picture.Still.Width;
    picture.Height = picture.Still.Height;
  } else {
    throw ESlideError(PictureUnknownExtensionMessage(name));
  }
  return picture;
}
