#pragma once

// giflib reading a GIF held in memory: the trusted peer the GIF decoder is compared with by
// its differential test, its fuzz target and its benchmark.
#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <span>

struct TGiflibInput {
  std::span<const uint8_t> Bytes;
  size_t Position = 0;
};

inline int GiflibReadMemory(GifFileType* gif, GifByteType* buffer, int size) {
  auto* input = static_cast<TGiflibInput*>(gif->UserData);
  const size_t count = std::min(size_t(size), input->Bytes.size() - input->Position);
  if (count == 0) return 0;  // an empty input has no data pointer to copy from
  std::memcpy(buffer, input->Bytes.data() + input->Position, count);
  input->Position += count;
  return int(count);
}

struct TGiflibClose {
  void operator()(GifFileType* gif) const {
    int error;
    DGifCloseFile(gif, &error);
  }
};
using TGiflibFile = std::unique_ptr<GifFileType, TGiflibClose>;

// Opens the GIF in `input`, which must outlive the file; null when giflib refuses it.
inline TGiflibFile GiflibOpen(TGiflibInput& input) {
  int error = 0;
  return TGiflibFile(DGifOpen(&input, GiflibReadMemory, &error));
}
