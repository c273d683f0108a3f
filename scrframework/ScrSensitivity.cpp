#include "ScrSensitivity.h"

std::uint32_t ScrSensitivityPixels(std::uint32_t ordinal) {
  switch (ordinal) {
    case mtHigh: return 0;
    case mtLow: return 400;
    case mtKeyboard_only: return 999999;
    default: return 200;
  }
}

TMouseThreshold ScrSensitivityOfIndex(std::int64_t index) {
  switch (index) {
    case 0: return mtHigh;
    case 2: return mtLow;
    case 3: return mtKeyboard_only;
    default: return mtNormal;
  }
}

TMouseThreshold ScrSensitivityOfPixels(std::uint32_t pixels) {
  // The ranges alone would put 200 (mtNormal's own value) under mtHigh and 400 under mtNormal.
  for (std::uint32_t ordinal = mtHigh; ordinal <= mtKeyboard_only; ++ordinal) {
    if (ScrSensitivityPixels(ordinal) == pixels) return static_cast<TMouseThreshold>(ordinal);
  }
  if (pixels <= 200) return mtHigh;
  if (pixels <= 400) return mtNormal;
  if (pixels <= 5000) return mtLow;
  return mtKeyboard_only;
}
