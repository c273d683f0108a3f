// Translation of the postfix code into the accumulator program that Evaluate runs.
#include "Expression.h"
#include "ExpressionProgram.h"

namespace {

bool IsLeaf(int32_t code) {
  return code == TExpression::cdLiteral || code == TExpression::cdU || code == TExpression::cdV ||
         code == TExpression::cdT || code == TExpression::cdPi;
}

bool IsBinary(int32_t code) {
  return code >= TExpression::cdAdd && code <= TExpression::cdPower;
}

// Offset of a leaf's form within each leaf step family (U, V, T, K).
int LeafForm(int32_t code) {
  switch (code) {
    case TExpression::cdU: return 0;
    case TExpression::cdV: return 1;
    case TExpression::cdT: return 2;
    default: return 3;
  }
}

}  // namespace

void TExpression::BuildProgram() {
  for (int k = 0; k < constantCount_; ++k) literals_[k] = constants_[k];
  const int piLiteral = constantCount_;
  literals_[piLiteral] = 3.141592653589793;  // the double value of pi, widened

  // The deepest the ring gets decides whether the program may run on a plain stack.
  int depth = 0, deepest = 0;
  for (int i = 0; i < codeCount_; ++i) {
    depth += IsLeaf(code_[i]) ? 1 : IsBinary(code_[i]) ? -1 : 0;
    deepest = depth > deepest ? depth : deepest;
  }
  onRing_ = deepest > TOperandRing::Size;

  int literal = 0;
  int extraLiterals = piLiteral + 1;  // reciprocals of divisors go after pi
  int steps = 0;
  for (int i = 0; i < codeCount_; ++i) {
    const int32_t code = code_[i];
    const int32_t next = code_[i + 1];  // the end code at the latest
    if (IsLeaf(code)) {
      const bool isLiteral = code == cdLiteral;
      const bool isConstant = isLiteral || code == cdPi;
      uint8_t operand = static_cast<uint8_t>(isLiteral ? literal++ : code == cdPi ? piLiteral : 0);
      const int form = LeafForm(code);
      const bool squaresLiteral = next == cdPower && isLiteral && constants_[operand] == 2;
      // "uu" or "u*u": the leaf before this one was loaded into the accumulator (it is followed
      // by a leaf, so it was not fused), and the product needs no second load.
      const bool squaresLeaf = next == cdMultiply && !isConstant && i > 0 && code_[i - 1] == code;
      if (squaresLiteral || squaresLeaf) {
        program_[steps++] = {stSquare, 0};
        ++i;
      } else if (IsBinary(next) && steps > 0) {  // fused: acc = acc op leaf
        int32_t op = next;
        // Dividing by a constant multiplies by the same reciprocal every time; computed once
        // here it is the identical value.  A reciprocal that is not finite stays a division,
        // so that the checked run reports it.
        const long double reciprocal = isConstant ? 1 / literals_[operand] : 0;
        if (op == cdDivide && isConstant && reciprocal - reciprocal == 0) {
          literals_[extraLiterals] = reciprocal;
          operand = static_cast<uint8_t>(extraLiterals++);
          op = cdMultiply;
        }
        static constexpr TExpressionStep families[] = {stAddLeafU, stSubtractLeafU,
                                                       stMultiplyLeafU, stDivideLeafU,
                                                       stPowerLeafU};
        program_[steps++] = {static_cast<uint8_t>(families[op - cdAdd] + form), operand};
        ++i;
      } else {
        const TExpressionStep family = steps > 0 ? stPushLoadU : stLoadU;
        program_[steps++] = {static_cast<uint8_t>(family + form), operand};
      }
      continue;
    }
    TExpressionStep step = stEnd;
    switch (code) {
      case cdAdd: step = stAdd; break;
      case cdSubtract: step = stSubtract; break;
      case cdMultiply: step = stMultiply; break;
      case cdDivide: step = stDivide; break;
      case cdPower: step = stPower; break;
      case cdNegate: step = stNegate; break;
      case cdAbs: step = stAbs; break;
#define FUNCTION_STEP(name) case cd##name: step = st##name; break;
      EXPRESSION_FUNCTION_STEPS(FUNCTION_STEP)
#undef FUNCTION_STEP
    }
    program_[steps++] = {static_cast<uint8_t>(step), 0};
  }
  program_[steps] = {stEnd, 0};
}
