// The script's particle-effect methods and the actor component's FXActorRemove. A method that
// fails returns failure to the VM.
#include "effects.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/particles/part_man_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/varno_controller/varno_controller_calls.h"

namespace tesk::game::method {

namespace {

constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

// The actor record of a script actor, or null.
RTTeskActorWrapper* ActorRecord(const GamePrivateData& game, uint32_t count, const Cell* arguments, uint32_t index) {
  void* record = nullptr;
  const ScriptObject actor = ObjectArgument(count, arguments, index);
  if (!actor || !game.effects.effectActorComponent ||
      !kivo::varno_controller::FindNativeRecord(game.effects.effectActorComponent, actor, &record))
    return nullptr;
  return static_cast<RTTeskActorWrapper*>(record);
}

using Turn = RTSuccess (*)(RTInstance node, float radians);

RTSuccess TurnCurrent(RTInstance self, uint32_t count, const Cell* arguments, Turn turn) {
  GamePrivateData* game = RecordOf(self);
  EffectSlot* slot = game ? game->effects.currentEffect : nullptr;
  if (!slot) return kRTFailure;
  return turn(slot->node, RealArgument(count, arguments, 0) * kRadiansPerDegree);
}

}  // namespace

TESK_GAME_SCRIPT_METHOD(FXPlay) {
  GamePrivateData* game = RecordOf(self);
  uint32_t index = 0;
  const RTFVector3D* position = count > 1 ? arguments[1].value.vector : nullptr;
  const bool played = game && position && FXPlayAt(*game, TextArgument(count, arguments, 0), *position, &index);
  if (result) result->value.number = static_cast<int32_t>(index);
  return played ? kRTSuccess : kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(FXSetActive) {
  GamePrivateData* game = RecordOf(self);
  const bool set = game && FXSetActive(*game, static_cast<uint32_t>(NumberArgument(count, arguments, 0)));
  if (result) result->value.number = set ? 1 : 0;
  return set ? kRTSuccess : kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(FXStop) {
  GamePrivateData* game = RecordOf(self);
  return game ? FXDeactivate(*game) : kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(FXAttachActor) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->effects.currentEffect) return kRTFailure;
  RTTeskActorWrapper* actor = ActorRecord(*game, count, arguments, 0);
  if (!actor || !FXAttachToNode(*game, actor->RootNode)) return kRTFailure;
  game->effects.currentEffect->attachedActor = actor;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(FXAttachNode) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->effects.currentEffect) return kRTFailure;
  RTInstance node = NodeArgument(*game, count, arguments, 0);
  if (!node || !FXAttachToNode(*game, node)) return kRTFailure;
  game->effects.currentEffect->attachedActor = nullptr;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(FXSetSourceActor) {
  GamePrivateData* game = RecordOf(self);
  EffectSlot* slot = game ? game->effects.currentEffect : nullptr;
  if (!slot) return kRTFailure;
  RTTeskActorWrapper* actor = ActorRecord(*game, count, arguments, 1);
  kivo::InstanceRef system;
  if (!actor ||
      !kivo::part_man::GetSystem(slot->partMan, static_cast<uint32_t>(NumberArgument(count, arguments, 0)),
                                 system.out()) ||
      !kivo::particle_system::SetSourceNode(system.get(), actor->BodyNode))
    return kRTFailure;
  return FXAttachToNode(*game, actor->RootNode);
}

TESK_GAME_SCRIPT_METHOD(FXRoll) { return TurnCurrent(self, count, arguments, kivo::tesk_scene_node::RotateRoll); }
TESK_GAME_SCRIPT_METHOD(FXYaw) { return TurnCurrent(self, count, arguments, kivo::tesk_scene_node::RotateYaw); }
TESK_GAME_SCRIPT_METHOD(FXPitch) { return TurnCurrent(self, count, arguments, kivo::tesk_scene_node::RotatePitch); }

TESK_GAME_SCRIPT_METHOD(FXClearRotation) {
  GamePrivateData* game = RecordOf(self);
  return game ? FXClearRotation(*game) : kRTFailure;
}

RTSuccess FXActorRemove(RTInstance self, RTTeskActorWrapper* wrapper) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  EffectState& fx = game->effects;
  for (uint32_t index = 1; index < fx.effectCount; ++index) {
    EffectSlot* slot = fx.effectSlots[index];
    if (slot->attachedActor != wrapper) continue;
    kivo::scene_node::Detach(slot->node);
    slot->attachedActor = nullptr;
  }
  return kRTSuccess;
}

}  // namespace tesk::game::method
