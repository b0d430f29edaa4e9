// Route planner graphs in pack descriptions, written in the planner's stream form.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "kivo/types.h"

namespace kivopack {

// A "graph" object of an RTRoutePlanner instance entry:
//   {"nodes": [{"position": [x, y, z], "width": 1.0, "group": -1, "blocked": false}, ...],
//    "edges": [{"nodes": [a, b], "cost": 1.5}, ...]}
// Node fields other than "position" may be left out (the values shown are the defaults); an edge
// names two node indexes and has a finite cost of at least 0. Writes the planner's whole stream
// (its parent class's block first) to `stream`.
bool WriteGraphStream(const nlohmann::json& graph, RTInstance stream, std::string* error);

}  // namespace kivopack
