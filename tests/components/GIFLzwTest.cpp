#include "GIFLzw.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GIFTestFiles.h"

namespace {

struct TLzwCase {
  const char* rule;
  int minCodeSize;
  std::vector<std::pair<uint32_t, int>> codes;   // (code, width in bits), as a decoder reads them
  size_t pixels;                                  // room in the output
  std::vector<uint8_t> expected;
  bool damaged;
};

std::vector<uint8_t> Decode(const TLzwCase& c) {
  const std::vector<uint8_t> data = GIFPackCodes(c.codes);
  std::vector<uint8_t> out(c.pixels + TGIFLzwDecoder::GIFLzwSlack, 0xEE);
  TGIFLzwDecoder decoder(data, c.minCodeSize, std::span(out.data(), c.pixels));
  decoder.DecodeTo(c.pixels);
  decoder.Finish();
  EXPECT_EQ(decoder.Damaged(), c.damaged) << c.rule;
  out.resize(c.pixels);
  return out;
}

// Code size 2: roots 0-3, clear 4, end 5, first free entry 6, codes start 3 bits wide and
// widen to 4 once entry 7 is defined (the next free entry reaches 8).
TEST(GIFLzw, DecodingRules) {
  const TLzwCase cases[] = {
      {"roots, one entry defined and used", 2,
       {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 4}},   // 1, 2 (defines 6 = "1 2"), 6, end
       4, {1, 2, 1, 2}, false},
      {"leading clear codes are passed over", 2,
       {{4, 3}, {4, 3}, {4, 3}, {3, 3}, {5, 3}},
       1, {3}, false},
      {"a code naming the entry being defined (KwKwK)", 2,
       {{4, 3}, {2, 3}, {6, 3}, {5, 4}},   // 2, then 6 = "2" + "2"
       3, {2, 2, 2}, false},
      {"codes widen to 4 bits when entry 7 is defined", 2,
       {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {3, 4}, {7, 4}, {5, 4}},   // 6="0 1", 7="1 2", 8="2 3"
       6, {0, 1, 2, 3, 1, 2}, false},
      {"a clear code resets the width and the table", 2,
       {{4, 3}, {0, 3}, {1, 3}, {2, 3}, {4, 4}, {3, 3}, {3, 3}, {6, 3}, {5, 4}},
       6, {0, 1, 2, 3, 3, 3}, false},
      {"codes after the end code are dropped", 2,
       {{4, 3}, {1, 3}, {5, 3}, {2, 3}, {2, 3}},
       3, {1, 0, 0}, false},
      {"pixels the data does not reach keep index 0", 2,
       {{4, 3}, {3, 3}},   // no end code: the data simply stops
       4, {3, 0, 0, 0}, false},
      {"codes beyond the last pixel are dropped", 2,
       {{4, 3}, {1, 3}, {2, 3}, {6, 3}, {5, 4}},
       3, {1, 2, 1}, false},
      {"a code above the next free entry stops decoding", 2,
       {{4, 3}, {1, 3}, {7, 3}, {2, 3}, {5, 3}},
       3, {1, 0, 0}, true},
      {"a table code right after a clear code names nothing", 2,
       {{4, 3}, {6, 3}, {1, 3}, {5, 3}},
       2, {0, 0}, true},
      {"without a leading clear code the table starts empty", 2,
       {{3, 3}, {0, 3}, {6, 3}, {5, 4}},
       4, {3, 0, 3, 0}, false},
      {"code size 8: 9-bit codes, clear 256, end 257", 8,
       {{256, 9}, {200, 9}, {201, 9}, {258, 9}, {257, 9}},
       4, {200, 201, 200, 201}, false},
      {"code size 1: clear 2, end 3, codes widen after the first", 1,
       {{2, 2}, {1, 2}, {0, 3}, {4, 3}, {3, 3}},
       4, {1, 0, 1, 0}, false},
  };
  for (const TLzwCase& c : cases) EXPECT_EQ(Decode(c), c.expected) << c.rule;
}

// Once 4096 entries exist nothing is added until a clear code: with code size 2 and a stream
// that never clears, codes stay 12 bits wide and keep naming the last entries defined.
TEST(GIFLzw, FullTableAddsNothing) {
  std::vector<std::pair<uint32_t, int>> codes = {{4, 3}};
  std::vector<uint8_t> expected;
  // Send root 0 then 1 alternately: each code after the first defines an entry.  Entries 6 to
  // 4095 are defined by the 4091st code; the width is what the decoder expects at each step.
  int width = 3;
  uint32_t next = 6;
  for (int i = 0; i < 5000; ++i) {
    const uint8_t root = uint8_t(i & 1);
    codes.push_back({root, width});
    expected.push_back(root);
    if (i > 0 && next < 4096) ++next;
    if (next >= (1u << width) && width < 12) ++width;
  }
  // Entry 4095, the last one, is defined by the 4091st code (i = 4090, root 0) as the string
  // before it plus 0: "1" + "0".  A further entry would have been "0" + "1".
  codes.push_back({4095, 12});
  expected.insert(expected.end(), {1, 0});
  codes.push_back({5, 12});
  const std::vector<uint8_t> data = GIFPackCodes(std::span(codes.data(), codes.size()));
  std::vector<uint8_t> out(expected.size() + TGIFLzwDecoder::GIFLzwSlack);
  TGIFLzwDecoder decoder(data, 2, std::span(out.data(), expected.size()));
  EXPECT_EQ(decoder.DecodeTo(expected.size()), expected.size());
  EXPECT_FALSE(decoder.Damaged());
  out.resize(expected.size());
  EXPECT_EQ(out, expected);
}

}  // namespace
