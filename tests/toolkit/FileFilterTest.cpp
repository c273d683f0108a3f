#include "FileFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Flat(const std::vector<TFileFilter>& pairs) {
  std::vector<std::string> flat;
  for (const TFileFilter& pair : pairs) {
    flat.push_back(pair.Description);
    flat.push_back(pair.Mask);
  }
  return flat;
}

using Flats = std::vector<std::string>;

TEST(FileFilter, Pairs) {
  EXPECT_EQ(Flat(FileFilterPairs("Quorvel Graph|*.twk")), (Flats{"Quorvel Graph", "*.twk"}));
  EXPECT_EQ(Flat(FileFilterPairs("JPEG (*.jpg)|*.jpg;|GIF (*.gif)|*.gif|")),
            (Flats{"JPEG (*.jpg)", "*.jpg;", "GIF (*.gif)", "*.gif"}));
  EXPECT_EQ(Flat(FileFilterPairs("")), Flats{});
  EXPECT_EQ(Flat(FileFilterPairs("|")), Flats{});
  EXPECT_EQ(Flat(FileFilterPairs("Text|*.txt|Lonely")), (Flats{"Text", "*.txt"}));
  EXPECT_EQ(Flat(FileFilterPairs("|*.txt|All||")), (Flats{"", "*.txt", "All", ""}));
}

TEST(FileFilter, ForDialog) {
  using namespace std::string_literals;
  EXPECT_EQ(FileFilterForDialog("Quorvel Graph|*.twk"), "Quorvel Graph\0*.twk\0\0"s);
  EXPECT_EQ(FileFilterForDialog("A|*.a|B|*.b;*.c|"), "A\0*.a\0B\0*.b;*.c\0\0"s);
  EXPECT_EQ(FileFilterForDialog(""), "");
  // Empty parts would end the system's list early.
  EXPECT_EQ(FileFilterForDialog("|*.txt|All||B|*.b"), "*.txt\0*.txt\0B\0*.b\0\0"s);
  EXPECT_EQ(FileFilterForDialog("All|"), "");
}

}  // namespace
