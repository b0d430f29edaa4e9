// The room's hit tests: a ray or a moving circle against its walls (the footprint edges marked as
// walls) and its obstacles (the listed scene nodes that carry an obstacle box), in the x-z plane.
// The segments are tried walls first, in edge order, then the obstacles in list order, each box's
// edges from its (min.x, min.z) corner round; the nearest hit wins, and of equal ones the first. A
// moving circle whose centre starts inside an obstacle's box passes out of that box.
#include "room_hit_tests.h"

#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/held_children.h"
#include "kivo/support/list.h"
#include "kivo/support/matrix.h"
#include "planar_hits.h"
#include "room_state.h"

namespace room {

namespace {

using namespace kivo;
namespace slot = kivo::room;

RTFVector2D Ground(const RTFVector3D& v) { return {v.x, v.z}; }

// The two scene node classes are told by their handles, allocating nothing; others through their
// parents.
bool IsSceneNode(const RoomState& room, RTInstance node) {
  CoreTable* core = ModuleCore();
  return core->IsInstanceOf(nullptr, node, room.teskSceneNodeClass) ||
         core->IsInstanceOf(nullptr, node, room.sceneNodeClass) || core->IsKindOf(nullptr, node, room.sceneNodeClass);
}

// Takes the entry's obstacle box placed by its node's world matrix again (none for an instance that
// is no scene node, or a node without a box).
void Place(PlacedObstacle& entry) {
  entry.has = false;
  if (!entry.serial) return;
  entry.seen = *entry.serial;
  RTBool has = 0;
  RTFVector3D min{};
  RTFVector3D max{};
  const RTFMatrix4x4* world = nullptr;
  if (!scene_node::GetObstacleBox(entry.node, &has, &min, &max) || !has ||
      !scene_node::GetWorldMatrix(entry.node, &world))
    return;
  const RTFVector3D box[4] = {{min.x, 0, min.z, 0}, {max.x, 0, min.z, 0}, {max.x, 0, max.z, 0}, {min.x, 0, max.z, 0}};
  for (int i = 0; i < 4; ++i) {
    RTFVector3D placed;
    Mat4TransformPoint(*world, box[i], &placed);
    entry.corners[i] = Ground(placed);
  }
  entry.has = true;
}

// A new entry for a listed node.
PlacedObstacle NewEntry(const RoomState& room, RTInstance node) {
  PlacedObstacle entry;
  entry.node = node;
  if (IsSceneNode(room, node)) scene_node::GetObstacleSerial(node, &entry.serial);
  Place(entry);
  return entry;
}

// Brings the placed boxes up to the node list: the entries of nodes listed since are added, and an
// entry whose node's box or placement changed is placed again. Entries are dropped whenever a node
// leaves the list, so those kept are the list's head in order.
void UpdatePlaced(RoomState& room) {
  std::vector<PlacedObstacle>& placed = room.placed;
  size_t i = 0;
  for (RTInstance node : ListItems<RTInstanceRecord>(room.nodes.list)) {
    if (i < placed.size() && placed[i].node != node) placed.resize(i);
    if (i == placed.size())
      placed.push_back(NewEntry(room, node));
    else if (placed[i].serial && *placed[i].serial != placed[i].seen)
      Place(placed[i]);
    ++i;
  }
  placed.resize(i);
}

// Whether the point lies strictly inside the box of the four corners (in order round it).
bool Inside(const RTFVector2D corners[4], const RTFVector2D& point) {
  bool left = false, right = false;
  for (int i = 0; i < 4; ++i) {
    const RTFVector2D& a = corners[i];
    const RTFVector2D& b = corners[(i + 1) % 4];
    const double side = double(b.x - a.x) * (point.y - a.y) - double(b.y - a.y) * (point.x - a.x);
    left = left || side >= 0;
    right = right || side <= 0;
  }
  return left != right;
}

// Hands each segment to visit(a, b, node): the walls with a null node, then the edges of every
// obstacle other than `leftOut` and the nodes below it, and other than those whose box holds
// `freed` (when given).
template <class Visit>
void ForEachSegment(RTInstance self, RoomState& room, const char16_t* method, RTInstance leftOut,
                    const RTFVector2D* freed, Visit visit) {
  const std::vector<RTFVector2D>& outline = room.outline;
  for (size_t i = 0; i < outline.size(); ++i)
    if (room.walls[i]) visit(outline[i], outline[(i + 1) % outline.size()], nullptr);
  Resolve(self, room.nodes, method);
  UpdatePlaced(room);
  for (const PlacedObstacle& obstacle : room.placed) {
    const RTInstance node = obstacle.node;
    if (!obstacle.has || (leftOut && (node == leftOut || IsBelow(node, leftOut))) ||
        (freed && Inside(obstacle.corners, *freed)))
      continue;
    for (int i = 0; i < 4; ++i) visit(obstacle.corners[i], obstacle.corners[(i + 1) % 4], node);
  }
}

// The hit words of a hit on the node (null: a wall); word B carries a reference for the caller.
void AnswerWords(RTInstance node, uint32_t* wordA, RTInstance* wordB) {
  *wordA = node ? slot::kHitObstacle : slot::kHitWall;
  *wordB = node;
  if (node) ModuleCore()->ResolveHandle(nullptr, node);
}

}  // namespace

RTSuccess RayHitTest(RTInstance self, const RTFVector3D* origin, const RTFVector3D* direction, float* distance,
                     RTFVector3D* point, uint32_t* wordA, RTInstance* wordB) {
  RoomState* room = StateOf(self);
  if (!room || !origin || !direction || !distance || !point || !wordA || !wordB) return kRTFailure;
  float nearest = *distance;
  bool hit = false;
  RTInstance hitNode = nullptr;
  ForEachSegment(self, *room, u"RayHitTest", nullptr, nullptr, [&](const RTFVector2D& a, const RTFVector2D& b, RTInstance node) {
    if (!RayHitsSegment(Ground(*origin), Ground(*direction), a, b, nearest, &nearest)) return;
    hit = true;
    hitNode = node;
  });
  if (!hit) return kRTFailure;
  *distance = nearest;
  point->x = origin->x + nearest * direction->x;
  point->y = origin->y + nearest * direction->y;
  point->z = origin->z + nearest * direction->z;
  AnswerWords(hitNode, wordA, wordB);
  return kRTSuccess;
}

RTSuccess SphereHitTest(RTInstance self, const RTFVector3D* start, const RTFVector3D* movement, float radius,
                        float* distance, RTFVector3D* point, RTFVector3D* normal, uint32_t* wordA, RTInstance* wordB) {
  RoomState* room = StateOf(self);
  if (!room || !start || !movement || !distance || !point || !normal || !wordA || !wordB) return kRTFailure;
  CircleContact nearest{*distance, {}, {}};
  bool hit = false;
  RTInstance hitNode = nullptr;
  // A circle whose centre stands inside an obstacle's box (placed there) is not held in by it.
  const RTFVector2D centre = Ground(*start);
  ForEachSegment(self, *room, u"SphereHitTest", room->hitFilter, &centre,
                 [&](const RTFVector2D& a, const RTFVector2D& b, RTInstance node) {
                   if (!CircleHitsSegment(Ground(*start), Ground(*movement), radius, a, b, nearest.t, &nearest)) return;
                   hit = true;
                   hitNode = node;
                 });
  if (!hit) return kRTFailure;
  *distance = nearest.t;
  point->x = nearest.point.x;
  point->y = start->y + nearest.t * movement->y;
  point->z = nearest.point.y;
  normal->x = nearest.normal.x;
  normal->y = 0;
  normal->z = nearest.normal.y;
  AnswerWords(hitNode, wordA, wordB);
  return kRTSuccess;
}

RTSuccess SetHitTestFilter(RTInstance self, RTInstance filter) {
  RoomState* room = StateOf(self);
  if (!room) return kRTFailure;
  if (filter && (!IsSceneNode(*room, filter) || !ModuleCore()->ResolveHandle(nullptr, filter)))
    return kRTFailure;
  if (room->hitFilter) ModuleCore()->ReleaseInstance(nullptr, room->hitFilter);
  room->hitFilter = filter;
  room->hitFilterBelowRoom = IsBelow(filter, self);
  return kRTSuccess;
}

}  // namespace room
