#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// Ends the metafile recorded in `dc` (from CreateMetaFileA, drawn in width × height units)
// and returns it as a placeable .wmf file at 96 units per inch: the key, no handle, the
// bounding box, the units per inch, a reserved word and the checksum, then the records.
inline std::vector<uint8_t> PlaceableMetafileBytes(HDC dc, int width, int height) {
  HMETAFILE metafile = CloseMetaFile(dc);
  std::vector<uint8_t> records(GetMetaFileBitsEx(metafile, 0, nullptr));
  GetMetaFileBitsEx(metafile, UINT(records.size()), records.data());
  DeleteMetaFile(metafile);
  std::vector<uint8_t> wmf;
  auto put = [&wmf](uint32_t value, int size) {
    for (int i = 0; i < size; ++i) wmf.push_back(uint8_t(value >> (8 * i)));
  };
  put(0x9AC6CDD7, 4);
  for (unsigned word : {0u, 0u, 0u, unsigned(width), unsigned(height), 96u}) put(word, 2);
  put(0, 4);
  unsigned checksum = 0;
  for (size_t n = 0; n < wmf.size(); n += 2) checksum ^= unsigned(wmf[n] | wmf[n + 1] << 8);
  put(checksum, 2);
  wmf.insert(wmf.end(), records.begin(), records.end());
  return wmf;
}
