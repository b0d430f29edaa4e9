#include "neighbourhood.h"

#include "game_link.h"
#include "kivo/support/raise.h"
#include "ranking.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::actor {

namespace {

using namespace kivo;

// The spare links cover the whole answer: when they fall short they grow to twice its length, so
// that a neighbourhood a little larger than any before allocates nothing the next time.
void ReserveLinks(List* spare, uint32_t needed) {
  if (spare->count >= needed) return;
  while (spare->count < 2 * needed && ListAppend(spare, nullptr)) {
  }
}

// The three lists the neighbourhood refills in place: the nearby wrappers and the two ranks.
struct Refills {
  ListRefill nearby;
  ListRefill above;
  ListRefill below;
  void Finish() {
    nearby.Finish();
    above.Finish();
    below.Finish();
  }
};

// Lists each actor of the cell (but the one filed as `except`) among the nearby wrappers and in the
// neighbour list its rank puts it in.
void AddActorsOf(RTInstance self, ActorControllerData& actor, const RTTeskActorWrapper& w,
                 const scene_tree::QuadTreeNode& cell, const scene_tree::QuadItem* except, Refills& lists) {
  for (const FiledActor& filed : actor.filedActors.Of(self, cell)) {
    if (filed.item == except) continue;
    RTTeskActorWrapper* other = filed.wrapper;
    lists.nearby.Append(other);
    (RanksAbove(w, *other) ? lists.above : lists.below).Append(other);
  }
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
  // The actors of the actor's cell (but its own node) and of its neighbour leaves, in the scene
  // tree's order: the quad tree's radius query without asking each node for its actor.
  Refills lists{{actor.nearby, actor.spareNearbyLinks},
                {w.NeighbourList, w.SpareNeighbourLinks},
                {w.FreeNeighbourList, w.SpareNeighbourLinks}};
  AddActorsOf(self, actor, w, *item->cell, item, lists);
  for (const scene_tree::QuadTreeNode* neighbour : item->cell->neighbours)
    if (neighbour) AddActorsOf(self, actor, w, *neighbour, nullptr, lists);
  lists.Finish();
  ReserveLinks(w.SpareNeighbourLinks, actor.nearby->count);
  w.NeighbourQueryList = actor.nearby;
  return kRTSuccess;
}

}  // namespace tesk::actor
