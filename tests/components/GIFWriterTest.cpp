// The writer component on its own: its LZW codes read back by our decoder's LZW, and the
// files it refuses to write.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "GIFLzw.h"
#include "GIFPicture.h"
#include "GIFTestFiles.h"

namespace {

std::vector<uint8_t> LzwRoundTrip(const std::vector<uint8_t>& pixels, int codeSize, TGIFFullTable full) {
  const std::vector<uint8_t> codes = GIFLzwEncode(pixels, codeSize, full);
  std::vector<uint8_t> out(pixels.size() + TGIFLzwDecoder::GIFLzwSlack);
  TGIFLzwDecoder decoder(codes, codeSize, std::span(out.data(), pixels.size()));
  decoder.DecodeTo(pixels.size());
  EXPECT_FALSE(decoder.Damaged());
  out.resize(decoder.PixelsOut());
  return out;
}

// Runs, noise and the empty picture at every code size; the noisy ones fill the 4096-entry
// table many times, with a clear code each time or going on with the full table.
TEST(GIFWriter, LzwCodesDecodeToThePixels) {
  std::mt19937 random(99);
  for (int codeSize = 2; codeSize <= 8; ++codeSize) {
    const uint32_t colors = 1u << codeSize;
    std::vector<std::vector<uint8_t>> inputs = {{}, {uint8_t(colors - 1)}, std::vector<uint8_t>(5000, 1)};
    std::vector<uint8_t> noise(60000);
    for (auto& p : noise) p = uint8_t(random() % colors);
    inputs.push_back(noise);
    inputs.push_back(GIFTestPattern(300, 200, int(colors), 5));
    for (const TGIFFullTable full : {gcClearWhenFull, gcKeepFullTable}) {
      for (const auto& pixels : inputs) {
        EXPECT_EQ(LzwRoundTrip(pixels, codeSize, full), pixels)
            << "code size " << codeSize << ", " << pixels.size() << " pixels, full table " << full;
      }
    }
  }
  // A long run compresses to a handful of codes: string lengths grow by one per code.
  EXPECT_LT(GIFLzwEncode(std::vector<uint8_t>(100000, 0), 2).size(), 700u);
}

TGIFFileSpec GoodFile() {
  TGIFFileSpec file;
  file.Width = 4;
  file.Height = 3;
  file.GlobalTable = {0x000000, 0xFFFFFF, 0xFF0000};
  TGIFFrameSpec frame;
  frame.Width = 4;
  frame.Height = 3;
  frame.MinCodeSize = 2;
  frame.Pixels = {0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2};
  file.Frames.push_back(frame);
  return file;
}

// Each row breaks one rule; the message names the fault and where it is.
TEST(GIFWriter, FaultsOfSizesAndColourCounts) {
  struct TFault {
    const char* what;
    std::function<void(TGIFFileSpec&)> change;
    const char* message;
  };
  const TFault faults[] = {
      {"zero width", [](TGIFFileSpec& f) { f.Width = 0; }, "screen width 0 is outside 1 to 65535"},
      {"too high", [](TGIFFileSpec& f) { f.Height = 65536; }, "screen height 65536 is outside 1 to 65535"},
      {"no frame", [](TGIFFileSpec& f) { f.Frames.clear(); }, "no frame"},
      {"empty frame", [](TGIFFileSpec& f) { f.Frames[0].Width = 0; }, "frame 1: width 0 is outside"},
      {"frame too wide", [](TGIFFileSpec& f) { f.Frames[0].Left = 1; }, "frame 1: 4 x 3 at (1, 0) lies outside the 4 x 3 screen"},
      {"negative place", [](TGIFFileSpec& f) { f.Frames[0].Top = -1; }, "lies outside"},
      {"pixels short", [](TGIFFileSpec& f) { f.Frames[0].Pixels.pop_back(); }, "frame 1: 11 pixels for 4 x 3"},
      {"257 global colours", [](TGIFFileSpec& f) { f.GlobalTable.resize(257); }, "global colour table of 257 colours"},
      {"257 local colours", [](TGIFFileSpec& f) { f.Frames[0].LocalTable.resize(257); }, "frame 1: local colour table of 257"},
      {"no table", [](TGIFFileSpec& f) { f.GlobalTable.clear(); }, "frame 1: no colour table"},
      {"code size 1", [](TGIFFileSpec& f) { f.Frames[0].MinCodeSize = 1; }, "frame 1: GIF LZW: minimum code size 1"},
      {"code size 9", [](TGIFFileSpec& f) { f.Frames[0].MinCodeSize = 9; }, "minimum code size 9 is outside 2 to 8"},
      {"pixel too large", [](TGIFFileSpec& f) { f.Frames[0].Pixels[5] = 4; }, "frame 1: GIF LZW: pixel 5 holds index 4, not below 2^2"},
      {"disposal 8", [](TGIFFileSpec& f) { f.Frames[0].Disposal = 8; }, "frame 1: disposal 8"},
      {"delay", [](TGIFFileSpec& f) { f.Frames[0].Delay = 70000; }, "frame 1: delay 70000"},
      {"loop count", [](TGIFFileSpec& f) { f.LoopCount = -2; }, "loop count -2"},
  };
  for (const TFault& fault : faults) {
    TGIFFileSpec file = GoodFile();
    file.Frames.push_back(file.Frames[0]);  // the fault lies in frame 1; frame 2 is sound
    fault.change(file);
    try {
      GIFWrite(file);
      ADD_FAILURE() << fault.what << ": written";
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(fault.message), std::string::npos) << fault.what << ": " << e.what();
    }
  }
  // The limits themselves are sound: a 65535-pixel-wide screen, a 256-colour table padded from
  // 1 colour, a single-frame file without the loop block.
  TGIFFileSpec file = GoodFile();
  file.Width = 65535;
  file.GlobalTable.assign(256, 0x808080);
  file.Frames[0].LocalTable = {0x123456};
  file.Frames[0].Pixels.assign(12, 1);  // beyond the one local colour: written as given
  const std::vector<uint8_t> bytes = GIFWrite(file);
  TGIFPicture picture;
  std::string error;
  ASSERT_TRUE(GIFParse(bytes, {}, picture, error)) << error;
  EXPECT_EQ(picture.Width, 65535);
  EXPECT_EQ(picture.Frames[0].Picture.Row(2)[3], 1);
  EXPECT_EQ(picture.LoopCount, 1);
}

}  // namespace
