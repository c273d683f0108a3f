#include "ArchiveFuzzBytes.h"

#include <zlib.h>

#include "ZLIBArchiveFormat.h"

std::string ArchiveFuzzBytes(const std::uint8_t* data, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size >= ZLBTrailerSize && (data[0] & 1) != 0) {
    const std::size_t body = size - ZLBTrailerSize;
    const uLong crc = crc32(0, data, static_cast<uInt>(body));
    for (int i = 0; i < 4; ++i) bytes[body + i] = static_cast<char>(crc >> (8 * i));
  }
  return bytes;
}
