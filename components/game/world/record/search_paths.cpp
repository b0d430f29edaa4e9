#include "search_paths.h"

namespace tesk::game {

std::vector<std::u16string> SplitSearchPaths(std::u16string_view text) {
  std::vector<std::u16string> paths;
  size_t at = 0;
  for (;;) {
    const size_t separator = text.find(u';', at);
    if (separator == std::u16string_view::npos) {
      paths.push_back(std::u16string(text.substr(at)) + u"/");
      return paths;
    }
    paths.push_back(std::u16string(text.substr(at, separator - at)) + u"/");
    at = separator + 1;
    while (at < text.size() && (text[at] == u' ' || text[at] == u';')) ++at;
  }
}

}  // namespace tesk::game
