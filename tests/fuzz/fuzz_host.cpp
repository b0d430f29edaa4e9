#include "fuzz_host.h"

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "host/temp_dir.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "platform/message_box.h"
#include "platform/utf.h"

namespace tesk::fuzz {

namespace {

constexpr uint32_t kPathUnits = 512;

RTSuccess DropDebugPrint(RTInstance, const char16_t*) { return kRTSuccess; }
RTSuccess DropRaisedError(RTInstance, const char16_t*, uint32_t) { return kRTSuccess; }

// At exit the instances the process keeps go first, then the core, then the scratch folder.
struct ProcessWorld {
  testing::TempDir scratch;
  std::unique_ptr<testing::CoreHost> host;
  std::vector<kivo::InstanceRef> kept;
  ~ProcessWorld() {
    kept.clear();
    host.reset();
  }
};

ProcessWorld& World() {
  static ProcessWorld world;
  return world;
}

std::vector<std::string_view> ComponentsOf(const CoreNeeds& needs) {
  std::vector<std::string_view> names(std::begin(testing::kFrameworkComponents),
                                      std::end(testing::kFrameworkComponents));
  names.insert(names.end(), needs.components.begin(), needs.components.end());
  return names;
}

CoreTable& Started(const CoreNeeds& needs) {
  ProcessWorld& world = World();
  // Mesa's software rasterizer draws on the calling thread, as in the tests.
  setenv("LP_NUM_THREADS", "0", 0);
  // Drive paths ("c:/...") map into the scratch folder: a file an input makes stays there.
  setenv("XDG_DATA_HOME", ScratchFolder().c_str(), 1);
  setenv("TESK_DRIVE_C", (ScratchFolder() / "tesk/c").c_str(), 1);
  const std::vector<std::string_view> components = ComponentsOf(needs);
  world.host = std::make_unique<testing::CoreHost>(components);
  std::vector<std::filesystem::path> libraries;
  for (std::string_view name : components) libraries.push_back(testing::CoreHost::StagedComponent(name));
  if (needs.rasterizer) {
    libraries.emplace_back(TESK_RASTERIZER_PIX);
    std::filesystem::create_symlink(TESK_RASTERIZER_PIX, world.host->root() / "components/rtrasterizer.so");
  }
  // The core unloads a class's library when its last instance goes and loads it again for the
  // next; a fuzzer keeps the coverage counters of every library it saw loaded, so each library
  // stays mapped for the process.
  for (const std::filesystem::path& library : libraries) {
    if (void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_NODELETE)) dlclose(handle);
  }
  platform::SetMessageSink([](std::u16string_view, std::u16string_view) {});
  if (!world.host->Start()) Fail("the core did not start");
  CoreTable& core = world.host->table();
  kivo::SetModuleCore(&core);
  core.DebugPrint = DropDebugPrint;
  core.RaiseError = DropRaisedError;
  if (needs.rasterizer) {
    kivo::InstanceRef rasterizer;
    if (!core.GetFirstInstanceByString(nullptr, u"RTRasterizer", rasterizer.out(), 1, nullptr)) {
      Fail("no software rasterizer");
    }
    KeepForProcess(std::move(rasterizer));
  }
  return core;
}

// Calls `visit` with each child of `instance`, in order; the child is not held for the call.
template <typename Visit>
void ForEachChild(CoreTable& core, RTInstance instance, Visit visit) {
  uint32_t count = 0;
  core.GetChildCount(nullptr, instance, &count);
  for (uint32_t i = 0; i < count; ++i) {
    RTInstance child = nullptr;
    if (!core.GetChild(nullptr, instance, i, &child)) continue;
    core.ReleaseInstance(nullptr, child);
    visit(child);
  }
}

// Every instance of the world, parents before their children.
void CollectInstances(CoreTable& core, RTInstance instance, std::vector<RTInstance>& found) {
  found.push_back(instance);
  ForEachChild(core, instance, [&](RTInstance child) { CollectInstances(core, child, found); });
}

// The instances below `instance` that are not known, each the first of a new branch.
void CollectNewBranches(CoreTable& core, RTInstance instance, const std::unordered_set<RTInstance>& known,
                        std::vector<RTInstance>& found) {
  ForEachChild(core, instance, [&](RTInstance child) {
    if (known.contains(child))
      CollectNewBranches(core, child, known, found);
    else
      found.push_back(child);
  });
}

// Destroys the instance, which the caller holds a reference to, and its subtree, children first.
// A child holds its parent: each instance is held while its children go. An instance of the
// instance store stays as its placeholder.
void DestroyBranch(CoreTable& core, RTInstance instance) {
  uint32_t count = 0;
  core.GetChildCount(nullptr, instance, &count);
  for (uint32_t i = count; i-- > 0;) {
    RTInstance child = nullptr;
    if (core.GetChild(nullptr, instance, i, &child)) DestroyBranch(core, child);
  }
  core.ForceReleaseInstance(nullptr, instance);
}

std::string PathOf(CoreTable& core, RTInstance instance) {
  char16_t path[kPathUnits] = u"?";
  core.GetInstancePath(nullptr, instance, path, kPathUnits);
  return platform::ToUtf8(path);
}

RTInstance Root() {
  kivo::InstanceRef root;
  kivo::ModuleCore()->GetRoot(nullptr, root.out());
  return root.get();  // Root lives as long as the core
}

uint32_t LiveBlocks() {
  uint32_t blocks = 0;
  uint32_t heap = 0;
  kivo::ModuleCore()->GetMemoryStats(nullptr, &blocks, &heap);
  return blocks;
}

// What the world holds when an input starts: its instances and the core's blocks.
class InputScope {
 public:
  InputScope() {
    std::vector<RTInstance> instances;
    CollectInstances(*kivo::ModuleCore(), Root(), instances);
    known_.insert(instances.begin(), instances.end());
    blocks_ = LiveBlocks();
  }

