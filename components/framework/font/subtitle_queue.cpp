#include "subtitle_queue.h"

namespace font {

std::vector<SubtitleQueue::Shown> SubtitleQueue::Due(float time, size_t room,
                                                     const std::function<size_t(const std::u16string&)>& linesOf) {
  struct Counted {
    size_t index;
    size_t lines;
  };
  std::vector<Counted> due;
  size_t total = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].time > time) continue;
    due.push_back({i, linesOf(entries_[i].text)});
    total += due.back().lines;
  }
  // Drop lines from the top until the rest fit.
  size_t drop = total > room ? total - room : 0;
  std::vector<size_t> gone;
  std::vector<Shown> shown;
  for (const Counted& c : due) {
    if (drop >= c.lines) {
      drop -= c.lines;
      gone.push_back(c.index);
      continue;
    }
    shown.push_back({entries_[c.index].text, drop});
    drop = 0;
  }
  // From the back, so the indices of the others stay put.
  for (auto index = gone.rbegin(); index != gone.rend(); ++index) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(*index));
  }
  return shown;
}

}  // namespace font
