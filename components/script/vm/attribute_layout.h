// A name-to-slot map shared by every attribute table made from the same declarations (the
// attributes of a class, the parameters and locals of a method): the upper-case names in
// declaration order, each with its type and hash, chained by bucket as a hashed table of the same
// bucket count would hold them after inserting the names in that order. A table laid out by it
// finds and lists its entries exactly as that hashed table would.
#pragma once

#include <cstdint>
#include <vector>

#include "kivo/types.h"

namespace varno {

struct RTVarnoType;

struct LayoutSlot {
  const char16_t* name;  // upper-case (the layout's own copy)
  uint32_t length;
  uint32_t hash;  // kivo::HashWideString of the name
  RTVarnoType* type;
  int32_t older;  // the slot inserted before this one into the same bucket, or -1
};

struct AttributeLayout {
  uint64_t serial;  // never issued twice: names the layout in lookup caches
  uint32_t references;
  uint32_t count;
  uint32_t bucketCount;
  LayoutSlot* slots;  // count slots, in declaration order
  int32_t* newest;    // per bucket: its newest slot, or -1
};

struct LayoutDeclaration {
  const char16_t* name;  // as written; upper-cased for the layout
  RTVarnoType* type;
};

// A layout of the declarations for a table of `bucketCount` buckets, with one reference; null
// without memory or for a name of 512 units or more.
AttributeLayout* AttributeLayoutMake(uint32_t bucketCount, const std::vector<LayoutDeclaration>& declarations);
void AttributeLayoutReference(AttributeLayout* layout);
// Drops one reference; the last frees the layout. Null is ignored.
void AttributeLayoutRelease(AttributeLayout* layout);

// The slot of an upper-case key of `length` units whose hash is known, or -1.
inline int32_t AttributeLayoutFind(const AttributeLayout* layout, const char16_t* key, uint32_t length, uint32_t hash) {
  for (int32_t slot = layout->newest[hash % layout->bucketCount]; slot >= 0; slot = layout->slots[slot].older) {
    const LayoutSlot& candidate = layout->slots[slot];
    if (candidate.hash != hash || candidate.length != length) continue;
    uint32_t i = 0;
    while (i < length && candidate.name[i] == key[i]) ++i;
    if (i == length) return slot;
  }
  return -1;
}

}  // namespace varno
