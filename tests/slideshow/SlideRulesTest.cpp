// The slideshow's small rules: the list file, the place of a picture, the EXIF turn, the
// bitmap reader and the archive beside the module.
#include <gtest/gtest.h>

#include "SlideBitmap.h"
#include "SlideFit.h"
#include "SlideList.h"
#include "Slideshow.h"

TEST(SlideList, IntervalAndMembersAsTheEditorWritesThem) {
  struct Case {
    const char* bytes;
    std::uint32_t intervalMs;
    std::vector<std::string> members;
  } cases[] = {
      {"3\r\nC:\\Foto\\mare.jpg\r\nC:\\Foto\\gatto.GIF\r\n", 3000, {"mare.jpg", "gatto.GIF"}},
      {"0\r\nC:\\a.jpg\r\n", 0, {"a.jpg"}},                       // the first picture stays
      {"-4\r\na.jpg\r\n", 0, {"a.jpg"}},                          // as 0: weeks in the editor
      {" 7 \r\n", 7000, {}},                                      // trimmed; no pictures
      {"$10\n/home/u/b.bmp\n\r\n  \r\nc.jpeg", 16000, {"b.bmp", "c.jpeg"}},  // blanks skipped
      {"cinque\r\nD:x.jpg\r\n", 5000, {"x.jpg"}},                 // not a number: the default
      {"2147483647\r\n", 0x7FFFFFFF, {}},                         // held at the timer's limit
      {"", 5000, {}},
  };
  for (const Case& c : cases) {
    const TSlideList list = SlideReadList(c.bytes);
    EXPECT_EQ(list.IntervalMs, c.intervalMs) << c.bytes;
    EXPECT_EQ(list.Members, c.members) << c.bytes;
  }
}

