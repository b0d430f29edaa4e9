// The component definition record and its method, property and parameter records: the interface
// between the core and every component library. `_ComponentIdentify` returns the record.
//
// Offsets and sizes in the record (object size, slot-table size and offsets, method slots) are the
// published 32-bit byte offsets that identify methods and object words across the system. On this
// build a component object and a method-slot table are arrays of pointer-sized words, and a
// published offset names the word at offset / 4 (see slots.h).
#pragma once

#include "kivo/types.h"

inline constexpr char kComponentDefMarker[32] = "*~*RTComponentDefBeginMarker~*~";

using RTMethodFunc = void (*)();
using RTInstanceHook = RTSuccess (*)(RTInstance instance);

enum RTParameterFlags : uint32_t {
  kParameterIn = 1,     // passed by pointer, read by the callee
  kParameterOut = 2,    // passed by pointer, written by the callee
  kParameterArray = 4,  // "[]"
};

inline constexpr uint32_t kUnknownType = 0xFFFFFFFFu;

// One parameter of a parsed parameter list, in core memory.
struct RTParameterRecord {
  char16_t* name;
  char16_t* typeName;
  uint32_t flags;
  uint32_t typeId;  // index in the core type table, or kUnknownType
  RTParameterRecord* next;
};

struct RTMethodRecord {
  const char16_t* name;
  RTMethodFunc function;
  uint32_t slotOffset;  // published byte offset in the level's method-slot tables
  uint32_t overrides;   // non-zero: replaces the same-named method of the parent levels
  const char16_t* returnType;
  const char16_t* parameters;  // such as "uint aStage, RTInstance ahStream"
  // Filled by the core: the parameter list, parsed on first use.
  RTParameterRecord* firstParameter;
  RTParameterRecord* lastParameter;
  uint32_t parameterState;  // RTParameterListState
  // Set by the record builders (component_kit.h) from the function's type:
  RTMethodFunc refusal;      // of the slot's own type: stands in for the method where it cannot be forwarded
  RTMethodFunc scriptEntry;  // what a script's call runs, of the script-method type; null: scripts cannot call it
};

enum RTParameterListState : uint32_t {
  kParametersNotParsed = 0,
  kParametersParsed = 1,
  kParametersMalformed = 2,  // the records made before the parse stopped stay in the list
};

struct RTPropertyRecord {
  const char16_t* name;
  uint32_t typeCode;  // packed type word; the core does not interpret it
  RTMethodFunc setter;
  RTMethodFunc getter;
};

// No component declares events; the record is kept so that the size check covers it.
struct RTEventRecord {
  const char16_t* name;
  uint32_t code;
};

struct RTComponentDef {
  char marker[32];
  uint32_t size;  // sizeof(RTComponentDef)
  uint32_t fMinCompatibleCoreVersion;
  const char16_t* fpParentClassName;  // null for none
  const char16_t* fpClassName;
  const char16_t* fpComponentName;
  const char16_t* fpVendorName;
  uint32_t componentVersion;  // written into stream headers
  const char16_t* fpProcessorArchitecture;
  const char16_t* fpPlatform;
  const char16_t* description;
  const char16_t* notice;
  const char16_t* webAddress;
  const char16_t* author;
  const char16_t* authorEmail;
  const char16_t* problemReportAddress;
  const char* buildDate;  // narrow
  const char* buildTime;  // narrow
  const char16_t* compiler;
  uint32_t compilerVersion;
  const char16_t* language;
  uint32_t singleton;  // 1: at most one instance
  uint32_t objectSize;     // published bytes of the component object
  uint32_t slotTableSize;  // published bytes of each method-slot table of this level
  uint32_t firstSlotTableOffset;
  uint32_t secondSlotTableOffset;
  RTInstanceHook construct;  // called with each new instance
  RTInstanceHook destroy;    // called with each instance destroyed
  uint32_t fSizeMethod;
  RTMethodRecord* methods;  // ended by a record whose name is null
  uint32_t fSizeProperty;
  RTPropertyRecord* properties;  // ended by a record whose name is null
  uint32_t fSizeEvent;
  RTEventRecord* events;
};

using RTComponentIdentifyFunc = const RTComponentDef* (*)(struct CoreTable* core);
