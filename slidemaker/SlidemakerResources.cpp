#include "SlidemakerResources.h"

#include <stdexcept>
#include <string>

#include "Scale.h"

std::string SlidemakerPictureName(const char* name, int dpi) {
  const int percent = ToolkitPictureScale(dpi, {100, 150, 200});
  std::string scaled = name;
  if (percent != 100) scaled.append("_").append(std::to_string(percent));
  return scaled;
}

HBITMAP SlidemakerBitmap(const char* name, int dpi) {
  const std::string scaled = SlidemakerPictureName(name, dpi);
  auto* bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), scaled.c_str(),
                                                 IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw std::runtime_error("Cannot load bitmap resource " + scaled);
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
