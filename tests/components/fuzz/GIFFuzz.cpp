// libFuzzer target: any bytes are loaded, and a loaded picture is played through twice with
// every frame drawn and disposed of, then every frame is shown through CurrentFrame.  Built
// with AddressSanitizer and UndefinedBehaviorSanitizer by `make fuzz-gif`.
#include <cstddef>
#include <cstdint>

#include "GIFAnimation.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGIFAnimation gif;
  // A smaller bitmap bound than the control's keeps each run fast; the bound's own checks are
  // the same code.
  gif.LoadOptions.MaxBitmapBytes = 16 << 20;
  if (!gif.LoadFromBytes({data, size})) return 0;
  gif.SetLoop(true);
  gif.SetAnimate(true);
  for (int tick = 0; tick <= 2 * gif.FrameCount(); ++tick) gif.Timer();
  for (int k = gif.FrameCount(); k >= 0; --k) gif.SetCurrentFrame(k);
  gif.SetAnimate(false);
  return 0;
}
