// Route-planner graphs: RTRoutePlanner's StreamIn (nodes and edges), as a level's pathfinding
// graph in the instance store reaches it.
#include "fuzz_host.h"
#include "kivo/navigation/navigation_calls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::StartCore({.components = {"RTPathfinding", "RTRoutePlanner"}});
  tesk::fuzz::StreamIntoNew(kivo::route_planner::kClassName, data, size);
  return 0;
}
