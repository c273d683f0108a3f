#include "SlideSettings.h"

namespace {

constexpr char SlideValueRandom[] = "RandomOrder";
constexpr char SlideValueFade[] = "CrossFade";
constexpr char SlideValueEnlarge[] = "EnlargeSmall";

bool SlideReadFlag(TScrHiveKey& key, const char* name) {
  std::uint32_t value = 0;
  return ScrHiveReadDword(key, name, value) && value != 0;
}

}  // namespace

std::string SlideSettingsKey(const std::string& modulePath) {
  const auto element = modulePath.find_last_of("\\/:");
  std::string name = element == std::string::npos ? modulePath : modulePath.substr(element + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return std::string(SlideSettingsRoot) + "\\" + name;
}

TSlideSettings SlideReadSettings(TScrHive& hive, const std::string& key) {
  TSlideSettings settings;
  const auto opened = hive.Open(key, false);
  if (!opened) return settings;
  settings.RandomOrder = SlideReadFlag(*opened, SlideValueRandom);
  settings.CrossFade = SlideReadFlag(*opened, SlideValueFade);
  settings.EnlargeSmall = SlideReadFlag(*opened, SlideValueEnlarge);
  return settings;
}

bool SlideWriteSettings(TScrHive& hive, const std::string& key, const TSlideSettings& settings) {
  const auto opened = hive.Open(key, true);
  if (!opened) return false;
  bool written = ScrHiveWriteDword(*opened, SlideValueRandom, settings.RandomOrder ? 1 : 0);
  written = ScrHiveWriteDword(*opened, SlideValueFade, settings.CrossFade ? 1 : 0) && written;
  written = ScrHiveWriteDword(*opened, SlideValueEnlarge, settings.EnlargeSmall ? 1 : 0) && written;
  return written;
}
