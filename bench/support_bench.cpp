// The core allocator against the system allocator, and the text-keyed hash table against
// std::unordered_map.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/core_host.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/format.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/module_core.h"

namespace {

tesk::testing::CoreHost& Host() {
  static tesk::testing::CoreHost* host = [] {
    auto* started = new tesk::testing::CoreHost();
    started->Start();
    kivo::SetModuleCore(&started->table());
    return started;
  }();
  return *host;
}

constexpr size_t kBlocks = 256;

void BM_AllocFree_Tesk(benchmark::State& state) {
  Host();
  std::vector<void*> blocks(kBlocks);
  for (auto _ : state) {
    for (size_t i = 0; i < kBlocks; ++i) blocks[i] = kivo::CoreAlloc(16 + (i % 8) * 24);
    for (void* block : blocks) kivo::CoreFree(block);
  }
  state.SetItemsProcessed(state.iterations() * kBlocks);
}
BENCHMARK(BM_AllocFree_Tesk);

void BM_AllocFree_Anchor(benchmark::State& state) {
  std::vector<void*> blocks(kBlocks);
  for (auto _ : state) {
    for (size_t i = 0; i < kBlocks; ++i) blocks[i] = std::malloc(16 + (i % 8) * 24);
    for (void* block : blocks) std::free(block);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBlocks);
}
BENCHMARK(BM_AllocFree_Anchor);

std::vector<std::u16string> Names(size_t count) {
  std::vector<std::u16string> names;
  for (size_t i = 0; i < count; ++i) names.push_back(kivo::Format(u"ROOT:TESK:ASSETS:ROOMS:ROOM%d", i));
  return names;
}

void BM_StrHashLookup_Tesk(benchmark::State& state) {
  Host();
  const auto names = Names(state.range(0));
  kivo::StrHashTable* table = nullptr;
  kivo::StrHashTableCreate(&table, 139, nullptr);
  for (size_t i = 0; i < names.size(); ++i) kivo::StrHashTableInsert(table, names[i].c_str(), nullptr);
  for (auto _ : state) {
    for (const auto& name : names) {
      void* value = nullptr;
      kivo::StrHashTableLookup(table, name.c_str(), &value);
      benchmark::DoNotOptimize(value);
    }
  }
  kivo::StrHashTableDestroy(table);
  state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(BM_StrHashLookup_Tesk)->Arg(100)->Arg(1000);

void BM_StrHashLookup_Anchor(benchmark::State& state) {
  const auto names = Names(state.range(0));
  std::unordered_map<std::u16string, const void*> table;
  for (const auto& name : names) table.emplace(name, &name);
  for (auto _ : state) {
    for (const auto& name : names) benchmark::DoNotOptimize(table.find(name));
  }
  state.SetItemsProcessed(state.iterations() * names.size());
}
BENCHMARK(BM_StrHashLookup_Anchor)->Arg(100)->Arg(1000);

}  // namespace
