// The super powers' required levels: data of the component, copied into each game record.
#pragma once

#include <cstdint>

namespace tesk::game {

inline constexpr uint32_t kSuperPowerCount = 16;
inline constexpr uint32_t kSkillCount = 6;

// The required level (0 to 8) of each skill for each super power, in power order.
void DefaultSuperPowerLevels(uint32_t (*levels)[kSkillCount]);

}  // namespace tesk::game
