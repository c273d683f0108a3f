#include "SaverSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryHive.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(SaverSettings, DefaultFileIsSaverTwkInTheSiblingsFolder) {
  const std::string longFolder = "C:\\" + std::string(300, 'a') + "\\";
  const struct {
    std::string location;
    std::string file;
  } rows[] = {
      {std::string("C:\\Apps\\Graph\\graph.exe\0", 24), "C:\\Apps\\Graph\\Saver.twk"},
      {"C:\\Apps\\Graph\\graph.exe", "C:\\Apps\\Graph\\Saver.twk"},  // stored without its zero
      {"", "Saver.twk"},                                             // no install record
      {"graph.exe", "Saver.twk"},
      {"D:graph.exe", "D:Saver.twk"},
      {"C:\\Apps\\", "C:\\Apps\\Saver.twk"},
      // The text ends at its first zero, whatever follows.
      {std::string("C:\\A\\g.exe\0D:\\B\\x", 17), "C:\\A\\Saver.twk"},
      // Longer than any fixed buffer would hold: the whole folder, not a cut-off one.
      {longFolder + "graph.exe", longFolder + "Saver.twk"},
  };
  for (const auto& row : rows) {
    const auto bytes = Bytes(row.location);
    EXPECT_EQ(SaverDefaultFile(bytes), row.file) << row.location;
  }
}

TEST(SaverSettings, MissingValuesReadAsDefaultsAndFillTheKeyIn) {
  TMemoryHive hive;
  TSaverSettings settings;
  settings.IsFloat = false;
  settings.ImageWidth = 7;
  SaverReadSettings(hive, "C:\\Apps\\Graph\\Saver.twk", settings);
  EXPECT_FALSE(settings.IsReverse);
  EXPECT_TRUE(settings.IsFloat);
  EXPECT_FALSE(settings.IsRandom);
  EXPECT_EQ(settings.ImageWidth, 200);
  EXPECT_EQ(settings.ImageHeight, 200);
  EXPECT_EQ(settings.CurrentFile, "C:\\Apps\\Graph\\Saver.twk");
  EXPECT_EQ(settings.GraphIndex, 0);
  const auto& key = hive.keys.at(SaverSettingsKey);
  EXPECT_EQ(key.at("IsFloat").data, Dword(1).data);
  EXPECT_EQ(key.at("ImageHeight").data, Dword(200).data);
  EXPECT_EQ(key.at("fn").data, Dword(0).data);
  // The stored file stays empty, so that a later install of the sibling moves the default.
  EXPECT_EQ(key.at("CurrentFile").data, std::vector<uint8_t>{0});
}

TEST(SaverSettings, WrittenValuesReadBackInTheirOrder) {
  // A hive that notes the order of the writes.
  class TOrderHive : public TMemoryHive {
  public:
    std::vector<std::string> written;
    std::unique_ptr<TScrHiveKey> Open(const std::string& path, bool create) override {
      auto key = TMemoryHive::Open(path, create);
      if (!key) return nullptr;
      class TKey : public TScrHiveKey {
      public:
        TKey(std::unique_ptr<TScrHiveKey> inner, std::vector<std::string>& log)
            : inner_(std::move(inner)), log_(log) {}
        bool Read(const std::string& n, std::size_t m, TScrRegistryValue& v) override {
          return inner_->Read(n, m, v);
        }
        bool Write(const std::string& n, const TScrRegistryValue& v) override {
          log_.push_back(n);
          return inner_->Write(n, v);
        }

      private:
        std::unique_ptr<TScrHiveKey> inner_;
        std::vector<std::string>& log_;
      };
      return std::make_unique<TKey>(std::move(key), written);
    }
  } hive;
  TSaverSettings settings;
  settings.IsReverse = true;
  settings.IsFloat = false;
  settings.IsRandom = true;
  settings.ImageWidth = 300;
  settings.ImageHeight = 250;
  settings.CurrentFile = "Z:\\graphs\\Set.twk";
  settings.GraphIndex = -1;
  SaverWriteSettings(hive, settings);
  EXPECT_EQ(hive.written, (std::vector<std::string>{"IsReverse", "IsFloat", "IsRandom", "ImageWidth",
                                                    "ImageHeight", "CurrentFile", "fn"}));
  EXPECT_EQ(hive.keys.at(SaverSettingsKey).at("fn").data, Dword(0xFFFFFFFF).data);
  hive.written.clear();
  TSaverSettings read;
  SaverReadSettings(hive, "unused", read);
  EXPECT_TRUE(hive.written.empty()) << "every value was there";
  EXPECT_TRUE(read.IsReverse);
  EXPECT_FALSE(read.IsFloat);
  EXPECT_TRUE(read.IsRandom);
  EXPECT_EQ(read.ImageWidth, 300);
  EXPECT_EQ(read.ImageHeight, 250);
  EXPECT_EQ(read.CurrentFile, "Z:\\graphs\\Set.twk");
  EXPECT_EQ(read.GraphIndex, -1);
}

TEST(SaverSettings, MistypedValuesAndAClosedKeyGiveDefaults) {
  TMemoryHive hive;
  hive.keys[SaverSettingsKey]["ImageWidth"] = Sz(std::string("640\0", 4));
  hive.keys[SaverSettingsKey]["CurrentFile"] = Dword(5);
  TSaverSettings settings;
  SaverReadSettings(hive, "Saver.twk", settings);
  EXPECT_EQ(settings.ImageWidth, 200);
  EXPECT_EQ(settings.CurrentFile, "Saver.twk");
  EXPECT_EQ(hive.keys[SaverSettingsKey]["ImageWidth"].data, Dword(200).data) << "repaired";

  TMemoryHive closed;
  closed.openFails = true;
  TSaverSettings fromClosed;
  fromClosed.ImageHeight = 9;
  SaverReadSettings(closed, "Saver.twk", fromClosed);
  EXPECT_EQ(fromClosed.ImageHeight, 200);
  EXPECT_EQ(fromClosed.CurrentFile, "Saver.twk");
}

}  // namespace
