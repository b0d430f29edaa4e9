// Reading the rasterizer's recorded calls (one line a call, "Name(arguments) -> result").
#pragma once

#include <string>
#include <vector>

namespace gametest {

// Whether the lines hold the calls in this order (others may come between), each named by the
// start of its line.
bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& calls);
// How many lines start with the text.
size_t CountStarting(const std::vector<std::string>& lines, const std::string& start);

}  // namespace gametest
