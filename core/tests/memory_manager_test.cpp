// The core allocator through the core table: block kinds, statistics, refusals and the report.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host/core_host.h"

namespace {

using tesk::testing::CoreHost;
using tesk::testing::StartedCore;

using Memory = StartedCore;

std::pair<uint32_t, uint32_t> Plus(std::pair<uint32_t, uint32_t> stats, uint32_t blocks, uint32_t heap) {
  return {stats.first + blocks, stats.second + heap};
}

TEST_F(Memory, ZeroSizeAndNullPointers) {
  void* block = reinterpret_cast<void*>(1);
  EXPECT_EQ(core().MemAlloc(nullptr, 0, &block, 0), kRTSuccess);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(core().MemFree(nullptr, nullptr), kRTSuccess);
  EXPECT_EQ(core().ArrayFree(nullptr, nullptr), kRTSuccess);
  void* out = nullptr;
  EXPECT_EQ(core().ArrayResize(nullptr, 4, nullptr, &out), kRTFailure);
  uint32_t count = 9;
  EXPECT_EQ(core().ArrayGetCount(nullptr, nullptr, &count), kRTFailure);
  EXPECT_EQ(count, 0u);
}

TEST_F(Memory, BlocksCountWithTheirHeadersAndStayAligned) {
  const auto start = MemoryStats();
  void* plain = nullptr;
  void* array = nullptr;
  ASSERT_EQ(core().MemAlloc(nullptr, 100, &plain, 0), kRTSuccess);
  EXPECT_EQ(MemoryStats(), Plus(start, 1, 112));
  ASSERT_EQ(core().ArrayAlloc(nullptr, 4, 5, &array, 0), kRTSuccess);
  EXPECT_EQ(MemoryStats(), Plus(start, 2, 112 + 44));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(plain) % 16, 0u);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(array) % 16, 0u);

  uint32_t count = 0;
  EXPECT_EQ(core().ArrayGetCount(nullptr, array, &count), kRTSuccess);
  EXPECT_EQ(count, 5u);
  EXPECT_EQ(core().ArrayGetCount(nullptr, plain, &count), kRTFailure);
  EXPECT_EQ(count, 0u);
  core().MemFree(nullptr, plain);
  core().ArrayFree(nullptr, array);
}

TEST_F(Memory, ZeroFlagClearsTheData) {
  void* plain = nullptr;
  void* array = nullptr;
  ASSERT_EQ(core().MemAlloc(nullptr, 64, &plain, 1), kRTSuccess);
  ASSERT_EQ(core().ArrayAlloc(nullptr, 8, 8, &array, 1), kRTSuccess);
  const char zeros[64] = {};
  EXPECT_EQ(std::memcmp(plain, zeros, 64), 0);
  EXPECT_EQ(std::memcmp(array, zeros, 64), 0);
  core().MemFree(nullptr, plain);
  core().MemFree(nullptr, array);
}

TEST_F(Memory, EitherFreeReleasesEitherKind) {
  using Free = RTSuccess (*CoreTable::*)(RTInstance, void*);
  const struct {
    bool array;
    Free free;
  } cases[] = {
      {false, &CoreTable::MemFree},
      {false, &CoreTable::ArrayFree},
      {true, &CoreTable::MemFree},
      {true, &CoreTable::ArrayFree},
  };
  for (const auto& c : cases) {
    const auto before = MemoryStats();
    void* block = nullptr;
    ASSERT_EQ(c.array ? core().ArrayAlloc(nullptr, 2, 10, &block, 0) : core().MemAlloc(nullptr, 20, &block, 0),
              kRTSuccess);
    EXPECT_EQ((core().*c.free)(nullptr, block), kRTSuccess);
    EXPECT_EQ(MemoryStats(), before) << (c.array ? "array" : "plain");
  }
}

TEST_F(Memory, ResizeRefusesTheOtherKind) {
  void* plain = nullptr;
  void* array = nullptr;
  core().MemAlloc(nullptr, 16, &plain, 0);
  core().ArrayAlloc(nullptr, 4, 4, &array, 0);
  const auto before = MemoryStats();
  void* out = nullptr;
  EXPECT_EQ(core().MemRealloc(nullptr, 64, array, &out), kRTFailure);
  EXPECT_EQ(core().ArrayResize(nullptr, 64, plain, &out), kRTFailure);
  EXPECT_EQ(MemoryStats(), before);
  const std::string log = host_.DebugLog();
  EXPECT_NE(log.find("Cannot resize an array block!"), std::string::npos);
  EXPECT_NE(log.find("Cannot size a memory block!"), std::string::npos);
  core().MemFree(nullptr, plain);
  core().MemFree(nullptr, array);
}

