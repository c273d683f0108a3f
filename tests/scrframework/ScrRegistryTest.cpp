#include "ScrRegistry.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>

#include "MemoryHive.h"

namespace {

using namespace std::string_literals;

const std::string Key = "Software\\Quorvel\\Test";

TScrRegistryValue Binary(std::vector<std::uint8_t> bytes) { return {ScrRegBinary, std::move(bytes)}; }

// The storage of each type, by bytes written down by hand.
TEST(ScrRegistry, WritesEachTypeInItsRegistryForm) {
  TMemoryHive hive;
  TScrRegistry reg(hive, Key);
  reg.ScrWriteInteger("int", -2);
  reg.ScrWriteBool("bool", true);
  reg.ScrWriteString("str", "ab");
  reg.ScrWriteFloat("float", 1.0);
  reg.ScrWriteCurrency("cur", 12345);  // 1.2345
  reg.ScrWriteDate("date", 2.0);       // 1 January 1900
  reg.ScrWriteTime("time", 0.5);       // noon
  reg.ScrWriteDateTime("dt", -1.0);
  const std::uint8_t raw[] = {9, 0, 8};
  reg.ScrWriteBinaryData("bin", raw, sizeof raw);

  const TMemoryHive::TValues expected = {
      {"int", Dword(0xFFFFFFFE)},
      {"bool", Dword(1)},
      {"str", Sz("ab\0"s)},
      {"float", Binary({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
      {"cur", Binary({0x39, 0x30, 0, 0, 0, 0, 0, 0})},
      {"date", Binary({0, 0, 0, 0, 0, 0, 0, 0x40})},
      {"time", Binary({0, 0, 0, 0, 0, 0, 0xE0, 0x3F})},
      {"dt", Binary({0, 0, 0, 0, 0, 0, 0xF0, 0xBF})},
      {"bin", Binary({9, 0, 8})},
  };
  EXPECT_EQ(hive.keys[Key], expected);
}

TEST(ScrRegistry, ReadsWhatWasWritten) {
  TMemoryHive hive;
  {
    TScrRegistry reg(hive, Key);
    reg.ScrWriteInteger("int", -123456);
    reg.ScrWriteBool("bool", false);
    reg.ScrWriteString("str", "C:\\Graphs\\Showcase.twk");
    reg.ScrWriteFloat("float", -0.1);
    reg.ScrWriteCurrency("cur", -922337203685477580);
    reg.ScrWriteDate("date", 46000.0);
    reg.ScrWriteTime("time", 0.75);
  }
  TScrRegistry reg(hive, Key);
  EXPECT_EQ(reg.ScrReadInteger("int", 0), -123456);
  EXPECT_EQ(reg.ScrReadBool("bool", true), false);
  EXPECT_EQ(reg.ScrReadString("str", ""), "C:\\Graphs\\Showcase.twk");
  EXPECT_EQ(reg.ScrReadFloat("float", 0), -0.1);
  EXPECT_EQ(reg.ScrReadCurrency("cur", 0), -922337203685477580);
  EXPECT_EQ(reg.ScrReadDate("date", 0), 46000.0);
  EXPECT_EQ(reg.ScrReadTime("time", 0), 0.75);
  EXPECT_EQ(hive.keys[Key].size(), 7u);  // no read wrote anything
}

// A read that fails returns its default and stores it, so the key fills itself in.
TEST(ScrRegistry, AFailedReadStoresAndReturnsTheDefault) {
  struct Case {
    const char* what;
    TScrRegistryValue stored;  // type 0: the value is missing
    std::function<void(TScrRegistry&)> read;
    TScrRegistryValue after;
  };
  const Case cases[] = {
      {"missing integer", {}, [](auto& r) { EXPECT_EQ(r.ScrReadInteger("v", 640), 640); }, Dword(640)},
      {"integer stored as text", Sz("640\0"s),
       [](auto& r) { EXPECT_EQ(r.ScrReadInteger("v", 7), 7); }, Dword(7)},
      {"bool stored as binary", Binary({1}),
       [](auto& r) { EXPECT_EQ(r.ScrReadBool("v", true), true); }, Dword(1)},
      {"bool of any non-zero number", Dword(2),
       [](auto& r) { EXPECT_EQ(r.ScrReadBool("v", false), true); }, Dword(2)},
      {"missing string", {}, [](auto& r) { EXPECT_EQ(r.ScrReadString("v", "x"), "x"); }, Sz("x\0"s)},
      {"string stored as number", Dword(5),
       [](auto& r) { EXPECT_EQ(r.ScrReadString("v", ""), ""); }, Sz("\0"s)},
      {"string without its zero", Sz("abc"),
       [](auto& r) { EXPECT_EQ(r.ScrReadString("v", ""), "abc"); }, Sz("abc")},
      {"float of seven bytes", Binary({0, 0, 0, 0, 0, 0, 0}),
       [](auto& r) { EXPECT_EQ(r.ScrReadFloat("v", 1.0), 1.0); },
       Binary({0, 0, 0, 0, 0, 0, 0xF0, 0x3F})},
      {"currency stored as number", Dword(1),
       [](auto& r) { EXPECT_EQ(r.ScrReadCurrency("v", 10000), 10000); },
       Binary({0x10, 0x27, 0, 0, 0, 0, 0, 0})},
  };
  for (const Case& c : cases) {
    TMemoryHive hive;
    if (c.stored.type) hive.keys[Key]["v"] = c.stored;
    TScrRegistry reg(hive, Key);
    c.read(reg);
    EXPECT_EQ(hive.keys[Key]["v"], c.after) << c.what;
  }
}

TEST(ScrRegistry, BinaryDataNeverOverrunsTheBuffer) {
  TMemoryHive hive;
  hive.keys[Key]["short"] = Binary({1, 2});
  hive.keys[Key]["long"] = Binary({1, 2, 3, 4, 5});
  hive.keys[Key]["text"] = Sz("ab\0"s);
  TScrRegistry reg(hive, Key);
  const std::array<std::uint8_t, 4> defaults = {7, 7, 7, 7};

  std::array<std::uint8_t, 5> buffer = {0, 0, 0, 0, 0xEE};  // the last byte guards
  EXPECT_EQ(reg.ScrReadBinaryData("short", buffer.data(), 4, defaults.data()), 2u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 5>{1, 2, 0, 0, 0xEE}));

  EXPECT_EQ(reg.ScrReadBinaryData("long", buffer.data(), 4, defaults.data()), 4u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 5>{7, 7, 7, 7, 0xEE}));
  EXPECT_EQ(hive.keys[Key]["long"], Binary({7, 7, 7, 7}));

  buffer = {0, 0, 0, 0, 0xEE};
  EXPECT_EQ(reg.ScrReadBinaryData("text", buffer.data(), 4, defaults.data()), 4u);
  EXPECT_EQ(buffer, (std::array<std::uint8_t, 5>{7, 7, 7, 7, 0xEE}));
}

TEST(ScrRegistry, ARefusingRegistryGivesDefaultsAndNoErrors) {
  TMemoryHive locked;
  locked.openFails = true;
  TScrRegistry reg(locked, Key);
  EXPECT_FALSE(reg.ScrOpenKey());
  EXPECT_EQ(reg.ScrReadInteger("v", 3), 3);
  EXPECT_EQ(reg.ScrReadString("s", "d"), "d");
  reg.ScrWriteInteger("v", 4);
  EXPECT_TRUE(locked.keys.empty());

  TMemoryHive readOnly;
  readOnly.keys[Key]["v"] = Dword(5);
  readOnly.writesFail = true;
  TScrRegistry reader(readOnly, Key);
  EXPECT_TRUE(reader.ScrOpenKey());
  EXPECT_EQ(reader.ScrReadInteger("v", 3), 5);
  EXPECT_EQ(reader.ScrReadInteger("w", 3), 3);
  reader.ScrWriteBool("v", false);
  EXPECT_EQ(readOnly.keys[Key]["v"], Dword(5));
}

}  // namespace
