// The sixteen super powers: eight pairs of a base level (even index) and its advanced level (odd
// index), each with a name, an icon template of the master icons form, a description and the
// level each of the six specialty skills must reach (cardiology, toxicology, neurosurgery, general
// surgery, pediatrics, orthopedics). The required levels are copied into each game record; the
// rest is the component's data, read through the four lookups.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace tesk::game {

namespace gui {
class TeskIcon;
}  // namespace gui

inline constexpr uint32_t kSuperPowerCount = 16;
inline constexpr uint32_t kSkillCount = 6;

// The required level of each skill for each power, in power order.
void DefaultSuperPowerLevels(uint32_t (*levels)[kSkillCount]);

// Each lookup returns 1 and gives its answer through the last argument.
// The power's name; "empty" for an index outside 0..15.
RTSuccess SuperPowerName(RTInstance game, int32_t index, const char16_t** name);
// The index of the power of that name (ignoring ASCII case); -1 for any other text or null.
RTSuccess SuperPowerIndex(RTInstance game, const char16_t* name, int32_t* index);
// The power's description; nothing written for an index outside 0..15.
RTSuccess SuperPowerDescription(RTInstance game, int32_t index, const char16_t** text);
// The power's template icon in the game's master icons form (null when the form lacks it);
// nothing written for an index outside 0..15.
RTSuccess SuperPowerIconTemplate(RTInstance game, int32_t index, gui::TeskIcon** icon);

}  // namespace tesk::game
