// twk: command-line companion of the graph saver for formulas and graph set files.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif
#include <iostream>
#include <string>
#include <vector>

#include "TwkCommands.h"

namespace {

const char* const Usage =
    "usage: twk COMMAND ...\n"
    "\n"
    "  twk eval FORMULA [--u X] [--v Y] [--t T]\n"
    "  twk eval [--u X] [--v Y] [--t T] -- FORMULA\n"
    "      Compiles FORMULA and evaluates it at u = X, v = Y, t = T (each 0 when not given).\n"
    "      After \"--\" the next argument is the formula even when it starts with \"--\".\n"
    "      Prints the value with 20 significant digits and exits 0.  Exits 1 after printing\n"
    "      \"syntax error CODE at POS\" (CODE 10001: unexpected character or missing operand,\n"
    "      10002: unbalanced parenthesis; POS counts from 0), \"eval error\" (a math function\n"
    "      failed, such as ln(0)) or the message of a floating-point exception of +, -, *, /.\n"
    "\n"
    "      Formulas: numbers (2, .5, 1.5e-3), u or x, v or y, t, pi, + - * / ^ (left\n"
    "      associative, ^ first), juxtaposition multiplies (2pi, 3sin(u), uv), and\n"
    "      sin cos tan sec csc cot asin acos atan sinh cosh tanh ln log exp sqrt abs\n"
    "      with their parenthesis directly after the name.  No blanks.\n"
    "\n"
    "  twk list FILE\n"
    "      One line per graph of a graph set file (.twk): number, name, kind, coordinate\n"
    "      system and the three function texts.\n"
    "\n"
    "  twk dump FILE\n"
    "      Every chunk of a graph set file as text: one [graph] section per graph with every\n"
    "      field as KEY = VALUE, one [raw] section per chunk that is not a graph.\n"
    "\n"
    "  twk build TEXT -o FILE\n"
    "      Turns such text (\"-\" reads standard input) back into a graph set file; keys left\n"
    "      out of a [graph] take the defaults of a new graph.  A bad line is reported with its\n"
    "      number.  twk dump FILE | twk build - -o COPY reproduces FILE byte for byte.\n"
    "\n"
    "  twk check FILE\n"
    "      Compiles every formula text of every graph and reports each error as\n"
    "      graph 2 \"Waves\": Func3Text: syntax error 10001 at 4.  Exits 1 when any was found.\n"
    "\n"
    "  twk render FILE [--graph N] [--frame K | --frames | --gif] [--size WxH] -o OUT\n"
    "      Draws what the screen saver shows for frame K (default 1) of graph N (default\n"
    "      1) at W x H pixels (default 500x500) into a PNG file; --frames draws the whole\n"
    "      cycle as OUT-001.png, OUT-002.png, ...; --gif writes the whole cycle as one\n"
    "      animated GIF that loops for ever, each frame shown for 100 / FramesPerSecond\n"
    "      hundredths of a second (at least 2).  Frames of at most 256 colours are exact,\n"
    "      others are reduced to 255 colours.\n"
    "\n"
    "  twk --help\n"
    "      Shows this text.\n";

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Graph set text keeps its bytes as they are: no CR LF translation on the standard streams.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    std::cout << Usage;
    return args.empty() ? 2 : 0;
  }
  const std::vector<std::string> rest(args.begin() + 1, args.end());
  if (args[0] == "eval") return TwkEval(rest, std::cout, std::cerr);
  if (args[0] == "list") return TwkList(rest, std::cout, std::cerr);
  if (args[0] == "dump") return TwkDump(rest, std::cout, std::cerr);
  if (args[0] == "build") return TwkBuild(rest, std::cin, std::cerr);
  if (args[0] == "check") return TwkCheck(rest, std::cout, std::cerr);
  if (args[0] == "render") return TwkRender(rest, std::cout, std::cerr);
  std::cerr << "twk: unknown command '" << args[0] << "' (twk --help lists the commands)\n";
  return 2;
}
