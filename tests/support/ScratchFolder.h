#pragma once

// A fresh folder for one test below the system's temporary folder, removed with its contents
// when the test ends.  Paths use "/" natively and "\" on Windows, as the programs do.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

class TScratchFolder {
public:
  TScratchFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::random_device entropy;
    root_ = std::filesystem::temp_directory_path() /
            (std::string("scratch-") + test->test_suite_name() + "-" + test->name() + "-" +
             std::to_string(entropy()));
    std::filesystem::create_directories(root_);
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  // The path of name inside the folder, in the platform's spelling.
  std::string Path(const std::string& name = "") const {
    return (root_ / std::filesystem::path(name).make_preferred()).string();
  }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::string path = Path(name);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
    return path;
  }

  std::string Write(const std::string& name, const std::string& text) const {
    return Write(name, std::vector<std::uint8_t>(text.begin(), text.end()));
  }

  std::string Read(const std::string& name) const {
    std::ifstream file(Path(name), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  }

private:
  std::filesystem::path root_;
};

// Sample contents.  Text compresses well; random bytes stand in for pictures that are already
// compressed.
inline std::vector<std::uint8_t> SampleText(std::size_t size, unsigned seed = 1) {
  static const char* const words[] = {"slide ", "image ", "interval ", "project ", "list ",
                                      "archive ", "colour ", "picture ", "\r\n"};
  std::mt19937 random(seed);
  std::vector<std::uint8_t> text;
  while (text.size() < size)
    for (const char* c = words[random() % 9]; *c && text.size() < size; ++c) text.push_back(*c);
  return text;
}

inline std::vector<std::uint8_t> SampleRandom(std::size_t size, unsigned seed = 2) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}
