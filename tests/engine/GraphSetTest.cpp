#include "GraphSet.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using TBytes = std::vector<uint8_t>;

// An independent writer of document chunks, field by field at the offsets of the format.
struct TChunkWriter {
  TBytes bytes;
  void Byte(uint8_t b) { bytes.push_back(b); }
  void Int32(int32_t v) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(uint32_t(v) >> (8 * i)));
  }
  void Extended(long double v) {
    uint8_t b[16] = {};
    std::memcpy(b, &v, 10);
    bytes.insert(bytes.end(), b, b + 10);
  }
};

// The payload of a default document with the given texts (31 of them) and TMin, TMax.
TBytes DocumentPayload(const std::vector<std::string>& texts, long double tmin = 0,
                       long double tmax = 0) {
  TChunkWriter w;
  w.Extended(tmin);      //   0 TMin
  w.Extended(tmax);      //  10 TMax
  w.Int32(3);            //  20 Kind: surface
  w.Int32(0);            //  24 CoordSystem: Cartesian
  w.Int32(64);           //  28 FrameCount
  w.Int32(20);           //  32 FramesPerSecond
  w.Int32(0x000000);     //  36 BackColor
  for (int i = 0; i < 5; ++i) w.Byte(1);  // 40 ShowCurve .. EqualScale
  w.Int32(0xFF0000);     //  45 CurveColor
  w.Int32(0x00FF00);     //  49 DerivativeColor
  w.Int32(0x800080);     //  53 AxesColor
  w.Int32(0x808080);     //  57 GridColor
  for (int i = 0; i < 4; ++i) w.Byte(1);  // 61 AutoCamera .. ShowMesh
  w.Int32(0x800000);     //  65 FillColor1
  w.Int32(0xFF0000);     //  69 FillColor2
  w.Int32(0x808080);     //  73 MeshColor
  EXPECT_EQ(w.bytes.size(), 77u);
  for (const std::string& t : texts) w.Int32(static_cast<int32_t>(t.size()));  // 77 lengths
  for (const std::string& t : texts) w.bytes.insert(w.bytes.end(), t.begin(), t.end());
  return w.bytes;
}

TBytes Chunk(uint8_t tag, const TBytes& payload, int32_t length = -1) {
  TChunkWriter w;
  w.Byte(tag);
  w.Int32(length >= 0 ? length : static_cast<int32_t>(payload.size()));
  w.bytes.insert(w.bytes.end(), payload.begin(), payload.end());
  return w.bytes;
}

