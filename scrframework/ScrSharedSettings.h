#pragma once

#include <array>
#include <cstdint>

#include "ScrHive.h"

// The dismissal settings every saver of the framework shares, kept in one key of the
// current user beside the values Windows keeps for screen savers:
//
//   "Password Delay"         REG_DWORD  seconds before closing asks for the password
//   "Password Delay Index"   REG_DWORD  0 = the delay is shown in seconds, 1 = in minutes
//   "Mouse Threshold"        REG_DWORD  pixels the mouse may move before the saver closes
//   "Mouse Threshold Index"  REG_DWORD  ordinal of TMouseThreshold
//   "Mouse Corners"          REG_SZ     5 bytes: one character per corner (top-left,
//                                       top-right, bottom-right, bottom-left), 'Y' scmNow,
//                                       'N' scmNever, anything else scmNormal; then a zero
//   "Mute Sound"             REG_DWORD  non-zero = sound off
//   "Active Config"          REG_DWORD  non-zero = active configuration enabled
//
// A value of another type or size than listed reads as missing.
inline constexpr char ScrSaversKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
inline constexpr char ScrPasswordDelayName[] = "Password Delay";
inline constexpr char ScrPasswordDelayIndexName[] = "Password Delay Index";
inline constexpr char ScrMouseThresholdName[] = "Mouse Threshold";
inline constexpr char ScrMouseThresholdIndexName[] = "Mouse Threshold Index";
inline constexpr char ScrMouseCornersName[] = "Mouse Corners";
inline constexpr char ScrMuteSoundName[] = "Mute Sound";
inline constexpr char ScrActiveConfigName[] = "Active Config";

enum TScrCornerMode : std::uint8_t { scmNormal = 0, scmNow = 1, scmNever = 2 };
enum TMouseThreshold : std::uint8_t { mtHigh = 0, mtNormal = 1, mtLow = 2, mtKeyboard_only = 3 };

// Indexes of TScrSharedValues::corners.
enum TScrCorner : std::uint8_t { scTopLeft, scTopRight, scBottomRight, scBottomLeft };

// The values of the key as the settings component holds them; the initialisers are the
// component's defaults before it reads the registry.
struct TScrSharedValues {
  std::array<TScrCornerMode, 4> corners{scmNormal, scmNormal, scmNormal, scmNormal};
  bool mute = false;
  std::uint32_t mouseThreshold = 100;      // pixels
  std::uint32_t mouseThresholdIndex = 0;   // 0..3
  std::uint32_t passwordDelay = 100;       // seconds
  std::uint32_t passwordDelayIndex = 0;    // 0..1
  bool disableActiveConfig = false;

  bool operator==(const TScrSharedValues&) const = default;
};

// What the controller permits.  A program that forbids muting always runs muted and never
// writes "Mute Sound"; one that forbids active configuration never enables it and never
// writes "Active Config".  Without a controller both are permitted.
struct TScrSharedPolicy {
  bool allowMute = true;
  bool allowActiveConfig = true;
};

// "Mouse Corners" of an open key.  Reading gives false, corners untouched, when the value is
// missing, longer than 5 bytes or not a string.
bool ScrReadCornersValue(TScrHiveKey& key, std::array<TScrCornerMode, 4>& corners);
bool ScrWriteCornersValue(TScrHiveKey& key, const std::array<TScrCornerMode, 4>& corners);

// Fills in every missing (or unreadable) value with its start default: "Password Delay" 30,
// "Mouse Threshold" 100, "Mouse Threshold Index" 1, "Mouse Corners" "----", the others 0.
// Also repairs "Password Delay Index" above 1 (to 0) and "Mouse Threshold Index" above 3
// (to 1).  Creates the key when missing; does nothing when it cannot.
void ScrInitialiseSharedValues(TScrHive& hive);

// Reads into values each value that can be read, leaving the others as they are; indexes
// out of range are cut to their largest ordinal.  Then the policy's forcing rules apply.
// False, with values untouched, when the key cannot be opened.
bool ScrReadSharedValues(TScrHive& hive, const TScrSharedPolicy& policy, TScrSharedValues& values);

// Writes every value (muting and active configuration only when the policy permits them).
// Creates the key when missing; false when it cannot be opened.
bool ScrWriteSharedValues(TScrHive& hive, const TScrSharedPolicy& policy,
                          const TScrSharedValues& values);

// The four settings a saver form obeys while it runs.
struct TScrDismissalSettings {
  std::uint32_t passwordDelay;   // seconds
  std::uint32_t mouseThreshold;  // pixels
  bool mute;
  bool activeConfig;
};

// The saver form's reading of the key, with its own defaults: with the key missing a delay
// of 100 s, a threshold of 10 pixels, muted, no active configuration; with a value missing
// 100 s, 100 pixels, muted, no active configuration.  Then the policy's forcing rules.
TScrDismissalSettings ScrReadDismissalSettings(TScrHive& hive, const TScrSharedPolicy& policy);
