// The formula compiler: one pass from left to right, one recursion per parenthesised group.
//
//   expression = operand { [operator] operand }     (a missing operator is "*")
//   operand    = ["+" | "-"] ( literal | variable | "pi" | "(" expression ")"
//                            | function "(" expression ")" )
//
// Each level keeps one pending slot per precedence ("^", then "*" "/", then "+" "-").  An
// incoming operator first emits the pending operators that bind at least as tightly, which
// makes every operator left associative.  Errors do not stop the whole compile: the level
// that meets one stops, its caller goes on after the group, and the last error met is the one
// reported.
#include <cstdlib>
#include <cmath>
#include <cstring>

#include "Expression.h"

namespace {

struct TFunctionName {
  const char* name;  // with its "("
  int32_t code;
};

// Tried in this order, so that "sinh(" wins over "sin(".
constexpr TFunctionName FunctionNames[] = {
    {"sinh(", TExpression::cdSinh}, {"cosh(", TExpression::cdCosh}, {"tanh(", TExpression::cdTanh},
    {"sin(", TExpression::cdSin},   {"cos(", TExpression::cdCos},   {"tan(", TExpression::cdTan},
    {"sec(", TExpression::cdSec},   {"csc(", TExpression::cdCsc},   {"cot(", TExpression::cdCot},
    {"asin(", TExpression::cdAsin}, {"acos(", TExpression::cdAcos}, {"atan(", TExpression::cdAtan},
    {"ln(", TExpression::cdLn},     {"log(", TExpression::cdLog},   {"exp(", TExpression::cdExp},
    {"sqrt(", TExpression::cdSqrt}, {"abs(", TExpression::cdAbs},
};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

struct TPending {
  bool set = false;
  int32_t code = 0;
};

}  // namespace

class TExpressionCompiler {
public:
  TExpressionCompiler(TExpression& target, std::string_view text) : e_(target), text_(text) {}

  void Run() {
    e_.valid_ = true;
    e_.codeCount_ = 0;
    e_.constantCount_ = 0;
    CompileLevel(0, static_cast<int>(text_.size()), 0);
    if (e_.valid_) e_.BuildProgram();
  }

private:
  TExpression& e_;
  std::string_view text_;

  char At(int i) const { return i < static_cast<int>(text_.size()) ? text_[i] : '\0'; }

  void Fail(int32_t code, int pos) {
    e_.valid_ = false;
    e_.errorCode_ = code;
    e_.errorPos_ = pos;
  }

  // Appends a code and keeps the list terminated.  Returns false (with the error set) when
  // the list is full.
  bool Emit(int32_t code, int pos) {
    if (e_.codeCount_ >= TExpression::MaxCodes) {
      Fail(TExpression::ErrorUnexpected, pos);
      return false;
    }
    e_.code_[e_.codeCount_++] = code;
    e_.code_[e_.codeCount_] = TExpression::cdEnd;
    return true;
  }

  bool EmitPending(TPending& slot, int pos) {
    if (!slot.set) return true;
    slot.set = false;
    return Emit(slot.code, pos);
  }

  // Index of the ")" that closes the "(" just before `from`, or -1.  Scans to the end of the
  // text, not of the level: an unclosed group inside a group is reported as unbalanced.
  int MatchingParenthesis(int from) const {
    int depth = 1;
    for (int i = from; i < static_cast<int>(text_.size()); ++i) {
      if (text_[i] == '(') {
        ++depth;
      } else if (text_[i] == ')' && --depth == 0) {
        return i;
      }
    }
    return -1;
  }

  // Scans the literal starting at i, stores its value and returns the index after it, or -1
  // after recording an error.  An exponent is taken only in the complete form "e", an optional
  // sign and at least one digit, so that "2exp(u)" still reads as 2 × exp(u).
  int ScanLiteral(int i) {
    const int start = i;
    bool point = false;
    while (IsDigit(At(i)) || (At(i) == '.' && !point)) {
      point = point || At(i) == '.';
      ++i;
    }
    if ((At(i) == 'e' || At(i) == 'E')) {
      int j = i + 1;
      if (At(j) == '+' || At(j) == '-') ++j;
      if (IsDigit(At(j))) {
        while (IsDigit(At(j))) ++j;
        i = j;
      }
    }
    const int length = i - start;
    if (length > TExpression::MaxLiteralLength || e_.constantCount_ >= TExpression::MaxConstants) {
      Fail(TExpression::ErrorUnexpected, start);
      return -1;
    }
    char buffer[TExpression::MaxLiteralLength + 1];
    std::memcpy(buffer, text_.data() + start, length);
    buffer[length] = '\0';
    // "." alone converts to 0, as the decimal conversion leaves it.
    const long double value = std::strtold(buffer, nullptr);
    if (std::isinf(value)) {  // an exponent beyond the extended range
      Fail(TExpression::ErrorUnexpected, start);
      return -1;
    }
    e_.constants_[e_.constantCount_++] = value;
    if (!Emit(TExpression::cdLiteral, start)) return -1;
    return i;
  }

