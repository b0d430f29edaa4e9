// The core's side of the instance space: connecting a client, the hooks it hands the client, and
// the queries that need a client.
#include "dispatch_host.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"

namespace {

using namespace dispatch_fixture;
using kivo::CallMethod;

constexpr char kNoClient[] = "ISClientOnCreateInstanceRequest: Unable to get RTISClient.";

bool SameUuid(const RTUUID& a, const RTUUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class InstanceSpace : public dispatch_test::DispatchCore {
 protected:
  void TearDown() override {
    if (stream_) Release(stream_);
    if (Client()) Disconnect();
    DispatchCore::TearDown();
  }

  RTInstance Stream() {
    if (!stream_) {
      EXPECT_EQ(kivo::memory_stream::Create(&stream_), kRTSuccess);
    }
    kivo::stream::Seek(stream_, 0);
    return stream_;
  }

  std::u16string NameOf(RTInstance instance) {
    char16_t name[128] = {};
    core().GetInstanceName(nullptr, instance, name, 128);
    return name;
  }

  RTInstance stream_ = nullptr;
};

TEST_F(InstanceSpace, ConnectSetsUpSocketAndClient) {
  ASSERT_EQ(Connect(u"host.example"), kRTSuccess);
  const ClientRecord& client = ClientState();
  EXPECT_NE(client.serviceHook, nullptr);
  EXPECT_NE(client.createRequestHook, nullptr);
  EXPECT_NE(client.createResponseHook, nullptr);
  EXPECT_NE(client.headerHook, nullptr);
  EXPECT_NE(client.receiveHook, nullptr);
  EXPECT_EQ(client.started, 1u);
  EXPECT_EQ(std::u16string(client.user), u"user");
  EXPECT_EQ(std::u16string(client.password), u"wolk");

  ASSERT_NE(client.socket, nullptr);
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, client.socket, kSocketClass), 1u);
  RTInstance parent = nullptr;
  ASSERT_EQ(core().GetParent(nullptr, client.socket, &parent), kRTSuccess);
  EXPECT_EQ(parent, Client());
  Release(parent);
  const SocketRecord& socket = RecordOf<SocketRecord>(client.socket, kSocketRecord);
  EXPECT_EQ(socket.initialised, 1u);
  EXPECT_EQ(socket.configured, 1u);
  EXPECT_EQ(socket.port, 38000u);
  EXPECT_EQ(std::u16string(socket.address), u"host.example");

  uint32_t node = 0;
  EXPECT_EQ(core().GetLocalNodeID(nullptr, &node), kRTSuccess);
  EXPECT_EQ(node, kFixtureNodeId);
}

TEST_F(InstanceSpace, FailedConnectLeavesNoClientOrSocket) {
  EXPECT_EQ(Connect(u""), kRTFailure);
  EXPECT_FALSE(HasInstance(kClientClass));
  EXPECT_FALSE(HasInstance(kSocketClass));
}

TEST_F(InstanceSpace, NodeIdAndServiceNeedAClient) {
  uint32_t node = 0;
  EXPECT_EQ(core().GetLocalNodeID(nullptr, &node), kRTFailure);
  EXPECT_EQ(node, 0xFFFFFFFFu);
  EXPECT_EQ(core().ServiceInstanceSpaceClient(), kRTSuccess);
  EXPECT_FALSE(HasInstance(kClientClass));

  ASSERT_EQ(Connect(), kRTSuccess);
  EXPECT_EQ(core().ServiceInstanceSpaceClient(), kRTSuccess);
  EXPECT_EQ(ClientState().serviceCalls, 1u);
  EXPECT_EQ(ClientState().serviceHook(Client()), kRTSuccess);
  EXPECT_EQ(ClientState().serviceCalls, 2u);
}

TEST_F(InstanceSpace, CreateRequestAndResponseHooks) {
  ASSERT_EQ(Connect(), kRTSuccess);
  const ClientRecord& client = ClientState();

  // The request creates a local instance under the client and writes its header.
  RTUUID uuid{};
  char16_t* path = nullptr;
  ASSERT_EQ(client.createRequestHook(Client(), 1, 0, kWideClass, Stream(), &uuid, &path), kRTSuccess);
  RTInstance local = nullptr;
  ASSERT_EQ(core().GetInstanceByUUID(nullptr, &uuid, &local), kRTSuccess);
  Release(local);
  EXPECT_EQ(NameOf(local), u"DispatchWide1_42");
  RTInstance parent = nullptr;
  ASSERT_EQ(core().GetParent(nullptr, local, &parent), kRTSuccess);
  EXPECT_EQ(parent, Client());
  Release(parent);
  ASSERT_NE(path, nullptr);
  char16_t expectedPath[256] = {};
  core().GetInstancePath(nullptr, local, expectedPath, 256);
  EXPECT_EQ(std::u16string(path), expectedPath);
  core().ArrayFree(nullptr, path);

  // The response to another core makes a forwarded instance with the same UUID.
  RTInstance forwarded = nullptr;
  ASSERT_EQ(client.createResponseHook(Client(), 0, Stream(), &forwarded), kRTSuccess);
  ASSERT_NE(forwarded, nullptr);
  EXPECT_NE(forwarded, local);
  EXPECT_TRUE(SameUuid(UuidOf(forwarded), uuid));
  EXPECT_NE(kivo::LevelTable(kivo::ComponentObject(forwarded), kWideLevel),
            kivo::LevelTable(kivo::ComponentObject(local), kWideLevel))
      << "the forwarded instance calls through forwarding stubs";
  Release(forwarded);

  // The response to the own core hands out the instance the request kept.
  RTInstance kept = nullptr;
  ASSERT_EQ(client.createResponseHook(Client(), 1, Stream(), &kept), kRTSuccess);
  EXPECT_EQ(kept, local);

  // Once that instance is gone it is no longer handed out.
  Release(local);
  kept = reinterpret_cast<RTInstance>(&uuid);
  EXPECT_EQ(client.createResponseHook(Client(), 1, Stream(), &kept), kRTFailure);
  EXPECT_EQ(kept, nullptr);
  EXPECT_FALSE(HasInstance(kWideClass));
}

