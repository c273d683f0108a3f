#pragma once

// Whole numbers typed by the user: the one conversion rule every field of both programs uses.
// Portable (no windows.h).

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// A text that does not convert.  what() is the message the application's error handler
// shows, such as "'12a' is not a valid integer value".
class EConvertError : public std::runtime_error {
public:
  explicit EConvertError(const std::string& message) : std::runtime_error(message) {}
};

// Converts text to a signed 32-bit number: leading spaces (only the space character), an
// optional "+" or "-", then either decimal digits or hexadecimal digits (either case)
// introduced by "$", "x", "X", "0x" or "0X"; nothing may follow, not even a space.
// Decimal values must lie in -2147483648..2147483647.  Hexadecimal digits give a 32-bit
// pattern up to FFFFFFFF read as signed ("$FFFFFFFF" is -1, "$80000000" is -2147483648),
// which a "-" then negates.  Empty text, a lone sign or prefix, any other character and
// larger values give nothing.
std::optional<std::int32_t> StrToIntTry(std::string_view text);

// StrToIntTry's value; throws EConvertError with "'TEXT' is not a valid integer value" (the
// text as given in place of TEXT) when it gives nothing.
std::int32_t StrToInt(std::string_view text);
