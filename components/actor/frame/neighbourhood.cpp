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

void AddActorsOf(RTInstance self, ActorControllerData& actor, const scene_tree::QuadTreeNode& cell,
                 const scene_tree::QuadItem* except) {
  for (const FiledActor& filed : actor.filedActors.Of(self, cell))
    if (filed.item != except) ListAppendRecycled(actor.nearby, actor.spareNearbyLinks, filed.wrapper);
}

// The wrappers of the nodes of the item's cell (but the item's own) and of its neighbour leaves, in
// the scene tree's order: the quad tree's radius query without asking each node for its actor.
void GatherNearby(RTInstance self, ActorControllerData& actor, const scene_tree::QuadItem& item) {
  ListRecycle(actor.nearby, actor.spareNearbyLinks);
  AddActorsOf(self, actor, *item.cell, &item);
  for (const scene_tree::QuadTreeNode* neighbour : item.cell->neighbours)
    if (neighbour) AddActorsOf(self, actor, *neighbour, nullptr);
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
  GatherNearby(self, actor, *item);
  w.NeighbourQueryList = actor.nearby;
  ListRecycle(w.FreeNeighbourList, w.SpareNeighbourLinks);
  ListRecycle(w.NeighbourList, w.SpareNeighbourLinks);
  ReserveLinks(w.SpareNeighbourLinks, actor.nearby->count);
  if (!w.NeighbourList) {
    ListCreate(&w.NeighbourList);
    RaiseFormatted(kLevelError, u"RTTeskActor::UpdateNeighborhood(): High priority steering actor list was recreated!");
  }
  for (RTTeskActorWrapper* other : ListItems<RTTeskActorWrapper>(actor.nearby))
    ListAppendRecycled(RanksAbove(w, *other) ? w.NeighbourList : w.FreeNeighbourList, w.SpareNeighbourLinks, other);
  return kRTSuccess;
}

}  // namespace tesk::actor