TEST_F(InstanceSpace, CreateHooksReportBadStreams) {
  ASSERT_EQ(Connect(), kRTSuccess);
  const ClientRecord& client = ClientState();

  // A stream that takes no bytes: the instance made for the request does not stay behind.
  RTInstance plain = Create(u"RTStream");
  ASSERT_NE(plain, nullptr);
  RTUUID uuid{};
  EXPECT_EQ(client.createRequestHook(Client(), 1, 0, kWideClass, plain, &uuid, nullptr), kRTFailure);
  EXPECT_EQ(ErrorCount("ISClientOnCreateInstanceRequest: Unable to stream header to stream instance."), 1u);
  EXPECT_FALSE(HasInstance(kWideClass));
  Release(plain);

  EXPECT_EQ(client.createRequestHook(Client(), 0, 0, u"RTNoSuchClass", Stream(), &uuid, nullptr), kRTFailure);
  EXPECT_EQ(ErrorCount("ISClientOnCreateInstanceRequest: Unable to create instance by string."), 1u);

  // An empty stream holds no header.
  RTInstance forwarded = nullptr;
  EXPECT_EQ(client.createResponseHook(Client(), 0, Stream(), &forwarded), kRTFailure);
  EXPECT_EQ(ErrorCount("ISClientOnCreateInstanceResponce: Unable to stream instance header in. Bad stream?"), 1u);
  EXPECT_EQ(forwarded, nullptr);
}

TEST_F(InstanceSpace, HeaderHookWritesTheHeaderOfThePath) {
  ASSERT_EQ(Connect(), kRTSuccess);
  RTInstance instance = Create(kWideClass);
  ASSERT_NE(instance, nullptr);
  char16_t path[256] = {};
  ASSERT_EQ(core().GetInstancePath(nullptr, instance, path, 256), kRTSuccess);

  ASSERT_EQ(ClientState().headerHook(Client(), path, Stream()), kRTSuccess);
  RTStreamHeader* header = nullptr;
  ASSERT_EQ(core().ReadStreamHeader(nullptr, Stream(), &header), kRTSuccess);
  EXPECT_EQ(std::u16string(header->className), kWideClass);
  EXPECT_TRUE(SameUuid(header->uuid, UuidOf(instance)));
  EXPECT_EQ(header->sizeWord, 0xFFFFFFFFu);
  core().FreeStreamHeader(nullptr, header);

  EXPECT_EQ(ClientState().headerHook(Client(), u"Root:NoSuchInstance", Stream()), kRTFailure);
  uint32_t count = 0;
  core().GetRefCount(nullptr, instance, &count);
  EXPECT_EQ(count, 1u) << "the hook gives back the reference of its lookup";
  Release(instance);
}

TEST_F(InstanceSpace, CreateHooksFailWithoutAClient) {
  ASSERT_EQ(Connect(), kRTSuccess);
  const auto request = ClientState().createRequestHook;
  const auto response = ClientState().createResponseHook;
  Disconnect();
  ASSERT_FALSE(HasInstance(kClientClass));

  RTUUID uuid{};
  EXPECT_EQ(request(nullptr, 1, 0, kWideClass, Stream(), &uuid, nullptr), kRTFailure);
  RTInstance out = nullptr;
  EXPECT_EQ(response(nullptr, 0, Stream(), &out), kRTFailure);
  EXPECT_EQ(ErrorCount(kNoClient), 2u);
  EXPECT_FALSE(HasInstance(kWideClass));
  EXPECT_FALSE(HasInstance(kClientClass));
}

TEST_F(InstanceSpace, ServerNeedsAServerComponent) {
  EXPECT_EQ(core().StartInstanceSpaceServer(nullptr, 0, 0, u"host.example"), kRTFailure);
  EXPECT_FALSE(HasInstance(kSocketClass));
}

class ServerSpace : public InstanceSpace {
 protected:
  std::vector<std::string> Fixtures() const override {
    std::vector<std::string> fixtures = InstanceSpace::Fixtures();
    fixtures.push_back("RTISServer");
    return fixtures;
  }
};

TEST_F(ServerSpace, ServerListensThroughItsSocket) {
  ASSERT_EQ(core().StartInstanceSpaceServer(nullptr, 0, 0, u"host.example"), kRTSuccess);
  RTInstance server = nullptr;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, kServerClass, &server, 0, nullptr), kRTSuccess);
  const ServerRecord& record = RecordOf<ServerRecord>(server, kServerRecord);
  EXPECT_EQ(record.started, 1u);
  ASSERT_NE(record.socket, nullptr);
  const SocketRecord& socket = RecordOf<SocketRecord>(record.socket, kSocketRecord);
  EXPECT_EQ(socket.initialised, 1u);
  EXPECT_EQ(socket.port, 38000u);
  EXPECT_EQ(std::u16string(socket.address), u"host.example");
  Release(server);
}

TEST_F(ServerSpace, FailedServerStartLeavesNoServerOrSocket) {
  EXPECT_EQ(core().StartInstanceSpaceServer(nullptr, 0, 0, u""), kRTFailure);
  EXPECT_FALSE(HasInstance(kServerClass));
  EXPECT_FALSE(HasInstance(kSocketClass));
}

}  // namespace
