// Starting the animations of a node: each motion player among the node's modifiers takes the two
// values (the motion of its set, and looping when the second is not 0) and plays from the motion's
// start; the scene tree's transform update then moves the node (rigid_calls.h).
#include "environment.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/scene_node_calls.h"

namespace tesk::game {

RTSuccess PlayNodeAnimationOn(RTInstance node, uint32_t first, uint32_t second) {
  if (!node) {
    Report(u"Invalid node passed in!");
    return kRTSuccess;
  }
  const RTInstance* modifiers = nullptr;
  uint32_t count = 0;
  if (!kivo::scene_node::GetModifierList(node, &modifiers, &count) || count == 0) {
    Report(u"Node doesn't have a modifier list [hence no animations!]");
    return kRTSuccess;
  }
  for (uint32_t i = 0; i < count; ++i)
    if (Core().IsKindOfByName(nullptr, modifiers[i], kivo::rigid::kClassName))
      kivo::rigid::PlayNodeAnimation(modifiers[i], first, second);
  return kRTSuccess;
}

namespace method {

TESK_GAME_SCRIPT_METHOD(PlayNodeAnimation) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  return PlayNodeAnimationOn(NodeArgument(*game, count, arguments, 0),
                             static_cast<uint32_t>(NumberArgument(count, arguments, 1)),
                             static_cast<uint32_t>(NumberArgument(count, arguments, 2)));
}

// No ceiling-chunk node is ever bound (every load clears it): without one it fails.
TESK_GAME_SCRIPT_METHOD(PlayCeilingChunk) {
  GamePrivateData* game = RecordOf(self);
  RTInstance chunk = game ? game->environment.nodes.ceilingChunk : nullptr;
  return chunk ? PlayNodeAnimationOn(chunk, 0, 0) : kRTFailure;
}

}  // namespace method

}  // namespace tesk::game
