#include "ScrDismissOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(ScrDismissOptions, WaitFollowsThePlatformAndThePolicy) {
  // Fields: corners ok, corners bad, mute, active, sensitivity, wait visible, wait enabled,
  // wait shows zero.
  const struct {
    const char* what;
    TScrDismissInput input;
    TScrDismissOptions options;
  } rows[] = {
      {"Windows 9x, follow Windows", {true, true, false, false, rpNormal},
       {true, false, true, false, true, true, true, false}},
      {"Windows 9x, never", {true, true, false, false, rpNever},
       {true, false, true, false, true, false, false, false}},
      {"Windows 9x, always: zero and disabled", {true, true, false, false, rpAlways},
       {true, false, true, false, true, true, false, true}},
      {"NT overrides follow Windows", {false, false, true, true, rpNormal},
       {false, true, false, true, true, true, false, true}},
      {"NT overrides never", {false, false, true, true, rpNever},
       {false, true, false, true, true, true, false, true}},
  };
  for (const auto& row : rows) EXPECT_EQ(ScrDismissOptions(row.input), row.options) << row.what;
}

}  // namespace
