// RTVarnoController: a table per instance from script object to the native record a subclass
// keeps for it (see varno_controller_calls.h). It has no stream: records live with the running
// game, and the subclass streams its own.
#include <unordered_map>

#include "kivo/support/component_kit.h"
#include "kivo/varno_controller/varno_controller_calls.h"

namespace {

using namespace kivo;
namespace slot = kivo::varno_controller;

constexpr uint32_t kStateWord = slot::kObjectSize - 4;

using NativeRecords = std::unordered_map<void*, void*>;

NativeRecords* StateOf(RTInstance self) { return StateIn<NativeRecords>(self, kStateWord); }

RTSuccess Construct(RTInstance self) { return MakeState<NativeRecords>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  EndState<NativeRecords>(self, kStateWord);
  return kRTSuccess;
}

RTSuccess AttachNativeRecord(RTInstance self, void* object, void* record) {
  NativeRecords* records = StateOf(self);
  if (!records || !object || !record) return kRTFailure;
  (*records)[object] = record;
  return kRTSuccess;
}

RTSuccess DetachNativeRecord(RTInstance self, void* object) {
  NativeRecords* records = StateOf(self);
  return records && records->erase(object) ? kRTSuccess : kRTFailure;
}

RTSuccess FindNativeRecord(RTInstance self, void* object, void** record) {
  NativeRecords* records = StateOf(self);
  if (!record) return kRTFailure;
  *record = nullptr;
  if (!records) return kRTFailure;
  const auto found = records->find(object);
  if (found == records->end()) return kRTFailure;
  *record = found->second;
  return kRTSuccess;
}

RTSuccess FreeWorld(RTInstance) { return kRTSuccess; }

RTMethodRecord gMethods[] = {
    Method(u"AttachNativeRecord", AttachNativeRecord, slot::kAttachNativeRecord, u"RTSuccess",
           u"void* apObject, void* apRecord"),
    Method(u"DetachNativeRecord", DetachNativeRecord, slot::kDetachNativeRecord, u"RTSuccess", u"void* apObject"),
    Method(u"FindNativeRecord", FindNativeRecord, slot::kFindNativeRecord, u"RTSuccess",
           u"void* apObject, void* out oppRecord"),
    Method(u"FreeWorld", FreeWorld, slot::kFreeWorld, u"RTSuccess", u""),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
    .description = u"The parent of components that keep a native record for each of their script objects",
    .objectSize = slot::kObjectSize,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
