// The one way to reach a word of a component object or an entry of a method-slot table.
//
// Both are arrays of pointer-sized words. Callers name words and entries by their published 32-bit
// byte offsets (a method's identity, such as MouseWheel at 0x414); the word is offset / 4.
#pragma once

#include <cstddef>
#include <type_traits>

#include "kivo/component_def.h"

namespace kivo {

using ObjectWord = void*;
using SlotTable = RTMethodFunc*;

constexpr size_t WordIndex(uint32_t publishedOffset) { return publishedOffset / 4; }
// Bytes of a block whose published size is `publishedSize` (rounded up to whole words).
constexpr size_t BlockBytes(uint32_t publishedSize) { return (size_t{publishedSize} + 3) / 4 * sizeof(void*); }

// The component object of an instance: the first field of its instance record.
inline ObjectWord* ComponentObject(RTInstance instance) { return *reinterpret_cast<ObjectWord**>(instance); }

inline ObjectWord& Word(ObjectWord* object, uint32_t publishedOffset) { return object[WordIndex(publishedOffset)]; }

// The slot table of a class level: the pointer at the level's slot-table offset in the object.
inline SlotTable& LevelTable(ObjectWord* object, uint32_t tableOffset) {
  return reinterpret_cast<SlotTable&>(Word(object, tableOffset));
}

inline RTMethodFunc& SlotEntry(SlotTable table, uint32_t slotOffset) { return table[WordIndex(slotOffset)]; }

// A method slot of a class level: the method's published byte offset and the parameters its
// function takes after the instance. It is the one declaration of the method's signature: calls
// through the slot and the definition record that fills it (component_kit.h) are both typed from
// it, so a caller and a definition that disagree do not compile.
template <class... Params>
struct MethodSlot {
  using Function = RTSuccess (*)(RTInstance, Params...);
  uint32_t offset;
  constexpr operator uint32_t() const { return offset; }
};

// Whether the functions of a slot type have the signature that a script's call runs them with. The
// scripting component's header that declares that signature says so (varno/call_cells.h).
template <class Slot>
inline constexpr bool kScriptCallable = false;

// The slot of a method that overrides `overridden` of a parent level: the same signature at this
// level's offset, since calls through the parent's slot reach the override.
template <class... Params>
constexpr MethodSlot<Params...> OverrideAt(MethodSlot<Params...> /*overridden*/, uint32_t offset) {
  return MethodSlot<Params...>{offset};
}

// The slot type of a row of an X-macro list of methods whose rows may give the parameter types
// after the name and offset: `void` for none, and a row that gives nothing takes `Unlisted`.
template <class Unlisted, class... Params>
struct ListedSlotOf {
  using type = MethodSlot<Params...>;
};
template <class Unlisted>
struct ListedSlotOf<Unlisted> {
  using type = Unlisted;
};
template <class Unlisted>
struct ListedSlotOf<Unlisted, void> {
  using type = MethodSlot<>;
};
template <class Unlisted, class... Params>
using ListedSlot = typename ListedSlotOf<Unlisted, Params...>::type;

// The entry of `slot` in `table` as the function type the slot declares.
template <class... Params>
typename MethodSlot<Params...>::Function SlotFunction(SlotTable table, MethodSlot<Params...> slot) {
  return reinterpret_cast<typename MethodSlot<Params...>::Function>(SlotEntry(table, slot.offset));
}

// Calls a component method through the instance's slot table; a missing instance, object, table
// or entry fails. The arguments convert to the slot's parameter types as in a direct call.
template <class... Params>
RTSuccess CallMethod(RTInstance instance, uint32_t tableOffset, MethodSlot<Params...> slot,
                     std::type_identity_t<Params>... args) {
  ObjectWord* object = instance ? ComponentObject(instance) : nullptr;
  SlotTable table = object ? LevelTable(object, tableOffset) : nullptr;
  auto function = table ? SlotFunction(table, slot) : nullptr;
  return function ? function(instance, args...) : kRTFailure;
}

}  // namespace kivo
