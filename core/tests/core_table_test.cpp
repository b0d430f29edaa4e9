// The core table as a host sees it: which tables start the core, which slots it writes, and how
// start-up fails without a framework root.
#include <gtest/gtest.h>

#include <cstring>

#include "host/core_host.h"
#include "platform/clock.h"

namespace {

using tesk::testing::CoreHost;

constexpr size_t kUnwrittenSlots[] = {18, 19, 25, 64, 78};

bool AllOperationSlotsHoldSentinels(const CoreHost& host) {
  for (size_t i = 2; i < kCoreTableSlots; ++i)
    if (host.SlotValue(i) != CoreHost::Sentinel(i)) return false;
  return true;
}

TEST(CoreTable, StartChecksTableSizeAndHostVersion) {
  const struct {
    uintptr_t size;
    uintptr_t version;
    RTSuccess started;
  } cases[] = {
      {kCoreTableMinBytes - 1, kCoreVersion, kRTFailure},
      {kCoreTableMinBytes, kCoreVersion, kRTSuccess},
      {kCoreTableMinBytes + 64, kCoreVersion, kRTSuccess},
      {kCoreTableMinBytes, 2310, kRTFailure},
      {kCoreTableMinBytes, 0, kRTSuccess},
  };
  for (const auto& c : cases) {
    CoreHost host;
    host.table().size = c.size;
    host.table().version = c.version;
    EXPECT_EQ(host.Start(), c.started) << "size " << c.size << ", version " << c.version;
    if (!c.started) {
      EXPECT_TRUE(AllOperationSlotsHoldSentinels(host)) << "a refused table is not touched";
    }
    EXPECT_EQ(host.Shutdown(), kRTSuccess);
  }
}

TEST(CoreTable, StartLeavesReservedSlotsAndClearsSlot74) {
  CoreHost host;
  ASSERT_EQ(host.Start(), kRTSuccess);
  for (size_t slot : kUnwrittenSlots) EXPECT_EQ(host.SlotValue(slot), CoreHost::Sentinel(slot)) << "slot " << slot;
  EXPECT_EQ(host.SlotValue(74), 0u);
  const CoreTable& t = host.table();
  for (const void* op : {reinterpret_cast<const void*>(t.MemAlloc), reinterpret_cast<const void*>(t.ArrayGetCount),
                         reinterpret_cast<const void*>(t.RaiseError), reinterpret_cast<const void*>(t.GetTime),
                         reinterpret_cast<const void*>(t.GetMemoryStats)})
    EXPECT_NE(op, nullptr);
}

TEST(CoreTable, RegisterEventsSucceedsAndChangesNothing) {
  CoreHost host;
  ASSERT_EQ(host.Start(), kRTSuccess);
  const CoreTable before = host.table();
  EXPECT_EQ(host.RegisterEvents(), kRTSuccess);
  EXPECT_EQ(std::memcmp(&before, &host.table(), sizeof before), 0);
}

TEST(CoreTable, StartFailsWithoutFrameworkRoot) {
  const std::string key = "[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\n";
  const struct {
    std::string registry;
    std::u16string message;  // empty: no message box
  } cases[] = {
      {"[HKEY_LOCAL_MACHINE\\Software\\Other]\nRoot=/tmp/\n",
       u"Cannot open Kivo Root Registry key (expected in): Software\\Ostrawen\\Kivo\\1.0\\"},
      {key + "AdditionalPaths=/tmp/\n", u"Cannot open the Root Path value from registry!"},
      {key + "Root=/" + std::string(127, 'x') + "\n", u"Cannot open the Root Path value from registry!"},
      {key + "Root=/nonexistent-tesk-root/\n", u""},
  };
  for (const auto& c : cases) {
    CoreHost host;
    host.WriteRegistry(c.registry);
    EXPECT_EQ(host.Start(), kRTFailure) << c.registry;
    if (c.message.empty()) {
      EXPECT_TRUE(host.messages().empty());
    } else {
      ASSERT_EQ(host.messages().size(), 1u) << c.registry;
      EXPECT_EQ(host.messages()[0].title, u"Kivo Initialization Error!");
      EXPECT_EQ(host.messages()[0].text, c.message);
    }
    EXPECT_EQ(host.Shutdown(), kRTSuccess) << "shutdown after a failed start";
  }
}

TEST(CoreTable, SecondStartNeedsAShutdownFirst) {
  CoreHost host;
  ASSERT_EQ(host.Start(), kRTSuccess);
  EXPECT_EQ(host.Start(), kRTFailure);
  EXPECT_EQ(host.Shutdown(), kRTSuccess);
  EXPECT_EQ(host.Start(), kRTSuccess);
}

TEST(CoreTable, GetTimeCountsMillisecondsSinceStart) {
  platform::SetManualClock(5'000'000'000);
  CoreHost host;
  ASSERT_EQ(host.Start(), kRTSuccess);
  platform::AdvanceClock(1'234'999'999);
  uint32_t ms = 0;
  EXPECT_EQ(host.table().GetTime(nullptr, &ms), kRTSuccess);
  EXPECT_EQ(ms, 1234u);
  platform::UseRealClock();
}

}  // namespace
