#include "TwkCommands.h"

#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "Expression.h"
#include "FloatError.h"

namespace {

// A variable's value: a number as the C library reads a long double (1.5, -2, 1e-3).
bool ParseValue(const std::string& text, long double& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  value = std::strtold(text.c_str(), &end);
  return *end == '\0';
}

std::string Format20(long double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.20Lg", value);
  return buffer;
}

}  // namespace

int TwkEval(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  std::string formula;
  bool haveFormula = false;
  long double values[3] = {0, 0, 0};
  bool optionsEnded = false;  // after "--" every argument is the formula, "--u" included
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const int which =
        optionsEnded ? -1 : a == "--u" ? 0 : a == "--v" ? 1 : a == "--t" ? 2 : -1;
    if (!optionsEnded && a == "--") {
      optionsEnded = true;
    } else if (which >= 0) {
      if (i + 1 >= args.size() || !ParseValue(args[i + 1], values[which])) {
        err << "twk eval: " << a << " needs a number\n";
        return 2;
      }
      ++i;
    } else if (!haveFormula) {
      formula = a;
      haveFormula = true;
    } else {
      err << "twk eval: unexpected argument '" << a << "'\n";
      return 2;
    }
  }
  if (!haveFormula) {
    err << "twk eval: no formula given\n";
    return 2;
  }

  TExpression expression;
  expression.Compile(formula);
  if (!expression.Valid()) {
    if (formula.empty()) {
      out << "empty formula\n";
    } else {
      out << "syntax error " << expression.ErrorCode() << " at " << expression.ErrorPos() << "\n";
    }
    return 1;
  }
  try {
    const long double value = expression.Evaluate(values[0], values[1], values[2]);
    if (expression.EvalError()) {
      out << "eval error\n";
      return 1;
    }
    out << Format20(value) << "\n";
    return 0;
  } catch (const EFloatError& e) {
    out << e.what() << "\n";
    return 1;
  }
}
