#pragma once

// "list.dat", the list file of a slideshow project: the interval on line 1, then one image
// path per line.  Bytes of the system's single-byte code page, no byte-order mark, CR LF after
// every line including the last.

#include <string>
#include <string_view>
#include <vector>

struct TListFile {
  std::string Interval;              // line 1, trimmed of blanks and control characters
  std::vector<std::string> Entries;  // the further lines as they stand; "" for an empty line
};

// The file's bytes: the interval exactly as given (not trimmed, not checked), then each entry.
std::string ListFileEncode(std::string_view interval, const std::vector<std::string>& entries);

// Reads the bytes back.  A line ends at CR LF, LF or a lone CR; the last line needs no end.
// Empty bytes give an empty interval and no entries.
TListFile ListFileDecode(std::string_view bytes);

// Reads and decodes fileName.  Throws EInOutError when it cannot be opened or read.
TListFile ListFileRead(const std::string& fileName);

// Writes the list file through a temporary file beside it that then replaces fileName, so a
// failed write leaves the previous list untouched.  Throws EInOutError ("Invalid filename"
// when the folder does not exist); no temporary file remains after a failure.
void ListFileWrite(const std::string& fileName, std::string_view interval,
                   const std::vector<std::string>& entries);
