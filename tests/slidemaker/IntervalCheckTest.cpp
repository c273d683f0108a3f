#include "IntervalCheck.h"

#include <gtest/gtest.h>

// The field keeps any text the toolkit's conversion accepts (its table is in
// tests/toolkit/StrToIntTest.cpp) as typed, and shows "5" instead of anything else.
TEST(IntervalCheck, KeepsValidTextAndResetsTheRest) {
  const char* const kept[] = {"5", "0", "   7", "-3", "007", "$1F", "0x7fffffff", "-2147483648"};
  for (const char* text : kept) EXPECT_EQ(IntervalChecked(text), text) << '"' << text << '"';
  const char* const reset[] = {"", "-", "$", "7 ", "1.5", "2147483648", "abc"};
  for (const char* text : reset) EXPECT_EQ(IntervalChecked(text), "5") << '"' << text << '"';
}
