// The options of each saver in the registry.
#include <gtest/gtest.h>

#include "MemoryHive.h"
#include "SlideSettings.h"

TEST(SlideSettings, KeptPerSaverAndNothingWrittenByReading) {
  EXPECT_EQ(SlideSettingsKey("C:\\WINDOWS\\Vacanze.scr"), std::string(SlideSettingsRoot) + "\\Vacanze");
  EXPECT_EQ(SlideSettingsKey("C:\\Foto.2024\\Mare"), std::string(SlideSettingsRoot) + "\\Mare");
  EXPECT_EQ(SlideSettingsKey("D:Natale.v2.scr"), std::string(SlideSettingsRoot) + "\\Natale.v2");

  TMemoryHive hive;
  const std::string vacanze = SlideSettingsKey("C:\\WINDOWS\\Vacanze.scr");
  const std::string natale = SlideSettingsKey("C:\\WINDOWS\\Natale.scr");
  // Never set up: as the saver always played, and the registry left as it was.
  EXPECT_EQ(SlideReadSettings(hive, vacanze), TSlideSettings{});
  EXPECT_TRUE(hive.keys.empty());

  ASSERT_TRUE(SlideWriteSettings(hive, vacanze, {true, false, true}));
  ASSERT_TRUE(SlideWriteSettings(hive, natale, {false, true, false}));
  EXPECT_EQ(SlideReadSettings(hive, vacanze), (TSlideSettings{true, false, true}));
  EXPECT_EQ(SlideReadSettings(hive, natale), (TSlideSettings{false, true, false}));
  EXPECT_EQ(hive.keys[vacanze]["RandomOrder"].type, ScrRegDword);

  // A value of another type or size is off, not a misread number.
  hive.keys[vacanze]["CrossFade"] = {ScrRegSz, {'1', 0}};
  hive.keys[vacanze]["EnlargeSmall"] = {ScrRegDword, {1, 0}};
  EXPECT_EQ(SlideReadSettings(hive, vacanze), (TSlideSettings{true, false, false}));

  hive.writesFail = true;
  EXPECT_FALSE(SlideWriteSettings(hive, vacanze, {}));
  hive.openFails = true;
  EXPECT_FALSE(SlideWriteSettings(hive, vacanze, {}));
  EXPECT_EQ(SlideReadSettings(hive, vacanze), TSlideSettings{});
}
