#include "neighbourhood.h"

#include "game_link.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/raise.h"
#include "tesk/scene/scene_tree_calls.h"
#include "wrapper_lookup.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr uint32_t kOnFoot = 10;

}  // namespace

bool RanksAbove(const RTTeskActorWrapper& w, const RTTeskActorWrapper& other) {
  if (w.AvoidPriority == 0) return other.VehicleMode != kOnFoot;
  if (w.VehicleMode == kOnFoot && other.VehicleMode == kOnFoot && other.AvoidPriority != w.AvoidPriority)
    return static_cast<uint32_t>(other.AvoidPriority) < static_cast<uint32_t>(w.AvoidPriority);
  if (w.VehicleMode == other.VehicleMode) return other.Serial < w.Serial;
  return other.VehicleMode < w.VehicleMode;
}

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
