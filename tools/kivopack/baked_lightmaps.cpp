#include "baked_lightmaps.h"

#include <vector>

#include "kivo/scene/room_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/list.h"
#include "lightmap_bake.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tool_support.h"

namespace kivopack {

bool StoreBakedLightmaps(CoreTable& core, RTInstance tree, std::string* error) {
  std::vector<kivo::InstanceRef> bounds;
  tesk::scene_tree::LoadScenarioN(tree, tesk::scene_tree::kAllScenarios);
  if (!tesk::BakeLightmaps(tree, &bounds, error)) return false;
  kivo::List* rooms = nullptr;
  tesk::scene_tree::GetRoomList(tree, &rooms);
  for (RTInstance room : kivo::ListItems<RTInstanceRecord>(rooms)) {
    kivo::InstanceRef lit;
    kivo::room::GetLightingResult(room, lit.out());
    if (lit.get() && !core.StoreInstance(nullptr, lit.get(), kivo::component::kStreamWhole, 0)) {
      char16_t name[256] = {};
      core.GetInstanceName(nullptr, room, name, 256);
      return Fail(error, "cannot store the baked mesh of the room " + Narrow(name));
    }
  }
  return true;
}

}  // namespace kivopack
