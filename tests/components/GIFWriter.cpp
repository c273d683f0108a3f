#include "GIFWriter.h"

#include <algorithm>
#include <array>

namespace {

class TBitWriter {
public:
  void Put(uint32_t code, int width) {
    buffer_ |= uint64_t(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      bytes_.push_back(uint8_t(buffer_));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  std::vector<uint8_t> Finish() {
    if (count_ > 0) bytes_.push_back(uint8_t(buffer_));
    count_ = 0;
    buffer_ = 0;
    return std::move(bytes_);
  }

private:
  std::vector<uint8_t> bytes_;
  uint64_t buffer_ = 0;
  int count_ = 0;
};

// String table of the encoder: (prefix code, next byte) → code, open addressing.
class TStringTable {
public:
  void Reset() { keys_.fill(Empty); }
  int Find(uint32_t prefix, uint8_t byte) const {
    for (uint32_t slot = Hash(prefix, byte);; slot = (slot + 1) & (Size - 1)) {
      if (keys_[slot] == Empty) return -1;
      if (keys_[slot] == Key(prefix, byte)) return codes_[slot];
    }
  }
  void Add(uint32_t prefix, uint8_t byte, int code) {
    uint32_t slot = Hash(prefix, byte);
    while (keys_[slot] != Empty) slot = (slot + 1) & (Size - 1);
    keys_[slot] = Key(prefix, byte);
    codes_[slot] = uint16_t(code);
  }

private:
  static constexpr uint32_t Size = 8192;   // twice the 4096 codes: probes stay short
  static constexpr uint32_t Empty = 0xFFFFFFFF;
  static uint32_t Key(uint32_t prefix, uint8_t byte) { return prefix << 8 | byte; }
  static uint32_t Hash(uint32_t prefix, uint8_t byte) {
    return (Key(prefix, byte) * 2654435761u >> 19) & (Size - 1);
  }
  std::array<uint32_t, Size> keys_;
  std::array<uint16_t, Size> codes_;
};

void Put16(std::vector<uint8_t>& out, int value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}

int TableBits(size_t entries) {
  int bits = 1;
  while ((size_t(1) << bits) < entries) ++bits;
  return bits;
}

void PutTable(std::vector<uint8_t>& out, const std::vector<uint32_t>& table) {
  const size_t count = size_t(1) << TableBits(table.size());
  for (size_t i = 0; i < count; ++i) {
    const uint32_t c = i < table.size() ? table[i] : 0;
    out.push_back(uint8_t(c >> 16));
    out.push_back(uint8_t(c >> 8));
    out.push_back(uint8_t(c));
  }
}

std::vector<uint32_t> RandomTable(std::mt19937& random, int bits) {
  std::vector<uint32_t> table(size_t(1) << bits);
  for (auto& c : table) c = random() & 0xFFFFFF;
  return table;
}

}  // namespace

std::vector<uint8_t> GIFPackCodes(std::span<const std::pair<uint32_t, int>> codes) {
  TBitWriter writer;
  for (const auto& [code, width] : codes) writer.Put(code, width);
  return writer.Finish();
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

std::vector<uint8_t> GIFEncodeLzw(std::span<const uint8_t> pixels, int minCodeSize,
                                  bool deferredClear, int leadingClears) {
  const uint32_t clear = 1u << minCodeSize, end = clear + 1;
  TBitWriter writer;
  TStringTable table;
  table.Reset();
  uint32_t nextCode = clear + 2;
  // The code width follows the decoder, which defines each entry one code later than the
  // encoder: it grows once the decoder's next free entry reaches 2^width.
  int width = minCodeSize + 1;
  uint32_t decoderNext = clear + 2;
  bool decoderFresh = true;
  auto emit = [&](uint32_t code) {
    writer.Put(code, width);
    if (code == clear) {
      width = minCodeSize + 1;
      decoderNext = clear + 2;
      decoderFresh = true;
      return;
    }
    if (!decoderFresh && decoderNext < 4096) ++decoderNext;
    decoderFresh = false;
    if (decoderNext >= (1u << width) && width < 12) ++width;
  };
  for (int i = 0; i < leadingClears; ++i) emit(clear);
  if (!pixels.empty()) {
    uint32_t prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
      const uint8_t byte = pixels[i];
      const int found = table.Find(prefix, byte);
      if (found >= 0) {
        prefix = uint32_t(found);
        continue;
      }
      emit(prefix);
      if (nextCode < 4096) {
        table.Add(prefix, byte, int(nextCode++));
      } else if (!deferredClear) {
        emit(clear);
        table.Reset();
        nextCode = clear + 2;
      }
      prefix = byte;
    }
    emit(prefix);
  }
  emit(end);
  return writer.Finish();
}

std::vector<uint8_t> GIFWrite(const TGIFTestFile& file) {
  std::vector<uint8_t> out(file.Signature, file.Signature + 6);
  Put16(out, file.Width);
  Put16(out, file.Height);
  out.push_back(file.GlobalTable.empty() ? 0 : uint8_t(0x80 | (TableBits(file.GlobalTable.size()) - 1)));
  out.push_back(0);   // background colour index
  out.push_back(0);   // pixel aspect ratio
  if (!file.GlobalTable.empty()) PutTable(out, file.GlobalTable);
  if (file.LoopCount >= 0) {
    const uint8_t netscape[] = {'!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                                3, 1};
    out.insert(out.end(), std::begin(netscape), std::end(netscape));
    Put16(out, file.LoopCount);
    out.push_back(0);
  }
  for (const TGIFTestFrame& frame : file.Frames) {
    if (frame.Control) {
      out.insert(out.end(), {'!', 0xF9, 4});
      out.push_back(uint8_t((frame.Disposal & 7) << 2 | (frame.Transparent ? 1 : 0)));
      Put16(out, frame.Delay);
      out.push_back(frame.TransparentIndex);
      out.push_back(0);
    }
    out.push_back(',');
    Put16(out, frame.Left);
    Put16(out, frame.Top);
    Put16(out, frame.Width);
    Put16(out, frame.Height);
    uint8_t packed = frame.Interlaced ? 0x40 : 0;
    if (!frame.LocalTable.empty()) packed |= uint8_t(0x80 | (TableBits(frame.LocalTable.size()) - 1));
    out.push_back(packed);
    if (!frame.LocalTable.empty()) PutTable(out, frame.LocalTable);
    std::vector<uint8_t> ordered;
    if (frame.Interlaced) {
      for (const auto& [start, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
        for (int y = start; y < frame.Height; y += step) {
          const auto row = frame.Pixels.begin() + ptrdiff_t(y) * frame.Width;
          ordered.insert(ordered.end(), row, row + frame.Width);
        }
      }
    } else {
      ordered = frame.Pixels;
    }
    out.push_back(uint8_t(frame.MinCodeSize));
    const auto codes = GIFEncodeLzw(ordered, frame.MinCodeSize, frame.DeferredClear);
    const auto blocks = GIFSubBlocks(codes);
    out.insert(out.end(), blocks.begin(), blocks.end());
  }
  if (file.Trailer) out.push_back(';');
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

TGIFTestFile GIFRandomFile(std::mt19937& random, int maxFrames, int maxSide) {
  auto uniform = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  TGIFTestFile file;
  file.Width = uniform(1, maxSide);
  file.Height = uniform(1, maxSide);
  const bool global = uniform(0, 3) != 0;
  if (global) file.GlobalTable = RandomTable(random, uniform(1, 8));
  if (uniform(0, 1)) file.LoopCount = uniform(0, 3);
  const int frames = uniform(1, maxFrames);
  for (int k = 0; k < frames; ++k) {
    TGIFTestFrame frame;
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
    frame.DeferredClear = uniform(0, 3) == 0;
    frame.Control = uniform(0, 4) != 0;
    frame.Disposal = uniform(0, 3);
    frame.Delay = uniform(0, 20);
    frame.Transparent = uniform(0, 1);
    frame.TransparentIndex = uint8_t(uniform(0, colors - 1));
    file.Frames.push_back(std::move(frame));
  }
  return file;
}
