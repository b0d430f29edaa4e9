#include "contacts.h"

#include <cmath>

#include "actor_frame.h"
#include "actor_vectors.h"
#include "game_link.h"
#include "ground_sweep.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/vector.h"
#include "signals.h"
#include "steering.h"
#include "tesk/scene/scene_tree_calls.h"
#include "varno/scripting_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;
namespace scripting = varno::scripting;
using kivo::actor::kContactActors;
using kivo::actor::kContactScene;
using kivo::actor::kContactSceneSphere;
using kivo::actor::kContactVehicleSegment;
using kivo::actor::kMaxContacts;

using kivo::actor::kOnFoot;
constexpr float kWallStandOff = 0.02f;
constexpr float kImmovable = 2.9387e-39f;  // the obstacle's inverse mass
constexpr uint32_t kNoActorContacts = 0x80;
constexpr char16_t kAtBed[] = u"bIsAtBed";

bool OnFoot(const RTTeskActorWrapper& w) { return w.VehicleMode == kOnFoot; }

bool Record(RTTeskActorWrapper& w, const ActorContact& contact) {
  if (w.ContactCount >= kMaxContacts) return false;
  w.Contacts[w.ContactCount++] = contact;
  return true;
}

void Release(void* node) {
  if (node) ModuleCore()->ReleaseInstance(nullptr, static_cast<RTInstance>(node));
}

// The script says the actor lies at a bed.
bool AtBed(const ActorControllerData& actor, const RTTeskActorWrapper& w) {
  varno::RTVarnoConstantValue value{};
  return actor.script && actor.vm &&
         scripting::SymbolReadAttribute(actor.script, static_cast<scripting::VM>(actor.vm),
                                        static_cast<scripting::Symbol>(w.ScriptObject), kAtBed,
                                        scripting::kWholeAttribute, varno::kTypeBool, &value) &&
         value.value.word != 0;
}

void PushVelocity(RTTeskActorWrapper& w, float impulse, const RTFVector3D& normal) {
  w.Velocity.x += impulse * normal.x * w.InverseMass;
  w.Velocity.z += impulse * normal.z * w.InverseMass;
  w.Velocity.y = 0.0f;
}

void MovePosition(RTTeskActorWrapper& w, const RTFVector3D& by, bool planar) {
  RTFVector3D position = PositionOf(w);
  position.x += by.x;
  position.y = planar ? 0.0f : position.y + by.y;
  position.z += by.z;
  SetRow(&w.Frame, kPositionRow, position);
}

// An actor on foot inside another steps back out along the line between their centres, to the sum
// of their radii.
void StepOutOf(RTTeskActorWrapper& w, const RTTeskActorWrapper& other) {
  const RTFVector3D own = PositionOf(w);
  const RTFVector3D theirs = PositionOf(other);
  const RTFVector3D away{own.x - theirs.x, 0.0f, own.z - theirs.z, 0.0f};
  const float apart = Vec3Length(away);
  const float depth = w.Radius + other.Radius - apart;
  if (apart > 0.0f && depth > 0.0f) MovePosition(w, Vec3Scale(away, depth / apart), true);
}

void AnswerActor(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w,
                 const ActorContact& contact) {
  auto& other = *static_cast<RTTeskActorWrapper*>(contact.party);
  // The velocity as the answers before this one left it (a bounce off an obstacle may have turned it
  // since the test), against the other's. Predicted positions that coincide give no normal, and no
  // impulse can be had from it: the entry is skipped.
  const RTFVector3D relative = Vec3Subtract(w.Velocity, MotionOf(other));
  float j = 0.0f;
  if (AtBed(actor, other) || !ElasticImpulse(relative, contact.normal, w.InverseMass + other.InverseMass, &j)) return;
  if (OnFoot(w)) {
    StepOutOf(w, other);
    if (j >= 0.0f) return;  // not closing in
    PushVelocity(w, j, contact.normal);
    if (other.Moving) return;
    other.Velocity.x -= j * contact.normal.x * other.InverseMass;
    other.Velocity.y -= j * contact.normal.y * other.InverseMass;
    other.Velocity.z -= j * contact.normal.z * other.InverseMass;
  } else if (other.Moving) {
    return;
  }
  Signal(self, &other, &w, kSignalMakeWay, nullptr);
}

