// The one way to reach a word of a component object or an entry of a method-slot table.
//
// Both are arrays of pointer-sized words. Callers name words and entries by their published 32-bit
// byte offsets (a method's identity, such as MouseWheel at 0x414); the word is offset / 4.
#pragma once

#include <cstddef>

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

// Calls a component method through the instance's slot table; a missing instance, object, table
// or entry fails.
template <class... Args>
RTSuccess CallMethod(RTInstance instance, uint32_t tableOffset, uint32_t slotOffset, Args... args) {
  ObjectWord* object = instance ? ComponentObject(instance) : nullptr;
  SlotTable table = object ? LevelTable(object, tableOffset) : nullptr;
  auto* function = table ? reinterpret_cast<RTSuccess (*)(RTInstance, Args...)>(SlotEntry(table, slotOffset)) : nullptr;
  return function ? function(instance, args...) : kRTFailure;
}

}  // namespace kivo
