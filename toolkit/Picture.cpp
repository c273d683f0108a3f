#include "Picture.h"

#include <stdexcept>

#include "DeviceContext.h"

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed() {
  width_ = height_ = 0;
  if (bitmap_) {
    BITMAP info = {};
    GetObjectA(bitmap_.Get(), sizeof info, &info);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
  }
  if (OnChange) OnChange();
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const auto dot = fileName.find_last_of('.');
  std::string extension = dot == std::string::npos ? std::string() : fileName.substr(dot + 1);
  for (char& c : extension) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  if (extension != "bmp") throw std::runtime_error("Unknown picture file extension (." + extension + ")");
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageA(nullptr, fileName.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!bitmap) throw std::runtime_error("Cannot open file " + fileName);
  bitmap_.Reset(bitmap);
  Changed();
}

void TPicture::LoadFromResource(HINSTANCE module, const char* name) {
  HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(module, name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  if (!bitmap) throw std::runtime_error(std::string("Cannot load bitmap resource ") + name);
  bitmap_.Reset(bitmap);
  Changed();
}

void TPicture::Clear() {
  bitmap_.Reset();
  Changed();
}

bool TPicture::Empty() const { return !bitmap_; }
int TPicture::Width() const { return width_; }
int TPicture::Height() const { return height_; }

void TPicture::SetDisplaySize(int width, int height) {
  displayWidth_ = width;
  displayHeight_ = height;
}

void TPicture::Draw(HDC dc, const RECT& target) const {
  if (!bitmap_) return;
  TMemoryDC source(dc);
  TSelection selected(source.Get(), bitmap_.Get());
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
             source.Get(), 0, 0, width_, height_, SRCCOPY);
}
