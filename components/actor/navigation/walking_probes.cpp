#include "walking_probes.h"

#include "avoidance.h"
#include "kivo/support/random.h"
#include "path_clip.h"
#include "walking_step.h"

namespace tesk::actor {

namespace {

constexpr double kObstacleDraw = 0.1;  // the obstacle probe runs on draws above
constexpr double kActorDraw = 0.2;     // the actor probe runs on draws above
constexpr float kObstacleLookAhead = 0.2f;
constexpr float kActorRange = 6.0f;
constexpr float kProbeGain = 5.0f;

void SteerBy(RTTeskActorWrapper& w, const RTFVector3D& d, SteeringState state) {
  w.Steering = RTFVector3D{d.x * kProbeGain, 0.0f, d.z * kProbeGain, w.Steering.w};
  w.SteeringState = state;
}

}  // namespace

bool ProbeAhead(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w, bool* lastSegment) {
  ClipPathAtObstacle(actor, w, w.PredictionDistance, lastSegment);
  RTFVector3D d{};
  if (kivo::RandomReal() > kObstacleDraw && ProbeObstacles(actor, w, kObstacleLookAhead, &d)) {
    SteerBy(w, d, kAvoidingObstacle);
    return true;
  }
  d = RTFVector3D{};
  if (kivo::RandomReal() > kActorDraw && SteerToAvoidActorsC2(self, actor, w, kActorRange, &d)) {
    SteerBy(w, d, kAvoidingActor);
    return true;
  }
  return false;
}

}  // namespace tesk::actor
