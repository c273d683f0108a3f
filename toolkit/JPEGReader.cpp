#include "JPEGReader.h"

#include <memory>

#include "JPEGDecoder.h"
#include "JPEGExif.h"

namespace {

struct TDecoderDeleter {
  void operator()(JPEGDecoder* decoder) const { JPEGDecoderDestroy(decoder); }
};
using TDecoder = std::unique_ptr<JPEGDecoder, TDecoderDeleter>;

[[noreturn]] void Fail(const JPEGDecoder* decoder) { throw EJPEGError(JPEGDecoderMessage(decoder)); }

TJPEGColorSpace ColorSpaceOf(int space) {
  switch (space) {
    case JPEGDecoderGrayscale: return jcGrayscale;
    case JPEGDecoderRGB: return jcRGB;
    case JPEGDecoderYCbCr: return jcYCbCr;
    case JPEGDecoderCMYK: return jcCMYK;
    case JPEGDecoderYCCK: return jcYCCK;
    default: return jcUnknown;
  }
}

}  // namespace

const char* JPEGColorSpaceName(TJPEGColorSpace space) {
  switch (space) {
    case jcGrayscale: return "greyscale";
    case jcRGB: return "RGB";
    case jcYCbCr: return "YCbCr";
    case jcCMYK: return "CMYK";
    case jcYCCK: return "YCCK";
    case jcUnknown: break;
  }
  return "unknown colour space";
}

int JPEGScaleDenominator(int fileWidth, int fileHeight, int displayWidth, int displayHeight) {
  if (displayWidth <= 0 || displayHeight <= 0) return 1;
  int denominator = 1;
  // libjpeg's scaled size is the file's size divided and rounded up.
  auto scaled = [](int size, int by) { return (int64_t(size) + by - 1) / by; };
  while (denominator < 8 && scaled(fileWidth, denominator * 2) >= displayWidth &&
         scaled(fileHeight, denominator * 2) >= displayHeight) {
    denominator *= 2;
  }
  return denominator;
}

TJPEGPicture JPEGRead(std::span<const uint8_t> bytes, const TJPEGReadOptions& options) {
  TDecoder decoder(JPEGDecoderCreate());
  if (!decoder) throw std::bad_alloc();
  JPEGDecoderInfo info;
  if (!JPEGDecoderReadHeader(decoder.get(), bytes.data(), bytes.size(), options.MaxScans, &info)) {
    Fail(decoder.get());
  }
  if (int64_t(info.Width) * info.Height > options.MaxPixels) {
    throw EJPEGError("JPEG picture too large (" + std::to_string(info.Width) + " x " +
                     std::to_string(info.Height) + " pixels)");
  }
  TJPEGPicture picture;
  picture.FileWidth = info.Width;
  picture.FileHeight = info.Height;
  picture.ColorSpace = ColorSpaceOf(info.ColorSpace);
  picture.Progressive = info.Progressive != 0;
  picture.Orientation = JPEGExifOrientation(info.App1, info.App1Length);
  picture.ScaleDenominator =
      JPEGScaleDenominator(info.Width, info.Height, options.DisplayWidth, options.DisplayHeight);
  if (options.Cancelled) {
    JPEGDecoderSetCancel(decoder.get(), [](void* context) {
      return (*static_cast<const std::function<bool()>*>(context))() ? 1 : 0;
    }, const_cast<std::function<bool()>*>(&options.Cancelled));
  }
  JPEGDecoderOutput output;
  if (!JPEGDecoderSetScale(decoder.get(), picture.ScaleDenominator, &output)) Fail(decoder.get());
  picture.Width = output.Width;
  picture.Height = output.Height;
  picture.Pixels.resize(size_t(output.Width) * size_t(output.Height));
  if (!JPEGDecoderReadPixels(decoder.get(), reinterpret_cast<unsigned char*>(picture.Pixels.data()))) {
    Fail(decoder.get());
  }
  return picture;
}
