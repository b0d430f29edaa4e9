#include "game_link.h"

#include "kivo/support/module_core.h"
#include "tesk/game_slots.h"

namespace tesk::actor {

bool EnsureGame(ActorControllerData& actor) {
  return actor.game || kivo::ModuleCore()->GetFirstInstanceByString(nullptr, game::kClassName, &actor.game, 1, nullptr);
}

kivo::InstanceRef SceneTreeOf(const ActorControllerData& actor) {
  kivo::InstanceRef tree;
  if (actor.game) game::GetSceneTree(actor.game, tree.out());
  return tree;
}

}  // namespace tesk::actor
