// RTStoredData: a file's bytes kept in a memory stream (see stored_data_calls.h). Its stream form is
// that of kept_bytes.h with version 1.
#include "kept_bytes.h"
#include "kivo/image/stored_data_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"

namespace {

using namespace kivo;
namespace slot = kivo::stored_data;

constexpr bool kOverrides = true;
constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x4};
constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x8};

RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream) {
  return WriteKeptBytes(self, stage, stream, slot::kStreamVersion);
}

RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream) {
  return ReadKeptBytes(self, stage, stream, slot::kStreamVersion, slot::kClassName, u"data");
}

RTSuccess GetData(RTInstance self, const uint8_t** bytes, uint32_t* size) {
  if (!bytes || !size || !stream::GetSize(self, size)) return kRTFailure;
  *bytes = nullptr;
  return *size == 0 || memory_stream::GetBuffer(self, bytes) ? kRTSuccess : kRTFailure;
}

RTMethodRecord gMethods[] = {
    Method(u"GetData", GetData, slot::kGetData, u"RTSuccess", u"void* out oppBytes, uint out opSize"),
    Method(u"StreamOut", StreamOut, OverrideAt(component::kStreamOut, kStreamOut.offset), u"RTSuccess",
           u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamIn", StreamIn, OverrideAt(component::kStreamIn, kStreamIn.offset), u"RTSuccess",
           u"uint aStage, RTInstance ahStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTMemoryStream",
    .description = u"A file's bytes kept in a memory stream",
    .objectSize = slot::kObjectSize,
    .slotTableSize = kStreamIn + 4,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
