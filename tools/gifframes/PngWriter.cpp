#include "PngWriter.h"

#include <zlib.h>

#include <fstream>

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
  Put32(out, uint32_t(data.size()));
  const size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  // The CRC covers the chunk type and data.
  Put32(out, uint32_t(crc32(0, out.data() + start, uInt(out.size() - start))));
}

// colourType 2: RGB, 8 bits per sample; colourType 0 with depth 1: grey, 1 bit per pixel.
bool PngWrite(const std::string& fileName, int width, int height, int depth, int colourType,
              size_t rowBytes, const std::vector<uint8_t>& rows, std::string& error) {
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * size_t(height));
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);   // filter type 0: the row as it is
    raw.insert(raw.end(), rows.begin() + ptrdiff_t(rowBytes * size_t(y)),
               rows.begin() + ptrdiff_t(rowBytes * size_t(y + 1)));
  }
  uLongf packedSize = compressBound(uLong(raw.size()));
  std::vector<uint8_t> packed(packedSize);
  if (compress2(packed.data(), &packedSize, raw.data(), uLong(raw.size()), 6) != Z_OK) {
    error = fileName + ": compression failed";
    return false;
  }
  packed.resize(packedSize);

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<uint8_t> header;
  Put32(header, uint32_t(width));
  Put32(header, uint32_t(height));
  header.insert(header.end(), {uint8_t(depth), uint8_t(colourType), 0, 0, 0});
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", packed);
  PutChunk(png, "IEND", {});
  std::ofstream file(fileName, std::ios::binary);
  file.write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
  if (!file.flush()) {
    error = "cannot write " + fileName;
    return false;
  }
  return true;
}

}  // namespace

bool PngWriteRgb(const std::string& fileName, int width, int height,
                 const std::vector<uint8_t>& rgbRows, std::string& error) {
  return PngWrite(fileName, width, height, 8, 2, size_t(width) * 3, rgbRows, error);
}

bool PngWriteMono(const std::string& fileName, int width, int height,
                  const std::vector<uint8_t>& bitRows, std::string& error) {
  return PngWrite(fileName, width, height, 1, 0, (size_t(width) + 7) / 8, bitRows, error);
}
