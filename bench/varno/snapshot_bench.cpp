// VM snapshots: writing and reading the snapshot of a VM that holds 10^4 script objects (a chain of
// nodes, each with a number and a string) and 20 contexts. Each benchmark reports the snapshot's
// size and its counts beside the time. There is no anchor: the times stand alone.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "codegen/generate_code.h"
#include "compiler/compile_driver.h"
#include "compiler/search_paths.h"
#include "compiler/type_table.h"
#include "host/core_host.h"
#include "host/temp_dir.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"
#include "vm/collector.h"
#include "vm/snapshot.h"
#include "vm/snapshot_tables.h"
#include "vm/vm.h"

namespace {

constexpr uint32_t kObjects = 10000;
constexpr uint32_t kContexts = 20;

constexpr const char* kClasses[][2] = {
    {"Thing", "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n"},
    {"Node", "Node is Thing;\nattributes { value is number; next is Node; }\n"},
    {"Worker", "Worker is Thing;\nattributes { k is number; }\nstate Switchboard { k = k + 1; }\n"},
    {"Crowd",
     "Crowd is Thing;\nattributes { head is Node; i is number; w is number; }\n"
     "state Switchboard { n is Node; x is Worker;\n"
     "  if (i == 0) {\n"
     "    while (i < 10000) { n = new Node; n.value = i; n.name = \"node \" + i; n.next = head; head = n; i = i + 1; }\n"
     "    while (w < 19) { x = new Worker; start(x); w = w + 1; }\n"
     "  }\n"
     "}\n"},
};

int32_t StopAfterTwoPasses(RTInstance host) {
  static int passes = 0;
  (void)host;
  return ++passes <= 2 ? 1 : 0;
}

// The core, the program and its VM, made once: the program has built its objects and started its
// contexts.
class Bench {
 public:
  static Bench& Get() {
    static Bench* bench = new Bench();
    return *bench;
  }

  varno::RTVarnoVM* vm() { return vm_; }
  varno::RTVarnoVM* reader() { return reader_; }
  RTInstance stream() { return stream_; }

 private:
  Bench() {
    if (!host_.Start()) std::abort();
    kivo::SetModuleCore(&host_.table());
    for (const auto& [name, source] : kClasses) tesk::testing::WriteFile(dir_.path() / (std::string(name) + ".varno"), source);
    varno::AddSearchPath(platform::FromUtf8((dir_.path() / "").string()).c_str());
    uint32_t crowd = 0;
    const std::u16string file = platform::FromUtf8((dir_.path() / "Crowd.varno").string());
    varno::RTVarnoSymbol* object = nullptr;
    if (!varno::TypeTableFactory(&table_) || !varno::VarnoParseBrellinAnsiFile(file.c_str(), &crowd, nullptr, table_) ||
        !varno::TypeTableGenerateCode(table_) || !varno::VarnoVMFactory(&vm_) || !varno::VarnoVMFactory(&reader_) ||
        !kivo::memory_stream::Create(&stream_)) {
      std::abort();
    }
    varno::VarnoVMSetTypeTable(vm_, table_);
    varno::VarnoVMSetTypeTable(reader_, table_);
    varno::VarnoVMSetHostCallback(vm_, StopAfterTwoPasses, nullptr);
    if (!varno::ConstructScriptObject(vm_, crowd, &object) ||
        !varno::VarnoVMSetNewContext(vm_, object, u"Switchboard", 1) || varno::VarnoVMRun(vm_) != varno::kRunStopped) {
      std::abort();
    }
    uint32_t contexts = 0;
    varno::VMGetContextCount(vm_, &contexts);
    if (contexts != kContexts) std::abort();
  }

  tesk::testing::CoreHost host_;
  tesk::testing::TempDir dir_;
  varno::RTVarnoTypeTable* table_ = nullptr;
  varno::RTVarnoVM* vm_ = nullptr;
  varno::RTVarnoVM* reader_ = nullptr;
  RTInstance stream_ = nullptr;
};

uint32_t StreamSize(RTInstance stream) {
  uint32_t size = 0;
  kivo::stream::GetSize(stream, &size);
  return size;
}

void Report(benchmark::State& state, uint32_t bytes, size_t objects) {
  state.counters["bytes"] = benchmark::Counter(bytes);
  state.counters["objects"] = benchmark::Counter(static_cast<double>(objects));
  state.counters["contexts"] = benchmark::Counter(kContexts);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * bytes);
}

void BM_SnapshotWrite(benchmark::State& state) {
  Bench& bench = Bench::Get();
  size_t objects = 0;
  for (auto _ : state) {
    kivo::stream::Seek(bench.stream(), 0);
    if (!varno::VNStreamOut(bench.stream(), bench.vm())) state.SkipWithError("the snapshot was not written");
    objects = varno::SnapshotTablesOfComponent().objects.size();
    varno::VNDestroyPatchTable();
  }
  if (objects < kObjects) state.SkipWithError("the snapshot holds too few objects");
  Report(state, StreamSize(bench.stream()), objects);
}

void BM_SnapshotRead(benchmark::State& state) {
  Bench& bench = Bench::Get();
  kivo::stream::Seek(bench.stream(), 0);
  if (!varno::VNStreamOut(bench.stream(), bench.vm())) state.SkipWithError("the snapshot was not written");
  const size_t objects = varno::SnapshotTablesOfComponent().objects.size();
  varno::VNDestroyPatchTable();
  for (auto _ : state) {
    kivo::stream::Seek(bench.stream(), 0);
    if (!varno::VNStreamIn(bench.stream(), bench.reader())) state.SkipWithError("the snapshot was not read");
    varno::VNDestroyPatchTable();
    state.PauseTiming();
    // What was read goes again, so that every read starts from the same state.
    varno::RemoveAllContexts(bench.reader());
    varno::CollectorSweep(bench.reader());
    state.ResumeTiming();
  }
  Report(state, StreamSize(bench.stream()), objects);
}

BENCHMARK(BM_SnapshotWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SnapshotRead)->Unit(benchmark::kMillisecond);

}  // namespace
