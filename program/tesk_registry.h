// The game's registry key, "Software\Brellin Interactive\Tesk\": the game root (value "Root") and
// the class search paths (value "Varno Paths"), each read once and then handed out from a cache.
#pragma once

#include <cstdint>

namespace tesk {

inline constexpr uint32_t kRegistryGameRoot = 0;
inline constexpr uint32_t kRegistryVarnoPaths = 1;

// Copies the value of `index` into `buffer` (capacity in UTF-16 units, the terminating zero
// included); 1, or 0 after its reports when the key or value is missing, the index is not
// valid or the value does not fit. The buffer is left as it was on failure.
int32_t ReadTeskRegistry(uint32_t index, char16_t* buffer, uint32_t capacity);

}  // namespace tesk
