#include "StrToInt.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace {

constexpr std::int32_t Min32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t Max32 = std::numeric_limits<std::int32_t>::max();

// The conversion case by case; the expected values are worked out by hand.
TEST(StrToInt, Conversion) {
  struct Case {
    const char* text;
    bool valid;
    std::int32_t value;
  };
  const Case cases[] = {
      {"5", true, 5},
      {"0", true, 0},
      {"12", true, 12},
      {"   7", true, 7},                   // leading spaces allowed
      {"+9", true, 9},
      {"-3", true, -3},
      {"-0", true, 0},
      {"007", true, 7},
      {"2147483647", true, Max32},          // range limits, decimal
      {"-2147483648", true, Min32},
      {"+2147483647", true, Max32},
      {"00000000002147483647", true, Max32},  // leading zeros do not count toward the limit
      {"$1F", true, 31},
      {"$1f", true, 31},
      {"x10", true, 16},
      {"X10", true, 16},
      {"0x7fffffff", true, Max32},
      {"0XFF", true, 255},
      {"  -$10", true, -16},
      {"$FFFFFFFF", true, -1},              // hexadecimal is a 32-bit pattern
      {"$80000000", true, Min32},
      {"-$80000000", true, Min32},          // negating the smallest pattern wraps onto itself
      {"-$FFFFFFFF", true, 1},
      {"$000000000001", true, 1},
      {"", false, 0},                       // nothing at all
      {"   ", false, 0},
      {"-", false, 0},                      // a lone sign
      {"+", false, 0},
      {" -", false, 0},
      {"$", false, 0},                      // a lone prefix
      {"-$", false, 0},
      {"0x", false, 0},
      {"+0X", false, 0},
      {"x", false, 0},
      {"7 ", false, 0},                     // nothing may follow
      {" 7 ", false, 0},
      {"12a", false, 0},
      {"$1G", false, 0},
      {"0x1g", false, 0},
      {"1.5", false, 0},
      {"1e3", false, 0},
      {"5\n", false, 0},
      {"\t7", false, 0},                    // only spaces lead
      {"abc", false, 0},
      {"2147483648", false, 0},             // beyond 32 bits
      {"-2147483649", false, 0},
      {"$100000000", false, 0},
      {"0x100000000", false, 0},
      {"99999999999999999999999", false, 0},
      {"--1", false, 0},
      {"+-1", false, 0},
      {"- 1", false, 0},
      {"0x-1", false, 0},
      {"$-1", false, 0},
      {"0$1", false, 0},
  };
  for (const Case& c : cases) {
    const std::optional<std::int32_t> value = StrToIntTry(c.text);
    EXPECT_EQ(value.has_value(), c.valid) << '"' << c.text << '"';
    if (c.valid && value) {
      EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
      EXPECT_EQ(StrToInt(c.text), c.value) << '"' << c.text << '"';
    }
    if (!c.valid) {
      EXPECT_THROW(StrToInt(c.text), EConvertError) << '"' << c.text << '"';
    }
  }
}

// The message names the text exactly as given, blanks included.
TEST(StrToInt, MessageQuotesTheText) {
  const auto message = [](const char* text) {
    try {
      StrToInt(text);
    } catch (const std::runtime_error& e) {
      return std::string(e.what());
    }
    return std::string("no exception");
  };
  EXPECT_EQ(message("12a"), "'12a' is not a valid integer value");
  EXPECT_EQ(message(""), "'' is not a valid integer value");
  EXPECT_EQ(message(" 7 "), "' 7 ' is not a valid integer value");
}

}  // namespace
