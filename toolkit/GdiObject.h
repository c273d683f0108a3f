#pragma once

#include <windows.h>

// Owns one GDI object (bitmap, brush, pen) and deletes it.
template <class H>
class TGdiObject {
public:
  explicit TGdiObject(H handle = nullptr) : handle_(handle) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

  H Get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(H handle = nullptr) {
    if (handle_) DeleteObject(handle_);
    handle_ = handle;
  }

private:
  H handle_;
};
