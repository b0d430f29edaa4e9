#include "uuid_table.h"

#include <cstring>
#include <new>

#include "memory_manager.h"

namespace kivo::core {

namespace {

struct UuidEntry {
  RTUUID uuid;
  RTInstance value;
  UuidEntry* next;
};

constexpr uint32_t kBuckets = 4095;
UuidEntry** gBuckets = nullptr;

UuidEntry*& BucketOf(const RTUUID& uuid) { return gBuckets[uuid.timeLow % kBuckets]; }

bool SameUuid(const RTUUID& a, const RTUUID& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

bool CreateUuidTable() {
  void* buckets = nullptr;
  if (!ArrayAlloc(nullptr, sizeof(UuidEntry*), kBuckets, &buckets, 1)) return false;
  gBuckets = static_cast<UuidEntry**>(buckets);
  return true;
}

void DestroyUuidTable() {
  if (!gBuckets) return;
  for (uint32_t b = 0; b < kBuckets; ++b) {
    for (UuidEntry* entry = gBuckets[b]; entry;) {
      UuidEntry* next = entry->next;
      MemFree(nullptr, entry);
      entry = next;
    }
  }
  ArrayFree(nullptr, gBuckets);
  gBuckets = nullptr;
}

RTSuccess UuidTableInsert(const RTUUID& uuid, RTInstance instance) {
  void* block = nullptr;
  if (!gBuckets || !MemAlloc(nullptr, sizeof(UuidEntry), &block, 1)) return kRTFailure;
  UuidEntry*& head = BucketOf(uuid);
  head = new (block) UuidEntry{uuid, instance, head};
  return kRTSuccess;
}

RTSuccess UuidTableLookup(const RTUUID& uuid, RTInstance* out) {
  if (!gBuckets) return kRTFailure;
  for (UuidEntry* entry = BucketOf(uuid); entry; entry = entry->next) {
    if (!SameUuid(entry->uuid, uuid)) continue;
    *out = entry->value;
    return kRTSuccess;
  }
  return kRTFailure;
}

RTSuccess UuidTableRemoveValue(const RTUUID& uuid, RTInstance instance) {
  if (!gBuckets) return kRTFailure;
  for (UuidEntry** link = &BucketOf(uuid); *link; link = &(*link)->next) {
    if (!SameUuid((*link)->uuid, uuid) || (*link)->value != instance) continue;
    UuidEntry* entry = *link;
    *link = entry->next;
    MemFree(nullptr, entry);
    return kRTSuccess;
  }
  return kRTFailure;
}

bool IsNilUuid(const RTUUID& uuid) {
  static constexpr RTUUID kNil{};
  return SameUuid(uuid, kNil);
}

}  // namespace kivo::core
