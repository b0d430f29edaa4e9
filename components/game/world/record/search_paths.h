// The Varno search paths of the registry: one text of paths separated by ";".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tesk::game {

// Each piece up to a ";" with "/" appended; after a ";" blanks and further ";" are skipped, and the
// rest after the last ";" is the last piece, so a text that ends in ";" gives "/" alone last.
std::vector<std::u16string> SplitSearchPaths(std::u16string_view text);

}  // namespace tesk::game
