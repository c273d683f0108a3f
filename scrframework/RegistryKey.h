#pragma once

#include <windows.h>

// An open registry key, closed when the object goes.
class TRegistryKey {
public:
  TRegistryKey() = default;
  ~TRegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  TRegistryKey(const TRegistryKey&) = delete;
  TRegistryKey& operator=(const TRegistryKey&) = delete;

  // Creates or opens root\path with the given access; false when that fails.
  bool Create(HKEY root, const char* path, REGSAM access) {
    return RegCreateKeyExA(root, path, 0, nullptr, 0, access, nullptr, &key_, nullptr) ==
           ERROR_SUCCESS;
  }
  // Opens an existing root\path with the given access; false when that fails.
  bool Open(HKEY root, const char* path, REGSAM access) {
    return RegOpenKeyExA(root, path, 0, access, &key_) == ERROR_SUCCESS;
  }
  HKEY Get() const { return key_; }

private:
  HKEY key_ = nullptr;
};
