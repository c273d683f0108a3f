// PictureDecode under Wine: bitmap files of every kind the platform reads, made here byte for
// byte with the pixels each must give; an icon of two sizes; both kinds of metafile fitted
// into a small display; the refusals; and several threads decoding at once.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "PictureDecode.h"
#include "../support/PlaceableMetafile.h"

namespace {

using Bytes = std::vector<uint8_t>;

void Put(Bytes& b, uint32_t value, int size) {
  for (int i = 0; i < size; ++i) b.push_back(uint8_t(value >> (8 * i)));
}

constexpr uint32_t R = 0xFFFF0000, G = 0xFF00FF00, B = 0xFF0000FF, W = 0xFFFFFFFF, K = 0xFF000000,
                   Y = 0xFFFFFF00;
// Every 4 × 2 picture below: red, green, blue, white above black, yellow, red, green.
const std::vector<uint32_t> Expected = {R, G, B, W, K, Y, R, G};
// Colour table of the indexed kinds (0x00RRGGBB): black, red, green, blue, white, yellow,
// so that the picture's indices are 1 2 3 4 above 0 5 1 2.
const std::vector<uint32_t> Table = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFFFF00};

std::vector<uint32_t> FullTable() {
  std::vector<uint32_t> table = Table;
  table.resize(256);
  return table;
}

struct TBmp {
  int Width = 4, Height = 2;  // a negative height: rows top-down
  int Bits = 24;
  uint32_t Compression = 0;   // BI_RGB, 1 RLE8, 2 RLE4, 3 BI_BITFIELDS
  uint32_t HeaderSize = 40;   // 12 core, 40 info, 124 V5
  std::vector<uint32_t> ColourTable;
  std::vector<uint32_t> Masks;  // red, green, blue
  Bytes Rows;                   // as stored
};

// The 14-byte file header, the info header of the asked size (the masks after a 40-byte
// header, inside a V5 one), the colour table (RGBTRIPLE after a core header) and the rows.
Bytes BmpFile(const TBmp& bmp) {
  Bytes header;
  Put(header, bmp.HeaderSize, 4);
  if (bmp.HeaderSize == 12) {
    Put(header, uint32_t(bmp.Width), 2);
    Put(header, uint32_t(bmp.Height), 2);
    Put(header, 1, 2);
    Put(header, uint32_t(bmp.Bits), 2);
  } else {
    Put(header, uint32_t(bmp.Width), 4);
    Put(header, uint32_t(bmp.Height), 4);
    Put(header, 1, 2);
    Put(header, uint32_t(bmp.Bits), 2);
    Put(header, bmp.Compression, 4);
    Put(header, uint32_t(bmp.Rows.size()), 4);          // image size
    Put(header, 2835, 4);                               // 72 dpi
    Put(header, 2835, 4);
    Put(header, uint32_t(bmp.ColourTable.size()), 4);   // colours used
    Put(header, 0, 4);                                  // colours important
    if (bmp.HeaderSize > 40) {
      for (size_t i = 0; i < 3; ++i) Put(header, i < bmp.Masks.size() ? bmp.Masks[i] : 0, 4);
      header.resize(bmp.HeaderSize);                    // alpha mask, colour space: zero
    }
  }
  Bytes after;
  if (bmp.HeaderSize == 40)
    for (uint32_t m : bmp.Masks) Put(after, m, 4);
  for (uint32_t c : bmp.ColourTable) Put(after, c, bmp.HeaderSize == 12 ? 3 : 4);
  const uint32_t offset = 14 + uint32_t(header.size() + after.size());
  Bytes file = {'B', 'M'};
  Put(file, offset + uint32_t(bmp.Rows.size()), 4);
  Put(file, 0, 4);
  Put(file, offset, 4);
  file.insert(file.end(), header.begin(), header.end());
  file.insert(file.end(), after.begin(), after.end());
  file.insert(file.end(), bmp.Rows.begin(), bmp.Rows.end());
  return file;
}

