#include "PictureDecode.h"

#include <stdexcept>

#include "JPEGReader.h"

TPictureBitmap PictureDecode(std::span<const uint8_t> bytes, const std::string& fileName,
                             int displayWidth, int displayHeight, int64_t maxPixels,
                             const std::function<bool()>& cancelled) {
  const TPictureFormat format = PictureFormatOf(fileName);
  if (format == pfUnknown) throw std::runtime_error(PictureUnknownExtensionMessage(fileName));
  if (format != pfJPEG)
    return PictureDecodePlatform(bytes, format, fileName, displayWidth, displayHeight, maxPixels);
  TJPEGReadOptions options;
  options.DisplayWidth = displayWidth;
  options.DisplayHeight = displayHeight;
  options.MaxPixels = maxPixels;
  options.Cancelled = cancelled;
  TJPEGPicture jpeg = JPEGRead(bytes, options);
  return {jpeg.FileWidth, jpeg.FileHeight, jpeg.Width, jpeg.Height, std::move(jpeg.Pixels),
          jpeg.Orientation};
}
