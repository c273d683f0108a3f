// Replays the inputs the GIF fuzz targets found through both targets' checks: each file of
// gif-regressions/ is loaded and composed (GIFFuzzPlay) and decoded by us and by giflib
// (GIFGiflibDiff).  A file holds bytes in hex, two digits a byte; "#" starts a comment that runs
// to the end of the line, which says which byte provokes the fault and what it was.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "GIFFuzzChecks.h"

namespace {

std::vector<uint8_t> ReadHexFile(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::vector<uint8_t> bytes;
  std::string digits;
  for (std::string line; std::getline(file, line);) {
    for (const char c : line.substr(0, line.find('#'))) {
      if (std::isspace(static_cast<unsigned char>(c))) continue;
      EXPECT_TRUE(std::isxdigit(static_cast<unsigned char>(c))) << path << ": '" << c << "'";
      digits += c;
      if (digits.size() == 2) {
        bytes.push_back(uint8_t(std::stoi(digits, nullptr, 16)));
        digits.clear();
      }
    }
  }
  EXPECT_TRUE(digits.empty()) << path << " ends inside a byte";
  return bytes;
}

TEST(GIFRegressions, FoundInputsPlayAndAgreeWithGiflib) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(GIF_REGRESSIONS_DIR)) {
    if (entry.path().extension() == ".hex") files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  ASSERT_FALSE(files.empty()) << "no regression files in " << GIF_REGRESSIONS_DIR;
  for (const auto& path : files) {
    SCOPED_TRACE(path.filename().string());
    const std::vector<uint8_t> bytes = ReadHexFile(path);
    GIFFuzzPlay(bytes);
    EXPECT_EQ(GIFGiflibDiff(bytes), "");
  }
}

}  // namespace
