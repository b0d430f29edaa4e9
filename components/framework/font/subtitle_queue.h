// The subtitle queue: timed lines shown in a box. Which lines show, and which leave, is decided
// here; drawing them is the font's.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace font {

class SubtitleQueue {
 public:
  struct Entry {
    std::u16string text;
    float time = 0;
  };
  struct Shown {
    std::u16string text;
    size_t firstLine;  // lines of the entry above this one left the box
  };

  void Add(std::u16string text, float time) { entries_.push_back({std::move(text), time}); }
  void Clear() { entries_.clear(); }
  size_t size() const { return entries_.size(); }

  // The entries timed at or before `time`, in the order added (newest last), given `linesOf` each
  // takes and room for `room` lines. The oldest lines that do not fit leave from the top; an entry
  // none of whose lines is left leaves the queue.
  std::vector<Shown> Due(float time, size_t room, const std::function<size_t(const std::u16string&)>& linesOf);

 private:
  std::deque<Entry> entries_;
};

}  // namespace font
