// The evaluator.
//
// Math errors are classified from values rather than from errno, because the C libraries of
// the two targets set errno differently (glibc also on underflow, the MinGW runtime not for
// every domain error).  A library function has failed when it returns NaN from arguments that
// are not NaN (a domain error) or an infinity from finite arguments (a pole or an overflow);
// underflow yields a finite value and is not an error.  Plain arithmetic follows the x87
// exception rules: an infinite result from finite operands is an overflow, a NaN from operands
// that are not NaN an invalid operation, and a reciprocal of zero a division by zero.
#include <cmath>
#include <limits>

#include "CheckedArithmetic.h"
#include "Expression.h"
#include "ExpressionProgram.h"

namespace {

[[gnu::cold]] bool LibraryFailedSlow(long double result, long double a, long double b) {
  return std::isnan(result) ? !std::isnan(a) && !std::isnan(b) : IsFinite(a) && IsFinite(b);
}

inline bool LibraryFailed(long double result, long double a, long double b = 0) {
  if (IsFinite(result)) [[likely]] return false;
  return LibraryFailedSlow(result, a, b);
}

// a ^ b.  The square is the correctly rounded a × a, which is what pow gives for that
// exponent and what compiled code computes.
inline long double PowerValue(long double a, long double b) {
  return b == 2 ? a * a : std::pow(a, b);
}

inline long double Power(long double a, long double b, bool& failed) {
  const long double r = PowerValue(a, b);
  failed = LibraryFailed(r, a, b);
  return r;
}

// ln(10) from the run-time library, as log() divides by it; a constant folded by the compiler
// could be rounded differently.
long double LibraryLn(long double x) {
  volatile long double hidden = x;
  return std::log(hidden);
}
const long double Ln10 = LibraryLn(10);

// The library call of a function step: log divides its value by ln 10 afterwards, sec, csc
// and cot take its reciprocal.
long double LibraryValue(int32_t code, long double a) {
  switch (code) {
    case TExpression::cdLog: case TExpression::cdLn: return std::log(a);
    case TExpression::cdExp: return std::exp(a);
    case TExpression::cdSin: case TExpression::cdCsc: return std::sin(a);
    case TExpression::cdCos: case TExpression::cdSec: return std::cos(a);
    case TExpression::cdTan: case TExpression::cdCot: return std::tan(a);
    case TExpression::cdAsin: return std::asin(a);
    case TExpression::cdAcos: return std::acos(a);
    case TExpression::cdAtan: return std::atan(a);
    case TExpression::cdSinh: return std::sinh(a);
    case TExpression::cdCosh: return std::cosh(a);
    case TExpression::cdTanh: return std::tanh(a);
    default: return std::sqrt(a);
  }
}

bool IsReciprocal(int32_t code) {
  return code == TExpression::cdSec || code == TExpression::cdCsc || code == TExpression::cdCot;
}

long double CallFunction(int32_t code, long double a, bool& failed) {
  const long double r = LibraryValue(code, a);
  failed = LibraryFailed(r, a);
  return code == TExpression::cdLog ? r / Ln10 : IsReciprocal(code) ? CheckedFormulaDivide(1, r) : r;
}

}  // namespace

long double TExpression::Evaluate(long double u, long double v, long double t) {
  evalError_ = false;
  if (!valid_) [[unlikely]] {
    evalError_ = true;
    return 0;
  }
  // Read through their addresses, the arguments stay where the caller put them instead of
  // being copied through this frame.
  const long double* const variables[3] = {&u, &v, &t};
  if (!onRing_) [[likely]] {
    const long double result = RunProgram(variables);
    if (IsFinite(result)) [[likely]] return result;
  }
  return RunChecked(variables);
}

long double TExpression::EvaluateChecked(long double u, long double v, long double t) {
  evalError_ = false;
  if (!valid_) {
    evalError_ = true;
    return 0;
  }
  const long double* const variables[3] = {&u, &v, &t};
  return RunChecked(variables);
}

