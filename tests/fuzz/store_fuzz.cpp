// The instance store: a pack file (".kivopack") opened by the store singleton, as the core's store
// opens root.kivopack at start; then the instances at the paths of the pack's first records are
// asked for by path and fetched from it, their stored children with them (the input's scope
// resolves every instance it takes back).
#include <string>
#include <vector>

#include "fuzz_host.h"
#include "host/stream_bytes.h"
#include "host/temp_dir.h"
#include "kivo/support/pack_index.h"
#include "kivo/support/store_calls.h"
#include "kivo/support/stream_calls.h"

namespace {

// Enough records to reach past the pack's top instance.
constexpr size_t kPathsAsked = 8;

// The paths of the pack's first records, as their headers name them.
std::vector<std::u16string> RecordPaths(CoreTable& core, const uint8_t* data, size_t size) {
  kivo::InstanceRef stream =
      tesk::testing::MemoryStreamWith(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<kivo::PackEntry> index;
  uint32_t dataStart = 0;
  std::vector<std::u16string> paths;
  if (!kivo::ReadPackIndex(stream.get(), &index) || !kivo::stream::GetPosition(stream.get(), &dataStart)) return paths;
  for (size_t i = 0; i < index.size() && paths.size() < kPathsAsked; ++i) {
    RTStreamHeader* header = nullptr;
    if (kivo::stream::Seek(stream.get(), dataStart + index[i].offset) &&
        core.ReadStreamHeader(nullptr, stream.get(), &header) && header->path) {
      paths.emplace_back(header->path);
    }
    core.FreeStreamHeader(nullptr, header);
  }
  return paths;
}

RTInstance Store(CoreTable& core) {
  kivo::InstanceRef store;
  core.GetFirstInstanceByString(nullptr, kivo::instance_store::kClassName, store.out(), 1, nullptr);
  return tesk::fuzz::KeepForProcess(std::move(store));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CoreTable& core = tesk::fuzz::StartCore(
      {.components = {"RTEditable", "RTMaterial", "RTImage", "RTAnimTrack", "RTPathfinding", "RTRoutePlanner"}});
  static RTInstance store = Store(core);
  static const std::filesystem::path pack = tesk::fuzz::ScratchFolder() / "store.kivopack";
  tesk::testing::WriteFile(pack, std::string_view(reinterpret_cast<const char*>(data), size));
  // The instances fetched stay loaded in the world, as the store's instances do.
  tesk::fuzz::RunInput(
      [&] {
        if (!kivo::instance_store::Open(store, pack.u16string().c_str())) return;
        for (const std::u16string& path : RecordPaths(core, data, size)) {
          kivo::InstanceRef instance;
          core.GetInstanceByName(nullptr, path.c_str(), instance.out(), 0);
        }
      },
      tesk::fuzz::LeftInstances::kTakenBack);
  return 0;
}
