// The game's bring-up: the audio device, the route planner, the components that scene and path
// need, the world lists, the rasterizer and its window context, the textures, tuning numbers and
// fonts (startup_resources.cpp), the forms and the HUD's widgets (form_loading.cpp), the clock and
// subtitle options and the ambulance, the sound effects, music and ambience with the audio options.
// The steps that load effects join in their place with their code. LogHeapStats reports the core's
// memory and the VM's symbols.
#include "audio_options.h"
#include "effects.h"
#include "form_loading.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/format.h"
#include "kivo/timer/timer_calls.h"
#include "music.h"
#include "sound_effects.h"
#include "varno/scripting_calls.h"
#include "world_lists.h"

namespace tesk::game::method {

namespace {

namespace rasterizer = kivo::rasterizer;

constexpr int32_t kOptionDriver = 3;
constexpr int32_t kOptionSubtitles = 8;
constexpr int32_t kOptionClock = 9;
constexpr int32_t kOptionDebugKeys = 10;
constexpr int32_t kTwelveHourClock = 12;

// The singleton the record lacks, or null when it has all three.
const char16_t* MissingSingleton(const GamePrivateData& game) {
  if (!game.actorComponent) return kivo::actor::kClassName;
  if (!game.varno) return varno::scripting::kClassName;
  if (!game.timer) return kivo::timer::kClassName;
  return nullptr;
}

bool GetOrCreate(const char16_t* className, RTInstance* out) {
  return Core().GetFirstInstanceByString(nullptr, className, out, 1, nullptr) && *out;
}

// Makes an instance under Root so that its library is loaded; the tree keeps it.
void CreateUnderRoot(const char16_t* className) {
  RTInstance made = nullptr;
  Core().CreateInstanceByString(nullptr, className, &made, 0, 1);
}

// Step 7: the memory an instance takes and gives back.
void HeapCheck(RTInstance self) {
  LogHeapStats(self, u"Polyline before");
  RTInstance probe = nullptr;
  Core().CreateInstanceByString(self, u"RTComponent", &probe, 0, 1);
  LogHeapStats(self, u"Polyline after");
  if (probe) Core().ReleaseInstance(nullptr, probe);
  LogHeapStats(self, u"Polyline after free");
}

// Steps 11 to 13: false after reporting what failed.
bool BringUpRasterizer(GamePrivateData& game) {
  if (!GetOrCreate(u"RTRasterizer", &game.rasterizer)) {
    Report(u"Cannot create an instance of RTRasterizer!");
    return false;
  }
  uint32_t descriptor[rasterizer::kDescriptorWords] = {0, 0, 0, game.screenHeight, game.screenWidth, 32, 24, 8, 0,
                                                       0, 0, 1};
  if (!rasterizer::CreateWindowContext(game.rasterizer, game.windowHandle, descriptor, &game.windowContext)) {
    Report(u"Cannot create a window context");
    return false;
  }
  rasterizer::EnableCulling(game.rasterizer, 1);
  rasterizer::SetCullMode(game.rasterizer, rasterizer::kCullBack);
  return true;
}

}  // namespace

void LogHeapStats(RTInstance self, const char16_t* tag) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return;
  uint32_t symbols = 0;
  uint32_t blocks = 0;
  uint32_t bytes = 0;
  if (game->varno) varno::scripting::VMCollectorGetSymbolCount(game->varno, game->vm, &symbols);
  Core().GetMemoryStats(nullptr, &blocks, &bytes);
  const std::u16string line = kivo::Format(
      u"[%s]**** Heap: %d blocks, %d bytes, %d symbols. Delta: %d blocks, %d bytes, %d symbols", tag, blocks, bytes,
      symbols, static_cast<int32_t>(blocks - game->lastHeapBlocks), static_cast<int32_t>(bytes - game->lastHeapBytes),
      static_cast<int32_t>(symbols - game->lastSymbolCount));
  Core().DebugPrint(nullptr, line.c_str());
  game->lastHeapBlocks = blocks;
  game->lastHeapBytes = bytes;
  game->lastSymbolCount = symbols;
}

TESK_GAME_SCRIPT_METHOD(Startup) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  Report(u"In Startup()...");
  if (count != 0) {
    Report(u"RTTeskGame::Startup()... Too many parameters sent in");
    return kRTFailure;
  }
  if (const char16_t* missing = MissingSingleton(*game)) {
    Report(kivo::Format(u"RTTeskGame::Startup(): the game has no %s instance and cannot start", missing));
    return kRTFailure;
  }
  if (!kivo::audio_service::InitDevice(game->audioService)) {
    Report(
        u"RTTeskGame::Startup(): Failed to initialize audio device. Make sure you have an audio card, and that "
        u"the drivers are installed.");
    return kRTFailure;
  }
  if (!game->routePlanner && !GetOrCreate(u"RTRoutePlanner", &game->routePlanner)) return kRTFailure;
  Core().DebugPrint(nullptr, u"****PARTICLE SYSTEM INIT***** TAKE THIS OUT!!!*****!!!!");
  CreateUnderRoot(u"RTTeskSceneTree");
  CreateUnderRoot(u"RTPathFollower");
  HeapCheck(self);
  Library().hardwareRendering = OptionValue(*game, kOptionDriver) != 0 ? 1 : 0;
  if (!CreateMissingWorldLists(*game)) return kRTFailure;
  if (game->rasterizer) return kRTSuccess;
  if (!BringUpRasterizer(*game)) return kRTFailure;
  if (!LoadStartupResources(*game)) return kRTFailure;
  CreateUnderRoot(u"RTTeskSceneNode");
  LoadForms(*game, ScreenWidthOption(*game));
  LoadEffects(*game);
  SFXStartup(self);
  MusicStartup(*game);
  AmbientStartup(*game);
  Report(u"Startup()... Loaded all SFX objects");
  ApplyAudioOptions(*game);
  game->clockStyle = OptionValue(*game, kOptionClock) == kTwelveHourClock ? 0 : 1;
  game->subtitlesOn = OptionValue(*game, kOptionSubtitles) != 0 ? 1 : 0;
  Library().debugKeys = OptionValue(*game, kOptionDebugKeys) != 0 ? 1 : 0;
  kivo::actor::CreateAmbulance(game->actorComponent);
  Library().started = 1;
  Report(u"Startup()... Loaded the ambulance");
  return kRTSuccess;
}

}  // namespace tesk::game::method
