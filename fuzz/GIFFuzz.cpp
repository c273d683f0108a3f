// libFuzzer target: any bytes are loaded as the control loads them and, when they load, every
// frame is composed (GIFFuzzPlay).
#include <cstddef>
#include <cstdint>

#include "GIFFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  GIFFuzzPlay({data, size});
  return 0;
}
