#include "IntervalCheck.h"

#include "StrToInt.h"

std::string IntervalChecked(std::string_view text) {
  return StrToIntTry(text) ? std::string(text) : std::string(IntervalDefault);
}
