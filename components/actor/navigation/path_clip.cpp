#include "path_clip.h"

#include "game_link.h"
#include "ground_sweep.h"
#include "kivo/navigation/navigation_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/vector.h"
#include "path_geometry.h"
#include "steering.h"
#include "tesk/scene/scene_tree_calls.h"
#include "varno/call_cells.h"
#include "varno/scripting_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;
namespace scripting = varno::scripting;

constexpr uint32_t kPassableNode = 0x20 | 0x80;
constexpr char16_t kTargetLocation[] = u"targetLocation";

bool Blocks(uint32_t wordA, RTInstance hitNode) {
  uint32_t state = 0;
  return wordA != room::kHitObstacle || !hitNode || !tesk_scene_node::GetStateWord(hitNode, &state) ||
         !(state & kPassableNode);
}

bool WriteTargetLocation(const ActorControllerData& actor, const RTTeskActorWrapper& w, RTFVector3D end) {
  varno::RTVarnoConstantValue value{};
  value.type = varno::kTypeVector3;
  value.value.vector = &end;
  return actor.script && actor.vm &&
         scripting::SymbolWriteAttribute(actor.script, static_cast<scripting::VM>(actor.vm),
                                         static_cast<scripting::Symbol>(w.ScriptObject), kTargetLocation,
                                         scripting::kWholeAttribute, &value);
}

}  // namespace

RTSuccess ClipPathAtObstacle(const ActorControllerData& actor, RTTeskActorWrapper& w, float t, bool* lastSegment) {
  RTFVector3D future{};
  ComputeFuturePosition(w, t, &future);
  PathProgress progress;
  float outside = 0.0f;
  RTFVector3D nearest{};
  MapPointToPathTracked(w, future, &outside, &nearest, &progress);
  *lastSegment = progress.lastSegment;
  if (!progress.advanced) return kRTSuccess;
  const InstanceRef tree = SceneTreeOf(actor);
  if (!tree.get()) return kRTFailure;
  const RTFVector3D from = PathNodeAt(w, w.PathSegment);
  const RTFVector3D to = PathNodeAt(w, w.PathNode);
  const RTFVector3D segment{to.x - from.x, 0.0f, to.z - from.z, 0.0f};
  const RTFVector3D start{from.x, w.Radius + kProbeLift, from.z, from.w};
  float fraction = 0.0f;
  RTFVector3D point{}, normal{};
  uint32_t wordA = 0;
  InstanceRef hitNode;
  scene_tree::SetHitTestFilter(tree.get(), w.TargetNode);
  const bool hit = scene_tree::SphereHitTest(tree.get(), nullptr, &start, &segment, w.Radius, &fraction, &point,
                                             &normal, &wordA, hitNode.out()) != 0;
  scene_tree::SetHitTestFilter(tree.get(), nullptr);
  if (!hit || fraction >= 1.0f || !Blocks(wordA, hitNode.get()) || !progress.lastSegment) return kRTSuccess;
  const RTFVector3D end{start.x + segment.x * fraction, 0.0f, start.z + segment.z * fraction, w.Goal.w};
  PathPoint& last = w.PathPoints[w.PathPointCount - 1];
  last.x = end.x;
  last.y = end.y;
  last.z = end.z;
  w.Goal.x = end.x;
  w.Goal.y = end.y;
  w.Goal.z = end.z;
  // The remaining distance is measured from the path's start: the total is the whole clipped path.
  w.PathLength = PathTotalLength(w);
  return WriteTargetLocation(actor, w, end) ? kRTSuccess : kRTFailure;
}

}  // namespace tesk::actor
