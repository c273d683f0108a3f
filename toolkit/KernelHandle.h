#pragma once

#include <windows.h>

// Owns one kernel handle (event, thread, process, file) and closes it.  Both of the system's
// "no handle" values, null and INVALID_HANDLE_VALUE (what CreateFile returns), count as none.
class TKernelHandle {
public:
  explicit TKernelHandle(HANDLE handle = nullptr) : handle_(handle) {}
  ~TKernelHandle() { Reset(); }
  TKernelHandle(const TKernelHandle&) = delete;
  TKernelHandle& operator=(const TKernelHandle&) = delete;

  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ && handle_ != INVALID_HANDLE_VALUE; }
  // Gives the handle up without closing it.
  HANDLE Release() {
    HANDLE handle = handle_;
    handle_ = nullptr;
    return handle;
  }
  void Reset(HANDLE handle = nullptr) {
    if (*this) CloseHandle(handle_);
    handle_ = handle;
  }

private:
  HANDLE handle_;
};
