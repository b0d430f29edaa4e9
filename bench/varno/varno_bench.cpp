// Varno against Lua 5.4: the same small programs written in each language, run side by side. A
// Varno run creates a VM, constructs the program's object (its constructor runs), runs its
// "Switchboard" to the exit and collects what the run left; a Lua run calls the compiled chunk.
// Both print or return one result text, compared once before timing, and the page faults and brk
// calls of a run.
//
// Programs: recursive fib, a loop sum, string building, list append and index, database insert
// and lookup, object creation.
#include <benchmark/benchmark.h>

#include <lua.hpp>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>

#include "codegen/generate_code.h"
#include "common/memory_traffic.h"
#include "codegen/methods_parent.h"
#include "compiler/compile_driver.h"
#include "compiler/search_paths.h"
#include "compiler/type_table.h"
#include "host/core_host.h"
#include "host/temp_dir.h"
#include "kivo/support/module_core.h"
#include "platform/utf.h"
#include "vm/collector.h"
#include "vm/vm.h"

namespace {

struct Program {
  std::string_view name;
  std::string_view varno;  // the body of a class of that name deriving from Thing
  std::string_view lua;    // a chunk that returns the result
};

constexpr std::string_view kThing = "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n";

const Program kPrograms[] = {
    {"Fib",
     "method number Fib(n is number) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }\n"
     "state Switchboard { print(Fib(20)); exit(); }\n",
     "local function fib(n) if n < 2 then return n end return fib(n - 1) + fib(n - 2) end\n"
     "return fib(20)\n"},
    {"LoopSum",
     "state Switchboard { i is number; sum is number;\n"
     "  i = 0; sum = 0; while (i < 50000) { sum = sum + i; i = i + 1; }\n"
     "  print(sum); exit(); }\n",
     "local sum = 0\nfor i = 0, 49999 do sum = sum + i end\nreturn sum\n"},
    {"StringBuild",
     "state Switchboard { i is number; s is string;\n"
     "  i = 0; s = \"\"; while (i < 500) { s = s + i + \",\"; i = i + 1; }\n"
     "  print(s); exit(); }\n",
     "local s = \"\"\nfor i = 0, 499 do s = s .. i .. \",\" end\nreturn s\n"},
    {"ListAppendIndex",
     "state Switchboard { i is number; sum is number; a is list;\n"
     "  i = 0; while (i < 300) { a = a + [i]; i = i + 1; }\n"
     "  i = 0; sum = 0; while (i < 300) { sum = sum + a[i]; i = i + 1; }\n"
     "  print(sum); exit(); }\n",
     "local a = {}\nfor i = 0, 299 do a[#a + 1] = i end\n"
     "local sum = 0\nfor i = 0, 299 do sum = sum + a[i + 1] end\nreturn sum\n"},
    {"DatabaseInsertLookup",
     "state Switchboard { i is number; sum is number; d is database;\n"
     "  d = ( ); i = 0; while (i < 300) { d = addkey(d, \"k\" + i, i); i = i + 1; }\n"
     "  i = 0; sum = 0; while (i < 300) { sum = sum + retrieve(d, \"k\" + i); i = i + 1; }\n"
     "  print(sum); exit(); }\n",
     "local d = {}\nfor i = 0, 299 do d[\"k\" .. i] = i end\n"
     "local sum = 0\nfor i = 0, 299 do sum = sum + d[\"k\" .. i] end\nreturn sum\n"},
    {"ObjectCreation",
     "state Switchboard { i is number; sum is number; o is BenchItem;\n"
     "  i = 0; sum = 0; while (i < 300) { o = new BenchItem; o.value = i; sum = sum + o.value + o.base;"
     " i = i + 1; }\n"
     "  print(sum); exit(); }\n",
     "local Item = {}\nItem.__index = Item\n"
     "local function new() return setmetatable({base = 1, value = 0}, Item) end\n"
     "local sum = 0\nfor i = 0, 299 do local o = new(); o.value = i; sum = sum + o.value + o.base end\n"
     "return sum\n"},
};

constexpr std::string_view kItem =
    "BenchItem is Thing;\nattributes { value is number; base is number; }\n"
    "method Constructor() { base = 1; }\n";

// The core, the class folder and the compiled programs, made once.
class Bench {
 public:
  static Bench& Get() {
    static Bench* bench = new Bench();
    return *bench;
  }

  uint32_t Index(std::string_view name) const { return indexes_.at(std::string(name)); }
  varno::RTVarnoTypeTable* table() { return table_; }
  std::string& printed() { return printed_; }

