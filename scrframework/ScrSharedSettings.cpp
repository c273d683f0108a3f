#include "ScrSharedSettings.h"

#include <algorithm>

namespace {

constexpr char PasswordDelayName[] = "Password Delay";
constexpr char PasswordDelayIndexName[] = "Password Delay Index";
constexpr char MouseThresholdName[] = "Mouse Threshold";
constexpr char MouseThresholdIndexName[] = "Mouse Threshold Index";
constexpr char MouseCornersName[] = "Mouse Corners";
constexpr char MuteSoundName[] = "Mute Sound";
constexpr char ActiveConfigName[] = "Active Config";

// Four corner characters and the terminating zero.
constexpr std::size_t CornersSize = 5;

bool ReadCorners(TScrHiveKey& key, std::array<TScrCornerMode, 4>& corners) {
  TScrRegistryValue stored;
  if (!key.Read(MouseCornersName, CornersSize, stored) ||
      (stored.type != ScrRegSz && stored.type != ScrRegExpandSz)) {
    return false;
  }
  // A shorter string leaves the remaining corners at scmNormal, as its zero would.
  for (std::size_t i = 0; i < corners.size(); ++i) {
    char c = i < stored.data.size() ? static_cast<char>(stored.data[i]) : '\0';
    corners[i] = c == 'Y' ? scmNow : c == 'N' ? scmNever : scmNormal;
  }
  return true;
}

bool WriteCorners(TScrHiveKey& key, const std::array<TScrCornerMode, 4>& corners) {
  TScrRegistryValue stored{ScrRegSz, {}};
  for (TScrCornerMode corner : corners) {
    stored.data.push_back(corner == scmNow ? 'Y' : corner == scmNever ? 'N' : '-');
  }
  stored.data.push_back(0);
  return key.Write(MouseCornersName, stored);
}

void EnsureDword(TScrHiveKey& key, const char* name, std::uint32_t fallback,
                 std::uint32_t largest = UINT32_MAX) {
  std::uint32_t value;
  if (!ScrHiveReadDword(key, name, value) || value > largest) {
    ScrHiveWriteDword(key, name, fallback);
  }
}

}  // namespace

void ScrInitialiseSharedValues(TScrHive& hive) {
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, true);
  if (!key) return;
  EnsureDword(*key, PasswordDelayName, 30);
  EnsureDword(*key, PasswordDelayIndexName, 0, 1);
  EnsureDword(*key, MouseThresholdName, 100);
  EnsureDword(*key, MouseThresholdIndexName, mtNormal, mtKeyboard_only);
  std::array<TScrCornerMode, 4> corners;
  if (!ReadCorners(*key, corners)) WriteCorners(*key, {scmNormal, scmNormal, scmNormal, scmNormal});
  EnsureDword(*key, MuteSoundName, 0);
  EnsureDword(*key, ActiveConfigName, 0);
}

bool ScrReadSharedValues(TScrHive& hive, const TScrSharedPolicy& policy, TScrSharedValues& values) {
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, false);
  if (!key) return false;
  std::uint32_t value;
  if (ScrHiveReadDword(*key, PasswordDelayName, value)) values.passwordDelay = value;
  if (ScrHiveReadDword(*key, PasswordDelayIndexName, value)) {
    values.passwordDelayIndex = std::min<std::uint32_t>(value, 1);
  }
  if (ScrHiveReadDword(*key, MouseThresholdName, value)) values.mouseThreshold = value;
  if (ScrHiveReadDword(*key, MouseThresholdIndexName, value)) {
    values.mouseThresholdIndex = std::min<std::uint32_t>(value, mtKeyboard_only);
  }
  ReadCorners(*key, values.corners);
  if (ScrHiveReadDword(*key, MuteSoundName, value)) values.mute = value != 0;
  if (!policy.allowMute) values.mute = true;
  if (ScrHiveReadDword(*key, ActiveConfigName, value)) values.disableActiveConfig = value == 0;
  if (!policy.allowActiveConfig) values.disableActiveConfig = true;
  return true;
}

bool ScrWriteSharedValues(TScrHive& hive, const TScrSharedPolicy& policy,
                          const TScrSharedValues& values) {
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, true);
  if (!key) return false;
  ScrHiveWriteDword(*key, PasswordDelayName, values.passwordDelay);
  ScrHiveWriteDword(*key, PasswordDelayIndexName, values.passwordDelayIndex);
  ScrHiveWriteDword(*key, MouseThresholdName, values.mouseThreshold);
  ScrHiveWriteDword(*key, MouseThresholdIndexName, values.mouseThresholdIndex);
  WriteCorners(*key, values.corners);
  if (policy.allowMute) ScrHiveWriteDword(*key, MuteSoundName, values.mute ? 1 : 0);
  if (policy.allowActiveConfig) {
    ScrHiveWriteDword(*key, ActiveConfigName, values.disableActiveConfig ? 0 : 1);
  }
  return true;
}

TScrDismissalSettings ScrReadDismissalSettings(TScrHive& hive, const TScrSharedPolicy& policy) {
  TScrDismissalSettings settings{100, 10, true, false};
  if (std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, false)) {
    std::uint32_t value;
    settings.passwordDelay = ScrHiveReadDword(*key, PasswordDelayName, value) ? value : 100;
    settings.mouseThreshold = ScrHiveReadDword(*key, MouseThresholdName, value) ? value : 100;
    settings.mute = ScrHiveReadDword(*key, MuteSoundName, value) ? value != 0 : true;
    settings.activeConfig = ScrHiveReadDword(*key, ActiveConfigName, value) && value != 0;
  }
  if (!policy.allowMute) settings.mute = true;
  if (!policy.allowActiveConfig) settings.activeConfig = false;
  return settings;
}
