#include "startup_background.h"

namespace tesk::game {

void DrawStartupBackground(RTInstance, GamePrivateData&) {}

}  // namespace tesk::game
