#pragma once

// The check that keeps the editor's interval field valid: its text must convert to a 32-bit
// whole number by the toolkit's rule (StrToIntTry), otherwise the field is reset to "5".

#include <string>
#include <string_view>

// The interval a new project starts with, and the replacement for any invalid text.
inline constexpr const char* IntervalDefault = "5";

// text itself when StrToIntTry accepts it, else IntervalDefault.
std::string IntervalChecked(std::string_view text);