// The picture's two rows, bottom one first, of 16-bit values.
Bytes Rows16(const std::vector<uint16_t>& top, const std::vector<uint16_t>& bottom) {
  Bytes rows;
  for (const auto* row : {&bottom, &top})
    for (uint16_t v : *row) Put(rows, v, 2);
  return rows;
}

TPictureBitmap Decode(const Bytes& bytes, const std::string& name, int displayWidth = 0,
                      int displayHeight = 0) {
  return PictureDecode(bytes, name, displayWidth, displayHeight, int64_t(1) << 27);
}

// An icon file of 32-bit images, each one colour with its top-left pixel transparent.
Bytes IcoFile(const std::vector<std::pair<int, uint32_t>>& images) {
  Bytes directory, data;
  Put(directory, 0, 2);
  Put(directory, 1, 2);
  Put(directory, uint32_t(images.size()), 2);
  uint32_t offset = 6 + 16 * uint32_t(images.size());
  for (const auto& [side, colour] : images) {
    Bytes image;
    const uint32_t maskStride = uint32_t(side + 31) / 32 * 4;
    Put(image, 40, 4);
    Put(image, uint32_t(side), 4);
    Put(image, uint32_t(side * 2), 4);  // colour rows and mask rows
    Put(image, 1, 2);
    Put(image, 32, 2);
    for (int n = 0; n < 6; ++n) Put(image, 0, 4);
    for (int y = side - 1; y >= 0; --y)
      for (int x = 0; x < side; ++x) Put(image, x == 0 && y == 0 ? 0 : (colour | 0xFF000000u), 4);
    for (int y = side - 1; y >= 0; --y) {
      image.push_back(y == 0 ? 0x80 : 0);
      image.insert(image.end(), maskStride - 1, 0);
    }
    directory.insert(directory.end(), {uint8_t(side), uint8_t(side), 0, 0});
    Put(directory, 1, 2);
    Put(directory, 32, 2);
    Put(directory, uint32_t(image.size()), 4);
    Put(directory, offset, 4);
    offset += uint32_t(image.size());
    data.insert(data.end(), image.begin(), image.end());
  }
  directory.insert(directory.end(), data.begin(), data.end());
  return directory;
}

// A metafile of `width` × `height` logical units: red, its right half green.
void DrawHalves(HDC dc, int width, int height) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0)), green = CreateSolidBrush(RGB(0, 255, 0));
  RECT left = {0, 0, width / 2, height}, right = {width / 2, 0, width, height};
  FillRect(dc, &left, red);
  FillRect(dc, &right, green);
  DeleteObject(red);
  DeleteObject(green);
}

Bytes EmfBytes(int width, int height) {
  HDC screen = GetDC(nullptr);
  const RECT frame = {0, 0,
                      MulDiv(width, GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES)),
                      MulDiv(height, GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES))};
  ReleaseDC(nullptr, screen);
  HDC dc = CreateEnhMetaFileA(nullptr, nullptr, &frame, nullptr);
  DrawHalves(dc, width, height);
  HENHMETAFILE metafile = CloseEnhMetaFile(dc);
  Bytes bytes(GetEnhMetaFileBits(metafile, 0, nullptr));
  GetEnhMetaFileBits(metafile, UINT(bytes.size()), bytes.data());
  DeleteEnhMetaFile(metafile);
  return bytes;
}

// A placeable Windows metafile at 96 units per inch.
Bytes WmfBytes(int width, int height) {
  HDC dc = CreateMetaFileA(nullptr);
  SetWindowOrgEx(dc, 0, 0, nullptr);
  SetWindowExtEx(dc, width, height, nullptr);
  DrawHalves(dc, width, height);
  return PlaceableMetafileBytes(dc, width, height);
}

int DisplayDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

}  // namespace

