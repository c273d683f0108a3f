#include "UninstallScript.h"

#include <gtest/gtest.h>

namespace {

TEST(UninstallScript, OnlyTheExactSwitchUninstalls) {
  EXPECT_TRUE(ScrIsUninstallSwitch("-u"));
  for (const char* tail : {"-u ", " -u", "/u", "-U", "-uu", "", "-"}) {
    EXPECT_FALSE(ScrIsUninstallSwitch(tail)) << '"' << tail << '"';
  }
}

TEST(UninstallScript, FolderIsCutBeforeTheLastBackslash) {
  EXPECT_EQ(ScrModuleFolder("C:\\Program Files\\Plotvane\\Plotvane.scr"),
            "C:\\Program Files\\Plotvane");
  EXPECT_EQ(ScrModuleFolder("C:\\Plotvane.scr"), "C:");
  EXPECT_EQ(ScrModuleFolder("Plotvane.scr"), "Plotvane.scr");
}

TEST(UninstallScript, BatchQuotesPathsWithSpaces) {
  EXPECT_EQ(ScrUninstallBatch("C:\\Program Files\\Plotvane\\Plotvane.scr", "\\DelUS.bat"),
            ":Repeat\r\n"
            "del \"C:\\Program Files\\Plotvane\\Plotvane.scr\"\r\n"
            "if exist \"C:\\Program Files\\Plotvane\\Plotvane.scr\" goto Repeat\r\n"
            "rmdir \"C:\\Program Files\\Plotvane\"\r\n"
            "del \"\\DelUS.bat\"\r\n");
}

TEST(UninstallScript, BatchDoublesPercentSigns) {
  // A single "%" pair would be expanded by cmd: "%windir%" would name another folder.
  EXPECT_EQ(ScrUninstallBatch("C:\\%windir%\\100%\\x.scr", "\\DelUS.bat"),
            ":Repeat\r\n"
            "del \"C:\\%%windir%%\\100%%\\x.scr\"\r\n"
            "if exist \"C:\\%%windir%%\\100%%\\x.scr\" goto Repeat\r\n"
            "rmdir \"C:\\%%windir%%\\100%%\"\r\n"
            "del \"\\DelUS.bat\"\r\n");
}

}  // namespace
