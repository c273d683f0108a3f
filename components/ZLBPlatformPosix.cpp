#include "ZLBPlatform.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include <unistd.h>

#include "ZLIBArchiveReader.h"

std::string ZLBMakeTempFile() {
  std::error_code ec;
  std::string folder = std::filesystem::temp_directory_path(ec).string();
  if (ec) folder = "/tmp";
  if (folder.empty() || folder.back() != '/') folder += '/';
  std::string name = folder + "ZLBXXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0)
    throw EZLBArchiveError("Unable to create a temporary file in " + folder + " (" +
                           std::strerror(errno) + ")");
  close(fd);
  return name;
}
