#include "ListFile.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "FileError.h"
#include "ScratchFolder.h"

// Writing: the interval as it stands, CR LF after every line, nothing else.
TEST(ListFile, EncodedBytes) {
  EXPECT_EQ(ListFileEncode("5", {}), "5\r\n");  // a new project
  EXPECT_EQ(ListFileEncode(" 07", {"C:\\a.jpg", "", "D:\\b c.gif"}),
            " 07\r\n"           // interval untouched
            "C:\\a.jpg\r\n"
            "\r\n"              // an empty entry stays an empty line
            "D:\\b c.gif\r\n");
  EXPECT_EQ(ListFileEncode("5", {"caff\xE8.jpg"}), "5\r\ncaff\xE8.jpg\r\n");  // single-byte code page
}

// Reading: line 1 trimmed, further lines untrimmed; CR LF, LF and CR end lines.
TEST(ListFile, DecodedLines) {
  struct Case {
    const char* fault;
    std::string bytes;
    std::string interval;
    std::vector<std::string> entries;
  };
  const Case cases[] = {
      {"zero-byte file", "", "", {}},
      {"interval alone", "5\r\n", "5", {}},
      {"blanks and controls around the interval", " \t7 \x01\r\n", "7", {}},
      {"entries untrimmed", "5\r\n a.jpg \r\n", "5", {" a.jpg "}},
      {"empty line kept between entries", "5\r\na\r\n\r\nb\r\n", "5", {"a", "", "b"}},
      {"last line without its end", "5\r\na", "5", {"a"}},
      {"LF and lone CR end lines too", "5\na\rb\r\n", "5", {"a", "b"}},
      {"trailing empty line", "5\r\na\r\n\r\n", "5", {"a", ""}},
  };
  for (const Case& c : cases) {
    const TListFile list = ListFileDecode(c.bytes);
    EXPECT_EQ(list.Interval, c.interval) << c.fault;
    EXPECT_EQ(list.Entries, c.entries) << c.fault;
  }
}

// Writes replace the file through a temporary one; failures leave the old file and no
// temporary behind, and carry the file-error text of their cause.
TEST(ListFile, WriteReplacesOrFailsCleanly) {
  TScratchFolder dir;
  const std::string path = dir.Path("p/list.dat");
  std::filesystem::create_directories(dir.Path("p"));
  ListFileWrite(path, "9", {"x"});
  ListFileWrite(path, "5", {"a", "b"});
  EXPECT_EQ(dir.Read("p/list.dat"), "5\r\na\r\nb\r\n");
  EXPECT_FALSE(std::filesystem::exists(path + ".new"));
  const TListFile back = ListFileRead(path);
  EXPECT_EQ(back.Interval, "5");
  EXPECT_EQ(back.Entries, (std::vector<std::string>{"a", "b"}));

  try {
    ListFileWrite(dir.Path("missing/list.dat"), "5", {});
    ADD_FAILURE() << "wrote into a missing folder";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "Invalid filename");
    EXPECT_EQ(e.Code(), 3);
  }
  try {
    ListFileRead(dir.Path("p/none.dat"));
    ADD_FAILURE() << "read a missing file";
  } catch (const EInOutError& e) {
    EXPECT_STREQ(e.what(), "File not found");
  }
  // The replacement fails when list.dat is a folder; the folder stays and no temp remains.
  std::filesystem::create_directories(dir.Path("q/list.dat"));
  EXPECT_THROW(ListFileWrite(dir.Path("q/list.dat"), "5", {}), EInOutError);
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path("q/list.dat")));
  EXPECT_FALSE(std::filesystem::exists(dir.Path("q/list.dat.new")));
}

TEST(ListFile, ErrorTexts) {
  const std::pair<int, const char*> cases[] = {
      {2, "File not found"},  {3, "Invalid filename"},        {4, "Too many open files"},
      {5, "File access denied"}, {100, "Read beyond end of file"}, {101, "Disk full"},
      {106, "Invalid numeric input"}, {32, "I/O error 32"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(FileErrorText(code), text);
}
