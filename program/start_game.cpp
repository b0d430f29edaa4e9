#include "start_game.h"

#include <csignal>
#include <string>

#include "game_calls.h"
#include "game_paths.h"
#include "kivo_loader.h"
#include "kivo/support/store_calls.h"
#include "options.h"
#include "platform/crash_guard.h"
#include "platform/cursors.h"
#include "report.h"
#include "run_output.h"
#include "tesk_registry.h"

namespace tesk {

namespace {

constexpr uint32_t kRootUnits = 257;
constexpr char16_t kEntryState[] = u"Switchboard";

bool GetOrCreate(const char16_t* className, RTInstance* out) {
  return CoreInterface()->GetFirstInstanceByString(nullptr, className, out, 1, nullptr) && *out;
}

// A failed step from the rasterizer on: its report, the arrow cursor, result 0. What was created
// stays.
int32_t Fail(const char16_t* message) {
  if (message) ReportError(message);
  platform::SetScreenCursor(platform::kCursorArrow);
  return 0;
}

}  // namespace

uint32_t ExceptionCodeOfSignal(int signal) {
  return signal == SIGFPE ? kIntegerDivideByZero : kAccessViolation;
}

bool ReconstructAccident(RTInstance scripting, scripting::VM vm, uint32_t exceptionCode) {
  Raise(u"AV Error during EXECUTION of game", kivo::kLevelCrash);
  if (exceptionCode != kAccessViolation) {
    Raise(u"Didn't catch AV, unexpected.");
    return false;
  }
  Raise(u"Caught AV as expected.");
  Raise(u"***Attempting to reconstruct the accident");
  // The VM may be the part that broke: a fault inside the dump ends the dump, not the program.
  platform::RunGuarded([&] { scripting::VMDumpRunningState(scripting, vm); });
  return true;
}

int32_t StartGame(void* window, uint32_t width, uint32_t height, int32_t, int32_t, MessagePump pump) {
  HostRecord* host = Host();
  if (!host || !CoreStarted()) return 0;

  RTInstance store = nullptr;
  if (!kivo::instance_store::Hold(&store)) return 0;
  kivo::instance_store::Open(store, kInstanceStorePack);

  if (!GetOrCreate(u"RTRasterizer", &host->rasterizer)) return Fail(u"Couldn't create an RTRasterizer instance");
  host->pump = pump;
  if (!GetOrCreate(scripting::kClassName, &host->scripting))
    return Fail(u"Couldn't create an instance of the RTVarno component");
  if (!GetOrCreate(game::kClassName, &host->game))
    return Fail(u"Couldn't create an instance of the RTTeskGame component");

  Raise(u"Setting callbacks...");
  game::SetOptionCallbacks(host->game, SetOptionI, GetOptionI);
  game::SetMainWindowHandle(host->game, window, width, height);
  game::SetMouseCursorCallback(host->game, CallCursorCallback);
  game::SetRegistryCallbacks(host->game, ReadTeskRegistry);
  game::SetIdleCallback(host->game, PumpMessages);
  Raise(u"Past the callbacks...");

  RTInstance varno = host->scripting;
  if (!scripting::VarnoVMFactory(varno, &host->vm)) return Fail(u"Couldn't create a VM object");

  char16_t root[kRootUnits];
  if (!ReadTeskRegistry(kRegistryGameRoot, root, kRootUnits)) return Fail(nullptr);
  const std::u16string script = JoinPath(root, kGameScript);
  Raise(u"Past the registry...");
  Raise(script);

  uint32_t type = 0;
  if (!scripting::VarnoParseBrellinAnsiFile(varno, script.c_str(), &type, &host->typeTable, nullptr) &&
      !scripting::VarnoParseBrellinAnsiFile(varno, kDevelopmentGameScript, &type, &host->typeTable, nullptr))
    return Fail(u"Unable to parse the game!");
  Raise(u"Past the parse...");
  if (!scripting::TypeTableGenerateCode(varno, host->typeTable)) return Fail(u"Error during code generation");
  Raise(u"Past the code generation...");

  // Each of these must hold, or the VM would run with nothing to run.
  if (!scripting::VarnoVMSetTypeTable(varno, host->vm, host->typeTable))
    return Fail(u"Couldn't hand the game's type table to the VM");
  if (!scripting::VarnoVMSetHostCallback(varno, host->vm, VarnoHostCallback, nullptr))
    return Fail(u"Couldn't hand the message pump to the VM");
  // The prints are the game's own output, on standard output; without the callback they are
  // still in the debug output.
  if (!scripting::VarnoVMSetPrintCallback(varno, host->vm, PrintScriptLine))
    Raise(u"The game's prints go to the debug output alone");
  scripting::Symbol object = nullptr;
  if (!scripting::VarnoVMConstructObject(varno, host->vm, type, &object) || !object)
    return Fail(u"Couldn't construct the game's script object");
  if (!scripting::VarnoVMSetNewContext(varno, host->vm, object, kEntryState, 1))
    return Fail(u"Couldn't start the game's Switchboard context");

  int32_t result = 0;
  const int fault =
      platform::RunGuarded([&] { result = static_cast<int32_t>(scripting::VarnoVMRun(varno, host->vm)); });
  if (fault == 0) return result;
  if (ReconstructAccident(varno, host->vm, ExceptionCodeOfSignal(fault))) return -1;
  // Any other fault goes on to the system's own handling, which ends the process.
  platform::ResumeDefaultHandling(fault);
}

}  // namespace tesk
