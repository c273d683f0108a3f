#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a PNG file of 8-bit RGB pixels, or of 1-bit pixels as black and white.  Rows are top-down; a 1-bit row
// holds (width + 7) / 8 bytes, the leftmost pixel in the most significant bit, 1 = white.
// Returns false with `error` set when the file cannot be written.
bool PngWriteRgb(const std::string& fileName, int width, int height,
                 const std::vector<uint8_t>& rgbRows, std::string& error);
bool PngWriteMono(const std::string& fileName, int width, int height,
                  const std::vector<uint8_t>& bitRows, std::string& error);
