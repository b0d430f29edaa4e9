#include "path_planning.h"

#include <algorithm>
#include <cstring>

#include "actor_frame.h"
#include "actor_vectors.h"
#include "game_link.h"
#include "ground_sweep.h"
#include "kivo/actor/vehicle_record.h"
#include "kivo/navigation/navigation_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/core_memory.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/raise.h"
#include "kivo/support/vector.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kDirectWidth = 0.25f;
using kivo::actor::kOnFoot;
constexpr int32_t kOwnKind = -1;
constexpr int32_t kNoZone = -1;
constexpr int32_t kZoneKinds[] = {2, 6, 7};

// The rooms and groups a plan runs between; the rooms are held until the plan ends.
struct PlanRooms {
  InstanceRef container;
  InstanceRef goal;
  int32_t startGroup = route_planner::kAllGroups;
  int32_t goalGroup = route_planner::kAllGroups;
  int32_t defaultKind = 0;
};

PathPoint PointOf(const RTFVector3D& v, float width) { return PathPoint{v.x, v.y, v.z, v.w, width}; }

// The path's nodes replace the old ones (which are freed); the current node starts at 0.
void StorePath(RTTeskActorWrapper& w, PathPoint* points, uint32_t count, float length, const RTFVector3D& goal) {
  CoreFree(w.PathPoints);
  w.PathPoints = points;
  w.PathPointCount = count;
  w.PathNode = 0;
  w.PathSegment = 0;
  w.PathLength = length;
  w.Goal = goal;
  w.MoveAnimation = 0;
}

void DropPath(RTTeskActorWrapper& w) {
  w.PathPointCount = 0;
  CoreFree(w.PathPoints);
  w.PathPoints = nullptr;
}

// Whether nothing stands between the position and the goal: the actor's sphere swept along the
// ground from one to the other meets nothing short of the goal. Only tested when the goal's room
// is the container or reachable from it; otherwise the line counts as blocked.
bool StraightLineClear(RTInstance tree, const PlanRooms& rooms, const RTTeskActorWrapper& w,
                       const RTFVector3D& position, const RTFVector3D& goal) {
  RTBool reachable = rooms.container.get() == rooms.goal.get();
  if (!reachable) room::IsRoomReachable(rooms.container.get(), rooms.goal.get(), &reachable);
  if (!reachable) return false;
  InstanceRef hitNode;
  const GroundSweep s = SweepActorSphere(tree, rooms.container.get(), w, position, goal, hitNode.out());
  if (!s.hit) return true;
  const RTFVector3D reach{s.move.x * s.distance, s.move.y * s.distance, s.move.z * s.distance, 0.0f};
  return Vec3LengthSquared(reach) >= Vec3DistanceSquared(position, goal);
}

// The direct path of two nodes from the position to the goal.
bool StoreDirectPath(RTTeskActorWrapper& w, const RTFVector3D& position, const RTFVector3D& goal) {
  auto* points = static_cast<PathPoint*>(CoreAlloc(2 * sizeof(PathPoint)));
  if (!points) return false;
  points[0] = PointOf(position, kDirectWidth);
  points[1] = PointOf(goal, kDirectWidth);
  StorePath(w, points, 2, Vec3Distance(position, goal), goal);
  return true;
}

// The planner's route as the path: its points (a route of one point gives two nodes, the second
// with the first's width), node 0 at the position and the last at the goal, and its length.
bool StoreRoute(RTTeskActorWrapper& w, RTInstance planner, const RTFVector3D& position, const RTFVector3D& goal) {
  InstanceRef pathway;
  PathPoint* route = nullptr;
  uint32_t n = 0;
  float length = 0.0f;
  if (!route_planner::GetPath(planner, pathway.out()) || !pathway.get() ||
      !path_follower::GetPoints(pathway.get(), &route, &n) || !route || n == 0 ||
      !path_follower::GetTotalPathLength(pathway.get(), &length))
    return false;
  const uint32_t count = std::max(n, 2u);
  auto* points = static_cast<PathPoint*>(CoreAlloc(count * sizeof(PathPoint)));
  if (!points) return false;
  std::memcpy(points, route, n * sizeof(PathPoint));
  if (n == 1) points[1].width = route[0].width;
  points[0] = PointOf(position, points[0].width);
  points[count - 1] = PointOf(goal, points[count - 1].width);
  StorePath(w, points, count, length, goal);
  return true;
}

bool FindRoute(RTInstance planner, const PlanRooms& rooms, const RTFVector3D& position, const RTFVector3D& goal) {
  return route_planner::CanPathAStar(planner, position, rooms.startGroup, goal, rooms.goalGroup) ||
         route_planner::CanPathAStar(planner, position, route_planner::kAllGroups, goal, route_planner::kAllGroups);
}

}  // namespace

