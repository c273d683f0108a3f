#pragma once

#include <windows.h>

// Owns one kernel handle (event, thread) and closes it.
class TScrHandle {
public:
  explicit TScrHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~TScrHandle() { Reset(); }
  TScrHandle(const TScrHandle&) = delete;
  TScrHandle& operator=(const TScrHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  // Gives the handle up without closing it.
  HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(HANDLE handle = nullptr) {
    if (handle_) CloseHandle(handle_);
    handle_ = handle;
  }

private:
  HANDLE handle_;
};
