// picture_files DIR: writes into DIR one picture of every kind the image picker offers that
// the platform reads: bitmaps of every kind (1, 4, 8, 16 and 32 bits, 16 and 32 with bit
// fields, 24 bottom-up and top-down, RLE4, RLE8, the core header), an icon, an enhanced and a
// placeable Windows metafile.  Each is one solid colour of its own, 200 × 150 (the icon
// 128 × 128), and prints "FILE R G B" for the slideshow test to look for on screen.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>
#include "../support/PlaceableMetafile.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr int W = 200, H = 150;

void Put(Bytes& b, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) b.push_back(uint8_t(value >> (8 * i)));
}

struct TColour {
  uint8_t R, G, B;
  uint32_t Rgb() const { return uint32_t(R) << 16 | uint32_t(G) << 8 | B; }
};

// A bitmap file: file header, info header (12 = core, 40 = info), masks after a 40-byte
// header, colour table, rows as given.
Bytes Bmp(int headerSize, int width, int height, int bits, uint32_t compression,
          const std::vector<uint32_t>& masks, const std::vector<uint32_t>& table, const Bytes& rows) {
  Bytes header;
  Put(header, uint32_t(headerSize), 4);
  if (headerSize == 12) {
    Put(header, uint32_t(width), 2);
    Put(header, uint32_t(height), 2);
    Put(header, 1, 2);
    Put(header, uint32_t(bits), 2);
  } else {
    for (uint32_t v : {uint32_t(width), uint32_t(height)}) Put(header, v, 4);
    Put(header, 1, 2);
    Put(header, uint32_t(bits), 2);
    for (uint32_t v : {compression, uint32_t(rows.size()), 2835u, 2835u, uint32_t(table.size()), 0u}) Put(header, v, 4);
    for (uint32_t m : masks) Put(header, m, 4);
  }
  for (uint32_t c : table) Put(header, c, headerSize == 12 ? 3 : 4);
  const uint32_t offset = 14 + uint32_t(header.size());
  Bytes file = {'B', 'M'};
  Put(file, offset + uint32_t(rows.size()), 4);
  Put(file, 0, 4);
  Put(file, offset, 4);
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), rows.begin(), rows.end());
  return file;
}

// Uncompressed rows of one repeated pixel value of `bits` bits.
Bytes Rows(int bits, uint32_t value) {
  const size_t stride = (size_t(W) * size_t(bits) + 31) / 32 * 4;
  Bytes row(stride, 0);
  for (int x = 0; x < W; ++x) {
    const size_t bit = size_t(x) * size_t(bits);
    if (bits >= 8) {
      for (int i = 0; i < bits / 8; ++i) row[bit / 8 + size_t(i)] = uint8_t(value >> (8 * i));
    } else {
      row[bit / 8] |= uint8_t(value << (8 - bits - bit % 8));
    }
  }
  Bytes rows;
  for (int y = 0; y < H; ++y) rows.insert(rows.end(), row.begin(), row.end());
  return rows;
}

// Run-length rows: each row one run of index 0 (as many runs as 255 allows), end of line;
// end of picture.
Bytes RleRows() {
  Bytes rows;
  for (int y = 0; y < H; ++y) {
    for (int left = W; left > 0; left -= 255) rows.insert(rows.end(), {uint8_t(left > 255 ? 255 : left), 0});
    rows.insert(rows.end(), {0, 0});
  }
  rows.insert(rows.end(), {0, 1});
  return rows;
}

Bytes Ico(TColour c) {
  const int side = 128;
  Bytes image;
  Put(image, 40, 4);
  Put(image, side, 4);
  Put(image, side * 2, 4);
  Put(image, 1, 2);
  Put(image, 32, 2);
  for (int n = 0; n < 6; ++n) Put(image, 0, 4);
  for (int i = 0; i < side * side; ++i) Put(image, 0xFF000000u | c.Rgb(), 4);
  image.resize(image.size() + size_t(side / 8 * side), 0);  // AND mask: all opaque
  Bytes ico;
  for (uint32_t v : {0u, 1u, 1u}) Put(ico, v, 2);
  ico.insert(ico.end(), {uint8_t(side), uint8_t(side), 0, 0});
  Put(ico, 1, 2);
  Put(ico, 32, 2);
  Put(ico, uint32_t(image.size()), 4);
  Put(ico, 6 + 16, 4);
  ico.insert(ico.end(), image.begin(), image.end());
  return ico;
}

void Fill(HDC dc, TColour c) {
  HBRUSH brush = CreateSolidBrush(RGB(c.R, c.G, c.B));
  const RECT all = {0, 0, W, H};
  FillRect(dc, &all, brush);
  DeleteObject(brush);
}

