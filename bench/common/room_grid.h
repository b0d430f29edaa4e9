// The floor plan of the scene and actor benchmarks: a grid of square rooms in a scene tree.
#pragma once

#include <cstdint>
#include <vector>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"

namespace tesk::bench {

struct RoomGrid {
  uint32_t columns;
  uint32_t rows;
  float side;  // each room is side x 3 x side
};

// Makes the grid's rooms, the one at (column, row) with its floor from (column, 0, row) x side to
// (column + 1, 0, row + 1) x side and a square footprint, adds them to the tree row by row and
// returns them in that order. Updating the tree's quad tree is left to the caller, which may
// reshape a footprint first.
std::vector<kivo::InstanceRef> AddRoomGrid(CoreTable& core, RTInstance tree, const RoomGrid& grid);

}  // namespace tesk::bench
