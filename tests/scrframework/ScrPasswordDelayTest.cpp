#include "ScrPasswordDelay.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

TEST(ScrPasswordDelay, ShownInSecondsUpToAMinuteThenInWholeMinutes) {
  const struct {
    std::uint32_t seconds;
    TScrDelayDisplay shown;
  } rows[] = {
      {0, {0, ScrDelaySeconds}},     {60, {60, ScrDelaySeconds}}, {61, {1, ScrDelayMinutes}},
      {90, {1, ScrDelayMinutes}},    {119, {1, ScrDelayMinutes}}, {120, {2, ScrDelayMinutes}},
      {0xFFFFFFFF, {71582788, ScrDelayMinutes}},
  };
  for (const auto& row : rows) EXPECT_EQ(ScrShowDelay(row.seconds), row.shown) << row.seconds;
}

// Showing a delay and reading the controls back gives the delay again, to the minute.
TEST(ScrPasswordDelay, ShownDelaysReadBack) {
  for (std::uint32_t seconds : {0u, 1u, 30u, 60u, 120u, 3600u, 0xFFFFFFFFu}) {
    const TScrDelayDisplay shown = ScrShowDelay(seconds);
    const std::uint32_t toTheMinute = seconds <= 60 ? seconds : seconds / 60 * 60;
    EXPECT_EQ(ScrReadDelay(std::to_string(shown.number), shown.unit), toTheMinute) << seconds;
  }
}

TEST(ScrPasswordDelay, ControlsReadAsCsPercentIReadsThem) {
  const std::optional<int> seconds = ScrDelaySeconds, minutes = ScrDelayMinutes, none;
  const struct {
    const char* fault;
    std::optional<std::string> edit;
    std::optional<int> unit;
    std::uint32_t delay;
  } rows[] = {
      {"plain seconds", "45", seconds, 45},
      {"plain minutes", "2", minutes, 120},
      {"blanks and a sign", "  +7", seconds, 7},
      {"hexadecimal", "0x10", seconds, 16},
      {"octal", "010", seconds, 8},
      {"trailing text ignored", "12 s", seconds, 12},
      {"no number, minutes", "soon", minutes, 60},
      {"no number, seconds", "", seconds, 30},
      {"no number, no unit", "x", none, 30},
      {"only the first 20 characters", "                   7" "9", seconds, 7},
      {"negative reads as none", "-5", minutes, 0},
      {"too large saturates", "99999999999", seconds, 0xFFFFFFFF},
      {"minutes beyond 32 bits saturate", "71582789", minutes, 0xFFFFFFFF},
      {"beyond long long saturates", "999999999999999999999", minutes, 0xFFFFFFFF},
      {"no edit, minutes", std::nullopt, minutes, 120},
      {"no edit, seconds", std::nullopt, seconds, 60},
      {"no edit, no list", std::nullopt, none, 30},
  };
  for (const auto& row : rows) EXPECT_EQ(ScrReadDelay(row.edit, row.unit), row.delay) << row.fault;
}

}  // namespace
