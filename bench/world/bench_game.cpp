#include "bench_game.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "class_folders.h"
#include "game_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "tesk/game_slots.h"

namespace tesk::bench {

namespace {

namespace scripting = varno::scripting;

int gOffscreen = 0;

// The scheduler calls back once a pass over its contexts: the second call ends the run, so a run is
// one pass over every context.
int gCallbacks = 0;
int32_t EndAfterOnePass(RTInstance) { return ++gCallbacks % 2 == 1 ? 1 : 0; }

}  // namespace

BenchGame::BenchGame(const char* bench, const char* classFile, uint32_t width, uint32_t height) : bench_(bench) {
  setenv("TESK_REGISTRY", TESK_STAGE_DIR "/registry.ini", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  std::string error;
  session_ = CoreSession::Start(&error, StoredInstances::kRootsOwnRoot);
  if (!session_) Die(error.c_str());
  CoreTable& core = session_->core();
  if (!core.GetFirstInstanceByString(nullptr, kivo::rasterizer::kClassName, rasterizer_.out(), 1, nullptr) ||
      !core.GetFirstInstanceByString(nullptr, game::kClassName, game_.out(), 1, nullptr) ||
      !core.GetFirstInstanceByString(nullptr, scripting::kClassName, varno_.out(), 1, nullptr))
    Die("no rasterizer, game or scripting component");
  game::SetMainWindowHandle(game_.get(), window(), width, height);
  // The session's own registry names no class folders: the staged game's are named here.
  AddClassFolders(bench, {TESK_STAGE_DIR "/game/classes", TESK_STAGE_DIR "/game/classes/tesk"}, {classFile},
                  [this](const char16_t* folder) { return scripting::AddSearchPath(varno_.get(), folder) != 0; });
  const std::u16string file = std::filesystem::path(classFile).u16string();
  uint32_t type = 0;
  if (!scripting::VarnoVMFactory(varno_.get(), &vm_) ||
      !scripting::VarnoParseBrellinAnsiFile(varno_.get(), file.c_str(), &type, &table_, nullptr) ||
      !scripting::TypeTableGenerateCode(varno_.get(), table_) ||
      !scripting::VarnoVMSetTypeTable(varno_.get(), vm_, table_) ||
      !scripting::VarnoVMSetHostCallback(varno_.get(), vm_, EndAfterOnePass, nullptr) ||
      !scripting::VarnoVMConstructObject(varno_.get(), vm_, type, &object_) ||
      !scripting::VarnoVMSetNewContext(varno_.get(), vm_, object_, u"Switchboard", 1))
    Die("the bench class did not start");
}

void BenchGame::Pass() {
  gCallbacks = 0;
  scripting::VarnoVMRun(varno_.get(), vm_);
}

bool BenchGame::Flag(const char16_t* attribute) {
  varno::RTVarnoConstantValue value{};
  return scripting::SymbolReadAttribute(varno_.get(), vm_, object_, attribute, scripting::kWholeAttribute,
                                        varno::kTypeBool, &value) &&
         value.value.number;
}

void* BenchGame::window() { return &gOffscreen; }

void BenchGame::Die(const char* why) const {
  std::fprintf(stderr, "%s: %s\n", bench_, why);
  std::abort();
}

}  // namespace tesk::bench
