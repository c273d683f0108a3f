// Any text as the input of `twk build`.  It builds or fails with a line number; what builds,
// dumped and built again, gives the same graph set file byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "GraphText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  TGraphSet set;
  try {
    set = BuildGraphSet(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const EGraphTextError&) {
    return 0;
  }
  const std::vector<uint8_t> file = SerializeGraphSet(set);
  if (SerializeGraphSet(BuildGraphSet(DumpGraphSet(set))) != file) std::abort();
  return 0;
}
