#include "GraphFile.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>
#include <vector>

namespace {

struct TFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// A name beside the target that no other save is using at the same moment.
std::string TemporaryNameFor(const std::string& fileName) {
  static const char digits[] = "0123456789abcdef";
  std::random_device random;
  std::string name = fileName + ".~";
  for (int i = 0; i < 8; ++i) name += digits[random() % 16];
  return name;
}

// Writes, flushes and closes an open file; false on any failure.
bool WriteAndClose(TFile file, const std::vector<uint8_t>& bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size() &&
                       std::fflush(file.get()) == 0;
  return std::fclose(file.release()) == 0 && written;
}

}  // namespace

TGraphSet LoadGraphFile(const std::string& fileName) {
  TFile file(std::fopen(fileName.c_str(), "rb"));
  if (!file) throw EFileError("Cannot open file " + fileName);
  std::vector<uint8_t> bytes;
  uint8_t block[65536];
  size_t got;
  while ((got = std::fread(block, 1, sizeof block, file.get())) > 0) {
    bytes.insert(bytes.end(), block, block + got);
  }
  if (std::ferror(file.get())) throw EFileError("Cannot open file " + fileName);
  return ParseGraphSet(bytes);
}

void SaveGraphFile(const std::string& fileName, const TGraphSet& set) {
  const std::vector<uint8_t> bytes = SerializeGraphSet(set);
  const std::string temporary = TemporaryNameFor(fileName);
  TFile file(std::fopen(temporary.c_str(), "wb"));
  if (!file) throw EFileError("Cannot create file " + fileName);
  std::error_code error;
  if (WriteAndClose(std::move(file), bytes)) {
    std::filesystem::rename(temporary, fileName, error);  // replaces the old file
  } else {
    error = std::make_error_code(std::errc::io_error);
  }
  if (error) {
    std::remove(temporary.c_str());
    throw EFileError("Cannot write file " + fileName);
  }
}

std::string FileStem(std::string_view path) {
  const size_t slash = path.find_last_of("\\/");
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  return std::string(name.substr(0, name.find('.')));
}
