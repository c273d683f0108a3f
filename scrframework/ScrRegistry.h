#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "ScrExport.h"
#include "ScrHive.h"

// Days since 30 December 1899, the fraction being the time of day.
using TDateTime = double;
// A fixed-point amount: the value times 10000 (four decimals).
using TCurrency = std::int64_t;

// Typed access to one key of a hive, for a saver's own settings.  Each read returns the
// stored value, or, when the value is missing or stored in another form (type or size),
// writes the default under that name and returns the default, so the key fills itself in
// as the saver runs.  Writes that the registry refuses are ignored: settings never stop a
// saver.
//
// Storage: integers REG_DWORD; bools REG_DWORD 0 or 1; strings REG_SZ (REG_EXPAND_SZ is
// read too, unexpanded); floats, currency, dates and times 8 bytes of REG_BINARY (the
// little-endian double, or the 64-bit currency integer); binary data REG_BINARY.
class SCRKIT_API TScrRegistry {
public:
  // hive must outlive the object.  path is relative to the hive's root.
  TScrRegistry(TScrHive& hive, std::string path);

  // Opens the key, creating it when missing; false when it cannot be opened.  Reads and
  // writes open it themselves when it is not open yet.
  bool ScrOpenKey();

  // Copies the stored bytes into buffer (size bytes) and returns how many there were.  A
  // value that is missing, not REG_BINARY or larger than size is replaced by the size bytes
  // at defaults, which are then copied into buffer; the result is size.
  std::size_t ScrReadBinaryData(const std::string& name, void* buffer, std::size_t size,
                                const void* defaults);
  void ScrWriteBinaryData(const std::string& name, const void* buffer, std::size_t size);

  bool ScrReadBool(const std::string& name, bool fallback);
  void ScrWriteBool(const std::string& name, bool value);
  TCurrency ScrReadCurrency(const std::string& name, TCurrency fallback);
  void ScrWriteCurrency(const std::string& name, TCurrency value);
  TDateTime ScrReadDate(const std::string& name, TDateTime fallback);
  void ScrWriteDate(const std::string& name, TDateTime value);
  void ScrWriteDateTime(const std::string& name, TDateTime value);
  double ScrReadFloat(const std::string& name, double fallback);
  void ScrWriteFloat(const std::string& name, double value);
  std::int32_t ScrReadInteger(const std::string& name, std::int32_t fallback);
  void ScrWriteInteger(const std::string& name, std::int32_t value);
  std::string ScrReadString(const std::string& name, const std::string& fallback);
  void ScrWriteString(const std::string& name, const std::string& value);
  TDateTime ScrReadTime(const std::string& name, TDateTime fallback);
  void ScrWriteTime(const std::string& name, TDateTime value);

private:
  bool Read(const std::string& name, std::size_t maxSize, TScrRegistryValue& value);
  void Write(const std::string& name, const TScrRegistryValue& value);
  // Eight bytes of REG_BINARY, or the default written and returned.
  std::uint64_t ReadEightBytes(const std::string& name, std::uint64_t fallback);
  void WriteEightBytes(const std::string& name, std::uint64_t bits);

  TScrHive& hive_;
  std::string path_;
  std::unique_ptr<TScrHiveKey> key_;
};
