#include "classes.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "coreregistry/registry.h"
#include "dispatch.h"
#include "instance_record.h"
#include "kivo/support/format.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "memory_manager.h"
#include "parameter_list.h"
#include "platform/message_box.h"

namespace kivo::core {

namespace {

template <class Record>
uint32_t CountRecords(const Record* records) {
  uint32_t count = 0;
  while (records && records[count].name) ++count;
  return count;
}

void RefuseDefinition(const ComponentEntry* entry, const std::u16string& problem) {
  RaiseFormatted(kLevelError, u"Cannot load component: %s. The definition is refused: %s.", entry->modulePath,
                 problem);
}

// Refuses a definition whose blocks cannot be allocated, or whose table pointers or method slots
// would fall outside their blocks.
bool CheckLayout(const ComponentEntry* entry, const RTComponentDef* parent) {
  const RTComponentDef& d = *entry->definition;
  auto inside = [](uint32_t offset, uint32_t size) { return offset % 4 == 0 && uint64_t{offset} + 4 <= size; };
  std::u16string problem;
  if (!d.methods) {
    problem = u"it has no method table";
  } else if (BlockBytes(d.objectSize) > UINT32_MAX || BlockBytes(d.slotTableSize) > UINT32_MAX) {
    problem = u"its object or method-slot table is too large";
  } else if (parent && d.objectSize < parent->objectSize) {
    problem = u"its object is smaller than its parent's";
  } else if (!inside(d.firstSlotTableOffset, d.objectSize) || !inside(d.secondSlotTableOffset, d.objectSize) ||
             d.firstSlotTableOffset == d.secondSlotTableOffset) {
    problem = u"its method-slot table pointers do not lie in its own words of the object";
  } else if (parent && (d.firstSlotTableOffset < parent->objectSize || d.secondSlotTableOffset < parent->objectSize)) {
    problem = u"its method-slot table pointers lie inside its parent's object";
  } else {
    for (const RTMethodRecord* method = d.methods; method->name && problem.empty(); ++method)
      if (!inside(method->slotOffset, d.slotTableSize))
        problem = Format(u"the slot of method %s lies outside its method-slot table", method->name);
  }
  if (problem.empty()) return true;
  RefuseDefinition(entry, problem);
  return false;
}

// A method-slot table of a level: zeroed, with the level's own functions.
SlotTable MakeOwnTable(const RTComponentDef& d, std::vector<void*>& made) {
  void* block = nullptr;
  MemAlloc(nullptr, static_cast<uint32_t>(BlockBytes(d.slotTableSize)), &block, 1);
  if (!block) return nullptr;
  made.push_back(block);
  auto table = static_cast<SlotTable>(block);
  for (const RTMethodRecord* method = d.methods; method->name; ++method)
    SlotEntry(table, method->slotOffset) = method->function;
  return table;
}

SlotTable CopyTable(SlotTable source, uint32_t publishedSize, std::vector<void*>& made) {
  void* block = nullptr;
  const size_t bytes = BlockBytes(publishedSize);
  MemAlloc(nullptr, static_cast<uint32_t>(bytes), &block, 0);
  if (!block) return nullptr;
  made.push_back(block);
  if (source) std::memcpy(block, source, bytes);
  return static_cast<SlotTable>(block);
}

// Writes each overriding method of `level` (and, first, of its ancestors) into the first tables
// of the levels above it that have a method of the same name.
void ApplyOverrides(const ComponentEntry* level, ObjectWord* object) {
  ComponentEntry* parent = ParentEntry(level);
  if (!parent) return;
  ApplyOverrides(parent, object);
  for (const RTMethodRecord* method = level->definition->methods; method->name; ++method) {
    if (!method->overrides) continue;
    for (const ComponentEntry* above = parent; above; above = ParentEntry(above)) {
      SlotTable table = LevelTable(object, above->definition->firstSlotTableOffset);
      for (const RTMethodRecord* target = above->definition->methods; target->name; ++target)
        if (WideStrEqualNoCase(target->name, method->name) == 0) SlotEntry(table, target->slotOffset) = method->function;
    }
  }
}

bool MergeProperties(ComponentEntry* entry, const ComponentEntry* parent) {
  const uint32_t inherited = parent ? parent->mergedPropertyCount : 0;
  entry->mergedPropertyCount = inherited + entry->ownPropertyCount;
  if (entry->mergedPropertyCount == 0) return true;
  void* block = nullptr;
  if (!MemAlloc(nullptr, entry->mergedPropertyCount * sizeof(RTPropertyRecord), &block, 0)) return false;
  auto* merged = static_cast<RTPropertyRecord*>(block);
  if (inherited) std::memcpy(merged, parent->mergedProperties, inherited * sizeof(RTPropertyRecord));
  if (entry->ownPropertyCount)
    std::memcpy(merged + inherited, entry->definition->properties, entry->ownPropertyCount * sizeof(RTPropertyRecord));
  entry->mergedProperties = merged;
  return true;
}

// Builds the template object: the parent's template copied over its start, fresh copies of each
// ancestor level's own tables, this level's own tables, then the overrides.
bool BuildClass(ComponentEntry* entry) {
  const RTComponentDef& d = *entry->definition;
  ComponentEntry* parent = nullptr;
  if (d.fpParentClassName) {
    parent = LocateComponentEntry(d.fpParentClassName);
    if (!parent) return false;
    // A parent that is loaded but still has no template is being built further down this call:
    // the class is its own ancestor.
    if (IsLoaded(parent) && !parent->templateObject) {
      RefuseDefinition(entry, u"its parent classes lead back to itself");
      return false;
    }
    if (!LoadClass(parent)) return false;
  }

  // The load references taken on the ancestors are given back when the build fails.
  std::vector<ComponentEntry*> referenced;
  if (parent) referenced.push_back(parent);
  std::vector<void*> made;
  auto fail = [&made, &referenced] {
    for (void* block : made) MemFree(nullptr, block);
    for (ComponentEntry* ancestor : referenced) UnloadClass(ancestor);
    return false;
  };
  if (!CheckLayout(entry, parent ? parent->definition : nullptr)) return fail();

  void* block = nullptr;
  if (!MemAlloc(nullptr, static_cast<uint32_t>(BlockBytes(d.objectSize)), &block, 1)) return fail();
  made.push_back(block);
  auto* object = static_cast<ObjectWord*>(block);

  if (parent) {
    std::memcpy(object, parent->templateObject, BlockBytes(parent->definition->objectSize));
    for (ComponentEntry* ancestor = parent; ancestor; ancestor = ParentEntry(ancestor)) {
      if (!LoadClass(ancestor)) return fail();
      referenced.push_back(ancestor);
      if (ancestor->ownMethodCount == 0) continue;
      const RTComponentDef& a = *ancestor->definition;
      for (const uint32_t offset : {a.firstSlotTableOffset, a.secondSlotTableOffset}) {
        SlotTable copy = CopyTable(LevelTable(ancestor->templateObject, offset), a.slotTableSize, made);
        if (!copy) return fail();
        LevelTable(object, offset) = copy;
      }
    }
  }
  for (const uint32_t offset : {d.firstSlotTableOffset, d.secondSlotTableOffset}) {
    SlotTable own = MakeOwnTable(d, made);
    if (!own && d.slotTableSize) return fail();
    LevelTable(object, offset) = own;
  }

  entry->ownPropertyCount = CountRecords(d.properties);
  if (!MergeProperties(entry, parent)) return fail();
  entry->templateObject = object;
  ApplyOverrides(entry, object);
  return true;
}

void CloseModule(ComponentEntry* entry) {
  platform::CloseLibrary(entry->module);
  entry->module = nullptr;
  entry->definition = nullptr;
  entry->loadCount = 0;
}

enum class Opened { kYes, kNoLibrary, kOtherClass, kRefused };

// Loads the entry's library and takes its accepted definition record. Any failure leaves the
// library closed.
Opened OpenClassLibrary(ComponentEntry* entry) {
  entry->module = LoadModule(entry->modulePath);
  if (!entry->module) return Opened::kNoLibrary;
  ++entry->loadCount;
  entry->definition = IdentifyComponent(entry->module, entry->modulePath);
  Opened opened = entry->definition ? Opened::kYes : Opened::kRefused;
  if (entry->definition && WideStrEqualNoCase(entry->definition->fpClassName, entry->className) != 0) {
    RaiseFormatted(kLevelError, u"Cannot load component: %s holds the class %s, not %s", entry->modulePath,
                   entry->definition->fpClassName, entry->className);
    opened = Opened::kOtherClass;
  }
  if (opened != Opened::kYes) CloseModule(entry);
  return opened;
}

}  // namespace

bool IsLoaded(const ComponentEntry* entry) { return entry->module && entry->definition; }

ComponentEntry* ClassOf(RTInstance instance) { return instance ? LookupComponentEntry(instance->component) : nullptr; }

ComponentEntry* ParentEntry(const ComponentEntry* entry) {
  if (!entry || !entry->definition || !entry->definition->fpParentClassName) return nullptr;
  // Entries live as long as the registry, so a parent once found stays found; a parent not
  // registered is looked up (and reported) again next time.
  if (entry->parentFoundFor != entry->definition || !entry->parentEntry) {
    entry->parentEntry = LocateComponentEntry(entry->definition->fpParentClassName);
    entry->parentFoundFor = entry->definition;
  }
  return entry->parentEntry;
}

RTSuccess LoadClass(ComponentEntry* entry) {
  if (!entry) return kRTFailure;
  if (IsLoaded(entry)) {
    ++entry->loadCount;
    return kRTSuccess;
  }
  // A library that does not load, or holds another class, is a stale registry entry: after a
  // rescan that gave the class another library, the load is tried once more. (A library whose
  // record is refused is where it should be; a rescan would refuse it again.)
  Opened opened = OpenClassLibrary(entry);
  if ((opened == Opened::kNoLibrary || opened == Opened::kOtherClass) && RescanForStaleEntry(entry))
    opened = OpenClassLibrary(entry);
  if (opened == Opened::kNoLibrary) {
    const std::u16string text =
        Format(u"Cannot load component: %s", entry->modulePath ? entry->modulePath : entry->className);
    platform::ShowMessageBox(text, text);
    RaiseFormatted(kLevelError, u"%s", text);
    return kRTFailure;
  }
  if (opened != Opened::kYes) return kRTFailure;
  entry->ownMethodCount = CountRecords(entry->definition->methods);
  for (uint32_t i = 0; i < entry->ownMethodCount; ++i) {
    entry->definition->methods[i].firstParameter = nullptr;
    entry->definition->methods[i].lastParameter = nullptr;
    entry->definition->methods[i].parameterState = kParametersNotParsed;
  }
  entry->forwardingTable = nullptr;
  entry->receivingTable = nullptr;
  entry->dispatchStubs = nullptr;
  if (!BuildClass(entry)) {
    CloseModule(entry);
    return kRTFailure;
  }
  return kRTSuccess;
}

void ReleaseClassData(ComponentEntry* entry) {
  if (!entry->templateObject) return;
  const RTComponentDef& d = *entry->definition;
  for (uint32_t i = 0; i < entry->ownMethodCount; ++i) FreeParameterList(d.methods[i]);
  ObjectWord* object = entry->templateObject;
  MemFree(nullptr, LevelTable(object, d.firstSlotTableOffset));
  MemFree(nullptr, LevelTable(object, d.secondSlotTableOffset));
  for (const ComponentEntry* ancestor = ParentEntry(entry); ancestor; ancestor = ParentEntry(ancestor)) {
    if (ancestor->ownMethodCount == 0) continue;
    MemFree(nullptr, LevelTable(object, ancestor->definition->firstSlotTableOffset));
    MemFree(nullptr, LevelTable(object, ancestor->definition->secondSlotTableOffset));
  }
  MemFree(nullptr, entry->mergedProperties);
  MemFree(nullptr, object);
  FreeDispatchTables(entry);
  entry->templateObject = nullptr;
  entry->mergedProperties = nullptr;
  entry->mergedPropertyCount = 0;
}

void UnloadClass(ComponentEntry* entry) {
  if (!entry || entry->loadCount < 1) return;
  if (--entry->loadCount > 0) return;
  ReleaseClassData(entry);
  CloseModule(entry);
  entry->liveCount = 0;
  ListClear(entry->instances);
}

RTSuccess ConstructChain(ComponentEntry* entry, RTInstance instance) {
  if (!LoadClass(entry)) return kRTFailure;
  if (entry->definition->fpParentClassName) {
    ComponentEntry* parent = ParentEntry(entry);
    if (!parent || !ConstructChain(parent, instance)) return kRTFailure;
  }
  if (entry->definition->construct) entry->definition->construct(instance);
  return kRTSuccess;
}

RTSuccess DestroyChain(RTInstance instance, ComponentEntry* entry) {
  if (!entry || !entry->definition) return kRTFailure;
  if (entry->definition->destroy) entry->definition->destroy(instance);
  RTSuccess result = kRTSuccess;
  if (entry->definition->fpParentClassName) {
    ComponentEntry* parent = ParentEntry(entry);
    result = parent ? DestroyChain(instance, parent) : kRTFailure;
  }
  UnloadClass(entry);
  return result;
}

bool ClassLevelOffset(const char16_t* className, uint32_t* offset) {
  const ComponentEntry* entry = LocateComponentEntry(className);
  if (!entry || !IsLoaded(entry)) return false;
  *offset = entry->definition->firstSlotTableOffset;
  return true;
}

uint32_t IsKindOf(RTInstance, RTInstance instance, RTComponentHandle component) {
  for (const ComponentEntry* entry = ClassOf(instance); entry; entry = ParentEntry(entry))
    if (entry->handle == component) return 1;
  return 0;
}

uint32_t IsKindOfByName(RTInstance ctx, RTInstance instance, const char16_t* className) {
  RTComponentHandle component = kNoComponent;
  return LocateComponent(className, &component) ? IsKindOf(ctx, instance, component) : 0;
}

uint32_t IsInstanceOf(RTInstance, RTInstance instance, RTComponentHandle component) {
  return instance && instance->component == component ? 1 : 0;
}

uint32_t IsInstanceOfByName(RTInstance ctx, RTInstance instance, const char16_t* className) {
  RTComponentHandle component = kNoComponent;
  return LocateComponent(className, &component) ? IsInstanceOf(ctx, instance, component) : 0;
}

RTSuccess FindProperty(RTInstance, RTInstance instance, const char16_t* name, RTPropertyRecord** out) {
  const ComponentEntry* entry = ClassOf(instance);
  if (!entry || !name || !out) return kRTFailure;
  for (uint32_t i = 0; i < entry->mergedPropertyCount; ++i) {
    if (WideStrEqualNoCase(entry->mergedProperties[i].name, name) != 0) continue;
    *out = &entry->mergedProperties[i];
    return kRTSuccess;
  }
  return kRTFailure;
}

RTSuccess GetPropertyTable(RTInstance, RTInstance instance, RTPropertyRecord** out, uint32_t* count) {
  const ComponentEntry* entry = ClassOf(instance);
  if (!entry || !out || !count) return kRTFailure;
  *out = entry->mergedProperties;
  *count = entry->mergedPropertyCount;
  return kRTSuccess;
}

RTSuccess GetComponentCount(RTInstance, uint32_t* count) {
  if (!count) return kRTFailure;
  *count = Components() ? Components()->count : 0;
  return kRTSuccess;
}

RTSuccess GetComponentName(RTInstance, uint32_t index, char16_t* buffer, uint32_t length) {
  void* entry = nullptr;
  if (!Components() || !ListDataAt(Components(), index, &entry)) {
    if (buffer && length) buffer[0] = 0;
    return kRTFailure;
  }
  return WideStrCopyBounded(buffer, length, static_cast<ComponentEntry*>(entry)->className) ? kRTSuccess
                                                                                            : kRTFailure;
}

RTSuccess GetClassName(RTInstance, RTInstance instance, char16_t* buffer, uint32_t length) {
  const ComponentEntry* entry = ClassOf(instance);
  return entry && WideStrCopyBounded(buffer, length, entry->className) ? kRTSuccess : kRTFailure;
}

RTSuccess GetComponentOfInstance(RTInstance, RTInstance instance, RTComponentHandle* out) {
  if (!instance || !out) return kRTFailure;
  *out = instance->component;
  return kRTSuccess;
}

}  // namespace kivo::core
