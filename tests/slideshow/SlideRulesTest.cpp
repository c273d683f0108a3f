// The slideshow's small rules: the list file, the place of a picture, the EXIF turn and the
// archive beside the module.
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

TEST(SlideMatchMembers, TheKthEntryOfANameTakesTheKthMemberOfThatName) {
  const std::vector<std::string> members = {"list.dat", "IMG_0001.JPG", "mare.jpg", "IMG_0001.JPG", "img_0001.jpg"};
  struct Case {
    std::vector<std::string> entries;
    std::vector<int> matched;
  } cases[] = {
      {{"IMG_0001.JPG", "IMG_0001.JPG"}, {1, 3}},                   // two cameras, two members
      {{"img_0001.jpg", "mare.jpg", "Img_0001.Jpg", "IMG_0001.JPG"}, {1, 2, 3, 4}},  // any case
      {{"IMG_0001.JPG", "IMG_0001.JPG", "IMG_0001.JPG", "IMG_0001.JPG"}, {1, 3, 4, -1}},  // one too many
      {{"mare.jpg", "mare.jpg"}, {2, -1}},
      {{"gone.gif"}, {-1}},
      {{}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(SlideMatchMembers(c.entries, members), c.matched);
}

TEST(SlideArchivePathFor, ModuleNameWithPak) {
  EXPECT_EQ(SlideArchivePathFor("C:\\WINDOWS\\Vacanze.scr"), "C:\\WINDOWS\\Vacanze.pak");
  EXPECT_EQ(SlideArchivePathFor("C:\\a.b\\Mare"), "C:\\a.b\\Mare.pak");
  EXPECT_EQ(SlideArchivePathFor("/x/Gite.2024.SCR"), "/x/Gite.2024.pak");
  EXPECT_EQ(SlideArchivePathFor("resource.sk"), "resource.pak");
}
