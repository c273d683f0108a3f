// gif_sample FILE: writes a small animation for the tests of the gifframes tool: 3 frames on a
// 20 × 10 screen, looping for ever, one transparent and interlaced, one with disposal 3.
#include <fstream>
#include <iostream>

#include "GIFTestFiles.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: gif_sample FILE\n";
    return 2;
  }
  TGIFFileSpec file;
  file.Width = 20;
  file.Height = 10;
  file.GlobalTable = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF};
  file.LoopCount = 0;
  TGIFFrameSpec first;
  first.Width = 20;
  first.Height = 10;
  first.Pixels = GIFTestPattern(20, 10, 4, 1);
  first.MinCodeSize = 2;
  first.Control = true;
  first.Delay = 10;
  first.Disposal = 1;
  TGIFFrameSpec second = first;
  second.Left = 5;
  second.Top = 2;
  second.Width = 8;
  second.Height = 6;
  second.Pixels = GIFTestPattern(8, 6, 4, 2);
  second.Transparent = true;
  second.TransparentIndex = 0;
  second.Interlaced = true;
  second.Delay = 0;
  second.Disposal = 3;
  TGIFFrameSpec third = second;
  third.Left = 0;
  third.Top = 0;
  third.Transparent = false;
  third.Interlaced = false;
  third.Delay = 25;
  third.Disposal = 2;
  file.Frames = {first, second, third};
  const auto bytes = GIFWrite(file);
  std::ofstream out(argv[1], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out.flush()) {
    std::cerr << "gif_sample: cannot write " << argv[1] << "\n";
    return 1;
  }
  return 0;
}