int32_t PathfindingKind(int32_t callerKind, uint32_t vehicleMode, int32_t vehicleZone, int32_t roomKind) {
  if (callerKind != kOwnKind) return callerKind;
  switch (vehicleMode) {
    case 3:
    case 5:
      return vehicleZone >= 0 && vehicleZone < 3 ? kZoneKinds[vehicleZone] : roomKind;
    case 7:
      return 3;
    case 1:
      return 5;
    default:
      return roomKind;
  }
}

RTSuccess PlanPath(RTInstance, const ActorControllerData& actor, RTTeskActorWrapper& w, RTFVector3D* goal,
                   int32_t kind) {
  goal->y = 0.0f;
  const RTFMatrix4x4* root = nullptr;
  PlanRooms rooms;
  if (!scene_node::GetLocalMatrix(w.RootNode, &root) ||
      !tesk_scene_node::GetNodeRoom(w.RootNode, rooms.container.out()) || !rooms.container.get()) {
    RaiseFormatted(kLevelError,
                   u"RTTeskActor::PlanPath(): Actor did not have a container room in order to start pathfinding.");
    return kRTFailure;
  }
  const RTFVector3D position = Row(*root, kPositionRow);
  const InstanceRef tree = SceneTreeOf(actor);
  if (!tree.get()) return kRTFailure;
  InstanceRef under;
  if (!scene_tree::GetRoomByPoint(tree.get(), &position, under.out()))
    RaiseFormatted(kLevelError,
                   u"RTTeskActor::PlanPath(): The current actor position of <%.2f, %.2f, %.2f> is not in a valid room.",
                   position.x, position.y, position.z);
  under.Reset();
  room::GetPathfindingGroup(rooms.container.get(), &rooms.startGroup);
  room::GetDefaultPathfindingKind(rooms.container.get(), &rooms.defaultKind);
  if (!scene_tree::GetRoomByPoint(tree.get(), goal, rooms.goal.out())) {
    RaiseFormatted(kLevelError, u"RTTeskActor::PlanPath(): Unable to get room at the goal position <%.2f, %.2f, %.2f>.",
                   goal->x, goal->y, goal->z);
    return kRTFailure;
  }
  room::GetPathfindingGroup(rooms.goal.get(), &rooms.goalGroup);

  if (!w.Moving) {
    w.Velocity = RTFVector3D{};
    w.Steering = RTFVector3D{};
    w.Acceleration = RTFVector3D{};
    w.SmoothedSteering = RTFVector3D{};
  }
  w.MoveStartPosition = position;
  w.MoveStartHeading = Row(*root, kForwardRow);
  w.BrakeAtGoal = 1;
  DropPath(w);
  if (w.VehicleMode != kOnFoot) w.PlanPathOption = 1;

  if (StraightLineClear(tree.get(), rooms, w, position, *goal) && !w.PlanPathOption)
    return StoreDirectPath(w, position, *goal) ? kRTSuccess : kRTFailure;

  InstanceRef planner;
  // A driver's graph follows its vehicle's zone.
  const int32_t zone = w.Vehicle ? static_cast<int32_t>(w.Vehicle->zone) : kNoZone;
  const int32_t chosen = PathfindingKind(kind, w.VehicleMode, zone, rooms.defaultKind);
  if (!actor.game || !game::call::GetPathfindingObject(actor.game, chosen, planner.out()) || !planner.get())
    return kRTFailure;
  if (!FindRoute(planner.get(), rooms, position, *goal)) return kRTFailure;
  return StoreRoute(w, planner.get(), position, *goal) ? kRTSuccess : kRTFailure;
}

RTSuccess ReplanPath(RTInstance self, ScriptObject object, uint32_t, Cell*, Cell* result, VM) {
  RTTeskActorWrapper* w = WrapperOf(self, object);
  if (!w) return kRTFailure;
  RTFVector3D goal = w->Goal;
  const RTSuccess planned = PlanPath(self, *StateOf(self), *w, &goal, kOwnKind);
  if (result) result->value.number = planned ? 1 : 0;
  return kRTSuccess;
}

RTSuccess FindActorNearPoint(RTInstance self, const ActorControllerData& actor, const RTFVector3D& point, float radius,
                             List* found) {
  const InstanceRef tree = SceneTreeOf(actor);
  List* nodes = nullptr;
  if (!tree.get() || !scene_tree::QTQueryRadiusByPoint(tree.get(), &point, radius, &nodes) || !nodes) return kRTFailure;
  for (RTInstance node : ListItems<RTInstanceRecord>(nodes)) {
    void* object = nullptr;
    RTTeskActorWrapper* other =
        tesk_scene_node::GetScriptObject(node, &object) && object ? WrapperOf(self, object) : nullptr;
    const RTFMatrix4x4* world = nullptr;
    if (!other || !scene_node::GetWorldMatrix(node, &world)) continue;
    const float reach = radius + other->Radius;
    if (Vec3DistanceSquared(Row(*world, kPositionRow), point) < reach * reach) return ListAppend(found, other);
  }
  return kRTFailure;
}

}  // namespace tesk::actor
