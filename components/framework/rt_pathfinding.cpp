// RTPathfinding: the parent class of route planners. It holds no graph and no state of its own;
// what it gives its derived classes is the first block of their stream, which they write and read
// through this level's own slot table before their own block.
//
// Stream form: u32 version (1); nothing else.
#include "kivo/navigation/navigation_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"

namespace {

using namespace kivo;

RTSuccess StreamOut(RTInstance, uint32_t, RTInstance stream) {
  return StreamWriteUInt(stream, pathfinding::kStreamVersion);
}

RTSuccess StreamIn(RTInstance, uint32_t, RTInstance stream) {
  uint32_t version = 0;
  if (!StreamReadUInt(stream, &version)) {
    RaiseFormatted(kLevelError, u"RTPathfinding::StreamIn() -- The stream ended before the version");
    return kRTFailure;
  }
  if (version > pathfinding::kStreamVersion) {
    RaiseFormatted(kLevelError, u"RTPathfinding::StreamIn() -- Version is newer than reader");
    return kRTFailure;
  }
  return kRTSuccess;
}

constexpr bool kOverrides = true;

RTMethodRecord gMethods[] = {
    Method(u"StreamOut", StreamOut, pathfinding::kStreamOut, u"RTSuccess", u"uint aStage, RTInstance ohStream",
           kOverrides),
    Method(u"StreamIn", StreamIn, pathfinding::kStreamIn, u"RTSuccess", u"uint aStage, RTInstance ahStream",
           kOverrides),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = u"RTPathfinding",
    .parentClassName = u"RTComponent",
    .description = u"The parent class of route planners",
    .objectSize = pathfinding::kLevel + 8,
    .slotTableSize = 0x08,
    .firstSlotTableOffset = pathfinding::kLevel,
    .secondSlotTableOffset = pathfinding::kOwnTable,
    .methods = gMethods,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
