#include "SaverRules.h"

#include <gtest/gtest.h>

TEST(SaverRules, GifControlChosenByTheLastExtension) {
  for (const char* gif : {"a.gif", "C:\\Foto\\A.GIF", "x.Gif", "archivio.jpg.gif"})
    EXPECT_TRUE(SaverIsGifName(gif)) << gif;
  for (const char* other : {"a.jpg", "a.gif.jpg", "gif", "C:\\gif.d\\pic", "a.gifx", "a.gi", ""})
    EXPECT_FALSE(SaverIsGifName(other)) << other;
}

TEST(SaverRules, Placement) {
  // Halves truncated on their own: 1023 / 2 - 101 / 2 = 511 - 50.
  EXPECT_EQ(SaverPicturePlace(1023, 767, 101, 51, 40).Left, 461);
  EXPECT_EQ(SaverPicturePlace(1023, 767, 101, 51, 40).Top, 383 - 25 - 40);
  EXPECT_EQ(SaverPicturePlace(1024, 768, 200, 100, 0).Top, 334);  // after a resize
  // Larger than the screen: negative, cut at the edges.
  EXPECT_EQ(SaverPicturePlace(1024, 768, 3000, 2000, 40).Left, -988);
  EXPECT_EQ(SaverPicturePlace(1024, 768, 3000, 2000, 40).Top, -656);
  // The 258 × 83 logo: its lower edge 2 pixels below the screen.
  const TSaverPoint logo = SaverLogoPlace(1024, 768, 258, 83);
  EXPECT_EQ(logo.Left, 383);
  EXPECT_EQ(logo.Top + 83, 770);
}

TEST(SaverRules, PicturesInOrderAndTheTimer) {
  int index = 1;  // after entry 0 at show
  std::string seen;
  for (int tick = 0; tick < 7; ++tick) {
    seen += std::to_string(index);
    index = SaverNextIndex(index, 3);
  }
  EXPECT_EQ(seen, "1201201");
  EXPECT_EQ(SaverNextIndex(1, 2), 0);

  EXPECT_EQ(SaverTimerInterval(5), 5000u);
  EXPECT_EQ(SaverTimerInterval(0), 0u);
  EXPECT_EQ(SaverTimerInterval(-1), 4294966296u);
  EXPECT_EQ(SaverTimerInterval(5000000), 705032704u);  // 5e9 wraps past 2^32
}

TEST(SaverRules, MovementRule) {
  TSaverPointer pointer;
  EXPECT_FALSE(pointer.Moved(10, 10));  // recorded
  EXPECT_FALSE(pointer.Moved(10, 10));  // same place: forgotten
  EXPECT_FALSE(pointer.Moved(11, 10));  // recorded afresh
  EXPECT_TRUE(pointer.Moved(12, 10));   // a real movement closes

  pointer.Forget();  // a new show
  EXPECT_FALSE(pointer.Moved(300, 200));
  EXPECT_TRUE(pointer.Moved(300, 201));
}
