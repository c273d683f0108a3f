#include "Expression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "FloatError.h"

namespace {

// The 10 bytes of an extended value, most significant first, as hex.
std::string ExtendedHex(long double x) {
  unsigned char bytes[16] = {};
  std::memcpy(bytes, &x, 10);
  std::string hex;
  static const char digits[] = "0123456789abcdef";
  for (int i = 9; i >= 0; --i) {
    hex += digits[bytes[i] >> 4];
    hex += digits[bytes[i] & 15];
  }
  return hex;
}

long double Eval(const char* text, long double u = 0, long double v = 0, long double t = 0) {
  TExpression e;
  e.Compile(text);
  EXPECT_TRUE(e.Valid()) << text << ": error " << e.ErrorCode() << " at " << e.ErrorPos();
  const long double value = e.Evaluate(u, v, t);
  EXPECT_FALSE(e.EvalError()) << text;
  return value;
}

// Hides a value from the compiler, so that the oracle calls the same run-time library as the
// evaluator instead of a constant folded with other rounding.
long double Runtime(long double x) {
  volatile long double hidden = x;
  return hidden;
}

// Division in formulas multiplies by the reciprocal; the oracle has to do the same.
long double Div(long double a, long double b) { return a * (1 / b); }

struct TValueCase {
  const char* text;
  long double u, v, t;
  long double expected;  // computed by the compiler, an independent oracle
};

TEST(Expression, GrammarAgreesWithCompiledCode) {
  const long double Pi = 3.141592653589793;  // the double value of pi, widened
  const TValueCase cases[] = {
      // precedence and left associativity, "^" included
      {"1+2*3", 0, 0, 0, 1 + 2 * 3},
      {"2*3^2", 0, 0, 0, 2 * 9},
      {"2^3*2", 0, 0, 0, 8 * 2},
      {"1-2+3", 0, 0, 0, 2},
      {"1+2*3^2*2-6/3", 0, 0, 0, 1 + 2 * 9 * 2 - Div(6, 3)},
      {"2^3^2", 0, 0, 0, 64},
      {"8/2/2", 0, 0, 0, Div(Div(8, 2), 2)},
      {"3-(2-4)", 0, 0, 0, 3 - (2 - 4)},
      {"u/3", 1, 0, 0, Div(1, 3)},
      // juxtaposition multiplies with "*" precedence
      {"5u", 2, 0, 0, 10},
      {"uv", 2, 3, 0, 6},
      {"tx", 2, 0, 5, 10},
      {"2pi", 0, 0, 0, 2 * Pi},
      {"3sin(u)", 0.5L, 0, 0, 3 * std::sin(Runtime(0.5L))},
      {"(u+1)(v-1)", 2, 5, 0, 3 * 4},
      {"u2", 3, 0, 0, 6},
      {"2^3u", 2, 0, 0, 16},
      {"1+2u^2", 3, 0, 0, 19},
      {"2exp(0)", 0, 0, 0, 2},
      // unary sign binds to the single operand
      {"-u^2", 3, 0, 0, 9},
      {"2^-1", 0, 0, 0, 0.5L},
      {"2^-u", 2, 0, 0, 0.25L},
      {"2*-3", 0, 0, 0, -6},
      {"2--3", 0, 0, 0, 5},
      {"+u", 4, 0, 0, 4},
      {"-(u+1)", 4, 0, 0, -5},
      {"-sin(2u)", 1, 0, 0, -std::sin(Runtime(2.0L))},
      // aliases and literals
      {"x", 7, 0, 0, 7},
      {"y", 0, 8, 0, 8},
      {"x-u", 7, 0, 0, 0},
      {"1.2.3", 0, 0, 0, 1.2L * 0.3L},
      {".", 0, 0, 0, 0},
      {".5", 0, 0, 0, 0.5L},
      {"7.", 0, 0, 0, 7},
      {"1.5e-3", 0, 0, 0, 1.5e-3L},
      {"2E+2u", 2, 0, 0, 400},
      // every function, against the C library's extended forms
      {"log(100)", 0, 0, 0, std::log(Runtime(100.0L)) / std::log(Runtime(10.0L))},
      {"ln(u)", 2, 0, 0, std::log(Runtime(2.0L))},
      {"exp(u)", 2, 0, 0, std::exp(Runtime(2.0L))},
      {"abs(u)", -2, 0, 0, 2},
      {"sqrt(u)", 2, 0, 0, std::sqrt(Runtime(2.0L))},
      {"sin(u)", 0.7L, 0, 0, std::sin(Runtime(0.7L))},
      {"cos(u)", 0.7L, 0, 0, std::cos(Runtime(0.7L))},
      {"tan(u)", 0.7L, 0, 0, std::tan(Runtime(0.7L))},
      {"sec(0)", 0, 0, 0, 1},
      {"sec(u)", 0.7L, 0, 0, Div(1, std::cos(Runtime(0.7L)))},
      {"csc(u)", 0.7L, 0, 0, Div(1, std::sin(Runtime(0.7L)))},
      {"cot(u)", 0.7L, 0, 0, Div(1, std::tan(Runtime(0.7L)))},
      {"asin(u)", 0.3L, 0, 0, std::asin(Runtime(0.3L))},
      {"acos(u)", 0.3L, 0, 0, std::acos(Runtime(0.3L))},
      {"atan(u)", 0.3L, 0, 0, std::atan(Runtime(0.3L))},
      {"sinh(u)", 0.3L, 0, 0, std::sinh(Runtime(0.3L))},
      {"cosh(u)", 0.3L, 0, 0, std::cosh(Runtime(0.3L))},
      {"tanh(u)", 0.3L, 0, 0, std::tanh(Runtime(0.3L))},
      {"u^v", 1.5L, 2.5L, 0, std::pow(Runtime(1.5L), 2.5L)},
      {"sin(u+t)*cos(v-t)", 0.3L, 0.4L, 0.1L, std::sin(Runtime(0.3L + 0.1L)) * std::cos(Runtime(0.4L - 0.1L))},
      {"(2+cos(v))cos(u)", 0.3L, 0.4L, 0, (2 + std::cos(Runtime(0.4L))) * std::cos(Runtime(0.3L))},
      // underflow is not an error: the library's value is used
      {"exp(-100000)", 0, 0, 0, 0},
      {"10^-100000", 0, 0, 0, 0},
  };
  for (const TValueCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ExtendedHex(Eval(c.text, c.u, c.v, c.t)), ExtendedHex(c.expected));
  }
}