TEST(SlideFit, CentredWithAspectKeptEnlargedOnlyWhenAsked) {
  struct Case {
    int w, h, W, H;
    bool enlarge;
    TSlideRect expected;
  } cases[] = {
      {100, 50, 1024, 768, false, {462, 359, 100, 50}},     // smaller: own size, centred
      {100, 50, 1024, 768, true, {0, 128, 1024, 512}},      // enlarged: width decides
      {300, 400, 1024, 768, true, {224, 0, 576, 768}},      // enlarged: height decides
      {1024, 768, 1024, 768, false, {0, 0, 1024, 768}},     // exactly the screen
      {1024, 768, 1024, 768, true, {0, 0, 1024, 768}},
      {1024, 100, 1024, 768, true, {0, 334, 1024, 100}},    // one side meets it: as it is
      {2048, 768, 1024, 768, false, {0, 192, 1024, 384}},   // too wide: width decides
      {2048, 768, 1024, 768, true, {0, 192, 1024, 384}},    // shrinking is the same either way
      {600, 1600, 1024, 768, false, {368, 0, 288, 768}},    // too tall: height decides
      {3000, 700, 1024, 768, false, {0, 264, 1024, 239}},   // 700 × 1024 / 3000 = 238.9
      {5000, 1, 1024, 768, false, {0, 383, 1024, 1}},       // never thinner than a pixel
      {1, 1, 800, 600, true, {100, 0, 600, 600}},           // a single pixel fills the height
      {1025, 769, 152, 112, false, {1, 0, 149, 112}},       // the preview window
      {200, 100, 800, 600, true, {0, 100, 800, 400}},       // the left monitor of two
      {0, 10, 1024, 768, true, {}},
      {10, 10, 0, 768, true, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SlideFit(c.w, c.h, c.W, c.H, c.enlarge), c.expected)
        << c.w << "x" << c.h << " in " << c.W << "x" << c.H << (c.enlarge ? " enlarged" : "");
}

TEST(SlideOrient, EveryExifOrientationStandsUpright) {
  // Stored 3 × 2:  1 2 3 / 4 5 6.  Each row: the upright picture as a person turns it.
  struct Case {
    int orientation, width, height;
    std::vector<std::uint32_t> upright;
  } cases[] = {
      {1, 3, 2, {1, 2, 3, 4, 5, 6}},
      {2, 3, 2, {3, 2, 1, 6, 5, 4}},        // mirrored left to right
      {3, 3, 2, {6, 5, 4, 3, 2, 1}},        // half a turn
      {4, 3, 2, {4, 5, 6, 1, 2, 3}},        // mirrored top to bottom
      {5, 2, 3, {1, 4, 2, 5, 3, 6}},        // transposed
      {6, 2, 3, {4, 1, 5, 2, 6, 3}},        // a quarter clockwise
      {7, 2, 3, {6, 3, 5, 2, 4, 1}},        // transposed across the other diagonal
      {8, 2, 3, {3, 6, 2, 5, 1, 4}},        // a quarter anticlockwise
      {9, 3, 2, {1, 2, 3, 4, 5, 6}},        // not an orientation: as stored
  };
  for (const Case& c : cases) {
    TSlideBitmap bitmap{3, 2, {1, 2, 3, 4, 5, 6}};
    SlideOrient(bitmap, c.orientation);
    EXPECT_EQ(bitmap.Width, c.width) << c.orientation;
    EXPECT_EQ(bitmap.Height, c.height) << c.orientation;
    EXPECT_EQ(bitmap.Pixels, c.upright) << c.orientation;
  }
}

namespace {

// A bitmap file: the 14-byte file header, a 40-byte BITMAPINFOHEADER, the colour table and
// the rows as given.
std::vector<std::uint8_t> Bmp(int width, int height, int bits, std::uint32_t compression,
                              const std::vector<std::uint32_t>& table,
                              const std::vector<std::uint8_t>& rows) {
  std::vector<std::uint8_t> b;
  auto put = [&b](std::uint32_t v, int size) {
    for (int i = 0; i < size; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
  };
  const std::uint32_t offset = 14 + 40 + std::uint32_t(table.size()) * 4;
  b.push_back('B'); b.push_back('M');
  put(offset + std::uint32_t(rows.size()), 4);  // file size
  put(0, 4);                                    // reserved
  put(offset, 4);                               // where the pixels start
  put(40, 4);                                   // header size
  put(std::uint32_t(width), 4);
  put(std::uint32_t(height), 4);                // negative: top-down
  put(1, 2);                                    // planes
  put(std::uint32_t(bits), 2);
  put(compression, 4);
  put(std::uint32_t(rows.size()), 4);           // image size
  put(2835, 4); put(2835, 4);                   // 72 dpi
  put(std::uint32_t(table.size()), 4);          // colours used
  put(0, 4);                                    // colours important
  for (std::uint32_t c : table) put(c, 4);
  b.insert(b.end(), rows.begin(), rows.end());
  return b;
}

}  // namespace

TEST(SlideBMP, DepthsRowOrderAndRefusals) {
  // 24 bits, bottom-up, 2 × 2: the file's first row is the picture's last; rows padded to 4.
  const auto bgr = Bmp(2, 2, 24, 0, {}, {0, 0, 255, 0, 255, 0, 0, 0,   // red, green
                                         255, 0, 0, 255, 255, 255, 0, 0});  // blue, white
  TSlideBitmap b = SlideReadBMP(bgr, 100);
  EXPECT_EQ(b.Pixels, (std::vector<std::uint32_t>{0xFF0000FF, 0xFFFFFFFF, 0xFFFF0000, 0xFF00FF00}));

  // 8 bits with a two-colour table, top-down 3 × 1; index 7 lies beyond the table.
  const auto indexed = Bmp(3, -1, 8, 0, {0x123456, 0xABCDEF}, {1, 0, 7, 0});
  b = SlideReadBMP(indexed, 100);
  EXPECT_EQ(b.Pixels, (std::vector<std::uint32_t>{0xFFABCDEF, 0xFF123456, 0xFF000000}));

  // 1 bit, 9 × 1: the bits run from the high end of each byte.
  const auto mono = Bmp(9, 1, 1, 0, {0x000000, 0xFFFFFF}, {0b10100000, 0b10000000, 0, 0});
  b = SlideReadBMP(mono, 100);
  EXPECT_EQ(b.Pixels[0], 0xFFFFFFFFu);
  EXPECT_EQ(b.Pixels[1], 0xFF000000u);
  EXPECT_EQ(b.Pixels[8], 0xFFFFFFFFu);

  struct Refusal {
    std::vector<std::uint8_t> bytes;
    const char* message;
  } refusals[] = {
      {std::vector<std::uint8_t>(60, 'X'), "Not a bitmap file"},
      {Bmp(2, 2, 8, 1, {0}, {0, 0, 0, 0}), "Unsupported bitmap format"},      // RLE8
      {Bmp(2, 2, 16, 0, {}, {0, 0, 0, 0}), "Unsupported bitmap format"},
      {Bmp(2, 2, 24, 0, {}, {0, 0, 255, 0}), "Bitmap file too short"},        // one row of two
      {Bmp(20, 20, 24, 0, {}, std::vector<std::uint8_t>(1280)), "Bitmap picture too large"},
      {Bmp(0, 2, 24, 0, {}, {}), "Not a bitmap file"},
  };
  for (const Refusal& r : refusals) {
    try {
      SlideReadBMP(r.bytes, 100);
      ADD_FAILURE() << "accepted, expected " << r.message;
    } catch (const ESlideError& error) {
      EXPECT_STREQ(error.what(), r.message);
    }
  }
}

TEST(SlideArchivePathFor, ModuleNameWithPak) {
  EXPECT_EQ(SlideArchivePathFor("C:\\WINDOWS\\Vacanze.scr"), "C:\\WINDOWS\\Vacanze.pak");
  EXPECT_EQ(SlideArchivePathFor("C:\\a.b\\Mare"), "C:\\a.b\\Mare.pak");
  EXPECT_EQ(SlideArchivePathFor("/x/Gite.2024.SCR"), "/x/Gite.2024.pak");
  EXPECT_EQ(SlideArchivePathFor("resource.sk"), "resource.pak");
}
