#include "GIFLzwEncoder.h"

#include <array>
#include <stdexcept>
#include <string>

namespace {

constexpr uint32_t MaxCodes = 4096;  // 12-bit codes: the format's limit

class TBitPacker {
public:
  explicit TBitPacker(size_t expectedBytes) { bytes_.reserve(expectedBytes); }
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
    return std::move(bytes_);
  }

private:
  std::vector<uint8_t> bytes_;
  uint64_t buffer_ = 0;
  int count_ = 0;
};

// The encoder's string table: (prefix code, next index) → code.  Open addressing in twice as
// many slots as there are codes keeps the probe sequences short.
class TStringTable {
public:
  TStringTable() { Reset(); }
  void Reset() { keys_.fill(Empty); }
  // The code of the string prefix + index, or -1.
  int Find(uint32_t prefix, uint8_t index) const {
    const uint32_t key = Key(prefix, index);
    for (uint32_t slot = Hash(key);; slot = (slot + 1) & (Slots - 1)) {
      if (keys_[slot] == key) return codes_[slot];
      if (keys_[slot] == Empty) return -1;
    }
  }
  void Add(uint32_t prefix, uint8_t index, uint32_t code) {
    const uint32_t key = Key(prefix, index);
    uint32_t slot = Hash(key);
    while (keys_[slot] != Empty) slot = (slot + 1) & (Slots - 1);
    keys_[slot] = key;
    codes_[slot] = uint16_t(code);
  }

private:
  static constexpr uint32_t Slots = 2 * MaxCodes;
  static constexpr uint32_t Empty = 0xFFFFFFFF;
  static uint32_t Key(uint32_t prefix, uint8_t index) { return prefix << 8 | index; }
  static uint32_t Hash(uint32_t key) { return (key * 2654435761u) >> 19 & (Slots - 1); }
  std::array<uint32_t, Slots> keys_;
  std::array<uint16_t, Slots> codes_;
};

}  // namespace

std::vector<uint8_t> GIFLzwEncode(std::span<const uint8_t> pixels, int minCodeSize,
                                  TGIFFullTable fullTable) {
  if (minCodeSize < 2 || minCodeSize > 8) {
    throw std::invalid_argument("GIF LZW: minimum code size " + std::to_string(minCodeSize) +
                                " is outside 2 to 8");
  }
  const uint32_t clear = 1u << minCodeSize, end = clear + 1;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (pixels[i] >= clear) {
      throw std::invalid_argument("GIF LZW: pixel " + std::to_string(i) + " holds index " +
                                  std::to_string(pixels[i]) + ", not below 2^" +
                                  std::to_string(minCodeSize));
    }
  }

  TBitPacker packer(pixels.size() / 2 + 16);
  TStringTable table;
  uint32_t nextCode = clear + 2;
  // The decoder defines each entry one code later than the encoder, so the width follows its
  // count: it grows once the decoder's next free entry reaches 2^width.
  int width = minCodeSize + 1;
  uint32_t decoderNext = clear + 2;
  bool decoderFresh = true;  // after a clear code the decoder's first code adds no entry
  auto emit = [&](uint32_t code) {
    packer.Put(code, width);
    if (code == clear) {
      width = minCodeSize + 1;
      decoderNext = clear + 2;
      decoderFresh = true;
      return;
    }
    if (!decoderFresh && decoderNext < MaxCodes) ++decoderNext;
    decoderFresh = false;
    if (decoderNext >= (1u << width) && width < 12) ++width;
  };

  emit(clear);
  if (!pixels.empty()) {
    uint32_t prefix = pixels[0];
    for (size_t i = 1; i < pixels.size(); ++i) {
      const uint8_t index = pixels[i];
      const int found = table.Find(prefix, index);
      if (found >= 0) {
        prefix = uint32_t(found);
        continue;
      }
      emit(prefix);
      if (nextCode < MaxCodes) {
        table.Add(prefix, index, nextCode++);
      } else if (fullTable == gcClearWhenFull) {
        emit(clear);
        table.Reset();
        nextCode = clear + 2;
      }
      prefix = index;
    }
    emit(prefix);
  }
  emit(end);
  return packer.Finish();
}
