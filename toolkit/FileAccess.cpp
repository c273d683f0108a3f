#include "FileAccess.h"

#include <ext/stdio_filebuf.h>

namespace {

// A stream over a C file it owns (the C++ streams take no wide names in this runtime).
class TFileStream : public std::istream {
public:
  explicit TFileStream(TFileHandle file)
      : std::istream(nullptr), file_(std::move(file)), buffer_(file_.get(), std::ios::in | std::ios::binary) {
    rdbuf(&buffer_);
  }

private:
  TFileHandle file_;
  __gnu_cxx::stdio_filebuf<char> buffer_;
};

}  // namespace

std::unique_ptr<std::istream> FileOpenRead(const std::string& path) {
  TFileHandle file = FileOpen(path, "rb");
  if (!file) return nullptr;
  return std::make_unique<TFileStream>(std::move(file));
}

bool FileReadAll(const std::string& path, std::vector<uint8_t>& bytes) {
  TFileHandle file = FileOpen(path, "rb");
  if (!file) return false;
  bytes.clear();
  uint8_t piece[65536];
  // Each pass reads at least one byte or ends the loop.
  while (const size_t got = std::fread(piece, 1, sizeof piece, file.get())) bytes.insert(bytes.end(), piece, piece + got);
  return !std::ferror(file.get());
}

bool FileNameHeldByCodePage(const std::string& name) {
  return name.find_first_of("?*") == std::string::npos;
}
