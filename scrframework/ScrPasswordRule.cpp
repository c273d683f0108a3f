#include "ScrPasswordRule.h"

#include <algorithm>

bool ScrTestRequirePassword(TRequirePassword policy, bool windowsNt, std::uint32_t elapsedMs,
                            std::uint32_t delaySeconds, TScrHive& hive,
                            const std::function<void(const char* line)>& trace) {
  if (policy == rpAlways) return true;
  if (policy == rpNever || windowsNt) return false;
  trace("NeedPassword? Checking the timer");
  // 64 bits: a delay of more than 49 days in milliseconds does not fit 32.
  if (elapsedMs < static_cast<std::uint64_t>(delaySeconds) * 1000) {
    trace("Nope, we're within the delay.");
    return false;
  }
  trace("NeedPassword?: checking the registry");
  std::unique_ptr<TScrHiveKey> key = hive.Open(ScrDesktopKey, false);
  if (!key) {
    trace("NeedPassword: could not get screensaver reg. key. Aborting");
    return false;
  }
  TScrRegistryValue value;
  if (!key->Read("ScreenSaveUsePassword", 4, value)) {
    trace("NeedPassword: failed to get 'usepw' value from registry. Aborting");
    return false;
  }
  if (std::any_of(value.data.begin(), value.data.end(), [](std::uint8_t b) { return b != 0; })) {
    trace("NeedPassword: yes, we do need the password");
    return true;
  }
  trace("NeedPassword: no, we don't need the password");
  return false;
}
