#include "common/room_grid.h"

#include "kivo/scene/room_calls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::bench {

std::vector<kivo::InstanceRef> AddRoomGrid(CoreTable& core, RTInstance tree, const RoomGrid& grid) {
  std::vector<kivo::InstanceRef> rooms;
  const float side = grid.side;
  for (uint32_t row = 0; row < grid.rows; ++row) {
    for (uint32_t column = 0; column < grid.columns; ++column) {
      kivo::InstanceRef room;
      core.CreateInstanceByString(nullptr, kivo::room::kClassName, room.out(), 0, 1);
      const float x = column * side, z = row * side;
      const RTFVector3D min{x, 0, z, 0}, max{x + side, 3, z + side, 0};
      const RTFVector3D outline[] = {
          {x, 0, z, 0}, {x + side, 0, z, 0}, {x + side, 0, z + side, 0}, {x, 0, z + side, 0}};
      kivo::room::SetBoundingBox(room.get(), &min, &max);
      kivo::room::SetFootprint(room.get(), outline, 4);
      tesk::scene_tree::AddRoom(tree, room.get());
      rooms.push_back(std::move(room));
    }
  }
  return rooms;
}

}  // namespace tesk::bench
