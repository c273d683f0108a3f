#include "ScrCommandLineText.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

constexpr TScrWindowId Foreground = 0x777;
constexpr TScrWindowId ScrprevChild = 0x999;

// Windows 1234 (0x4d2) and 0x10020 exist; the foreground window is 0x777.
class TFakeWindows : public TScrWindowQueries {
public:
  bool IsWindow(TScrWindowId window) override { return existing.count(window) != 0; }
  TScrWindowId ForegroundWindow() override { return Foreground; }
  TScrWindowId CheckForScrprev() override {
    ++scrprevCalls;
    return scrprevChild;
  }
  void ShowError(const char* text) override { errors.push_back(text); }

  std::set<TScrWindowId> existing{1234, 0x10020, Foreground};
  TScrWindowId scrprevChild = ScrprevChild;
  int scrprevCalls = 0;
  std::vector<std::string> errors;
};

struct TParseCase {
  const char* line;
  bool ok;
  TScrMode mode;
  TScrWindowId parent;
};

TEST(ScrCommandLineText, ParsesEachSwitchForm) {
  const TParseCase cases[] = {
      {"\"C:\\Program Files\\x.scr\" /p 1234", true, smSPMain, 1234},
      {"x.scr /p 1235", false, smNone, 0},        // not a window
      {"x.scr /p:0x4d2", true, smSPMain, 1234},   // hexadecimal
      {"x.scr /p 02322", true, smSPMain, 1234},   // octal
      {"x.scr /p: :  1234", true, smSPMain, 1234},  // any run of blanks and colons
      {"x.scr /p:", false, smNone, 0},
      {"x.scr /p", false, smNone, 0},
      {"x.scr /p zz", false, smNone, 0},          // nothing converts
      {"x.scr /P 1234", true, smSPMain, 1234},
      {"x.scr /l 1234", true, smSPMain, 1234},
      {"x.scr -L 1234", true, smSPMain, 1234},
      {"x.scr /p 65568", true, smSPMain, 0x10020},
      {"x.scr /p 4294968530", false, smNone, 0},  // 1234 + 2^32 is no 32-bit handle
      {"x.scr /c:1234", true, smCRegular, Foreground},  // the number is ignored
      {"x.scr /c", true, smCRegular, Foreground},
      {"x.scr C", true, smCRegular, Foreground},   // no prefix at all
      {"x.scr /s", true, smSFull, 0},
      {"x.scr -S", true, smSFull, 0},
      {"x.scr -/s", true, smSFull, 0},             // dash then slash
      {"x.scr /-s", false, smNone, 0},             // slash then dash
      {"x.scr --s", false, smNone, 0},
      {"x.scr    /s", true, smSFull, 0},
      {"x.scr\t/s", false, smNone, 0},             // a tab is part of the program name
      {"x.scr /a", true, smPasswordChange, Foreground},
      {"x.scr /a 1234", true, smPasswordChange, 1234},
      {"x.scr /a:0x10020", true, smPasswordChange, 0x10020},
      {"x.scr /a 99999", true, smPasswordChange, Foreground},  // not a window
      {"x.scr /a junk", true, smPasswordChange, Foreground},
      {"x.scr", false, smNone, 0},
      {"x.scr ", false, smNone, 0},
      {"x.scr /x", false, smNone, 0},
      {"x.scr /", false, smNone, 0},
      {"\"x.scr /s", false, smNone, 0},           // the quote never closes
      {"\"x y.scr\"/s", true, smSFull, 0},         // the quoted name ends at its quote
      {"", false, smNone, 0},
  };
  for (const TParseCase& c : cases) {
    TFakeWindows windows;
    TScrMode mode = smNone;
    TScrWindowId parent = 0xDEAD;
    bool ok = ScrParseCommandLineText(c.line, windows, mode, parent);
    EXPECT_EQ(ok, c.ok) << c.line;
    if (c.ok) {
      EXPECT_EQ(mode, c.mode) << c.line;
      EXPECT_EQ(parent, c.parent) << c.line;
    } else {
      EXPECT_EQ(mode, smNone) << "mode touched on failure: " << c.line;
      EXPECT_EQ(parent, TScrWindowId{0xDEAD}) << "parent touched on failure: " << c.line;
    }
    EXPECT_TRUE(windows.errors.empty()) << c.line;
    EXPECT_EQ(windows.scrprevCalls, 0) << c.line;
  }
}

TEST(ScrCommandLineText, NullCommandLineFails) {
  TFakeWindows windows;
  TScrMode mode = smNone;
  TScrWindowId parent = 0;
  EXPECT_FALSE(ScrParseCommandLineText(nullptr, windows, mode, parent));
}

TEST(ScrCommandLineText, OnlyThreeSpellingsAskForThePreviewer) {
  for (const char* line : {"x.scr /p scrprev", "x.scr /p:ScrPrev", "x.scr /p SCRPREV"}) {
    TFakeWindows windows;
    TScrMode mode = smNone;
    TScrWindowId parent = 0;
    EXPECT_TRUE(ScrParseCommandLineText(line, windows, mode, parent)) << line;
    EXPECT_EQ(mode, smSPMain) << line;
    EXPECT_EQ(parent, ScrprevChild) << line;
    EXPECT_EQ(windows.scrprevCalls, 1) << line;
  }
  for (const char* line : {"x.scr /p Scrprev", "x.scr /p scrprev ", "x.scr /p scrprevx"}) {
    TFakeWindows windows;
    TScrMode mode = smNone;
    TScrWindowId parent = 0;
    EXPECT_FALSE(ScrParseCommandLineText(line, windows, mode, parent)) << line;
    EXPECT_EQ(windows.scrprevCalls, 0) << line;
  }
}

TEST(ScrCommandLineText, MissingPreviewerIsReportedOnce) {
  TFakeWindows windows;
  windows.scrprevChild = 0;
  TScrMode mode = smNone;
  TScrWindowId parent = 0;
  EXPECT_FALSE(ScrParseCommandLineText("x.scr /p scrprev", windows, mode, parent));
  EXPECT_EQ(windows.errors, std::vector<std::string>{"Could not find ScrPrev for preview"});
  EXPECT_EQ(mode, smNone);
}

TEST(ScrCommandLineText, OnlyPreviewRunsAppendToTheLog) {
  const struct {
    const char* line;
    bool newLog;
  } cases[] = {
      {"x.scr /p 1234", false}, {"x.scr -P:1", false}, {"x.scr /l 5", false},
      {"\"a b.scr\" -/L", false}, {"x.scr /s", true},  {"x.scr /c", true},
      {"x.scr /a", true},       {"x.scr", true},       {"\"x.scr /p 1", true},
      {"x.scr /-p 1", true},    {nullptr, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScrCommandLineStartsNewLog(c.line), c.newLog) << (c.line ? c.line : "(null)");
  }
}

}  // namespace