TEST(Expression, ExtendedPrecisionIsIdenticalOnEveryTarget) {
  // pi is the double value widened, not the extended pi
  EXPECT_EQ(ExtendedHex(Eval("pi")), "4000c90fdaa22168c000");
  EXPECT_EQ(ExtendedHex(Eval("2pi")), "4001c90fdaa22168c000");
  // literals are correctly rounded to 64 bits, and arithmetic keeps all of them
  EXPECT_EQ(ExtendedHex(Eval("0.1")), "3ffbcccccccccccccccd");
  EXPECT_EQ(ExtendedHex(Eval("1/3")), "3ffdaaaaaaaaaaaaaaab");
  EXPECT_EQ(ExtendedHex(Eval("u+1", 1e-19L)), ExtendedHex(1 + 1e-19L));
  EXPECT_NE(Eval("u+1", 1e-19L), 1.0L);
}

TEST(Expression, CompilesToThePostfixCode) {
  struct TCodeCase {
    const char* text;
    std::vector<int32_t> code;
  };
  const TCodeCase cases[] = {
      {"1+2*3", {0, 0, 0, 7, 5, 99}},
      {"u^2-v", {1, 0, 9, 2, 6, 99}},
      {"-sin(2u)", {0, 1, 7, 60, 25, 99}},
      {"2(u+1)", {0, 1, 0, 5, 7, 99}},
      {"pi*t", {11, 3, 7, 99}},
      {"sinh(u)cosh(v)tanh(t)", {1, 72, 2, 73, 7, 3, 74, 7, 99}},
      {"asin(u)acos(u)atan(u)", {1, 66, 1, 67, 7, 1, 68, 7, 99}},
      {"log(u)ln(u)exp(u)sqrt(u)abs(u)", {1, 12, 1, 13, 7, 1, 14, 7, 1, 27, 7, 1, 15, 7, 99}},
      {"sec(u)csc(u)cot(u)tan(u)", {1, 63, 1, 64, 7, 1, 65, 7, 1, 62, 7, 99}},
      {"((u))", {1, 99}},
  };
  for (const TCodeCase& c : cases) {
    TExpression e;
    e.Compile(c.text);
    ASSERT_TRUE(e.Valid()) << c.text;
    const std::vector<int32_t> code(e.Code().begin(), e.Code().end());
    EXPECT_EQ(code, c.code) << c.text;
  }
  TExpression e;
  e.Compile("2u+.5-3.25");
  const std::vector<long double> constants(e.Constants().begin(), e.Constants().end());
  EXPECT_EQ(constants, (std::vector<long double>{2, 0.5L, 3.25L}));
}

