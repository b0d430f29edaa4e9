// The core type table: the built-in value types that parameter lists are resolved against, indexed
// by type id in registration order.
#pragma once

#include "kivo/component_def.h"

namespace kivo::core {

struct TypeEntry {
  char16_t* name;
  uint32_t size;
  uint32_t owner;
};

// Registers the built-in types; false when one cannot be registered.
bool RegisterTypeTable();
void FreeTypeTable();

// A name already in the table gives its id unchanged.
RTSuccess RegisterType(const char16_t* name, uint32_t owner, uint32_t size, uint32_t* id);
// The first entry whose name equals `name` ignoring ASCII case; else id kUnknownType and failure.
RTSuccess FindType(const char16_t* name, uint32_t* id);
const TypeEntry* GetTypeEntry(uint32_t id);

}  // namespace kivo::core
