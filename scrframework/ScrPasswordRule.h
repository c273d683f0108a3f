#pragma once

#include <cstdint>
#include <functional>

#include "ScrHive.h"

// Password policy of the full-screen form: follow Windows (rpNormal), never ask, always ask.
enum TRequirePassword { rpNormal, rpNever, rpAlways };

// Where Windows 9x records whether the screen saver is password-protected.
inline constexpr char ScrDesktopKey[] = "Control Panel\\Desktop";

// Whether closing the full-screen saver needs the password.  rpAlways and rpNever decide
// alone.  Under rpNormal: never on Windows NT (which checks the password itself, at the
// desktop switch); not within delaySeconds of elapsedMs, the time since the saver started or
// the password was last given; otherwise as "ScreenSaveUsePassword" (up to 4 bytes, any
// non-zero byte = yes) of ScrDesktopKey in hive says, no when it cannot be read.  Each step
// writes its progress line through trace.
bool ScrTestRequirePassword(TRequirePassword policy, bool windowsNt, std::uint32_t elapsedMs,
                            std::uint32_t delaySeconds, TScrHive& hive,
                            const std::function<void(const char* line)>& trace);
