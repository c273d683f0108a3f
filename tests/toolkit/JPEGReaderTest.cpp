// The JPEG reader on files the tests make: the failures each damage provokes, the sizes of
// scaled decoding, the colour conversions libjpeg leaves to us, the EXIF orientation and the
// reader's bounds.  The pixels themselves are checked against djpeg in JPEGDjpegTest.cpp.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "JPEGReader.h"
#include "JPEGWriter.h"

#ifdef _WIN32
#include <malloc.h>
#endif

namespace {

std::string FailureOf(const std::vector<uint8_t>& bytes, const TJPEGReadOptions& options = {}) {
  try {
    JPEGRead(bytes, options);
  } catch (const EJPEGError& error) {
    return error.what();
  }
  return "(no failure)";
}

std::vector<uint8_t> Cut(std::vector<uint8_t> bytes, size_t size) {
  bytes.resize(size);
  return bytes;
}

// Offset of the first marker `code` (0xFFxx) in a file.
size_t MarkerAt(const std::vector<uint8_t>& bytes, uint8_t code) {
  for (size_t n = 0; n + 1 < bytes.size(); ++n) {
    if (bytes[n] == 0xFF && bytes[n + 1] == code) return n;
  }
  ADD_FAILURE() << "no marker 0xFF" << std::hex << int(code);
  return 0;
}

std::vector<uint8_t> Colour(int width, int height, bool progressive = false) {
  TJPEGTestImage image;
  image.Width = width;
  image.Height = height;
  image.Progressive = progressive;
  return JPEGTestWrite(image);
}

TEST(JPEGReader, EveryDamageRaisesWithLibjpegsMessage) {
  const std::vector<uint8_t> good = Colour(64, 48);
  const std::vector<uint8_t> progressive = Colour(64, 48, true);
  std::mt19937 random(7);
  std::vector<uint8_t> noise = {0xFF, 0xD8};   // a JPEG signature, then random bytes
  for (int n = 0; n < 4000; ++n) noise.push_back(uint8_t(random()));
  const struct {
    const char* fault;
    std::vector<uint8_t> bytes;
    const char* message;
  } cases[] = {
      {"zero-byte file", {}, "Empty input file"},
      {"signature only", Cut(good, 2), "Premature end of input file"},
      {"cut inside the quantisation table", Cut(good, MarkerAt(good, 0xDB) + 20), "Premature end of input file"},
      {"cut inside the frame header", Cut(good, MarkerAt(good, 0xC0) + 6), "Premature end of input file"},
      {"cut inside the Huffman tables", Cut(good, MarkerAt(good, 0xC4) + 9), "Premature end of input file"},
      {"cut at the start of the scan", Cut(good, MarkerAt(good, 0xDA) + 2), "Premature end of input file"},
      {"cut in the middle of the scan data", Cut(good, good.size() / 2 + 100), "Premature end of input file"},
      {"EOI missing", Cut(good, good.size() - 2), "Premature end of input file"},
      {"progressive file cut between scans", Cut(progressive, progressive.size() * 3 / 4), "Premature end of input file"},
      {"a GIF file", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "Not a JPEG file: starts with 0x47 0x49"},
      {"random bytes after a JPEG signature", noise, ""},
  };
  for (const auto& c : cases) {
    const std::string message = FailureOf(c.bytes);
    EXPECT_NE(message, "(no failure)") << c.fault;
    EXPECT_FALSE(message.empty()) << c.fault;
    if (*c.message) {
      EXPECT_EQ(message, c.message) << c.fault;
    }
  }
  EXPECT_EQ(JPEGRead(good).Width, 64);   // the uncut file is fine
}

TEST(JPEGReader, BoundsRefuseHugePicturesAndEndlessScans) {
  TJPEGReadOptions small;
  small.MaxPixels = 64 * 48 - 1;
  EXPECT_EQ(FailureOf(Colour(64, 48), small), "JPEG picture too large (64 x 48 pixels)");
  small.MaxPixels = 64 * 48;
  EXPECT_EQ(JPEGRead(Colour(64, 48), small).Height, 48);

  // libjpeg's simple progression writes 10 scans for a colour picture.
  TJPEGReadOptions fewScans;
  fewScans.MaxScans = 9;
  EXPECT_EQ(FailureOf(Colour(64, 48, true), fewScans), "JPEG file has more than 9 scans");
  fewScans.MaxScans = 10;
  EXPECT_TRUE(JPEGRead(Colour(64, 48, true), fewScans).Progressive);
}

// A caller that no longer wants the picture gets its thread back while a progressive file is
// still in its first scans; a check that never says stop changes nothing.
TEST(JPEGReader, ACancelledDecodeStopsPartWay) {
  const auto file = Colour(640, 480, true);
  int asked = 0;
  TJPEGReadOptions patient;
  patient.Cancelled = [&asked] { ++asked; return false; };
  EXPECT_EQ(JPEGRead(file, patient).Pixels, JPEGRead(file).Pixels);
  EXPECT_GT(asked, 30) << "asked too seldom to stop a large picture soon";

  int untilStop = asked / 10;
  TJPEGReadOptions impatient;
  impatient.Cancelled = [&untilStop] { return --untilStop < 0; };
  EXPECT_EQ(FailureOf(file, impatient), "JPEG decoding abandoned");
}

TEST(JPEGReader, ScaleDenominatorKeepsThePictureAtLeastAsLargeAsTheDisplay) {
  const struct {
    int width, height, displayWidth, displayHeight, denominator;
  } cases[] = {
      {4000, 3000, 176, 150, 8},   // a camera photo in the picker: 500 x 375
      {1000, 600, 176, 150, 4},    // 250 x 150: exactly tall enough
      {1000, 596, 176, 150, 2},    // 1/4 would be 250 x 149
      {350, 299, 176, 150, 1},     // 1/2 would be 175 x 150
      {351, 299, 176, 150, 2},     // 176 x 150, rounded up from 175.5 x 149.5
      {352, 300, 176, 150, 2},
      {176, 150, 176, 150, 1},
      {100, 100, 176, 150, 1},     // shown larger than it is
      {4000, 3000, 0, 0, 1},       // its own size
      {4000, 3000, 176, 0, 1},
      {65535, 65535, 1, 1, 8},     // 1/8 is libjpeg's smallest
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JPEGScaleDenominator(c.width, c.height, c.displayWidth, c.displayHeight), c.denominator)
        << c.width << " x " << c.height << " shown at " << c.displayWidth << " x " << c.displayHeight;
  }
}

