// gif_fuzz_seeds DIR: writes a starting corpus for the GIF fuzz target: random valid files of
// every kind the writer makes.
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "GIFTestFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: gif_fuzz_seeds DIR\n";
    return 2;
  }
  std::mt19937 random(1);
  for (int n = 0; n < 64; ++n) {
    const auto bytes = GIFWrite(GIFRandomFile(random, 4, 48));
    std::ofstream out(std::string(argv[1]) + "/seed-" + std::to_string(n) + ".gif", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out.flush()) {
      std::cerr << "gif_fuzz_seeds: cannot write into " << argv[1] << "\n";
      return 1;
    }
  }
  return 0;
}
