#pragma once

// Plain arithmetic of the graph engine with the floating-point exceptions of the x87 rules
// raised as EFloatError: an infinite result from finite operands is an overflow, a NaN from
// operands that are not NaN an invalid operation, and a finite value divided by zero a division
// by zero (0 / 0 an invalid operation).
// Operands that already are infinite or NaN pass silently, as on the x87.

#include <cmath>

#include "FloatError.h"

// x − x is 0 for finite x and NaN otherwise; unlike a comparison with LDBL_MAX it needs no
// 80-bit constant from memory.
inline bool IsFinite(long double x) { return x - x == 0; }

[[noreturn, gnu::noinline, gnu::cold]] void RaiseArithmeticError(long double result);

[[gnu::noinline, gnu::cold]] inline long double CheckArithmeticSlow(long double result,
                                                                     long double a,
                                                                     long double b) {
  const bool raises = std::isnan(result) ? !std::isnan(a) && !std::isnan(b)
                                         : IsFinite(a) && IsFinite(b);
  if (raises) RaiseArithmeticError(result);
  return result;
}

// The result of an arithmetic operation on a and b, or the exception the x87 would raise.
inline long double CheckArithmetic(long double result, long double a, long double b) {
  if (IsFinite(result)) [[likely]] return result;
  return CheckArithmeticSlow(result, a, b);
}

inline long double CheckedAdd(long double a, long double b) { return CheckArithmetic(a + b, a, b); }
inline long double CheckedSubtract(long double a, long double b) {
  return CheckArithmetic(a - b, a, b);
}
inline long double CheckedMultiply(long double a, long double b) {
  return CheckArithmetic(a * b, a, b);
}

// a / b.  0 / 0 is an invalid operation, a finite x / 0 a division by zero.
inline long double CheckedDivide(long double a, long double b) {
  if (b == 0 && IsFinite(a)) [[unlikely]] {
    throw EFloatError(a == 0 ? EFloatError::TKind::InvalidOp : EFloatError::TKind::ZeroDivide);
  }
  return CheckArithmetic(a / b, a, b);
}

// a × (1 / b), the division of formulas, which rounds differently from a / b.  The reciprocal
// of zero is a division by zero whatever a is.
inline long double CheckedFormulaDivide(long double a, long double b) {
  if (b == 0) [[unlikely]] throw EFloatError(EFloatError::TKind::ZeroDivide);
  const long double reciprocal = CheckArithmetic(1 / b, 1, b);
  return CheckArithmetic(a * reciprocal, a, reciprocal);
}

// a narrowed to double: a finite value beyond the double range overflows, as the x87's store
// of a double does.
inline double CheckedNarrow(long double a) {
  const double narrowed = static_cast<double>(a);
  if (std::isinf(narrowed) && IsFinite(a)) [[unlikely]] {
    throw EFloatError(EFloatError::TKind::Overflow);
  }
  return narrowed;
}
