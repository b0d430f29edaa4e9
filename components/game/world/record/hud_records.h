// What the script sets for the HUD to show: the portal records, the health stats, the
// conversation disposition, the skill numbers and the subtitle box's timing. The HUD drawing
// reads them every frame and writes back only its animation state.
#pragma once

#include <cstdint>

#include "super_power_table.h"

namespace tesk::game {

namespace gui {
class TeskIcon;
}  // namespace gui

// One portal: its problem icon, the number in it and its ring of wedges. Ring positions count the
// masked segments of a 300-segment ring; wedge level v is position 300 - 30 v.
struct PortalRecord {
  uint32_t shownProblem;  // problem code + 1 on screen; 0: no problem icon
  uint32_t problem;       // problem code + 1 last set by the script
  uint32_t reserved;
  int32_t portalNumber;
  int32_t shownNumber;  // the number the drawing saw last
  float numberTime;     // clock seconds of the last number change or pop step
  uint32_t wedgePos;    // ring position drawn now
  uint32_t wedgeLastPos;
  uint32_t wedgeTarget;
  float wedgeStepTime;     // clock seconds of the change's start or the last ring step
  float wedgeEndTime;      // when the first portal's change should end
  float wedgeStepSeconds;  // seconds per ring step of the change in progress
  uint32_t wedgeTrend;     // 1: the last movement raised the position
  uint32_t problemAnim;    // 0 idle; 1 and up: the problem icon swaps
  float problemAnimTime;
  uint32_t numberAnim;  // 0 idle; 1 and up: the number pops
};
static_assert(sizeof(PortalRecord) == 64);

inline constexpr uint32_t kProblemPortalCount = 3;
inline constexpr uint32_t kConversationPortal = 3;  // the disposition meter's record

// One of the hygiene, energy and composure bars.
struct StatMarker {
  float level;    // the stat as a fraction, 1.0 full
  int32_t shown;  // bar length in pixels drawn now
  int32_t target;
  float stepTime;    // clock seconds of the last one-pixel step
  float changeTime;  // clock seconds at which the arrow began to blink
  gui::TeskIcon* arrow;
};

inline constexpr uint32_t kStatCount = 3;  // hygiene, energy, composure

struct HealthStats {
  StatMarker markers[kStatCount];
  uint32_t hands;  // hygiene's two parts, percent
  uint32_t body;
  uint32_t rest;  // energy's two parts, percent
  uint32_t food;
};

struct Disposition {
  int32_t current;  // -399 to 399
  int32_t previous;
  int32_t display;  // 0 to 99
};

struct SkillNumbers {
  int32_t numbers[kSkillCount];  // specialty order
  int32_t styles[kSkillCount];   // digit style: 15 lowered, 16 raised, 10 unchanged
};

}  // namespace tesk::game
