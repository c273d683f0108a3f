#include "ScrSharedSettings.h"

#include <gtest/gtest.h>

#include <string>

#include "MemoryHive.h"

namespace {

using namespace std::string_literals;

const std::string Key = "Software\\Microsoft\\Windows\\CurrentVersion\\Screen Savers";
const TScrSharedPolicy AllowAll{true, true};
const TScrSharedPolicy AllowNone{false, false};

TScrRegistryValue TwoBytes(std::uint8_t low) { return {ScrRegDword, {low, 0}}; }

TEST(ScrSharedSettings, InitialiseCreatesTheMissingKeyWithTheStartDefaults) {
  TMemoryHive hive;
  ScrInitialiseSharedValues(hive);
  const TMemoryHive::TValues expected = {
      {"Password Delay", Dword(30)},
      {"Password Delay Index", Dword(0)},
      {"Mouse Threshold", Dword(100)},
      {"Mouse Threshold Index", Dword(1)},
      {"Mouse Corners", Sz("----\0"s)},
      {"Mute Sound", Dword(0)},
      {"Active Config", Dword(0)},
  };
  EXPECT_EQ(hive.keys[Key], expected);
}

TEST(ScrSharedSettings, InitialiseKeepsGoodValuesAndRepairsTheOthers) {
  struct Case {
    const char* name;
    TScrRegistryValue before;
    TScrRegistryValue after;
  };
  const Case cases[] = {
      {"Password Delay", Dword(5), Dword(5)},
      {"Password Delay", Sz("5\0"s), Dword(30)},             // wrong type reads as missing
      {"Password Delay Index", Dword(1), Dword(1)},
      {"Password Delay Index", Dword(7), Dword(0)},          // above 1: back to seconds
      {"Mouse Threshold", Dword(0), Dword(0)},
      {"Mouse Threshold Index", Dword(3), Dword(3)},
      {"Mouse Threshold Index", Dword(4), Dword(1)},         // above 3: mtNormal
      {"Mouse Threshold Index", TwoBytes(1), Dword(1)},           // too short
      {"Mouse Corners", Sz("YN-x\0"s), Sz("YN-x\0"s)},
      {"Mouse Corners", Sz("YNYNY\0"s), Sz("----\0"s)},     // longer than 5 bytes
      {"Mouse Corners", Dword(0x2D2D2D2D), Sz("----\0"s)},   // not a string
      {"Mute Sound", Dword(1), Dword(1)},
      {"Active Config", Dword(9), Dword(9)},
  };
  for (const Case& c : cases) {
    TMemoryHive hive;
    hive.keys[Key][c.name] = c.before;
    ScrInitialiseSharedValues(hive);
    EXPECT_EQ(hive.keys[Key][c.name], c.after) << c.name;
    EXPECT_EQ(hive.keys[Key].size(), 7u) << c.name;
  }
}

TEST(ScrSharedSettings, ReadTakesEachReadableValueAndKeepsTheRest) {
  struct Case {
    const char* what;
    TMemoryHive::TValues stored;
    TScrSharedPolicy policy;
    TScrSharedValues expected;
  };
  TScrSharedValues defaults;
  auto with = [&](auto change) {
    TScrSharedValues v = defaults;
    change(v);
    return v;
  };
  const Case cases[] = {
      {"empty key keeps everything", {}, AllowAll, defaults},
      {"corners Y N - x",
       {{"Mouse Corners", Sz("YN-x\0"s)}},
       AllowAll,
       with([](auto& v) { v.corners = {scmNow, scmNever, scmNormal, scmNormal}; })},
      {"short corner string",
       {{"Mouse Corners", Sz("NY\0"s)}},
       AllowAll,
       with([](auto& v) { v.corners = {scmNever, scmNow, scmNormal, scmNormal}; })},
      {"indexes cut to their largest ordinal",
       {{"Password Delay Index", Dword(7)}, {"Mouse Threshold Index", Dword(9)}},
       AllowAll,
       with([](auto& v) { v.passwordDelayIndex = 1; v.mouseThresholdIndex = 3; })},
      {"numbers as stored",
       {{"Password Delay", Dword(45)}, {"Mouse Threshold", Dword(400)},
        {"Mouse Threshold Index", Dword(2)}, {"Password Delay Index", Dword(0)}},
       AllowAll,
       with([](auto& v) { v.passwordDelay = 45; v.mouseThreshold = 400; v.mouseThresholdIndex = 2; })},
      {"mute and active configuration as stored",
       {{"Mute Sound", Dword(1)}, {"Active Config", Dword(0)}},
       AllowAll,
       with([](auto& v) { v.mute = true; v.disableActiveConfig = true; })},
      {"a forbidding controller forces them even when stored otherwise",
       {{"Mute Sound", Dword(0)}, {"Active Config", Dword(1)}},
       AllowNone,
       with([](auto& v) { v.mute = true; v.disableActiveConfig = true; })},
      {"a value of the wrong type is missing",
       {{"Password Delay", Sz("45\0"s)}},
       AllowAll,
       defaults},
  };
  for (const Case& c : cases) {
    TMemoryHive hive;
    hive.keys[Key] = c.stored;
    TScrSharedValues values;
    EXPECT_TRUE(ScrReadSharedValues(hive, c.policy, values)) << c.what;
    EXPECT_EQ(values, c.expected) << c.what;
  }
}

TEST(ScrSharedSettings, AnIndexRepairedAtStartAndOneWrittenLater) {
  TMemoryHive hive;
  hive.keys[Key]["Password Delay Index"] = Dword(7);
  ScrInitialiseSharedValues(hive);
  TScrSharedValues values;
  ScrReadSharedValues(hive, AllowAll, values);
  EXPECT_EQ(values.passwordDelayIndex, 0u);

  hive.keys[Key]["Password Delay Index"] = Dword(7);
  ScrReadSharedValues(hive, AllowAll, values);
  EXPECT_EQ(values.passwordDelayIndex, 1u);
}

TEST(ScrSharedSettings, WriteRoundTripsAndLeavesForbiddenValuesAlone) {
  TScrSharedValues written;
  written.corners = {scmNever, scmNormal, scmNow, scmNever};
  written.mute = true;
  written.mouseThreshold = 999999;
  written.mouseThresholdIndex = 3;
  written.passwordDelay = 120;
  written.passwordDelayIndex = 1;
  written.disableActiveConfig = false;

  TMemoryHive hive;
  ASSERT_TRUE(ScrWriteSharedValues(hive, AllowAll, written));
  EXPECT_EQ(hive.keys[Key]["Mouse Corners"], Sz("N-YN\0"s));
  EXPECT_EQ(hive.keys[Key]["Mute Sound"], Dword(1));
  EXPECT_EQ(hive.keys[Key]["Active Config"], Dword(1));
  TScrSharedValues read;
  ASSERT_TRUE(ScrReadSharedValues(hive, AllowAll, read));
  EXPECT_EQ(read, written);

  TMemoryHive forbidding;
  forbidding.keys[Key]["Mute Sound"] = Dword(0);
  ASSERT_TRUE(ScrWriteSharedValues(forbidding, AllowNone, written));
  EXPECT_EQ(forbidding.keys[Key]["Mute Sound"], Dword(0));
  EXPECT_EQ(forbidding.keys[Key].count("Active Config"), 0u);
  EXPECT_EQ(forbidding.keys[Key].size(), 6u);
}

TEST(ScrSharedSettings, AnUnopenableKeyChangesNothing) {
  TMemoryHive hive;
  hive.openFails = true;
  ScrInitialiseSharedValues(hive);
  TScrSharedValues values;
  values.passwordDelay = 7;
  TScrSharedValues before = values;
  EXPECT_FALSE(ScrReadSharedValues(hive, AllowNone, values));
  EXPECT_EQ(values, before);  // not even the forcing rules: nothing was read
  EXPECT_FALSE(ScrWriteSharedValues(hive, AllowAll, values));
  EXPECT_TRUE(hive.keys.empty());

  TMemoryHive missing;  // reading never creates the key
  EXPECT_FALSE(ScrReadSharedValues(missing, AllowAll, values));
  EXPECT_TRUE(missing.keys.empty());
}

TEST(ScrSharedSettings, DismissalSettingsOfTheSaverForm) {
  struct Case {
    const char* what;
    bool keyExists;
    TMemoryHive::TValues stored;
    TScrSharedPolicy policy;
    std::uint32_t delay, threshold;
    bool mute, activeConfig;
  };
  const Case cases[] = {
      {"key missing", false, {}, AllowAll, 100, 10, true, false},
      {"values missing", true, {}, AllowAll, 100, 100, true, false},
      {"values stored", true,
       {{"Password Delay", Dword(30)}, {"Mouse Threshold", Dword(0)},
        {"Mute Sound", Dword(0)}, {"Active Config", Dword(2)}},
       AllowAll, 30, 0, false, true},
      {"forbidding controller", true,
       {{"Mute Sound", Dword(0)}, {"Active Config", Dword(1)}},
       AllowNone, 100, 100, true, false},
  };
  for (const Case& c : cases) {
    TMemoryHive hive;
    if (c.keyExists) hive.keys[Key] = c.stored;
    TScrDismissalSettings s = ScrReadDismissalSettings(hive, c.policy);
    EXPECT_EQ(s.passwordDelay, c.delay) << c.what;
    EXPECT_EQ(s.mouseThreshold, c.threshold) << c.what;
    EXPECT_EQ(s.mute, c.mute) << c.what;
    EXPECT_EQ(s.activeConfig, c.activeConfig) << c.what;
  }
}

}  // namespace
