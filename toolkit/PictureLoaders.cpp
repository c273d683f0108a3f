#include "PictureLoaders.h"

#include <cstring>

#include "DeviceContext.h"
#include "DibInfo.h"
#include "GdiObject.h"

namespace {

uint16_t U16(std::span<const uint8_t> b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }
uint32_t U32(std::span<const uint8_t> b, size_t at) {
  return uint32_t(U16(b, at)) | uint32_t(U16(b, at + 2)) << 16;
}

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3;
constexpr size_t FileHeaderSize = 14;
constexpr size_t CoreHeaderSize = 12;
constexpr size_t InfoHeaderSize = 40;

// What the platform is given: a BITMAPINFOHEADER and room for the largest colour table (the
// three masks of BI_BITFIELDS take its first three entries), filled from the file.
struct TBitmapInfo {
  BITMAPINFOHEADER Header;
  uint32_t Table[256];
};

}  // namespace

std::optional<TPicturePixels> PictureRasterize(int width, int height,
                                               const std::function<void(HDC dc, const RECT& target)>& draw) {
  if (width <= 0 || height <= 0) return {};
  const BITMAPINFO info = ToolkitDibInfo(width, -height);  // top-down
  void* bits = nullptr;
  TGdiObject<HBITMAP> bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap || !bits) return {};
  const size_t count = size_t(width) * size_t(height);
  std::memset(bits, 0, count * 4);
  {
    TMemoryDC dc(nullptr);
    if (!dc.Get()) return {};
    TSelection selection(dc.Get(), bitmap.Get());
    draw(dc.Get(), RECT{0, 0, width, height});
    GdiFlush();
  }
  TPicturePixels pixels{width, height, std::vector<uint32_t>(count)};
  const uint32_t* source = static_cast<const uint32_t*>(bits);
  // GDI leaves the fourth byte of what it draws at 0; the pictures are opaque.
  for (size_t i = 0; i < count; ++i) pixels.Pixels[i] = source[i] | 0xFF000000u;
  return pixels;
}

