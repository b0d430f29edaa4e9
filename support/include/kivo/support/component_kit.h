// What a component library needs to declare its class in a few readable lines:
//
//   RTMethodRecord gMethods[] = {
//       kivo::Method(u"GetName", GetName, 0x04, u"RTSuccess", u"wchar out opName"),
//       kivo::kEndOfMethods,
//   };
//   const RTComponentDef gDefinition = kivo::MakeComponentDef({
//       .className = u"RTExample", .parentClassName = u"RTComponent", .objectSize = 0x20,
//       .slotTableSize = 0x20, .firstSlotTableOffset = 0x14, .secondSlotTableOffset = 0x18,
//       .methods = gMethods});
//   KIVO_COMPONENT(gDefinition)
#pragma once

#include <algorithm>
#include <array>
#include <initializer_list>
#include <iterator>
#include <new>

#include "kivo/component_def.h"
#include "kivo/core_table.h"
#include "kivo/slots.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"

namespace kivo {

struct ComponentClass {
  const char16_t* className;
  const char16_t* parentClassName = nullptr;
  const char16_t* componentName = nullptr;  // the class name when not given
  const char16_t* description = nullptr;
  bool singleton = false;
  uint32_t objectSize = 0;  // published bytes; every offset below is published bytes too
  uint32_t slotTableSize = 0;
  uint32_t firstSlotTableOffset = 0;
  uint32_t secondSlotTableOffset = 0;
  RTMethodRecord* methods = nullptr;
  RTPropertyRecord* properties = nullptr;
  RTInstanceHook construct = nullptr;
  RTInstanceHook destroy = nullptr;
};

inline constexpr uint32_t kComponentVersion = 0x10000;
inline constexpr RTMethodRecord kEndOfMethods{};
inline RTPropertyRecord kNoProperties[1] = {};
inline RTMethodRecord kNoMethods[1] = {};

// A method record whose function comes later: the slot stays empty and calls through it fail. A
// record that overrides empties the parent slots of its name too.
inline RTMethodRecord DeclaredMethod(const char16_t* name, uint32_t slotOffset, const char16_t* returnType,
                                     const char16_t* parameters, bool overrides = false) {
  return RTMethodRecord{name,    nullptr, slotOffset, overrides ? 1u : 0u, returnType, parameters, nullptr,
                        nullptr, kParametersNotParsed, nullptr, nullptr};
}

// Stands in for a method of `Params` that cannot be forwarded to another instance space: a function
// of the slot's own type, so that a caller calls what its slot declares.
template <class... Params>
RTSuccess ForwardingRefused(RTInstance, Params...) {
  RaiseFormatted(kLevelDispatch, u"Method called which doesn't support the Dispatch() mechanism.");
  return kRTFailure;
}

// A function with what its record takes from the function's type (slots.h): the refusal of the
// slot's type and, when scripts may call it, the entry a script's call runs.
struct BuiltMethod {
  uint32_t offset;
  RTMethodFunc function;
  RTMethodFunc refusal;
  RTMethodFunc scriptEntry;
};
template <class... Params>
BuiltMethod Built(MethodSlot<Params...> slot, typename MethodSlot<Params...>::Function function) {
  RTMethodFunc scriptEntry = nullptr;
  if constexpr (kScriptCallable<MethodSlot<Params...>>) scriptEntry = reinterpret_cast<RTMethodFunc>(function);
  return BuiltMethod{slot.offset, reinterpret_cast<RTMethodFunc>(function),
                     reinterpret_cast<RTMethodFunc>(&ForwardingRefused<Params...>), scriptEntry};
}
// A native method that scripts call too: `scriptEntry`, of the script-method type, takes a script's
// call and makes the native one.
template <class... Params, class... ScriptParams>
  requires kScriptCallable<MethodSlot<ScriptParams...>>
BuiltMethod Built(MethodSlot<Params...> slot, typename MethodSlot<Params...>::Function function,
                  RTSuccess (*scriptEntry)(RTInstance, ScriptParams...)) {
  BuiltMethod built = Built(slot, function);
  built.scriptEntry = reinterpret_cast<RTMethodFunc>(scriptEntry);
  return built;
}

inline void Fill(RTMethodRecord& record, const BuiltMethod& built) {
  record.function = built.function;
  record.refusal = built.refusal;
  record.scriptEntry = built.scriptEntry;
}

// The function must have the signature that its slot declares (slots.h).
template <class... Params>
RTMethodRecord Method(const char16_t* name, typename MethodSlot<Params...>::Function function,
                      MethodSlot<Params...> slot, const char16_t* returnType, const char16_t* parameters,
                      bool overrides = false) {
  RTMethodRecord record = DeclaredMethod(name, slot.offset, returnType, parameters, overrides);
  Fill(record, Built(slot, function));
  return record;
}

// A level whose every method is published by name and offset, with functions for those built so far:
// a method not built has its record without a function. Parameter texts are empty.
struct PublishedMethod {
  const char16_t* name;
  uint32_t offset;
};
template <size_t N>
std::array<RTMethodRecord, N + 1> PublishedMethodTable(const PublishedMethod (&published)[N],
                                                       std::initializer_list<BuiltMethod> built) {
  std::array<RTMethodRecord, N + 1> records{};
  for (size_t i = 0; i < N; ++i) {
    records[i] = DeclaredMethod(published[i].name, published[i].offset, u"RTSuccess", u"");
    for (const BuiltMethod& method : built)
      if (method.offset == published[i].offset) Fill(records[i], method);
  }
  records[N] = kEndOfMethods;
  return records;
}

// The build's date and time (src/build_stamp.cpp).
extern const char kBuildDate[];
extern const char kBuildTime[];

inline RTComponentDef MakeComponentDef(const ComponentClass& c) {
  RTComponentDef def{};
  std::copy(std::begin(kComponentDefMarker), std::end(kComponentDefMarker), def.marker);
  def.size = sizeof(RTComponentDef);
  def.fMinCompatibleCoreVersion = kCoreVersion;
  def.fpParentClassName = c.parentClassName;
  def.fpClassName = c.className;
  def.fpComponentName = c.componentName ? c.componentName : c.className;
  def.fpVendorName = u"Ostrawen";
  def.componentVersion = kComponentVersion;
  def.fpProcessorArchitecture = u"x86-64";
  def.fpPlatform = u"Linux";
  def.description = c.description;
  def.buildDate = kBuildDate;
  def.buildTime = kBuildTime;
  def.compiler = u"GCC";
  def.compilerVersion = __GNUC__ * 100 + __GNUC_MINOR__;
  def.language = u"English (United States)";
  def.singleton = c.singleton ? 1 : 0;
  def.objectSize = c.objectSize;
  def.slotTableSize = c.slotTableSize;
  def.firstSlotTableOffset = c.firstSlotTableOffset;
  def.secondSlotTableOffset = c.secondSlotTableOffset;
  def.construct = c.construct;
  def.destroy = c.destroy;
  def.fSizeMethod = sizeof(RTMethodRecord);
  def.methods = c.methods ? c.methods : kNoMethods;
  def.fSizeProperty = sizeof(RTPropertyRecord);
  def.properties = c.properties ? c.properties : kNoProperties;
  def.fSizeEvent = sizeof(RTEventRecord);
  def.events = nullptr;
  return def;
}

// A component's private state: a C++ object in a block of the core allocator, held in the object
// word at a published offset. The construct hook makes it, the destroy hook ends it.
template <class State>
State* StateIn(RTInstance self, uint32_t word) {
  return self ? static_cast<State*>(Word(ComponentObject(self), word)) : nullptr;
}

template <class State>
State* MakeState(RTInstance self, uint32_t word) {
  void* block = CoreAlloc(sizeof(State));
  if (!block) return nullptr;
  auto* state = new (block) State();
  Word(ComponentObject(self), word) = state;
  return state;
}

template <class State>
void EndState(RTInstance self, uint32_t word) {
  State* state = StateIn<State>(self, word);
  if (!state) return;
  state->~State();
  CoreFree(state);
  Word(ComponentObject(self), word) = nullptr;
}

}  // namespace kivo

// The library's one export: keeps the core table for every later core call and hands out the
// definition record.
#define KIVO_COMPONENT(definition)                                             \
  KIVO_EXPORT const RTComponentDef* _ComponentIdentify(CoreTable* core) {     \
    kivo::SetModuleCore(core);                                                 \
    return &(definition);                                                      \
  }
