#pragma once

#include <stdexcept>

// The floating-point exceptions of plain arithmetic in formulas.  The program's convention is
// that a division by zero, an invalid operation (such as 0 × ∞) or an overflow in "+", "-",
// "*" or "/" reaches the caller of the evaluation as an exception, while errors of library
// functions only mark the evaluation.  Hardware traps would kill the process on Linux and
// need structured exception handling on Windows, so the evaluator detects the three
// conditions itself and throws this one type; what() is the message the user sees.
class EFloatError : public std::runtime_error {
public:
  enum class TKind { ZeroDivide, InvalidOp, Overflow };

  explicit EFloatError(TKind kind);

  TKind Kind() const { return kind_; }

private:
  TKind kind_;
};
