#include "GraphText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

TGraphSet Sample() {
  TGraphSet set;
  auto curve = std::make_unique<TGraphDoc>();
  curve->SetText(gtName, "Rose");
  curve->SetText(gtNote, "  line one\r\nline \"two\"\t\x01\xE8 ");  // needs quoting and escapes
  curve->SetText(gtFunc1, "u");
  curve->SetText(gtFunc2, "cos(4u+t)");
  curve->SetText(gtXGrid, "");
  curve->SetText(gtYMin, std::string("a\0b", 3));  // an embedded zero byte
  curve->Kind = gkCurve2D;
  curve->CoordSystem = static_cast<TCoordSystem>(-7);
  curve->FrameCount = -1;
  curve->ShowGrid = 200;
  curve->BackColor = 0xFFFFFFFF;
  unsigned char nan[16] = {1, 2, 3, 4, 5, 6, 7, 0x80, 0xFF, 0xFF};
  std::memcpy(&curve->TMax, nan, 16);
  curve->TMin = 0.1L;
  set.Append(std::move(curve));
  set.AppendRaw({{2, 3, 0, 0, 0, 9, 9, 9}, "tag 2"});
  set.Append(std::make_unique<TGraphDoc>());
  set.AppendRaw({{1, 0x40}, "cut short"});
  return set;
}

TEST(GraphText, DumpThenBuildGivesTheSameBytes) {
  const TGraphSet set = Sample();
  const std::string text = DumpGraphSet(set);
  EXPECT_EQ(SerializeGraphSet(BuildGraphSet(text)), SerializeGraphSet(set));
  EXPECT_NE(text.find("Note = \"  line one\\r\\nline \\\"two\\\"\\t\\x01\\xE8 \""), std::string::npos)
      << text;
  EXPECT_NE(text.find("YMinText = \"a\\x00b\""), std::string::npos);
  EXPECT_NE(text.find("Kind = curve\nCoordSystem = -7\n"), std::string::npos);
  EXPECT_NE(text.find("TMinBits = 3ffbcccccccccccccccd"), std::string::npos);
  EXPECT_NE(text.find("[raw]\n# not a graph: tag 2\nbytes = 0203000000090909\n"), std::string::npos);
}

TEST(GraphText, HandWrittenGraphsTakeTheDefaults) {
  const TGraphSet set = BuildGraphSet(
      "# two graphs\n"
      "[graph]\n"
      "Name = Waves \n"
      "Func3Text = sin(u+t)*cos(v)\n"
      "TMaxText = 2pi\n"
      "\n"
      "[graph]\r\n"
      "Kind = curve\r\n"
      "CoordSystem = cylindrical\r\n"
      "CurveColor = 0x00FFFF\r\n"
      "ShowGrid = false\r\n"
      "TMin = 1.5\r\n");
  ASSERT_EQ(set.Count(), 2);
  const TGraphDoc& waves = set.Doc(0);
  EXPECT_EQ(waves.Text(gtName), "Waves");
  EXPECT_EQ(waves.Text(gtFunc1), "u");
  EXPECT_EQ(waves.Text(gtFunc3), "sin(u+t)*cos(v)");
  EXPECT_EQ(waves.Kind, gkSurface3D);
  EXPECT_EQ(waves.TMin, 0);
  EXPECT_EQ(waves.TMax, 2 * static_cast<long double>(3.141592653589793)) << "from TMaxText";
  const TGraphDoc& curve = set.Doc(1);
  EXPECT_EQ(curve.Kind, gkCurve2D);
  EXPECT_EQ(curve.CoordSystem, csCylindrical);
  EXPECT_EQ(curve.CurveColor, 0x00FFFFu);
  EXPECT_EQ(curve.ShowGrid, 0);
  EXPECT_EQ(curve.TMin, 1.5L);
  EXPECT_EQ(curve.TMax, 6.28L);
  EXPECT_EQ(SerializeGraphDoc(TGraphDoc()), SerializeGraphDoc(BuildGraphSet("[graph]\nTMax = 0\n").Doc(0)))
      << "an empty section is a new graph";
}

TEST(GraphText, GraphsBeyondTheTableAreKeptAsTheLoaderKeepsThem) {
  std::string text;
  for (int i = 1; i <= TGraphSet::MaxDocs + 2; ++i) {
    text += "[graph]\nName = graph " + std::to_string(i) + "\n";
  }
  const TGraphSet set = BuildGraphSet(text);
  EXPECT_EQ(set.Count(), TGraphSet::MaxDocs);
  ASSERT_EQ(set.Chunks().size(), size_t(TGraphSet::MaxDocs + 2));
  const std::vector<uint8_t> bytes = SerializeGraphSet(set);
  const TGraphSet loaded = ParseGraphSet(bytes);
  EXPECT_EQ(loaded.Count(), TGraphSet::MaxDocs);
  EXPECT_EQ(SerializeGraphSet(BuildGraphSet(DumpGraphSet(loaded))), bytes);
  // the 102nd graph is there, byte for byte, as a chunk the loader does not show
  TGraphDoc last;
  last.SetText(gtName, "graph 102");
  last.TMax = 6.28L;
  const std::vector<uint8_t> payload = SerializeGraphDoc(last);
  EXPECT_TRUE(std::equal(payload.rbegin(), payload.rend(), bytes.rbegin()));
}

TEST(GraphText, BadLinesAreReportedWithTheirNumber) {
  const struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"Name = x\n", "line 1: 'Name' before the first [graph] or [raw]"},
      {"[graph]\nColour = 1\n", "line 2: unknown key 'Colour'"},
      {"[graph]\n\nName\n", "line 3: expected KEY = VALUE"},
      {"[graph]\nName = a\nName = b\n", "line 3: Name given twice"},
      {"[graph]\nName = 0123456789012345678901234567890123\n",
       "line 2: Name holds at most 31 characters, not 34"},
      {"[graph]\nFrameCount = 1x\n",
       "line 2: FrameCount: '1x' is not a whole number from -2147483648 to 2147483647"},
      {"[graph]\nShowAxes = 256\n", "line 2: ShowAxes: '256' is not a whole number from 0 to 255"},
      {"[graph]\nNote = \"abc\n", "line 2: a quoted value must end with \""},
      {"[graph]\nNote = \"a\\qb\"\n", "line 2: unknown escape \\q"},
      {"[graph]\nTMinBits = 12\n", "line 2: TMinBits needs 20 hex digits"},
      {"[graph]\nTMax = six\n", "line 2: TMax: 'six' is not a number"},
      {"[raw]\nbytes = 0g\n", "line 2: 'g' is not a hex digit"},
      {"[raw]\nbytes = 012\n", "line 2: an odd number of hex digits"},
      {"[raw]\n# nothing\n[graph]\n", "line 1: [raw] without bytes"},
      {"[chunk]\n", "line 1: unknown section [chunk] (use [graph] or [raw])"},
  };
  for (const auto& c : cases) {
    try {
      BuildGraphSet(c.text);
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const EGraphTextError& e) {
      EXPECT_STREQ(e.what(), c.message) << c.text;
    }
  }
  const std::string big = "[graph]\nNote = " + std::string(511, 'n') + "\nFunc1Text = " +
                          std::string(255, 'u') + "\nFunc2Text = " + std::string(255, 'v') + "\n";
  EXPECT_THROW(BuildGraphSet(big), EGraphTextError) << "a graph too large for its chunk";
}

}  // namespace
