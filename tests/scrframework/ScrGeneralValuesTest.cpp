#include "ScrGeneralValues.h"

#include <gtest/gtest.h>

#include <string>

#include "MemoryHive.h"

namespace {

using namespace std::string_literals;

const std::string Key = ScrSaversKey;

TEST(ScrGeneralValues, ReadGivesTheDefaultsForWhatIsMissing) {
  const TScrGeneralValues defaults;
  TMemoryHive hive;
  EXPECT_EQ(ScrReadGeneralValues(hive), defaults) << "no key";
  hive.openFails = true;
  EXPECT_EQ(ScrReadGeneralValues(hive), defaults) << "a key that cannot be opened";
  hive.openFails = false;
  hive.keys[Key] = {};
  EXPECT_EQ(ScrReadGeneralValues(hive), defaults) << "an empty key";
  EXPECT_EQ(defaults.passwordDelay, 100u);
  EXPECT_EQ(defaults.sensitivity, mtNormal);
}

TEST(ScrGeneralValues, ReadMapsEachStoredValue) {
  auto with = [](auto change) {
    TScrGeneralValues v;
    change(v);
    return v;
  };
  const struct {
    const char* what;
    TMemoryHive::TValues stored;
    TScrGeneralValues expected;
  } rows[] = {
      {"delay", {{"Password Delay", Dword(90)}}, with([](auto& v) { v.passwordDelay = 90; })},
      {"index 0", {{"Mouse Threshold Index", Dword(0)}}, with([](auto& v) { v.sensitivity = mtHigh; })},
      {"index 2", {{"Mouse Threshold Index", Dword(2)}}, with([](auto& v) { v.sensitivity = mtLow; })},
      {"index 3", {{"Mouse Threshold Index", Dword(3)}},
       with([](auto& v) { v.sensitivity = mtKeyboard_only; })},
      {"index 7 is not cut to 3", {{"Mouse Threshold Index", Dword(7)}}, TScrGeneralValues{}},
      {"the pixel threshold is not looked at", {{"Mouse Threshold", Dword(0)}}, TScrGeneralValues{}},
      {"corners", {{"Mouse Corners", Sz("Y-N-\0"s)}},
       with([](auto& v) { v.corners = {scmNow, scmNormal, scmNever, scmNormal}; })},
      {"mute", {{"Mute Sound", Dword(5)}}, with([](auto& v) { v.mute = true; })},
      {"active configuration off", {{"Active Config", Dword(0)}},
       with([](auto& v) { v.disableActiveConfig = true; })},
      {"active configuration on", {{"Active Config", Dword(1)}}, TScrGeneralValues{}},
  };
  for (const auto& row : rows) {
    TMemoryHive hive;
    hive.keys[Key] = row.stored;
    EXPECT_EQ(ScrReadGeneralValues(hive), row.expected) << row.what;
  }
}

TEST(ScrGeneralValues, WriteStoresEveryValueWithItsType) {
  TScrGeneralValues values;
  values.passwordDelay = 61;
  values.sensitivity = mtNormal;
  values.corners = {scmNever, scmNow, scmNormal, scmNormal};
  values.mute = true;
  values.disableActiveConfig = true;
  TMemoryHive hive;
  ASSERT_TRUE(ScrWriteGeneralValues(hive, values));
  const TMemoryHive::TValues expected = {
      {"Password Delay", Dword(61)},
      {"Password Delay Index", Dword(1)},  // above 60 s: shown in minutes
      {"Mouse Threshold", Dword(200)},
      {"Mouse Threshold Index", Dword(1)},
      {"Mouse Corners", Sz("NY--\0"s)},
      {"Mute Sound", Dword(1)},
      {"Active Config", Dword(0)},
  };
  EXPECT_EQ(hive.keys[Key], expected);
  EXPECT_EQ(ScrReadGeneralValues(hive), values) << "round trip";

  values.passwordDelay = 60;
  ScrWriteGeneralValues(hive, values);
  EXPECT_EQ(hive.keys[Key]["Password Delay Index"], Dword(0)) << "60 s is shown in seconds";
}

// The panel writes what its boxes show whatever the controller permits (only the settings
// component skips values by policy): a panel without a controller, whose active-configuration
// box is hidden by default, still saves "Active Config".
TEST(ScrGeneralValues, WriteStoresMuteAndActiveConfigAlways) {
  TMemoryHive hive;
  hive.keys[Key] = {{"Mute Sound", Dword(0)}, {"Active Config", Dword(0)}};
  TScrGeneralValues values;
  values.mute = true;
  values.disableActiveConfig = false;
  ASSERT_TRUE(ScrWriteGeneralValues(hive, values));
  EXPECT_EQ(hive.keys[Key]["Mute Sound"], Dword(1));
  EXPECT_EQ(hive.keys[Key]["Active Config"], Dword(1));
  EXPECT_EQ(hive.keys[Key].size(), 7u);

  hive.openFails = true;
  EXPECT_FALSE(ScrWriteGeneralValues(hive, values));
}

TEST(ScrGeneralValues, CornersAlone) {
  TMemoryHive hive;
  std::array<TScrCornerMode, 4> corners{scmNow, scmNow, scmNow, scmNow};
  EXPECT_FALSE(ScrReadCorners(hive, corners)) << "no key";
  hive.keys[Key] = {};
  EXPECT_FALSE(ScrReadCorners(hive, corners)) << "no value";
  EXPECT_EQ(corners[0], scmNow) << "left as they were";
  ASSERT_TRUE(ScrWriteCorners(hive, {scmNormal, scmNever, scmNow, scmNormal}));
  EXPECT_EQ(hive.keys[Key], (TMemoryHive::TValues{{"Mouse Corners", Sz("-NY-\0"s)}}));
  ASSERT_TRUE(ScrReadCorners(hive, corners));
  EXPECT_EQ(corners, (std::array<TScrCornerMode, 4>{scmNormal, scmNever, scmNow, scmNormal}));
  hive.writesFail = true;
  EXPECT_FALSE(ScrWriteCorners(hive, corners));
}

}  // namespace