TEST(Expression, CompileErrorsNameTheirCodeAndPosition) {
  struct TErrorCase {
    const char* text;
    int32_t code;
    int32_t pos;
    const char* fault;
  };
  const std::string longLiteral(32, '1');
  const TErrorCase cases[] = {
      {"sin u", 10001, 0, "a blank after a function name"},
      {"sin()", 10001, 4, "an empty argument"},
      {"(u+1", 10002, 4, "an unclosed group"},
      {"sin(u", 10002, 5, "an unclosed function call"},
      {"u+", 10001, 2, "a text ending in an operator"},
      {"u*", 10001, 2, "a text ending in an operator"},
      {"--u", 10001, 1, "a second sign"},
      {"u^^2", 10001, 2, "two operators"},
      {"Sin(u)", 10001, 0, "an upper-case name"},
      {"u)", 10001, 1, "a stray parenthesis"},
      {"()", 10001, 1, "an empty group"},
      {"2e5u+q", 10001, 5, "an unknown letter"},
      {"2-e5", 10001, 2, "an exponent without its mantissa"},
      {"2e", 10001, 1, "an exponent without digits"},
      {"1e99999", 10001, 0, "a literal beyond the extended range"},
      {"p", 10001, 0, "half a name"},
      {"u v", 10001, 1, "a blank between operands"},
      {"(u+)(v", 10002, 6, "the last error met wins"},
      {"sin(u+)*2", 10001, 6, "an error inside a group, the rest compiled"},
  };
  for (const TErrorCase& c : cases) {
    TExpression e;
    e.Compile(c.text);
    EXPECT_FALSE(e.Valid()) << c.fault;
    EXPECT_EQ(e.ErrorCode(), c.code) << c.fault;
    EXPECT_EQ(e.ErrorPos(), c.pos) << c.fault;
    EXPECT_EQ(e.Evaluate(1, 1, 1), 0) << c.fault;
    EXPECT_TRUE(e.EvalError()) << "an invalid expression evaluates as an error: " << c.fault;
  }
}

TEST(Expression, EmptyTextLeavesEverythingElseAlone) {
  TExpression e;
  e.Compile("u+");
  e.Compile("");
  EXPECT_FALSE(e.Valid());
  EXPECT_EQ(e.ErrorCode(), 10001);
  EXPECT_EQ(e.ErrorPos(), 2);

  e.Compile("u+1");
  ASSERT_TRUE(e.Valid());
  e.Compile("");
  EXPECT_FALSE(e.Valid());
  EXPECT_EQ(e.Code().size(), 4u) << "the code list is left as it was";
}

TEST(Expression, TableLimitsAreCompileErrorsAtTheTokenThatDoesNotFit) {
  auto sum = [](int terms) {
    std::string text = "1";
    for (int i = 1; i < terms; ++i) text += "+1";
    return text;
  };
  TExpression e;
  e.Compile(sum(64));
  EXPECT_TRUE(e.Valid());
  EXPECT_EQ(e.Evaluate(0, 0, 0), 64);
  e.Compile(sum(65));
  EXPECT_FALSE(e.Valid());
  EXPECT_EQ(e.ErrorPos(), 128) << "the 65th literal";

  // 64 variables and 63 additions fill the 127 codes; one more operand does not fit.
  std::string codes = "u";
  for (int i = 1; i < 64; ++i) codes += "+u";
  e.Compile(codes);
  EXPECT_TRUE(e.Valid());
  EXPECT_EQ(e.Code().size(), 128u);
  e.Compile(codes + "-u");
  EXPECT_FALSE(e.Valid());
  EXPECT_EQ(e.ErrorCode(), 10001);

  e.Compile("u+" + std::string(31, '7'));
  EXPECT_TRUE(e.Valid());
  e.Compile("u+" + std::string(32, '7'));
  EXPECT_FALSE(e.Valid());
  EXPECT_EQ(e.ErrorPos(), 2);
}

TEST(Expression, DeepNestingIsAnErrorNotAStackOverflow) {
  const auto nested = [](int depth) {
    return std::string(depth, '(') + "u" + std::string(depth, ')');
  };
  TExpression e;
  e.Compile(nested(TExpression::MaxNesting));
  EXPECT_TRUE(e.Valid());
  EXPECT_EQ(e.Evaluate(3, 0, 0), 3);
  e.Compile(nested(TExpression::MaxNesting + 1));
  EXPECT_FALSE(e.Valid());
  EXPECT_EQ(e.ErrorPos(), TExpression::MaxNesting);

  for (const std::string& text : {nested(100000), std::string(100000, '('),
                                  "sin(" + nested(50000) + ")", std::string(50000, '-')}) {
    e.Compile(text);
    EXPECT_FALSE(e.Valid());
  }
}

