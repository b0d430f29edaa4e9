// Wire form of a header (little-endian): u32 magic, u32 marker, u32 header length, u64 data length
// as two u32 (low first), two 7-byte stamps and one zero byte (so the UUID starts at byte 35),
// the 16-byte UUID, wide strings name, path, class,
// parent class (empty for none), vendor, u32 child count and that many child paths, wide string
// parent path (empty for none), u32 component version, u32 size word, 16 zero bytes.
#include "stream_header.h"

#include <cstring>
#include <string>

#include "classes.h"
#include "instance_tree.h"
#include "instances.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "store_sweep.h"

namespace kivo::core {

namespace {

constexpr uint32_t kHeaderMarker = 0xFFFFFFFF;
constexpr uint32_t kPathUnits = 1024;

char16_t* Copy(const std::u16string& text) {
  char16_t* copy = nullptr;
  return WideStrDup(text.c_str(), &copy) ? copy : nullptr;
}

RTSuccess WriteRaw(RTInstance s, const void* data, uint32_t count) {
  uint32_t written = 0;
  return stream::Write(s, data, count, &written) && written == count ? kRTSuccess : kRTFailure;
}

bool ReadRaw(RTInstance s, void* data, uint32_t count) {
  uint32_t read = 0;
  return stream::Read(s, data, count, &read) && read == count;
}

// A stamp is seven single bytes, so its wire form is its memory image.
RTSuccess WriteStamp(RTInstance s, const DateStamp& stamp) { return WriteRaw(s, &stamp, sizeof stamp); }

bool ReadStamp(RTInstance s, DateStamp* stamp) { return ReadRaw(s, stamp, sizeof *stamp); }

// A name or path of a header: bounded, and refused with a zero unit inside, which would make it
// read as a shorter text (a path as another record's path).
bool ReadHeaderText(RTInstance s, char16_t** text) {
  uint32_t at = 0;
  uint32_t length = 0;
  if (!stream::GetPosition(s, &at) || !StreamReadUInt(s, &length) || !stream::Seek(s, at) ||
      !StreamReadWStringBounded(s, kPathUnits, text))
    return false;
  if (WideStrLen(*text) == length) return true;
  ArrayFree(nullptr, *text);
  *text = nullptr;
  return false;
}

}  // namespace

RTSuccess BuildStreamHeader(RTInstance, RTInstance instance, uint32_t sizeWord, RTStreamHeader** out) {
  if (!out) return kRTFailure;
  *out = nullptr;
  const ComponentEntry* entry = ClassOf(instance);
  if (!entry || !entry->definition || !instance->componentObject) return kRTFailure;
  const std::u16string path = InstancePath(instance);
  if (path.size() >= kPathUnits) return kRTFailure;
  void* block = nullptr;
  if (!MemAlloc(nullptr, sizeof(RTStreamHeader), &block, 1)) return kRTFailure;
  auto* header = static_cast<RTStreamHeader*>(block);
  const RTComponentDef& d = *entry->definition;
  header->magic = kStreamHeaderMagic;
  header->marker = kHeaderMarker;
  component::GetName(instance, &header->name);
  header->path = Copy(path);
  header->className = Copy(d.fpClassName);
  header->parentClassName = d.fpParentClassName ? Copy(d.fpParentClassName) : nullptr;
  header->vendor = Copy(d.fpVendorName);
  header->componentVersion = d.componentVersion;
  header->sizeWord = sizeWord;
  header->uuid = instance->uuid;
  if (instance->childCount &&
      ArrayAlloc(nullptr, sizeof(char16_t*), instance->childCount, reinterpret_cast<void**>(&header->childPaths), 1)) {
    header->childCount = instance->childCount;
    for (uint32_t i = 0; i < instance->childCount; ++i) {
      RTInstance child = instance->children[i];
      header->childPaths[i] =
          child->flags == kStoredNotLoaded ? Copy(child->storeKey ? child->storeKey : u"") : Copy(InstancePath(child));
    }
  }
  if (instance->parent) header->parentPath = Copy(InstancePath(instance->parent));
  if (const DateStamp* stamp = OpenSweepStamp()) header->firstStamp = header->secondStamp = *stamp;
  *out = header;
  return kRTSuccess;
}

RTSuccess WriteStreamHeader(RTInstance, RTStreamHeader* h, RTInstance s) {
  if (!h || !s) return kRTFailure;
  const bool written =
      StreamWriteUInt(s, h->magic) && StreamWriteUInt(s, h->marker) && StreamWriteUInt(s, h->headerLength) &&
      StreamWriteUInt(s, static_cast<uint32_t>(h->dataLength)) &&
      StreamWriteUInt(s, static_cast<uint32_t>(h->dataLength >> 32)) && WriteStamp(s, h->firstStamp) &&
      WriteStamp(s, h->secondStamp) && StreamWriteUInt8(s, 0) && WriteRaw(s, &h->uuid, sizeof h->uuid) && StreamWriteWString(s, h->name) &&
      StreamWriteWString(s, h->path) && StreamWriteWString(s, h->className) &&
      StreamWriteWString(s, h->parentClassName) && StreamWriteWString(s, h->vendor) &&
      StreamWriteUInt(s, h->childCount);
  if (!written) return kRTFailure;
  for (uint32_t i = 0; i < h->childCount; ++i)
    if (!StreamWriteWString(s, h->childPaths[i])) return kRTFailure;
  if (!StreamWriteWString(s, h->parentPath) || !StreamWriteUInt(s, h->componentVersion) ||
      !StreamWriteUInt(s, h->sizeWord))
    return kRTFailure;
  const uint8_t trailer[16] = {};
  return WriteRaw(s, trailer, sizeof trailer);
}

RTSuccess ReadStreamHeader(RTInstance, RTInstance s, RTStreamHeader** out) {
  if (!out) return kRTFailure;
  void* block = nullptr;
  *out = nullptr;
  if (!s || !MemAlloc(nullptr, sizeof(RTStreamHeader), &block, 1)) return kRTFailure;
  auto* h = static_cast<RTStreamHeader*>(block);
  *out = h;
  uint32_t low = 0;
  uint32_t high = 0;
  uint8_t pad = 0;
  if (!StreamReadUInt(s, &h->magic) || h->magic != kStreamHeaderMagic || !StreamReadUInt(s, &h->marker) ||
      !StreamReadUInt(s, &h->headerLength) || !StreamReadUInt(s, &low) || !StreamReadUInt(s, &high) ||
      !ReadStamp(s, &h->firstStamp) || !ReadStamp(s, &h->secondStamp) || !StreamReadUInt8(s, &pad) ||
      !ReadRaw(s, &h->uuid, sizeof h->uuid))
    return kRTFailure;
  h->dataLength = uint64_t{high} << 32 | low;
  uint32_t childCount = 0;
  if (!ReadHeaderText(s, &h->name) || !ReadHeaderText(s, &h->path) || !ReadHeaderText(s, &h->className) ||
      !ReadHeaderText(s, &h->parentClassName) || !ReadHeaderText(s, &h->vendor) || !StreamReadUInt(s, &childCount))
    return kRTFailure;
  // Each child path takes at least its length word: a count larger than the rest of the stream
  // is refused before anything is allocated for it.
  uint32_t remaining = 0;
  if (childCount && (!stream::Remaining(s, &remaining) || childCount > remaining / 4 ||
                     !ArrayAlloc(nullptr, sizeof(char16_t*), childCount, reinterpret_cast<void**>(&h->childPaths), 1)))
    return kRTFailure;
  for (; h->childCount < childCount; ++h->childCount)
    if (!ReadHeaderText(s, &h->childPaths[h->childCount])) return kRTFailure;
  return ReadHeaderText(s, &h->parentPath) && StreamReadUInt(s, &h->componentVersion) &&
                 StreamReadUInt(s, &h->sizeWord) && ReadRaw(s, h->trailer, sizeof h->trailer)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess FreeStreamHeader(RTInstance, RTStreamHeader* h) {
  if (!h) return kRTSuccess;
  for (uint32_t i = 0; i < h->childCount; ++i) ArrayFree(nullptr, h->childPaths[i]);
  ArrayFree(nullptr, h->childPaths);
  for (char16_t* text : {h->parentPath, h->vendor, h->parentClassName, h->className, h->name, h->path})
    ArrayFree(nullptr, text);
  MemFree(nullptr, h);
  return kRTSuccess;
}

RTSuccess StreamInstanceOut(RTInstance ctx, RTInstance instance, uint32_t sizeWord, uintptr_t, RTInstance s) {
  RTStreamHeader* header = nullptr;
  if (!instance || !BuildStreamHeader(ctx, instance, sizeWord, &header)) return kRTFailure;
  FreeStreamHeader(ctx, header);
  RTInstance data = nullptr;
  if (!CreateTemporaryStream(&data)) return kRTFailure;
  if (!component::StreamOut(instance, sizeWord, data))
    RaiseFormatted(kLevelError, u"kivocore.StreamInstanceOut(): %s.StreamOut() returned FAILURE.", instance->storeKey);
  uint32_t size = 0;
  uint32_t copied = 0;
  const bool copiedAll = stream::GetSize(data, &size) && stream::Seek(data, 0) &&
                         stream::WriteFromStream(s, data, size, &copied) && copied == size;
  stream::Close(data);
  ReleaseInstance(ctx, data);
  return copiedAll ? kRTSuccess : kRTFailure;
}

}  // namespace kivo::core
