#pragma once

// Steps of the accumulator program that TExpression::Evaluate runs (internal to the engine).
//
// The accumulator holds the top of the operand stack; the values below it live in a small
// array.  A leaf (variable or constant) that is the right operand of the operator after it is
// fused into that operator, so "u+1" is two steps, not three.  The variables come straight
// from the arguments of Evaluate and the constants from the expression's table: every 80-bit
// value copied through memory costs several cycles, more than a dispatch.
//
// The leaf forms: U, V, T read the variables, K reads literals_[operand].
#define EXPRESSION_LEAF_STEPS(X) \
  X(Load) X(PushLoad) X(AddLeaf) X(SubtractLeaf) X(MultiplyLeaf) X(DivideLeaf) X(PowerLeaf)

// Library functions, each with a step of its own so that the call is made directly.
#define EXPRESSION_FUNCTION_STEPS(X)                                                    \
  X(Log) X(Ln) X(Exp) X(Sqrt) X(Sin) X(Cos) X(Tan) X(Sec) X(Csc) X(Cot) X(Asin) X(Acos) \
  X(Atan) X(Sinh) X(Cosh) X(Tanh)

enum TExpressionStep : unsigned char {
#define EXPRESSION_LEAF_ENUM(name) st##name##U, st##name##V, st##name##T, st##name##K,
  EXPRESSION_LEAF_STEPS(EXPRESSION_LEAF_ENUM)
#undef EXPRESSION_LEAF_ENUM
#define EXPRESSION_FUNCTION_ENUM(name) st##name,
  EXPRESSION_FUNCTION_STEPS(EXPRESSION_FUNCTION_ENUM)
#undef EXPRESSION_FUNCTION_ENUM
  stAdd, stSubtract, stMultiply, stDivide, stPower,  // acc = pop() op acc
  stSquare,  // acc × acc: "u^2", "u*u"
  stNegate, stAbs,
  stEnd,
};
