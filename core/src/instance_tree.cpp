#include "instance_tree.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <vector>

#include "classes.h"
#include "instances.h"
#include "instance_space.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "stream_tree.h"

namespace kivo::core {

namespace {

constexpr uint32_t kChildNameBuckets = 31;
// Paths kept as store keys and reported in messages fit this many units with their terminator.
constexpr size_t kPathUnits = 512;
constexpr size_t kSegmentUnits = 255;

// Per parent and name stem, where the search for a free automatic name starts: stem1 up to the
// number before it were all taken when last searched, and no child has given up its name since.
// Names are only ever taken in between, so the first free name still lies at or after it.
std::unordered_map<RTInstance, std::unordered_map<std::u16string, uint32_t>> gNameSearchStarts;

bool IsAvailable(RTInstance child) { return !(child->flags & kBeingLoaded); }

char16_t* Copy(std::u16string_view text) {
  char16_t* copy = nullptr;
  return WideStrDup(std::u16string(text).c_str(), &copy) ? copy : nullptr;
}

// The path the instance has when it bears `name`.
std::u16string PathWithName(RTInstance instance, std::u16string_view name) {
  return instance->parent ? InstancePath(instance->parent) + u":" + std::u16string(name) : std::u16string(name);
}

// Gives the instance its name and, as its store key, the path it then has.
RTSuccess AssignName(RTInstance instance, const char16_t* name) {
  const std::u16string path = PathWithName(instance, name);
  if (path.size() >= kPathUnits) return kRTFailure;
  char16_t* newName = Copy(name);
  char16_t* newKey = Copy(path);
  if (!newName || !newKey) {
    ArrayFree(nullptr, newName);
    ArrayFree(nullptr, newKey);
    return kRTFailure;
  }
  // Only an attached child stands in its parent's name table.
  RTInstance parent = instance->parent;
  if (parent && instance->name && StrHashTableRemoveEntry(parent->childNames, WideStrUpper(instance->name).c_str(),
                                                          instance)) {
    StrHashTableInsert(parent->childNames, WideStrUpper(newName).c_str(), instance);
    ForgetNameSearches(parent);
  }
  ArrayFree(nullptr, instance->name);
  ArrayFree(nullptr, instance->storeKey);
  instance->name = newName;
  instance->storeKey = newKey;
  return kRTSuccess;
}

RTInstance FindChildRecord(RTInstance parent, const char16_t* name) {
  void* child = nullptr;
  if (!parent || !parent->childNames || !name) return nullptr;
  return StrHashTableLookup(parent->childNames, WideStrUpper(name).c_str(), &child) ? static_cast<RTInstance>(child)
                                                                                    : nullptr;
}

}  // namespace

bool Attach(RTInstance parent, RTInstance child) {
  if (!parent->childNames && !StrHashTableCreate(&parent->childNames, kChildNameBuckets, nullptr)) return false;
  void* grown = nullptr;
  const RTSuccess resized = parent->children
                                ? ArrayResize(nullptr, parent->childCount + 1, parent->children, &grown)
                                : ArrayAlloc(nullptr, sizeof(RTInstance), 1, &grown, 0);
  if (!resized) return false;
  parent->children = static_cast<RTInstance*>(grown);
  parent->children[parent->childCount++] = child;
  AddReference(parent);
  child->parent = parent;
  StrHashTableInsert(parent->childNames, WideStrUpper(child->name ? child->name : u"").c_str(), child);
  return true;
}

RTSuccess Detach(RTInstance child) {
  RTInstance parent = child->parent;
  if (!parent) return kRTFailure;
  uint32_t index = 0;
  while (index < parent->childCount && parent->children[index] != child) ++index;
  if (index == parent->childCount) return kRTFailure;
  for (uint32_t i = index + 1; i < parent->childCount; ++i) parent->children[i - 1] = parent->children[i];
  if (--parent->childCount == 0) {
    ArrayFree(nullptr, parent->children);
    parent->children = nullptr;
  }
  StrHashTableRemoveEntry(parent->childNames, WideStrUpper(child->name ? child->name : u"").c_str(), child);
  child->parent = nullptr;
  ForgetNameSearches(parent);
  ReleaseInstance(nullptr, parent);
  return kRTSuccess;
}

void OrphanChildren(RTInstance instance) {
  ForgetNameSearches(instance);
  for (uint32_t i = 0; i < instance->childCount; ++i) instance->children[i]->parent = nullptr;
  ArrayFree(nullptr, instance->children);
  instance->children = nullptr;
  instance->childCount = 0;
}

RTSuccess GiveUniqueName(RTInstance instance, RTInstance parent) {
  const ComponentEntry* entry = ClassOf(instance);
  if (!entry) return kRTFailure;
  const std::u16string className(entry->className);
  const std::u16string base = className.size() > 2 ? className.substr(2) : std::u16string();
  uint32_t unkept = 1;
  uint32_t& searchStart = parent ? gNameSearchStarts[parent][base] : unkept;
  for (uint32_t n = std::max(searchStart, 1u);; ++n) {
    const std::u16string candidate = Format(u"%s%u", base, n);
    RTBool exists = 0;
    ChildNameExists(nullptr, parent, candidate.c_str(), &exists);
    if (exists) continue;
    searchStart = n;
    return SetInstanceName(nullptr, instance, candidate.c_str());
  }
}

void ForgetNameSearches(RTInstance parent) { gNameSearchStarts.erase(parent); }

std::u16string InstancePath(RTInstance instance) {
  std::vector<const char16_t*> names;
  for (RTInstance at = instance; at; at = at->parent) names.push_back(at->name ? at->name : u"");
  std::u16string path;
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    if (name != names.rbegin()) path += u':';
    path += *name;
  }
  return path;
}

