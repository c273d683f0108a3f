#pragma once

// The check that keeps the editor's interval field valid: its text must convert to a 32-bit
// whole number, otherwise the field is reset to "5".

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The interval a new project starts with, and the replacement for any invalid text.
inline constexpr const char* IntervalDefault = "5";

// Converts text as the field's conversion does: leading spaces, an optional "+" or "-", then
// either decimal digits or hexadecimal digits introduced by "$", "x", "X", "0x" or "0X";
// nothing may follow.  Decimal values must lie in -2147483648..2147483647; hexadecimal ones
// are 32-bit patterns up to FFFFFFFF ("$FFFFFFFF" is -1), negated by a "-".  Empty text, a
// lone sign or prefix, other characters and larger values give nothing.
std::optional<std::int32_t> IntervalToInt(std::string_view text);

// text itself when IntervalToInt accepts it, else IntervalDefault.
std::string IntervalChecked(std::string_view text);
