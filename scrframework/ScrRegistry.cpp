#include "ScrRegistry.h"

#include <algorithm>
#include <bit>
#include <cstring>

TScrRegistry::TScrRegistry(TScrHive& hive, std::string path)
    : hive_(hive), path_(std::move(path)) {}

bool TScrRegistry::ScrOpenKey() {
  if (!key_) key_ = hive_.Open(path_, true);
  return key_ != nullptr;
}

bool TScrRegistry::Read(const std::string& name, std::size_t maxSize, TScrRegistryValue& value) {
  return ScrOpenKey() && key_->Read(name, maxSize, value);
}

void TScrRegistry::Write(const std::string& name, const TScrRegistryValue& value) {
  if (ScrOpenKey()) key_->Write(name, value);
}

std::size_t TScrRegistry::ScrReadBinaryData(const std::string& name, void* buffer,
                                            std::size_t size, const void* defaults) {
  TScrRegistryValue stored;
  if (Read(name, size, stored) && stored.type == ScrRegBinary) {
    std::copy(stored.data.begin(), stored.data.end(), static_cast<std::uint8_t*>(buffer));
    return stored.data.size();
  }
  ScrWriteBinaryData(name, defaults, size);
  if (size) std::memcpy(buffer, defaults, size);
  return size;
}

void TScrRegistry::ScrWriteBinaryData(const std::string& name, const void* buffer,
                                      std::size_t size) {
  const auto* bytes = static_cast<const std::uint8_t*>(buffer);
  Write(name, {ScrRegBinary, std::vector<std::uint8_t>(bytes, bytes + size)});
}

std::int32_t TScrRegistry::ScrReadInteger(const std::string& name, std::int32_t fallback) {
  std::uint32_t value;
  if (ScrOpenKey() && ScrHiveReadDword(*key_, name, value)) {
    return static_cast<std::int32_t>(value);
  }
  ScrWriteInteger(name, fallback);
  return fallback;
}

void TScrRegistry::ScrWriteInteger(const std::string& name, std::int32_t value) {
  if (ScrOpenKey()) ScrHiveWriteDword(*key_, name, static_cast<std::uint32_t>(value));
}

bool TScrRegistry::ScrReadBool(const std::string& name, bool fallback) {
  return ScrReadInteger(name, fallback ? 1 : 0) != 0;
}

void TScrRegistry::ScrWriteBool(const std::string& name, bool value) {
  ScrWriteInteger(name, value ? 1 : 0);
}

std::string TScrRegistry::ScrReadString(const std::string& name, const std::string& fallback) {
  TScrRegistryValue stored;
  if (Read(name, SIZE_MAX, stored) && (stored.type == ScrRegSz || stored.type == ScrRegExpandSz)) {
    // The text ends at its first zero; a value stored without one ends with its data.
    auto end = std::find(stored.data.begin(), stored.data.end(), 0);
    return std::string(stored.data.begin(), end);
  }
  ScrWriteString(name, fallback);
  return fallback;
}

void TScrRegistry::ScrWriteString(const std::string& name, const std::string& value) {
  TScrRegistryValue stored{ScrRegSz, std::vector<std::uint8_t>(value.begin(), value.end())};
  stored.data.push_back(0);
  Write(name, stored);
}

std::uint64_t TScrRegistry::ReadEightBytes(const std::string& name, std::uint64_t fallback) {
  TScrRegistryValue stored;
  if (Read(name, 8, stored) && stored.type == ScrRegBinary && stored.data.size() == 8) {
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = bits << 8 | stored.data[i];
    return bits;
  }
  WriteEightBytes(name, fallback);
  return fallback;
}

void TScrRegistry::WriteEightBytes(const std::string& name, std::uint64_t bits) {
  TScrRegistryValue stored{ScrRegBinary, {}};
  for (int i = 0; i < 8; ++i) stored.data.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
  Write(name, stored);
}

double TScrRegistry::ScrReadFloat(const std::string& name, double fallback) {
  return std::bit_cast<double>(ReadEightBytes(name, std::bit_cast<std::uint64_t>(fallback)));
}

void TScrRegistry::ScrWriteFloat(const std::string& name, double value) {
  WriteEightBytes(name, std::bit_cast<std::uint64_t>(value));
}

TCurrency TScrRegistry::ScrReadCurrency(const std::string& name, TCurrency fallback) {
  return static_cast<TCurrency>(ReadEightBytes(name, static_cast<std::uint64_t>(fallback)));
}

void TScrRegistry::ScrWriteCurrency(const std::string& name, TCurrency value) {
  WriteEightBytes(name, static_cast<std::uint64_t>(value));
}

// Dates and times are stored as the float they are.
TDateTime TScrRegistry::ScrReadDate(const std::string& name, TDateTime fallback) {
  return ScrReadFloat(name, fallback);
}
void TScrRegistry::ScrWriteDate(const std::string& name, TDateTime value) { ScrWriteFloat(name, value); }
void TScrRegistry::ScrWriteDateTime(const std::string& name, TDateTime value) {
  ScrWriteFloat(name, value);
}
TDateTime TScrRegistry::ScrReadTime(const std::string& name, TDateTime fallback) {
  return ScrReadFloat(name, fallback);
}
void TScrRegistry::ScrWriteTime(const std::string& name, TDateTime value) { ScrWriteFloat(name, value); }