TEST(JPEGReader, ScaledDecodingGivesTheSizeLibjpegPromises) {
  // libjpeg's scaled size is the file's size divided and rounded up (jdiv_round_up).
  const struct {
    int width, height, displayWidth, displayHeight, denominator, scaledWidth, scaledHeight;
  } cases[] = {
      {803, 601, 176, 150, 4, 201, 151},
      {803, 601, 400, 300, 2, 402, 301},
      {1409, 1201, 176, 150, 8, 177, 151},
      {17, 9, 2, 1, 8, 3, 2},
      {1, 1, 0, 0, 1, 1, 1},
  };
  for (const auto& c : cases) {
    TJPEGReadOptions options;
    options.DisplayWidth = c.displayWidth;
    options.DisplayHeight = c.displayHeight;
    const TJPEGPicture picture = JPEGRead(Colour(c.width, c.height), options);
    EXPECT_EQ(picture.ScaleDenominator, c.denominator) << c.width << " x " << c.height;
    EXPECT_EQ(picture.Width, c.scaledWidth) << c.width << " x " << c.height;
    EXPECT_EQ(picture.Height, c.scaledHeight) << c.width << " x " << c.height;
    EXPECT_EQ(picture.FileWidth, c.width);
    EXPECT_EQ(picture.FileHeight, c.height);
    EXPECT_EQ(picture.Pixels.size(), size_t(c.scaledWidth) * size_t(c.scaledHeight));
  }
}

