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

void MoveActor(RTInstance self, ActorControllerData& actor, RTTeskActorWrapper& w, float now, float elapsed) {
  w.GoalInCorner = 0;
  w.GoalTooCloseToWall = 0;
  const RTFMatrix4x4* local = nullptr;
  if (!scene_node::GetLocalMatrix(w.RootNode, &local)) return;
  const RTFMatrix4x4 placement = *local;
  SetRow(&w.Frame, kPositionRow, Row(placement, kPositionRow));
  RunSubSteps(actor.lastFrameTime, elapsed, [&](float time, float dt) { StepNavigation(self, actor, w, time, dt); });
  PlaceRoot(w, placement);
  UpdateBodyAnimation(w, now);
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
    for (RTTeskActorWrapper* w : ListItems<RTTeskActorWrapper>(actors)) MoveActor(self, *actor, *w, now, elapsed);
  }
  game::call::GetCurrentTimeC(actor->game, &actor->lastFrameTime);
  ++actor->frameCounter;
  actor->frameParity = 1 - actor->frameParity;
  return kRTSuccess;
}

RTSuccess Process(RTInstance, void*, uint32_t, Cell*, Cell*, void*) { return kRTSuccess; }

}  // namespace tesk::actor
