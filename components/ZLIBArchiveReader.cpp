#include "ZLIBArchiveReader.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <zlib.h>

namespace {

constexpr std::size_t CrcPiece = 10240;
constexpr std::size_t DirectoryPiece = 4096;

// The stream's size, leaving its position at the start.
std::uint64_t StreamSize(std::istream& stream) {
  stream.clear();
  stream.seekg(0, std::ios::end);
  const std::streamoff size = stream.tellg();
  stream.seekg(0, std::ios::beg);
  if (!stream || size < 0) throw EZLBArchiveError(ZLBErrCorrupted);
  return static_cast<std::uint64_t>(size);
}

void ReadExactly(std::istream& stream, void* into, std::size_t count, const char* error) {
  stream.read(static_cast<char*>(into), static_cast<std::streamsize>(count));
  if (static_cast<std::size_t>(stream.gcount()) != count) throw EZLBArchiveError(error);
}

int Percent(std::uint64_t done, std::uint64_t total) {
  return total == 0 ? 100 : static_cast<int>(std::lround(100.0 * done / total));
}

// Inflates exactly `wanted` bytes from the zlib stream of `available` bytes at the stream's
// position.  Output grows with what the stream really yields, so a trailer that claims
// millions of records cannot make us allocate more than its directory inflates to.
//
// wholeStream: the stream must also end right after the records, its Adler-32 checked.  Without
// the file's CRC behind it, that is what tells a damaged directory from a good one.
std::vector<std::uint8_t> InflateDirectory(std::istream& stream, std::uint64_t available,
                                           std::uint64_t wanted, bool wholeStream,
                                           const TZLBProgressEvent& onProgress) {
  std::vector<std::uint8_t> out;
  if (wanted == 0 && !wholeStream) return out;

  z_stream z{};
  if (inflateInit(&z) != Z_OK) throw EZLBArchiveError(ZLBErrFileList);
  struct Guard {
    z_stream* z;
    ~Guard() { inflateEnd(z); }
  } guard{&z};

  std::array<std::uint8_t, CrcPiece> input;
  std::array<std::uint8_t, DirectoryPiece> piece;
  int status = Z_OK;
  // Every pass either consumes input (at most `available` bytes in all) or produces output
  // (at most `wanted` bytes, one more when the whole stream is read); a pass that does neither
  // ends the loop as a damaged stream.
  for (;;) {
    const bool recordsRead = out.size() == wanted;
    if (recordsRead && (!wholeStream || status == Z_STREAM_END)) break;
    if (status == Z_STREAM_END) throw EZLBArchiveError(ZLBErrFileList);  // too few records
    if (z.avail_in == 0 && available > 0) {
      const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(available, input.size()));
      ReadExactly(stream, input.data(), take, ZLBErrFileList);
      available -= take;
      z.next_in = input.data();
      z.avail_in = static_cast<uInt>(take);
    }
    // Once the records are in, one byte of room: the stream must end without filling it.
    const std::size_t ask =
        recordsRead ? 1 : static_cast<std::size_t>(std::min<std::uint64_t>(wanted - out.size(), piece.size()));
    z.next_out = piece.data();
    z.avail_out = static_cast<uInt>(ask);
    const uInt inBefore = z.avail_in;
    status = inflate(&z, Z_NO_FLUSH);
    const std::size_t produced = ask - z.avail_out;
    if (recordsRead && produced > 0) throw EZLBArchiveError(ZLBErrFileList);  // more than count
    out.insert(out.end(), piece.data(), piece.data() + produced);
    if (onProgress && produced > 0) onProgress("Extracting archive registry", Percent(out.size(), wanted));
    if (status != Z_OK && status != Z_BUF_ERROR && status != Z_STREAM_END)
      throw EZLBArchiveError(ZLBErrFileList);
    if (status != Z_STREAM_END && produced == 0 && z.avail_in == inBefore && available == 0)
      throw EZLBArchiveError(ZLBErrFileList);  // input exhausted before the records
  }
  return out;
}

}  // namespace

std::string ZLBFormat(const char* message, const std::string& text) {
  std::string result = message;
  const std::size_t at = result.find("%s");
  if (at != std::string::npos) result.replace(at, 2, text);
  return result;
}

std::uint32_t ZLBStreamCRC(std::istream& stream, std::uint64_t leaveOut) {
  stream.clear();
  const std::streampos saved = stream.tellg();
  const std::uint64_t size = StreamSize(stream);
  std::uint64_t left = size > leaveOut ? size - leaveOut : 0;
  uLong crc = crc32(0, nullptr, 0);
  std::array<std::uint8_t, CrcPiece> piece;
  while (left > 0) {  // bounded by the stream's size
    const std::size_t take = static_cast<std::size_t>(std::min<std::uint64_t>(left, piece.size()));
    ReadExactly(stream, piece.data(), take, ZLBErrCorrupted);
    crc = crc32(crc, piece.data(), static_cast<uInt>(take));
    left -= take;
  }
  stream.clear();
  stream.seekg(saved);
  return static_cast<std::uint32_t>(crc);
}

