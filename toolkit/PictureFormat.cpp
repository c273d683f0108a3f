#include "PictureFormat.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "FileAccess.h"

std::string PictureExtension(const std::string& fileName) {
  const size_t dot = fileName.find_last_of('.');
  const size_t separator = fileName.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) return "";
  return fileName.substr(dot + 1);
}

TPictureFormat PictureFormatOf(const std::string& fileName) {
  std::string extension = PictureExtension(fileName);
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  if (extension == "jpg" || extension == "jpeg") return pfJPEG;
  if (extension == "bmp") return pfBitmap;
  if (extension == "ico") return pfIcon;
  if (extension == "emf") return pfEnhMetafile;
  if (extension == "wmf") return pfMetafile;
  return pfUnknown;
}

std::string PictureUnknownExtensionMessage(const std::string& fileName) {
  return "Unknown picture file extension (." + PictureExtension(fileName) + ")";
}

std::vector<uint8_t> PictureReadFile(const std::string& fileName) {
  std::vector<uint8_t> bytes;
  if (!FileReadAll(fileName, bytes)) throw std::runtime_error("Cannot open file " + fileName);
  return bytes;
}