  // The instances made since the start that are not below one made since then.
  std::vector<RTInstance> NewBranches() const {
    std::vector<RTInstance> found;
    CollectNewBranches(*kivo::ModuleCore(), Root(), known_, found);
    return found;
  }

  // Destroys the new branches, each with its subtree; the path of the first of them, empty when
  // there were none. Each branch is looked for afresh: destroying one may take others with it.
  std::string TakeBack() {
    CoreTable& core = *kivo::ModuleCore();
    std::unordered_set<RTInstance> destroyed;
    std::string first;
    for (;;) {
      RTInstance next = nullptr;
      for (RTInstance branch : NewBranches()) {
        if (!destroyed.contains(branch)) {
          next = branch;
          break;
        }
      }
      if (!next) return first;
      if (first.empty()) first = PathOf(core, next);
      destroyed.insert(next);
      if (core.ResolveHandle(nullptr, next)) DestroyBranch(core, next);
    }
  }

  int64_t BlocksGained() const { return int64_t{LiveBlocks()} - blocks_; }

 private:
  std::unordered_set<RTInstance> known_;
  uint32_t blocks_ = 0;
};

}  // namespace

CoreTable& StartCore(const CoreNeeds& needs) {
  static CoreTable& core = Started(needs);
  return core;
}

RTInstance KeepForProcess(kivo::InstanceRef instance) {
  RTInstance kept = instance.get();
  World().kept.push_back(std::move(instance));
  return kept;
}

const std::filesystem::path& ScratchFolder() { return World().scratch.path(); }

void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz: %s\n", what.c_str());
  std::abort();
}

void RunInput(const std::function<void()>& read, LeftInstances left) {
  // A first run may fill what components keep for the process (caches, pools, the parent of the
  // code streams): only when it left something does a second run tell, by leaving more.
  InputScope first;
  read();
  if (left == LeftInstances::kTakenBack) first.TakeBack();
  if (first.BlocksGained() <= 0 && first.NewBranches().empty()) return;
  InputScope second;
  read();
  const std::string leaked = second.TakeBack();
  if (!leaked.empty() && left == LeftInstances::kLeak) Fail("the input left the instance " + leaked + " behind");
  const int64_t gained = second.BlocksGained();
  if (gained > 0) Fail("the input left " + std::to_string(gained) + " core blocks behind");
}

void StreamIntoNew(const char16_t* className, const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  RunInput([&] {
    kivo::InstanceRef instance;
    if (!kivo::ModuleCore()->CreateInstanceByString(nullptr, className, instance.out(), 0, 1)) {
      Fail("the reader's class cannot be created");
    }
    kivo::InstanceRef stream = testing::MemoryStreamWith(bytes);
    kivo::component::StreamIn(instance.get(), kivo::component::kStreamWhole, stream.get());
  });
}

}  // namespace tesk::fuzz
