#pragma once

#include <cstdint>
#include <initializer_list>
#include <random>
#include <span>
#include <utility>
#include <vector>

#include "GIFWriter.h"

// GIF files for the tests, benchmarks and fuzzing seeds, so that every sample is made here.
// The files themselves come from the writer component (GIFWriter.h), which shares no code
// with the decoder.

// Packs codes least significant bit first; each pair is (code, width in bits).  For byte
// fixtures whose LZW data is written out code by code.
std::vector<uint8_t> GIFPackCodes(std::span<const std::pair<uint32_t, int>> codes);
inline std::vector<uint8_t> GIFPackCodes(std::initializer_list<std::pair<uint32_t, int>> codes) {
  return GIFPackCodes(std::span(codes.begin(), codes.size()));
}

// Splits data into sub-blocks of at most `blockSize` bytes and adds the terminator.
std::vector<uint8_t> GIFSubBlocks(std::span<const uint8_t> data, size_t blockSize = 255);

// A random but valid file: 1 to `maxFrames` frames inside a screen of at most maxSide ×
// maxSide, code sizes 2 to 8, local and global tables, interlacing, transparency, every
// disposal, both ways of going on with a full LZW table, noisy and smooth pixels.
TGIFFileSpec GIFRandomFile(std::mt19937& random, int maxFrames = 6, int maxSide = 96);

// Smooth, compressible pixels: diagonal bands of `colors` values with some noise.
std::vector<uint8_t> GIFTestPattern(int width, int height, int colors, uint32_t seed);
