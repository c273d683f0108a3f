#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// The console report, plus the CPU time of every benchmark by name for a summary printed
// after the table: the median of repeated runs when there are repetitions, else the single
// run.  Derived reporters print their summary in Finalize.
class TMedianReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      const std::string name = run.run_name.str();
      if (run.run_type == Run::RT_Iteration && !nanoseconds_.contains(name)) {
        nanoseconds_[name] = run.GetAdjustedCPUTime();
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        nanoseconds_[name] = run.GetAdjustedCPUTime();
      }
    }
  }

protected:
  // CPU nanoseconds per iteration of the named benchmark, or nullptr when it did not run.
  const double* Nanoseconds(const std::string& name) const {
    const auto found = nanoseconds_.find(name);
    return found == nanoseconds_.end() ? nullptr : &found->second;
  }

private:
  std::map<std::string, double> nanoseconds_;
};
