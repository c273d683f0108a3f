// picture FILE -o OUT.png [--stretch WxH]: writes what the editor's picture controls show for
// FILE as a PNG file, at the picture's own size or stretched as the image picker stretches
// its preview, and prints what the file is.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "PictureRender.h"
#include "PngWriter.h"

namespace {

const char* const Usage =
    "usage: picture FILE -o OUT.png [--stretch WxH]\n"
    "\n"
    "Loads FILE as the editor's preview does: GIF files (first composed frame) through the GIF\n"
    "control, JPEG files through libjpeg, and on Windows bitmaps, icons and metafiles through the\n"
    "ordinary picture control.  Writes the picture at its own size, or stretched to W x H without\n"
    "keeping its aspect ratio (the image picker shows 176x150), to OUT.png and prints the format,\n"
    "the picture's size and whether it was decoded scaled down.  A JPEG file at least twice the\n"
    "stretched size is decoded at 1/2, 1/4 or 1/8 and stretched from there, as the picker does.\n"
    "Exits 1 with the control's message when FILE does not load, 2 on a bad command line.\n";

bool ParseSize(const std::string& text, int& width, int& height) {
  char tail = 0;
  return std::sscanf(text.c_str(), "%dx%d%c", &width, &height, &tail) == 2 && width > 0 &&
         height > 0 && width <= 16384 && height <= 16384;
}

}  // namespace

int main(int argc, char** argv) {
  std::string input, output;
  int width = 0, height = 0;
  for (int n = 1; n < argc; ++n) {
    const std::string argument = argv[n];
    if (argument == "--help" || argument == "-h") {
      std::cout << Usage;
      return 0;
    }
    if (argument == "-o" && n + 1 < argc) {
      output = argv[++n];
    } else if (argument == "--stretch" && n + 1 < argc && ParseSize(argv[n + 1], width, height)) {
      ++n;
    } else if (input.empty() && !argument.starts_with("-")) {
      input = argument;
    } else {
      std::cout << Usage;
      return 2;
    }
  }
  if (input.empty() || output.empty()) {
    std::cout << Usage;
    return 2;
  }
  try {
    const TRenderedPicture picture = PictureRender(input, width, height);
    for (const std::string& line : picture.Report) std::cout << line << "\n";
    std::vector<uint8_t> rgb;
    rgb.reserve(picture.Pixels.size() * 3);
    for (uint32_t pixel : picture.Pixels) {
      rgb.insert(rgb.end(), {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
    }
    std::string error;
    if (!PngWriteRgb(output, picture.Width, picture.Height, rgb, error)) {
      std::cout << error << "\n";
      return 1;
    }
    std::cout << "written " << picture.Width << " x " << picture.Height << " to " << output << "\n";
  } catch (const std::exception& error) {
    std::cout << error.what() << "\n";
    return 1;
  }
  return 0;
}
