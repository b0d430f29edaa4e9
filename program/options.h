// The options the game reads and sets by id, kept in "tesk.ini" in the game root.
//
//   id  section            key                default  SetOptionI
//   1   Video Resolution   Width              1024     640, 800 or 1024 (writes Width and Height)
//   2   Video Resolution   Depth              32       accepted, nothing written
//   3   Video Driver       Driver             1        written
//   4   Audio              Master Volume      20       written
//   5   Audio              Effects Volume     20       written
//   6   Audio              Music Volume       20       written
//   7   Misc               Movie Skip         0        written
//   8   Misc               Subtitles          1        written
//   9   Misc               Clock              12       written
//   10  Misc               TESK_CHEAT_DEATH   0        refused
#pragma once

#include <cstdint>

namespace tesk {

inline constexpr char kVideoResolution[] = "Video Resolution";
inline constexpr char kVideoDriver[] = "Video Driver";
inline constexpr char kVideoCapture[] = "Video capture";

// 1 and the value (its default when the key is absent); 0 for an id outside 1-10.
int32_t GetOptionI(int32_t id, int32_t* value);
// 1 once written; 0 for an invalid id or width, or when the file cannot be written.
int32_t SetOptionI(int32_t id, int32_t value);

}  // namespace tesk
