#include "registry_host.h"

#include <dlfcn.h>

#include <cstdlib>

#include "platform/utf.h"

namespace regtest {

std::filesystem::path FixtureLibrary(std::string_view name) {
  return std::filesystem::path(REGISTRY_FIXTURE_DIR) / (std::string(name) + ".so");
}

bool IsFixtureLoaded(std::string_view name) {
  void* library = dlopen(FixtureLibrary(name).c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (library) dlclose(library);
  return library != nullptr;
}

std::string Utf8(std::u16string_view text) { return platform::ToUtf8(text); }

RegistryHost::RegistryHost(std::initializer_list<std::string_view> fixtures) : host_(kRegistryFramework) {
  for (std::string_view name : fixtures) host_.InstallComponent(FixtureLibrary(name));
}

RegistryHost::~RegistryHost() {
  if (started_) Stop();
}

RTSuccess RegistryHost::Start() {
  const RTSuccess started = host_.Start();
  started_ = started != 0;
  Mark();
  return started;
}

long RegistryHost::Stop() {
  for (RTInstance instance : instances_) core().ReleaseInstance(nullptr, instance);
  instances_.clear();
  const size_t before = host_.DebugLog().size();
  host_.Shutdown();
  started_ = false;
  constexpr std::string_view kReport = "Memory Blocks Remaining on Core Shutdown: ";
  const std::string log = host_.DebugLog().substr(before);
  const size_t at = log.find(kReport);
  return at == std::string::npos ? -1 : std::strtol(log.c_str() + at + kReport.size(), nullptr, 10);
}

RTInstance RegistryHost::Create(std::u16string_view className) {
  const std::u16string name(className);
  RTInstance instance = nullptr;
  if (!core().CreateInstanceByString(nullptr, name.c_str(), &instance, 0, 1)) return nullptr;
  instances_.push_back(instance);
  return instance;
}

void RegistryHost::Release(RTInstance instance) {
  std::erase(instances_, instance);
  core().ReleaseInstance(nullptr, instance);
}

RTComponentHandle RegistryHost::Handle(std::u16string_view className) {
  const std::u16string name(className);
  RTComponentHandle handle = kNoComponent;
  core().GetComponentHandle(nullptr, name.c_str(), &handle);
  return handle;
}

void ClassTest::SetUp() { ASSERT_EQ(registry_.Start(), kRTSuccess); }

void ClassTest::TearDown() { EXPECT_EQ(registry_.Stop(), 0) << "core memory blocks left at shutdown"; }

}  // namespace regtest
