// Which edges share the unordered pair of nodes they join: what the planner needs to drop
// duplicate edges and to link only edges whose pair is joined once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/navigation/navigation_calls.h"

namespace kivo::planner {

enum PairFlag : uint8_t {
  kFirstOfPair = 1,  // no earlier edge joins the same two nodes (in either order)
  kOnlyOfPair = 2,   // no other edge joins them
};

// Sets the flags of each of `count` edge records `stride` bytes apart, each starting with its two
// node indexes (a loop is a pair too). False when memory runs out.
bool FlagPairs(const void* records, size_t stride, uint32_t count, uint8_t* flags);

}  // namespace kivo::planner
