#include "SlidePicture.h"

#include <algorithm>

#include "PictureDecode.h"
#include "PictureFormat.h"
#include "SlideScale.h"

namespace {

std::string SlideUpper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = char(c - 32);
  return text;
}

}  // namespace

TSlidePicture SlideDecode(const std::string& name, std::span<const std::uint8_t> bytes,
                          int displayWidth, int displayHeight,
                          const std::function<bool()>& cancelled, std::int64_t maxPixels) {
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
  } else {
    TPictureBitmap still;
    try {
      // The orientation is only known from the file itself, so the decode must cover the
      // display either way round: the longer side of the display in both directions.
      const int side = std::max(displayWidth, displayHeight);
      still = PictureDecode(bytes, name, side, side, maxPixels, cancelled);
    } catch (const std::runtime_error& error) {
      throw ESlideError(name + ": " + error.what());
    }
    picture.Still = {still.PixelWidth, still.PixelHeight, std::move(still.Pixels)};
    SlideOrient(picture.Still, still.Orientation);
    const bool turns = SlideOrientationTurns(still.Orientation);
    picture.Width = turns ? still.Height : still.Width;
    picture.Height = turns ? still.Width : still.Height;
  }
  return picture;
}

void SlideFitPicture(TSlidePicture& picture, int areaWidth, int areaHeight, bool enlarge) {
  picture.Place = SlideFit(picture.Width, picture.Height, areaWidth, areaHeight, enlarge);
  TSlideBitmap& still = picture.Still;
  if (picture.Gif || (still.Width == picture.Place.Width && still.Height == picture.Place.Height)) return;
  still = SlideScale(still, picture.Place.Width, picture.Place.Height);
}
