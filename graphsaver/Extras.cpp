#include "Extras.h"

#include <windows.h>

#include <vector>

#include "Abort.h"
#include "RegistryKey.h"
#include "ScrControl.h"
#include "ScrCurrentUserHive.h"
#include "ScrDebug.h"
#include "ScrSettings.h"

namespace {
// The registry keeps a string value below 1 MB; a longer one is no install path.
constexpr DWORD LocationLimit = 1 << 20;
}  // namespace

std::string ExtrasSiblingLocation() {
  TRegistryKey key;
  if (!key.Create(HKEY_LOCAL_MACHINE, SaverSiblingKey, KEY_QUERY_VALUE)) return {};
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(key.Get(), SaverSiblingValue, nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ) || size == 0 || size > LocationLimit) {
    return {};
  }
  std::vector<BYTE> bytes(size);
  if (RegQueryValueExA(key.Get(), SaverSiblingValue, nullptr, &type, bytes.data(), &size) !=
      ERROR_SUCCESS) {
    return {};  // changed meanwhile: as good as missing
  }
  bytes.resize(size);
  return std::string(bytes.begin(), bytes.end());
}

void TExtras::ReadRegistry() {
  const std::string location = ExtrasSiblingLocation();
  const auto* bytes = reinterpret_cast<const uint8_t*>(location.data());
  SaverReadSettings(ScrCurrentUserHive(), SaverDefaultFile({bytes, location.size()}), *this);
}

void TExtras::WriteRegistry() { SaverWriteSettings(ScrCurrentUserHive(), *this); }

TExtras& ExtrasOf(TScrSettings& settings) {
  auto* extras = dynamic_cast<TExtras*>(settings.GetExtras());
  if (!extras) {
    ScrDebug(tlErr, "The settings component " + settings.Name() +
                        " holds extra settings of another saver, not the graph saver's.");
    ScrTerminate();
    throw EAbort();
  }
  return *extras;
}
