#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GIFFixtures.h"
#include "GIFPicture.h"

namespace {

bool Parse(const TBytes& bytes, TGIFPicture& picture, std::string& error,
           const TGIFLoadOptions& options = {}) {
  return GIFParse(bytes, options, picture, error);
}

TGIFPicture MustParse(const TBytes& bytes, const TGIFLoadOptions& options = {}) {
  TGIFPicture picture;
  std::string error;
  EXPECT_TRUE(Parse(bytes, picture, error, options)) << error;
  return picture;
}

// A whole file written byte by byte: 3 × 2 pixels, four colours, rows "0 1 2" and "3 0 1".
const TBytes Small = {
    'G', 'I', 'F', '8', '9', 'a',   // header
    3, 0, 2, 0,                     // logical screen 3 × 2
    0x81, 0, 0,                     // global table of 2^(1+1) = 4 entries; background, aspect
    0xFF, 0, 0,                     // 0 red
    0, 0xFF, 0,                     // 1 green
    0, 0, 0xFF,                     // 2 blue
    0xFF, 0xFF, 0xFF,               // 3 white
    ',', 0, 0, 0, 0, 3, 0, 2, 0,    // image at (0, 0), 3 × 2
    0x00,                           // no local table, not interlaced
    2,                              // LZW code size 2: clear 4, end 5
    3, 0x44, 0x34, 0x56,            // codes 4 0 1 2 (3 bits), 3 6 5 (4 bits): 0 1 2 3 "0 1" end
    0,                              // end of the image data
    ';'};

TEST(GIFParser, SmallFileByteByByte) {
  const TGIFPicture picture = MustParse(Small);
  EXPECT_EQ(picture.Version, gvGIF89a);
  EXPECT_EQ(picture.Width, 3);
  EXPECT_EQ(picture.Height, 2);
  EXPECT_EQ(picture.LoopCount, 1);
  ASSERT_EQ(picture.Frames.size(), 1u);
  const TGIFFrame& frame = picture.Frames[0];
  EXPECT_FALSE(frame.Transparent);
  EXPECT_EQ((*frame.Picture.Colors)[0], 0xFF0000u);
  EXPECT_EQ((*frame.Picture.Colors)[3], 0xFFFFFFu);
  EXPECT_EQ((*frame.Picture.Colors)[4], 0u);   // entries the file does not define are black
  // Stored bottom-up, rows padded to 4 bytes: the last row comes first.
  EXPECT_EQ(frame.Picture.Stride, 4u);
  EXPECT_EQ(frame.Picture.Bits, (TBytes{3, 0, 1, 0, 0, 1, 2, 0}));
}

// The rows of interlaced data go to 0, 8, 16, … then 4, 12, … then 2, 6, … then 1, 3, ….
TEST(GIFParser, InterlacedRowsInPassOrder) {
  // 1 × 10 picture; the data sends the values 0 1 2 3 0 1 2 3 0 1 in order.
  const TBytes bytes = Cat({Header("GIF89a"), Screen(1, 10, 2),
                            Image(0, 0, 1, 10, 0x40 /* interlaced */),
                            Pixels2({0, 1, 2, 3, 0, 1, 2, 3, 0, 1}), Trailer});
  const TGIFPicture picture = MustParse(bytes);
  // Data rows 0..9 fill picture rows 0, 8 | 4 | 2, 6 | 1, 3, 5, 7, 9.
  const int rowOfData[] = {0, 8, 4, 2, 6, 1, 3, 5, 7, 9};
  const int value[] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1};
  for (int n = 0; n < 10; ++n) {
    EXPECT_EQ(picture.Frames[0].Picture.Row(rowOfData[n])[0], value[n]) << "data row " << n;
  }
}

