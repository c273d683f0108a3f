#include "GIFTestFiles.h"

#include <algorithm>

std::vector<uint8_t> GIFPackCodes(std::span<const std::pair<uint32_t, int>> codes) {
  std::vector<uint8_t> bytes;
  uint64_t buffer = 0;
  int count = 0;
  for (const auto& [code, width] : codes) {
    buffer |= uint64_t(code) << count;
    count += width;
    for (; count >= 8; count -= 8, buffer >>= 8) bytes.push_back(uint8_t(buffer));
  }
  if (count > 0) bytes.push_back(uint8_t(buffer));
  return bytes;
}

std::vector<uint8_t> GIFSubBlocks(std::span<const uint8_t> data, size_t blockSize) {
  std::vector<uint8_t> out;
  for (size_t at = 0; at < data.size(); at += blockSize) {
    const size_t size = std::min(blockSize, data.size() - at);
    out.push_back(uint8_t(size));
    out.insert(out.end(), data.begin() + ptrdiff_t(at), data.begin() + ptrdiff_t(at + size));
  }
  out.push_back(0);
  return out;
}

std::vector<uint8_t> GIFTestPattern(int width, int height, int colors, uint32_t seed) {
  std::mt19937 random(seed);
  std::vector<uint8_t> pixels(size_t(width) * size_t(height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      int value = (x + 2 * y) / 7;
      if (random() % 16 == 0) value += int(random() % 3);
      pixels[size_t(y) * size_t(width) + size_t(x)] = uint8_t(value % colors);
    }
  }
  return pixels;
}

namespace {

std::vector<uint32_t> RandomTable(std::mt19937& random, int bits) {
  std::vector<uint32_t> table(size_t(1) << bits);
  for (auto& c : table) c = random() & 0xFFFFFF;
  return table;
}

}  // namespace

TGIFFileSpec GIFRandomFile(std::mt19937& random, int maxFrames, int maxSide) {
  auto uniform = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  TGIFFileSpec file;
  file.Width = uniform(1, maxSide);
  file.Height = uniform(1, maxSide);
  const bool global = uniform(0, 3) != 0;
  if (global) file.GlobalTable = RandomTable(random, uniform(1, 8));
  if (uniform(0, 1)) file.LoopCount = uniform(0, 3);
  const int frames = uniform(1, maxFrames);
  for (int k = 0; k < frames; ++k) {
    TGIFFrameSpec frame;
    frame.Width = uniform(1, file.Width);
    frame.Height = uniform(1, file.Height);
    frame.Left = uniform(0, file.Width - frame.Width);
    frame.Top = uniform(0, file.Height - frame.Height);
    if (!global || uniform(0, 2) == 0) frame.LocalTable = RandomTable(random, uniform(1, 8));
    frame.MinCodeSize = uniform(2, 8);
    const int colors = 1 << frame.MinCodeSize;
    if (uniform(0, 1)) {
      frame.Pixels = GIFTestPattern(frame.Width, frame.Height, colors, random());
    } else {
      frame.Pixels.resize(size_t(frame.Width) * size_t(frame.Height));
      for (auto& p : frame.Pixels) p = uint8_t(random() % uint32_t(colors));
    }
    frame.Interlaced = uniform(0, 2) == 0;
    frame.FullTable = uniform(0, 3) == 0 ? gcKeepFullTable : gcClearWhenFull;
    frame.Control = uniform(0, 4) != 0;
    frame.Disposal = uniform(0, 3);
    frame.Delay = uniform(0, 20);
    frame.Transparent = uniform(0, 1);
    frame.TransparentIndex = uint8_t(uniform(0, colors - 1));
    file.Frames.push_back(std::move(frame));
  }
  return file;
}
