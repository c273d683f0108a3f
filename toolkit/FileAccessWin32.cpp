#include <windows.h>

#include <share.h>

#include "FileAccess.h"

namespace {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return {};
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
  std::wstring wide(size_t(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), wide.data(), length);
  return wide;
}

// Characters the code page lacks become its default character, "?", never a look-alike
// ("ł" as "l" would name another file or none).
std::string Narrow(const wchar_t* text) {
  const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
  if (length <= 1) return {};
  std::string narrow(size_t(length), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, narrow.data(), length, nullptr, nullptr);
  narrow.pop_back();  // the terminating zero
  return narrow;
}

std::error_code LastError() { return std::error_code(int(GetLastError()), std::system_category()); }

bool Separator(char c) { return c == '\\' || c == '/'; }

// A search started by FindFirstFileW, closed when the object goes.
class TFindHandle {
public:
  TFindHandle(const std::wstring& pattern, WIN32_FIND_DATAW& data)
      : handle_(FindFirstFileW(pattern.c_str(), &data)) {}
  ~TFindHandle() {
    if (Valid()) FindClose(handle_);
  }
  TFindHandle(const TFindHandle&) = delete;
  TFindHandle& operator=(const TFindHandle&) = delete;
  bool Valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(handle_, &data) != 0; }

private:
  HANDLE handle_;
};

}  // namespace

TFileHandle FileOpen(const std::string& path, const char* mode) {
  return TFileHandle(_wfopen(Wide(path).c_str(), Wide(mode).c_str()));
}

TFileHandle FileOpenExclusive(const std::string& path) {
  return TFileHandle(_wfsopen(Wide(path).c_str(), L"w+b", _SH_DENYRW));
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool FileIsFolder(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FileSize(const std::string& path, uint64_t& size) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  if (!GetFileAttributesExW(Wide(path).c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  size = uint64_t(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
  return true;
}

std::error_code FileDelete(const std::string& path) {
  return DeleteFileW(Wide(path).c_str()) ? std::error_code() : LastError();
}

std::error_code FileMove(const std::string& from, const std::string& to) {
  // The archive's temporary file may lie on another drive than the archive.
  return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED)
             ? std::error_code()
             : LastError();
}

bool FileCreateFolders(const std::string& path) {
  // Each prefix that ends before a separator, then the whole path; a drive ("C:") or a
  // share's root exists already or cannot be made, and is passed over by the check.
  for (size_t end = 0; end <= path.size(); ++end) {
    if (end < path.size() && !Separator(path[end])) continue;
    const std::string part = path.substr(0, end);
    if (!part.empty() && part.back() != ':' && !FileIsFolder(part))
      CreateDirectoryW(Wide(part).c_str(), nullptr);
  }
  return FileIsFolder(path);
}

std::vector<TFolderEntry> FileListFolder(const std::string& folder, unsigned long& error) {
  std::vector<TFolderEntry> entries;
  error = 0;
  std::string pattern = folder;
  if (!pattern.empty() && !Separator(pattern.back())) pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAW data = {};
  TFindHandle find(Wide(pattern), data);
  if (!find.Valid()) {
    error = GetLastError();
    // An empty folder (a drive's root has no "." entry) is no failure.
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) error = 0;
    return entries;
  }
  // FindNextFileW returns each entry once, then fails.
  do {
    const std::string name = Narrow(data.cFileName);
    if (name == "." || name == "..") continue;
    const DWORD a = data.dwFileAttributes;
    entries.push_back({name, (a & FILE_ATTRIBUTE_DIRECTORY) != 0, (a & FILE_ATTRIBUTE_HIDDEN) != 0,
                       (a & FILE_ATTRIBUTE_SYSTEM) != 0});
  } while (find.Next(data));
  return entries;
}
