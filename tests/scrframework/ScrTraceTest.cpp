#include "ScrTrace.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::string> debuggerLines;
void CaptureDebugger(const char* text) { debuggerLines.push_back(text); }

class ScrTraceTest : public ::testing::Test {
protected:
  void SetUp() override {
    debuggerLines.clear();
    dir_ = std::filesystem::temp_directory_path() /
           ("scrtrace-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_);
    log_ = (dir_ / "trace log.txt").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string ReadLog() const {
    std::ifstream in(log_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string lines = text.str();
    std::erase(lines, '\r');  // a text file of Windows ends its lines with CR LF
    return lines;
  }
  void WriteLog(const std::string& text) const { std::ofstream(log_, std::ios::binary) << text; }

  std::filesystem::path dir_;
  std::string log_;
};

TEST_F(ScrTraceTest, NewRunEmptiesTheFileAndAnnouncesItself) {
  WriteLog("old run\n");
  TScrTrace trace(&CaptureDebugger);
  trace.SetUp(tlMsg, log_, true, "x.scr /s");
  trace.Write(tlMsg, "Perform full");
  EXPECT_EQ(ReadLog(),
            "(starting log)\n"
            "****** NEW RUN STARTED **** x.scr /s\n"
            "Perform full\n");
  EXPECT_TRUE(debuggerLines.empty());
}

TEST_F(ScrTraceTest, AppendingRunKeepsTheFile) {
  WriteLog("old run\n");
  TScrTrace trace(&CaptureDebugger);
  trace.SetUp(tlMsg, log_, false, "x.scr /p 12");
  EXPECT_EQ(ReadLog(), "old run\n****** NEW RUN STARTED **** x.scr /p 12\n");
}

TEST_F(ScrTraceTest, ThresholdKeepsLevelsAtOrAboveIt) {
  // Rows: threshold, then whether tlAll, tlMsg, tlUsr, tlErr lines are kept.
  const struct {
    TTraceLevel threshold;
    bool kept[4];
  } rows[] = {
      {tlAll, {true, true, true, true}},
      {tlMsg, {false, true, true, true}},
      {tlUsr, {false, false, true, true}},
      {tlErr, {false, false, false, true}},
      {tlNone, {false, false, false, false}},
  };
  for (const auto& row : rows) {
    std::filesystem::remove(log_);
    TScrTrace trace(&CaptureDebugger);
    trace.SetUp(row.threshold, log_, true, "x.scr /s");
    std::string expected;
    for (int level = tlAll; level <= tlErr; ++level) {
      std::string line = "level " + std::to_string(level);
      trace.Write(static_cast<TTraceLevel>(level), line);
      if (row.kept[level]) expected += line + "\n";
    }
    if (row.threshold <= tlMsg) {
      expected = "(starting log)\n****** NEW RUN STARTED **** x.scr /s\n" + expected;
    }
    if (row.threshold == tlNone) {
      EXPECT_EQ(ReadLog(), "") << "tlNone writes nothing, but the new log is still emptied";
    } else {
      EXPECT_EQ(ReadLog(), expected) << "threshold " << int(row.threshold);
    }
  }
}

TEST_F(ScrTraceTest, DebuggerTargetNeverCreatesAFile) {
  std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(dir_);  // where a file named after the target would appear
  TScrTrace trace(&CaptureDebugger);
  trace.Write(tlAll, "before set-up");
  trace.SetUp(tlMsg, std::string(ScrDebuggerTarget), true, "x.scr /s");
  trace.Write(tlErr, "an error");
  std::filesystem::current_path(previous);  // Windows cannot remove a current folder
  EXPECT_EQ(debuggerLines, (std::vector<std::string>{"before set-up", "(starting log)",
                                                     "****** NEW RUN STARTED **** x.scr /s",
                                                     "an error"}));
  EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

TEST_F(ScrTraceTest, LongLinesAreWrittenWhole) {
  std::string longLine(5000, 'x');
  std::string longCommand = "x.scr /s " + std::string(1000, 'y');
  TScrTrace trace(&CaptureDebugger);
  trace.SetUp(tlMsg, log_, true, longCommand);
  trace.Write(tlMsg, longLine);
  EXPECT_EQ(ReadLog(), "(starting log)\n****** NEW RUN STARTED **** " + longCommand + "\n" +
                           longLine + "\n");
}

TEST_F(ScrTraceTest, UnopenableFileLosesLinesQuietly) {
  TScrTrace trace(&CaptureDebugger);
  std::string missing = (dir_ / "no such folder" / "log.txt").string();
  trace.SetUp(tlMsg, missing, true, "x.scr /s");
  trace.Write(tlErr, "lost");
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_TRUE(debuggerLines.empty());
}

}  // namespace
