#include "dispatch_host.h"

#include <filesystem>

#include "kivo/slots.h"

namespace dispatch_test {

using namespace dispatch_fixture;

std::vector<platform::NetworkAdapter> TestAdapters() {
  return {{platform::kLoopbackAdapter, {}}, {platform::kEthernetAdapter, kNodeAddress}};
}

std::vector<std::string> DispatchCore::Fixtures() const {
  return {"RTDispatchBase", "RTDispatchPair", "RTDispatchWide", "RTISClient", "RTSocket"};
}

void DispatchCore::SetUp() {
  platform::SetNetworkAdaptersForTest(TestAdapters());
  for (const std::string& name : Fixtures())
    host_.InstallComponent(std::filesystem::path(DISPATCH_FIXTURE_DIR) / (name + ".so"));
  StartedCore::SetUp();
}

void DispatchCore::TearDown() {
  StartedCore::TearDown();
  platform::SetNetworkAdaptersForTest(std::nullopt);
}

RTInstance DispatchCore::Create(const char16_t* className) {
  RTInstance instance = nullptr;
  return core().CreateInstanceByString(nullptr, className, &instance, 0, 1) ? instance : nullptr;
}

RTInstance DispatchCore::Forwarded(const char16_t* className, const RTUUID& uuid, uint32_t word) {
  RTStreamHeader header{};
  header.magic = kStreamHeaderMagic;
  header.className = const_cast<char16_t*>(className);
  header.uuid = uuid;
  RTInstance instance = nullptr;
  return core().CreateInstanceFromHeader(nullptr, &header, &instance, word) ? instance : nullptr;
}

void DispatchCore::Release(RTInstance instance) { EXPECT_EQ(core().ReleaseInstance(nullptr, instance), kRTSuccess); }

RTUUID DispatchCore::UuidOf(RTInstance instance) {
  RTUUID uuid{};
  EXPECT_EQ(core().GetInstanceUUID(nullptr, instance, &uuid), kRTSuccess);
  return uuid;
}

bool DispatchCore::HasInstance(const char16_t* className) {
  RTInstance instance = nullptr;
  if (!core().GetFirstInstanceByString(nullptr, className, &instance, 0, nullptr)) return false;
  core().ReleaseInstance(nullptr, instance);
  return true;
}

RTSuccess DispatchCore::Connect(const char16_t* address) {
  return core().ConnectInstanceSpace(nullptr, 0, 0, 0, address);
}

RTInstance DispatchCore::Client() {
  RTInstance client = nullptr;
  if (!core().GetFirstInstanceByString(nullptr, kClientClass, &client, 0, nullptr)) return nullptr;
  core().ReleaseInstance(nullptr, client);
  return client;
}

RTSuccess DispatchCore::SetLoopTarget(RTInstance target) {
  const RTUUID uuid = UuidOf(target);
  return kivo::CallMethod(Client(), kClientLevel, kClientSetLoopTarget, &uuid);
}

void DispatchCore::Disconnect() {
  RTInstance client = Client();
  ASSERT_NE(client, nullptr);
  if (RTInstance socket = ClientState().socket) Release(socket);
  Release(client);
}

size_t DispatchCore::ErrorCount(std::string_view text) const {
  const std::string log = host_.ErrorLog();
  size_t count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + text.size())) ++count;
  return count;
}

}  // namespace dispatch_test
