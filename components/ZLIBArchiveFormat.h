#pragma once

// The byte layout of a slideshow archive (".pak").  The slideshow screen saver that reads these
// files is not ours, so every size and offset here binds exactly.
//
//   [member data blocks, from offset 0, in the order added]
//   [directory: count records of ZLBRecordSize bytes, one zlib stream, or raw as a fallback]
//   [trailer: ZLBTrailerSize bytes]
//
// All integers are little-endian.  There is no header and no magic number.

#include <array>
#include <cstdint>
#include <span>
#include <string>

inline constexpr std::size_t ZLBRecordSize = 532;
inline constexpr std::size_t ZLBTrailerSize = 36;

// Sizes and offsets are 32-bit fields that the reader treats as signed: members and the
// archive itself stay below 2 GiB.
inline constexpr std::uint64_t ZLBMaxSize = 0x7FFFFFFF;

// Ordinals are stored in the level byte of each record.
enum TFileCompressionLevel : std::uint8_t {
  fcNone = 0,     // zlib level 0
  fcFastest = 1,  // zlib level 1
  fcDefault = 2,  // zlib's default level (-1)
  fcMaximum = 3,  // zlib level 9
};

// The zlib level a TFileCompressionLevel selects.
int ZLBZlibLevel(TFileCompressionLevel level);

// Storage method byte of a record.
inline constexpr std::uint8_t ZLBMethodZlib = 0;
inline constexpr std::uint8_t ZLBMethodStored = 1;

// One directory record, decoded.  Name and Folder hold at most 255 bytes each (system code
// page); an empty Folder is stored as 256 zero bytes.
struct TZLBEntry {
  std::string Name;
  std::string Folder;
  std::uint32_t UncompressedSize = 0;  // bytes of the member's content
  std::uint32_t StoredSize = 0;        // bytes of its data block in the archive
  std::uint32_t Offset = 0;            // of the data block, from the start of the file
  std::uint32_t Crc = 0;               // CRC-32 of the uncompressed content
  std::uint8_t Method = ZLBMethodZlib; // ZLBMethodZlib or ZLBMethodStored
  std::uint8_t Level = 0;              // TFileCompressionLevel for method 0, else 0

  bool operator==(const TZLBEntry&) const = default;
};

using TZLBRecordBytes = std::array<std::uint8_t, ZLBRecordSize>;

// Encodes a record; names longer than 255 bytes are cut to 255.
TZLBRecordBytes ZLBEncodeRecord(const TZLBEntry& entry);
// Decodes a record.  Never fails: a length byte counts at most 255 bytes of its 256-byte field.
TZLBEntry ZLBDecodeRecord(std::span<const std::uint8_t, ZLBRecordSize> bytes);

// The trailer, decoded.  Reserved bytes are written as zero and ignored when read.
struct TZLBTrailer {
  std::uint32_t Crc = 0;          // CRC-32 of every byte before the trailer
  std::int32_t Count = 0;         // number of members
  std::uint32_t One = 1;          // always 1 when written; never checked
  std::uint32_t DirectorySize = 0;  // compressed: the stream's bytes; raw: file size before it
  std::uint8_t DirectoryCompressed = 1;  // 1 = zlib stream, 0 = raw records
};

using TZLBTrailerBytes = std::array<std::uint8_t, ZLBTrailerSize>;

TZLBTrailerBytes ZLBEncodeTrailer(const TZLBTrailer& trailer);
TZLBTrailer ZLBDecodeTrailer(std::span<const std::uint8_t, ZLBTrailerSize> bytes);
