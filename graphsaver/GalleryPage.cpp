#include "GalleryPage.h"

std::string GalleryPageOf(const std::string& modulePath) {
  const auto end = modulePath.find_last_of("\\/:");
  const std::string folder = end == std::string::npos ? "" : modulePath.substr(0, end + 1);
  return folder + GalleryPageName;
}
