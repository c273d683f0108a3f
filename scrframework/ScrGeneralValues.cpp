#include "ScrGeneralValues.h"

#include "ScrSensitivity.h"

TScrGeneralValues ScrReadGeneralValues(TScrHive& hive) {
  TScrGeneralValues values;
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, false);
  if (!key) return values;
  std::uint32_t value;
  if (ScrHiveReadDword(*key, ScrPasswordDelayName, value)) values.passwordDelay = value;
  // Unlike the settings component, an index out of range reads as mtNormal, not as the
  // largest ordinal.
  if (ScrHiveReadDword(*key, ScrMouseThresholdIndexName, value)) {
    values.sensitivity = ScrSensitivityOfIndex(value);
  }
  ScrReadCornersValue(*key, values.corners);
  if (ScrHiveReadDword(*key, ScrMuteSoundName, value)) values.mute = value != 0;
  if (ScrHiveReadDword(*key, ScrActiveConfigName, value)) values.disableActiveConfig = value == 0;
  return values;
}

bool ScrWriteGeneralValues(TScrHive& hive, const TScrGeneralValues& values) {
  TScrSharedValues shared;
  shared.corners = values.corners;
  shared.mute = values.mute;
  shared.mouseThreshold = ScrSensitivityPixels(values.sensitivity);
  shared.mouseThresholdIndex = values.sensitivity;
  shared.passwordDelay = values.passwordDelay;
  shared.passwordDelayIndex = values.passwordDelay > 60 ? 1 : 0;
  shared.disableActiveConfig = values.disableActiveConfig;
  return ScrWriteSharedValues(hive, TScrSharedPolicy{}, shared);
}

bool ScrReadCorners(TScrHive& hive, std::array<TScrCornerMode, 4>& corners) {
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, false);
  return key && ScrReadCornersValue(*key, corners);
}

bool ScrWriteCorners(TScrHive& hive, const std::array<TScrCornerMode, 4>& corners) {
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrSaversKey, true);
  return key && ScrWriteCornersValue(*key, corners);
}
