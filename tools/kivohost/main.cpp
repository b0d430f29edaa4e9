// kivohost: finds the Kivo root in the registry, loads the core from it, starts and stops it.
// The core's debug output (with its memory report) goes to standard error.
#include <cstdio>
#include <string>

#include "kivo/core_table.h"
#include "platform/dynamic_library.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/utf.h"

int main() {
  std::u16string root;
  if (platform::ReadRegistryValue(u"HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0", u"Root", 512, root) !=
      platform::RegistryResult::kOk) {
    std::fprintf(stderr, "kivohost: no Kivo Root in %s\n", platform::RegistryFilePath().c_str());
    return 1;
  }
  const auto corePath = platform::NativePath(root + u"core/kivocore.so");
  platform::LibraryHandle core = platform::OpenLibrary(corePath);
  if (!core) {
    std::fprintf(stderr, "kivohost: %s\n", platform::LastLibraryError().c_str());
    return 1;
  }
  auto startup = reinterpret_cast<RTSuccess (*)(CoreTable*)>(platform::FindSymbol(core, "_StartupKivo"));
  auto shutdown = reinterpret_cast<RTSuccess (*)()>(platform::FindSymbol(core, "_ShutdownKivo"));
  if (!startup || !shutdown) {
    std::fprintf(stderr, "kivohost: %s is not a Kivo core\n", corePath.c_str());
    return 1;
  }

  CoreTable table{};
  table.size = sizeof table;
  table.version = kCoreVersion;
  if (!startup(&table)) {
    std::fprintf(stderr, "kivohost: the core did not start\n");
    return 1;
  }
  std::printf("kivohost: core started from %s\n", platform::ToUtf8(root).c_str());
  table.RaiseError(nullptr, u"kivohost: core started", 5);
  shutdown();
  return 0;
}
