// jpeg_sample DIR: writes the JPEG files the picture tool is tested on, one of every kind the
// reader handles, and a damaged one, into DIR.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "JPEGWriter.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: jpeg_sample DIR\n";
    return 2;
  }
  struct TSample {
    const char* name;
    TJPEGTestImage image;
  };
  auto image = [](int width, int height, TJPEGTestSpace space, bool progressive = false) {
    TJPEGTestImage i;
    i.Width = width;
    i.Height = height;
    i.Space = space;
    i.Progressive = progressive;
    return i;
  };
  TSample samples[] = {
      {"colour.jpg", image(403, 301, jtYCbCr)},
      {"grey.JPG", image(97, 61, jtGrayscale)},
      {"progressive.jpeg", image(640, 480, jtYCbCr, true)},
      {"cmyk.jpg", image(75, 50, jtCMYK)},
      {"ycck.jpg", image(75, 50, jtYCCK)},
      {"restarts.jpg", image(200, 150, jtYCbCr)},
      {"tiny.jpg", image(1, 1, jtYCbCr)},
  };
  samples[5].image.RestartRows = 1;
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  auto write = [&](const std::string& name, const std::vector<uint8_t>& bytes) {
    std::ofstream out(folder / name, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(out.flush());
  };
  for (const TSample& sample : samples) {
    if (!write(sample.name, JPEGTestWrite(sample.image))) {
      std::cerr << "jpeg_sample: cannot write " << (folder / sample.name).string() << "\n";
      return 1;
    }
  }
  std::vector<uint8_t> cut = JPEGTestWrite(samples[0].image);
  cut.resize(cut.size() / 2);
  return write("damaged.jpg", cut) ? 0 : 1;
}
