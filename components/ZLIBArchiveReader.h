#pragma once

// Reading and checking an archive from any seekable byte stream.  TZLBArchive::OpenArchive
// uses this on a file; tests and the fuzzer use it on bytes in memory.

#include <cstdint>
#include <functional>
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "ZLIBArchiveFormat.h"

// Every error the archive component raises.  what() is the message shown to the user, one of
// the texts below (some with a file name in place of %s).
class EZLBArchiveError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr const char* ZLBErrFileExists = "File already exists";
inline constexpr const char* ZLBErrNoArchive = "No archive is currently open";
inline constexpr const char* ZLBErrNotFound = "Archive file not found";
inline constexpr const char* ZLBErrUnableToOpen = "Unable to open file (%s)";
inline constexpr const char* ZLBErrCorrupted = "The archive file appears to be corrupted";
inline constexpr const char* ZLBErrFileList = "Unable to read archive file list";
inline constexpr const char* ZLBErrIndex = "Index out of bounds";

// A message with %s replaced by text.
std::string ZLBFormat(const char* message, const std::string& text);

// Progress report: the text ("Extracting archive registry", "Updating NAME", ...) and a
// percentage 0..100.
using TZLBProgressEvent = std::function<void(const std::string& Msg, int Percentage)>;

// CRC-32 (zlib's, the standard reflected polynomial 0xEDB88320) of the stream's bytes from
// offset 0 up to its size minus leaveOut, read in 10240-byte pieces.  The stream's position is
// restored afterwards.  leaveOut beyond the size leaves nothing to sum (result 0).
// Throws EZLBArchiveError (ZLBErrCorrupted) when the stream cannot be read that far.
std::uint32_t ZLBStreamCRC(std::istream& stream, std::uint64_t leaveOut);

struct TZLBArchiveContents {
  TZLBTrailer Trailer;
  std::vector<TZLBEntry> Entries;  // in directory order
};

// Checks the CRC and loads the directory of the archive held by stream (read from offset 0 to
// its end).  Throws EZLBArchiveError:
//   ZLBErrCorrupted  the file is shorter than a trailer or its CRC differs from the trailer's;
//   ZLBErrFileList   the directory cannot be read: a negative or impossible member count, a
//                    directory size that points outside the file, a zlib stream that is
//                    damaged or ends before count records.
// Memory use is bounded by what the file holds: a directory grows only as its stream actually
// inflates, never by the counts the trailer claims.  Records are not checked against each
// other or against the data blocks (see ZLBCheckEntries).
TZLBArchiveContents ZLBReadArchive(std::istream& stream, const TZLBProgressEvent& onProgress = {});

// The directory alone, for a reader that checks each member as it extracts it (the slideshow
// saver, which must not read a large archive whole before its first picture): no CRC pass
// over the file.  Instead, a compressed directory must be one whole zlib stream that ends
// after its records (its Adler-32 checked), and the records must pass ZLBCheckEntries.
// Throws EZLBArchiveError as ZLBReadArchive does, ZLBErrFileList for a directory that fails
// those checks.  Reads the trailer and the directory only.
TZLBArchiveContents ZLBReadDirectory(std::istream& stream);

// The stricter check of `pak verify`: every data block lies inside the member area before
// the directory, methods and levels are known, stored sizes of method 1 equal the content
// size.  Returns an empty string when all holds, else a sentence naming the first faulty member.
std::string ZLBCheckEntries(const TZLBArchiveContents& contents, std::uint64_t fileSize);
