#include "core_session.h"

#include <cstdlib>
#include <fstream>

#include "kivo/support/module_core.h"
#include "kivo/support/store_calls.h"
#include "platform/dynamic_library.h"
#include "platform/heap.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/utf.h"

namespace tesk {

bool LoadCore(const std::filesystem::path& library, CoreExports* exports, std::string* error) {
  platform::LibraryHandle core = platform::OpenLibrary(library);
  if (!core) {
    *error = platform::LastLibraryError();
    return false;
  }
  exports->startup = reinterpret_cast<RTSuccess (*)(CoreTable*)>(platform::FindSymbol(core, "_StartupKivo"));
  exports->shutdown = reinterpret_cast<RTSuccess (*)()>(platform::FindSymbol(core, "_ShutdownKivo"));
  exports->registerEvents = reinterpret_cast<RTSuccess (*)()>(platform::FindSymbol(core, "_RegisterEventsKivo"));
  if (exports->startup && exports->shutdown && exports->registerEvents) return true;
  *error = library.string() + " is not a Kivo core";
  return false;
}

namespace {

// The registry's limit on the framework root (with its terminating zero).
constexpr size_t kRootBytes = 512;

// The framework root from the registry file, or why there is none: the message names the file and
// the variable that chooses it.
bool ReadKivoRoot(std::u16string& root, std::string* error) {
  const std::filesystem::path file = platform::RegistryFilePath();
  const std::string named = file.string() + " (the registry file: $TESK_REGISTRY, else the registry.ini of the tool's "
                                            "staged tree, else $XDG_CONFIG_HOME/tesk/registry.ini)";
  std::error_code missing;
  if (!std::filesystem::is_regular_file(file, missing)) {
    *error = "no registry file " + named;
    return false;
  }
  if (!std::ifstream(file)) {
    *error = "cannot read the registry file " + named;
    return false;
  }
  const std::string key = platform::ToUtf8(platform::kKivoKeyPath);
  switch (platform::ReadRegistryValue(platform::kKivoKeyPath, u"Root", kRootBytes, root)) {
    case platform::RegistryResult::kOk:
      return true;
    case platform::RegistryResult::kKeyMissing:
      *error = "no key [" + key + "] in " + named;
      return false;
    case platform::RegistryResult::kValueMissing:
      *error = "no Root in [" + key + "] of " + named;
      return false;
    case platform::RegistryResult::kTooLong:
      *error = "the Root in [" + key + "] of " + named + " is too long";
      return false;
  }
  return false;
}

namespace fs = std::filesystem;

// The component folders as the core scans them: real folders again, each library a link to the
// shared one (a linked folder is not scanned).
void MirrorComponents(const fs::path& shared, const fs::path& own, std::error_code& failed) {
  fs::create_directory(own, failed);
  std::error_code ignored;
  for (const fs::directory_entry& entry : fs::directory_iterator(shared, ignored)) {
    const fs::path target = own / entry.path().filename();
    if (entry.is_directory(ignored) && !entry.is_symlink(ignored)) {
      MirrorComponents(entry.path(), target, failed);
    } else if (entry.is_regular_file(ignored)) {
      fs::create_symlink(fs::absolute(entry.path()), target, failed);
    }
  }
}

// The tools' own components, and the software rasterizer module where the program would copy
// the chosen one.
void AddToolComponents(const fs::path& components, std::error_code& failed) {
  std::error_code ignored;
  const fs::path tools = TESK_TOOL_COMPONENT_DIR;
  for (const fs::directory_entry& entry : fs::directory_iterator(tools, ignored))
    if (!fs::exists(components / entry.path().filename(), ignored))
      fs::create_symlink(entry.path(), components / entry.path().filename(), failed);
  const fs::path software = components / "bin/rtrasterizer.pix";
  if (!fs::exists(software, ignored)) return;
  fs::remove(components / "bin/rtrasterizer.so", ignored);
  fs::create_symlink(fs::read_symlink(software, ignored), components / "bin/rtrasterizer.so", failed);
}

}  // namespace

std::unique_ptr<CoreSession> CoreSession::Start(std::string* error, StoredInstances stored, const fs::path& pack) {
  std::u16string root;
  if (!ReadKivoRoot(root, error)) return nullptr;
  std::unique_ptr<CoreSession> session(new CoreSession());
  const fs::path store =
      stored == StoredInstances::kRootsOwnRoot ? platform::NativePath(root + u"store/root.kivopack") : pack;
  if (stored != StoredInstances::kRoots && !session->MakeOwnRoot(&root, store, error)) return nullptr;
  if (!LoadCore(platform::NativePath(root + u"core/kivocore.so"), &session->exports_, error)) return nullptr;
  session->table_.size = sizeof session->table_;
  session->table_.version = kCoreVersion;
  platform::KeepFreedHeap();
  if (!session->exports_.startup(&session->table_)) {
    *error = "the core did not start";
    session->exports_.shutdown();
    session->exports_.startup = nullptr;
    return nullptr;
  }
  kivo::SetModuleCore(&session->table_);
  // Without a store the lookups by name find nothing stored, as before: not a failure of the start.
  if (stored != StoredInstances::kNone) kivo::instance_store::Hold(session->store_.out());
  return session;
}

// A temporary root whose core and components are the registry root's (see the class), named by a
// registry file of its own that the core reads from now on.
bool CoreSession::MakeOwnRoot(std::u16string* root, const fs::path& store, std::string* error) {
  const fs::path shared = platform::NativePath(*root);
  std::string folder = (fs::temp_directory_path() / "tesk-root-XXXXXX").string();
  if (!mkdtemp(folder.data())) {
    *error = "cannot make a temporary Kivo root";
    return false;
  }
  ownRoot_ = folder;
  std::error_code failed;
  fs::create_directory_symlink(shared / "core", ownRoot_ / "core", failed);
  MirrorComponents(shared / "components", ownRoot_ / "components", failed);
  AddToolComponents(ownRoot_ / "components", failed);
  std::error_code ignored;
  if (!store.empty() && fs::exists(store, ignored)) {
    fs::create_directory(ownRoot_ / "store", failed);
    fs::create_symlink(fs::absolute(store), ownRoot_ / "store/root.kivopack", failed);
  }
  std::u16string additional;
  const bool hasAdditional = platform::ReadRegistryValue(platform::kKivoKeyPath, u"AdditionalPaths", kRootBytes,
                                                         additional) == platform::RegistryResult::kOk;
  std::ofstream registry(ownRoot_ / "registry.ini");
  registry << "[" << platform::ToUtf8(platform::kKivoKeyPath) << "]\nRoot=" << ownRoot_.string() << "/\n";
  if (hasAdditional) registry << "AdditionalPaths=" << platform::ToUtf8(additional) << "\n";
  registry.close();
  if (failed || !registry) {
    *error = "cannot lay out the temporary Kivo root " + ownRoot_.string();
    return false;
  }
  if (const char* before = std::getenv("TESK_REGISTRY")) {
    hadRegistry_ = true;
    registryBefore_ = before;
  }
  setenv("TESK_REGISTRY", (ownRoot_ / "registry.ini").c_str(), 1);
  *root = platform::FromUtf8(ownRoot_.string() + "/");
  return true;
}

CoreSession::~CoreSession() {
  store_.Reset();
  if (exports_.startup) exports_.shutdown();
  if (ownRoot_.empty()) return;
  if (hadRegistry_) {
    setenv("TESK_REGISTRY", registryBefore_.c_str(), 1);
  } else {
    unsetenv("TESK_REGISTRY");
  }
  std::error_code ignored;
  std::filesystem::remove_all(ownRoot_, ignored);
}

}  // namespace tesk
