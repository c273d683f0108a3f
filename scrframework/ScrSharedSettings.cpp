#include "ScrSharedSettings.h"

#include <algorithm>

namespace {

// Four corner characters and the terminating zero.
constexpr std::size_t CornersSize = 5;

}  // namespace

bool ScrReadCornersValue(TScrHiveKey& key, std::array<TScrCornerMode, 4>& corners) {
  TScrRegistryValue stored;
  if (!key.Read(ScrMouseCornersName, CornersSize, stored) ||
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

bool ScrWriteCornersValue(TScrHiveKey& key, const std::array<TScrCornerMode, 4>& corners) {
  TScrRegistryValue stored{ScrRegSz, {}};
  for (TScrCornerMode corner : corners) {
    stored.data.push_back(corner == scmNow ? 'Y' : corner == scmNever ? 'N' : '-');
  }
  stored.data.push_back(0);
  return key.Write(ScrMouseCornersName, stored);
}

namespace {

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
  EnsureDword(*key, ScrPasswordDelayName, 30);
  EnsureDword(*key, ScrPasswordDelayIndexName, 0, 1);
  EnsureDword(*key, ScrMouseThresholdName, 100);
  EnsureDword(*key, ScrMouseThresholdIndexName, mtNormal, mtKeyboard_only);
  std::array<TScrCornerMode, 4> corners;
  if (!ScrReadCornersValue(*key, corners)) ScrWriteCornersValue(*key, {scmNormal, scmNormal, scmNormal, scmNormal});
  EnsureDword(*key, ScrMuteSoundName, 0);
  EnsureDword(*key, ScrActiveConfigName, 0);
}

bool ScrReadSharedValues(TScrHive& hive, const TScrSharedPolicy& policy, TScrSharedValues& values) {
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, false);
  if (!key) return false;
  std::uint32_t value;
  if (ScrHiveReadDword(*key, ScrPasswordDelayName, value)) values.passwordDelay = value;
  if (ScrHiveReadDword(*key, ScrPasswordDelayIndexName, value)) {
    values.passwordDelayIndex = std::min<std::uint32_t>(value, 1);
  }
  if (ScrHiveReadDword(*key, ScrMouseThresholdName, value)) values.mouseThreshold = value;
  if (ScrHiveReadDword(*key, ScrMouseThresholdIndexName, value)) {
    values.mouseThresholdIndex = std::min<std::uint32_t>(value, mtKeyboard_only);
  }
  ScrReadCornersValue(*key, values.corners);
  if (ScrHiveReadDword(*key, ScrMuteSoundName, value)) values.mute = value != 0;
  if (!policy.allowMute) values.mute = true;
  if (ScrHiveReadDword(*key, ScrActiveConfigName, value)) values.disableActiveConfig = value == 0;
  if (!policy.allowActiveConfig) values.disableActiveConfig = true;
  return true;
}

bool ScrWriteSharedValues(TScrHive& hive, const TScrSharedPolicy& policy,
                          const TScrSharedValues& values) {
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, true);
  if (!key) return false;
  ScrHiveWriteDword(*key, ScrPasswordDelayName, values.passwordDelay);
  ScrHiveWriteDword(*key, ScrPasswordDelayIndexName, values.passwordDelayIndex);
  ScrHiveWriteDword(*key, ScrMouseThresholdName, values.mouseThreshold);
  ScrHiveWriteDword(*key, ScrMouseThresholdIndexName, values.mouseThresholdIndex);
  ScrWriteCornersValue(*key, values.corners);
  if (policy.allowMute) ScrHiveWriteDword(*key, ScrMuteSoundName, values.mute ? 1 : 0);
  if (policy.allowActiveConfig) {
    ScrHiveWriteDword(*key, ScrActiveConfigName, values.disableActiveConfig ? 0 : 1);
  }
  return true;
}

TScrDismissalSettings ScrReadDismissalSettings(TScrHive& hive, const TScrSharedPolicy& policy) {
  TScrDismissalSettings settings{100, 10, true, false};
  if (std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, false)) {
    std::uint32_t value;
    settings.passwordDelay = ScrHiveReadDword(*key, ScrPasswordDelayName, value) ? value : 100;
    settings.mouseThreshold = ScrHiveReadDword(*key, ScrMouseThresholdName, value) ? value : 100;
    settings.mute = ScrHiveReadDword(*key, ScrMuteSoundName, value) ? value != 0 : true;
    settings.activeConfig = ScrHiveReadDword(*key, ScrActiveConfigName, value) && value != 0;
  }
  if (!policy.allowMute) settings.mute = true;
  if (!policy.allowActiveConfig) settings.activeConfig = false;
  return settings;
}
