#include "SaverSettings.h"

#include <algorithm>

#include "ScrRegistry.h"

std::string SaverDefaultFile(std::span<const uint8_t> location) {
  const auto end = std::find(location.begin(), location.end(), 0);
  const std::string text(location.begin(), end);
  const auto folderEnd = text.find_last_of("\\:");
  const std::string folder = folderEnd == std::string::npos ? "" : text.substr(0, folderEnd + 1);
  return folder + "Saver.twk";
}

void SaverReadSettings(TScrHive& hive, const std::string& defaultFile, TSaverSettings& settings) {
  TScrRegistry registry(hive, SaverSettingsKey);
  const TSaverSettings defaults;
  settings.IsReverse = registry.ScrReadBool("IsReverse", defaults.IsReverse);
  settings.IsFloat = registry.ScrReadBool("IsFloat", defaults.IsFloat);
  settings.IsRandom = registry.ScrReadBool("IsRandom", defaults.IsRandom);
  settings.ImageWidth = registry.ScrReadInteger("ImageWidth", defaults.ImageWidth);
  settings.ImageHeight = registry.ScrReadInteger("ImageHeight", defaults.ImageHeight);
  settings.CurrentFile = registry.ScrReadString("CurrentFile", defaults.CurrentFile);
  if (settings.CurrentFile.empty()) settings.CurrentFile = defaultFile;
  settings.GraphIndex = registry.ScrReadInteger("fn", defaults.GraphIndex);
}

void SaverWriteSettings(TScrHive& hive, const TSaverSettings& settings) {
  TScrRegistry registry(hive, SaverSettingsKey);
  registry.ScrWriteBool("IsReverse", settings.IsReverse);
  registry.ScrWriteBool("IsFloat", settings.IsFloat);
  registry.ScrWriteBool("IsRandom", settings.IsRandom);
  registry.ScrWriteInteger("ImageWidth", settings.ImageWidth);
  registry.ScrWriteInteger("ImageHeight", settings.ImageHeight);
  registry.ScrWriteString("CurrentFile", settings.CurrentFile);
  registry.ScrWriteInteger("fn", settings.GraphIndex);
}
