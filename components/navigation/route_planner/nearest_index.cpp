#include "nearest_index.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "kivo/support/core_memory.h"

namespace kivo::planner {

namespace {

// The distance the lookup has always compared, in float.
float SquaredDistance(const float* a, const RTFVector3D& b) {
  const float dx = a[0] - b.x;
  const float dy = a[1] - b.y;
  const float dz = a[2] - b.z;
  return dx * dx + dy * dy + dz * dz;
}

// The axis along which the finite coordinates spread widest (the first of equals).
uint32_t WidestAxis(const NearestEntry* entries, uint32_t count) {
  float low[3] = {FLT_MAX, FLT_MAX, FLT_MAX}, high[3] = {-FLT_MAX, -FLT_MAX, -FLT_MAX};
  for (uint32_t i = 0; i < count; ++i)
    for (int axis = 0; axis < 3; ++axis) {
      const float value = entries[i].position[axis];
      if (!std::isfinite(value)) continue;
      low[axis] = std::min(low[axis], value);
      high[axis] = std::max(high[axis], value);
    }
  uint32_t widest = 0;
  double widestSpread = -1;
  for (uint32_t axis = 0; axis < 3; ++axis) {
    const double spread = low[axis] <= high[axis] ? double{high[axis]} - low[axis] : 0;
    if (spread > widestSpread) {
      widest = axis;
      widestSpread = spread;
    }
  }
  return widest;
}

struct Best {
  float distance = FLT_MAX;
  uint32_t order = 0;  // with FLT_MAX, no tie can win: a node must be nearer than that
  bool found = false;

  void Consider(float candidate, uint32_t candidateOrder) {
    if (candidate < distance || (candidate == distance && candidateOrder < order)) {
      distance = candidate;
      order = candidateOrder;
      found = true;
    }
  }
};

}  // namespace

NearestIndex* MakeNearestIndex(const RTRoutePlannerNode* nodes, uint32_t count, const uint32_t* indexes) {
  auto* index = static_cast<NearestIndex*>(CoreAlloc(sizeof(NearestIndex)));
  auto* entries = static_cast<NearestEntry*>(CoreAlloc(sizeof(NearestEntry) * size_t{count ? count : 1}));
  if (!index || !entries) {
    CoreFree(index);
    CoreFree(entries);
    return nullptr;
  }
  for (uint32_t i = 0; i < count; ++i) {
    const RTFVector3D& p = nodes[indexes ? indexes[i] : i].position;
    entries[i] = NearestEntry{{p.x, p.y, p.z}, i};
  }
  const uint32_t axis = WidestAxis(entries, count);
  NearestEntry* end = std::remove_if(entries, entries + count,
                                     [axis](const NearestEntry& e) { return !std::isfinite(e.position[axis]); });
  std::sort(entries, end,
            [axis](const NearestEntry& a, const NearestEntry& b) { return a.position[axis] < b.position[axis]; });
  *index = NearestIndex{axis, static_cast<uint32_t>(end - entries), entries};
  return index;
}

void FreeNearestIndex(NearestIndex* index) {
  if (!index) return;
  CoreFree(index->entries);
  CoreFree(index);
}

bool FindNearest(const NearestIndex* index, const RTFVector3D& position, uint32_t* order) {
  const uint32_t axis = index->axis;
  const float key = (&position.x)[axis];
  // Every distance is infinite or NaN then.
  if (!std::isfinite(key)) return false;
  const NearestEntry* begin = index->entries;
  const NearestEntry* end = begin + index->count;
  const NearestEntry* split =
      std::lower_bound(begin, end, key, [axis](const NearestEntry& e, float k) { return e.position[axis] < k; });
  Best best;
  auto within = [&](const NearestEntry& e) {
    const float gap = e.position[axis] - key;
    return !(gap * gap > best.distance);
  };
  for (const NearestEntry* e = split; e != end && within(*e); ++e)
    best.Consider(SquaredDistance(e->position, position), e->order);
  for (const NearestEntry* e = split; e != begin && within(e[-1]); --e)
    best.Consider(SquaredDistance(e[-1].position, position), e[-1].order);
  if (!best.found) return false;
  *order = best.order;
  return true;
}

}  // namespace kivo::planner