namespace {

TZLBArchiveContents ReadDirectory(std::istream& stream, bool checkCrc, const TZLBProgressEvent& onProgress) {
  const std::uint64_t size = StreamSize(stream);
  if (size < ZLBTrailerSize) throw EZLBArchiveError(ZLBErrCorrupted);

  TZLBArchiveContents contents;
  const std::uint32_t crc = checkCrc ? ZLBStreamCRC(stream, ZLBTrailerSize) : 0;
  TZLBTrailerBytes trailerBytes;
  stream.seekg(static_cast<std::streamoff>(size - ZLBTrailerSize));
  ReadExactly(stream, trailerBytes.data(), trailerBytes.size(), ZLBErrCorrupted);
  contents.Trailer = ZLBDecodeTrailer(trailerBytes);
  if (checkCrc && contents.Trailer.Crc != crc) throw EZLBArchiveError(ZLBErrCorrupted);

  // The CRC only proves the bytes are the ones written; the counts still have to be possible.
  const TZLBTrailer& trailer = contents.Trailer;
  if (trailer.Count < 0) throw EZLBArchiveError(ZLBErrFileList);
  const std::uint64_t body = size - ZLBTrailerSize;
  const std::uint64_t directoryBytes = std::uint64_t(trailer.Count) * ZLBRecordSize;
  if (directoryBytes > ZLBMaxSize) throw EZLBArchiveError(ZLBErrFileList);

  std::vector<std::uint8_t> records;
  // Any non-zero flag reads as "compressed", as a Boolean byte does.
  if (trailer.DirectoryCompressed != 0) {
    if (trailer.DirectorySize > body) throw EZLBArchiveError(ZLBErrFileList);
    stream.seekg(static_cast<std::streamoff>(body - trailer.DirectorySize));
    records = InflateDirectory(stream, trailer.DirectorySize, directoryBytes, !checkCrc, onProgress);
  } else {
    // A raw directory is found from the count alone; the trailer's size field is not used.
    if (directoryBytes > body) throw EZLBArchiveError(ZLBErrFileList);
    stream.seekg(static_cast<std::streamoff>(body - directoryBytes));
    records.resize(static_cast<std::size_t>(directoryBytes));
    ReadExactly(stream, records.data(), records.size(), ZLBErrFileList);
  }

  contents.Entries.reserve(static_cast<std::size_t>(trailer.Count));
  for (std::size_t at = 0; at < records.size(); at += ZLBRecordSize)
    contents.Entries.push_back(
        ZLBDecodeRecord(std::span<const std::uint8_t, ZLBRecordSize>(&records[at], ZLBRecordSize)));
  return contents;
}

}  // namespace

TZLBArchiveContents ZLBReadArchive(std::istream& stream, const TZLBProgressEvent& onProgress) {
  return ReadDirectory(stream, true, onProgress);
}

TZLBArchiveContents ZLBReadDirectory(std::istream& stream) {
  TZLBArchiveContents contents = ReadDirectory(stream, false, {});
  const std::string fault = ZLBCheckEntries(contents, StreamSize(stream));
  if (!fault.empty()) throw EZLBArchiveError(ZLBErrFileList);
  return contents;
}

std::string ZLBCheckEntries(const TZLBArchiveContents& contents, std::uint64_t fileSize) {
  const TZLBTrailer& trailer = contents.Trailer;
  const std::uint64_t directory = trailer.DirectoryCompressed != 0
                                      ? trailer.DirectorySize
                                      : std::uint64_t(contents.Entries.size()) * ZLBRecordSize;
  if (fileSize < ZLBTrailerSize + directory) return "The directory does not fit in the file";
  const std::uint64_t memberEnd = fileSize - ZLBTrailerSize - directory;
  for (std::size_t i = 0; i < contents.Entries.size(); ++i) {
    const TZLBEntry& e = contents.Entries[i];
    const std::string which = "Member " + std::to_string(i) + " (" + e.Name + ")";
    if (std::uint64_t(e.Offset) + e.StoredSize > memberEnd)
      return which + " lies outside the member data";
    if (e.Method == ZLBMethodStored) {
      if (e.StoredSize != e.UncompressedSize) return which + " is stored with a wrong size";
      if (e.Level != 0) return which + " is stored with a compression level";
    } else if (e.Method == ZLBMethodZlib) {
      if (e.Level > fcMaximum) return which + " has an unknown compression level";
    } else {
      return which + " has an unknown storage method";
    }
  }
  return {};
}
