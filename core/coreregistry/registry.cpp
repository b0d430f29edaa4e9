#include "coreregistry/registry.h"

#include <filesystem>

#include "classes.h"
#include "kivo/support/format.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "platform/paths.h"
#include "uuid_table.h"

namespace kivo::core {

namespace {

List* gComponents = nullptr;
StrHashTable* gByName = nullptr;  // upper-cased class name -> entry
HashTable* gByHandle = nullptr;   // serial -> entry
uint32_t gNextSerial = 0;
bool gRescanned = false;  // this core start has healed its registry file

constexpr uint32_t kNameBuckets = 31;
constexpr uint32_t kHandleBuckets = 31;

char16_t* Copy(const char16_t* text) {
  char16_t* copy = nullptr;
  return text && WideStrDup(text, &copy) ? copy : nullptr;
}

// The ".resource" file beside a library, when it exists.
char16_t* ResourcePathOf(const char16_t* modulePath) {
  std::u16string path(modulePath);
  const auto dot = path.find_last_of(u'.');
  const auto slash = path.find_last_of(u"/\\");
  if (dot != std::u16string::npos && (slash == std::u16string::npos || dot > slash)) path.erase(dot);
  path += u".resource";
  std::error_code error;
  return std::filesystem::is_regular_file(platform::NativePath(path), error) ? Copy(path.c_str()) : nullptr;
}

bool IsRegistered(const char16_t* className) {
  for (const ComponentEntry* entry : ListItems<ComponentEntry>(gComponents))
    if (WideStrEqualNoCase(entry->className, className) == 0) return true;
  return false;
}

void AddComponentEntry(const char16_t* modulePath, const RTComponentDef* definition, const char16_t* className) {
  if (!className && definition) className = definition->fpClassName;
  if (!className || IsRegistered(className)) return;
  void* block = nullptr;
  if (!MemAlloc(nullptr, sizeof(ComponentEntry), &block, 1)) return;
  auto* entry = static_cast<ComponentEntry*>(block);
  entry->className = Copy(className);
  entry->modulePath = Copy(modulePath);
  entry->handle = gNextSerial;
  entry->resourcePath = modulePath ? ResourcePathOf(modulePath) : nullptr;
  ListCreate(&entry->instances);
  ListAppend(gComponents, entry);
  StrHashTableInsert(gByName, WideStrUpper(className).c_str(), entry);
  HashTableInsert(gByHandle, entry->handle, entry);
}

void FreeEntry(ComponentEntry* entry) {
  ListDestroy(entry->instances);
  ArrayFree(nullptr, entry->resourcePath);
  ArrayFree(nullptr, entry->className);
  ArrayFree(nullptr, entry->modulePath);
  MemFree(nullptr, entry);
}

bool CreateTables() {
  return ListCreate(&gComponents) && StrHashTableCreate(&gByName, kNameBuckets, nullptr) &&
         HashTableCreate(&gByHandle, kHandleBuckets, nullptr);
}

void DestroyTables() {
  for (ComponentEntry* entry : ListItems<ComponentEntry>(gComponents)) FreeEntry(entry);
  ListDestroy(gComponents);
  StrHashTableDestroy(gByName);
  HashTableDestroy(gByHandle);
  gComponents = nullptr;
  gByName = nullptr;
  gByHandle = nullptr;
}

}  // namespace

void StartupRegistry() {
  gNextSerial = 0;
  gRescanned = false;
  if (!CreateTables() || !CreateUuidTable()) return;
  if (!ReadRegistryDb()) ScanAndRegister();
}

// Libraries stay loaded, but the core memory of their classes is given back so that the memory
// report shows only what components leaked.
void FreeRegistry() {
  for (ComponentEntry* entry : ListItems<ComponentEntry>(gComponents))
    if (IsLoaded(entry)) ReleaseClassData(entry);
  DestroyTables();
  DestroyUuidTable();
}

void RegisterComponent(const char16_t* modulePath, const RTComponentDef* definition, const char16_t* className) {
  if (!gComponents) return;
  AddComponentEntry(modulePath, definition, className);
  ++gNextSerial;
}

List* Components() { return gComponents; }

bool RescanForStaleEntry(ComponentEntry* entry) {
  if (gRescanned || !gComponents) return false;
  gRescanned = true;
  const std::u16string before = entry->modulePath ? entry->modulePath : u"";
  RaiseFormatted(kLevelError,
                 u"The kivo component registry names a library that does not load (%s for %s): the component "
                 u"folders are scanned again",
                 before.empty() ? u"no library" : before, entry->className);
  // A class not loaded takes the first library found for it; a class no folder holds is left out
  // of the new file.
  for (ComponentEntry* registered : ListItems<ComponentEntry>(gComponents))
    registered->unconfirmed = !IsLoaded(registered);
  for (const FoundComponent& component : ScanComponentFolders()) {
    void* known = nullptr;
    if (!StrHashTableLookup(gByName, WideStrUpper(component.className.c_str()).c_str(), &known)) {
      RegisterComponent(component.modulePath.c_str(), nullptr, component.className.c_str());
      continue;
    }
    auto* registered = static_cast<ComponentEntry*>(known);
    if (!registered->unconfirmed) continue;
    registered->unconfirmed = false;
    if (registered->modulePath && component.modulePath == registered->modulePath) continue;
    ArrayFree(nullptr, registered->modulePath);
    ArrayFree(nullptr, registered->resourcePath);
    registered->modulePath = Copy(component.modulePath.c_str());
    registered->resourcePath = ResourcePathOf(component.modulePath.c_str());
  }
  WriteRegistryDb();
  return entry->modulePath && before != entry->modulePath;
}

namespace {

// A class name upper-cased for the name table: in the caller's buffer when it fits, so that the
// lookups made on every kind test allocate nothing.
const char16_t* UpperName(const char16_t* className, char16_t* buffer, size_t capacity, std::u16string* longer) {
  if (WideStrUpperBounded(className, buffer, capacity)) return buffer;
  *longer = WideStrUpper(className);
  return longer->c_str();
}

}  // namespace

RTSuccess LocateComponent(const char16_t* className, RTComponentHandle* out) {
  void* entry = nullptr;
  char16_t buffer[128];
  std::u16string longer;
  if (className && gByName &&
      StrHashTableLookup(gByName, UpperName(className, buffer, std::size(buffer), &longer), &entry)) {
    *out = static_cast<ComponentEntry*>(entry)->handle;
    return kRTSuccess;
  }
  *out = kNoComponent;
  RaiseFormatted(kLevelLocate, u"Cannot locate component: %s", className);
  return kRTFailure;
}

ComponentEntry* LookupComponentEntry(RTComponentHandle handle) {
  void* entry = nullptr;
  return gByHandle && HashTableLookup(gByHandle, handle, &entry) ? static_cast<ComponentEntry*>(entry) : nullptr;
}

ComponentEntry* LocateComponentEntry(const char16_t* className) {
  RTComponentHandle handle = kNoComponent;
  return LocateComponent(className, &handle) ? LookupComponentEntry(handle) : nullptr;
}

RTSuccess GetComponentHandle(RTInstance, const char16_t* className, RTComponentHandle* out) {
  if (!out) return kRTFailure;
  return LocateComponent(className, out);
}

}  // namespace kivo::core
