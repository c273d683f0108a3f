#include "FolderListing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

TEST(FolderListing, MaskPatterns) {
  EXPECT_EQ(FolderMaskPatterns("*.jpg;"), Names{"*.jpg"});
  EXPECT_EQ(FolderMaskPatterns("*.jpg;*.gif"), (Names{"*.jpg", "*.gif"}));
  EXPECT_EQ(FolderMaskPatterns(";; *.bmp ;;"), Names{"*.bmp"});
  EXPECT_EQ(FolderMaskPatterns(""), Names{});
  EXPECT_EQ(FolderMaskPatterns(";"), Names{});
}

// Each row: pattern, name, whether it matches; the reason in the comment.
TEST(FolderListing, PatternMatching) {
  struct Case {
    const char* pattern;
    const char* name;
    bool matches;
  };
  const Case cases[] = {
      {"*.jpg", "a.jpg", true},
      {"*.jpg", "A.JPG", true},              // case does not matter
      {"*.JPG", "photo.Jpg", true},
      {"*.jpg", "x.jpeg", false},            // the whole name: no short-name alias
      {"*.jpg", "x.jpg.bak", false},
      {"*.jpg", "jpg", false},
      {"*.jpg", ".jpg", true},               // "*" may stand for nothing
      {"*.jpg", "a.b.jpg", true},            // ... or for dots
      {"*", "anything.at.all", true},
      {"*", "", true},
      {"*.*", "README", true},               // every name, as Windows lists it
      {"*.*", "a.b", true},
      {"?.gif", "a.gif", true},
      {"?.gif", "ab.gif", false},            // "?" is exactly one character
      {"?.gif", ".gif", false},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXcYYb", false},
      {"*ab", "aab", true},                  // backing up over a partial match
      {"*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
      {"x", "X", true},
      {"\xE8*", "\xC8t\xE0", true},          // code page 1252: è and È
      {"*\x9A", "\x8A\x8A", true},           // š and Š lie in 0x80..0x9F
      {"\xFF", "\x9F", true},                // ÿ and Ÿ
      {"\xF7", "\xD7", false},               // the division and multiplication signs are no pair
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FolderPatternMatches(c.pattern, c.name), c.matches)
        << '"' << c.pattern << "\" against \"" << c.name << '"';
  }
  EXPECT_TRUE(FolderMaskMatches("*.jpg;*.gif", "b.GIF"));
  EXPECT_FALSE(FolderMaskMatches("*.jpg;", "b.gif"));
  EXPECT_TRUE(FolderMaskMatches(";", "b.gif"));  // no pattern: everything
}

// The lists of one folder: filtered, masked and sorted, from entries as the system gives them.
TEST(FolderListing, ListsOfOneFolder) {
  const std::vector<TFolderEntry> entries = {
      {".", true, false, false},
      {"..", true, false, false},
      {"zeta", true, false, false},
      {"Alpha", true, false, false},
      {"beta", true, false, false},
      {"_first", true, false, false},
      {"Hidden", true, true, false},
      {"System", true, false, true},
      {"notes.jpg", true, false, false},     // a folder whose name fits the mask
      {"b.JPG", false, false, false},
      {"A.jpg", false, false, false},
      {"c.jpeg", false, false, false},
      {"hidden.jpg", false, true, false},
      {"system.jpg", false, false, true},
      {"a.gif", false, false, false},
      {"Alpha", false, false, false},        // a file named like a folder
  };
  EXPECT_EQ(FolderSubfolderNames(entries),
            (Names{"_first", "Alpha", "beta", "notes.jpg", "zeta"}));
  EXPECT_EQ(FolderFileNames(entries, "*.jpg;"), (Names{"A.jpg", "b.JPG"}));
  EXPECT_EQ(FolderFileNames(entries, "*.gif"), Names{"a.gif"});
  EXPECT_EQ(FolderFileNames(entries, "*.*"), (Names{"a.gif", "A.jpg", "Alpha", "b.JPG", "c.jpeg"}));
}

TEST(FolderListing, NameOrder) {
  Names names = {"b", "B", "a", "ab", "A", "_", "Z", "\xE8", "e"};
  std::sort(names.begin(), names.end(),
            [](const std::string& x, const std::string& y) { return FolderNameLess(x, y); });
  EXPECT_EQ(names, (Names{"_", "A", "a", "ab", "B", "b", "e", "Z", "\xE8"}));
}

TEST(FolderListing, Join) {
  EXPECT_EQ(FolderJoin("C:\\Photos", "a.jpg"), "C:\\Photos\\a.jpg");
  EXPECT_EQ(FolderJoin("C:\\", "a.jpg"), "C:\\a.jpg");
  EXPECT_EQ(FolderJoin("", "a.jpg"), "a.jpg");
}

}  // namespace
