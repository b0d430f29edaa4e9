#include "path_methods.h"

#include "actor_control.h"
#include "actor_frame.h"
#include "actor_random.h"
#include "kivo/navigation/navigation_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "path_geometry.h"
#include "path_planning.h"
#include "steering.h"
#include "tesk/game_slots.h"
#include "varno/scripting_calls.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;
namespace scripting = varno::scripting;

constexpr float kListedWidth = 0.25f;
constexpr float kNearOrigin = 1.0f;
using kivo::actor::kOnFoot;

RTFVector3D RootTranslation(const RTTeskActorWrapper& w) {
  const RTFMatrix4x4* local = nullptr;
  return scene_node::GetLocalMatrix(w.RootNode, &local) ? Row(*local, kPositionRow) : RTFVector3D{};
}

bool NearOrigin(const RTFVector3D& goal) {
  return -kNearOrigin < goal.x && goal.x < kNearOrigin && -kNearOrigin < goal.z && goal.z < kNearOrigin;
}

// The points of a script list as path points, in a new core array; null (reported) when an element
// is not a vector3 or memory runs out.
PathPoint* ReadPointList(const ActorControllerData& actor, scripting::List list, uint32_t count) {
  auto* points = static_cast<PathPoint*>(CoreAlloc(sizeof(PathPoint) * count));
  if (!points) return nullptr;
  for (uint32_t i = 0; i < count; ++i) {
    varno::RTVarnoConstantValue* element = nullptr;
    if (!scripting::ListRetrieveElementN(actor.script, list, i, &element) || !element ||
        element->type != varno::kTypeVector3 || !element->value.vector) {
      RaiseFormatted(kLevelError,
                     u"RTTeskActor::MoveTo(): element %u of the point list is not a vector3; the path is kept", i);
      CoreFree(points);
      return nullptr;
    }
    const RTFVector3D& v = *element->value.vector;
    points[i] = PathPoint{v.x, v.y, v.z, v.w, kListedWidth};
  }
  return points;
}

// The list's points replace the path whole, with its length, so that StartMoving can walk it as
// FinalizePath would; false (the old path kept) when they cannot be read.
bool TakePointList(const ActorControllerData& actor, RTTeskActorWrapper& w, scripting::List list, uint32_t count) {
  PathPoint* points = ReadPointList(actor, list, count);
  if (!points) return false;
  CoreFree(w.PathPoints);
  w.PathPoints = points;
  w.PathPointCount = count;
  w.PathSegment = 0;
  w.PathNode = 0;
  w.PathLength = PathTotalLength(w);
  w.Goal = PathNodeAt(w, count - 1);
  w.MoveAnimation = 0;
  return true;
}

uint32_t ListCount(const ActorControllerData& actor, scripting::List list) {
  uint32_t count = 0;
  if (!list || !actor.script || !scripting::ListGetElementCount(actor.script, list, &count)) return 0;
  return count;
}

// Plans toward the goal, scattered on the ground by the radius in a random direction.
bool PlanTowardGoal(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, const RTFVector3D& goal,
                    float radius, int32_t kind) {
  RTFVector3D target = goal;
  if (radius != 0.0f) {
    RTFVector3D d{};
    RandomDirectionXZ(&d);
    target = RTFVector3D{goal.x + d.x * radius, 0.0f, goal.z + d.z * radius, goal.w};
  }
  return PlanPath(self, actor, w, &target, kind) != 0;
}

}  // namespace

