// A test host for the core library: a fresh framework root with a registry file that names it,
// the staged kivocore.so loaded with dlopen as the program loads it, and the core table the host
// owns. Debug output goes to a file of the fixture; message boxes are recorded.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <span>
#include <string_view>
#include <string>
#include <vector>

#include "host/temp_dir.h"
#include "kivo/component_def.h"
#include "kivo/core_table.h"

namespace tesk::testing {

struct RecordedMessage {
  std::u16string title;
  std::u16string text;
};

// The framework components every core start needs (Root is an RTComponent).
inline constexpr std::string_view kFrameworkComponents[] = {
    "RTComponent", "RTStream", "RTMemoryStream", "RTBrellinFileStream", "RTResource", "RTInstanceStore"};

class CoreHost {
 public:
  // A root whose component folder links the named staged components.
  explicit CoreHost(std::span<const std::string_view> components = kFrameworkComponents);
  ~CoreHost();

  // The table as the host hands it over: the minimum size, the current version, and a
  // recognisable sentinel in every other slot.
  CoreTable& table() { return table_; }
  uintptr_t SlotValue(size_t index) const;
  void SetSlot(size_t index, uintptr_t value);
  static uintptr_t Sentinel(size_t index) { return 0x5E5E000000000000ull + index; }

  // A started core holds the instance store until it shuts down, as the program does: its pack is
  // read once, not again at every lookup by name. Unless told not to before it starts.
  RTSuccess Start();
  void SetHoldsStore(bool holds) { holdsStore_ = holds; }
  RTSuccess Shutdown();
  RTSuccess RegisterEvents();

  // Framework root, ending with '/'.
  std::filesystem::path root() const { return dir_.path() / "kivo/"; }
  std::filesystem::path registryFile() const { return dir_.path() / "registry.ini"; }
  void WriteRegistry(std::string_view contents);
  // Links a component library into the root's component folder (before Start).
  void InstallComponent(const std::filesystem::path& library);
  static std::filesystem::path StagedComponent(std::string_view name);

  std::string DebugLog() const;
  std::string ErrorLog() const;
  const std::vector<RecordedMessage>& messages() const { return messages_; }

 private:
  TempDir dir_;
  CoreTable table_{};
  std::vector<RecordedMessage> messages_;
  bool started_ = false;
  bool holdsStore_ = true;
  RTInstance store_ = nullptr;
};

// A core started once for the whole process on a root with the named staged components (for
// benchmarks), its allocator backing the support library; it is never shut down. Aborts when the
// core does not start. Later calls give the same host.
CoreHost& ProcessCore(std::span<const std::string_view> components);

// Destroys an instance and its subtree, children first, whatever their reference counts.
void ForceReleaseTree(CoreTable& core, RTInstance instance);

// A started core whose allocator backs the support library of the test. At the end the core is
// shut down and its memory report must show no block left: every test gives back what it took.
class StartedCore : public ::testing::Test {
 protected:
  // Links further component libraries into the root before the core starts.
  virtual void InstallComponents(CoreHost&) {}
  void SetUp() override;
  void TearDown() override;

  CoreTable& core() { return host_.table(); }
  // Live blocks and heap bytes.
  std::pair<uint32_t, uint32_t> MemoryStats();

  CoreHost host_;
};

// A started core and a staged component library loaded apart from it, as the registry loads one,
// so that a test can read the definition the library hands the core.
class StagedDefinition : public StartedCore {
 protected:
  void TearDown() override;
  // The definition of the staged component library NAME, or null when it does not load.
  const RTComponentDef* Definition(std::string_view name);

 private:
  void* library_ = nullptr;
};

}  // namespace tesk::testing
