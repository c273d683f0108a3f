#include "FolderListingWin32.h"

#include <windows.h>

#include "FileAccess.h"

EFolderListError::EFolderListError(const std::string& folder, unsigned long code)
    : std::runtime_error("Cannot list folder " + folder + " (system error " +
                         std::to_string(code) + ")"),
      code_(code) {}

std::vector<TFolderEntry> FolderRead(const std::string& folder) {
  unsigned long error = 0;
  std::vector<TFolderEntry> entries = FileListFolder(folder, error);
  if (error != 0) throw EFolderListError(folder, error);
  return entries;
}

std::vector<std::string> FolderDrives() {
  std::vector<std::string> drives;
  // 26 letters of "X:\" and a terminator each, plus the final terminator.
  char buffer[26 * 4 + 1] = {};
  const DWORD length = GetLogicalDriveStringsA(sizeof buffer, buffer);
  if (length == 0 || length > sizeof buffer) return drives;
  for (const char* p = buffer; *p; p += drives.back().size() + 1) drives.emplace_back(p);
  return drives;
}