// The accumulator program without any checks.  Every error, library failure and
// floating-point exception of the checked run makes some value infinite or NaN.  Sums,
// differences, products, signs and square roots carry such a value on to the result; where it
// could vanish (a reciprocal of infinity is 0, pow(x, 0) is 1, tanh(inf) is 1) the operands
// are tested and the evaluation marked unusual.  A finite result of a run that met nothing
// unusual proves that the checked run would have met no error; otherwise the result is NaN
// and the caller evaluates again, checked.
long double TExpression::RunProgram(const long double* const variables[3]) const {
  long double stack[TOperandRing::Size];  // the operands below the accumulator
  long double* sp = stack;
  long double acc = 0;
  bool unusual = false;  // kept in an integer register, which survives the library calls
  for (const TStep* step = program_;; ++step) {
    switch (step->op) {
#define LEAF_CASES(name, action)                                                  \
  case st##name##U: { const long double x = *variables[0]; action; } break;       \
  case st##name##V: { const long double x = *variables[1]; action; } break;       \
  case st##name##T: { const long double x = *variables[2]; action; } break;       \
  case st##name##K: { const long double x = literals_[step->operand]; action; } break;
      LEAF_CASES(Load, acc = x)
      LEAF_CASES(PushLoad, *sp++ = acc; acc = x)
      LEAF_CASES(AddLeaf, acc = acc + x)
      LEAF_CASES(SubtractLeaf, acc = acc - x)
      LEAF_CASES(MultiplyLeaf, acc = acc * x)
      LEAF_CASES(DivideLeaf, unusual |= !IsFinite(x); acc = acc * (1 / x))
      LEAF_CASES(PowerLeaf, unusual |= !IsFinite(acc + x); acc = PowerValue(acc, x))
#undef LEAF_CASES
      case stAdd: acc = *--sp + acc; break;
      case stSubtract: acc = *--sp - acc; break;
      case stMultiply: acc = *--sp * acc; break;
      case stDivide: unusual |= !IsFinite(acc); acc = *--sp * (1 / acc); break;
      case stPower: --sp; unusual |= !IsFinite(*sp + acc); acc = PowerValue(*sp, acc); break;
      case stSquare: acc = acc * acc; break;
      case stNegate: acc = -acc; break;
      case stAbs: acc = std::fabs(acc); break;
      // A function's argument and value are both tested: tanh(inf) is 1, sin(inf) is NaN.
#define PROBED(value) unusual |= !IsFinite(acc); acc = value; unusual |= !IsFinite(acc); break
      case stLog: PROBED(std::log(acc) / Ln10);
      case stLn: PROBED(std::log(acc));
      case stExp: PROBED(std::exp(acc));
      case stSqrt: acc = std::sqrt(acc); break;  // carries inf and NaN on by itself
      case stSin: PROBED(std::sin(acc));
      case stCos: PROBED(std::cos(acc));
      case stTan: PROBED(std::tan(acc));
      case stSec: PROBED(1 / std::cos(acc));
      case stCsc: PROBED(1 / std::sin(acc));
      case stCot: PROBED(1 / std::tan(acc));
      case stAsin: PROBED(std::asin(acc));
      case stAcos: PROBED(std::acos(acc));
      case stAtan: PROBED(std::atan(acc));
      case stSinh: PROBED(std::sinh(acc));
      case stCosh: PROBED(std::cosh(acc));
      case stTanh: PROBED(std::tanh(acc));
#undef PROBED
      case stEnd: return unusual ? std::numeric_limits<long double>::quiet_NaN() : acc;
    }
  }
}

// The code as written, on the ring, with every step checked: the definition of the results,
// errors and exceptions, run for formulas whose operands overflow the ring and whenever the
// unchecked program met an infinity or a NaN.
long double TExpression::RunChecked(const long double* const variables[3]) {
  const long double* literal = constants_;
  for (const int32_t* code = code_;; ++code) {
    long double r = 0;
    bool failed = false;
    switch (*code) {
      case cdLiteral: r = *literal++; break;
      case cdU: case cdV: case cdT: r = *variables[*code - cdU]; break;
      case cdPi: r = literals_[constantCount_]; break;
      case cdAdd: case cdSubtract: case cdMultiply: case cdDivide: case cdPower: {
        const long double b = stack_.Pop(), a = stack_.Pop();
        r = *code == cdAdd        ? CheckedAdd(a, b)
          : *code == cdSubtract   ? CheckedSubtract(a, b)
          : *code == cdMultiply   ? CheckedMultiply(a, b)
          : *code == cdDivide     ? CheckedFormulaDivide(a, b)
                                  : Power(a, b, failed);
        break;
      }
      case cdNegate: r = -stack_.Pop(); break;
      case cdAbs: r = std::fabs(stack_.Pop()); break;
      case cdEnd: return stack_.Peek();
      default: r = CallFunction(*code, stack_.Pop(), failed); break;
    }
    if (failed) {
      evalError_ = true;
      return 0;
    }
    stack_.Push(r);
  }
}