TEST(PictureDecode, EveryKindOfBitmapTheSystemReads) {
  struct Case {
    const char* kind;
    TBmp bmp;
  } cases[] = {
      {"1 bit", {4, 2, 1, 0, 40, {0x000000, 0xFFFFFF}, {}, {0x30, 0, 0, 0, 0xA0, 0, 0, 0}}},
      {"4 bits", {4, 2, 4, 0, 40, Table, {}, {0x05, 0x12, 0, 0, 0x12, 0x34, 0, 0}}},
      {"8 bits", {4, 2, 8, 0, 40, Table, {}, {0, 5, 1, 2, 1, 2, 3, 4}}},
      {"16 bits 5-5-5", {4, 2, 16, 0, 40, {}, {},
                         Rows16({0x7C00, 0x03E0, 0x001F, 0x7FFF}, {0, 0x7FE0, 0x7C00, 0x03E0})}},
      {"16 bits 5-6-5 bit fields", {4, 2, 16, 3, 40, {}, {0xF800, 0x07E0, 0x001F},
                                    Rows16({0xF800, 0x07E0, 0x001F, 0xFFFF}, {0, 0xFFE0, 0xF800, 0x07E0})}},
      {"24 bits", {4, 2, 24, 0, 40, {}, {},
                   {0, 0, 0, 0, 255, 255, 0, 0, 255, 0, 255, 0,          // bottom: black yellow red green
                    0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}}},   // top: red green blue white
      {"24 bits top-down", {4, -2, 24, 0, 40, {}, {},
                            {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255,
                             0, 0, 0, 0, 255, 255, 0, 0, 255, 0, 255, 0}}},
      {"32 bits", {4, 2, 32, 0, 40, {}, {},
                   {0, 0, 0, 0, 0, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0,
                    0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0}}},
      // Red in the low byte: the masks, not the usual order, say where each channel lies.
      {"32 bits bit fields", {4, 2, 32, 3, 40, {}, {0x0000FF, 0x00FF00, 0xFF0000},
                              {0, 0, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0,
                               255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0}}},
      {"32 bits bit fields, V5 header", {4, 2, 32, 3, 124, {}, {0x0000FF, 0x00FF00, 0xFF0000},
                                         {0, 0, 0, 0, 255, 255, 0, 0, 255, 0, 0, 0, 0, 255, 0, 0,
                                          255, 0, 0, 0, 0, 255, 0, 0, 0, 0, 255, 0, 255, 255, 255, 0}}},
      // Runs of one index, then the top row in absolute mode; end of line, end of picture.
      {"RLE8", {4, 2, 8, 1, 40, Table, {},
                {1, 0, 1, 5, 1, 1, 1, 2, 0, 0,  0, 4, 1, 2, 3, 4, 0, 0, 0, 1}}},
      // Runs of two alternating indices.
      {"RLE4", {4, 2, 4, 2, 40, Table, {},
                {2, 0x05, 2, 0x12, 0, 0,  2, 0x12, 2, 0x34, 0, 0, 0, 1}}},
      // A core header has no colour count: its table holds all 256 entries.
      {"core header, 8 bits", {4, 2, 8, 0, 12, FullTable(), {}, {0, 5, 1, 2, 1, 2, 3, 4}}},
  };
  for (const Case& c : cases) {
    TPictureBitmap picture;
    ASSERT_NO_THROW(picture = Decode(BmpFile(c.bmp), "kind.bmp")) << c.kind;
    EXPECT_EQ(picture.Width, 4) << c.kind;
    EXPECT_EQ(picture.Height, 2) << c.kind;
    EXPECT_EQ(picture.PixelWidth, 4) << c.kind;
    if (c.bmp.Bits == 1) {
      EXPECT_EQ(picture.Pixels, (std::vector<uint32_t>{W, K, W, K, K, K, W, W})) << c.kind;
    } else {
      EXPECT_EQ(picture.Pixels, Expected) << c.kind;
    }
  }
}