void AnswerSegment(RTInstance self, RTTeskActorWrapper& w, const ActorContact& contact) {
  auto& other = *static_cast<RTTeskActorWrapper*>(contact.party);
  const float penetration = (w.Radius + other.Radius) - std::sqrt(contact.squaredDistance);
  MovePosition(w,
               RTFVector3D{contact.normal.x * penetration, contact.normal.y * penetration,
                           contact.normal.z * penetration, 0.0f},
               false);
  if (!w.Moving) Signal(self, &w, &other, kSignalMakeWay, nullptr);
}

void AnswerWall(RTTeskActorWrapper& w, const ActorContact& contact) {
  if (OnFoot(w)) {
    MovePosition(w, RTFVector3D{contact.normal.x * kWallStandOff, 0.0f, contact.normal.z * kWallStandOff, 0.0f}, true);
    w.Velocity = RTFVector3D{};
    w.Speed = 0.0f;
    w.Moving = 0;
  }
  Release(contact.party);
}

void AnswerObstacle(RTTeskActorWrapper& w, const ActorContact& contact) {
  if (OnFoot(w)) {
    float j = 0.0f;
    if (ElasticImpulse(contact.relativeVelocity, contact.normal, w.InverseMass + kImmovable, &j))
      PushVelocity(w, j, contact.normal);
    const float standOff = w.PaddedRadius - w.Radius;
    MovePosition(w, RTFVector3D{contact.normal.x * standOff, 0.0f, contact.normal.z * standOff, 0.0f}, true);
  }
  Release(contact.party);
}

// The segment of an actor not on foot.
void SegmentOf(const RTTeskActorWrapper& w, RTFVector3D* start, RTFVector3D* end) {
  *start = PositionOf(w);
  const RTFVector3D forward = Row(w.Frame, kForwardRow);
  const float length = VehicleSegmentLength(w.VehicleMode);
  *end = RTFVector3D{start->x + forward.x * length, start->y + forward.y * length, start->z + forward.z * length,
                     start->w};
}

// The centre p against the segment of the actor not on foot.
void TestSegment(RTTeskActorWrapper& w, RTTeskActorWrapper& other, const RTFVector3D& p,
                 const RTTeskActorWrapper& segmentOwner) {
  const float reach = w.Radius + other.Radius;
  const float length = std::fabs(VehicleSegmentLength(segmentOwner.VehicleMode));
  if (ApartBeyond(PositionOf(w), PositionOf(other),
                  reach + length * Vec3SumOfMagnitudes(Row(segmentOwner.Frame, kForwardRow))))
    return;
  RTFVector3D start{}, end{}, closest{};
  SegmentOf(segmentOwner, &start, &end);
  const float d2 = ClosestPointOnSegment(p, start, end, &closest);
  if (!(d2 < reach * reach)) return;
  RTFVector3D normal = Vec3Subtract(p, closest);
  Vec3Normalize(&normal);
  Record(w, ActorContact{&other, OnFoot(other) ? kContactActors : kContactVehicleSegment, d2, normal, {}});
}

// The actor's own part of the swept tests, the same against every other actor: its position, its
// movement over the step and its side of the quick test.
struct OwnSweep {
  RTFVector3D position;
  RTFVector3D movement;
  FirstSphere sphere;
};

OwnSweep OwnSweepOf(const RTTeskActorWrapper& w, float dt) {
  const RTFVector3D position = PositionOf(w);
  const RTFVector3D movement{w.Velocity.x * dt, 0.0f, w.Velocity.z * dt, 0.0f};
  return OwnSweep{position, movement, FirstSphereOf(w.Radius, position, movement)};
}

