#include "ListFile.h"

#include <cerrno>
#include <cstdio>

#include "FileAccess.h"
#include "FileError.h"

namespace {

bool FolderOfExists(const std::string& fileName) {
  const std::size_t cut = fileName.find_last_of("\\/");
  return cut == std::string::npos || cut == 0 || FileIsFolder(fileName.substr(0, cut));
}

[[noreturn]] void Fail(int errnoValue, const std::string& fileName) {
  throw EInOutError(FileErrorFromErrno(errnoValue, FolderOfExists(fileName)));
}

// Trimming rule of the list file: every character up to and including the space (codes 0 to
// 32: controls, tab, CR, LF and the space itself) is blank and is cut from both ends.
std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace

std::string ListFileEncode(std::string_view interval, const std::vector<std::string>& entries) {
  std::string bytes(interval);
  bytes += "\r\n";
  for (const std::string& entry : entries) {
    bytes += entry;
    bytes += "\r\n";
  }
  return bytes;
}

TListFile ListFileDecode(std::string_view bytes) {
  TListFile list;
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  // Each pass consumes at least one byte or ends the walk.
  while (start < bytes.size()) {
    const std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n' ? 2 : 1);
  }
  if (!lines.empty()) list.Interval = std::string(Trim(lines.front()));
  for (std::size_t i = 1; i < lines.size(); ++i) list.Entries.emplace_back(lines[i]);
  return list;
}

TListFile ListFileRead(const std::string& fileName) {
  if (FileIsFolder(fileName)) throw EInOutError(FileErrAccessDenied);
  errno = 0;
  TFileHandle file = FileOpen(fileName, "rb");
  if (!file) Fail(errno, fileName);
  std::string bytes;
  char piece[65536];
  while (std::size_t got = std::fread(piece, 1, sizeof piece, file.get())) bytes.append(piece, got);
  if (std::ferror(file.get())) Fail(errno, fileName);
  return ListFileDecode(bytes);
}

void ListFileWrite(const std::string& fileName, std::string_view interval,
                   const std::vector<std::string>& entries) {
  const std::string temp = fileName + ".new";
  const std::string bytes = ListFileEncode(interval, entries);
  errno = 0;
  TFileHandle file = FileOpen(temp, "wb");
  if (!file) Fail(errno, temp);
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file.release()) == 0;
  if (!written || !closed) {
    const int code = written ? errno : writeErrno;
    FileDelete(temp);
    Fail(code, fileName);
  }
  if (const std::error_code ec = FileMove(temp, fileName)) {
    FileDelete(temp);
    throw EInOutError(FileErrorFromCode(ec, FolderOfExists(fileName)));
  }
}
