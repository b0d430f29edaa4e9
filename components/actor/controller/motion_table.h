// The built-in motions every character carries, by motion index: the instance path of index i is
// kMotionFolder followed by kMotionNames[i].
#pragma once

#include <cstdint>

namespace tesk::actor {

inline constexpr uint32_t kMotionCount = 129;
inline constexpr char16_t kMotionFolder[] = u"Root:Characters:Assets:Motions:DrProto_";

extern const char16_t* const kMotionNames[kMotionCount];

}  // namespace tesk::actor
