// The page faults and heap-top moves (brk calls) of a benchmark's timed loop, per iteration, in its
// counters "faults" and "brk": memory the system takes back and hands out again shows here.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>

namespace tesk::bench {

class MemoryTraffic {
 public:
  // Starts counting.
  MemoryTraffic();
  // Stops counting and puts the counts per iteration into the state's counters.
  void Report(benchmark::State& state);

 private:
  uint64_t faults_ = 0;
  uint64_t moves_ = 0;
};

}  // namespace tesk::bench
