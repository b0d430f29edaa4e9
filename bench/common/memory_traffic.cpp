#include "memory_traffic.h"

#include <sys/resource.h>

#include "allocation_counter.h"

namespace tesk::bench {

namespace {

// Minor page faults of the whole process so far (the same figure as minflt of /proc/self/stat).
uint64_t PageFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<uint64_t>(usage.ru_minflt);
}

}  // namespace

MemoryTraffic::MemoryTraffic() : faults_(PageFaults()), moves_(HeapTopMoves()) { StartWatchingHeapTop(); }

void MemoryTraffic::Report(benchmark::State& state) {
  StopWatchingHeapTop();
  const double iterations = state.iterations() ? static_cast<double>(state.iterations()) : 1.0;
  state.counters["faults"] = static_cast<double>(PageFaults() - faults_) / iterations;
  if (AllocationsCounted()) state.counters["brk"] = static_cast<double>(HeapTopMoves() - moves_) / iterations;
}

}  // namespace tesk::bench
