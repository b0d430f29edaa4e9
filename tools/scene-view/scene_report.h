// What scene-view prints about a loaded scene tree, a section each.
#pragma once

#include <string>
#include <vector>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace sceneview {

// The rooms in list order, each with its flag word.
std::string RoomsSection(RTInstance tree);
// The quad tree's leaves in the order they were made: square, rooms and neighbour leaves.
std::string LeavesSection(RTInstance tree);
// The room under each point (GetRoomByPoint).
std::string PointsSection(RTInstance tree, const std::vector<RTFVector3D>& points);

}  // namespace sceneview
