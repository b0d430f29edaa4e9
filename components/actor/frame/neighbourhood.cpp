#include "neighbourhood.h"

#include "game_link.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/raise.h"
#include "ranking.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_lookup.h"

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

}  // namespace

RTSuccess UpdateNeighborhood(RTInstance self, const ActorControllerData& actor, RTTeskActorWrapper& w) {
  const InstanceRef tree = SceneTreeOf(actor);
  if (!tree.get()) return kRTFailure;
  List* nearby = nullptr;
  w.NeighbourQueryList = nullptr;
  if (!scene_tree::QTQueryRadius(tree.get(), w.RootNode, w.NeighbourhoodRadius, &nearby) || !nearby)
    return kRTSuccess;
  w.NeighbourQueryList = nearby;
  ListRecycle(w.FreeNeighbourList, w.SpareNeighbourLinks);
  ListRecycle(w.NeighbourList, w.SpareNeighbourLinks);
  ReserveLinks(w.SpareNeighbourLinks, nearby->count);
  if (!w.NeighbourList) {
    ListCreate(&w.NeighbourList);
    RaiseFormatted(kLevelError, u"RTTeskActor::UpdateNeighborhood(): High priority steering actor list was recreated!");
  }
  for (RTInstance node : ListItems<RTInstanceRecord>(nearby)) {
    void* object = nullptr;
    RTTeskActorWrapper* other =
        tesk_scene_node::GetScriptObject(node, &object) && object ? WrapperOf(self, object) : nullptr;
    if (!other) continue;
    ListAppendRecycled(RanksAbove(w, *other) ? w.NeighbourList : w.FreeNeighbourList, w.SpareNeighbourLinks, other);
  }
  return kRTSuccess;
}

}  // namespace tesk::actor
