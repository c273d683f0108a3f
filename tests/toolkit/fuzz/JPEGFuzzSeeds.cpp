// jpeg_fuzz_seeds DIR: writes a starting corpus for the JPEG fuzz target: small files of every
// kind the reader handles (colour spaces, progressive, restart markers, EXIF data).
#include <fstream>
#include <iostream>
#include <string>

#include "JPEGWriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: jpeg_fuzz_seeds DIR\n";
    return 2;
  }
  int n = 0;
  for (TJPEGTestSpace space : {jtGrayscale, jtYCbCr, jtRGB, jtCMYK, jtYCCK}) {
    for (int variant = 0; variant < 6; ++variant) {
      TJPEGTestImage image;
      image.Space = space;
      image.Width = 7 + 13 * variant;
      image.Height = 5 + 9 * variant;
      image.Progressive = variant % 2 == 1;
      image.Subsampled = variant % 3 != 2;
      image.RestartRows = variant >= 3 ? 1 : 0;
      image.Quality = 50 + 8 * variant;
      image.Seed = uint32_t(n);
      if (variant == 4) image.App1 = JPEGTestExif(6, space % 2 == 0);
      const auto bytes = JPEGTestWrite(image);
      std::ofstream out(std::string(argv[1]) + "/seed-" + std::to_string(n++) + ".jpg", std::ios::binary);
      out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
      if (!out.flush()) {
        std::cerr << "jpeg_fuzz_seeds: cannot write into " << argv[1] << "\n";
        return 1;
      }
    }
  }
  return 0;
}
