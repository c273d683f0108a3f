#pragma once

// Pieces of hand-written GIF files for the fixtures of the GIF tests: each helper writes one
// block of the format with its fields spelled out.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "GIFTestFiles.h"

using TBytes = std::vector<uint8_t>;

inline TBytes Cat(std::initializer_list<TBytes> parts) {
  TBytes all;
  for (const TBytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// "GIF87a" or "GIF89a".
inline TBytes Header(const char* version) { return TBytes(version, version + 6); }

// Logical screen descriptor: width, height (little-endian), packed byte (bit 7: global table
// follows, bits 0-2: n for 2^(n+1) entries), background index, aspect ratio.  The table has
// the grey levels 0x000000, 0x010101, 0x020202, …, so colour i is i × 0x010101.
inline TBytes Screen(int width, int height, int tableBits = 0) {
  TBytes b = {uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8),
              uint8_t(tableBits ? 0x80 | (tableBits - 1) : 0), 0, 0};
  for (int i = 0; i < (tableBits ? 1 << tableBits : 0); ++i) {
    for (int channel = 0; channel < 3; ++channel) b.push_back(uint8_t(i));
  }
  return b;
}

// Graphic control extension: "!", label 0xF9, block size 4, packed byte (bits 2-4 disposal,
// bit 0 transparent), delay in 1/100 s, transparent index, terminator.
inline TBytes Control(int disposal, int delay, bool transparent = false, int index = 0) {
  return {'!', 0xF9, 4, uint8_t(disposal << 2 | (transparent ? 1 : 0)), uint8_t(delay),
          uint8_t(delay >> 8), uint8_t(index), 0};
}

// Application extension "NETSCAPE2.0" with the sub-block 1, loop count (little-endian).
inline TBytes Netscape(int loops) {
  return {'!', 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
          3, 1, uint8_t(loops), uint8_t(loops >> 8), 0};
}

// Image descriptor: ",", left, top, width, height (little-endian), packed byte (bit 7 local
// table, bit 6 interlaced, bits 0-2 table size).
inline TBytes Image(int left, int top, int width, int height, uint8_t packed = 0) {
  return {',', uint8_t(left), uint8_t(left >> 8), uint8_t(top), uint8_t(top >> 8),
          uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8), packed};
}

// Image data with code size 2 (clear 4, end 5, codes 3 bits wide) that sends a clear code
// before every pixel: each pixel is then the first code after a clear, which defines no table
// entry, so the codes never widen and each pixel is simply its index (0 to 3).
inline TBytes Pixels2(std::initializer_list<int> pixels) {
  std::vector<std::pair<uint32_t, int>> codes;
  for (const int p : pixels) {
    codes.push_back({4, 3});
    codes.push_back({uint32_t(p), 3});
  }
  codes.push_back({5, 3});
  const TBytes packed = GIFPackCodes(codes);
  TBytes b = {2};   // LZW code size
  const TBytes blocks = GIFSubBlocks(packed);
  b.insert(b.end(), blocks.begin(), blocks.end());
  return b;
}

inline const TBytes Trailer = {';'};
