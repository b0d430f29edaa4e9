// One game frame of the sample hospital with 200 patients walking and the HUD (the world's screen,
// the forms start-up loads), drawn by the software rasterizer
// with every call recorded (to /dev/null), against the anchor: the calls one such frame recorded,
// replayed straight into the same rasterizer. The software module draws on llvmpipe into a small
// offscreen buffer, and both sides draw, so the ratio is the game's own cost of making its calls:
// the script pass, the actors' walking and the render's walk over the hospital and the actors.
// Both print the page faults and brk calls of a warm frame.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "bench_game.h"
#include "common/call_replay.h"
#include "common/memory_traffic.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace {

namespace r = kivo::rasterizer;

constexpr char16_t kNowhere[] = u"/dev/null";
constexpr uint32_t kWidth = 320;
constexpr uint32_t kHeight = 240;
constexpr int kWarmUpPasses = 30;

// The bench class started, warmed up and its hospital loaded.
struct Hospital {
  Hospital() {
    for (int i = 0; i < kWarmUpPasses; ++i) game.Pass();
    if (!game.Flag(u"environmentLoaded")) game.Die("the hospital did not load");
  }

  void Pass() { game.Pass(); }

  tesk::bench::BenchGame game{"frame_bench", FRAME_BENCH_CLASS, kWidth, kHeight};
};

// Made once for every benchmark of the program; the core shuts down with the hospital still live
// when the program ends.
Hospital& TheHospital() {
  static Hospital hospital;
  return hospital;
}

void BM_Frame200_Tesk(benchmark::State& state) {
  Hospital& hospital = TheHospital();
  r::Record(hospital.game.rasterizer(), kNowhere);
  tesk::bench::MemoryTraffic traffic;
  for (auto _ : state) hospital.Pass();
  traffic.Report(state);
  r::Record(hospital.game.rasterizer(), nullptr);
}
BENCHMARK(BM_Frame200_Tesk);

// The calls of one frame. The loading the frame relies on (textures, the content's primitives,
// the programs) happened before it; the replay makes the primitives the frame draws once, with
// the content the log gives them, in place of reading them from the content.
void BM_Frame200_Anchor(benchmark::State& state) {
  Hospital& hospital = TheHospital();
  RTInstance rasterizer = hospital.game.rasterizer();
  tesk::bench::ReplayHandles handles{hospital.game.window(), nullptr};
  r::GetCurrentWindow(rasterizer, &handles.context);
  const tesk::bench::CallReplay calls(
      rasterizer, std::filesystem::temp_directory_path() / ("frame_bench_calls_" + std::to_string(getpid()) + ".txt"),
      [&] { hospital.Pass(); }, handles);
  r::Record(rasterizer, kNowhere);
  tesk::bench::MemoryTraffic traffic;
  for (auto _ : state) calls.Run();
  traffic.Report(state);
  r::Record(rasterizer, nullptr);
  state.counters["calls"] = static_cast<double>(calls.size());
}
BENCHMARK(BM_Frame200_Anchor);

}  // namespace
