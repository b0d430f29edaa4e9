#include "super_power_levels.h"

namespace tesk::game {

// Each power asks for two neighbouring skills, at a level that rises with the power.
void DefaultSuperPowerLevels(uint32_t (*levels)[kSkillCount]) {
  for (uint32_t power = 0; power < kSuperPowerCount; ++power) {
    for (uint32_t skill = 0; skill < kSkillCount; ++skill) levels[power][skill] = 0;
    const uint32_t level = 1 + power / 2;
    levels[power][power % kSkillCount] = level;
    levels[power][(power + 1) % kSkillCount] = level;
  }
}

}  // namespace tesk::game
