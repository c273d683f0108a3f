#include "Scale.h"

#include <cstdint>
#include <limits>

int ToolkitScale(int value, int toDpi, int fromDpi) {
  const int64_t product = static_cast<int64_t>(value) * toDpi;
  const int64_t half = fromDpi / 2;
  const int64_t scaled = product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi;
  if (scaled > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (scaled < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(scaled);
}
