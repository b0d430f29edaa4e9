// Edges are grouped by their lower node and each group is compared within itself. Graphs usually
// list their edges grouped that way already, with few edges per node: then each group is compared
// pair by pair where it lies. Otherwise the groups are made with a counting sort and walked with a
// stamp per higher node, so the work is linear and mostly sequential. Node indexes far beyond the
// number of edges (only possible from a caller's arbitrary records) would make those arrays too
// large; such edge sets are counted in an open-addressed table instead.
#include "edge_pairs.h"

#include <algorithm>
#include <cstring>

#include "kivo/support/core_memory.h"

namespace kivo::planner {

namespace {

constexpr uint64_t kSpareBound = 4096;
constexpr uint32_t kShortGroup = 16;

// An edge's two nodes, the lower first.
struct Ends {
  uint32_t low;
  uint32_t high;
};

Ends EndsAt(const uint8_t* records, size_t stride, uint32_t e) {
  uint32_t ab[2];
  std::memcpy(ab, records + e * stride, sizeof ab);
  return Ends{std::min(ab[0], ab[1]), std::max(ab[0], ab[1])};
}

// Flags the edges of one group (same lower node) from their higher nodes.
void FlagGroup(const uint32_t* high, uint32_t size, uint8_t* flags) {
  for (uint32_t i = 0; i < size; ++i) {
    uint8_t flag = kFirstOfPair | kOnlyOfPair;
    for (uint32_t j = 0; j < size; ++j)
      if (j != i && high[j] == high[i]) flag &= j < i ? 0 : kFirstOfPair;
    flags[i] = flag;
  }
}

// The flags when the edges come in groups of rising lower node, none longer than kShortGroup, in
// one pass; false (with some flags set) when they do not.
bool FlagShortGroups(const uint8_t* records, size_t stride, uint32_t count, uint8_t* flags) {
  uint32_t high[kShortGroup];
  uint32_t start = 0, size = 0, low = 0;
  for (uint32_t e = 0; e < count; ++e) {
    const Ends ends = EndsAt(records, stride, e);
    if (size && ends.low != low) {
      if (ends.low < low) return false;
      FlagGroup(high, size, flags + start);
      start = e;
      size = 0;
    }
    if (size == kShortGroup) return false;
    low = ends.low;
    high[size++] = ends.high;
  }
  FlagGroup(high, size, flags + start);
  return true;
}

// Core memory for `count` words, zeroed; freed with the holder.
class Words {
 public:
  explicit Words(uint64_t count) {
    if (count * sizeof(uint32_t) <= UINT32_MAX) words_ = static_cast<uint32_t*>(CoreAlloc(count * sizeof(uint32_t)));
    if (words_) std::memset(words_, 0, count * sizeof(uint32_t));
  }
  ~Words() { CoreFree(words_); }
  Words(const Words&) = delete;
  Words& operator=(const Words&) = delete;
  uint32_t* get() const { return words_; }

 private:
  uint32_t* words_ = nullptr;
};

bool FlagByLowNode(const Ends* edges, uint32_t count, uint32_t bound, uint8_t* flags) {
  Words start(uint64_t{bound} + 1);
  Words order(count ? count : 1);
  Words stamp(bound ? bound : 1);
  Words seen(bound ? bound : 1);
  if (!start.get() || !order.get() || !stamp.get() || !seen.get()) return false;
  uint32_t* first = start.get();
  for (uint32_t e = 0; e < count; ++e) ++first[edges[e].low + 1];
  for (uint32_t u = 0; u < bound; ++u) first[u + 1] += first[u];
  // Fill the groups in edge order, using `seen` as each group's next free place.
  for (uint32_t e = 0; e < count; ++e) {
    const uint32_t u = edges[e].low;
    order.get()[first[u] + seen.get()[u]++] = e;
  }
  for (uint32_t u = 0; u < bound; ++u) {
    const uint32_t* begin = order.get() + first[u];
    const uint32_t* end = order.get() + first[u + 1];
    for (const uint32_t* e = begin; e != end; ++e) {
      const uint32_t v = edges[*e].high;
      if (stamp.get()[v] != u + 1) {
        stamp.get()[v] = u + 1;
        seen.get()[v] = 0;
        flags[*e] |= kFirstOfPair;
      }
      ++seen.get()[v];
    }
    for (const uint32_t* e = begin; e != end; ++e)
      if (seen.get()[edges[*e].high] == 1) flags[*e] |= kOnlyOfPair;
  }
  return true;
}

struct Slot {
  uint64_t key;  // kEmpty when unused
  uint32_t count;
};
constexpr uint64_t kEmpty = ~uint64_t{0};

bool FlagByTable(const Ends* edges, uint32_t count, uint8_t* flags) {
  uint64_t size = 16;
  while (size < uint64_t{count} * 2) size *= 2;
  if (size * sizeof(Slot) > UINT32_MAX) return false;
  auto* slots = static_cast<Slot*>(CoreAlloc(size * sizeof(Slot)));
  if (!slots) return false;
  std::fill(slots, slots + size, Slot{kEmpty, 0});
  const uint64_t mask = size - 1;
  auto find = [&](const Ends& e) -> Slot& {
    const uint64_t key = (uint64_t{e.low} << 32) | e.high;
    uint64_t slot = ((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
    while (slots[slot].key != kEmpty && slots[slot].key != key) slot = (slot + 1) & mask;
    slots[slot].key = key;
    return slots[slot];
  };
  for (uint32_t e = 0; e < count; ++e)
    if (++find(edges[e]).count == 1) flags[e] |= kFirstOfPair;
  for (uint32_t e = 0; e < count; ++e)
    if (find(edges[e]).count == 1) flags[e] |= kOnlyOfPair;
  CoreFree(slots);
  return true;
}

}  // namespace

bool FlagPairs(const void* records, size_t stride, uint32_t count, uint8_t* flags) {
  const auto* bytes = static_cast<const uint8_t*>(records);
  if (FlagShortGroups(bytes, stride, count, flags)) return true;
  std::memset(flags, 0, count);
  auto* ends = static_cast<Ends*>(CoreAlloc(sizeof(Ends) * size_t{count ? count : 1}));
  if (!ends) return false;
  uint64_t bound = 0;
  for (uint32_t e = 0; e < count; ++e) {
    ends[e] = EndsAt(bytes, stride, e);
    bound = std::max<uint64_t>(bound, uint64_t{ends[e].high} + 1);
  }
  const bool flagged = bound <= uint64_t{count} * 4 + kSpareBound
                           ? FlagByLowNode(ends, count, static_cast<uint32_t>(bound), flags)
                           : FlagByTable(ends, count, flags);
  CoreFree(ends);
  return flagged;
}

}  // namespace kivo::planner
