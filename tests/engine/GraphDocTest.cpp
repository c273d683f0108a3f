#include "GraphDoc.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "FloatError.h"
#include "GraphFile.h"

namespace {

TEST(GraphDoc, EvaluatesRangesWindowAndViewAtT) {
  TGraphDoc doc;
  doc.SetText(gtUMin, "-t");
  doc.SetText(gtUMax, "2t");
  doc.SetText(gtUDiv, "4");
  doc.SetText(gtVMin, "1");
  doc.SetText(gtVMax, "3");
  doc.SetText(gtVDiv, "8");
  doc.SetText(gtTMin, "t+1");  // the t range is always taken at t = 0
  doc.SetText(gtTMax, "2pi");
  doc.SetText(gtXMin, "-t");
  doc.SetText(gtYGrid, "0.5");
  doc.SetText(gtEyeX, "10t");
  doc.SetText(gtLightZ, "1/3");
  doc.EvaluateAt(2);
  EXPECT_EQ(doc.UMin, -2);
  EXPECT_EQ(doc.UMax, 4);
  EXPECT_EQ(doc.UStep, 1.5L);
  EXPECT_EQ(doc.VStep, 0.25L);
  EXPECT_EQ(doc.TMin, 1);
  EXPECT_EQ(doc.TMax, 2 * static_cast<long double>(3.141592653589793));
  EXPECT_EQ(doc.XMin, -2);
  EXPECT_EQ(doc.XMax, 3);
  EXPECT_EQ(doc.YGrid, 0.5L);
  EXPECT_EQ(doc.Eye, (TVector3{20, 14, 12}));
  EXPECT_EQ(doc.Light.z, static_cast<double>(1 * (1 / 3.0L)));
}

TEST(GraphDoc, TextsThatDoNotCompileContributeZero) {
  TGraphDoc doc;
  doc.SetText(gtXMin, "7");
  doc.SetText(gtXMax, "");      // would repeat 7 if the scratch expression were reused blindly
  doc.SetText(gtXGrid, "2+");   // does not compile
  doc.SetText(gtYMin, "ln(0)"); // evaluation error
  doc.SetText(gtEyeX, "");
  doc.EvaluateAt(0);
  EXPECT_EQ(doc.XMin, 7);
  EXPECT_EQ(doc.XMax, 0);
  EXPECT_EQ(doc.XGrid, 0);
  EXPECT_EQ(doc.YMin, 0);
  EXPECT_EQ(doc.Eye.x, 0);
}

TEST(GraphDoc, ArithmeticFaultsReachTheCaller) {
  TGraphDoc zeroCount;
  zeroCount.SetText(gtUDiv, "0");
  EXPECT_THROW(zeroCount.EvaluateAt(0), EFloatError);

  TGraphDoc emptyCount;  // an empty count text is 0 too
  emptyCount.SetText(gtVDiv, "");
  EXPECT_THROW(emptyCount.EvaluateAt(0), EFloatError);

  TGraphDoc hugeEye;  // beyond the double range when the vector is stored
  hugeEye.SetText(gtEyeY, "10^400");
  EXPECT_THROW(hugeEye.EvaluateAt(0), EFloatError);
}

TEST(GraphDoc, ViewDependsOnTheEyeAndTheWindowOnly) {
  const struct {
    TGraphText text;
    bool depends;
  } cases[] = {
      {gtEyeX, true},  {gtEyeY, true},     {gtEyeZ, true},      {gtXMin, true},
      {gtXMax, true},  {gtYMin, true},     {gtYMax, true},      {gtXGrid, false},
      {gtYGrid, false}, {gtViewDirX, false}, {gtViewUpZ, false}, {gtLightX, false},
  };
  for (const auto& c : cases) {
    TGraphDoc doc;
    doc.SetText(c.text, "-t");
    EXPECT_EQ(doc.ViewDependsOnT(), c.depends) << GraphTextName(c.text);
  }
  TGraphDoc broken;
  broken.SetText(gtEyeX, "t+");  // does not compile, so it is the constant 0
  EXPECT_FALSE(broken.ViewDependsOnT());
}

TEST(GraphFile, FileStemDropsFolderAndExtension) {
  EXPECT_EQ(FileStem("C:\\graphs\\Waves.twk"), "Waves");
  EXPECT_EQ(FileStem("Waves"), "Waves");
  EXPECT_EQ(FileStem("/home/me/a.b.twk"), "a");
  EXPECT_EQ(FileStem("C:\\dir.d\\x"), "x");
}

class GraphFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("graphfile-" + std::to_string(reinterpret_cast<uintptr_t>(this)));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string PathOf(const char* name) const { return (folder_ / name).string(); }
  static std::vector<uint8_t> Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  size_t FilesInFolder() const {
    return std::distance(std::filesystem::directory_iterator(folder_), {});
  }
  std::filesystem::path folder_;
};

TEST_F(GraphFileTest, SaveThenLoadKeepsEverything) {
  TGraphSet set;
  auto doc = std::make_unique<TGraphDoc>();
  doc->SetText(gtName, "Rose");
  doc->Kind = gkCurve2D;
  set.Append(std::move(doc));
  set.AppendRaw({{9, 1, 0, 0, 0, 42}, "tag 9"});
  set.Append(std::make_unique<TGraphDoc>());
  const std::string path = PathOf("set.twk");
  SaveGraphFile(path, set);
  const std::vector<uint8_t> written = Read(path);
  EXPECT_EQ(written, SerializeGraphSet(set));

  TGraphSet loaded = LoadGraphFile(path);
  ASSERT_EQ(loaded.Count(), 2);
  EXPECT_EQ(loaded.Doc(0).Text(gtName), "Rose");
  EXPECT_EQ(loaded.Doc(0).Kind, gkCurve2D);
  loaded.Doc(1).EvaluateAt(0);  // TMin and TMax take the values of their texts
  SaveGraphFile(path, loaded);
  TGraphSet again = LoadGraphFile(path);
  EXPECT_EQ(again.Doc(1).TMax, 6.28L);
  EXPECT_EQ(FilesInFolder(), 1u) << "no temporary file is left behind";
}

TEST_F(GraphFileTest, FailuresNameTheFileAndKeepTheOldOne) {
  try {
    LoadGraphFile(PathOf("missing.twk"));
    ADD_FAILURE() << "a missing file loaded";
  } catch (const EFileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot open file " + PathOf("missing.twk"));
  }

  const std::string path = PathOf("keep.twk");
  TGraphSet set;
  set.Append(std::make_unique<TGraphDoc>());
  SaveGraphFile(path, set);
  const std::vector<uint8_t> before = Read(path);

  auto big = std::make_unique<TGraphDoc>();
  big->SetText(gtNote, std::string(511, 'x'));
  big->SetText(gtFunc1, std::string(255, 'u'));
  big->SetText(gtFunc2, std::string(255, 'v'));
  set.Append(std::move(big));
  EXPECT_THROW(SaveGraphFile(path, set), std::length_error);
  EXPECT_EQ(Read(path), before);

  const std::string intoMissingFolder = PathOf("no-such-folder/x.twk");
  try {
    SaveGraphFile(intoMissingFolder, TGraphSet());
    ADD_FAILURE() << "saved into a folder that does not exist";
  } catch (const EFileError& e) {
    EXPECT_EQ(std::string(e.what()), "Cannot create file " + intoMissingFolder);
  }
  EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
