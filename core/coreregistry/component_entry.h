// One registered component class, owned by the registry from registration to core shutdown.
#pragma once

#include "kivo/component_def.h"
#include "kivo/slots.h"
#include "kivo/support/list.h"
#include "platform/dynamic_library.h"

namespace kivo::core {

struct MethodStub;

struct ComponentEntry {
  char16_t* className;   // own copy, case as registered
  char16_t* modulePath;  // own copy, or null
  uint32_t loadCount;
  platform::LibraryHandle module;      // null while the library is not loaded
  const RTComponentDef* definition;    // null until the library is loaded
  RTComponentHandle handle;            // the registration serial
  uint32_t ownMethodCount;
  uint32_t ownPropertyCount;
  ObjectWord* templateObject;          // copied into every new component object
  uint32_t mergedPropertyCount;
  RTPropertyRecord* mergedProperties;  // the parent's merged records, then the own ones
  RTInstance resource;                 // the RTResource read from the resource file, once used
  char16_t* resourcePath;              // the ".resource" file beside the library, or null
  uint32_t liveCount;
  List* instances;                     // live instance records, oldest first
  SlotTable forwardingTable;           // dispatch tables, built on first need
  SlotTable receivingTable;
  struct MethodStub* dispatchStubs;    // the stubs those tables point to
  bool unconfirmed;                    // read from kivoreg.db, its library found by no rescan: left
                                       // out of the file the rescan writes
  // The parent class's entry, found by name once for the definition it was found for (class
  // tests walk the chain on every call); null until then.
  mutable ComponentEntry* parentEntry;
  mutable const RTComponentDef* parentFoundFor;
};

}  // namespace kivo::core
