#pragma once

#include <array>
#include <cstdint>

#include "ScrSharedSettings.h"

// What the general panel shows, as it reads and writes the shared screen-saver key.
struct TScrGeneralValues {
  std::uint32_t passwordDelay = 100;  // seconds
  TMouseThreshold sensitivity = mtNormal;
  std::array<TScrCornerMode, 4> corners{scmNormal, scmNormal, scmNormal, scmNormal};
  bool mute = false;
  bool disableActiveConfig = false;

  bool operator==(const TScrGeneralValues&) const = default;
};

// The panel's reading of the key.  A key that cannot be opened gives the defaults above (a
// delay of 100 s, mtNormal, every corner scmNormal, sound on, active configuration not
// disabled); so does each missing value: "Password Delay" 100, "Mouse Threshold Index" mapped
// by ScrSensitivityOfIndex, "Mouse Corners" all scmNormal, "Mute Sound" off, "Active Config"
// not disabled (disabled exactly when the stored value is 0).
TScrGeneralValues ScrReadGeneralValues(TScrHive& hive);

// Writes all seven values with the types of the key: "Password Delay" (seconds), "Password
// Delay Index" (1 above 60 seconds, the delay then shows in minutes), "Mouse Threshold" (the
// sensitivity's pixels), "Mouse Threshold Index", "Mouse Corners", "Mute Sound" and "Active
// Config".  Unlike the settings component, the panel has no policy of its own to apply: a
// panel used without a controller still saves what its boxes show.  Creates the key when
// missing; false when it cannot be opened.
bool ScrWriteGeneralValues(TScrHive& hive, const TScrGeneralValues& values);

// "Mouse Corners" alone, for the monitor picture: false, corners untouched, when the key or
// the value is missing or unreadable.
bool ScrReadCorners(TScrHive& hive, std::array<TScrCornerMode, 4>& corners);
// Creates the key when missing; false when it cannot be opened or the write is refused.
bool ScrWriteCorners(TScrHive& hive, const std::array<TScrCornerMode, 4>& corners);
