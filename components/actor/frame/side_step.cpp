#include "side_step.h"

#include "actor_frame.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

namespace {

constexpr float kSideStep = 1.5f;

}  // namespace

RTFVector3D SideStepPoint(const RTTeskActorWrapper& receiver, const RTTeskActorWrapper& sender) {
  const RTFVector3D at = Row(receiver.Frame, kPositionRow);
  const RTFVector3D heading = Row(sender.Frame, kForwardRow);
  RTFVector3D away = kivo::Vec3Subtract(at, Row(sender.Frame, kPositionRow));
  kivo::Vec3Normalize(&away);
  const float along = kivo::Vec3Dot(away, heading);
  RTFVector3D across{away.x - heading.x * along, away.y - heading.y * along, away.z - heading.z * along, 0.0f};
  kivo::Vec3Normalize(&across);
  const float reach = sender.Radius * kSideStep;
  return RTFVector3D{at.x + across.x * reach, at.y + across.y * reach, at.z + across.z * reach, at.w};
}

}  // namespace tesk::actor