TBytes Join(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const TBytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const std::vector<std::string> DefaultTexts = {
    "Untitled", "", "u", "v", "", "0", "6.28", "0.08", "0", "3.14", "0.08", "0", "6.28",
    "-3", "3", "1", "-3", "3", "1", "13", "14", "12", "0", "0", "0", "0", "0", "0", "1", "21", "20"};

TEST(GraphSet, DocumentLayoutMatchesTheFormatByteForByte) {
  const TGraphDoc fresh;
  const TBytes payload = SerializeGraphDoc(fresh);
  EXPECT_EQ(payload.size(), 259u) << "201 bytes fixed part and lengths, 58 bytes of text";
  EXPECT_EQ(payload, DocumentPayload(DefaultTexts));

  TGraphDoc empty;
  for (int i = 0; i < GraphTextCount; ++i) empty.SetText(static_cast<TGraphText>(i), "");
  EXPECT_EQ(SerializeGraphDoc(empty).size(), 201u);
}

TEST(GraphSet, ReadsEveryFieldFromItsOffset) {
  std::vector<std::string> texts = DefaultTexts;
  texts[gtName] = "Waves";
  texts[gtFunc3] = "sin(u+t)";
  TBytes payload = DocumentPayload(texts, 1.5L, 7.25L);
  payload[20] = 2;     // Kind: curve
  payload[24] = 1;     // CoordSystem: cylindrical
  payload[28] = 32;    // FrameCount
  payload[32] = 10;    // FramesPerSecond
  payload[36] = 0x11;  // BackColor
  payload[42] = 0;     // ShowAxes off
  payload[61] = 7;     // AutoCamera: any non-zero byte is kept as it is
  payload[75] = 0x44;  // MeshColor, third byte
  const TGraphSet set = ParseGraphSet(Chunk(1, payload));
  ASSERT_EQ(set.Count(), 1);
  const TGraphDoc& doc = set.Doc(0);
  EXPECT_EQ(doc.Text(gtName), "Waves");
  EXPECT_EQ(doc.Text(gtFunc3), "sin(u+t)");
  EXPECT_EQ(doc.Text(gtLightZ), "20");
  EXPECT_EQ(doc.TMin, 1.5L);
  EXPECT_EQ(doc.TMax, 7.25L);
  EXPECT_EQ(doc.Kind, gkCurve2D);
  EXPECT_EQ(doc.CoordSystem, csCylindrical);
  EXPECT_EQ(doc.FrameCount, 32);
  EXPECT_EQ(doc.FramesPerSecond, 10);
  EXPECT_EQ(doc.BackColor, 0x11u);
  EXPECT_EQ(doc.ShowAxes, 0);
  EXPECT_EQ(doc.AutoCamera, 7);
  EXPECT_EQ(doc.MeshColor, 0x448080u);
  EXPECT_EQ(SerializeGraphDoc(doc), payload);
}

TEST(GraphSet, UnreadableChunksAreKeptInPlaceAndWrittenBack) {
  const TBytes good = Chunk(1, DocumentPayload(DefaultTexts));
  std::vector<std::string> longName = DefaultTexts;
  longName[gtName] = std::string(32, 'n');  // the name buffer holds 31 characters
  TBytes badSum = DocumentPayload(DefaultTexts);
  badSum[77] = 9;  // Name length 9 while 8 bytes follow
  TBytes negative = DocumentPayload(DefaultTexts);
  negative[77 + 4 * gtNote + 3] = 0x80;  // Note length negative
  std::vector<std::string> huge = DefaultTexts;
  huge[gtNote] = std::string(511, 'x');
  huge[gtFunc1] = std::string(255, 'u');
  huge[gtFunc2] = std::string(100, 'v');  // payload 201 + 866 + ... > 1023

  struct {
    const char* fault;
    TBytes chunk;
  } cases[] = {
      {"another tag", Chunk(2, {1, 2, 3})},
      {"tag 0 with an empty payload", Chunk(0, {})},
      {"a text longer than its buffer", Chunk(1, DocumentPayload(longName))},
      {"lengths that do not add up", Chunk(1, badSum)},
      {"a negative text length", Chunk(1, negative)},
      {"a payload beyond the chunk buffer", Chunk(1, DocumentPayload(huge))},
      {"a payload shorter than the fixed part", Chunk(1, TBytes(200, 0))},
  };
  for (const auto& c : cases) {
    const TBytes file = Join({good, c.chunk, good});
    const TGraphSet set = ParseGraphSet(file);
    EXPECT_EQ(set.Count(), 2) << c.fault;
    const auto chunks = set.Chunks();
    ASSERT_EQ(chunks.size(), 3u) << c.fault;
    ASSERT_TRUE(chunks[1].raw) << c.fault;
    EXPECT_FALSE(chunks[1].raw->reason.empty()) << c.fault;
    EXPECT_EQ(SerializeGraphSet(set), file) << c.fault;
  }
}

TEST(GraphSet, TruncatedTailsAreKeptAsTheBytesThatWereThere) {
  const TBytes good = Chunk(1, DocumentPayload(DefaultTexts));
  const TBytes cut[] = {
      TBytes(good.begin(), good.begin() + 3),     // inside the length field
      TBytes(good.begin(), good.begin() + 100),   // inside the payload
      Chunk(1, {}, -5),                           // a negative payload length
      Chunk(7, {1, 2}, 1000000),                  // a length past the end
  };
  for (const TBytes& tail : cut) {
    const TBytes file = Join({good, tail});
    const TGraphSet set = ParseGraphSet(file);
    EXPECT_EQ(set.Count(), 1);
    ASSERT_EQ(set.Chunks().size(), 2u);
    EXPECT_EQ(set.Chunks()[1].raw->bytes, tail);
    EXPECT_EQ(SerializeGraphSet(set), file);
  }
  EXPECT_EQ(ParseGraphSet({}).Chunks().size(), 0u) << "an empty file holds nothing";
}

TEST(GraphSet, DocumentsBeyondTheTableAreKeptRaw) {
  TBytes file;
  for (int i = 0; i < TGraphSet::MaxDocs + 3; ++i) {
    std::vector<std::string> texts = DefaultTexts;
    texts[gtName] = "graph " + std::to_string(i);
    const TBytes chunk = Chunk(1, DocumentPayload(texts));
    file.insert(file.end(), chunk.begin(), chunk.end());
  }
  const TGraphSet set = ParseGraphSet(file);
  EXPECT_EQ(set.Count(), TGraphSet::MaxDocs);
  EXPECT_EQ(set.Doc(99).Text(gtName), "graph 99");
  EXPECT_EQ(set.Chunks().size(), size_t(TGraphSet::MaxDocs + 3));
  EXPECT_EQ(SerializeGraphSet(set), file);
}

TEST(GraphSet, ExtendedValuesRoundTripBitForBit) {
  const unsigned char patterns[][10] = {
      {0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x7F},        // quiet NaN
      {1, 2, 3, 4, 5, 6, 7, 0x80, 0xFF, 0xFF},        // NaN with a payload, sign set
      {0, 0, 0, 0, 0, 0, 0, 0x40, 0x01, 0x00},        // unnormal: exponent set, integer bit clear
      {0, 0, 0, 0, 0, 0, 0, 0x80, 0x00, 0x00},        // pseudo-denormal
      {0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0},              // denormal
  };
  for (const auto& pattern : patterns) {
    TBytes payload = DocumentPayload(DefaultTexts);
    std::memcpy(payload.data() + 10, pattern, 10);  // TMax
    const TBytes file = Chunk(1, payload);
    EXPECT_EQ(SerializeGraphSet(ParseGraphSet(file)), file);
  }
}

TEST(GraphSet, ADocumentTooLargeToStoreIsRefused) {
  TGraphDoc doc;
  ASSERT_TRUE(doc.SetText(gtNote, std::string(511, 'x')));
  ASSERT_TRUE(doc.SetText(gtFunc1, std::string(255, 'u')));
  ASSERT_TRUE(doc.SetText(gtFunc2, std::string(255, 'v')));
  EXPECT_THROW(SerializeGraphDoc(doc), std::length_error);
  EXPECT_FALSE(doc.SetText(gtName, std::string(32, 'n'))) << "31 characters at most";
}

}  // namespace
