#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The password delay as the general panel shows it: a number in an edit and a unit list
// ("seconds" index 0, "minutes" index 1).

inline constexpr int ScrDelaySeconds = 0;
inline constexpr int ScrDelayMinutes = 1;

struct TScrDelayDisplay {
  std::uint32_t number;
  int unit;  // ScrDelaySeconds or ScrDelayMinutes

  bool operator==(const TScrDelayDisplay&) const = default;
};

// Up to 60 seconds in seconds; above, in whole minutes (rounded down: 90 s shows 1 minute).
TScrDelayDisplay ScrShowDelay(std::uint32_t seconds);

// The delay in seconds the controls hold.  editText is the edit's text (none without an
// edit), unit the selected index of the unit list (none without the list or without a
// selection).  The edit's number is read as C's "%i" reads it (leading blanks, a sign, 0x for
// hexadecimal, a leading 0 for octal) from its first 20 characters, times 60 when "minutes"
// is selected.  An edit without a number gives 60 with "minutes" selected, else 30; without
// an edit, unit * 60 + 60, or 30 without the unit list either.
//
// A negative number reads as 0 and a product beyond 32 bits as the largest delay, so that
// what the user typed never wraps around into another delay.
std::uint32_t ScrReadDelay(const std::optional<std::string>& editText, std::optional<int> unit);
