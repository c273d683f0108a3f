#include "ZLBPath.h"

#include <algorithm>

namespace {

std::size_t NameStart(std::string_view path) {
  const std::size_t last = path.find_last_of("\\/:");
  return last == std::string_view::npos ? 0 : last + 1;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string ZLBFileName(std::string_view path) { return std::string(path.substr(NameStart(path))); }

std::string ZLBFilePath(std::string_view path) { return std::string(path.substr(0, NameStart(path))); }

std::string ZLBStoredFolder(std::string_view path) {
  const std::string folder = ZLBFilePath(path);
  const std::size_t colon = folder.find(':');
  return colon == std::string::npos ? folder : folder.substr(colon + 1);
}

bool ZLBSameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return Lower(x) == Lower(y); });
}
