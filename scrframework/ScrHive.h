#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The registry as the framework's settings code sees it: a hive of keys addressed by path,
// each key holding typed values.  The settings rules are written against this interface so
// that they run on any platform; the program uses the current user's hive of Windows
// (ScrCurrentUserHive), the tests an in-memory hive.

// Value types, numbered as the registry numbers them.
inline constexpr std::uint32_t ScrRegSz = 1;
inline constexpr std::uint32_t ScrRegExpandSz = 2;
inline constexpr std::uint32_t ScrRegBinary = 3;
inline constexpr std::uint32_t ScrRegDword = 4;

struct TScrRegistryValue {
  std::uint32_t type = 0;
  std::vector<std::uint8_t> data;  // the stored bytes, a string's terminating zero included
};

// One open key; closed when the object goes.
class TScrHiveKey {
public:
  virtual ~TScrHiveKey() = default;
  // Reads the value called name into value.  False, with value unspecified, when the value
  // is missing or holds more than maxSize bytes.
  virtual bool Read(const std::string& name, std::size_t maxSize, TScrRegistryValue& value) = 0;
  // Creates or replaces the value called name; false when the registry refuses.
  virtual bool Write(const std::string& name, const TScrRegistryValue& value) = 0;
};

class TScrHive {
public:
  virtual ~TScrHive() = default;
  // Opens the key at path (backslash-separated, relative to the hive's root), creating it
  // and its missing parents when create is set.  Null when that fails.
  virtual std::unique_ptr<TScrHiveKey> Open(const std::string& path, bool create) = 0;
};

// A REG_DWORD value of exactly four bytes, little-endian as the registry stores it.  False
// for anything else, so that a value of another type never reads as a number.
bool ScrHiveReadDword(TScrHiveKey& key, const std::string& name, std::uint32_t& value);
bool ScrHiveWriteDword(TScrHiveKey& key, const std::string& name, std::uint32_t value);
