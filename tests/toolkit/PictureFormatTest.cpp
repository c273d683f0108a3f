// The picture control's choice of decoder by extension, and the stretch both it and the
// picture tool use.
#include <gtest/gtest.h>

#include <stdexcept>

#include "../support/ScratchFolder.h"
#include "PictureFormat.h"
#include "PictureStretch.h"

namespace {

TEST(PictureFormat, ExtensionsChooseTheDecoderInAnyCase) {
  const struct {
    const char* name;
    const char* extension;
    TPictureFormat format;
  } cases[] = {
      {"photo.jpg", "jpg", pfJPEG},
      {"PHOTO.JPG", "JPG", pfJPEG},
      {"photo.JpEg", "JpEg", pfJPEG},
      {"C:\\pics\\logo.Bmp", "Bmp", pfBitmap},
      {"app.ico", "ico", pfIcon},
      {"chart.EMF", "EMF", pfEnhMetafile},
      {"/tmp/clip.wmf", "wmf", pfMetafile},
      {"anim.gif", "gif", pfUnknown},          // GIF pictures go to the GIF control
      {"photo.jpg.txt", "txt", pfUnknown},     // only the last dot counts
      {"photo.jpe", "jpe", pfUnknown},
      {"noextension", "", pfUnknown},
      {"trailing.", "", pfUnknown},
      {"C:\\my.pics\\photo", "", pfUnknown},   // a dot in a folder's name is not an extension
      {"/home/a.b/photo", "", pfUnknown},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PictureExtension(c.name), c.extension) << c.name;
    EXPECT_EQ(PictureFormatOf(c.name), c.format) << c.name;
  }
  EXPECT_EQ(PictureUnknownExtensionMessage("a\\b.Xyz"), "Unknown picture file extension (.Xyz)");
  EXPECT_EQ(PictureUnknownExtensionMessage("readme"), "Unknown picture file extension (.)");
}

TEST(PictureFormat, ReadingAMissingFileSaysWhichFile) {
  TScratchFolder folder;
  const std::string missing = folder.Path("missing.jpg");
  try {
    PictureReadFile(missing);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Cannot open file " + missing);
  }
  EXPECT_EQ(PictureReadFile(folder.Write("three.jpg", std::vector<uint8_t>{1, 2, 3})), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(PictureStretch, EachTargetPixelTakesTheSourcePixelUnderItsCentre) {
  // A 4 x 2 source numbered row by row.
  const std::vector<uint32_t> source = {0, 1, 2, 3, 10, 11, 12, 13};
  // Doubling repeats every pixel; halving keeps the second of each pair (centre at 1, 3).
  EXPECT_EQ(PictureStretch(source.data(), 4, 2, 8, 1),
            (std::vector<uint32_t>{10, 10, 11, 11, 12, 12, 13, 13}));
  EXPECT_EQ(PictureStretch(source.data(), 4, 2, 2, 2), (std::vector<uint32_t>{1, 3, 11, 13}));
  // Three of four: centres at 4/6, 12/6 and 20/6 of a pixel.
  EXPECT_EQ(PictureStretch(source.data(), 4, 2, 3, 4),
            (std::vector<uint32_t>{0, 2, 3, 0, 2, 3, 10, 12, 13, 10, 12, 13}));
  EXPECT_EQ(PictureStretch(source.data(), 4, 2, 4, 2), source);
  EXPECT_TRUE(PictureStretch(source.data(), 4, 2, 0, 5).empty());
  EXPECT_TRUE(PictureStretch(source.data(), 0, 2, 5, 5).empty());
}

}  // namespace