void TestSwept(RTTeskActorWrapper& w, const OwnSweep& own, RTTeskActorWrapper& other, float dt) {
  const RTFVector3D theirs = PositionOf(other);
  const RTFVector3D motion = MotionOf(other);
  const RTFVector3D b{motion.x * dt, 0.0f, motion.z * dt, 0.0f};
  if (SpheresCannotMeet(own.sphere, other.Radius, theirs, b, 1.0f)) return;
  const RTFVector3D relative = Vec3Subtract(w.Velocity, motion);
  float travel = 0.0f;
  RTFVector3D centre{};
  if (!SweptSphereTest(w.Radius, own.position, own.movement, other.Radius, theirs, b, 1.0f, &travel, &centre)) {
    // Actors found inside one another (placed so, or pressed in by another answer) touch however they
    // move, along the line between their centres.
    const RTFVector3D between{theirs.x - own.position.x, 0.0f, theirs.z - own.position.z, 0.0f};
    const float apart = Vec3Length(between);
    if (apart > 0.0f && apart < w.Radius + other.Radius)
      Record(w, ActorContact{&other, kContactActors, 0.0f, Vec3Scale(between, 1.0f / apart), relative});
    return;
  }
  RTFVector3D direction = relative;
  Vec3Normalize(&direction);
  const RTFVector3D heading = Row(other.Frame, kForwardRow);
  const float ahead = other.Speed * travel;
  RTFVector3D normal{theirs.x + heading.x * ahead - (own.position.x + direction.x * travel), 0.0f,
                     theirs.z + heading.z * ahead - (own.position.z + direction.z * travel), 0.0f};
  Vec3Normalize(&normal);
  Record(w, ActorContact{&other, kContactActors, 0.0f, normal, relative});
}

bool InRoomWithoutActorContacts(const RTTeskActorWrapper& w) {
  InstanceRef room;
  uint32_t flags = 0;
  return tesk_scene_node::GetNodeRoom(w.RootNode, room.out()) && room.get() && room::GetFlags(room.get(), &flags) &&
         (flags & kNoActorContacts);
}

}  // namespace

float VehicleSegmentLength(uint32_t mode) {
  switch (mode) {
    case 3:
      return -2.4f;
    case 5:
      return 0.7f;
    default:
      return 0.0f;
  }
}

RTSuccess ResolveContacts(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  w.ContactCount = 0;
  ProbeSceneContact(actor, w, dt);
  CheckActorContacts(w, dt);
  if (w.ContactCount == 0) return kRTFailure;
  for (uint32_t i = 0; i < w.ContactCount; ++i) {
    const ActorContact& contact = w.Contacts[i];
    switch (contact.type) {
      case kContactActors:
        AnswerActor(self, actor, w, contact);
        break;
      case kContactVehicleSegment:
        AnswerSegment(self, w, contact);
        break;
      case kContactScene:
        AnswerWall(w, contact);
        break;
      case kContactSceneSphere:
        AnswerObstacle(w, contact);
        break;
    }
  }
  return kRTSuccess;
}

RTSuccess ProbeSceneContact(const ActorControllerData& actor, RTTeskActorWrapper& w, float dt) {
  RTFVector3D future{};
  ComputeFuturePosition(w, dt, &future);
  const InstanceRef tree = SceneTreeOf(actor);
  if (!tree.get()) return kRTFailure;
  const RTFVector3D position = PositionOf(w);
  InstanceRef room;
  if (!scene_tree::GetRoomByPoint(tree.get(), &position, room.out())) return kRTFailure;
  RTInstance hitNode = nullptr;
  const GroundSweep s = SweepActorSphere(tree.get(), room.get(), w, position, future, &hitNode);
  // The rooms report the first touch anywhere along the movement's line: only one within this
  // step's movement is a contact.
  const ActorContact contact{hitNode, s.wordA == kivo::room::kHitObstacle ? kContactSceneSphere : kContactScene, 0.0f,
                             s.normal, w.Velocity};
  if (s.hit && s.distance < 1.0f && Record(w, contact)) return kRTSuccess;
  if (s.hit) Release(hitNode);
  return kRTFailure;
}

RTSuccess CheckActorContacts(RTTeskActorWrapper& w, float dt) {
  if (InRoomWithoutActorContacts(w) || !w.NeighbourQueryList) return kRTSuccess;
  const OwnSweep own = OwnSweepOf(w, dt);
  for (RTTeskActorWrapper* other : ListItems<RTTeskActorWrapper>(w.NeighbourQueryList)) {
    if (other == &w || !other->Visible) continue;
    if (OnFoot(w) && !OnFoot(*other))
      TestSegment(w, *other, PositionOf(w), *other);
    else if (!OnFoot(w) && OnFoot(*other))
      TestSegment(w, *other, PositionOf(*other), w);
    else
      TestSwept(w, own, *other, dt);
  }
  return kRTSuccess;
}

}  // namespace tesk::actor
