// The path rule: every file operation finds the file a name in the code page names, byte for
// byte, whatever characters of code page 1252 it holds.  Natively the bytes reach the system
// as they are; under Wine (the same test in the Windows tree) they pass MultiByteToWideChar
// with the ANSI code page, 1252 in the test sessions.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../support/ScratchFolder.h"
#include "FileAccess.h"

namespace {

// Names as the list file and the archive hold them: code page 1252 bytes.
std::vector<std::string> Names() {
  std::string high;  // every character a file name may hold from 0x80 up
  for (int c = 0x80; c <= 0xFF; ++c)
    if (c != 0x81 && c != 0x8D && c != 0x8F && c != 0x90 && c != 0x9D) high += char(c);  // unassigned
  return {
      "plain.jpg",
      "Natale \x96 2023.jpg",                 // en dash
      "L\x92" "estate \x85 5 \x80.jpg",       // right quote, ellipsis, euro
      "Citt\xE0 \xC8 \xFF.bmp",               // Latin-1 letters, which Latin-1 converters keep
      high.substr(0, 60) + ".ico",
      high.substr(60) + ".wmf",
  };
}

std::string Sep() {
#ifdef _WIN32
  return "\\";
#else
  return "/";
#endif
}

}  // namespace

TEST(FileAccess, EveryOperationFindsTheNamedFile) {
  TScratchFolder scratch;
  for (const std::string& name : Names()) {
    const std::string folder = scratch.Path() + Sep() + "d " + name.substr(0, 12) + Sep() + "sub";
    ASSERT_TRUE(FileCreateFolders(folder)) << name;
    EXPECT_TRUE(FileIsFolder(folder)) << name;
    const std::string path = folder + Sep() + name;
    {
      TFileHandle file = FileOpen(path, "wb");
      ASSERT_TRUE(file) << name;
      std::fputs(name.c_str(), file.get());
    }
    EXPECT_TRUE(FileExists(path)) << name;
    EXPECT_FALSE(FileIsFolder(path)) << name;
    std::uint64_t size = 0;
    EXPECT_TRUE(FileSize(path, size)) << name;
    EXPECT_EQ(size, name.size()) << name;

    unsigned long error = 1;
    const std::vector<TFolderEntry> entries = FileListFolder(folder, error);
    EXPECT_EQ(error, 0u);
    ASSERT_EQ(entries.size(), 1u) << name;
    EXPECT_EQ(entries[0].Name, name);  // the listed name opens the file again
    EXPECT_FALSE(entries[0].Folder);
    EXPECT_TRUE(FileNameHeldByCodePage(entries[0].Name));

    const std::string moved = folder + Sep() + "x" + name;
    EXPECT_FALSE(FileMove(path, moved)) << name;
    EXPECT_FALSE(FileExists(path)) << name;
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(FileReadAll(moved, bytes)) << name;
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), name);
    auto stream = FileOpenRead(moved);
    ASSERT_TRUE(stream);
    stream->seekg(1);
    EXPECT_EQ(stream->get(), static_cast<unsigned char>(name[1]));
    stream.reset();  // Windows deletes no file that is open
    EXPECT_FALSE(FileDelete(moved)) << name;
    EXPECT_FALSE(FileExists(moved)) << name;
  }
}

TEST(FileAccess, FailuresAndTheNamesNoFileBears) {
  TScratchFolder scratch;
  const std::string missing = scratch.Path() + Sep() + "missing \x96 file";
  EXPECT_FALSE(FileOpen(missing, "rb"));
  EXPECT_FALSE(FileOpenRead(missing));
  std::vector<std::uint8_t> bytes;
  EXPECT_FALSE(FileReadAll(missing, bytes));
  EXPECT_TRUE(bool(FileDelete(missing)));
  EXPECT_TRUE(bool(FileMove(missing, missing + "2")));
  unsigned long error = 0;
  EXPECT_TRUE(FileListFolder(missing, error).empty());
  EXPECT_NE(error, 0u);

  // A move replaces the file of the target's name.
  const std::string a = scratch.Write("a", std::string("new")), b = scratch.Write("b", std::string("old"));
  EXPECT_FALSE(FileMove(a, b));
  EXPECT_EQ(scratch.Read("b"), "new");

  // "?" and "*" are what the system puts in place of characters the code page cannot hold.
  for (const char* name : {"caf\xE9.jpg", "Natale \x96 2023.jpg", ""})
    EXPECT_TRUE(FileNameHeldByCodePage(name)) << name;
  for (const char* name : {"?????.jpg", "Foto ? Kyiv.jpg", "a*b"}) EXPECT_FALSE(FileNameHeldByCodePage(name)) << name;
}
