// The start of the sample hospital: the core session started, the bench class compiled, then from
// the game's Create through Startup, SetEnvironment and three patients let in to the first frame
// drawn (the time measured). The anchor: the staged store and resource files read once into
// memory through the same file layer (file streams of the core). The core starts once per process,
// so each start runs in a child process of its own, and so does each anchor run, after its core
// started. Both print the file system calls of their measured part; the start also per record of
// the store (the store reads its pack into memory once, when the session starts).
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_game.h"
#include "common/file_calls.h"
#include "core_session.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "kivo/support/pack_index.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"

namespace {

constexpr uint32_t kWidth = 320;
constexpr uint32_t kHeight = 240;
const std::filesystem::path kStage = TESK_STAGE_DIR;
const std::filesystem::path kStore = kStage / "kivo/store/root.kivopack";

// What a child measured.
struct Report {
  bool ok = false;
  double seconds = 0;
  tesk::bench::FileCalls calls;
  uint32_t records = 0;
};

using Clock = std::chrono::steady_clock;

// Runs `measure` in a child process and hands back its report.
template <class Measure>
Report InChild(Measure measure) {
  int channel[2];
  if (pipe(channel) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const Report report = measure();
    const bool sent = write(channel[1], &report, sizeof report) == sizeof report;
    _exit(sent ? 0 : 1);
  }
  close(channel[1]);
  Report report;
  if (child < 0 || read(channel[0], &report, sizeof report) != sizeof report) report = {};
  close(channel[0]);
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  return report;
}

// The whole content of a file through a file stream of the core; empty when it cannot be read.
std::vector<uint8_t> ReadThroughFileLayer(const std::filesystem::path& file) {
  kivo::InstanceRef stream;
  const std::u16string path = platform::FromUtf8(file.string());
  uint32_t size = 0;
  uint32_t read = 0;
  std::vector<uint8_t> bytes;
  if (!kivo::ModuleCore()->CreateInstanceByString(nullptr, u"RTBrellinFileStream", stream.out(), 0, 0) ||
      !kivo::file_stream::Open(stream.get(), path.c_str(), kivo::file_stream::kReadExisting) ||
      !kivo::stream::GetSize(stream.get(), &size))
    return bytes;
  bytes.resize(size);
  if (!kivo::stream::Read(stream.get(), bytes.data(), size, &read) || read != size) bytes.clear();
  return bytes;
}

// The records of the staged store.
uint32_t StoreRecords() {
  const std::vector<uint8_t> pack = ReadThroughFileLayer(kStore);
  kivo::InstanceRef stream;
  std::vector<kivo::PackEntry> entries;
  if (!kivo::memory_stream::CreateWith(pack.data(), static_cast<uint32_t>(pack.size()), stream.out()) ||
      !kivo::ReadPackIndex(stream.get(), &entries))
    return 0;
  return static_cast<uint32_t>(entries.size());
}

Report StartTheHospital() {
  tesk::bench::BenchGame game("startup_bench", STARTUP_BENCH_CLASS, kWidth, kHeight);
  Report report;
  tesk::bench::StartCountingFileCalls();
  const Clock::time_point start = Clock::now();
  game.Pass();
  report.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  report.calls = tesk::bench::StopCountingFileCalls();
  report.ok = game.Flag(u"environmentLoaded");
  report.records = StoreRecords();
  return report;
}

Report ReadTheFiles() {
  std::string error;
  const auto session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kNone);
  if (!session) return {};
  const std::filesystem::path files[] = {kStore, kStage / "kivo/components/RTTeskGame.resource",
                                         kStage / "game/Tesk.resource"};
  Report report;
  report.ok = true;
  tesk::bench::StartCountingFileCalls();
  const Clock::time_point start = Clock::now();
  for (const std::filesystem::path& file : files) report.ok = !ReadThroughFileLayer(file).empty() && report.ok;
  report.seconds = std::chrono::duration<double>(Clock::now() - start).count();
  report.calls = tesk::bench::StopCountingFileCalls();
  return report;
}

template <class Measure>
void Measured(benchmark::State& state, Measure measure) {
  setenv("TESK_REGISTRY", TESK_STAGE_DIR "/registry.ini", 0);
  Report last;
  for (auto _ : state) {
    last = InChild(measure);
    if (!last.ok) {
      state.SkipWithError("the child did not finish");
      return;
    }
    state.SetIterationTime(last.seconds);
  }
  state.counters["fs_calls"] = static_cast<double>(last.calls.posix);
  state.counters["kernel_rw"] = static_cast<double>(last.calls.kernelReadsWrites);
  if (last.records) {
    state.counters["records"] = last.records;
    state.counters["fs_calls_per_record"] = static_cast<double>(last.calls.posix) / last.records;
  }
}

void BM_Startup_Tesk(benchmark::State& state) { Measured(state, StartTheHospital); }
BENCHMARK(BM_Startup_Tesk)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_Startup_Anchor(benchmark::State& state) { Measured(state, ReadTheFiles); }
BENCHMARK(BM_Startup_Anchor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
