#pragma once

#include <cstdint>

#include "ScrSharedSettings.h"

// The mouse sensitivity of the general panel's list ("High", "Normal", "Low", "Ignore mouse
// movement") and the thresholds in pixels the saver form obeys for each.

// The pixel threshold of a sensitivity: mtHigh 0, mtNormal 200, mtLow 400, mtKeyboard_only
// 999999 (beyond ScrMouseIgnored, so the mouse never closes the saver); any other ordinal 200.
std::uint32_t ScrSensitivityPixels(std::uint32_t ordinal);

// The sensitivity a list index or a stored "Mouse Threshold Index" stands for: 0 mtHigh,
// 2 mtLow, 3 mtKeyboard_only, anything else (no selection, out of range) mtNormal.
TMouseThreshold ScrSensitivityOfIndex(std::int64_t index);

// The sensitivity shown for a threshold in pixels that comes without its index.  The pixel
// value of a sensitivity shows that sensitivity, so that a threshold the panel itself wrote
// comes back as it was chosen; any other value by range: up to 200 pixels mtHigh, 201 to 400
// mtNormal, 401 to 5000 mtLow, above 5000 mtKeyboard_only.
TMouseThreshold ScrSensitivityOfPixels(std::uint32_t pixels);
