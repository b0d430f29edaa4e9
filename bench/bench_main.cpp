#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

#include "platform/debug_output.h"

namespace {

// Prints the usual console report (in colour only on a terminal), then one line per benchmark
// pair: the "<name>_Tesk" time as a ratio of its "<name>_Anchor". A benchmark without an anchor
// gets a line with its time alone. With more than one ratio, their geometric mean follows.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.benchmark_name()] = {run.GetAdjustedRealTime(), benchmark::GetTimeUnitString(run.time_unit)};
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const std::string tesk = "_Tesk";
    const std::string anchor = "_Anchor";
    double logSum = 0;
    int ratios = 0;
    for (const auto& [name, time] : times_) {
      if (name.find(anchor) != std::string::npos) continue;
      std::string anchorName = name;
      const auto at = name.find(tesk);
      if (at != std::string::npos) anchorName.replace(at, tesk.size(), anchor);
      const auto found = at == std::string::npos ? times_.end() : times_.find(anchorName);
      if (found == times_.end() || found->second.value <= 0) {
        std::printf("no anchor %-44s %10.3f %s\n", name.c_str(), time.value, time.unit);
        continue;
      }
      const double ratio = time.value / found->second.value;
      std::printf("ratio %-48s %6.2f x %s\n", name.c_str(), ratio, anchorName.c_str());
      logSum += std::log(ratio);
      ++ratios;
    }
    if (ratios > 1) {
      std::printf("ratio %-48s %6.2f x (%d ratios)\n", "geometric mean", std::exp(logSum / ratios), ratios);
    }
  }

 private:
  struct Time {
    double value;
    const char* unit;
  };
  std::map<std::string, Time> times_;
};

}  // namespace

// The report alone on the terminal: the debug output of the cores the benchmarks start goes to the
// debug log ($TESK_DEBUG_LOG, else the user's bench-debug.log), or with --verbose to standard error.
int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  const bool verbose = argc == 2 && std::strcmp(argv[1], "--verbose") == 0;
  if (!verbose && benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  platform::RouteDebugOutput(verbose, platform::UserStateFile("bench-debug.log"));
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
