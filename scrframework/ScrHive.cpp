#include "ScrHive.h"

bool ScrHiveReadDword(TScrHiveKey& key, const std::string& name, std::uint32_t& value) {
  TScrRegistryValue stored;
  if (!key.Read(name, 4, stored) || stored.type != ScrRegDword || stored.data.size() != 4) {
    return false;
  }
  value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | stored.data[i];
  return true;
}

bool ScrHiveWriteDword(TScrHiveKey& key, const std::string& name, std::uint32_t value) {
  TScrRegistryValue stored{ScrRegDword, {}};
  for (int i = 0; i < 4; ++i) stored.data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  return key.Write(name, stored);
}
