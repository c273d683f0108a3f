#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

// The bitmaps a GIF picture is decoded and composed into.  Their memory layouts are those of
// Windows device-independent bitmaps, so the window layer hands the buffers to the platform
// unchanged: rows are stored bottom-up (the last picture row first) and every row is padded
// to a multiple of 4 bytes.  Row(y) hides the order: y counts from the top of the picture.

// A colour, also one 32-bit pixel: 0x00RRGGBB, which in memory reads blue, green, red, 0 —
// the order of a bitmap colour-table entry and of a 32-bit bitmap pixel.
using TGIFColor = uint32_t;

// A colour table always holds 256 entries; those a file does not define are black, so every
// index a frame's data can hold has a colour.
using TGIFColorTable = std::array<TGIFColor, 256>;

// Pictures hold their colour table by a shared pointer: the frames of a file that has no local
// tables all show the global one, and a file of many small images would otherwise be mostly
// copies of it.  The table is never changed once shared.
using TGIFSharedColorTable = std::shared_ptr<const TGIFColorTable>;

// An all-black table, the colours of a picture nothing was decoded into.
inline const TGIFSharedColorTable& GIFBlackTable() {
  static const TGIFSharedColorTable table = std::make_shared<const TGIFColorTable>();
  return table;
}

// Bytes in one row of `bits` bits per row, padded to a multiple of 4.
constexpr size_t GIFRowBytes(size_t bitsPerRow) { return (bitsPerRow + 31) / 32 * 4; }

// An 8-bit palette picture: one colour-table index per pixel.
struct TGIFBitmap8 {
  int Width = 0;
  int Height = 0;
  size_t Stride = 0;           // bytes per row
  std::vector<uint8_t> Bits;   // Stride × Height bytes, bottom-up
  TGIFSharedColorTable Colors = GIFBlackTable();   // never null

  TGIFBitmap8() = default;
  TGIFBitmap8(int width, int height)
      : Width(width), Height(height), Stride(GIFRowBytes(size_t(width) * 8)),
        Bits(Stride * size_t(height)) {}
  uint8_t* Row(int y) { return Bits.data() + size_t(Height - 1 - y) * Stride; }
  const uint8_t* Row(int y) const { return Bits.data() + size_t(Height - 1 - y) * Stride; }
};

// A monochrome picture with the colours black (bit 0) and white (bit 1); the leftmost pixel
// of a byte is its most significant bit.  As a transparency mask white means transparent.
struct TGIFMask {
  int Width = 0;
  int Height = 0;
  size_t Stride = 0;
  std::vector<uint8_t> Bits;   // Stride × Height bytes, bottom-up

  TGIFMask() = default;
  TGIFMask(int width, int height, bool white)
      : Width(width), Height(height), Stride(GIFRowBytes(size_t(width))),
        Bits(Stride * size_t(height), white ? 0xFF : 0x00) {}
  bool Empty() const { return Bits.empty(); }
  uint8_t* Row(int y) { return Bits.data() + size_t(Height - 1 - y) * Stride; }
  const uint8_t* Row(int y) const { return Bits.data() + size_t(Height - 1 - y) * Stride; }
  bool White(int x, int y) const { return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1; }
  void Set(int x, int y, bool white) {
    uint8_t& byte = Row(y)[x >> 3];
    const uint8_t bit = uint8_t(0x80 >> (x & 7));
    byte = white ? uint8_t(byte | bit) : uint8_t(byte & ~bit);
  }
};

// A 32-bit picture (an ordinary bitmap of the screen's colour depth, made portable).
struct TGIFBitmap32 {
  int Width = 0;
  int Height = 0;
  std::vector<TGIFColor> Pixels;   // Width × Height, bottom-up

  TGIFBitmap32() = default;
  TGIFBitmap32(int width, int height)
      : Width(width), Height(height), Pixels(size_t(width) * size_t(height)) {}
  TGIFColor* Row(int y) { return Pixels.data() + size_t(Height - 1 - y) * size_t(Width); }
  const TGIFColor* Row(int y) const {
    return Pixels.data() + size_t(Height - 1 - y) * size_t(Width);
  }
};

// Bytes the bitmaps of a width × height picture take, for the bound on what a file may make
// the decoder allocate.  Computed in 64 bits: GIF sizes reach 65535 × 65535.
constexpr uint64_t GIFBytes8(uint64_t width, uint64_t height) {
  return (width * 8 + 31) / 32 * 4 * height;
}
constexpr uint64_t GIFBytesMask(uint64_t width, uint64_t height) {
  return (width + 31) / 32 * 4 * height;
}
constexpr uint64_t GIFBytes32(uint64_t width, uint64_t height) { return width * height * 4; }
