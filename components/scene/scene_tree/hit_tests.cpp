// Ray and sphere hit tests: the scene tree picks the room (the one given, or the one under the
// start), leaves out rooms that take no part in hit tests (out of lookups or disabled), runs the
// rooms' own tests and chooses whose answer stands. The ray prefers any hit in the room itself over
// its neighbours; the sphere takes the nearest of the room and its neighbours, ties going to the
// room and then to the earlier neighbour. Only the sphere tests get the hit-test filter.
//
// Hit word B carries a reference: every answer the tree drops has its reference given back, so only
// the answer returned holds one.
#include <limits>

#include "kivo/scene/room_calls.h"
#include "scene_tree_methods.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr float kNoHit = std::numeric_limits<float>::max();

bool TakesPart(RTInstance room) {
  uint32_t flags = 0;
  room::GetFlags(room, &flags);
  return !(flags & (room::kOutOfQuadTree | room::kDisabled));
}

void Drop(RTInstance hit) {
  if (hit) Core().ReleaseInstance(nullptr, hit);
}

// The room a test runs in: the one given, or the one under the point with a reference that the
// destructor gives back.
class TestedRoom {
 public:
  TestedRoom(RTInstance self, RTInstance given, const RTFVector3D& point) : room_(given) {
    if (!room_ && method::GetRoomByPoint(self, &point, &room_)) looked_up_ = true;
  }
  TestedRoom(const TestedRoom&) = delete;
  TestedRoom& operator=(const TestedRoom&) = delete;
  ~TestedRoom() {
    if (looked_up_) Drop(room_);
  }
  // The room when it is one and takes part in hit tests, else null.
  RTInstance Get(const SceneTreeState& tree) const {
    return room_ && Core().IsKindOf(nullptr, room_, tree.classes.room) && TakesPart(room_) ? room_ : nullptr;
  }

 private:
  RTInstance room_ = nullptr;
  bool looked_up_ = false;
};

// The neighbours of a room that take part in hit tests, in list order.
template <class Visit>
void ForEachNeighbour(RTInstance room, Visit&& visit) {
  List* neighbours = nullptr;
  if (!room::GetNeighbourRooms(room, &neighbours)) return;
  for (RTInstance neighbour : ListItems<RTInstanceRecord>(neighbours))
    if (TakesPart(neighbour)) visit(neighbour);
}

// What one room answered.
struct Answer {
  float distance = kNoHit;
  RTFVector3D point{};
  RTFVector3D normal{};
  uint32_t wordA = 0;
  RTInstance wordB = nullptr;
};

// The caller's outputs (the ray has no normal).
struct Outputs {
  float* distance;
  RTFVector3D* point;
  RTFVector3D* normal;
  uint32_t* wordA;
  RTInstance* wordB;
};

// Takes a neighbour's answer when it lies strictly nearer than the one `out` holds (`holding`: out
// holds an answer), giving back the word B of whichever answer loses. True when it was taken.
bool TakeNearer(const Answer& local, const Outputs& out, bool holding) {
  if (!(local.distance < *out.distance)) {
    Drop(local.wordB);
    return false;
  }
  if (holding) Drop(*out.wordB);
  *out.distance = local.distance;
  *out.point = local.point;
  if (out.normal) *out.normal = local.normal;
  *out.wordA = local.wordA;
  *out.wordB = local.wordB;
  return true;
}

}  // namespace

namespace method {

RTSuccess RayHitTest(RTInstance self, RTInstance given, const RTFVector3D* origin, const RTFVector3D* direction,
                     float* distance, RTFVector3D* point, uint32_t* wordA, RTInstance* wordB) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !origin || !direction || !distance || !point || !wordA || !wordB) return kRTFailure;
  *distance = kNoHit;
  const TestedRoom tested(self, given, *origin);
  RTInstance room = tested.Get(*tree);
  if (!room) return kRTFailure;
  if (room::RayHitTest(room, origin, direction, distance, point, wordA, wordB)) return kRTSuccess;
  const Outputs out{distance, point, nullptr, wordA, wordB};
  bool hit = false;
  ForEachNeighbour(room, [&](RTInstance neighbour) {
    Answer local;
    if (room::RayHitTest(neighbour, origin, direction, &local.distance, &local.point, &local.wordA, &local.wordB))
      hit = TakeNearer(local, out, hit) || hit;
  });
  return hit ? kRTSuccess : kRTFailure;
}

RTSuccess SphereHitTest(RTInstance self, RTInstance given, const RTFVector3D* start, const RTFVector3D* movement,
                        float radius, float* distance, RTFVector3D* point, RTFVector3D* normal, uint32_t* wordA,
                        RTInstance* wordB) {
  SceneTreeState* tree = StateOf(self);
  if (!tree || !start || !movement || !distance || !point || !normal || !wordA || !wordB) return kRTFailure;
  *distance = kNoHit;
  const TestedRoom tested(self, given, *start);
  RTInstance room = tested.Get(*tree);
  if (!room) return kRTFailure;
  room::SetHitTestFilter(room, tree->hitTestFilter);
  const Outputs out{distance, point, normal, wordA, wordB};
  bool hit = room::SphereHitTest(room, start, movement, radius, distance, point, normal, wordA, wordB);
  ForEachNeighbour(room, [&](RTInstance neighbour) {
    Answer local;
    room::SetHitTestFilter(neighbour, tree->hitTestFilter);
    if (room::SphereHitTest(neighbour, start, movement, radius, &local.distance, &local.point, &local.normal,
                            &local.wordA, &local.wordB))
      hit = TakeNearer(local, out, hit) || hit;
  });
  return hit ? kRTSuccess : kRTFailure;
}

}  // namespace method

}  // namespace tesk::scene_tree
