// Memory of the VM against the core's statistics: the record pool hands every chunk back once its
// records are gone (and shows a chunk that still holds one), and a machine that ran thousands of
// calls, strings, list appends, objects and database entries leaves nothing behind when it goes
// but the empty chunks the pool keeps for the next machine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/vm_fixture.h"
#include "vm/collector.h"
#include "vm/record_pool.h"
#include "vm/symbol.h"
#include "vm/vm.h"

namespace {

using namespace varno;

class VmMemoryTest : public varno::testing::VmTest {};

TEST_F(VmMemoryTest, PooledRecordsReuseTheirBlocksAndTheirChunksGoBack) {
  const auto before = MemoryStats();
  // Records of every size class (and some larger, core blocks of their own), more than a chunk
  // holds of the smallest, freed in another order.
  std::vector<void*> records;
  for (size_t i = 0; i < 2000; ++i) {
    const size_t bytes = 1 + (i * 37) % (kLargestPooledRecord + 64);
    auto* record = static_cast<unsigned char*>(PoolAllocate(bytes));
    ASSERT_NE(record, nullptr);
    std::fill_n(record, bytes, static_cast<unsigned char>(i));
    records.push_back(record);
  }
  for (size_t i = 0; i < records.size(); i += 2) PoolFree(records[i]);
  // A block of the class is taken again from those freed.
  void* again = PoolAllocate(1 + (1998 * 37) % (kLargestPooledRecord + 64));
  bool reused = false;
  for (size_t i = 0; i < records.size(); i += 2) reused = reused || again == records[i];
  EXPECT_TRUE(reused);
  for (size_t i = 1; i < records.size(); i += 2) PoolFree(records[i]);
  PoolFree(again);
  PoolFree(nullptr);
  PoolReleaseSpares();
  EXPECT_EQ(MemoryStats(), before);

  // A record still held keeps its chunk, which the statistics count.
  void* held = PoolAllocate(24);
  PoolReleaseSpares();
  EXPECT_GT(MemoryStats().first, before.first);
  PoolFree(held);
  PoolReleaseSpares();
  EXPECT_EQ(MemoryStats(), before);
}

TEST_F(VmMemoryTest, AMachineThatRanThousandsOfCallsAndValuesLeavesNothingBehind) {
  uint32_t index = 0;
  ASSERT_TRUE(CompileClass("Busy",
                           "Busy is Thing;\n"
                           "attributes { total is number; }\n"
                           "method number Fib(n is number) { if (n < 2) return n; return Fib(n - 1) + Fib(n - 2); }\n"
                           "state Switchboard { i is number; s is string; l is list; d is database; o is Busy;\n"
                           "  total = Fib(16); i = 0; s = \"\";\n"
                           "  while (i < 2000) { s = s + i + \",\"; l = l + [i, s]; d = addkey(d, \"k\" + i, i);"
                           " o = new Busy; o.total = i; i = i + 1; }\n"
                           "  print(total + retrieve(d, \"k7\") + l.count()); exit(); }\n",
                           &index));
  // The first machine makes what the class keeps for every run (its methods' decoded code).
  std::pair<uint32_t, uint32_t> before;
  std::pair<uint32_t, uint32_t> afterFirst;
  for (int run = 0; run < 3; ++run) {
    if (run == 1) {
      // The empty chunks the machine left are kept for the next one, and counted.
      afterFirst = MemoryStats();
      PoolReleaseSpares();
      before = MemoryStats();
      EXPECT_LT(before.first, afterFirst.first);
    }
    RTVarnoVM* machine = nullptr;
    ASSERT_EQ(VarnoVMFactory(&machine), kRTSuccess);
    VarnoVMSetTypeTable(machine, table());
    RTVarnoSymbol* object = nullptr;
    ASSERT_EQ(ConstructScriptObject(machine, index, &object), kRTSuccess);
    ASSERT_EQ(VarnoVMSetNewContext(machine, object, u"Switchboard", 1), kRTSuccess);
    EXPECT_EQ(VarnoVMRun(machine), kRunExit);
    RemoveAllContexts(machine);
    CollectorSweep(machine);
    ASSERT_EQ(VarnoVMDestructor(machine), kRTSuccess);
  }
  EXPECT_EQ(TakeOutput(), (std::vector<std::string>{"4994", "4994", "4994"}));
  EXPECT_EQ(MemoryStats(), afterFirst) << "a machine takes the kept chunks again and keeps no more";
  PoolReleaseSpares();
  EXPECT_EQ(MemoryStats(), before) << "nothing but the kept empty chunks stayed";
}

}  // namespace