 private:
  Bench() {
    if (!host_.Start()) std::abort();
    kivo::SetModuleCore(&host_.table());
    capture_ = host_.table().DebugPrint;
    host_.table().DebugPrint = Capture;
    Write("Thing", std::string(kThing));
    Write("BenchItem", std::string(kItem));
    for (const Program& program : kPrograms) {
      Write(std::string(program.name), std::string(program.name) + " is Thing;\n" + std::string(program.varno));
    }
    varno::AddSearchPath(platform::FromUtf8((dir_.path() / "").string()).c_str());
    if (!varno::TypeTableFactory(&table_)) std::abort();
    for (const Program& program : kPrograms) {
      uint32_t index = 0;
      const std::u16string file = platform::FromUtf8((dir_.path() / (std::string(program.name) + ".varno")).string());
      if (!varno::VarnoParseBrellinAnsiFile(file.c_str(), &index, nullptr, table_)) std::abort();
      indexes_[std::string(program.name)] = index;
    }
    if (!varno::TypeTableGenerateCode(table_)) std::abort();
  }

  void Write(const std::string& name, const std::string& source) {
    tesk::testing::WriteFile(dir_.path() / (name + ".varno"), source);
  }

  static RTSuccess Capture(RTInstance, const char16_t* text) {
    if (text) Get().printed_ = platform::ToUtf8(text);
    return kRTSuccess;
  }

  tesk::testing::CoreHost host_;
  tesk::testing::TempDir dir_;
  varno::RTVarnoTypeTable* table_ = nullptr;
  std::map<std::string, uint32_t> indexes_;
  std::string printed_;
  RTSuccess (*capture_)(RTInstance, const char16_t*) = nullptr;
};

// One whole Varno run of the program; false when it does not end with exit.
bool RunVarno(uint32_t index) {
  Bench& bench = Bench::Get();
  varno::RTVarnoVM* vm = nullptr;
  if (!varno::VarnoVMFactory(&vm)) return false;
  varno::VarnoVMSetTypeTable(vm, bench.table());
  varno::RTVarnoSymbol* object = nullptr;
  const bool ran = varno::ConstructScriptObject(vm, index, &object) &&
                   varno::VarnoVMSetNewContext(vm, object, u"Switchboard", 1) &&
                   varno::VarnoVMRun(vm) == varno::kRunExit;
  varno::RemoveAllContexts(vm);
  varno::CollectorSweep(vm);
  varno::VarnoVMDestructor(vm);
  return ran;
}

// The chunk's result as text, or an error message.
std::string RunLua(lua_State* state, int chunk) {
  lua_rawgeti(state, LUA_REGISTRYINDEX, chunk);
  if (lua_pcall(state, 0, 1, 0) != LUA_OK) {
    std::string error = lua_tostring(state, -1);
    lua_pop(state, 1);
    return "error: " + error;
  }
  std::string result = luaL_tolstring(state, -1, nullptr);
  lua_pop(state, 2);
  return result;
}

void VarnoProgram(benchmark::State& state, const Program& program) {
  Bench& bench = Bench::Get();
  const uint32_t index = bench.Index(program.name);
  bench.printed().clear();
  if (!RunVarno(index)) {
    state.SkipWithError("the Varno program did not run to its exit");
    return;
  }
  lua_State* lua = luaL_newstate();
  luaL_openlibs(lua);
  luaL_loadstring(lua, std::string(program.lua).c_str());
  const int chunk = luaL_ref(lua, LUA_REGISTRYINDEX);
  const std::string expected = RunLua(lua, chunk);
  lua_close(lua);
  if (bench.printed() != expected) {
    state.SkipWithError(("Varno printed " + bench.printed() + ", Lua returned " + expected).c_str());
    return;
  }
  tesk::bench::MemoryTraffic traffic;
  for (auto _ : state) {
    if (!RunVarno(index)) state.SkipWithError("a Varno run failed");
  }
  traffic.Report(state);
}

void LuaProgram(benchmark::State& state, const Program& program) {
  lua_State* lua = luaL_newstate();
  luaL_openlibs(lua);
  if (luaL_loadstring(lua, std::string(program.lua).c_str()) != LUA_OK) {
    state.SkipWithError("the Lua program does not load");
    lua_close(lua);
    return;
  }
  const int chunk = luaL_ref(lua, LUA_REGISTRYINDEX);
  tesk::bench::MemoryTraffic traffic;
  for (auto _ : state) {
    std::string result = RunLua(lua, chunk);
    benchmark::DoNotOptimize(result);
  }
  traffic.Report(state);
  lua_close(lua);
}

const bool kRegistered = [] {
  for (const Program& program : kPrograms) {
    const std::string name(program.name);
    benchmark::RegisterBenchmark(("BM_" + name + "_Tesk").c_str(), VarnoProgram, program);
    benchmark::RegisterBenchmark(("BM_" + name + "_Anchor").c_str(), LuaProgram, program);
  }
  return true;
}();

}  // namespace
