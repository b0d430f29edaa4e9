// The core's record of one instance. An RTInstance handle points at it, and every library that
// holds a handle reads the first field to reach the component object, so it stays first.
#pragma once

#include "kivo/slots.h"
#include "kivo/support/hash_table.h"

inline constexpr uint32_t kInstanceMagic = 0xC001F00D;

enum InstanceFlags : uint32_t {
  kStoredNotLoaded = 1,  // a placeholder of the instance store, fetched on first resolve
  kBeingLoaded = 2,
  kStoreBacked = 4,
  kKeptToShutdownEnd = 8,  // destroyed during shutdown; freed once it ends
};

struct RTInstanceRecord {
  kivo::ObjectWord* componentObject;  // null while a stored instance is not loaded
  char16_t* name;
  char16_t* storeKey;  // the instance's path when it was last named
  RTUUID uuid;
  uint32_t magic;
  RTComponentHandle component;
  uint32_t serial;
  int32_t refCount;
  kivo::ObjectWord* savedObject;  // the component object as constructed
  RTInstanceRecord* parent;
  uint32_t childCount;
  RTInstanceRecord** children;  // core block, in the order children were added
  uint32_t flags;
  kivo::StrHashTable* childNames;  // upper-cased child name -> child record
};