TEST(PictureDecode, IconsAndMetafiles) {
  // The larger image of the two; its transparent pixel is black.
  TPictureBitmap icon = Decode(IcoFile({{16, 0xFF0000}, {32, 0x0000FF}}), "two.ICO");
  EXPECT_EQ(icon.Width, 32);
  EXPECT_EQ(icon.PixelHeight, 32);
  EXPECT_EQ(icon.Pixels[0], K);
  EXPECT_EQ(icon.Pixels[33], B);

  // Both metafiles 200 × 100 of the screen; fitted into 100 × 100 they come 100 × 50.
  const int side = MulDiv(200, DisplayDpi(), 96);
  for (const auto& [name, bytes] : {std::pair{"halves.emf", EmfBytes(200, 100)},
                                    std::pair{"halves.wmf", WmfBytes(200, 100)}}) {
    TPictureBitmap own = Decode(bytes, name);
    EXPECT_NEAR(own.Width, name[7] == 'e' ? 200 : side, 2) << name;
    TPictureBitmap fitted = Decode(bytes, name, 100, 100);
    EXPECT_EQ(fitted.PixelWidth, 100) << name;
    EXPECT_NEAR(fitted.PixelHeight, 50, 1) << name;
    EXPECT_EQ(fitted.Pixels[size_t(25 * 100 + 20)], R) << name;
    EXPECT_EQ(fitted.Pixels[size_t(25 * 100 + 80)], G) << name;
  }
}

TEST(PictureDecode, RefusalsNameTheFile) {
  TBmp truncated;
  truncated.Rows = Bytes(12);  // one row of two
  TBmp huge;
  huge.Width = 1 << 14;
  huge.Height = 1 << 14;
  TBmp topDownRle{4, -2, 8, 1, 40, Table, {}, {0, 1}};
  TBmp shortTable{4, 2, 8, 0, 40, Table, {}, {}};
  Bytes cutTable = BmpFile(shortTable);
  cutTable.resize(14 + 40 + 8);
  struct Refusal {
    Bytes bytes;
    const char* name;
    const char* message;
  } refusals[] = {
      {Bytes(60, 'X'), "x.bmp", "Cannot read bitmap file x.bmp"},
      {BmpFile(truncated), "cut.bmp", "Cannot read bitmap file cut.bmp"},
      {BmpFile(huge), "huge.bmp", "Cannot read bitmap file huge.bmp"},
      {BmpFile(topDownRle), "rle.bmp", "Cannot read bitmap file rle.bmp"},
      {cutTable, "table.bmp", "Cannot read bitmap file table.bmp"},
      {Bytes(30, 0), "x.ico", "Cannot read icon file x.ico"},
      {Bytes(30, 0), "x.emf", "Cannot read metafile x.emf"},
      {Bytes(30, 0), "x.wmf", "Cannot read metafile x.wmf"},
      {Bytes(30, 0), "x.png", "Unknown picture file extension (.png)"},
  };
  for (const Refusal& r : refusals) {
    try {
      Decode(r.bytes, r.name);
      ADD_FAILURE() << r.name << " decoded";
    } catch (const std::runtime_error& error) {
      EXPECT_STREQ(error.what(), r.message);
    }
  }
}

TEST(PictureDecode, ManyThreadsAtOnce) {
  const Bytes bmp = BmpFile({4, 2, 8, 1, 40, Table, {}, {1, 0, 1, 5, 1, 1, 1, 2, 0, 0, 0, 4, 1, 2, 3, 4, 0, 0, 0, 1}});
  const Bytes ico = IcoFile({{32, 0x00FF00}});
  const Bytes emf = EmfBytes(64, 32);
  const TPictureBitmap alone = Decode(emf, "a.emf");
  std::vector<std::thread> threads;
  std::vector<int> faults(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < 50; ++i) {
        try {
          if (Decode(bmp, "a.bmp").Pixels != Expected) ++faults[size_t(t)];
          if (Decode(ico, "a.ico").Pixels[40] != G) ++faults[size_t(t)];
          if (Decode(emf, "a.emf").Pixels != alone.Pixels) ++faults[size_t(t)];
        } catch (const std::exception&) {
          ++faults[size_t(t)];
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(faults, std::vector<int>(4, 0));
}
