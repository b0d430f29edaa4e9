// RTResource: a container of named streams, the form of a component's ".resource" file. Each
// named stream is an RTMemoryStream child of the resource instance, named by the resource name.
//
// Stream form: u32 version (1); u32 count; per stream in child order: wide string name, then the
// stream's bytes as a stream copy (u32 size and the bytes).
#include "kivo/core_table.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;

constexpr uint32_t kStreamVersion = 1;
constexpr uint32_t kNameUnits = 255;

RTSuccess StreamOut(RTInstance self, uint32_t, RTInstance s) {
  CoreTable& core = *ModuleCore();
  uint32_t count = 0;
  if (!core.GetChildCount(self, self, &count) || !StreamWriteUInt(s, kStreamVersion) || !StreamWriteUInt(s, count))
    return kRTFailure;
  for (uint32_t i = 0; i < count; ++i) {
    RTInstance child = nullptr;
    char16_t* name = nullptr;
    if (!core.GetChild(self, self, i, &child)) return kRTFailure;
    const bool written = component::GetName(child, &name) && StreamWriteWString(s, name) &&
                         StreamWriteStreamCopy(s, child);
    core.ArrayFree(nullptr, name);
    core.ReleaseInstance(self, child);
    if (!written) return kRTFailure;
  }
  return kRTSuccess;
}

// Reads one named stream into a new memory-stream child.
bool ReadNamedStream(RTInstance self, RTInstance s) {
  CoreTable& core = *ModuleCore();
  char16_t* name = nullptr;
  uint32_t size = 0;
  uint32_t copied = 0;
  RTInstance child = nullptr;
  bool ok = StreamReadWStringBounded(s, kNameUnits, &name) && name && StreamReadUInt(s, &size) &&
            core.CreateInstanceByString(self, u"RTMemoryStream", &child, 0, 0) &&
            memory_stream::Open(child, memory_stream::kReadWrite) && component::SetName(child, name) &&
            stream::WriteFromStream(child, s, size, &copied) && copied == size && stream::Seek(child, 0);
  core.ArrayFree(nullptr, name);
  if (!ok && child) core.ReleaseInstance(self, child);
  return ok;
}

RTSuccess StreamIn(RTInstance self, uint32_t, RTInstance s) {
  uint32_t version = 0;
  uint32_t count = 0;
  if (!StreamReadVersion(s, kStreamVersion, &version) || !StreamReadUInt(s, &count)) return kRTFailure;
  for (uint32_t i = 0; i < count; ++i)
    if (!ReadNamedStream(self, s)) return kRTFailure;
  return kRTSuccess;
}

constexpr bool kOverrides = true;

RTMethodRecord gMethods[] = {
    Method(u"StreamOut", StreamOut, OverrideAt(component::kStreamOut, 0x00), u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    Method(u"StreamIn", StreamIn, OverrideAt(component::kStreamIn, 0x04), u"RTSuccess", u"uint aStage, RTInstance ahStream", kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = u"RTResource",
    .parentClassName = u"RTComponent",
    .description = u"A container of named streams",
    .objectSize = 0x10,
    .slotTableSize = 0x08,
    .firstSlotTableOffset = 0x08,
    .secondSlotTableOffset = 0x0C,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
