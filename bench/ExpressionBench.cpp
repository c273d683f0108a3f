// Evaluations per second of the formula interpreter against the same formulas written as
// compiled C++ in long double, over the same grid of samples, and the ratio between them.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Expression.h"
#include "MedianReporter.h"

namespace {

using std::cos, std::sin, std::exp, std::sqrt, std::log, std::fabs, std::tan;

struct TFormula {
  const char* text;
  long double (*compiled)(long double u, long double v, long double t);
};

const TFormula Formulas[] = {
    {"sin(u)*cos(v)", [](long double u, long double v, long double) { return sin(u) * cos(v); }},
    {"sin(u+t)*cos(v-t)",
     [](long double u, long double v, long double t) { return sin(u + t) * cos(v - t); }},
    {"u^2-v^2",
     [](long double u, long double v, long double) { return std::pow(u, 2.0L) - std::pow(v, 2.0L); }},
    {"sqrt(u*u+v*v)", [](long double u, long double v, long double) { return sqrt(u * u + v * v); }},
    {"exp(-(u^2+v^2)/4)*cos(3u+t)",
     [](long double u, long double v, long double t) {
       return exp(-(std::pow(u, 2.0L) + std::pow(v, 2.0L)) * (1 / 4.0L)) * cos(3 * u + t);
     }},
    {"(2+cos(v))cos(u)", [](long double u, long double v, long double) { return (2 + cos(v)) * cos(u); }},
    {"1.5sin(3u)cos(2v+t)+0.2uv",
     [](long double u, long double v, long double t) {
       return 1.5L * sin(3 * u) * cos(2 * v + t) + 0.2L * u * v;
     }},
    {"log(abs(u)+1)*tan(v/3)",
     [](long double u, long double v, long double) {
       return log(fabs(u) + 1) / log(10.0L) * tan(v * (1 / 3.0L));
     }},
};

// A 16 x 16 mesh over [-2, 2] x [-2, 2] at one t, as a surface frame samples it.
struct TGrid {
  std::vector<long double> u, v;
  TGrid() {
    for (int i = 0; i < 16; ++i) {
      for (int j = 0; j < 16; ++j) {
        u.push_back(-2 + i * 0.25L);
        v.push_back(-2 + j * 0.25L + 0.01L);
      }
    }
  }
};
const TGrid Grid;
constexpr long double T = 0.3L;

void BM_Interpreter(benchmark::State& state, const TFormula* f) {
  TExpression e;
  e.Compile(f->text);
  if (!e.Valid()) {
    state.SkipWithError("formula does not compile");
    return;
  }
  for (auto _ : state) {
    for (size_t i = 0; i < Grid.u.size(); ++i) {
      benchmark::DoNotOptimize(e.Evaluate(Grid.u[i], Grid.v[i], T));
    }
  }
  state.SetItemsProcessed(state.iterations() * Grid.u.size());
}

void BM_Compiled(benchmark::State& state, const TFormula* f) {
  for (auto _ : state) {
    for (size_t i = 0; i < Grid.u.size(); ++i) {
      benchmark::DoNotOptimize(f->compiled(Grid.u[i], Grid.v[i], T));
    }
  }
  state.SetItemsProcessed(state.iterations() * Grid.u.size());
}

// Prints the usual table, then one line per formula with the interpreter's slowdown.
class TRatioReporter : public TMedianReporter {
public:
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\n%-30s %14s %14s %8s\n", "formula", "interp. eval/s", "compiled eval/s", "ratio");
    double logSum = 0;
    double worst = 0;
    int count = 0;
    for (const TFormula& f : Formulas) {
      const double* interpreted = Nanoseconds(std::string("Interpreter/") + f.text);
      const double* compiled = Nanoseconds(std::string("Compiled/") + f.text);
      if (!interpreted || !compiled) continue;
      const double evals = 1e9 * Grid.u.size();  // evaluations per iteration, per second
      const double ratio = *interpreted / *compiled;
      std::printf("%-30s %14.3g %14.3g %8.2f\n", f.text, evals / *interpreted, evals / *compiled,
                  ratio);
      logSum += std::log(ratio);
      worst = std::max(worst, ratio);
      ++count;
    }
    if (count > 0) {
      std::printf("geometric mean ratio %.2f, worst %.2f (goal: mean <= 1.5, none above 3)\n",
                  std::exp(logSum / count), worst);
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  for (const TFormula& f : Formulas) {
    benchmark::RegisterBenchmark((std::string("Interpreter/") + f.text).c_str(), BM_Interpreter, &f);
    benchmark::RegisterBenchmark((std::string("Compiled/") + f.text).c_str(), BM_Compiled, &f);
  }
  benchmark::Initialize(&argc, argv);
  TRatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
