// Loading kivocore and starting it with a core table of our own, as a host does.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"

namespace tesk {

// The core library's three exports.
struct CoreExports {
  RTSuccess (*startup)(CoreTable*);
  RTSuccess (*shutdown)();
  RTSuccess (*registerEvents)();
};

// Loads the library (it stays loaded for the life of the process); false with a reason.
bool LoadCore(const std::filesystem::path& library, CoreExports* exports, std::string* error);

// Which stored instances a session's core sees: those of its root's store, as every host's core
// does (kRoots on the root itself, kRootsOwnRoot on a root of the session's own); none (a tool that
// writes stores of its own starts from an empty world); or those of a pack the tool names.
enum class StoredInstances { kRoots, kRootsOwnRoot, kNone, kPack };

// A started core whose Kivo root comes from the registry; it is shut down with the session.
// The support library of the process allocates through it. Unless it sees the root's stored
// instances, the core runs on a root of the session's own: a temporary folder with the registry
// root's core, its components, the software rasterizer module as the rasterizer (tools draw
// offscreen), the components the build made for the tools (the game's stand-in, which the staged
// tree never holds) and its store: the registry root's for kRootsOwnRoot, the pack for kPack. The
// registry root's store, registry file and error log are left alone. A session that sees stored
// instances holds the instance store for its life, as the program does, so its pack is read once.
class CoreSession {
 public:
  static std::unique_ptr<CoreSession> Start(std::string* error, StoredInstances stored = StoredInstances::kRoots,
                                            const std::filesystem::path& pack = {});
  ~CoreSession();
  CoreSession(const CoreSession&) = delete;
  CoreSession& operator=(const CoreSession&) = delete;

  CoreTable& core() { return table_; }

 private:
  CoreSession() = default;
  bool MakeOwnRoot(std::u16string* root, const std::filesystem::path& store, std::string* error);

  CoreExports exports_{};
  CoreTable table_{};
  std::filesystem::path ownRoot_;
  std::string registryBefore_;
  bool hadRegistry_ = false;
  kivo::InstanceRef store_;
};

}  // namespace tesk
