#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "OperandRing.h"

// One formula of a graph, compiled once into postfix code and evaluated many times for
// different values of the variables u (alias x), v (alias y) and the parameter t.
//
// The language: numeric literals (digits with at most one ".", optionally followed by a
// decimal exponent "e5", "E-3"), the variables, "pi", the functions sin cos tan sec csc cot
// asin acos atan sinh cosh tanh ln log exp sqrt abs written with their "(" directly after the
// name, the infix operators + - * / ^ (all left associative, ^ binding tightest), one unary
// sign at the start of an operand, and juxtaposition as multiplication ("2pi", "3sin(u)",
// "(u+1)(v-1)", "uv").  No blanks.
//
// All arithmetic is in 80-bit extended precision.  Compiling and evaluating allocate nothing:
// the code, the literals and the operand ring are fixed tables inside the object.
class TExpression {
public:
  // Compile error codes.  ErrorUnexpected: an unexpected character, a missing operand, a text
  // ending in an operator, or a formula beyond the limits below.  ErrorParenthesis: a "(" with
  // no matching ")".
  static constexpr int32_t ErrorUnexpected = 10001;
  static constexpr int32_t ErrorParenthesis = 10002;

  // Limits of the fixed tables.  Exceeding one is a compile error ErrorUnexpected at the
  // token that does not fit.
  static constexpr int MaxCodes = 127;        // codes before the end code
  static constexpr int MaxConstants = 64;     // numeric literals
  static constexpr int MaxLiteralLength = 31; // characters of one literal
  static constexpr int MaxNesting = 200;      // parentheses inside parentheses

  // Postfix instruction set.
  enum TCode : int32_t {
    cdLiteral = 0, cdU = 1, cdV = 2, cdT = 3,
    cdAdd = 5, cdSubtract = 6, cdMultiply = 7, cdDivide = 8, cdPower = 9,
    cdPi = 11, cdLog = 12, cdLn = 13, cdExp = 14, cdAbs = 15, cdNegate = 25, cdSqrt = 27,
    cdSin = 60, cdCos = 61, cdTan = 62, cdSec = 63, cdCsc = 64, cdCot = 65,
    cdAsin = 66, cdAcos = 67, cdAtan = 68, cdSinh = 72, cdCosh = 73, cdTanh = 74,
    cdEnd = 99,
  };

  // Compiles text (no terminator needed).  An empty text leaves Valid() false and changes
  // nothing else.  Otherwise Valid() tells whether the text compiled; when it did not,
  // ErrorCode() and ErrorPos() (0-based character index) describe the last error met.
  // Never throws.
  void Compile(std::string_view text);

  // Runs the code for the given variables.  A math error of a library function (a domain
  // error such as ln(-1) or asin(2), a pole such as ln(0), an overflow such as exp(100000))
  // returns 0 with EvalError() set; underflow is not an error.  An expression that is not
  // Valid() returns 0 with EvalError() set.
  // Throws EFloatError for a division by zero, an invalid operation or an overflow of
  // "+", "-", "*", "/" (also the reciprocals of sec, csc and cot).
  long double Evaluate(long double u, long double v, long double t);

  // The same evaluation, step by step on the operand ring with every step checked: the
  // reference that Evaluate's faster program must agree with (tests and fuzzing compare them).
  long double EvaluateChecked(long double u, long double v, long double t);

  // True when the code refers to t before its end code.
  bool DependsOnT() const;

  bool Valid() const { return valid_; }
  bool EvalError() const { return evalError_; }
  int32_t ErrorCode() const { return errorCode_; }
  int32_t ErrorPos() const { return errorPos_; }

  // The compiled code up to and including the end code (meaningful when Valid()).
  std::span<const int32_t> Code() const { return {code_, static_cast<size_t>(codeCount_ + 1)}; }
  // The literal values in the order they appear in the text.
  std::span<const long double> Constants() const {
    return {constants_, static_cast<size_t>(constantCount_)};
  }

private:
  friend class TExpressionCompiler;

  // The code is also translated into a shorter program for an accumulator machine (see
  // ExpressionProgram.h): the top of the stack stays in a register, and an operator whose
  // right operand is a variable or a literal takes it directly.  When the code never has more
  // than TOperandRing::Size operands pending, the ring behaves as a plain stack and this
  // program gives the same values, errors and exceptions in the same order; otherwise the
  // code runs on the ring as written.
  struct TStep {
    uint8_t op;
    uint8_t operand;  // index into literals_
  };

  void BuildProgram();
  long double RunProgram(const long double* const variables[3]) const;
  long double RunChecked(const long double* const variables[3]);

  long double constants_[MaxConstants] = {};
  int32_t code_[MaxCodes + 1] = {cdEnd};
  TOperandRing stack_;
  TStep program_[MaxCodes + 1] = {};
  // The literals, pi, then the reciprocals of constant divisors.
  long double literals_[2 * MaxConstants + 2] = {};
  bool onRing_ = false;  // the code needs the ring's wrap-around
  int constantCount_ = 0;
  int codeCount_ = 0;  // codes before the end code
  bool valid_ = false;
  bool evalError_ = false;
  int32_t errorCode_ = 0;
  int32_t errorPos_ = 0;
};
