#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "FileAccess.h"

namespace {

std::error_code LastError() { return std::error_code(errno, std::generic_category()); }

}  // namespace

TFileHandle FileOpen(const std::string& path, const char* mode) {
  return TFileHandle(std::fopen(path.c_str(), mode));
}

TFileHandle FileOpenExclusive(const std::string& path) { return FileOpen(path, "w+b"); }

bool FileExists(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0;
}

bool FileIsFolder(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool FileSize(const std::string& path, uint64_t& size) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) return false;
  size = uint64_t(status.st_size);
  return true;
}

std::error_code FileDelete(const std::string& path) {
  return unlink(path.c_str()) == 0 ? std::error_code() : LastError();
}

std::error_code FileMove(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? std::error_code() : LastError();
}

bool FileCreateFolders(const std::string& path) {
  // Each prefix that ends before a separator, then the whole path.
  for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string part = path.substr(0, end);
    if (!part.empty() && !FileIsFolder(part)) mkdir(part.c_str(), 0777);
    if (end == std::string::npos) break;
  }
  return FileIsFolder(path);
}

std::vector<TFolderEntry> FileListFolder(const std::string& folder, unsigned long& error) {
  std::vector<TFolderEntry> entries;
  error = 0;
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) {
    error = unsigned(errno);
    return entries;
  }
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  // readdir returns each entry once, then null.
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    // POSIX has no hidden attribute: a leading dot stands for it.
    entries.push_back({name, FileIsFolder(prefix + name), name.front() == '.', false});
  }
  closedir(dir);
  return entries;
}
