#include "neighbourhood.h"

#include "game_link.h"
#include "kivo/support/raise.h"
#include "ranking.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;

// The spare links cover the whole surroundings: when they fall short they grow to twice its size, so
// that a neighbourhood a little larger than any before allocates nothing the next time.
void ReserveLinks(List* spare, size_t needed) {
  if (!spare || spare->count >= needed) return;
  while (spare->count < 2 * needed && ListAppend(spare, nullptr)) {
  }
}

// Refills NeighbourList with the surrounding actors (but the one filed as `own`) ranking above the
// actor and FreeNeighbourList with the others, in order; their spare links then cover them all.
void Rank(RTTeskActorWrapper& w, const Surroundings& around, const scene_tree::QuadItem* own) {
  ListRefill above(w.NeighbourList, w.SpareNeighbourLinks);
  ListRefill below(w.FreeNeighbourList, w.SpareNeighbourLinks);
  for (const FiledActor& filed : around.actors)
    if (filed.item != own) (RanksAbove(w, *filed.wrapper) ? above : below).Append(filed.wrapper);
  above.Finish();
  below.Finish();
  ReserveLinks(w.SpareNeighbourLinks, around.actors.size());
}

}  // namespace

RTSuccess UpdateNeighborhood(RTInstance self, ActorControllerData& actor, RTTeskActorWrapper& w) {
  const InstanceRef tree = SceneTreeOf(actor);
  if (!tree.get()) return kRTFailure;
  w.NeighbourQueryList = nullptr;
  const scene_tree::QuadItem* item = actor.filedActors.FiledItem(tree.get(), w.RootNode);
  if (!item) {
    // The tree's query says why there is no answer (a missing node is reported).
    List* none = nullptr;
    scene_tree::QTQueryRadius(tree.get(), w.RootNode, w.NeighbourhoodRadius, &none);
    return kRTSuccess;
  }
  if (!w.NeighbourList) {
    ListCreate(&w.NeighbourList);
    RaiseFormatted(kLevelError, u"RTTeskActor::UpdateNeighborhood(): High priority steering actor list was recreated!");
  }
  // The actors of the actor's cell and of its neighbour leaves, in the scene tree's order: the quad
  // tree's radius query without asking each node for its actor, gathered once for every actor of the
  // cell. The actor itself stays in NeighbourQueryList, which every reader skips it in.
  Surroundings& around = actor.filedActors.Around(self, *item->cell);
  if (!actor.filedActors.RankedThisHold()) Rank(w, around, item);
  w.NeighbourQueryList = &around.list;
  return kRTSuccess;
}

}  // namespace tesk::actor
