#include "kivo_loader.h"

#include <cstdlib>
#include <string>

#include "host_record.h"
#include "kivo/support/format.h"
#include "kivo/support/module_core.h"
#include "platform/cursors.h"
#include "platform/debug_output.h"
#include "platform/heap.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/utf.h"
#include "platform/window.h"

namespace tesk {

namespace {

constexpr char16_t kCoreModule[] = u"core/kivocore.so";
constexpr uint32_t kModulePathUnits = 256;
constexpr int kTargetCursor = 101;

using StartupFunction = RTSuccess (*)(CoreTable*);
using ShutdownFunction = RTSuccess (*)();

struct BoundCore {
  platform::LibraryHandle module = nullptr;
  StartupFunction startup = nullptr;
  ShutdownFunction shutdown = nullptr;  // kept, never called: the program does not stop the core
};

BoundCore gCore;
CoreTable* gTable = nullptr;
bool gStarted = false;

}  // namespace

int32_t GetKivoRootPath(char16_t* buffer, uint32_t size) {
  std::u16string root;
  const platform::RegistryResult read =
      platform::ReadRegistryValue(std::u16string(u"HKEY_LOCAL_MACHINE\\") + kKivoKey, u"Root", size, root);
  if (read == platform::RegistryResult::kKeyMissing)
    platform::ShowMessageBox(kKivoInitializationError,
                             kivo::Format(u"Cannot open Kivo Root Registry key (expected in): %s", kKivoKey));
  if (read != platform::RegistryResult::kOk) {
    platform::ShowMessageBox(kKivoInitializationError, u"Cannot open the Root Path value from registry!");
    return 0;
  }
  const std::u16string path = root + kCoreModule;
  if (!buffer || path.size() + 1 > size) return 0;
  path.copy(buffer, path.size());
  buffer[path.size()] = 0;
  return 1;
}

platform::LibraryHandle LoadModule(const char16_t* path) { return platform::OpenLibrary(platform::NativePath(path)); }

int32_t BindKivoCore(CoreTable* table) {
  if (gCore.module) return 1;
  platform::DebugOutput(u"Start with module binding");
  char16_t path[kModulePathUnits];
  if (!GetKivoRootPath(path, kModulePathUnits)) return 0;
  gCore.module = LoadModule(path);
  if (!gCore.module) {
    platform::DebugOutput(platform::FromUtf8("Cannot load the core: " + platform::LastLibraryError()));
    return 0;
  }
  auto bind = [](const char* name, const char* fallback) {
    void* entry = platform::FindSymbol(gCore.module, name);
    return entry ? entry : platform::FindSymbol(gCore.module, fallback);
  };
  gCore.startup = reinterpret_cast<StartupFunction>(bind("_StartupKivo", "StartupKivo"));
  gCore.shutdown = reinterpret_cast<ShutdownFunction>(bind("_ShutdownKivo", "ShutdownKivo"));
  platform::DebugOutput(u"Done with module binding");
  if (gCore.startup && gCore.shutdown) return static_cast<int32_t>(gCore.startup(table));
  platform::CloseLibrary(gCore.module);
  gCore = BoundCore{};
  return 0;
}

int32_t StartKivo() {
  platform::SetScreenCursor(kTargetCursor);
  platform::ProcessMessages();
  // The table comes from the C runtime, not the core, and lives as long as the process.
  gTable = static_cast<CoreTable*>(std::calloc(1, sizeof(CoreTable)));
  if (!gTable) return 0;
  gTable->size = sizeof(CoreTable);
  gTable->version = kCoreVersion;
  platform::KeepFreedHeap();
  if (!BindKivoCore(gTable)) return 0;
  gStarted = true;
  kivo::SetModuleCore(gTable);
  void* block = nullptr;
  if (!gTable->MemAlloc(nullptr, sizeof(HostRecord), &block, 1)) return 0;
  auto* host = static_cast<HostRecord*>(block);
  host->allocated = 1;
  SetHost(host);
  return 1;
}

CoreTable* CoreInterface() { return gTable; }
bool CoreStarted() { return gStarted; }

}  // namespace tesk
