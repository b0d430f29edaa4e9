#include "vm/attribute_layout.h"

#include <cstddef>
#include <cstring>

#include "compiler/core_records.h"
#include "kivo/support/hash_table.h"
#include "kivo/support/wide_string.h"

namespace varno {

namespace {

constexpr size_t kNameUnits = 512;

uint64_t gLastSerial = 0;

size_t Align(size_t bytes) { return (bytes + alignof(std::max_align_t) - 1) & ~(alignof(std::max_align_t) - 1); }

}  // namespace

AttributeLayout* AttributeLayoutMake(uint32_t bucketCount, const std::vector<LayoutDeclaration>& declarations) {
  if (bucketCount == 0) return nullptr;
  const auto count = static_cast<uint32_t>(declarations.size());
  size_t units = 0;
  for (const LayoutDeclaration& declaration : declarations) {
    const size_t length = kivo::WideStrLen(declaration.name);
    if (length + 1 >= kNameUnits) return nullptr;
    units += length + 1;
  }
  // One block: the header, the slots, the bucket heads and the names.
  const size_t slotsAt = Align(sizeof(AttributeLayout));
  const size_t newestAt = Align(slotsAt + sizeof(LayoutSlot) * count);
  const size_t namesAt = Align(newestAt + sizeof(int32_t) * bucketCount);
  const size_t bytes = namesAt + sizeof(char16_t) * units;
  void* block = nullptr;
  if (bytes > UINT32_MAX || !kivo::ModuleCore()->MemAlloc(nullptr, static_cast<uint32_t>(bytes), &block, 1) || !block) {
    return nullptr;
  }
  auto* base = static_cast<char*>(block);
  auto* layout = reinterpret_cast<AttributeLayout*>(base);
  layout->serial = ++gLastSerial;
  layout->references = 1;
  layout->count = count;
  layout->bucketCount = bucketCount;
  layout->slots = reinterpret_cast<LayoutSlot*>(base + slotsAt);
  layout->newest = reinterpret_cast<int32_t*>(base + newestAt);
  auto* names = reinterpret_cast<char16_t*>(base + namesAt);
  for (uint32_t b = 0; b < bucketCount; ++b) layout->newest[b] = -1;
  for (uint32_t i = 0; i < count; ++i) {
    LayoutSlot& slot = layout->slots[i];
    const char16_t* name = declarations[i].name;
    uint32_t length = 0;
    for (; name[length]; ++length) names[length] = kivo::WideStrUpperChar(name[length]);
    names[length] = 0;
    slot.name = names;
    slot.length = length;
    kivo::HashWideString(names, &slot.hash);
    slot.type = declarations[i].type;
    // Inserted at the head of its bucket, as a hashed table inserts.
    int32_t& head = layout->newest[slot.hash % bucketCount];
    slot.older = head;
    head = static_cast<int32_t>(i);
    names += length + 1;
  }
  return layout;
}

void AttributeLayoutReference(AttributeLayout* layout) {
  if (layout) ++layout->references;
}

void AttributeLayoutRelease(AttributeLayout* layout) {
  if (layout && --layout->references == 0) FreeRecord(layout);
}

}  // namespace varno
