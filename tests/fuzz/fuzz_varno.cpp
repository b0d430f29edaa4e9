#include "fuzz_varno.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <utility>

#include "fuzz_host.h"
#include "host/temp_dir.h"
#include "platform/utf.h"

namespace tesk::fuzz {

namespace {

// Longer than any pass of a sound input takes, even under the sanitizers.
constexpr std::chrono::milliseconds kPassLimit{50};

// The run under way: the passes it may still make (the watchdog reads them from its thread) and
// what its first pass does.
std::atomic<int> gPassesLeft{0};
std::function<void()> gAtFirstPass;

// The component with the search path, and a VM without contexts kept for the process: the first
// VM makes what the component keeps (the parent of code streams), and a collector run through it
// after each input's VM has gone takes that VM's objects, as the next run of any VM would.
struct Scripting {
  RTInstance varno = nullptr;
  vcalls::VM idle = nullptr;
};

Scripting Started() {
  StartCore({.components = {"RTVarno"}});
  kivo::InstanceRef varno;
  if (!kivo::ModuleCore()->GetFirstInstanceByString(nullptr, vcalls::kClassName, varno.out(), 1, nullptr)) {
    Fail("no scripting component");
  }
  for (const char* folder : {TESK_FUZZ_CLASSES, TESK_SAMPLE_CLASSES}) {
    vcalls::AddSearchPath(varno.get(), platform::FromUtf8(folder).c_str());
  }
  Scripting scripting;
  vcalls::VarnoVMFactory(varno.get(), &scripting.idle);
  scripting.varno = KeepForProcess(std::move(varno));
  return scripting;
}

const Scripting& Process() {
  static const Scripting scripting = Started();
  return scripting;
}

}  // namespace

RTInstance Varno() { return Process().varno; }

ScriptWorld::ScriptWorld(vcalls::TypeTable shared) : table_(shared), ownTable_(!shared) {
  if (ownTable_) vcalls::TypeTableFactory(Varno(), &table_);
  vcalls::VarnoVMFactory(Varno(), &vm_);
  vcalls::VarnoVMSetTypeTable(Varno(), vm_, table_);
  vcalls::VarnoVMSetHostCallback(Varno(), vm_, CountPass, nullptr);
}

ScriptWorld::~ScriptWorld() {
  if (vm_) vcalls::VarnoVMDestructor(Varno(), vm_);
  vcalls::VMCollectorCollect(Varno(), Process().idle);
  if (ownTable_ && table_) vcalls::TypeTableDestructor(Varno(), table_);
}

int32_t ScriptWorld::CountPass(RTInstance) {
  if (gAtFirstPass) std::exchange(gAtFirstPass, nullptr)();
  return gPassesLeft.fetch_sub(1) > 0 ? 1 : 0;
}

uint32_t ScriptWorld::Run(int passes, std::function<void()> atFirstPass) {
  gPassesLeft = passes;
  gAtFirstPass = std::move(atFirstPass);
  std::mutex lock;
  std::condition_variable ended;
  bool done = false;
  // Every pass gets its time: the watchdog waits again while passes are made.
  std::thread watchdog([&] {
    std::unique_lock<std::mutex> held(lock);
    int seen = gPassesLeft;
    while (!ended.wait_for(held, kPassLimit, [&] { return done; })) {
      const int now = gPassesLeft;
      if (now == seen) vcalls::VarnoVMBreak(Varno(), vm_);
      seen = now;
    }
  });
  const uint32_t result = vcalls::VarnoVMRun(Varno(), vm_);
  {
    std::lock_guard<std::mutex> held(lock);
    done = true;
  }
  ended.notify_one();
  watchdog.join();
  gAtFirstPass = nullptr;
  return result;
}

void CompileAsInput(std::string_view fileName, const uint8_t* data, size_t size) {
  RTInstance varno = Varno();
  const std::filesystem::path file = ScratchFolder() / fileName;
  testing::WriteFile(file, std::string_view(reinterpret_cast<const char*>(data), size));
  const std::u16string path = platform::FromUtf8(file.string());
  RunInput([&] {
    ScriptWorld world;
    uint32_t index = 0;
    vcalls::TypeTable made = nullptr;
    if (vcalls::VarnoParseBrellinAnsiFile(varno, path.c_str(), &index, &made, world.table())) {
      vcalls::TypeTableGenerateCode(varno, world.table());
    }
  });
}

}  // namespace tesk::fuzz
