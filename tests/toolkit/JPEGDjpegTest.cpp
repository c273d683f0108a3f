// Differential test of the JPEG reader against libjpeg's own djpeg: every kind of file the
// tests make decodes to the pixels djpeg writes, at full size and scaled.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "../support/ScratchFolder.h"
#include "JPEGReader.h"
#include "JPEGWriter.h"

namespace {

struct TPnm {
  int Width = 0, Height = 0, Channels = 0;
  std::vector<uint8_t> Samples;
};

// djpeg's output for a file: P5 (grey) or P6 (RGB; CMYK converted as djpeg converts it).
TPnm Djpeg(const std::string& file, int denominator) {
  const std::string command = std::string(DJPEG) + " -pnm -scale 1/" +
                              std::to_string(denominator) + " '" + file + "'";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[65536];
  for (size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, got);
  EXPECT_EQ(pclose(pipe), 0) << command;
  TPnm pnm;
  std::istringstream header(out);
  std::string magic;
  int maximum = 0;
  header >> magic >> pnm.Width >> pnm.Height >> maximum;
  EXPECT_TRUE((magic == "P5" || magic == "P6") && maximum == 255) << command;
  pnm.Channels = magic == "P5" ? 1 : 3;
  const size_t start = size_t(header.tellg()) + 1;   // one whitespace byte ends the header
  pnm.Samples.assign(out.begin() + std::ptrdiff_t(start), out.end());
  EXPECT_EQ(pnm.Samples.size(), size_t(pnm.Width) * size_t(pnm.Height) * size_t(pnm.Channels));
  return pnm;
}

// The largest difference of one colour channel between the two pictures.
int Difference(const TJPEGPicture& ours, const TPnm& theirs) {
  int worst = 0;
  for (int y = 0; y < ours.Height; ++y) {
    for (int x = 0; x < ours.Width; ++x) {
      const uint32_t pixel = ours.Row(y)[x];
      const uint8_t* sample = &theirs.Samples[(size_t(y) * size_t(ours.Width) + size_t(x)) *
                                              size_t(theirs.Channels)];
      const int rgb[3] = {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
      for (int c = 0; c < 3; ++c) {
        worst = std::max(worst, std::abs(rgb[c] - int(sample[theirs.Channels == 1 ? 0 : c])));
      }
      EXPECT_EQ(pixel >> 24, 0xFFu);
    }
  }
  return worst;
}

TEST(JPEGDjpeg, EveryKindOfFileDecodesAsDjpegDecodesIt) {
  TScratchFolder folder;
  auto image = [](int width, int height, TJPEGTestSpace space) {
    TJPEGTestImage i;
    i.Width = width;
    i.Height = height;
    i.Space = space;
    return i;
  };
  struct TCase {
    const char* name;
    TJPEGTestImage image;
  };
  std::vector<TCase> cases = {
      {"grey", image(61, 47, jtGrayscale)},
      {"colour 4:2:0", image(96, 64, jtYCbCr)},
      {"colour 4:4:4 odd width", image(33, 19, jtYCbCr)},
      {"colour 4:2:0 odd width", image(101, 37, jtYCbCr)},
      {"RGB", image(40, 30, jtRGB)},
      {"CMYK", image(45, 29, jtCMYK)},
      {"YCCK", image(45, 29, jtYCCK)},
      {"1 x 1", image(1, 1, jtYCbCr)},
      {"1 x 1 grey", image(1, 1, jtGrayscale)},
      {"one row", image(123, 1, jtYCbCr)},
      {"one column", image(1, 77, jtYCbCr)},
  };
  cases[2].image.Subsampled = false;
  TCase progressive = {"progressive", image(130, 90, jtYCbCr)};
  progressive.image.Progressive = true;
  cases.push_back(progressive);
  TCase progressiveGrey = {"progressive grey", image(67, 45, jtGrayscale)};
  progressiveGrey.image.Progressive = true;
  cases.push_back(progressiveGrey);
  TCase restarts = {"restart markers", image(150, 100, jtYCbCr)};
  restarts.image.RestartRows = 1;
  cases.push_back(restarts);
  TCase progressiveRestarts = {"progressive with restart markers", image(150, 100, jtYCbCr)};
  progressiveRestarts.image.Progressive = true;
  progressiveRestarts.image.RestartRows = 2;
  cases.push_back(progressiveRestarts);

  for (const TCase& c : cases) {
    const std::vector<uint8_t> bytes = JPEGTestWrite(c.image);
    const std::string file = folder.Write(std::string(c.name) + ".jpg", bytes);
    for (int denominator : {1, 2, 4, 8}) {
      TJPEGReadOptions options;
      // A display size that asks for exactly this denominator.
      options.DisplayWidth = (c.image.Width + denominator - 1) / denominator;
      options.DisplayHeight = (c.image.Height + denominator - 1) / denominator;
      if (denominator == 1) options.DisplayWidth = options.DisplayHeight = 0;
      const TJPEGPicture ours = JPEGRead(bytes, options);
      const int expected = JPEGScaleDenominator(c.image.Width, c.image.Height,
                                                options.DisplayWidth, options.DisplayHeight);
      ASSERT_EQ(ours.ScaleDenominator, expected) << c.name;
      const TPnm theirs = Djpeg(file, ours.ScaleDenominator);
      ASSERT_EQ(ours.Width, theirs.Width) << c.name << " at 1/" << denominator;
      ASSERT_EQ(ours.Height, theirs.Height) << c.name << " at 1/" << denominator;
      // The same library with the same settings: only CMYK conversion could round apart.
      EXPECT_LE(Difference(ours, theirs), 1) << c.name << " at 1/" << ours.ScaleDenominator;
    }
  }
}

}  // namespace
