#include "core_session.h"

#include <fstream>

#include "kivo/support/module_core.h"
#include "platform/dynamic_library.h"
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

}  // namespace

std::unique_ptr<CoreSession> CoreSession::Start(std::string* error) {
  std::u16string root;
  if (!ReadKivoRoot(root, error)) return nullptr;
  std::unique_ptr<CoreSession> session(new CoreSession());
  if (!LoadCore(platform::NativePath(root + u"core/kivocore.so"), &session->exports_, error)) return nullptr;
  session->table_.size = sizeof session->table_;
  session->table_.version = kCoreVersion;
  if (!session->exports_.startup(&session->table_)) {
    *error = "the core did not start";
    session->exports_.shutdown();
    session->exports_.startup = nullptr;
    return nullptr;
  }
  kivo::SetModuleCore(&session->table_);
  return session;
}

CoreSession::~CoreSession() {
  if (exports_.startup) exports_.shutdown();
}

}  // namespace tesk
