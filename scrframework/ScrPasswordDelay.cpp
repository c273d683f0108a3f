#include "ScrPasswordDelay.h"

#include <cerrno>
#include <cstdlib>
#include <limits>

namespace {

// The edit is read like a fixed buffer of 20 characters.
constexpr std::size_t DelayTextLimit = 20;

std::uint32_t Saturated(long long value) {
  if (value < 0) return 0;
  if (value > std::numeric_limits<std::uint32_t>::max()) return std::numeric_limits<std::uint32_t>::max();
  return static_cast<std::uint32_t>(value);
}

}  // namespace

TScrDelayDisplay ScrShowDelay(std::uint32_t seconds) {
  if (seconds <= 60) return {seconds, ScrDelaySeconds};
  return {seconds / 60, ScrDelayMinutes};
}

std::uint32_t ScrReadDelay(const std::optional<std::string>& editText, std::optional<int> unit) {
  const bool minutes = unit == ScrDelayMinutes;
  if (!editText) {
    if (!unit) return 30;
    return Saturated(static_cast<long long>(*unit) * 60 + 60);
  }
  const std::string text = editText->substr(0, DelayTextLimit);
  const char* start = text.c_str();
  char* end = nullptr;
  errno = 0;
  long long number = std::strtoll(start, &end, 0);  // the base rule of "%i"
  if (end == start) return minutes ? 60 : 30;
  if (errno == ERANGE) number = number < 0 ? -1 : std::numeric_limits<long long>::max();
  const long long seconds = Saturated(number);  // small enough now to multiply by 60
  return Saturated(minutes ? seconds * 60 : seconds);
}
