// The map from a room's name to the ambience sound played in it (null for a quiet room).
#pragma once

#include "kivo/support/hash_table.h"
#include "kivo/types.h"

namespace tesk::game {

inline constexpr uint32_t kRoomAmbienceBuckets = 41;
inline constexpr uint32_t kRoomAmbienceRows = 38;

// A new table of 41 buckets with the 38 rows, inserted in their order; the values are static texts.
RTSuccess BuildRoomAmbienceMap(kivo::StrHashTable** table);

}  // namespace tesk::game
