#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>

namespace {

// Prints the usual console report, then one ratio line per benchmark pair and, for more than one
// pair, their geometric mean.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && !run.error_occurred)
        times_[run.benchmark_name()] = run.GetAdjustedRealTime();
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const std::string tesk = "_Tesk";
    double logSum = 0;
    int ratios = 0;
    for (const auto& [name, time] : times_) {
      const auto at = name.find(tesk);
      if (at == std::string::npos) continue;
      std::string anchor = name;
      anchor.replace(at, tesk.size(), "_Anchor");
      const auto found = times_.find(anchor);
      if (found == times_.end() || found->second <= 0) continue;
      const double ratio = time / found->second;
      std::printf("ratio %-48s %6.2f x %s\n", name.c_str(), ratio, anchor.c_str());
      logSum += std::log(ratio);
      ++ratios;
    }
    if (ratios > 1) {
      std::printf("ratio %-48s %6.2f x (%d ratios)\n", "geometric mean", std::exp(logSum / ratios), ratios);
    }
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