TEST(GIFParser, GraphicControlAndTransparencyByVersion) {
  for (const char* version : {"GIF87a", "GIF89a"}) {
    const TBytes bytes = Cat({Header(version), Screen(2, 1, 2),
                              Control(3, 7, true, 2),   // disposal 3, 70 ms, index 2 transparent
                              Image(0, 0, 2, 1), Pixels2({2, 1}), Trailer});
    const TGIFPicture picture = MustParse(bytes);
    const TGIFFrame& frame = picture.Frames[0];
    const bool gif89a = version[4] == '9';
    EXPECT_EQ(picture.Version, gif89a ? gvGIF89a : gvGIF87a);
    EXPECT_EQ(frame.Disposal, 3) << version;
    EXPECT_EQ(frame.Delay, 70u) << version;
    // Only GIF89a has transparency; a GIF87a file is drawn opaque.
    EXPECT_EQ(frame.Transparent, gif89a) << version;
    EXPECT_EQ(picture.HasTransparency, gif89a) << version;
    if (gif89a) {
      EXPECT_EQ(frame.TransparentColor, 0x020202u);
      EXPECT_TRUE(frame.Mask.White(0, 0));
      EXPECT_FALSE(frame.Mask.White(1, 0));
    }
  }
}

TEST(GIFParser, DisposalValuesOutsideTheKnownOnesMeanRestoreToBackground) {
  for (int written = 0; written < 8; ++written) {
    const TBytes bytes = Cat({Header("GIF89a"), Screen(1, 1, 2), Control(written, 0),
                              Image(0, 0, 1, 1), Pixels2({1}), Trailer});
    const int expected = written == 0 || written == 1 || written == 3 ? written : 2;
    EXPECT_EQ(MustParse(bytes).Frames[0].Disposal, expected) << "written " << written;
  }
}

TEST(GIFParser, LoopCountFromNetscapeBlock) {
  const TBytes frames = Cat({Image(0, 0, 1, 1), Pixels2({1}), Image(0, 0, 1, 1), Pixels2({2})});
  EXPECT_EQ(MustParse(Cat({Header("GIF89a"), Screen(1, 1, 2), frames, Trailer})).LoopCount, 1);
  EXPECT_EQ(MustParse(Cat({Header("GIF89a"), Screen(1, 1, 2), Netscape(0), frames})).LoopCount, 0);
  EXPECT_EQ(MustParse(Cat({Header("GIF89a"), Screen(1, 1, 2), Netscape(3), frames})).LoopCount, 3);
  // Another application's block, and comment and plain-text extensions, are passed over.
  const TBytes other = {'!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '1',
                        3, 1, 9, 0, 0};
  const TBytes comment = {'!', 0xFE, 3, 'h', 'i', '!', 0};
  const TBytes plainText = {'!', 0x01, 2, 0, 0, 0};
  const TGIFPicture picture =
      MustParse(Cat({Header("GIF89a"), Screen(1, 1, 2), other, comment, plainText, frames}));
  EXPECT_EQ(picture.LoopCount, 1);
  EXPECT_EQ(picture.Frames.size(), 2u);
}

TEST(GIFParser, AtMost256FramesAndFirstImageOnly) {
  TBytes bytes = Cat({Header("GIF89a"), Screen(1, 1, 2)});
  for (int k = 0; k < 300; ++k) bytes = Cat({bytes, Image(0, 0, 1, 1), Pixels2({k % 4})});
  bytes.push_back(';');
  EXPECT_EQ(MustParse(bytes).Frames.size(), 256u);
  TGIFLoadOptions first;
  first.FirstImageOnly = true;
  EXPECT_EQ(MustParse(bytes, first).Frames.size(), 1u);
}

TEST(GIFParser, PictureEnlargedToTheFurthestFrameEdge) {
  // Screen 4 × 2; one frame reaches x = 10, another lies wholly outside below, to y = 20.
  const TBytes bytes = Cat({Header("GIF89a"), Screen(4, 2, 2), Image(8, 0, 2, 1),
                            Pixels2({1, 2}), Image(0, 19, 1, 1), Pixels2({3}), Trailer});
  const TGIFPicture picture = MustParse(bytes);
  EXPECT_EQ(picture.Width, 10);
  EXPECT_EQ(picture.Height, 20);
  // A zero logical screen takes the frames' size.
  EXPECT_EQ(MustParse(Cat({Header("GIF89a"), Screen(0, 0, 2), Image(1, 2, 3, 1),
                           Pixels2({1, 2, 3})})).Width, 4);
}

