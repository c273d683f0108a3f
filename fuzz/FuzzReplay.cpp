// fuzz_replay_NAME DIR...: runs every file of the folders through the fuzz target it is linked
// with, as the fuzzer would, so that `make test` replays what fuzzing once found.  A target's
// checks end the process (abort, an escaping exception, a sanitizer report) on a fault, so a
// replay that returns 0 passed.  A ".hex" file holds the bytes in hex, two digits a byte, with
// "#" starting a comment to the end of the line that says which byte provokes the fault and
// what it was; any other file holds the bytes themselves, as the fuzzer wrote them.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

std::vector<std::uint8_t> FuzzReadHex(const std::filesystem::path& path) {
  std::ifstream file(path);
  std::vector<std::uint8_t> bytes;
  std::string digits;
  for (std::string line; std::getline(file, line);) {
    for (const char c : line.substr(0, line.find('#'))) {
      if (std::isspace(static_cast<unsigned char>(c))) continue;
      if (!std::isxdigit(static_cast<unsigned char>(c)))
        throw std::runtime_error(path.string() + ": not a hex digit: '" + c + "'");
      digits += c;
      if (digits.size() == 2) {
        bytes.push_back(std::uint8_t(std::stoi(digits, nullptr, 16)));
        digits.clear();
      }
    }
  }
  if (!digits.empty()) throw std::runtime_error(path.string() + ": ends inside a byte");
  return bytes;
}

std::vector<std::uint8_t> FuzzReadInput(const std::filesystem::path& path) {
  if (path.extension() == ".hex") return FuzzReadHex(path);
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error(path.string() + ": cannot be opened");
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::filesystem::path> inputs;
  for (int i = 1; i < argc; ++i)
    for (const auto& entry : std::filesystem::directory_iterator(argv[i]))
      if (entry.is_regular_file()) inputs.push_back(entry.path());
  std::sort(inputs.begin(), inputs.end());
  if (inputs.empty()) {
    std::cerr << "fuzz replay: no inputs in the folders given\n";
    return 1;
  }
  for (const auto& path : inputs) {
    std::cout << "replaying " << path.filename().string() << std::endl;
    const std::vector<std::uint8_t> bytes = FuzzReadInput(path);
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  }
  std::cout << inputs.size() << " inputs replayed\n";
  return 0;
}
