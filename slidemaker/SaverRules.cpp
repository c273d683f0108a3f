#include "SaverRules.h"

#include <cctype>

bool SaverIsGifName(const std::string& fileName) {
  const std::size_t dot = fileName.find_last_of('.');
  if (dot == std::string::npos) return false;
  std::string extension = fileName.substr(dot);
  for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return extension == ".GIF";
}

TSaverPoint SaverPicturePlace(int windowWidth, int windowHeight, int width, int height, int raise) {
  return {windowWidth / 2 - width / 2, windowHeight / 2 - height / 2 - raise};
}

TSaverPoint SaverLogoPlace(int windowWidth, int windowHeight, int width, int height) {
  return {windowWidth / 2 - width / 2, windowHeight - height / 2 - 40};
}

int SaverNextIndex(int index, int count) { return index + 1 > count - 1 ? 0 : index + 1; }

std::uint32_t SaverTimerInterval(std::int32_t seconds) {
  return static_cast<std::uint32_t>(static_cast<std::int64_t>(seconds) * 1000);
}

bool TSaverPointer::Moved(int x, int y) {
  if (x_ == 0 && y_ == 0) {
    x_ = x;
    y_ = y;
    return false;
  }
  if (x == x_ && y == y_) {
    Forget();
    return false;
  }
  return true;
}
