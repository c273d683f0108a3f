// Any text compiles without crashing, and when it compiles, the fast evaluation agrees with
// the checked one at a few points, exceptions included.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "Expression.h"
#include "FloatError.h"

namespace {

struct TOutcome {
  unsigned char bits[10] = {};
  int error = -1;  // the EFloatError kind, or -1
  bool evalError = false;
};

template <typename Run>
TOutcome Outcome(TExpression& e, Run run) {
  TOutcome outcome;
  try {
    const long double value = run();
    std::memcpy(outcome.bits, &value, 10);
  } catch (const EFloatError& error) {
    outcome.error = static_cast<int>(error.Kind());
  }
  outcome.evalError = e.EvalError();
  return outcome;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TExpression e;
  e.Compile(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!e.Valid()) return 0;
  const long double points[][3] = {{0, 0, 0}, {1.5L, -2, 0.25L}, {-1e-3L, 1e10L, 3}};
  for (const auto& p : points) {
    const TOutcome fast = Outcome(e, [&] { return e.Evaluate(p[0], p[1], p[2]); });
    const TOutcome checked = Outcome(e, [&] { return e.EvaluateChecked(p[0], p[1], p[2]); });
    if (std::memcmp(fast.bits, checked.bits, 10) != 0 || fast.error != checked.error ||
        fast.evalError != checked.evalError) {
      std::abort();
    }
  }
  return 0;
}
