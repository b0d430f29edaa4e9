// Forwarded instances: calls on an instance made from a stream header are packed into argument
// blocks, handed to the instance-space client, and (through the fixture client's loopback) unpacked
// again by the receiving side and run on a real instance of the same class.
#include <algorithm>
#include <utility>

#include "dispatch_host.h"
#include "kivo/slots.h"

namespace {

using namespace dispatch_fixture;
using dispatch_test::Block;
using kivo::CallMethod;

constexpr RTUUID kForwardedUuid = {0x89ABCDEF, 0x4567, 0x1123, 0x81, 0x42, {0x0A, 0x0B, 0x0C, 0x0D, 0x0E, 0x0F}};
constexpr char kForwardingRefusal[] = "Method called which doesn't support the Dispatch() mechanism.";
constexpr char kReceivingRefusal[] = "Method called which doesn't support the ReceivingDispatch() mechanism.";
constexpr char kTooManyParameters[] = "GenerateReceivingDispatch(), too many parameters in the parameter list.";
constexpr char kNoClient[] = "DispatchMethod: Unable to get RTISClient instance.";

bool SameUuid(const RTUUID& a, const RTUUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A connected client looping every call back to a real instance of the class, and a forwarded
// instance of the same class.
class Loopback : public dispatch_test::DispatchCore {
 protected:
  explicit Loopback(const char16_t* className = kPairClass) : className_(className) {}

  void SetUp() override {
    DispatchCore::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(Connect(), kRTSuccess);
    real_ = Create(className_);
    ASSERT_NE(real_, nullptr);
    ASSERT_EQ(SetLoopTarget(real_), kRTSuccess);
    forwarded_ = Forwarded(className_, kForwardedUuid);
    ASSERT_NE(forwarded_, nullptr);
  }

  void TearDown() override {
    if (forwarded_) Release(forwarded_);
    if (real_) Release(real_);
    if (Client()) Disconnect();
    DispatchCore::TearDown();
  }

  std::vector<uint8_t> LastBlock() {
    const ClientRecord& client = ClientState();
    return {client.lastBytes, client.lastBytes + std::min<size_t>(client.lastSize, sizeof client.lastBytes)};
  }
  TargetRecord& Real(uint32_t recordOffset = kBaseRecord) { return RecordOf<TargetRecord>(real_, recordOffset); }
  // The receive hook the core installed in the client, called as the client would.
  RTSuccess Receive(const RTUUID& uuid, uint32_t index, Block block) {
    return ClientState().receiveHook(Client(), &uuid, index, block.size(), block.data());
  }

  const char16_t* className_;
  RTInstance real_ = nullptr;
  RTInstance forwarded_ = nullptr;
};

class WideLoopback : public Loopback {
 protected:
  WideLoopback() : Loopback(kWideClass) {}
  TargetRecord& Real() { return Loopback::Real(kWideRecord); }
};

TEST_F(Loopback, StageAndStreamTravelAsTwoArgumentWords) {
  RTInstance stream = Create(u"RTComponent");
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(CallMethod(forwarded_, kBaseLevel, kStage, uint32_t{0xA1B2C3D4}, stream), kRTSuccess);

  const ClientRecord& client = ClientState();
  EXPECT_EQ(client.dispatchCount, 1u);
  EXPECT_EQ(client.lastIndex, 0u);
  EXPECT_TRUE(SameUuid(client.lastUuid, kForwardedUuid)) << "the block is addressed to the forwarded instance";
  EXPECT_EQ(LastBlock(), Block().Word(uint32_t{0xA1B2C3D4}).Word(stream).bytes());

  EXPECT_EQ(Real().calls, 1u);
  EXPECT_EQ(Real().lastMethod, kMethodStage);
  EXPECT_EQ(Real().stage, 0xA1B2C3D4u);
  EXPECT_EQ(Real().stream, stream);
  EXPECT_EQ(RecordOf<TargetRecord>(forwarded_, kBaseRecord).calls, 0u) << "the forwarded object runs nothing itself";
  Release(stream);
}

TEST_F(Loopback, InParameterTravelsAsItsValueAndArrivesAsPointerIntoTheBlock) {
  const RTFVector3D points{1.5f, -2.25f, 3.0f, 0.5f};
  EXPECT_EQ(CallMethod(forwarded_, kBaseLevel, kPoints, &points, uint32_t{0x80000003}), kRTSuccess);

  const ClientRecord& client = ClientState();
  EXPECT_EQ(client.lastIndex, 1u);
  EXPECT_EQ(client.lastSize, 24u);
  EXPECT_EQ(LastBlock(), Block().Copy(points).Word(uint32_t{0x80000003}).bytes());

  EXPECT_EQ(Real().lastMethod, kMethodPoints);
  EXPECT_EQ(Real().pointsAddress, client.lastBlock) << "the real method reads the vector in the block";
  EXPECT_EQ(std::memcmp(&Real().points, &points, sizeof points), 0);
  EXPECT_EQ(Real().count, 0x80000003u);
}

TEST_F(Loopback, NullInParameterIsRefusedBeforeForwarding) {
  EXPECT_EQ(CallMethod(forwarded_, kBaseLevel, kPoints, static_cast<const RTFVector3D*>(nullptr), uint32_t{3}),
            kRTFailure);
  EXPECT_EQ(ClientState().dispatchCount, 0u);
  EXPECT_EQ(Real().calls, 0u);
}

TEST_F(Loopback, OwnMethodsFollowTheThreeInheritedInTheGlobalNumbering) {
  EXPECT_EQ(CallMethod(forwarded_, kBaseLevel, kThird, uint32_t{5}), kRTSuccess);
  EXPECT_EQ(ClientState().lastIndex, 2u);
  EXPECT_EQ(LastBlock(), Block().Word(uint32_t{5}).bytes());
  EXPECT_EQ(Real().lastMethod, kMethodThird);
  EXPECT_EQ(Real().value, 5u);

  EXPECT_EQ(CallMethod(forwarded_, kPairLevel, kFourth, int32_t{-2}), kRTSuccess);
  EXPECT_EQ(ClientState().lastIndex, 3u);
  EXPECT_EQ(LastBlock(), Block().Word(int32_t{-2}).bytes()) << "no sign extension into the word's upper half";
  EXPECT_EQ(Real().lastMethod, kMethodFourth);
  EXPECT_EQ(Real().signedValue, -2);

  EXPECT_EQ(CallMethod(forwarded_, kPairLevel, kFifth, uint16_t{0xBEEF}, 0.75f), kRTSuccess);
  EXPECT_EQ(ClientState().lastIndex, 4u);
  EXPECT_EQ(LastBlock(), Block().Word(uint16_t{0xBEEF}).Word(0.75f).bytes());
  EXPECT_EQ(Real().lastMethod, kMethodFifth);
  EXPECT_EQ(Real().shortValue, 0xBEEF);
  EXPECT_EQ(Real().floatValue, 0.75f);
  EXPECT_EQ(Real().calls, 3u);
}

TEST_F(Loopback, RealMethodsResultComesBack) {
  EXPECT_EQ(CallMethod(forwarded_, kBaseLevel, kThird, uint32_t{0}), kRTFailure);
  EXPECT_EQ(Real().lastMethod, kMethodThird) << "the real method ran and failed";
}

TEST_F(Loopback, ReceiveHookRunsTheMethodOfTheGlobalIndex) {
  const RTUUID real = UuidOf(real_);
  // Index 2 is the parent's third method, 3 the class's first own method.
  EXPECT_EQ(Receive(real, 2, Block().Word(uint32_t{9})), kRTSuccess);
  EXPECT_EQ(Real().lastMethod, kMethodThird);
  EXPECT_EQ(Real().value, 9u);
  EXPECT_EQ(Receive(real, 3, Block().Word(int32_t{-5})), kRTSuccess);
  EXPECT_EQ(Real().lastMethod, kMethodFourth);
  EXPECT_EQ(Real().signedValue, -5);
  EXPECT_EQ(Real().calls, 2u);

  const RTUUID unknown = {1, 2, 3, 4, 5, {6, 7, 8, 9, 10, 11}};
  const struct {
    RTUUID uuid;
    uint32_t index;
    Block block;
    const char* what;
  } refused[] = {
      {real, 5, Block().Word(uint32_t{1}), "no method has index 5"},
      {unknown, 2, Block().Word(uint32_t{1}), "no instance has the UUID"},
      {RTUUID{}, 2, Block().Word(uint32_t{1}), "the nil UUID"},
      {real, 1, Block().Zeros(8), "a block shorter than the method's 24 bytes"},
  };
  for (const auto& c : refused) EXPECT_EQ(Receive(c.uuid, c.index, c.block), kRTFailure) << c.what;
  EXPECT_EQ(Real().calls, 2u);
}

TEST_F(WideLoopback, OutParameterGetsTheForwardingRefusal) {
  uint32_t value = 3;
  EXPECT_EQ(CallMethod(forwarded_, kWideLevel, kOutward, &value), kRTFailure);
  EXPECT_EQ(value, 3u);
  EXPECT_EQ(ClientState().dispatchCount, 0u);
  EXPECT_EQ(ErrorCount(kForwardingRefusal), 1u);
}

TEST_F(WideLoopback, ByValueParameterWiderThanFourBytesIsRefusedBothWays) {
  EXPECT_EQ(CallMethod(forwarded_, kWideLevel, kDouble, 2.5), kRTFailure);
  EXPECT_EQ(ClientState().dispatchCount, 0u);
  EXPECT_EQ(ErrorCount(kForwardingRefusal), 1u);
  EXPECT_EQ(Receive(UuidOf(real_), kWideFirstIndex + 6, Block().Copy(2.5)), kRTFailure);
  EXPECT_EQ(ErrorCount(kReceivingRefusal), 1u);
  EXPECT_EQ(Real().calls, 0u);
}

TEST_F(WideLoopback, ArrayParameterIsCountedAsZerosAndRefusedOnReceipt) {
  const RTFVector3D points{1, 2, 3, 4};
  EXPECT_EQ(CallMethod(forwarded_, kWideLevel, kSpread, &points, uint32_t{4}), kRTFailure);
  EXPECT_EQ(ClientState().lastIndex, kWideFirstIndex + 1);
  EXPECT_EQ(LastBlock(), Block().Zeros(sizeof points).Word(uint32_t{4}).bytes());
  EXPECT_EQ(ErrorCount(kReceivingRefusal), 1u);
  EXPECT_EQ(Real().calls, 0u);
}

template <class Slot, size_t... I>
RTSuccess CallWithValues(RTInstance instance, Slot slot, std::index_sequence<I...>) {
  return CallMethod(instance, kWideLevel, slot, uint32_t{1000 + I}...);
}

TEST_F(WideLoopback, ThirtyByValueParametersAreForwarded) {
  EXPECT_EQ(CallWithValues(forwarded_, kMany30, std::make_index_sequence<30>()), kRTSuccess);
  Block expected;
  for (uint32_t i = 0; i < 30; ++i) expected.Word(1000 + i);
  EXPECT_EQ(ClientState().lastIndex, kWideFirstIndex + 2);
  EXPECT_EQ(LastBlock(), expected.bytes());
  ASSERT_EQ(Real().manyCount, 30u);
  for (uint32_t i = 0; i < 30; ++i) EXPECT_EQ(Real().many[i], 1000 + i);
}

TEST_F(WideLoopback, ParametersBeyondThirtyWordsAreNotForwarded) {
  EXPECT_EQ(CallWithValues(forwarded_, kMany32, std::make_index_sequence<32>()), kRTFailure);
  EXPECT_EQ(ClientState().dispatchCount, 0u);
  EXPECT_EQ(ErrorCount(kForwardingRefusal), 1u);
}

TEST_F(WideLoopback, ThirtyThreeParametersAreRefusedOnceWhenTheTablesAreBuilt) {
  EXPECT_EQ(ErrorCount(kTooManyParameters), 1u) << "32 parameters are received, 33 are not";
  RTInstance second = Forwarded(kWideClass, RTUUID{7, 7, 0x1007, 0x80, 7, {7, 7, 7, 7, 7, 7}});
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ErrorCount(kTooManyParameters), 1u) << "a level's tables are built once";
  Release(second);

  const RTUUID real = UuidOf(real_);
  Block values;
  for (uint32_t i = 0; i < 33; ++i) values.Word(2000 + i);
  EXPECT_EQ(Receive(real, kWideFirstIndex + 3, values), kRTSuccess);
  EXPECT_EQ(Real().manyCount, 32u);
  EXPECT_EQ(Real().many[31], 2031u);
  EXPECT_EQ(Receive(real, kWideFirstIndex + 4, values), kRTFailure);
  EXPECT_EQ(ErrorCount(kReceivingRefusal), 1u);
  EXPECT_EQ(Real().calls, 1u);
}

TEST_F(WideLoopback, MethodWithoutFunctionFailsOnReceipt) {
  EXPECT_EQ(Receive(UuidOf(real_), kWideFirstIndex + 5, Block().Word(uint32_t{1})), kRTFailure);
}

// Without a client a forwarded call fails with its message and makes no client.
class Unconnected : public dispatch_test::DispatchCore {};
class NoClientClass : public dispatch_test::DispatchCore {
 protected:
  std::vector<std::string> Fixtures() const override { return {"RTDispatchBase", "RTDispatchPair"}; }
};

void ExpectCallFailsWithoutClient(RTInstance forwarded, const CoreTable& core) {
  EXPECT_EQ(CallMethod(forwarded, kBaseLevel, kStage, uint32_t{1}, RTInstance{}), kRTFailure);
  RTInstance client = nullptr;
  EXPECT_EQ(core.GetFirstInstanceByString(nullptr, kClientClass, &client, 0, nullptr), kRTFailure);
  EXPECT_EQ(client, nullptr);
}

TEST_F(Unconnected, DispatchFailsAndCreatesNoClient) {
  RTInstance forwarded = Forwarded(kPairClass, kForwardedUuid);
  ASSERT_NE(forwarded, nullptr);
  ExpectCallFailsWithoutClient(forwarded, core());
  EXPECT_EQ(ErrorCount(kNoClient), 1u);
  Release(forwarded);
}

TEST_F(NoClientClass, DispatchFailsWithoutARegisteredClient) {
  RTInstance forwarded = Forwarded(kPairClass, kForwardedUuid);
  ASSERT_NE(forwarded, nullptr);
  ExpectCallFailsWithoutClient(forwarded, core());
  EXPECT_EQ(ErrorCount(kNoClient), 1u);
  Release(forwarded);
}

TEST_F(Unconnected, CreateFromHeaderRefusesBadHeaders) {
  const auto header = [](uint32_t magic, const char16_t* className) {
    RTStreamHeader h{};
    h.magic = magic;
    h.className = const_cast<char16_t*>(className);
    h.uuid = kForwardedUuid;
    return h;
  };
  const struct {
    bool hasHeader;
    RTStreamHeader header;
    uint32_t word;
    const char* what;
  } cases[] = {
      {false, {}, 1, "no header"},
      {true, header(0x0EA5F002, kPairClass), 1, "bad magic"},
      {true, header(0, kPairClass), 1, "zero magic"},
      {true, header(kStreamHeaderMagic, u"RTNoSuchClass"), 1, "unknown class"},
      {true, header(kStreamHeaderMagic, nullptr), 1, "no class name"},
      {true, header(kStreamHeaderMagic, kPairClass), 0, "zero flag word"},
  };
  for (auto c : cases) {
    RTInstance out = reinterpret_cast<RTInstance>(&c);
    EXPECT_EQ(core().CreateInstanceFromHeader(nullptr, c.hasHeader ? &c.header : nullptr, &out, c.word), kRTFailure)
        << c.what;
    EXPECT_EQ(out, nullptr) << c.what;
    EXPECT_FALSE(HasInstance(kPairClass)) << c.what;
    RTInstance found = nullptr;
    EXPECT_EQ(core().GetInstanceByUUID(nullptr, &kForwardedUuid, &found), kRTFailure) << c.what;
  }
  RTStreamHeader good = header(kStreamHeaderMagic, kPairClass);
  EXPECT_EQ(core().CreateInstanceFromHeader(nullptr, &good, nullptr, 1), kRTFailure);
  EXPECT_FALSE(HasInstance(kPairClass));
}

TEST_F(Unconnected, InstallDispatchTablesNeedsAnInstanceAndAFlagWord) {
  RTInstance instance = Create(kPairClass);
  ASSERT_NE(instance, nullptr);
  EXPECT_EQ(core().InstallDispatchTables(nullptr, nullptr, 1), kRTFailure);
  EXPECT_EQ(core().InstallDispatchTables(nullptr, instance, 0), kRTFailure);
  EXPECT_EQ(CallMethod(instance, kPairLevel, kFourth, int32_t{8}), kRTSuccess) << "still calls its own methods";
  EXPECT_EQ(RecordOf<TargetRecord>(instance, kBaseRecord).signedValue, 8);
  Release(instance);
}

}  // namespace
