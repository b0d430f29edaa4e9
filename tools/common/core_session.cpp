#include "core_session.h"

#include "kivo/support/module_core.h"
#include "platform/dynamic_library.h"
#include "platform/paths.h"
#include "platform/registry.h"

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

std::unique_ptr<CoreSession> CoreSession::Start(std::string* error) {
  std::u16string root;
  if (platform::ReadRegistryValue(u"HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0", u"Root", 512, root) !=
      platform::RegistryResult::kOk) {
    *error = "no Kivo Root in " + platform::RegistryFilePath().string();
    return nullptr;
  }
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
