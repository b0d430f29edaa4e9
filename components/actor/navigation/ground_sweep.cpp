#include "ground_sweep.h"

#include "tesk/scene/scene_tree_calls.h"

namespace tesk::actor {

GroundSweep SweepActorSphere(RTInstance tree, RTInstance room, const RTTeskActorWrapper& w, const RTFVector3D& from,
                             const RTFVector3D& to, RTInstance* hitNode) {
  GroundSweep s;
  s.start = RTFVector3D{from.x, w.Radius + kProbeLift, from.z, 0.0f};
  s.move = RTFVector3D{to.x - from.x, 0.0f, to.z - from.z, 0.0f};
  scene_tree::SetHitTestFilter(tree, w.TargetNode);
  s.hit = scene_tree::SphereHitTest(tree, room, &s.start, &s.move, w.Radius, &s.distance, &s.point, &s.normal, &s.wordA,
                                    hitNode) != 0;
  scene_tree::SetHitTestFilter(tree, nullptr);
  return s;
}

}  // namespace tesk::actor
