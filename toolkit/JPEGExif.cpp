#include "JPEGExif.h"

#include <cstring>

namespace {

// The EXIF body: "Exif\0\0", then a TIFF file whose header names its byte order ("II" little,
// "MM" big endian), holds 42 and the offset of the first directory from the TIFF header.  A
// directory is a 2-byte entry count and 12-byte entries: tag, type, count, value.
constexpr size_t ExifPrefix = 6;
constexpr uint16_t OrientationTag = 0x0112;
constexpr uint16_t ShortType = 3;

struct TTiff {
  const uint8_t* data;
  size_t length;
  bool little;

  bool Has(size_t offset, size_t bytes) const { return offset <= length && bytes <= length - offset; }
  uint16_t U16(size_t offset) const {
    return little ? uint16_t(data[offset] | data[offset + 1] << 8)
                  : uint16_t(data[offset] << 8 | data[offset + 1]);
  }
  uint32_t U32(size_t offset) const {
    return little ? uint32_t(U16(offset)) | uint32_t(U16(offset + 2)) << 16
                  : uint32_t(U16(offset)) << 16 | uint32_t(U16(offset + 2));
  }
};

}  // namespace

int JPEGExifOrientation(const uint8_t* app1, size_t length) {
  if (!app1 || length < ExifPrefix + 8 || std::memcmp(app1, "Exif\0\0", ExifPrefix) != 0) return 1;
  TTiff tiff{app1 + ExifPrefix, length - ExifPrefix, false};
  if (std::memcmp(tiff.data, "II", 2) == 0) {
    tiff.little = true;
  } else if (std::memcmp(tiff.data, "MM", 2) != 0) {
    return 1;
  }
  if (tiff.U16(2) != 42) return 1;
  const size_t directory = tiff.U32(4);
  if (!tiff.Has(directory, 2)) return 1;
  const size_t entries = tiff.U16(directory);
  // The count comes from the file: only entries that lie inside the data are looked at.
  for (size_t n = 0; n < entries && tiff.Has(directory + 2 + n * 12, 12); ++n) {
    const size_t entry = directory + 2 + n * 12;
    if (tiff.U16(entry) != OrientationTag) continue;
    if (tiff.U16(entry + 2) != ShortType || tiff.U32(entry + 4) != 1) return 1;
    const int value = tiff.U16(entry + 8);
    return value >= 1 && value <= 8 ? value : 1;
  }
  return 1;
}
