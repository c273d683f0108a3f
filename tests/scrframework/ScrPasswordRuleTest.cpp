#include "ScrPasswordRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryHive.h"

namespace {

using namespace std::string_literals;
using Lines = std::vector<std::string>;

const Lines Timer = {"NeedPassword? Checking the timer"};
const Lines Registry = {"NeedPassword? Checking the timer", "NeedPassword?: checking the registry"};

Lines operator+(Lines a, const char* line) {
  a.push_back(line);
  return a;
}

TEST(ScrPasswordRule, WhenClosingNeedsThePassword) {
  enum Desktop { noKey, noValue, off, on, onAsText };
  struct Case {
    const char* what;
    TRequirePassword policy;
    bool nt;
    std::uint32_t elapsedMs, delaySeconds;
    Desktop desktop;
    bool required;
    Lines trace;
  };
  const Case cases[] = {
      {"always, even on NT", rpAlways, true, 0, 30, off, true, {}},
      {"never", rpNever, false, 999999, 0, on, false, {}},
      {"normal on NT: Windows asks itself", rpNormal, true, 999999, 0, on, false, {}},
      {"within the delay", rpNormal, false, 29999, 30, on, false,
       Timer + "Nope, we're within the delay."},
      {"the delay just over", rpNormal, false, 30000, 30, on, true,
       Registry + "NeedPassword: yes, we do need the password"},
      {"a delay beyond 32 bits of milliseconds", rpNormal, false, 0xFFFFFFFF, 4300000, on, false,
       Timer + "Nope, we're within the delay."},
      {"password off", rpNormal, false, 0, 0, off, false,
       Registry + "NeedPassword: no, we don't need the password"},
      {"password on, stored as text", rpNormal, false, 0, 0, onAsText, true,
       Registry + "NeedPassword: yes, we do need the password"},
      {"no desktop key", rpNormal, false, 0, 0, noKey, false,
       Registry + "NeedPassword: could not get screensaver reg. key. Aborting"},
      {"no value", rpNormal, false, 0, 0, noValue, false,
       Registry + "NeedPassword: failed to get 'usepw' value from registry. Aborting"},
  };
  for (const Case& c : cases) {
    TMemoryHive hive;
    auto& desktop = hive.keys["Control Panel\\Desktop"];
    if (c.desktop == noKey) hive.keys.clear();
    if (c.desktop == off) desktop["ScreenSaveUsePassword"] = Dword(0);
    if (c.desktop == on) desktop["ScreenSaveUsePassword"] = Dword(1);
    if (c.desktop == onAsText) desktop["ScreenSaveUsePassword"] = Sz("1\0"s);
    Lines trace;
    bool required = ScrTestRequirePassword(c.policy, c.nt, c.elapsedMs, c.delaySeconds, hive,
                                           [&](const char* line) { trace.push_back(line); });
    EXPECT_EQ(required, c.required) << c.what;
    EXPECT_EQ(trace, c.trace) << c.what;
  }
}

}  // namespace