std::optional<TPicturePixels> PictureLoadBitmap(std::span<const uint8_t> bytes, int64_t maxPixels) {
  // BITMAPFILEHEADER: "BM", file size, two reserved words, offset of the pixel data; then the
  // info header, whose first field is its size: 12 for the core header, 40 and more for the
  // info header and its later versions (52, 56, 108, 124).
  if (bytes.size() < FileHeaderSize + CoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') return {};
  const uint32_t pixelOffset = U32(bytes, 10);
  const uint32_t headerSize = U32(bytes, 14);
  if (headerSize > bytes.size() - FileHeaderSize) return {};

  TBitmapInfo info = {};
  int64_t width = 0, height = 0;
  unsigned bits = 0;
  uint32_t compression = BiRgb, colours = 0;
  size_t tableAt = FileHeaderSize + headerSize, entrySize = 4;
  if (headerSize == CoreHeaderSize) {
    width = U16(bytes, 18);
    height = U16(bytes, 20);
    bits = U16(bytes, 24);
    entrySize = 3;  // RGBTRIPLE
  } else if (headerSize >= InfoHeaderSize) {
    width = int32_t(U32(bytes, 18));
    height = int32_t(U32(bytes, 22));
    bits = U16(bytes, 28);
    compression = U32(bytes, 30);
    colours = U32(bytes, 46);
    if (compression == BiBitfields) {
      // The masks follow a 40-byte header; the later headers hold them at its end.
      size_t masksAt = FileHeaderSize + InfoHeaderSize;
      if (headerSize == InfoHeaderSize) tableAt += 12;
      if (masksAt + 12 > bytes.size()) return {};
      for (int i = 0; i < 3; ++i) info.Table[i] = U32(bytes, masksAt + size_t(i) * 4);
    }
  } else {
    return {};
  }
  const bool depthKnown = bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
  const bool compressionFits = compression == BiRgb || (compression == BiRle8 && bits == 8) ||
                               (compression == BiRle4 && bits == 4) ||
                               (compression == BiBitfields && (bits == 16 || bits == 32));
  // A run-length picture is always stored bottom-up.
  if (!depthKnown || !compressionFits || width <= 0 || height == 0 ||
      (height < 0 && (compression == BiRle8 || compression == BiRle4)))
    return {};
  const int64_t rows = height < 0 ? -height : height;
  if (rows > INT32_MAX || width * rows > maxPixels) return {};

  if (bits <= 8) {
    const uint32_t full = 1u << bits;
    const uint32_t count = colours == 0 || colours > full ? full : colours;
    if (tableAt + size_t(count) * entrySize > bytes.size()) return {};
    for (uint32_t i = 0; i < count; ++i) {
      const size_t at = tableAt + size_t(i) * entrySize;
      info.Table[i] = uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16;
    }
    info.Header.biClrUsed = count;
  }

  if (pixelOffset >= bytes.size()) return {};
  const std::span<const uint8_t> data = bytes.subspan(pixelOffset);
  std::vector<uint8_t> pixels;
  if (compression == BiRle8 || compression == BiRle4) {
    // The platform's decoder stops at the data's size; an end-of-picture mark closes data
    // that is cut short.
    pixels.assign(data.begin(), data.end());
    pixels.insert(pixels.end(), {0, 1});
  } else {
    const uint64_t stride = (uint64_t(width) * bits + 31) / 32 * 4;
    if (stride * uint64_t(rows) > data.size()) return {};
    pixels.assign(data.begin(), data.begin() + std::ptrdiff_t(stride * uint64_t(rows)));
  }
  info.Header.biSize = sizeof info.Header;
  info.Header.biWidth = LONG(width);
  info.Header.biHeight = LONG(height);
  info.Header.biPlanes = 1;
  info.Header.biBitCount = WORD(bits);
  info.Header.biCompression = compression;
  info.Header.biSizeImage = DWORD(pixels.size());

  bool drawn = false;
  std::optional<TPicturePixels> picture =
      PictureRasterize(int(width), int(rows), [&](HDC dc, const RECT&) {
        SetStretchBltMode(dc, COLORONCOLOR);
        const int lines = StretchDIBits(dc, 0, 0, int(width), int(rows), 0, 0, int(width), int(rows),
                                        pixels.data(), reinterpret_cast<const BITMAPINFO*>(&info),
                                        DIB_RGB_COLORS, SRCCOPY);
        drawn = lines != 0 && lines != int(GDI_ERROR);
      });
  if (!drawn) return {};
  return picture;
}

TIconHandle PictureLoadIcon(std::span<const uint8_t> bytes, int& width, int& height) {
  // ICONDIR: reserved 0, type 1 (icon), number of images; then one 16-byte entry per image:
  // width and height (0 = 256), colour count, reserved, planes, bits per pixel, size and
  // offset of the image.
  if (bytes.size() < 6 || U16(bytes, 0) != 0 || U16(bytes, 2) != 1) return nullptr;
  const size_t count = U16(bytes, 4);
  if (6 + count * 16 > bytes.size()) return nullptr;
  size_t best = count;
  int bestWidth = 0, bestHeight = 0;
  unsigned bestBits = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + i * 16;
    const int w = bytes[entry] ? bytes[entry] : 256;
    const int h = bytes[entry + 1] ? bytes[entry + 1] : 256;
    const unsigned bits = U16(bytes, entry + 6);
    const uint32_t size = U32(bytes, entry + 8), offset = U32(bytes, entry + 12);
    if (size == 0 || offset >= bytes.size() || size > bytes.size() - offset) continue;
    if (best == count || w * h > bestWidth * bestHeight || (w * h == bestWidth * bestHeight && bits > bestBits)) {
      best = i;
      bestWidth = w;
      bestHeight = h;
      bestBits = bits;
    }
  }
  if (best == count) return nullptr;
  const size_t entry = 6 + best * 16;
  // 0x00030000: the version of icon resources since Windows 3.
  TIconHandle icon(CreateIconFromResourceEx(const_cast<uint8_t*>(bytes.data()) + U32(bytes, entry + 12),
                                            U32(bytes, entry + 8), TRUE, 0x00030000, bestWidth,
                                            bestHeight, LR_DEFAULTCOLOR));
  if (!icon) return nullptr;
  // The icon's size is that of its colour bitmap, or half its mask's height for a
  // monochrome icon, whose mask holds the AND and XOR halves one above the other.
  ICONINFO parts = {};
  if (!GetIconInfo(icon.get(), &parts)) return nullptr;
  TGdiObject<HBITMAP> mask(parts.hbmMask), color(parts.hbmColor);
  BITMAP header = {};
  if (color) {
    GetObjectA(color.Get(), sizeof header, &header);
  } else {
    GetObjectA(mask.Get(), sizeof header, &header);
    header.bmHeight /= 2;
  }
  if (header.bmWidth <= 0 || header.bmHeight <= 0) return nullptr;
  width = header.bmWidth;
  height = header.bmHeight;
  return icon;
}

