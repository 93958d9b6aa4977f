// The console report of a benchmark program, followed by T(2N)/T(N) for every
// benchmark (and every "...Ms" counter) measured at both N and 2N. A ratio
// near 2 is linear, near 4 quadratic. Only the median of repeated runs counts,
// so register sizes with Repetitions().
#pragma once
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median" || run.error_occurred) continue;
      const long size = std::stol(run.run_name.args);
      medians_[run.run_name.function_name][size] = run.GetAdjustedRealTime();
      // Steps timed inside a run report themselves as counters in ms.
      for (const auto& [counter, value] : run.counters) {
        if (counter.size() > 2 && counter.compare(counter.size() - 2, 2, "Ms") == 0)
          medians_[run.run_name.function_name + "." + counter][size] = value;
      }
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    for (const auto& [step, bySize] : medians_) {
      for (const auto& [size, time] : bySize) {
        const auto twice = bySize.find(size * 2);
        if (twice == bySize.end() || time <= 0) continue;
        std::printf("%-26s T(%ld)/T(%ld) = %.2f\n", step.c_str(), size * 2, size, twice->second / time);
      }
    }
  }

 private:
  std::map<std::string, std::map<long, double>> medians_;
};
