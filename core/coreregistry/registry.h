// The component registry: every component class of the installation, read from "kivoreg.db" or
// found by scanning the component folders.
#pragma once

#include <string>
#include <vector>

#include "coreregistry/component_entry.h"
#include "kivo/types.h"
#include "kivo/support/list.h"

namespace kivo::core {

// The framework root directory (registry value Root, ending with a separator). `byteLength` is
// the buffer's size as handed to the registry query; a longer value fails.
RTSuccess GetRootPath(RTInstance ctx, char16_t* buffer, uint32_t byteLength);
// The root as a string, or empty (with the registry's message shown) when it cannot be read.
std::u16string RootPath();
// The registry value AdditionalPaths, or empty; a missing value is silent.
std::u16string AdditionalPath();

void StartupRegistry();
void FreeRegistry();

// Registers a class (unless one of that name exists) and consumes a serial either way.
void RegisterComponent(const char16_t* modulePath, const RTComponentDef* definition, const char16_t* className);
List* Components();

// Handle of a class name (ignoring case); reports "Cannot locate component: " at level 8.
RTSuccess LocateComponent(const char16_t* className, RTComponentHandle* out);
ComponentEntry* LookupComponentEntry(RTComponentHandle handle);
// LocateComponent, then the entry; null when the class is not registered.
ComponentEntry* LocateComponentEntry(const char16_t* className);

RTSuccess GetComponentHandle(RTInstance ctx, const char16_t* className, RTComponentHandle* out);
RTSuccess CopyComponent(RTInstance ctx, const char16_t* destinationFolder);

// Component libraries: loading and the definition record they hand out.
platform::LibraryHandle LoadModule(const char16_t* modulePath);
const RTComponentDef* IdentifyComponent(platform::LibraryHandle module, const char16_t* modulePath);

// kivoreg.db under the framework root. The writer leaves out unconfirmed entries.
RTSuccess ReadRegistryDb();
RTSuccess WriteRegistryDb();

// A library the component folders hold, as a scan finds it.
struct FoundComponent {
  std::u16string modulePath;
  std::u16string className;
};
// Scans "<root>components" and AdditionalPaths: every accepted library, in the order found.
std::vector<FoundComponent> ScanComponentFolders();
// Registers what the scan finds, then writes kivoreg.db anew.
RTSuccess ScanAndRegister();
// Heals a stale kivoreg.db, once per core start: when the library of a registered class does not
// load (or holds another class), the folders are scanned again, classes found move to the
// libraries found, new classes are registered and the file is written anew. True when `entry`
// now names another library, which is worth a second load.
bool RescanForStaleEntry(ComponentEntry* entry);

}  // namespace kivo::core