TEST(Expression, LibraryErrorsGiveZeroWithEvalErrorThenRecover) {
  struct TMathCase {
    const char* text;
    long double u;
  };
  // domain errors, poles and overflow of the library functions, on every target alike
  const TMathCase errors[] = {
      {"ln(u)", 0},       {"ln(u)", -1},       {"log(u)", 0},     {"sqrt(u)", -1},
      {"asin(u)", 2},     {"acos(u)", -2},     {"u^(1/3)", -8},   {"u^-1", 0},
      {"exp(u)", 100000}, {"sinh(u)", 100000}, {"cosh(u)", -1e5}, {"10^u", 100000},
      {"sin(u)", std::numeric_limits<long double>::infinity()},
      {"sec(u)", std::numeric_limits<long double>::infinity()},
  };
  for (const TMathCase& c : errors) {
    TExpression e;
    e.Compile(c.text);
    ASSERT_TRUE(e.Valid()) << c.text;
    EXPECT_EQ(e.Evaluate(c.u, 0, 0), 0) << c.text;
    EXPECT_TRUE(e.EvalError()) << c.text << " at " << static_cast<double>(c.u);
  }

  TExpression e;
  e.Compile("1+ln(u)");
  EXPECT_EQ(e.Evaluate(0, 0, 0), 0);
  EXPECT_TRUE(e.EvalError());
  EXPECT_EQ(e.Evaluate(1, 0, 0), 1);
  EXPECT_FALSE(e.EvalError()) << "the flag is cleared by the next evaluation";

  // results that are infinite or NaN because an argument already was are not new errors
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(Eval("exp(u)", inf), inf);
  EXPECT_EQ(Eval("abs(u)", -inf), inf);
  EXPECT_TRUE(std::isnan(Eval("sin(u)", std::nanl(""))));
}

TEST(Expression, ArithmeticFaultsRaiseFloatErrors) {
  const long double inf = std::numeric_limits<long double>::infinity();
  struct TFaultCase {
    const char* text;
    long double u;
    EFloatError::TKind kind;
    const char* message;
  };
  const TFaultCase cases[] = {
      {"1/u", 0, EFloatError::TKind::ZeroDivide, "Floating point division by zero"},
      {"0/u", 0, EFloatError::TKind::ZeroDivide, "Floating point division by zero"},
      {"csc(u)", 0, EFloatError::TKind::ZeroDivide, "Floating point division by zero"},
      {"cot(u)", 0, EFloatError::TKind::ZeroDivide, "Floating point division by zero"},
      {"u-u", inf, EFloatError::TKind::InvalidOp, "Invalid floating point operation"},
      {"0u", inf, EFloatError::TKind::InvalidOp, "Invalid floating point operation"},
      {"10^4000*10^4000", 0, EFloatError::TKind::Overflow, "Floating point overflow"},
      {"10^4932+10^4932", 0, EFloatError::TKind::Overflow, "Floating point overflow"},
      {"-(10^4932)-10^4932", 0, EFloatError::TKind::Overflow, "Floating point overflow"},
      {"10^4000/10^-1000", 0, EFloatError::TKind::Overflow, "Floating point overflow"},
      {"1/u", 1e-4940L, EFloatError::TKind::Overflow, "Floating point overflow"},
  };
  for (const TFaultCase& c : cases) {
    TExpression e;
    e.Compile(c.text);
    ASSERT_TRUE(e.Valid()) << c.text;
    try {
      e.Evaluate(c.u, 0, 0);
      ADD_FAILURE() << c.text << " raised nothing";
    } catch (const EFloatError& error) {
      EXPECT_EQ(error.Kind(), c.kind) << c.text;
      EXPECT_STREQ(error.what(), c.message) << c.text;
    }
    // the same expression evaluates normally afterwards
    e.Compile("u+1");
    EXPECT_EQ(e.Evaluate(1, 0, 0), 2);
  }
  // infinite operands pass through plain arithmetic silently, as on the x87
  EXPECT_EQ(Eval("u+1", inf), inf);
  EXPECT_EQ(Eval("2u", inf), inf);
}

