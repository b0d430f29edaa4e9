#include "hit_test_methods.h"

#include "actor_state.h"
#include "actor_vectors.h"
#include "game_link.h"
#include "kivo/support/geometry.h"
#include "kivo/support/raise.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kApart = 99.0f;
constexpr float kNoContact = -1.0f;

RTFVector3D Ground(const RTFVector3D& v) { return RTFVector3D{v.x, v.z, 0.0f, 0.0f}; }

bool WithinStep(float t) { return t >= 0.0f && t <= 1.0f; }

}  // namespace

RTSuccess FindIntersection(RTInstance, ScriptObject, uint32_t count, Cell* arguments, Cell* result, VM) {
  const ScriptArguments read(count, arguments);
  const RTFVector3D *a = read.Vector(0), *b = read.Vector(1), *c = read.Vector(2), *d = read.Vector(3);
  if (!a || !b || !c || !d || !result || !result->value.vector) return kRTFailure;
  RTFVector3D first{};
  RTFVector3D second{};
  const bool meet = IntersectSegments2D(Ground(*a), Ground(*b), Ground(*c), Ground(*d), &first, &second) != 0;
  *result->value.vector = meet ? RTFVector3D{first.x, 0.0f, first.y, 0.0f} : RTFVector3D{kApart, kApart, kApart, 0.0f};
  return kRTSuccess;
}

RTSuccess CheckRayHitTest(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const ScriptArguments read(count, arguments);
  const RTFVector3D* direction = read.Vector(0);
  const RTFVector3D* origin = read.Vector(1);
  if (!WrapperOf(self, object)) {
    RaiseFormatted(kLevelError, u"RTTeskActor::CheckRayHitTest(): Unable to retrieve actor wrapper.");
    return kRTFailure;
  }
  if (!direction || !origin || !result) return kRTFailure;
  const InstanceRef tree = SceneTreeOf(*StateOf(self));
  if (!tree.get()) {
    RaiseFormatted(kLevelError, u"RTTeskActor::CheckRayHitTest(): Unable to get the scene tree from TeskGame.");
    return kRTFailure;
  }
  InstanceRef room;
  if (!scene_tree::GetRoomByPoint(tree.get(), origin, room.out())) {
    RaiseFormatted(kLevelError, u"RTTeskActor::CheckRayHitTest(): Unable to get the room at point <%.2f, %.2f, %.2f>.",
                   origin->x, origin->y, origin->z);
    return kRTFailure;
  }
  float distance = 0.0f;
  RTFVector3D point{};
  uint32_t wordA = 0;
  InstanceRef hitNode;
  const bool hit =
      scene_tree::RayHitTest(tree.get(), room.get(), origin, direction, &distance, &point, &wordA, hitNode.out());
  result->value.real = hit ? distance : kNoContact;
  return hit ? kRTSuccess : kRTFailure;
}

RTSuccess CheckCapsuleIntersection(RTInstance, ScriptObject, uint32_t count, Cell* arguments, Cell* result, VM) {
  const ScriptArguments read(count, arguments);
  const RTFVector3D *a = read.Vector(0), *b = read.Vector(1), *c = read.Vector(3), *d = read.Vector(4);
  const std::optional<float> r1 = read.Real(2), r2 = read.Real(5);
  if (!a || !b || !c || !d || !r1 || !r2 || !result) return kRTFailure;
  const RTFVector3D motion{b->x - (d->x - c->x), b->y - (d->y - c->y), b->z - (d->z - c->z), 0.0f};
  float t1 = 0.0f;
  float t2 = 0.0f;
  float contact = kNoContact;
  switch (IntersectRaySphere(*r1 + *r2, *c, *a, motion, &t1, &t2)) {
    case 2:
      if (WithinStep(t2))
        contact = t2;
      else if (WithinStep(t1))
        contact = t1;
      break;
    case 1:
      if (WithinStep(t1)) contact = t1;
      break;
    default:
      break;
  }
  result->value.real = contact;
  return kRTSuccess;
}

RTSuccess SetWedgeData(RTInstance, ScriptObject, uint32_t, Cell*, Cell*, VM) { return kRTSuccess; }

}  // namespace tesk::actor