TMetafileHandle PictureLoadEnhMetafile(std::span<const uint8_t> bytes, int& width, int& height) {
  TMetafileHandle metafile(SetEnhMetaFileBits(UINT(bytes.size()), bytes.data()));
  ENHMETAHEADER header = {};
  if (!metafile || !GetEnhMetaFileHeader(metafile.get(), sizeof header, &header) ||
      header.szlMillimeters.cx <= 0 || header.szlMillimeters.cy <= 0) {
    return nullptr;
  }
  // The frame (0.01 mm) in pixels of the device it was made for, which the header describes
  // in pixels and millimetres.
  width = MulDiv(header.rclFrame.right - header.rclFrame.left, header.szlDevice.cx,
                 header.szlMillimeters.cx * 100);
  height = MulDiv(header.rclFrame.bottom - header.rclFrame.top, header.szlDevice.cy,
                  header.szlMillimeters.cy * 100);
  if (width <= 0 || height <= 0) return nullptr;
  return metafile;
}

namespace {

int16_t I16(std::span<const uint8_t> b, size_t at) { return int16_t(U16(b, at)); }

// A Windows metafile holds no size of its own.  The placeable header in front of it gives
// its bounding box in units of 1/inch inch; a plain one is taken at the extent of its window
// (META_SETWINDOWEXT), in logical units shown as pixels.
constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableHeaderSize = 22;
constexpr size_t MetaHeaderSize = 18;
constexpr uint16_t MetaSetWindowExt = 0x020C;

}  // namespace

TMetafileHandle PictureLoadMetafile(std::span<const uint8_t> bytes, int& width, int& height) {
  TWindowDC screen(nullptr);
  const int dpiX = GetDeviceCaps(screen.Get(), LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  size_t start = 0;
  width = height = 0;
  METAFILEPICT picture = {MM_ANISOTROPIC, 0, 0, nullptr};
  if (bytes.size() >= PlaceableHeaderSize && U32(bytes, 0) == PlaceableKey) {
    const int unitsPerInch = U16(bytes, 14);
    if (unitsPerInch == 0) return nullptr;
    const int boxWidth = I16(bytes, 10) - I16(bytes, 6);
    const int boxHeight = I16(bytes, 12) - I16(bytes, 8);
    width = MulDiv(boxWidth, dpiX, unitsPerInch);
    height = MulDiv(boxHeight, dpiY, unitsPerInch);
    picture.xExt = MulDiv(boxWidth, 2540, unitsPerInch);
    picture.yExt = MulDiv(boxHeight, 2540, unitsPerInch);
    start = PlaceableHeaderSize;
  } else {
    // Records follow the header: a size in 16-bit words (at least 3), a function number and
    // the parameters, SetWindowExt's being y then x.  Every step moves forward by a record's
    // size, so the walk ends within the file.
    for (size_t offset = MetaHeaderSize; offset + 10 <= bytes.size();) {
      const uint32_t words = U32(bytes, offset);
      if (words < 3 || words > (bytes.size() - offset) / 2) break;
      if (U16(bytes, offset + 4) == MetaSetWindowExt) {
        height = I16(bytes, offset + 6);
        width = I16(bytes, offset + 8);
        break;
      }
      offset += size_t(words) * 2;
    }
    picture.xExt = MulDiv(width, 2540, dpiX);
    picture.yExt = MulDiv(height, 2540, dpiY);
  }
  if (width <= 0 || height <= 0 || bytes.size() < start + MetaHeaderSize) return nullptr;
  return TMetafileHandle(SetWinMetaFileBits(UINT(bytes.size() - start), bytes.data() + start,
                                            screen.Get(), &picture));
}