RTSuccess MoveTo(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  RTTeskActorWrapper* w = WrapperOf(self, object);
  const ScriptArguments read(count, arguments);
  const RTFVector3D* goal = read.Vector(0);
  if (!w || !goal || !result) return kRTFailure;
  const ActorControllerData& actor = *StateOf(self);
  result->value.number = 0;
  if (NearOrigin(*goal)) {
    const RTFVector3D at = RootTranslation(*w);
    RaiseFormatted(kLevelError,
                   u"RTTeskActor::PlanPath(): The goal position doesn't seem right?  goal = <%.2f, %.2f, %.2f>, "
                   u"position = <%.2f, %.2f, %.2f>",
                   goal->x, goal->y, goal->z, at.x, at.y, at.z);
    return kRTFailure;
  }
  w->MoveReverse = read.Integer(1).value_or(0) != 0;
  w->PlanPathOption = static_cast<uint32_t>(read.Integer(3).value_or(0));
  const uint32_t points = ListCount(actor, read.List(4));
  const bool made = points > 0 ? TakePointList(actor, *w, read.List(4), points)
                               : PlanTowardGoal(self, actor, *w, *goal, read.Real(2).value_or(0.0f),
                                                read.Integer(5).value_or(-1));
  if (made) {
    result->value.number = 1;
    w->LookAtClosestPending = 0;
    w->CanMove = 1;
  }
  return kRTSuccess;
}

RTSuccess FinalizePath(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  RTTeskActorWrapper* w = WrapperOf(self, object);
  if (!w) return kRTFailure;
  ActorControllerData& actor = *StateOf(self);
  w->PathLength = PathTotalLength(*w);
  if (w->PathPoints && w->PathPointCount > 0) {
    // A path of one node has no second node to turn to; the walking step then stops the actor.
    if (HasPathSegment(*w) && w->VehicleMode == kOnFoot) {
      const RTFVector3D second = PathNodeAt(*w, 1);
      if (!w->Moving) {
        LookAtPointC(self, w, &second);
      } else if (!IsWithinSteeringCone(*w, w->SteeringConstraint, second)) {
        LookAtPointC(self, w, &second);
        StopMovingC(self, w);
      }
    }
    w->Moving = 1;
  }
  if (actor.game) game::call::GetGameTimeC(actor.game, &w->MoveStartTime);
  return kRTSuccess;
}

RTSuccess StartMoving(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return OnWrapper(self, object, [](RTTeskActorWrapper& w) {
    if (w.PathPointCount == 0) return;
    w.Moving = 1;
    w.MoveAnimation = 1;
  });
}

RTSuccess StopMoving(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return StopMovingC(self, WrapperOf(self, object));
}

RTSuccess Moving(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    if (result) result->value.number = static_cast<int32_t>(w.Moving);
  });
}

RTSuccess GetNumPathNodes(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    if (result) result->value.number = static_cast<int32_t>(w.PathPointCount);
  });
}

RTSuccess GetPathNodeN(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const std::optional<int32_t> index = ScriptArguments(count, arguments).Integer(0);
  return OnWrapper(self, object, [&](RTTeskActorWrapper& w) {
    const bool inside = index && *index >= 0 && static_cast<uint32_t>(*index) < w.PathPointCount && w.PathPoints;
    WriteVectorResult(result, inside ? PathNodeAt(w, static_cast<uint32_t>(*index)) : RTFVector3D{});
  });
}

RTSuccess CloserToGoalThanProp(RTInstance self, ScriptObject object, uint32_t count, Cell* arguments, Cell* result, VM) {
  const ScriptArguments read(count, arguments);
  const std::optional<int32_t> handle = read.Integer(0);
  const RTFVector3D* point = read.Vector(1);
  const RTFVector3D* goal = read.Vector(2);
  if (!WrapperOf(self, object) || !handle || !point || !goal || !result) return kRTFailure;
  const ActorControllerData& actor = *StateOf(self);
  InstanceRef prop;
  const RTFMatrix4x4* local = nullptr;
  if (!actor.game || !game::call::ResolveSceneHandle(actor.game, static_cast<uint32_t>(*handle), prop.out()) ||
      !prop.get() || !scene_node::GetLocalMatrix(prop.get(), &local)) {
    RaiseFormatted(kLevelError, u"RTTeskActor::CloserToGoalThanProp(): no scene node has the handle %u",
                   static_cast<uint32_t>(*handle));
    return kRTFailure;
  }
  result->value.number = Vec3Distance(*goal, *point) < Vec3Distance(*goal, Row(*local, kPositionRow)) ? 1 : 0;
  return kRTSuccess;
}

RTSuccess NoEffect(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell*, VM) {
  return WrapperOf(self, object) ? kRTSuccess : kRTFailure;
}

}  // namespace tesk::actor