  // Compiles the inside of a group whose "(" stands at open - 1.  Returns the index after its
  // ")", or -1 after recording an error (no match, nesting too deep).
  int CompileGroup(int open, int end, int depth) {
    const int close = MatchingParenthesis(open);
    if (close < 0) {
      Fail(TExpression::ErrorParenthesis, end);
      return -1;
    }
    if (depth >= TExpression::MaxNesting) {
      Fail(TExpression::ErrorUnexpected, open - 1);
      return -1;
    }
    CompileLevel(open, close, depth + 1);
    return close + 1;
  }

  const TFunctionName* FunctionAt(int i) const {
    for (const TFunctionName& f : FunctionNames) {
      if (text_.substr(i).starts_with(f.name)) return &f;
    }
    return nullptr;
  }

  // The code of the variable or "pi" at i (0 when there is none) and its length in characters.
  int32_t NameAt(int i, int& length) const {
    length = 1;
    switch (At(i)) {
      case 'u': case 'x': return TExpression::cdU;
      case 'v': case 'y': return TExpression::cdV;
      case 't': return TExpression::cdT;
      case 'p':
        length = 2;
        return At(i + 1) == 'i' ? TExpression::cdPi : 0;
      default: return 0;
    }
  }

  // Reads one operand (with its sign) starting at i; returns the index after it or -1 after
  // recording an error.  A failure inside a group is recorded but does not stop this level.
  int ReadOperand(int i, int end, int depth) {
    bool negate = false;
    if (i < end && (text_[i] == '+' || text_[i] == '-')) {
      negate = text_[i] == '-';
      ++i;
    }
    const char c = i < end ? text_[i] : '\0';
    int next = -1;
    int length = 0;
    if (IsDigit(c) || c == '.') {
      next = ScanLiteral(i);
    } else if (c == '(') {
      next = CompileGroup(i + 1, end, depth);
    } else if (const TFunctionName* f = i < end ? FunctionAt(i) : nullptr) {
      next = CompileGroup(i + static_cast<int>(std::strlen(f->name)), end, depth);
      if (next >= 0 && !Emit(f->code, i)) next = -1;
    } else if (const int32_t code = i < end ? NameAt(i, length) : 0) {
      next = Emit(code, i) ? i + length : -1;
    } else {
      Fail(TExpression::ErrorUnexpected, i);
    }
    if (next < 0) return -1;
    if (negate && !Emit(TExpression::cdNegate, i)) return -1;
    return next;
  }

  void CompileLevel(int start, int end, int depth) {
    TPending power, multiplicative, additive;
    bool operand = false;
    int i = start;
    while (i < end) {
      const char c = text_[i];
      if (operand && (c == '+' || c == '-' || c == '*' || c == '/' || c == '^')) {
        bool ok = EmitPending(power, i);
        if (c == '+' || c == '-') {
          ok = ok && EmitPending(multiplicative, i) && EmitPending(additive, i);
          additive = {true, c == '+' ? TExpression::cdAdd : TExpression::cdSubtract};
        } else if (c == '*' || c == '/') {
          ok = ok && EmitPending(multiplicative, i);
          multiplicative = {true, c == '*' ? TExpression::cdMultiply : TExpression::cdDivide};
        } else {
          power = {true, TExpression::cdPower};
        }
        if (!ok) return;
        operand = false;
        ++i;
        continue;
      }
      if (operand) {  // juxtaposition multiplies
        if (!EmitPending(power, i) || !EmitPending(multiplicative, i)) return;
        multiplicative = {true, TExpression::cdMultiply};
      }
      const int next = ReadOperand(i, end, depth);
      if (next < 0) return;
      operand = true;
      i = next;
    }
    if (!EmitPending(power, end) || !EmitPending(multiplicative, end) ||
        !EmitPending(additive, end)) {
      return;
    }
    if (!operand) Fail(TExpression::ErrorUnexpected, end);
  }
};

void TExpression::Compile(std::string_view text) {
  valid_ = false;
  if (text.empty()) return;
  TExpressionCompiler(*this, text).Run();
}

bool TExpression::DependsOnT() const {
  for (int i = 0; i <= MaxCodes; ++i) {
    if (code_[i] == cdT) return true;
    if (code_[i] == cdEnd) return false;
  }
  return false;
}