TEST(GIFParser, LocalTableAndStrayBytes) {
  // A local table of 2 entries (packed 0x80: 2^(0+1)), then a stray byte pair the block
  // loop passes over, and no trailer.
  const TBytes bytes = Cat({Header("GIF89a"), Screen(2, 1, 2),
                            Image(0, 0, 2, 1, 0x80), {0x10, 0x20, 0x30, 0x40, 0x50, 0x60},
                            Pixels2({1, 0}), {0x00, 0x00}});
  const TGIFPicture picture = MustParse(bytes);
  EXPECT_EQ((*picture.Frames[0].Picture.Colors)[0], 0x102030u);
  EXPECT_EQ((*picture.Frames[0].Picture.Colors)[1], 0x405060u);
  EXPECT_EQ((*picture.Frames[0].Picture.Colors)[2], 0u);
  EXPECT_EQ(picture.GlobalTableBits, 2);
}

TEST(GIFParser, DamagedDataDecodesWhatIsSound) {
  // The image data stops after one code; then a code naming no entry.  Both load, and the
  // pixels not reached keep index 0 (and are not transparent even with index 0 transparent).
  const TBytes shortData = {2, 1, 0x1C, 0};   // one sub-block: codes 4 (clear), 3; no end
  const TGIFPicture picture = MustParse(
      Cat({Header("GIF89a"), Screen(3, 1, 2), Control(0, 0, true, 0), Image(0, 0, 3, 1),
           shortData, Trailer}));
  EXPECT_EQ(picture.Frames[0].Picture.Bits, (TBytes{3, 0, 0, 0}));
  EXPECT_FALSE(picture.Frames[0].Mask.White(1, 0));
  const TBytes undefinedCode = {2, 2, 0xDC, 0x01, 0};   // codes 4, 3, 7 (undefined), 0
  EXPECT_EQ(MustParse(Cat({Header("GIF89a"), Screen(3, 1, 2), Image(0, 0, 3, 1), undefinedCode}))
                .Frames[0].Picture.Bits,
            (TBytes{3, 0, 0, 0}));
}

struct TFailureCase {
  const char* fault;
  TBytes bytes;
  const char* message;   // a part of the error text
};

TEST(GIFParser, FailuresNameTheFault) {
  const TBytes good = Cat({Header("GIF89a"), Screen(1, 1, 2)});
  const TBytes pixel = Pixels2({1});
  const TFailureCase cases[] = {
      {"no bytes", {}, "no data"},
      {"no signature", Cat({Header("GIX89a"), Screen(1, 1)}), "no GIF signature"},
      {"header cut short", {'G', 'I', 'F', '8'}, "end of data in header"},
      {"screen cut short", Cat({Header("GIF89a"), {1, 0, 1}}), "logical screen descriptor"},
      {"global table cut short", Cat({Header("GIF89a"), {1, 0, 1, 0, 0x81, 0, 0, 1, 2, 3}}),
       "global colour table"},
      {"zero width", Cat({good, Image(0, 0, 0, 1), pixel}), "image 1 has zero width or height"},
      {"zero height", Cat({good, Image(0, 0, 1, 0), pixel}), "zero width or height"},
      {"descriptor cut short", Cat({good, {',', 0, 0, 0}}), "image descriptor"},
      {"local table cut short", Cat({good, Image(0, 0, 1, 1, 0x81), {1, 2, 3}}),
       "local colour table"},
      {"code size 0", Cat({good, Image(0, 0, 1, 1), {0, 1, 0, 0}}), "LZW code size 0"},
      {"code size 9", Cat({good, Image(0, 0, 1, 1), {9, 1, 0, 0}}), "LZW code size 9"},
      {"code size 12", Cat({good, Image(0, 0, 1, 1), {12, 1, 0, 0}}), "LZW code size 12"},
      {"sub-block cut short", Cat({good, Image(0, 0, 1, 1), {2, 5, 0x1C}}), "image data"},
      {"image data without terminator", Cat({good, Image(0, 0, 1, 1), {2, 1, 0x1C}}),
       "image data"},
      {"extension label missing", Cat({good, {'!'}}), "extension label"},
      {"control extension cut short", Cat({good, {'!', 0xF9, 4, 0}}), "graphic control"},
      {"comment without terminator", Cat({good, {'!', 0xFE, 2, 'h', 'i'}}), "extension"},
      {"no image at all", Cat({good, Trailer}), "no image"},
      {"frame of 65535 × 65535", Cat({good, Image(0, 0, 65535, 65535), pixel}),
       "image 1 needs more than the 512 MiB"},
      {"frame far outside the screen", Cat({good, Image(65000, 65000, 1, 1), pixel}),
       "the composed picture needs more than"},
  };
  for (const TFailureCase& c : cases) {
    TGIFPicture picture;
    std::string error;
    EXPECT_FALSE(Parse(c.bytes, picture, error)) << c.fault;
    EXPECT_NE(error.find(c.message), std::string::npos) << c.fault << ": " << error;
  }
}

