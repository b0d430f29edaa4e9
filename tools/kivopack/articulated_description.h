// Motion players in pack descriptions, set on an RTArticulated instance (a skin's animator) or an
// RTRigid instance (a player among a node's "modifiers") through its own calls (its stream then
// comes from the player's own StreamOut).
//
//   "articulated": {"motions": ["Root:Characters:Assets:Motions:DrProto_walk", ...], "motion": 0,
//                   "looping": true, "playing": true, "rate": 1.0}
//   "player": the same fields, for an RTRigid
//       the motions of its set, each an RTAnimTrack of the pack (anywhere in the description), the
//       one it plays, and how; what is left out keeps the player's value when made
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "kivo/types.h"

namespace kivopack {

bool FillArticulated(RTInstance player, const nlohmann::json& description, std::string* error);

}  // namespace kivopack
