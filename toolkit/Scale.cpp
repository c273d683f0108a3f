#include "Scale.h"

#include <cstdint>
#include <cstdlib>
#include <limits>

int ToolkitScale(int value, int toDpi, int fromDpi) {
  const int64_t product = static_cast<int64_t>(value) * toDpi;
  const int64_t half = fromDpi / 2;
  const int64_t scaled = product >= 0 ? (product + half) / fromDpi : (product - half) / fromDpi;
  if (scaled > std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  if (scaled < std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  return static_cast<int>(scaled);
}

int TScaledLength::Scale(int current, int fromDpi, int toDpi) {
  if (!scaled_ || current != last_) {
    origin_ = current;
    originDpi_ = fromDpi;
  }
  scaled_ = true;
  last_ = ToolkitScale(origin_, toDpi, originDpi_);
  return last_;
}

int ToolkitPictureScale(int dpi, std::initializer_list<int> percents) {
  // Compared in hundredths of a percent of the design DPI, so that 120 DPI is 125 % exactly.
  const long wanted = static_cast<long>(dpi) * 10000 / ToolkitDesignDpi;
  int best = *percents.begin();
  for (int percent : percents)
    if (std::labs(percent * 100L - wanted) < std::labs(best * 100L - wanted)) best = percent;
  return best;
}
