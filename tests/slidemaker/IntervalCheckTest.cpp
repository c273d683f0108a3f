#include "IntervalCheck.h"

#include <gtest/gtest.h>

// The field's conversion, case by case; the expected values are worked out by hand.
TEST(IntervalCheck, Conversion) {
  struct Case {
    const char* text;
    bool valid;
    std::int32_t value;
  };
  const Case cases[] = {
      {"5", true, 5},
      {"0", true, 0},                      // valid: the preview then never changes picture
      {"12", true, 12},
      {"   7", true, 7},                   // leading spaces allowed
      {"+9", true, 9},
      {"-3", true, -3},
      {"007", true, 7},
      {"2147483647", true, 2147483647},
      {"-2147483648", true, -2147483647 - 1},
      {"$1F", true, 31},
      {"x10", true, 16},
      {"X10", true, 16},
      {"0x7fffffff", true, 2147483647},
      {"0XFF", true, 255},
      {"-$10", true, -16},
      {"$FFFFFFFF", true, -1},             // hexadecimal is a 32-bit pattern
      {"", false, 0},                       // deleting the last digit
      {"-", false, 0},
      {"+", false, 0},
      {"$", false, 0},
      {"0x", false, 0},
      {"x", false, 0},
      {"7 ", false, 0},                     // nothing may follow
      {" 7 ", false, 0},
      {"\t7", false, 0},                    // only spaces lead
      {"abc", false, 0},
      {"1.5", false, 0},
      {"1e3", false, 0},
      {"2147483648", false, 0},             // beyond 32 bits
      {"-2147483649", false, 0},
      {"$100000000", false, 0},
      {"99999999999999999999999", false, 0},
      {"--1", false, 0},
      {"0x-1", false, 0},
      {"$G", false, 0},
  };
  for (const Case& c : cases) {
    const std::optional<std::int32_t> value = IntervalToInt(c.text);
    EXPECT_EQ(value.has_value(), c.valid) << '"' << c.text << '"';
    if (c.valid && value) {
      EXPECT_EQ(*value, c.value) << '"' << c.text << '"';
    }
    EXPECT_EQ(IntervalChecked(c.text), c.valid ? std::string(c.text) : "5") << '"' << c.text << '"';
  }
}
