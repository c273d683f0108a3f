// libFuzzer target: every input is decoded by our decoder and by giflib, and any difference the
// rules of GIFGiflibDiff.cpp do not explain stops the run with the difference named and the
// input kept as a crash file.  Native only (the system's giflib).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "GIFFuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string difference = GIFGiflibDiff({data, size});
  if (!difference.empty()) {
    std::fprintf(stderr, "gif_giflib_fuzz: our decoder and giflib differ: %s\n",
                 difference.c_str());
    std::abort();
  }
  return 0;
}
