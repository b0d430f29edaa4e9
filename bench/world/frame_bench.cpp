// One game frame of the sample hospital with 200 patients walking and the HUD (the world's screen,
// the forms start-up loads), drawn by the software rasterizer
// with every call recorded (to /dev/null), against the anchor: the calls one such frame recorded,
// replayed straight into the same rasterizer. The software module draws on llvmpipe into a small
// offscreen buffer, and both sides draw, so the ratio is the game's own cost of making its calls:
// the script pass, the actors' walking and the render's walk over the hospital and the actors.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "class_folders.h"
#include "common/call_replay.h"
#include "core_session.h"
#include "game_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "tesk/game_slots.h"
#include "varno/scripting_calls.h"

namespace {

namespace r = kivo::rasterizer;
namespace scripting = varno::scripting;

constexpr char16_t kNowhere[] = u"/dev/null";
constexpr uint32_t kWidth = 320;
constexpr uint32_t kHeight = 240;
constexpr int kWarmUpPasses = 30;

// The game's window: a handle that is no program window, which the software rasterizer takes as
// the tag of an offscreen buffer of the size the game is given (Startup makes the context).
int gOffscreen = 0;

// The scheduler calls back once a pass over its contexts: the second call ends the run, so a run is
// one pass over every context.
int gCallbacks = 0;
int32_t EndAfterOnePass(RTInstance) { return ++gCallbacks % 2 == 1 ? 1 : 0; }

// The bench class parsed and started on a core with the software rasterizer, warmed up.
struct Hospital {
  Hospital() {
    setenv("TESK_REGISTRY", TESK_STAGE_DIR "/registry.ini", 0);
    setenv("ALSOFT_DRIVERS", "null", 0);
    std::string error;
    session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kRootsOwnRoot);
    if (!session) Die(error.c_str());
    CoreTable& core = session->core();
    if (!core.GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr) ||
        !core.GetFirstInstanceByString(nullptr, tesk::game::kClassName, game.out(), 1, nullptr) ||
        !core.GetFirstInstanceByString(nullptr, scripting::kClassName, varno.out(), 1, nullptr))
      Die("no rasterizer, game or scripting component");
    tesk::game::SetMainWindowHandle(game.get(), &gOffscreen, kWidth, kHeight);
    // The session's own registry names no class folders: the staged game's are named here.
    tesk::AddClassFolders(
        "frame_bench", {TESK_STAGE_DIR "/game/classes", TESK_STAGE_DIR "/game/classes/tesk"}, {FRAME_BENCH_CLASS},
        [this](const char16_t* folder) { return scripting::AddSearchPath(varno.get(), folder) != 0; });
    const std::u16string file = std::filesystem::path(FRAME_BENCH_CLASS).u16string();
    uint32_t type = 0;
    scripting::Symbol object = nullptr;
    if (!scripting::VarnoVMFactory(varno.get(), &vm) ||
        !scripting::VarnoParseBrellinAnsiFile(varno.get(), file.c_str(), &type, &table, nullptr) ||
        !scripting::TypeTableGenerateCode(varno.get(), table) ||
        !scripting::VarnoVMSetTypeTable(varno.get(), vm, table) ||
        !scripting::VarnoVMSetHostCallback(varno.get(), vm, EndAfterOnePass, nullptr) ||
        !scripting::VarnoVMConstructObject(varno.get(), vm, type, &object) ||
        !scripting::VarnoVMSetNewContext(varno.get(), vm, object, u"Switchboard", 1))
      Die("the bench class did not start");
    for (int i = 0; i < kWarmUpPasses; ++i) Pass();
    varno::RTVarnoConstantValue loaded{};
    if (!scripting::SymbolReadAttribute(varno.get(), vm, object, u"environmentLoaded", scripting::kWholeAttribute,
                                        varno::kTypeBool, &loaded) ||
        !loaded.value.number)
      Die("the hospital did not load");
  }

  [[noreturn]] static void Die(const char* why) {
    std::fprintf(stderr, "frame_bench: %s\n", why);
    std::abort();
  }

  void Pass() {
    gCallbacks = 0;
    scripting::VarnoVMRun(varno.get(), vm);
  }

  std::unique_ptr<tesk::CoreSession> session;
  kivo::InstanceRef rasterizer;
  kivo::InstanceRef game;
  kivo::InstanceRef varno;
  scripting::VM vm = nullptr;
  scripting::TypeTable table = nullptr;
};

// Made once for every benchmark of the program; the core shuts down with the hospital still live
// when the program ends.
Hospital& TheHospital() {
  static Hospital hospital;
  return hospital;
}

void BM_Frame200_Tesk(benchmark::State& state) {
  Hospital& hospital = TheHospital();
  r::Record(hospital.rasterizer.get(), kNowhere);
  for (auto _ : state) hospital.Pass();
  r::Record(hospital.rasterizer.get(), nullptr);
}
BENCHMARK(BM_Frame200_Tesk);

// The calls of one frame. The loading the frame relies on (textures, the content's primitives,
// the programs) happened before it; the replay makes the primitives the frame draws once, with
// the content the log gives them, in place of reading them from the content.
void BM_Frame200_Anchor(benchmark::State& state) {
  Hospital& hospital = TheHospital();
  RTInstance rasterizer = hospital.rasterizer.get();
  tesk::bench::ReplayHandles handles{&gOffscreen, nullptr};
  r::GetCurrentWindow(rasterizer, &handles.context);
  const tesk::bench::CallReplay calls(
      rasterizer, std::filesystem::temp_directory_path() / ("frame_bench_calls_" + std::to_string(getpid()) + ".txt"),
      [&] { hospital.Pass(); }, handles);
  r::Record(rasterizer, kNowhere);
  for (auto _ : state) calls.Run();
  r::Record(rasterizer, nullptr);
  state.counters["calls"] = static_cast<double>(calls.size());
}
BENCHMARK(BM_Frame200_Anchor);

}  // namespace
