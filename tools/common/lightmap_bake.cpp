#include "lightmap_bake.h"

#include "kivo/scene/room_calls.h"
#include "kivo/support/list.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk {

bool BakeLightmaps(RTInstance tree, std::vector<kivo::InstanceRef>* bounds, std::string* error) {
  kivo::List* rooms = nullptr;
  if (scene_tree::GetRoomList(tree, &rooms))
    for (RTInstance room : kivo::ListItems<RTInstanceRecord>(rooms)) {
      kivo::InstanceRef node;
      if (kivo::room::GetBoundsNode(room, node.out()) && node.get()) bounds->push_back(std::move(node));
    }
  const bool baked = scene_tree::EnableDesigning(tree, 1) && scene_tree::Prelight(tree);
  scene_tree::EnableDesigning(tree, 0);
  if (!baked) *error = "the scene tree could not bake its lightmaps";
  return baked;
}

}  // namespace tesk
