#ifndef XA_BENCH_THROUGHPUT_REPORTER_H_
#define XA_BENCH_THROUGHPUT_REPORTER_H_

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace xa::bench {

// Prints the usual table and keeps each benchmark's best throughput over its repetitions (bytes
// a second, by function name) so that main can print ratios measured in the same run.
class ThroughputReporter : public benchmark::ConsoleReporter {
 public:
  // Colours only on a terminal, so that piped output stays plain text.
  ThroughputReporter() : ConsoleReporter(::isatty(1) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& reports) override {
    ConsoleReporter::ReportRuns(reports);
    for (const Run& run : reports) {
      const auto it = run.counters.find("bytes_per_second");
      if (run.error_occurred || run.run_type != Run::RT_Iteration || it == run.counters.end())
        continue;
      double& best = bytes_per_second[run.run_name.function_name];
      best = std::max(best, it->second.value);
    }
  }

  std::map<std::string, double> bytes_per_second;
};

}  // namespace xa::bench

#endif  // XA_BENCH_THROUGHPUT_REPORTER_H_
