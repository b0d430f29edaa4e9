// RTPathFollower: one route as an open polyline of points with widths, and its length. The route
// planner makes one per found route and fills it; actors read it. The class derives from
// RTSteerPathway, whose slots 0x00-0x14 and 0x28-0x34 this level leaves empty. It has no stream
// of its own.
#include "kivo/navigation/navigation_calls.h"
#include "kivo/slots.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/vector.h"

namespace {

using namespace kivo;
namespace slot = kivo::path_follower;

constexpr uint32_t kStateWord = slot::kLevel + 8;

struct PathFollowerState {
  uint32_t count;
  PathPoint* points;  // array block
  float totalLength;
  RTBool cyclic;  // nothing sets it
};

PathFollowerState* StateOf(RTInstance self) {
  return static_cast<PathFollowerState*>(Word(ComponentObject(self), kStateWord));
}

RTSuccess Construct(RTInstance self) {
  void* block = nullptr;
  if (!ModuleCore()->MemAlloc(nullptr, sizeof(PathFollowerState), &block, 1)) return kRTFailure;
  Word(ComponentObject(self), kStateWord) = block;
  return kRTSuccess;
}

RTSuccess Destroy(RTInstance self) {
  PathFollowerState* state = StateOf(self);
  if (!state) return kRTSuccess;
  ModuleCore()->ArrayFree(nullptr, state->points);
  CoreFree(state);
  Word(ComponentObject(self), kStateWord) = nullptr;
  return kRTSuccess;
}

RTFVector3D Position(const PathPoint& point) { return RTFVector3D{point.x, point.y, point.z, 0}; }

RTSuccess GetPointCount(RTInstance self, uint32_t* count) {
  PathFollowerState* state = StateOf(self);
  if (!state || !count) return kRTFailure;
  *count = state->count;
  return kRTSuccess;
}

// Replaces the points by a copy of the given ones (which may be the stored ones). When the copy
// cannot be made the pathway is left empty: no points, length 0.
RTSuccess SetPoints(RTInstance self, const PathPoint* points, uint32_t count) {
  PathFollowerState* state = StateOf(self);
  if (!state || (count && !points)) return kRTFailure;
  void* block = nullptr;
  ModuleCore()->ArrayAlloc(nullptr, sizeof(PathPoint), count, &block, 1);
  auto* copy = static_cast<PathPoint*>(block);
  float length = 0;
  for (uint32_t i = 0; copy && i < count; ++i) {
    copy[i] = points[i];
    if (i > 0) length += Vec3Distance(Position(points[i - 1]), Position(points[i]));
  }
  if (state->points && !ModuleCore()->ArrayFree(nullptr, state->points)) {
    ModuleCore()->ArrayFree(nullptr, copy);
    return kRTFailure;
  }
  state->points = copy;
  state->count = copy ? count : 0;
  state->totalLength = copy ? length : 0;
  return copy ? kRTSuccess : kRTFailure;
}

RTSuccess GetPoints(RTInstance self, PathPoint** points, uint32_t* count) {
  PathFollowerState* state = StateOf(self);
  if (!state || !points || !count) return kRTFailure;
  *points = state->points;
  *count = state->count;
  return kRTSuccess;
}

RTSuccess GetIsCyclic(RTInstance self, RTBool* cyclic) {
  PathFollowerState* state = StateOf(self);
  if (!state || !cyclic) return kRTFailure;
  *cyclic = state->cyclic;
  return kRTSuccess;
}

RTSuccess GetTotalPathLength(RTInstance self, float* length) {
  PathFollowerState* state = StateOf(self);
  if (!state || !length) return kRTFailure;
  *length = state->totalLength;
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetPointCount", GetPointCount, slot::kGetPointCount, u"RTSuccess", u"float out opnPoints"),
    Method(u"SetPoints", SetPoints, slot::kSetPoints, u"RTSuccess", u"RTFVector3D in apPoints, uint anPoints"),
    Method(u"GetPoints", GetPoints, slot::kGetPoints, u"RTSuccess", u"RTFVector3D* out oppPoints, uint out opnPoints"),
    Method(u"GetIsCyclic", GetIsCyclic, slot::kGetIsCyclic, u"RTSuccess", u"RTBool out opbIsCyclic"),
    Method(u"GetTotalPathLength", GetTotalPathLength, slot::kGetTotalPathLength, u"RTSuccess",
           u"float out opTotalPathLength"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTSteerPathway",
    .description = u"A route of points with widths",
    .objectSize = kStateWord + 4,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kLevel + 4,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

KIVO_COMPONENT(gDefinition)
