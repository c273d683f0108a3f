#include <ostream>

#include "Expression.h"
#include "FloatError.h"
#include "GraphFile.h"
#include "TwkCommands.h"

namespace {

// The texts that must hold a formula: the three functions of a surface, two of a curve.  The
// range, window and view texts may be empty (they count as 0) but must compile when given.
bool MustNotBeEmpty(const TGraphDoc& doc, TGraphText text) {
  return text == gtFunc1 || text == gtFunc2 || (text == gtFunc3 && doc.Kind != gkCurve2D);
}

}  // namespace

int TwkCheck(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  if (args.size() != 1) {
    err << "usage: twk check FILE\n";
    return 2;
  }
  try {
    TGraphSet set = LoadGraphFile(args[0]);
    int errors = 0;
    for (int i = 0; i < set.Count(); ++i) {
      TGraphDoc& doc = set.Doc(i);
      const auto report = [&](const std::string& what) {
        out << "graph " << i + 1 << " \"" << doc.Text(gtName) << "\": " << what << "\n";
        ++errors;
      };
      for (int t = gtFunc1; t < GraphTextCount; ++t) {
        const TGraphText text = static_cast<TGraphText>(t);
        TExpression expression;
        expression.Compile(doc.Text(text));
        if (doc.Text(text).empty()) {
          if (MustNotBeEmpty(doc, text)) report(std::string(GraphTextName(text)) + ": empty");
        } else if (!expression.Valid()) {
          report(std::string(GraphTextName(text)) + ": syntax error " +
                 std::to_string(expression.ErrorCode()) + " at " +
                 std::to_string(expression.ErrorPos()));
        }
      }
      try {  // a count of 0, say, only shows when the ranges are worked out
        doc.EvaluateAt(0);
      } catch (const EFloatError& e) {
        report(std::string("ranges at t = 0: ") + e.what());
      }
    }
    return errors == 0 ? 0 : 1;
  } catch (const EFileError& e) {
    err << "twk check: " << e.what() << "\n";
    return 1;
  }
}
