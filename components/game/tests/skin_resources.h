// What a game needs for its GUI skin to load whole in the tests: the skin's fonts and the
// images the start-up's resources lack (the element images 128 x 128, "CHARACTER_A" 512 x 512).
#pragma once

#include <string>
#include <vector>

#include "game_fixture.h"

namespace gametest {

std::vector<std::u16string> SkinFonts();
std::vector<ResourceItem> SkinResources();

}  // namespace gametest
