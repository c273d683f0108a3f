#include "CheckedArithmetic.h"
#include "FloatError.h"

#include <cmath>

namespace {
const char* FloatErrorMessage(EFloatError::TKind kind) {
  switch (kind) {
    case EFloatError::TKind::ZeroDivide: return "Floating point division by zero";
    case EFloatError::TKind::InvalidOp: return "Invalid floating point operation";
    case EFloatError::TKind::Overflow: return "Floating point overflow";
  }
  return "Floating point error";
}
}  // namespace

EFloatError::EFloatError(TKind kind) : std::runtime_error(FloatErrorMessage(kind)), kind_(kind) {}

void RaiseArithmeticError(long double result) {
  throw EFloatError(std::isnan(result) ? EFloatError::TKind::InvalidOp
                                       : EFloatError::TKind::Overflow);
}
