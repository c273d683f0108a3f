#include <fstream>
#include <istream>
#include <iterator>
#include <ostream>

#include "GraphFile.h"
#include "GraphText.h"
#include "TwkCommands.h"

int TwkDump(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: twk dump FILE\n";
    return 2;
  }
  try {
    out << DumpGraphSet(LoadGraphFile(args[0]));
    return 0;
  } catch (const EFileError& e) {
    err << "twk dump: " << e.what() << "\n";
    return 1;
  }
}

int TwkBuild(std::span<const std::string> args, std::istream& in, std::ostream& err) {
  std::string input, output;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-o" && i + 1 < args.size()) {
      output = args[++i];
    } else if (input.empty()) {
      input = args[i];
    } else {
      input.clear();
      break;
    }
  }
  if (input.empty() || output.empty()) {
    err << "usage: twk build TEXT -o FILE   (TEXT \"-\" reads standard input)\n";
    return 2;
  }
  std::string text;
  if (input == "-") {
    text.assign(std::istreambuf_iterator<char>(in), {});
  } else {
    std::ifstream file(input, std::ios::binary);
    if (!file) {
      err << "twk build: Cannot open file " << input << "\n";
      return 1;
    }
    text.assign(std::istreambuf_iterator<char>(file), {});
  }
  try {
    SaveGraphFile(output, BuildGraphSet(text));
    return 0;
  } catch (const EGraphTextError& e) {
    err << "twk build: " << (input == "-" ? "<stdin>" : input) << ": " << e.what() << "\n";
  } catch (const std::exception& e) {
    err << "twk build: " << e.what() << "\n";
  }
  return 1;
}