RTSuccess GetChildCount(RTInstance, RTInstance instance, uint32_t* count) {
  if (!instance || !count) return kRTFailure;
  *count = instance->childCount;
  return kRTSuccess;
}

RTSuccess GetChild(RTInstance ctx, RTInstance instance, uint32_t index, RTInstance* out) {
  if (!instance || !out || index >= instance->childCount) return kRTFailure;
  RTInstance child = instance->children[index];
  // Resolving loads a child that still waits in the store.
  if ((child != ctx || !IsAvailable(child)) && !ResolveHandle(ctx, child)) return kRTFailure;
  *out = child;
  return kRTSuccess;
}

RTSuccess FindChild(RTInstance, RTInstance parent, const char16_t* name, RTInstance* out) {
  if (!out) return kRTFailure;
  RTInstance child = FindChildRecord(parent, name);
  // A child that is still being loaded counts as absent.
  if (!child || !IsAvailable(child) || !ResolveHandle(nullptr, child)) {
    *out = nullptr;
    return kRTFailure;
  }
  *out = child;
  return kRTSuccess;
}

RTSuccess GetInstancePath(RTInstance, RTInstance instance, char16_t* buffer, uint32_t length) {
  if (!instance) return kRTFailure;
  return WideStrCopyBounded(buffer, length, InstancePath(instance).c_str()) ? kRTSuccess : kRTFailure;
}

RTSuccess GetParent(RTInstance, RTInstance instance, RTInstance* out) {
  if (!instance || !out) return kRTFailure;
  *out = instance->parent;
  if (*out) AddReference(*out);
  return kRTSuccess;
}

RTSuccess ChildNameExists(RTInstance, RTInstance parent, const char16_t* name, RTBool* out) {
  if (!out) return kRTFailure;
  if (!parent) parent = Root();
  RTInstance child = FindChildRecord(parent, name);
  *out = child && IsAvailable(child) ? 1 : 0;
  return kRTSuccess;
}

RTSuccess GetInstanceName(RTInstance, RTInstance instance, char16_t* buffer, uint32_t length) {
  if (!instance) return kRTFailure;
  return WideStrCopyBounded(buffer, length, instance->name) ? kRTSuccess : kRTFailure;
}

RTSuccess SetInstanceName(RTInstance, RTInstance instance, const char16_t* name) {
  if (!instance || !name) return kRTFailure;
  RTInstance parent = instance->parent;
  if (parent) {
    for (uint32_t i = 0; i < parent->childCount; ++i) {
      RTInstance sibling = parent->children[i];
      if (sibling == instance || !IsAvailable(sibling) || WideStrEqualNoCase(sibling->name, name) != 0) continue;
      RaiseFormatted(kLevelError, u"Name (%s) already exists in parent's (%s) namespace!", name,
                     InstancePath(parent).substr(0, kPathUnits - 1));
      return kRTFailure;
    }
  }
  return AssignName(instance, name);
}

RTSuccess GivePlaceholderName(RTInstance instance) { return AssignName(instance, u"???"); }

RTSuccess GetInstanceByName(RTInstance ctx, const char16_t* path, RTInstance* out, RTBool remote) {
  if (!out) return kRTFailure;
  *out = nullptr;
  if (remote) return ISClientLookup(path, out);
  if (!path || WideStrFind(path, u"//") || WideStrFind(path, u"localroot")) return kRTFailure;
  const std::u16string_view text(path);
  size_t start = text.find(u':');
  if (start == std::u16string_view::npos) return kRTFailure;
  RTInstance current = nullptr;
  if (!GetRoot(ctx, &current)) return kRTFailure;
  while (start != std::u16string_view::npos) {
    const size_t end = text.find(u':', start + 1);
    const std::u16string segment(text.substr(start + 1, end == std::u16string_view::npos ? end : end - start - 1));
    RTInstance child = nullptr;
    bool found = !segment.empty() && segment.size() <= kSegmentUnits && FindChild(ctx, current, segment.c_str(), &child);
    // While a tree is being read, an instance the tree holds is fetched out of it.
    if (!found && !segment.empty() && TreeReadActive()) {
      const std::u16string key = std::u16string(current->storeKey ? current->storeKey : u"") + u":" + segment;
      found = StreamInstanceInByPath(current, key.c_str(), &child);
    }
    if (!found) {
      ReleaseInstance(ctx, current);
      return kRTFailure;
    }
    ReleaseInstance(ctx, current);
    current = child;
    start = end;
  }
  *out = current;
  return kRTSuccess;
}

}  // namespace kivo::core
