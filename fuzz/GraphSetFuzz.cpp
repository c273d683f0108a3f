// Any file loads without crashing, writes back byte for byte, and every document it holds
// survives being evaluated.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "FloatError.h"
#include "GraphSet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  TGraphSet set = ParseGraphSet(bytes);
  const std::vector<uint8_t> written = SerializeGraphSet(set);
  if (written.size() != size || !std::equal(written.begin(), written.end(), data)) std::abort();
  for (int i = 0; i < set.Count(); ++i) {
    try {
      set.Doc(i).EvaluateAt(0.5);
      set.Doc(i).ViewDependsOnT();
    } catch (const EFloatError&) {
      // a count of 0 and the like reach the caller by design
    }
  }
  return 0;
}
