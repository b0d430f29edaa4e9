// The actor's motion table as the tests know it, their own copy of the published one: motion index
// -> the name after "DrProto_" in the motion's instance path.
#pragma once

#include <cstddef>

namespace tesk::testing {

inline constexpr size_t kMotionTableSize = 129;
inline constexpr char kMotionFolder[] = "Root:Characters:Assets:Motions:DrProto_";
// GNMFlNCHFT and GNMFlNCHBK have a lower-case l, GNMGETPUSbk ends in lower case; some names stand
// twice, each a motion index of its own.
extern const char* const kMotionTable[kMotionTableSize];

}  // namespace tesk::testing
