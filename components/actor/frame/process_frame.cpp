#include "process_frame.h"

#include "actor_frame.h"
#include "actor_vectors.h"
#include "body_animation.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/module_core.h"
#include "kivo/support/vector.h"
#include "step_navigation.h"
#include "sub_steps.h"
#include "tesk/game_slots.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr float kLongestFrame = 5.0f;
constexpr float kHeadingBlend = 0.4f;

// The placement takes the new heading (at once after SetViewDirection, else blended toward the
// frame's forward) and, as pending movement, the frame's position.
void PlaceRoot(RTTeskActorWrapper& w, const RTFMatrix4x4& placement) {
  RTFMatrix4x4 m = placement;
  RTFVector3D forward = Row(m, kForwardRow);
  if (w.ViewDirectionSet)
    forward = Row(w.Frame, kForwardRow);
  else
    Vec3LerpClamped(kHeadingBlend, Row(w.Frame, kForwardRow), &forward);
  SetHeading(&m, forward);
  SetRow(&m, kPositionRow, Row(w.Frame, kPositionRow));
  scene_node::SetLocalMatrix(w.RootNode, &m);
  w.ViewDirectionSet = 0;
}

// The root node's placement; null for an actor whose root node has none, which does not move.
const RTFMatrix4x4* PlacementOf(const RTTeskActorWrapper& w) {
  const RTFMatrix4x4* local = nullptr;
  return scene_node::GetLocalMatrix(w.RootNode, &local) ? local : nullptr;
}

// Every actor takes each sub-step before any takes the next: the actors move one at a time, and
// each one meets the others where they stand at that time, whatever the order of the list and the
// length of the frame.
void MoveActors(RTInstance self, ActorControllerData& actor, List* actors, float now, float elapsed) {
  for (RTTeskActorWrapper* w : ListItems<RTTeskActorWrapper>(actors)) {
    w->GoalInCorner = 0;
    w->GoalTooCloseToWall = 0;
    if (const RTFMatrix4x4* placement = PlacementOf(*w)) SetRow(&w->Frame, kPositionRow, Row(*placement, kPositionRow));
  }
  // The quad tree files nothing again until the transform update after this frame.
  actor.filedActors.Hold();
  RunSubSteps(actor.lastFrameTime, elapsed, [&](float time, float dt) {
    for (RTTeskActorWrapper* w : ListItems<RTTeskActorWrapper>(actors))
      if (PlacementOf(*w)) StepNavigation(self, actor, *w, time, dt);
    actor.filedActors.NextSubStep();
  });
  actor.filedActors.Drop();
  for (RTTeskActorWrapper* w : ListItems<RTTeskActorWrapper>(actors)) {
    const RTFMatrix4x4* placement = PlacementOf(*w);
    if (!placement) continue;
    PlaceRoot(*w, *placement);
    UpdateBodyAnimation(*w, now);
  }
}

// The actors move by the game's own list from now on.
List* ActorListOf(ActorControllerData& actor) {
  List* actors = nullptr;
  if (!game::call::GetActorList(actor.game, &actors) || !actors) return nullptr;
  if (actor.actorListOwned) ListDestroy(actor.actorList);
  actor.actorListOwned = 0;
  actor.actorList = actors;
  return actors;
}

}  // namespace

RTSuccess ProcessC(RTInstance self) {
  ActorControllerData* actor = StateOf(self);
  if (!actor || !actor->game) return kRTFailure;
  float now = 0.0f;
  game::call::GetCurrentTimeC(actor->game, &now);
  if (now == actor->lastFrameTime) return kRTSuccess;
  const float elapsed = now - actor->lastFrameTime;
  if (elapsed > kLongestFrame) {
    ModuleCore()->DebugPrint(nullptr, u"************ Too much time elapsed in TeskActor.");
  } else if (elapsed < 0.0f) {
    ModuleCore()->DebugPrint(nullptr, u"************ The game clock went back in TeskActor.");
  } else if (List* actors = ActorListOf(*actor)) {
    MoveActors(self, *actor, actors, now, elapsed);
  }
  game::call::GetCurrentTimeC(actor->game, &actor->lastFrameTime);
  ++actor->frameCounter;
  actor->frameParity = 1 - actor->frameParity;
  return kRTSuccess;
}

RTSuccess Process(RTInstance, ScriptObject, uint32_t, Cell*, Cell*, VM) { return kRTSuccess; }

}  // namespace tesk::actor
