#include "host/core_host.h"

#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "core_session.h"
#include "kivo/support/module_core.h"
#include "kivo/support/store_calls.h"
#include "platform/dynamic_library.h"
#include "platform/heap.h"
#include "platform/message_box.h"

namespace tesk::testing {

namespace {

// The core stays loaded for the whole test process, as it does for the program.
const tesk::CoreExports& Core() {
  static const tesk::CoreExports exports = [] {
    tesk::CoreExports loaded{};
    std::string error;
    if (!tesk::LoadCore(std::filesystem::path(TESK_KIVO_CORE_DIR) / "kivocore.so", &loaded, &error))
      throw std::runtime_error("cannot load the core: " + error);
    return loaded;
  }();
  return exports;
}

}  // namespace

CoreHost::CoreHost(std::span<const std::string_view> components) {
  for (size_t i = 2; i < kCoreTableSlots; ++i) SetSlot(i, Sentinel(i));
  table_.size = kCoreTableMinBytes;
  table_.version = kCoreVersion;
  std::filesystem::create_directories(root() / "components");
  // Host programs started by a test find the core where a Kivo root keeps it.
  std::filesystem::create_directories(root() / "core");
  std::filesystem::create_symlink(std::filesystem::path(TESK_KIVO_CORE_DIR) / "kivocore.so", root() / "core/kivocore.so");
  for (std::string_view name : components) InstallComponent(StagedComponent(name));
  WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=" + root().string() + "\n");
  setenv("TESK_REGISTRY", registryFile().c_str(), 1);
  setenv("TESK_DEBUG_LOG", (dir_.path() / "debug.log").c_str(), 1);
  platform::SetMessageSink([this](std::u16string_view title, std::u16string_view text) {
    messages_.push_back({std::u16string(title), std::u16string(text)});
  });
}

CoreHost::~CoreHost() {
  if (started_) Shutdown();
  platform::SetMessageSink(nullptr);
  unsetenv("TESK_DEBUG_LOG");
  unsetenv("TESK_REGISTRY");
}

uintptr_t CoreHost::SlotValue(size_t index) const {
  uintptr_t value = 0;
  std::memcpy(&value, reinterpret_cast<const char*>(&table_) + index * sizeof(uintptr_t), sizeof value);
  return value;
}

void CoreHost::SetSlot(size_t index, uintptr_t value) {
  std::memcpy(reinterpret_cast<char*>(&table_) + index * sizeof(uintptr_t), &value, sizeof value);
}

RTSuccess CoreHost::Start() {
  platform::KeepFreedHeap();
  const RTSuccess result = Core().startup(&table());
  started_ = result != 0;
  if (started_) {
    // The support library's calls go through this core from now on.
    kivo::SetModuleCore(&table());
    if (holdsStore_) kivo::instance_store::Hold(&store_);
  }
  return result;
}

RTSuccess CoreHost::Shutdown() {
  if (store_) table().ReleaseInstance(nullptr, std::exchange(store_, nullptr));
  started_ = false;
  return Core().shutdown();
}

RTSuccess CoreHost::RegisterEvents() { return Core().registerEvents(); }

void CoreHost::InstallComponent(const std::filesystem::path& library) {
  std::filesystem::create_symlink(library, root() / "components" / library.filename());
}

std::filesystem::path CoreHost::StagedComponent(std::string_view name) {
  return std::filesystem::path(TESK_COMPONENT_DIR) / (std::string(name) + ".so");
}

void CoreHost::WriteRegistry(std::string_view contents) { WriteFile(registryFile(), contents); }

std::string CoreHost::DebugLog() const { return ReadFile(dir_.path() / "debug.log"); }

std::string CoreHost::ErrorLog() const { return ReadFile(root() / "kivo-error-log.txt"); }

CoreHost& ProcessCore(std::span<const std::string_view> components) {
  static CoreHost* host = [components] {
    auto* started = new CoreHost(components);
    if (!started->Start()) std::abort();
    kivo::SetModuleCore(&started->table());
    return started;
  }();
  return *host;
}

void ForceReleaseTree(CoreTable& core, RTInstance instance) {
  uint32_t count = 0;
  while (core.GetChildCount(nullptr, instance, &count) && count > 0) {
    RTInstance child = nullptr;
    if (!core.GetChild(nullptr, instance, count - 1, &child)) break;
    core.ReleaseInstance(nullptr, child);
    ForceReleaseTree(core, child);
  }
  core.ForceReleaseInstance(nullptr, instance);
}

void StartedCore::SetUp() {
  InstallComponents(host_);
  ASSERT_EQ(host_.Start(), kRTSuccess);
  kivo::SetModuleCore(&host_.table());
}

void StartedCore::TearDown() {
  ASSERT_EQ(host_.Shutdown(), kRTSuccess);
  EXPECT_NE(host_.DebugLog().find("Memory Blocks Remaining on Core Shutdown: 0\n"), std::string::npos)
      << "core memory left at shutdown";
}

std::pair<uint32_t, uint32_t> StartedCore::MemoryStats() {
  uint32_t blocks = 0;
  uint32_t heap = 0;
  core().GetMemoryStats(nullptr, &blocks, &heap);
  return {blocks, heap};
}

const RTComponentDef* StagedDefinition::Definition(std::string_view name) {
  if (!library_) library_ = platform::OpenLibrary(CoreHost::StagedComponent(name));
  const auto identify = reinterpret_cast<const RTComponentDef* (*)(CoreTable*)>(
      library_ ? platform::FindSymbol(library_, "_ComponentIdentify") : nullptr);
  return identify ? identify(&core()) : nullptr;
}

void StagedDefinition::TearDown() {
  if (library_) platform::CloseLibrary(library_);
  StartedCore::TearDown();
}

}  // namespace tesk::testing