Bytes Emf(TColour c) {
  HDC screen = GetDC(nullptr);
  const RECT frame = {0, 0, MulDiv(W, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES)),
                      MulDiv(H, GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES))};
  ReleaseDC(nullptr, screen);
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  Fill(dc, c);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  Bytes bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(metafile);
  return bytes;
}

// A placeable Windows metafile filled with the colour.
Bytes Wmf(TColour c) {
  HDC dc = CreateMetaFileA(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, W, H, nullptr);
  Fill(dc, c);
  return PlaceableMetafileBytes(dc, W, H);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: picture_files DIR\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "\\";
  // Colours far apart on every channel, none black; 16-bit kinds keep 5 or 6 bits of each.
  const struct {
    const char* name;
    TColour c;
  } kinds[] = {
      {"bits1.bmp", {255, 128, 0}},     {"bits4.bmp", {0, 128, 255}},   {"bits8.bmp", {128, 0, 255}},
      {"rgb555.bmp", {255, 0, 128}},    {"rgb565.bmp", {128, 255, 0}},  {"rgb24.bmp", {0, 255, 128}},
      {"topdown.bmp", {128, 128, 255}}, {"rgb32.bmp", {255, 128, 255}}, {"fields32.bmp", {128, 255, 255}},
      {"rle8.bmp", {255, 255, 128}},    {"rle4.bmp", {128, 0, 0}},      {"core.bmp", {0, 128, 0}},
      {"icona.ico", {0, 0, 128}},       {"disegno.emf", {128, 128, 0}}, {"disegno.wmf", {0, 128, 128}},
  };
  for (const auto& kind : kinds) {
    const TColour c = kind.c;
    const std::string name = kind.name;
    const uint32_t r5 = c.R >> 3, g5 = c.G >> 3, g6 = c.G >> 2, b5 = c.B >> 3;
    Bytes bytes;
    if (name == "bits1.bmp") bytes = Bmp(40, W, H, 1, 0, {}, {c.Rgb(), c.Rgb()}, Rows(1, 0));
    if (name == "bits4.bmp") bytes = Bmp(40, W, H, 4, 0, {}, {0, c.Rgb()}, Rows(4, 1));
    if (name == "bits8.bmp") bytes = Bmp(40, W, H, 8, 0, {}, {0, 0, c.Rgb()}, Rows(8, 2));
    if (name == "rgb555.bmp") bytes = Bmp(40, W, H, 16, 0, {}, {}, Rows(16, r5 << 10 | g5 << 5 | b5));
    if (name == "rgb565.bmp")
      bytes = Bmp(40, W, H, 16, 3, {0xF800, 0x07E0, 0x001F}, {}, Rows(16, r5 << 11 | g6 << 5 | b5));
    if (name == "rgb24.bmp") bytes = Bmp(40, W, H, 24, 0, {}, {}, Rows(24, c.Rgb()));
    if (name == "topdown.bmp") bytes = Bmp(40, W, -H, 24, 0, {}, {}, Rows(24, c.Rgb()));
    if (name == "rgb32.bmp") bytes = Bmp(40, W, H, 32, 0, {}, {}, Rows(32, c.Rgb()));
    // Red in the low byte: the masks say where each channel lies.
    if (name == "fields32.bmp")
      bytes = Bmp(40, W, H, 32, 3, {0x0000FF, 0x00FF00, 0xFF0000}, {},
                  Rows(32, uint32_t(c.B) << 16 | uint32_t(c.G) << 8 | c.R));
    if (name == "rle8.bmp") bytes = Bmp(40, W, H, 8, 1, {}, {c.Rgb()}, RleRows());
    if (name == "rle4.bmp") bytes = Bmp(40, W, H, 4, 2, {}, {c.Rgb()}, RleRows());
    if (name == "core.bmp") bytes = Bmp(12, W, H, 8, 0, {}, std::vector<uint32_t>(256, c.Rgb()), Rows(8, 1));
    if (name == "icona.ico") bytes = Ico(c);
    if (name == "disegno.emf") bytes = Emf(c);
    if (name == "disegno.wmf") bytes = Wmf(c);
    FILE* out = std::fopen((dir + name).c_str(), "wb");
    if (!out || std::fwrite(bytes.data(), 1, bytes.size(), out) != bytes.size() || std::fclose(out) != 0) {
      std::fprintf(stderr, "cannot write %s%s\n", dir.c_str(), name.c_str());
      return 1;
    }
    std::printf("%s %d %d %d\n", name.c_str(), c.R, c.G, c.B);
  }
  return 0;
}
