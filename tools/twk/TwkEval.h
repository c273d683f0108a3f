#pragma once

#include <iosfwd>
#include <span>
#include <string>

// `twk eval FORMULA [--u X] [--v Y] [--t T]`: compiles one formula, evaluates it and prints
// the value with 20 significant digits, "eval error", "syntax error CODE at POS" or the message
// of a floating-point exception.  Returns the exit status: 0 for a value, 1 for any error,
// 2 for a bad command line.
int TwkEval(std::span<const std::string> args, std::ostream& out, std::ostream& err);
