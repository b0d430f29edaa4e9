#include "recorded_calls.h"

namespace gametest {

bool InOrder(const std::vector<std::string>& lines, const std::vector<std::string>& calls) {
  size_t next = 0;
  for (const std::string& line : lines)
    if (next < calls.size() && line.rfind(calls[next], 0) == 0) ++next;
  return next == calls.size();
}

size_t CountStarting(const std::vector<std::string>& lines, const std::string& start) {
  size_t count = 0;
  for (const std::string& line : lines) count += line.rfind(start, 0) == 0;
  return count;
}

}  // namespace gametest
