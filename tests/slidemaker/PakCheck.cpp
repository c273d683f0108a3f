// pak_check ARCHIVE NAME=FILE...: reads ARCHIVE with the tests' own reader (PakOracle, not
// the component's) and checks that it holds exactly the members named, in order, each with
// the bytes of its FILE and no folder.  Exit status 0 when everything holds.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "PakOracle.h"

namespace {

std::string archive;
std::vector<std::pair<std::string, std::string>> expected;  // member name, file with its bytes

}  // namespace

TEST(PakCheck, MembersAndContents) {
  const TPakOracleArchive pak = PakOracleRead(PakOracleFile(archive));
  ASSERT_EQ(pak.members.size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(pak.members[i].name, expected[i].first) << "member " << i;
    EXPECT_EQ(pak.members[i].folder, "") << "member " << i;
    EXPECT_EQ(pak.members[i].content, PakOracleFile(expected[i].second)) << expected[i].first;
  }
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: pak_check ARCHIVE NAME=FILE...\n");
    return 2;
  }
  archive = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::string pair = argv[i];
    const size_t equals = pair.find('=');
    expected.emplace_back(pair.substr(0, equals), equals == std::string::npos ? "" : pair.substr(equals + 1));
  }
  return RUN_ALL_TESTS();
}