TEST(GIFParser, BitmapBoundCountsEveryFrame) {
  // 256 frames of 100 × 100 with disposal 3: 100 × 100 × (1 + 1 + 4) + masks each, about
  // 15.6 MiB in all; a 10 MiB bound stops them part way, a 20 MiB bound does not.
  TBytes bytes = Cat({Header("GIF89a"), Screen(100, 100, 2)});
  for (int k = 0; k < 256; ++k) bytes = Cat({bytes, Control(3, 0), Image(0, 0, 100, 100), Pixels2({1})});
  TGIFLoadOptions options;
  options.MaxBitmapBytes = 10 << 20;
  TGIFPicture picture;
  std::string error;
  EXPECT_FALSE(Parse(bytes, picture, error, options));
  EXPECT_NE(error.find("needs more than the 10 MiB"), std::string::npos) << error;
  options.MaxBitmapBytes = 20 << 20;
  EXPECT_TRUE(Parse(bytes, picture, error, options)) << error;
}

TEST(GIFParser, ProgressReportsAndCancels) {
  // Two blocks (an image, the trailer) and the end: the position before each block and at
  // the end, as 100 × position / size.
  const TBytes bytes = Cat({Header("GIF89a"), Screen(1, 1, 2), Image(0, 0, 1, 1), Pixels2({1}),
                            Trailer});
  std::vector<std::pair<int64_t, int>> reports;
  TGIFLoadOptions options;
  options.OnProgress = [&](int64_t done, int64_t size, int percent, bool&) {
    EXPECT_EQ(size, int64_t(bytes.size()));
    reports.push_back({done, percent});
  };
  MustParse(bytes, options);
  const int64_t size = int64_t(bytes.size()), imageAt = 6 + 7 + 12;
  const int64_t trailerAt = size - 1;
  const std::vector<std::pair<int64_t, int>> expected = {
      {imageAt, int(imageAt * 100 / size)}, {trailerAt, int(trailerAt * 100 / size)},
      {size, 100}};
  EXPECT_EQ(reports, expected);

  int calls = 0;
  options.OnProgress = [&](int64_t, int64_t, int, bool& keep) { keep = ++calls < 2; };
  TGIFPicture picture;
  std::string error;
  EXPECT_FALSE(Parse(bytes, picture, error, options));
  EXPECT_NE(error.find("cancelled"), std::string::npos) << error;
}

TEST(GIFParser, ProgressDuringLargeFrames) {
  // Frames above 100000 pixels report every 64 decoded rows, or every 32 when wider than 320
  // pixels; smaller frames do not.
  struct TCase {
    int width, height, rowReports;
  } cases[] = {{300, 400, 7}, {400, 300, 10}, {300, 300, 0}};
  for (const TCase& c : cases) {
    TGIFFileSpec file;
    file.Width = c.width;
    file.Height = c.height;
    file.GlobalTable = {0, 0xFFFFFF};
    TGIFFrameSpec frame;
    frame.Width = c.width;
    frame.Height = c.height;
    frame.MinCodeSize = 2;
    frame.Pixels = GIFTestPattern(c.width, c.height, 2, 1);
    file.Frames.push_back(frame);
    int reports = 0;
    TGIFLoadOptions options;
    options.OnProgress = [&](int64_t, int64_t, int, bool&) { ++reports; };
    MustParse(GIFWrite(file), options);
    EXPECT_EQ(reports, c.rowReports + 3) << c.width << " × " << c.height;   // + 2 blocks + end
  }
}

}  // namespace
