#include "ZLIBArchiveFormat.h"

#include <algorithm>

#include <zlib.h>

namespace {

void PutU32(std::uint8_t* at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t GetU32(const std::uint8_t* at) {
  return std::uint32_t{at[0]} | std::uint32_t{at[1]} << 8 | std::uint32_t{at[2]} << 16 |
         std::uint32_t{at[3]} << 24;
}

// A length byte followed by up to 255 characters; the rest of the 256-byte field stays zero.
void PutShortString(std::uint8_t* field, const std::string& text) {
  const std::size_t length = std::min<std::size_t>(text.size(), 255);
  field[0] = static_cast<std::uint8_t>(length);
  std::copy_n(text.data(), length, field + 1);
}

std::string GetShortString(const std::uint8_t* field) {
  return std::string(reinterpret_cast<const char*>(field + 1), field[0]);
}

}  // namespace

int ZLBZlibLevel(TFileCompressionLevel level) {
  switch (level) {
    case fcNone: return 0;
    case fcFastest: return 1;
    case fcMaximum: return 9;
    case fcDefault: break;
  }
  return Z_DEFAULT_COMPRESSION;
}

TZLBRecordBytes ZLBEncodeRecord(const TZLBEntry& entry) {
  TZLBRecordBytes bytes{};
  PutShortString(&bytes[0], entry.Name);
  if (!entry.Folder.empty()) PutShortString(&bytes[256], entry.Folder);
  PutU32(&bytes[512], entry.UncompressedSize);
  PutU32(&bytes[516], entry.StoredSize);
  PutU32(&bytes[520], entry.Offset);
  PutU32(&bytes[524], entry.Crc);
  bytes[528] = entry.Method;
  bytes[529] = entry.Level;
  return bytes;
}

TZLBEntry ZLBDecodeRecord(std::span<const std::uint8_t, ZLBRecordSize> bytes) {
  TZLBEntry entry;
  entry.Name = GetShortString(&bytes[0]);
  entry.Folder = GetShortString(&bytes[256]);
  entry.UncompressedSize = GetU32(&bytes[512]);
  entry.StoredSize = GetU32(&bytes[516]);
  entry.Offset = GetU32(&bytes[520]);
  entry.Crc = GetU32(&bytes[524]);
  entry.Method = bytes[528];
  entry.Level = bytes[529];
  return entry;
}

TZLBTrailerBytes ZLBEncodeTrailer(const TZLBTrailer& trailer) {
  TZLBTrailerBytes bytes{};
  PutU32(&bytes[0], trailer.Crc);
  PutU32(&bytes[4], static_cast<std::uint32_t>(trailer.Count));
  PutU32(&bytes[8], trailer.One);
  PutU32(&bytes[12], trailer.DirectorySize);
  bytes[16] = trailer.DirectoryCompressed;
  return bytes;
}

TZLBTrailer ZLBDecodeTrailer(std::span<const std::uint8_t, ZLBTrailerSize> bytes) {
  TZLBTrailer trailer;
  trailer.Crc = GetU32(&bytes[0]);
  trailer.Count = static_cast<std::int32_t>(GetU32(&bytes[4]));
  trailer.One = GetU32(&bytes[8]);
  trailer.DirectorySize = GetU32(&bytes[12]);
  trailer.DirectoryCompressed = bytes[16];
  return trailer;
}
