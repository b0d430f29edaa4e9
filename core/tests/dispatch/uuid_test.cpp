// UUIDs: generation (version 1, node from the network adapter list), comparison by fields, and the
// UUID table behind GetInstanceByUUID.
#include <set>
#include <string>

#include "dispatch_host.h"

namespace {

using namespace dispatch_fixture;
using platform::NetworkAdapter;

constexpr char kNoNode[] = "[CORE.UUIDGenerate] Unable to get node entry (a MAC address was not available).";

bool SameUuid(const RTUUID& a, const RTUUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool HasVersionAndVariant(const RTUUID& uuid) {
  return (uuid.timeHiAndVersion & 0xF000) == 0x1000 && (uuid.clockSeqHiAndReserved & 0xC0) == 0x80;
}

class Uuids : public dispatch_test::DispatchCore {
 protected:
  std::vector<std::string> Fixtures() const override { return {}; }
};

TEST_F(Uuids, CompareOrdersFieldByFieldAsUnsignedNumbers) {
  const RTUUID base = {0x11223344, 0x5566, 0x1778, 0x99, 0xAA, {1, 2, 3, 4, 5, 6}};
  // Each case makes `a` order after `b`; the later fields of `a` are made smaller so that only
  // the deciding field can give the answer.
  const struct {
    const char* what;
    void (*after)(RTUUID& a, RTUUID& b);
  } cases[] = {
      {"time_low as a number, not its bytes", [](RTUUID& a, RTUUID& b) { a.timeLow = 0x100, b.timeLow = 0xFF; }},
      {"time_low unsigned", [](RTUUID& a, RTUUID& b) { a.timeLow = 0x80000000, b.timeLow = 1, a.timeMid = 0; }},
      {"time_mid before later fields",
       [](RTUUID& a, RTUUID& b) { a.timeMid = 0x0100, b.timeMid = 0x00FF, a.timeHiAndVersion = 0, a.node[0] = 0; }},
      {"time_hi_and_version before clock_seq",
       [](RTUUID& a, RTUUID& b) {
         a.timeHiAndVersion = 0x1100, b.timeHiAndVersion = 0x10FF, a.clockSeqHiAndReserved = 0;
       }},
      {"clock_seq_hi unsigned, before clock_seq_low",
       [](RTUUID& a, RTUUID& b) { a.clockSeqHiAndReserved = 0x80, b.clockSeqHiAndReserved = 0x7F, a.clockSeqLow = 0; }},
      {"clock_seq_low before the node",
       [](RTUUID& a, RTUUID& b) { a.clockSeqLow = 0xAB, b.clockSeqLow = 0xAA, a.node[0] = 0; }},
      {"node first byte before the last", [](RTUUID& a, RTUUID& b) { a.node[0] = 2, b.node[0] = 1, a.node[5] = 0; }},
      {"node last byte unsigned", [](RTUUID& a, RTUUID& b) { a.node[5] = 0xFF, b.node[5] = 0x00; }},
  };
  for (const auto& c : cases) {
    RTUUID a = base;
    RTUUID b = base;
    c.after(a, b);
    int32_t order = 9;
    EXPECT_EQ(core().UUIDCompare(nullptr, &a, &b, &order), kRTSuccess);
    EXPECT_EQ(order, 1) << c.what;
    EXPECT_EQ(core().UUIDCompare(nullptr, &b, &a, &order), kRTSuccess);
    EXPECT_EQ(order, -1) << c.what;
    EXPECT_EQ(core().UUIDCompare(nullptr, &a, &a, &order), kRTSuccess);
    EXPECT_EQ(order, 0) << c.what;
  }
}

TEST_F(Uuids, GeneratedUuidsAreVersionOneWithTheNodeAndAllDiffer) {
  std::set<std::string> seen;
  for (int i = 0; i < 3000; ++i) {
    RTUUID uuid{};
    ASSERT_EQ(core().UUIDGenerate(nullptr, &uuid), kRTSuccess);
    ASSERT_TRUE(HasVersionAndVariant(uuid)) << i;
    ASSERT_EQ(std::memcmp(uuid.node, dispatch_test::kNodeAddress.data(), 6), 0) << i;
    seen.insert(std::string(reinterpret_cast<const char*>(&uuid), sizeof uuid));
  }
  EXPECT_EQ(seen.size(), 3000u) << "UUIDs made within one clock tick differ by the counter";
  EXPECT_EQ(core().UUIDGenerate(nullptr, nullptr), kRTFailure);
}

TEST_F(Uuids, NodeIsTheSecondUsableAdapter) {
  using Address = std::array<uint8_t, 6>;
  const Address a = {0x02, 0, 0, 0, 0, 0xA};
  const Address b = {0x02, 0, 0, 0, 0, 0xB};
  const Address c = {0x02, 0, 0, 0, 0, 0xC};
  const Address placeholder = {'D', 'E', 'S', 'T', 0, 0x33};
  constexpr uint32_t kEthernet = platform::kEthernetAdapter;
  constexpr uint32_t kLoopback = platform::kLoopbackAdapter;
  const struct {
    const char* what;
    std::vector<NetworkAdapter> adapters;
    bool found;
    Address node;
  } cases[] = {
      {"two Ethernet adapters", {{kEthernet, a}, {kEthernet, b}, {kEthernet, c}}, true, b},
      {"another kind of interface counts with a zero address",
       {{kLoopback, c}, {kEthernet, a}, {kEthernet, b}},
       true,
       a},
      {"an Ethernet row without an address is skipped", {{kEthernet, {}}, {kEthernet, a}, {kEthernet, b}}, true, b},
      {"a placeholder address is skipped", {{kEthernet, placeholder}, {kEthernet, a}, {kEthernet, b}}, true, b},
      {"no adapters", {}, false, {}},
      {"one adapter", {{kEthernet, a}}, false, {}},
      {"one usable of two", {{kEthernet, placeholder}, {kEthernet, a}}, false, {}},
  };
  for (const auto& test : cases) {
    platform::SetNetworkAdaptersForTest(test.adapters);
    const size_t messages = ErrorCount(kNoNode);
    RTUUID uuid{};
    std::memset(uuid.node, 0xEE, sizeof uuid.node);
    EXPECT_EQ(core().UUIDGenerate(nullptr, &uuid), test.found ? kRTSuccess : kRTFailure) << test.what;
    EXPECT_TRUE(HasVersionAndVariant(uuid)) << test.what << ": the time fields are filled either way";
    if (test.found) {
      EXPECT_EQ(std::memcmp(uuid.node, test.node.data(), 6), 0) << test.what;
    } else {
      EXPECT_EQ(ErrorCount(kNoNode), messages + 1) << test.what;
    }
  }
}

TEST_F(Uuids, CreateUsesTheSystemHeapAndFreeReleasesIt) {
  const auto before = MemoryStats();
  RTUUID* uuid = nullptr;
  ASSERT_EQ(core().UUIDCreate(nullptr, &uuid), kRTSuccess);
  ASSERT_NE(uuid, nullptr);
  EXPECT_TRUE(HasVersionAndVariant(*uuid));
  EXPECT_EQ(std::memcmp(uuid->node, dispatch_test::kNodeAddress.data(), 6), 0);
  EXPECT_EQ(MemoryStats(), before) << "not from the core allocator";
  EXPECT_EQ(core().UUIDFree(nullptr, uuid), kRTSuccess);
  EXPECT_EQ(core().UUIDCreate(nullptr, nullptr), kRTFailure);

  // Without a node the partly filled UUID is still handed out.
  platform::SetNetworkAdaptersForTest(std::vector<NetworkAdapter>{});
  ASSERT_EQ(core().UUIDCreate(nullptr, &uuid), kRTSuccess);
  EXPECT_TRUE(HasVersionAndVariant(*uuid));
  EXPECT_EQ(core().UUIDFree(nullptr, uuid), kRTSuccess);
}

TEST_F(Uuids, InstancesAreFoundByUuidOnlyWhileTheyLive) {
  RTInstance first = Create(u"RTComponent");
  RTInstance second = Create(u"RTComponent");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  const RTUUID uuid = UuidOf(first);
  EXPECT_FALSE(SameUuid(uuid, UuidOf(second)));
  EXPECT_EQ(std::memcmp(uuid.node, dispatch_test::kNodeAddress.data(), 6), 0);

  RTInstance found = nullptr;
  ASSERT_EQ(core().GetInstanceByUUID(nullptr, &uuid, &found), kRTSuccess);
  EXPECT_EQ(found, first);
  uint32_t count = 0;
  core().GetRefCount(nullptr, first, &count);
  EXPECT_EQ(count, 2u) << "the lookup hands out a reference";
  Release(found);

  Release(first);
  found = reinterpret_cast<RTInstance>(&count);
  EXPECT_EQ(core().GetInstanceByUUID(nullptr, &uuid, &found), kRTFailure) << "destroyed instances are not found";
  EXPECT_EQ(found, nullptr);
  Release(second);
}

TEST_F(Uuids, NilUuidNamesNoInstance) {
  // A header with the nil UUID gives an instance that is not entered in the table.
  RTInstance forwarded = Forwarded(u"RTComponent", RTUUID{});
  ASSERT_NE(forwarded, nullptr);
  const RTUUID nil{};
  RTInstance found = nullptr;
  EXPECT_EQ(core().GetInstanceByUUID(nullptr, &nil, &found), kRTFailure);
  EXPECT_EQ(found, nullptr);
  EXPECT_EQ(core().GetInstanceByUUID(nullptr, nullptr, &found), kRTFailure);
  Release(forwarded);
}

TEST_F(Uuids, HeaderUuidReplacesTheGeneratedOne) {
  const RTUUID uuid = {0xCAFE0001, 0x0002, 0x1003, 0x84, 0x05, {6, 7, 8, 9, 10, 11}};
  RTInstance forwarded = Forwarded(u"RTComponent", uuid);
  ASSERT_NE(forwarded, nullptr);
  EXPECT_TRUE(SameUuid(UuidOf(forwarded), uuid));
  RTInstance found = nullptr;
  ASSERT_EQ(core().GetInstanceByUUID(nullptr, &uuid, &found), kRTSuccess);
  EXPECT_EQ(found, forwarded);
  Release(found);
  Release(forwarded);
  EXPECT_EQ(core().GetInstanceByUUID(nullptr, &uuid, &found), kRTFailure);
}

}  // namespace
