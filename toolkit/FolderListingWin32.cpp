#include "FolderListingWin32.h"

#include <windows.h>

namespace {

// A search started by FindFirstFileA, closed when the object goes.
class TFindHandle {
public:
  TFindHandle(const std::string& pattern, WIN32_FIND_DATAA& data)
      : handle_(FindFirstFileA(pattern.c_str(), &data)) {}
  ~TFindHandle() {
    if (Valid()) FindClose(handle_);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;

  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAA& data) { return FindNextFileA(handle_, &data) != 0; }

private:
  HANDLE handle_;
};

TFolderEntry EntryOf(const WIN32_FIND_DATAA& data) {
  TFolderEntry entry;
  entry.Name = data.cFileName;
  entry.Folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  entry.Hidden = (data.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0;
  entry.System = (data.dwFileAttributes & FILE_ATTRIBUTE_SYSTEM) != 0;
  return entry;
}

}  // namespace

EFolderListError::EFolderListError(const std::string& folder, unsigned long code)
    : std::runtime_error("Cannot list folder " + folder + " (system error " +
                         std::to_string(code) + ")"),
      code_(code) {}

std::vector<TFolderEntry> FolderRead(const std::string& folder) {
  std::vector<TFolderEntry> entries;
  WIN32_FIND_DATAA data;
  TFindHandle find(FolderJoin(folder, "*"), data);
  if (!find.Valid()) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_NO_MORE_FILES) return entries;
    throw EFolderListError(folder, code);
  }
  do {
    entries.push_back(EntryOf(data));
  } while (find.Next(data));
  const DWORD code = GetLastError();
  if (code != ERROR_NO_MORE_FILES) throw EFolderListError(folder, code);
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
