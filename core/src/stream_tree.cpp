#include "stream_tree.h"

#include <string>
#include <vector>

#include "classes.h"
#include "instance_tree.h"
#include "instances.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/pack_index.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "stream_header.h"

namespace kivo::core {

namespace {

constexpr uint32_t kWholeInstance = component::kStreamWhole;

// Figures over every tree written since start-up.
uint64_t gTotalLength = 0;
uint32_t gInstanceCount = 0;

struct TreeRead {
  RTInstance stream = nullptr;
  uint32_t dataStart = 0;  // where the data part begins
  std::vector<PackEntry> index;
  bool lookups = false;  // path lookups may fetch from the tree
};
TreeRead* gTreeRead = nullptr;

// Drops the paths of the children left out of the tree from the header, so that it names exactly
// the records that follow it; false when the header does not list the instance's children.
bool LeaveOutChildren(RTStreamHeader* header, const std::vector<bool>& kept) {
  if (header->childCount != kept.size()) return false;
  uint32_t count = 0;
  for (uint32_t i = 0; i < header->childCount; ++i) {
    if (kept[i]) {
      header->childPaths[count++] = header->childPaths[i];
    } else {
      ArrayFree(nullptr, header->childPaths[i]);
    }
  }
  header->childCount = count;
  return true;
}

// Writes the instance's record (header and data) into `data` and its index entry, then its children.
bool VisitOut(RTInstance instance, RTInstance data, std::vector<PackEntry>& index) {
  // Resolving also loads a child that still waits in the store; one that cannot be loaded is left out.
  std::vector<InstanceRef> children;
  std::vector<bool> kept;
  for (uint32_t i = 0; i < instance->childCount; ++i) {
    RTInstance child = instance->children[i];
    kept.push_back(ResolveHandle(nullptr, child) != 0);
    if (kept.back()) {
      children.emplace_back(child);
    } else {
      RaiseFormatted(kLevelError, u"[CORE.StreamTreeOut] Unable to load %s; it is left out.", child->storeKey);
    }
  }
  RTStreamHeader* header = nullptr;
  InstanceRef componentData;
  InstanceRef measuredHeader;
  if (!BuildStreamHeader(nullptr, instance, kWholeInstance, &header)) return false;
  bool ok = LeaveOutChildren(header, kept) && CreateTemporaryStream(componentData.out()) &&
            CreateTemporaryStream(measuredHeader.out());
  uint32_t dataLength = 0;
  uint32_t headerLength = 0;
  uint32_t position = 0;
  uint32_t copied = 0;
  if (ok) {
    component::StreamOut(instance, kWholeInstance, componentData.get());
    ok = stream::GetSize(componentData.get(), &dataLength) && WriteStreamHeader(nullptr, header, measuredHeader.get()) &&
         stream::GetSize(measuredHeader.get(), &headerLength);
  }
  if (ok) {
    header->headerLength = headerLength;
    header->dataLength = dataLength;
    ok = stream::GetPosition(data, &position) && WriteStreamHeader(nullptr, header, data) &&
         stream::Seek(componentData.get(), 0) && stream::WriteFromStream(data, componentData.get(), dataLength, &copied) &&
         copied == dataLength;
  }
  if (ok) {
    ++gInstanceCount;
    gTotalLength += dataLength;
    index.push_back({PathKey(header->path ? header->path : u""), position, headerLength + dataLength});
  }
  FreeStreamHeader(nullptr, header);
  for (size_t i = 0; ok && i < children.size(); ++i) ok = VisitOut(children[i].get(), data, index);
  return ok;
}

// Reads past the rest of an instance's data after its component read it.
bool SkipToEnd(RTInstance s, uint32_t start, uint64_t dataLength) {
  return dataLength <= UINT32_MAX - start && stream::Seek(s, static_cast<uint32_t>(start + dataLength));
}

bool NameFromHeader(RTInstance instance, const RTStreamHeader& header) {
  return SetInstanceName(nullptr, instance, header.name ? header.name : u"");
}

// Streams a freshly created instance's data in; a failing or misreading component is reported
// and the stream is put at the end of its data.
bool StreamComponentIn(RTInstance instance, RTInstance s, uint64_t dataLength, const char16_t* failedFormat,
                       const char16_t* sizeFormat) {
  uint32_t start = 0;
  if (!stream::GetPosition(s, &start)) return false;
  if (!component::StreamIn(instance, kWholeInstance, s)) {
    RaiseFormatted(kLevelError, failedFormat, instance->storeKey);
    return SkipToEnd(s, start, dataLength);
  }
  uint32_t end = 0;
  if (stream::GetPosition(s, &end) && (dataLength >> 32) == 0 && end - start == dataLength) return true;
  RaiseFormatted(kLevelError, sizeFormat, instance->storeKey);
  return SkipToEnd(s, start, dataLength);
}

// Reads one instance and its subtree. The instance comes back with one reference for the caller;
// instances it creates are noted so that a failed read can take them back with their subtrees. An instance already at
// the record's path is reused, and so is a child that its parent, made by this read, made itself
// while it streamed in (a resource makes its named streams): the record's data is skipped.
RTInstance ReadInstance(RTInstance parent, bool parentMade, RTInstance s, std::vector<RTInstance>& created) {
  RTStreamHeader* header = nullptr;
  if (!ReadStreamHeader(nullptr, s, &header)) {
    FreeStreamHeader(nullptr, header);
    return nullptr;
  }
  RTInstance instance = nullptr;
  gTreeRead->lookups = false;
  GetInstanceByName(nullptr, header->path, &instance, 0);
  gTreeRead->lookups = true;
  if (!instance && parentMade && header->name) FindChild(nullptr, parent, header->name, &instance);
  const bool reused = instance != nullptr;
  bool ok = true;
  if (reused) {
    uint32_t start = 0;
    ok = stream::GetPosition(s, &start) && SkipToEnd(s, start, header->dataLength);
  } else if (!CreateInstanceByString(parent, header->className, &instance, 0, 0)) {
    RaiseFormatted(kLevelError, u"[CORE.StreamTreeIn] Unable to create component instance.");
    ok = false;
  } else {
    created.push_back(instance);
    ok = NameFromHeader(instance, *header) &&
         StreamComponentIn(instance, s, header->dataLength,
                           u"[CORE.StreamTreeIn] Component (%s) StreamIn() returned FAILURE. Attempting to continue.",
                           u"[CORE.StreamTreeIn] Component (%s) StreamIn() did not stream in the expected size of "
                           u"data. Attempting to continue.");
  }
  for (uint32_t i = 0; ok && i < header->childCount; ++i) {
    const size_t before = created.size();
    RTInstance child = ReadInstance(instance, !reused, s, created);
    if (!child) {
      RaiseFormatted(kLevelError, u"[CORE.StreamTreeIn] Unable to stream IN child tree.");
      ok = false;
    } else if (created.size() == before || created[before] != child) {
      ReleaseInstance(nullptr, child);  // a reused child: the tree holds it already
    }
  }
  FreeStreamHeader(nullptr, header);
  // A failed read gives back the reference of a reused instance; the ones it created are taken
  // back by StreamTreeIn.
  if (!ok && reused) ReleaseInstance(nullptr, instance);
  return ok ? instance : nullptr;
}

}  // namespace

RTSuccess StreamTreeOut(RTInstance, RTInstance instance, RTInstance s) {
  if (!instance || !s || !instance->componentObject) return kRTFailure;
  InstanceRef data;
  std::vector<PackEntry> index;
  if (!CreateTemporaryStream(data.out()) || !VisitOut(instance, data.get(), index)) return kRTFailure;
  RaiseFormatted(kLevelError, u"[CORE.StreamTreeOut] Average stream length = %d", gTotalLength / gInstanceCount);
  RaiseFormatted(kLevelError, u"[CORE.StreamTreeOut] Total stream length = %d (out of %d streams)", gTotalLength,
                 gInstanceCount);
  uint32_t size = 0;
  uint32_t copied = 0;
  return WritePackIndex(s, index) && stream::GetSize(data.get(), &size) && stream::Seek(data.get(), 0) &&
                 stream::WriteFromStream(s, data.get(), size, &copied) && copied == size
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamTreeIn(RTInstance, RTInstance parent, RTInstance* out, RTInstance s) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (!s) return kRTFailure;
  TreeRead read;
  read.stream = s;
  TreeRead* outer = gTreeRead;
  gTreeRead = &read;
  std::vector<RTInstance> created;
  RTInstance root = nullptr;
  if (!ReadPackIndex(s, &read.index) || !stream::GetPosition(s, &read.dataStart)) {
    RaiseFormatted(kLevelError, u"[CORE.StreamTreeIn] The tree's index is damaged.");
  } else {
    read.lookups = true;
    root = ReadInstance(parent, false, s, created);
    if (!root) RaiseFormatted(kLevelError, u"[CORE.StreamTreeIn] StreamTreeInRecurse() returned FAILURE.");
  }
  gTreeRead = outer;
  if (!root) {
    // Newest first, so that children go before their parents; each with its subtree, which holds
    // what its component made as it streamed in (a resource's named streams).
    for (auto it = created.rbegin(); it != created.rend(); ++it) DestroyTree(*it);
    return kRTFailure;
  }
  *out = root;
  return kRTSuccess;
}

bool TreeReadActive() { return gTreeRead && gTreeRead->lookups; }

RTSuccess StreamInstanceInByPath(RTInstance parent, const char16_t* path, RTInstance* out) {
  *out = nullptr;
  if (!gTreeRead || !path) return kRTFailure;
  TreeRead& read = *gTreeRead;
  uint32_t position = 0;
  if (!stream::GetPosition(read.stream, &position)) return kRTFailure;
  const uint32_t key = PathKey(path);
  RTSuccess result = kRTFailure;
  for (const PackEntry& entry : read.index) {
    if (entry.key != key) continue;
    RTStreamHeader* header = nullptr;
    RTInstance instance = nullptr;
    // Another path may share the key: only a record of this path is taken.
    const bool thisPath = stream::Seek(read.stream, read.dataStart + entry.offset) &&
                          ReadStreamHeader(nullptr, read.stream, &header) && header->path &&
                          WideStrEqualNoCase(header->path, path) == 0;
    if (!thisPath) {
      FreeStreamHeader(nullptr, header);
      continue;
    }
    if (!CreateInstanceByString(parent, header->className, &instance, 0, 0)) {
      RaiseFormatted(kLevelError, u"[CORE.StreamTreeIn] Unable to create component instance.");
    } else if (NameFromHeader(instance, *header) &&
               StreamComponentIn(instance, read.stream, header->dataLength,
                                 u"[CORE.StreamTreeIn] Component StreamIn() returned FAILURE. Attempting to continue.",
                                 u"[CORE.StreamTreeIn] Component StreamIn() did not stream in the expected size of "
                                 u"data. Attempting to continue.")) {
      // The tree keeps the creation reference; the caller gets one of its own.
      AddReference(instance);
      *out = instance;
      result = kRTSuccess;
    } else {
      ReleaseInstance(nullptr, instance);
    }
    FreeStreamHeader(nullptr, header);
    break;
  }
  stream::Seek(read.stream, position);
  return result;
}

}  // namespace kivo::core
