#pragma once

#include <windows.h>

// A library loaded by name for as long as the object lives (LoadLibraryA / FreeLibrary).
class TDynamicLibrary {
public:
  explicit TDynamicLibrary(const char* name) : module_(LoadLibraryA(name)) {}
  ~TDynamicLibrary() {
    if (module_) FreeLibrary(module_);
  }
  TDynamicLibrary(const TDynamicLibrary&) = delete;
  TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

  bool Loaded() const { return module_ != nullptr; }

  // The entry point called name cast to the function type F, or null when the library is
  // not loaded or does not export it.
  template <class F>
  F Entry(const char* name) const {
    if (!module_) return nullptr;
    return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module_, name)));
  }

private:
  HMODULE module_;
};