// A CMYK file without Adobe's marker stores amounts of ink; with it, their complement.  The
// same inks written both ways must give the same colours (within the rounding of lossy
// coding of complemented samples).  YCCK exists only with the marker, which declares it.
TEST(JPEGReader, CMYKWithoutAdobesMarkerIsNotInverted) {
  const int width = 40, height = 24;
  const std::vector<uint8_t> inverted = JPEGTestPixels(width, height, 4, 3);
  std::vector<uint8_t> inks(inverted.size());
  for (size_t n = 0; n < inks.size(); ++n) inks[n] = uint8_t(255 - inverted[n]);
  {
    TJPEGTestImage image;
    image.Width = width;
    image.Height = height;
    image.Space = jtCMYK;
    image.Subsampled = false;
    image.Quality = 100;
    const TJPEGPicture adobe = JPEGRead(JPEGTestWrite(image, inverted));
    image.AdobeMarker = false;
    const TJPEGPicture plain = JPEGRead(JPEGTestWrite(image, inks));
    EXPECT_EQ(adobe.ColorSpace, jcCMYK);
    EXPECT_EQ(plain.ColorSpace, jcCMYK);
    ASSERT_EQ(adobe.Pixels.size(), plain.Pixels.size());
    int worst = 0;
    for (size_t n = 0; n < adobe.Pixels.size(); ++n) {
      for (int shift : {0, 8, 16}) {
        worst = std::max(worst, std::abs(int(adobe.Pixels[n] >> shift & 0xFF) -
                                         int(plain.Pixels[n] >> shift & 0xFF)));
      }
    }
    EXPECT_LE(worst, 3);
  }
}

TEST(JPEGReader, ExifOrientationIsReported) {
  TJPEGTestImage image;
  image.App1 = JPEGTestExif(6, true);
  EXPECT_EQ(JPEGRead(JPEGTestWrite(image)).Orientation, 6);
  image.App1 = JPEGTestExif(3, false);
  EXPECT_EQ(JPEGRead(JPEGTestWrite(image)).Orientation, 3);

  const struct {
    const char* fault;
    std::vector<uint8_t> app1;
  } noOrientation[] = {
      {"no APP1 marker", {}},
      {"orientation 9 is not defined", JPEGTestExif(9, true)},
      {"orientation 0 is not defined", JPEGTestExif(0, false)},
      {"not EXIF data", {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', '.', 0, 0, 0, 0, 0}},
      {"TIFF header cut short", Cut(JPEGTestExif(6, true), 10)},
      {"directory cut before its entry", Cut(JPEGTestExif(6, true), 6 + 8 + 2 + 12 + 6)},
  };
  for (const auto& c : noOrientation) {
    image.App1 = c.app1;
    EXPECT_EQ(JPEGRead(JPEGTestWrite(image)).Orientation, 1) << c.fault;
  }
}

#ifdef _WIN32
// MinGW's setjmp and longjmp across libjpeg: a thousand failures in a row must not grow the
// C library's heap, from which libjpeg takes its pools (each leaked decoder would keep tens
// of kilobytes).  Wine reports no PrivateUsage for a process; walking the heap is exact.
size_t HeapBytesInUse() {
  _HEAPINFO entry = {};
  size_t used = 0;
  while (_heapwalk(&entry) == _HEAPOK) {
    if (entry._useflag == _USEDENTRY) used += entry._size;
  }
  return used;
}

TEST(JPEGReader, AThousandFailuresLeakNothing) {
  const std::vector<uint8_t> good = Colour(64, 48, true);
  const std::vector<uint8_t> damaged = Cut(good, good.size() * 2 / 3);
  FailureOf(damaged);
  const size_t before = HeapBytesInUse();
  for (int n = 0; n < 1000; ++n) ASSERT_EQ(FailureOf(damaged), "Premature end of input file");
  const size_t after = HeapBytesInUse();
  EXPECT_LT(after, before + 64 * 1024) << before << " bytes in use before, " << after << " after";
}
#endif

}  // namespace
