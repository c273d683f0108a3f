#pragma once

#include <cstdint>
#include <initializer_list>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

// Writes GIF files for the tests, benchmarks and fuzzing seeds, so that every sample is made
// here.  Independent of the decoder: it shares no code with components/.

// Packs codes least significant bit first; each pair is (code, width in bits).  For byte
// fixtures whose LZW data is written out code by code.
std::vector<uint8_t> GIFPackCodes(std::span<const std::pair<uint32_t, int>> codes);
inline std::vector<uint8_t> GIFPackCodes(std::initializer_list<std::pair<uint32_t, int>> codes) {
  return GIFPackCodes(std::span(codes.begin(), codes.size()));
}

// Splits data into sub-blocks of at most `blockSize` bytes and adds the terminator.
std::vector<uint8_t> GIFSubBlocks(std::span<const uint8_t> data, size_t blockSize = 255);

// LZW-compresses pixels (each below 2^minCodeSize).  Starts with `leadingClears` clear codes.
// When the table is full it sends a clear code, or with `deferredClear` goes on with the full
// table, as some encoders do.
std::vector<uint8_t> GIFEncodeLzw(std::span<const uint8_t> pixels, int minCodeSize,
                                  bool deferredClear = false, int leadingClears = 1);

struct TGIFTestFrame {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  std::vector<uint8_t> Pixels;          // Width × Height indices, top row first
  std::vector<uint32_t> LocalTable;     // 0x00RRGGBB colours; empty: no local table
  bool Interlaced = false;
  bool Control = false;                 // write a graphic control extension
  int Disposal = 0;                     // 0 to 7 as written in the file
  int Delay = 0;                        // hundredths of a second
  bool Transparent = false;
  uint8_t TransparentIndex = 0;
  int MinCodeSize = 8;
  bool DeferredClear = false;
};

struct TGIFTestFile {
  const char* Signature = "GIF89a";
  int Width = 0, Height = 0;
  std::vector<uint32_t> GlobalTable;    // empty: no global table
  int LoopCount = -1;                   // NETSCAPE 2.0 loop count; -1: no such block
  std::vector<TGIFTestFrame> Frames;
  bool Trailer = true;
};

std::vector<uint8_t> GIFWrite(const TGIFTestFile& file);

// A random but valid file: 1 to `maxFrames` frames inside a screen of at most maxSide ×
// maxSide, code sizes 2 to 8, local and global tables, interlacing, transparency, every
// disposal, noisy and smooth pixels.
TGIFTestFile GIFRandomFile(std::mt19937& random, int maxFrames = 6, int maxSide = 96);

// Smooth, compressible pixels: diagonal bands of `colors` values with some noise.
std::vector<uint8_t> GIFTestPattern(int width, int height, int colors, uint32_t seed);