TEST(Expression, RingWrapsAfterTenPendingOperands) {
  // Twelve operands are pending before the first addition, so 11 and u overwrite 1 and 2:
  // 11+u = 23, then 10, 9, ..., 3 are added (75), then u again (87) and finally the 23
  // that the first sum left where 1 was: 110 instead of 78.
  EXPECT_EQ(Eval("1+(2+(3+(4+(5+(6+(7+(8+(9+(10+(11+u))))))))))", 12), 110);
  // ten pending operands still fit
  EXPECT_EQ(Eval("1+(2+(3+(4+(5+(6+(7+(8+(9+u))))))))", 10), 55);
  // the ring is not cleared between evaluations and results do not depend on it
  TExpression e;
  e.Compile("1+(2+(3+(4+(5+(6+(7+(8+(9+(10+(11+u))))))))))");
  for (int i = 0; i < 7; ++i) EXPECT_EQ(e.Evaluate(12, 0, 0), 110);
}

TEST(Expression, DependsOnTFindsTheParameter) {
  const struct {
    const char* text;
    bool depends;
  } cases[] = {
      {"sin(u+t)", true}, {"sin(u)", false}, {"tan(u)", false}, {"t", true},
      {"2pi", false},     {"uvt", true},     {"sqrt(t)", true},
  };
  for (const auto& c : cases) {
    TExpression e;
    e.Compile(c.text);
    EXPECT_EQ(e.DependsOnT(), c.depends) << c.text;
  }
  TExpression never;
  EXPECT_FALSE(never.DependsOnT()) << "never compiled";
}

}  // namespace

namespace {

// Random formulas from the grammar, leaning on what the accumulator program treats specially:
// fused leaves, squares, reciprocals of constants, deep nesting and every function.
class TFormulaGenerator {
public:
  explicit TFormulaGenerator(unsigned seed) : state_(seed) {}

  std::string Formula(int depth) {
    std::string text = Operand(depth);
    const int terms = Next(4);
    for (int i = 0; i < terms; ++i) {
      static const char* const ops[] = {"+", "-", "*", "/", "^", ""};
      text += ops[Next(6)];
      text += Operand(depth);
    }
    return text;
  }

private:
  unsigned Next(unsigned bound) {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 16) % bound;
  }

  std::string Operand(int depth) {
    static const char* const leaves[] = {"u", "v", "t", "x", "y", "pi", "2", "0.5", "3", "0",
                                         "1e-3", "10"};
    static const char* const functions[] = {"sin", "cos", "tan", "sec", "csc", "cot", "asin",
                                            "acos", "atan", "sinh", "cosh", "tanh", "ln",
                                            "log", "exp", "sqrt", "abs"};
    std::string sign = Next(5) == 0 ? "-" : "";
    const unsigned kind = depth > 0 ? Next(4) : 0;
    if (kind == 0) return sign + leaves[Next(12)];
    if (kind == 1) return sign + "(" + Formula(depth - 1) + ")";
    return sign + functions[Next(17)] + "(" + Formula(depth - 1) + ")";
  }

  unsigned state_;
};

struct TOutcome {
  std::string value;  // the bits of the result, or the exception's message
  bool evalError = false;
  bool operator==(const TOutcome&) const = default;
};

template <typename Run>
TOutcome Outcome(Run run) {
  TOutcome outcome;
  try {
    outcome.value = ExtendedHex(run());
  } catch (const EFloatError& e) {
    outcome.value = e.what();
  }
  return outcome;
}

TEST(Expression, FastProgramAgreesWithTheCheckedRun) {
  const long double samples[][3] = {{0, 0, 0},     {1, 2, 3},        {-2.5L, 0.5L, 1},
                                    {1e-3L, -7, 0}, {1e300L, 1, 1},  {3.14159L, -1, 0.25L},
                                    {-0.0L, 1e-4000L, 2}};
  int compiled = 0;
  for (unsigned seed = 1; seed <= 3000; ++seed) {
    TFormulaGenerator generator(seed);
    const std::string text = generator.Formula(3);
    TExpression e;
    e.Compile(text);
    if (!e.Valid()) continue;
    ++compiled;
    for (const auto& s : samples) {
      TOutcome fast = Outcome([&] { return e.Evaluate(s[0], s[1], s[2]); });
      fast.evalError = e.EvalError();
      TOutcome checked = Outcome([&] { return e.EvaluateChecked(s[0], s[1], s[2]); });
      checked.evalError = e.EvalError();
      ASSERT_EQ(fast, checked) << text << " at u = " << static_cast<double>(s[0])
                               << ", v = " << static_cast<double>(s[1]);
    }
  }
  EXPECT_GT(compiled, 2000) << "the generator should mostly write valid formulas";
}

}  // namespace
