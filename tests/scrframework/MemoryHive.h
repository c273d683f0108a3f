#pragma once

#include <map>
#include <memory>
#include <string>

#include "ScrHive.h"

// A registry hive in memory for the settings tests.  Keys are created on demand like the
// real registry's; openFails makes every open fail (a key the user may not open), and
// writesFail makes the registry refuse every write.
class TMemoryHive : public TScrHive {
public:
  using TValues = std::map<std::string, TScrRegistryValue>;

  std::map<std::string, TValues> keys;
  bool openFails = false;
  bool writesFail = false;

  std::unique_ptr<TScrHiveKey> Open(const std::string& path, bool create) override {
    if (openFails) return nullptr;
    auto found = keys.find(path);
    if (found == keys.end()) {
      if (!create) return nullptr;
      found = keys.emplace(path, TValues{}).first;
    }
    return std::make_unique<TKey>(*this, found->second);
  }

private:
  class TKey : public TScrHiveKey {
  public:
    TKey(TMemoryHive& hive, TValues& values) : hive_(hive), values_(values) {}
    bool Read(const std::string& name, std::size_t maxSize, TScrRegistryValue& value) override {
      auto found = values_.find(name);
      if (found == values_.end() || found->second.data.size() > maxSize) return false;
      value = found->second;
      return true;
    }
    bool Write(const std::string& name, const TScrRegistryValue& value) override {
      if (hive_.writesFail) return false;
      values_[name] = value;
      return true;
    }

  private:
    TMemoryHive& hive_;
    TValues& values_;
  };
};

// Value builders for test tables.
inline TScrRegistryValue Dword(std::uint32_t v) {
  return {ScrRegDword, {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                        static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)}};
}
// A REG_SZ of exactly the given bytes (add the terminating zero yourself).
inline TScrRegistryValue Sz(const std::string& bytes) {
  return {ScrRegSz, std::vector<std::uint8_t>(bytes.begin(), bytes.end())};
}
inline bool operator==(const TScrRegistryValue& a, const TScrRegistryValue& b) {
  return a.type == b.type && a.data == b.data;
}