TEST_F(Memory, ArrayResizeKeepsElementsAndCount) {
  const auto start = MemoryStats();
  void* block = nullptr;
  ASSERT_EQ(core().ArrayAlloc(nullptr, sizeof(int32_t), 4, &block, 0), kRTSuccess);
  const int32_t values[] = {11, 22, 33, 44};
  std::memcpy(block, values, sizeof values);
  ASSERT_EQ(core().ArrayResize(nullptr, 1000, block, &block), kRTSuccess);
  EXPECT_EQ(std::memcmp(block, values, sizeof values), 0);
  uint32_t count = 0;
  core().ArrayGetCount(nullptr, block, &count);
  EXPECT_EQ(count, 1000u);
  EXPECT_EQ(MemoryStats(), Plus(start, 1, 4000 + 24));
  ASSERT_EQ(core().ArrayResize(nullptr, 2, block, &block), kRTSuccess);
  EXPECT_EQ(static_cast<int32_t*>(block)[1], 22);
  EXPECT_EQ(MemoryStats(), Plus(start, 1, 8 + 24));
  core().ArrayFree(nullptr, block);
}

TEST_F(Memory, ReallocMovesContentsAndCountsTheDifference) {
  const auto start = MemoryStats();
  void* block = nullptr;
  ASSERT_EQ(core().MemRealloc(nullptr, 10, nullptr, &block), kRTSuccess);
  EXPECT_EQ(MemoryStats(), Plus(start, 1, 22));
  std::memcpy(block, "0123456789", 10);
  ASSERT_EQ(core().MemRealloc(nullptr, 5000, block, &block), kRTSuccess);
  EXPECT_EQ(std::memcmp(block, "0123456789", 10), 0);
  EXPECT_EQ(MemoryStats(), Plus(start, 1, 5012));
  core().MemFree(nullptr, block);
}

TEST_F(Memory, SizesThatWouldWrapAreRefused) {
  const auto before = MemoryStats();
  void* block = reinterpret_cast<void*>(1);
  EXPECT_EQ(core().MemAlloc(nullptr, 0xFFFFFFFFu, &block, 0), kRTFailure);
  EXPECT_EQ(block, nullptr);
  EXPECT_EQ(core().ArrayAlloc(nullptr, 0x10000, 0x10000, &block, 0), kRTFailure);
  void* array = nullptr;
  core().ArrayAlloc(nullptr, 8, 2, &array, 0);
  EXPECT_EQ(core().ArrayResize(nullptr, 0x20000000, array, &block), kRTFailure);
  uint32_t count = 0;
  core().ArrayGetCount(nullptr, array, &count);
  EXPECT_EQ(count, 2u) << "a refused resize leaves the array as it was";
  core().ArrayFree(nullptr, array);
  EXPECT_EQ(MemoryStats(), before);

  const std::string log = host_.DebugLog();
  EXPECT_NE(log.find("Couldn't satisfy request for memory allocation of: 4294967295 bytes"), std::string::npos);
  EXPECT_NE(log.find("Couldn't satisfy request for memory allocation of: 4294967308 bytes"), std::string::npos);
  EXPECT_NE(log.find("Couldn't satisfy request for memory re-allocation of: 4294967296 bytes"), std::string::npos);
}

uint32_t ReportedValue(const std::string& log, const std::string& label) {
  const auto at = log.find(label);
  return at == std::string::npos ? 0 : static_cast<uint32_t>(std::stoul(log.substr(at + label.size())));
}

TEST(MemoryReport, ShutdownReportsWhatComponentsLeaked) {
  CoreHost host;
  ASSERT_EQ(host.Start(), kRTSuccess);
  void* leaked = nullptr;
  void* passing = nullptr;
  host.table().MemAlloc(nullptr, 100, &leaked, 0);
  host.table().MemAlloc(nullptr, 1000, &passing, 0);
  host.table().MemFree(nullptr, passing);
  ASSERT_EQ(host.Shutdown(), kRTSuccess);

  const std::string log = host.DebugLog();
  EXPECT_EQ(ReportedValue(log, "Memory Blocks Remaining on Core Shutdown: "), 1u);
  EXPECT_EQ(ReportedValue(log, "Heap size on Core shutdown: "), 112u);
  EXPECT_GE(ReportedValue(log, "Peak Number of Memory Blocks: "), 2u);
  EXPECT_GE(ReportedValue(log, "Peak Heap Size: "), 1124u);
  host.table().MemFree(nullptr, leaked);
}

}  // namespace
