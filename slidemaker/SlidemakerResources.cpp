#include "SlidemakerResources.h"

#include <stdexcept>
#include <string>

HBITMAP SlidemakerBitmap(const char* name) {
  auto* bitmap = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw std::runtime_error(std::string("Cannot load bitmap resource ") + name);
  return bitmap;
}

std::vector<std::uint8_t> SlidemakerData(const char* name) {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, name, MAKEINTRESOURCEA(10));  // RT_RCDATA
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const auto* bytes = loaded ? static_cast<const std::uint8_t*>(LockResource(loaded)) : nullptr;
  if (!bytes) throw std::runtime_error(std::string("Cannot load data resource ") + name);
  return {bytes, bytes + SizeofResource(module, found)};
}
