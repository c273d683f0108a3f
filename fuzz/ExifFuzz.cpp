// Any bytes as the body of a JPEG file's APP1 marker.  The orientation read from them is one
// of the eight EXIF values, and the JPEG reader, given a small file that carries them as its
// APP1 marker, finds the same orientation.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "JPEGExif.h"
#include "JPEGReader.h"
#include "JPEGWriter.h"

namespace {

// A marker's length field counts itself and the body in 16 bits.
constexpr std::size_t MaxMarkerBody = 0xFFFF - 2;

// A JPEG file with the body inserted as its only APP1 marker, right after the start marker.
std::vector<uint8_t> ExifFuzzFile(const uint8_t* body, std::size_t size) {
  static const std::vector<uint8_t> picture = [] {
    TJPEGTestImage image;
    image.Width = 8;
    image.Height = 8;
    image.Space = jtGrayscale;
    return JPEGTestWrite(image);
  }();
  const std::size_t length = size + 2;
  std::vector<uint8_t> file = {0xFF, 0xD8, 0xFF, 0xE1, uint8_t(length >> 8), uint8_t(length)};
  file.insert(file.end(), body, body + size);
  file.insert(file.end(), picture.begin() + 2, picture.end());
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  const int orientation = JPEGExifOrientation(data, size);
  if (orientation < 1 || orientation > 8) std::abort();
  if (size > MaxMarkerBody) return 0;
  const TJPEGPicture picture = JPEGRead(ExifFuzzFile(data, size), TJPEGReadOptions{});
  if (picture.Orientation != orientation) std::abort();
  return 0;
}
