// The triangles of a mesh group's primitives, in the order every reader of a mesh takes them: the
// lists' triangles, then the strips'.
#pragma once

#include "kivo/scene/poly_model_calls.h"

namespace kivo::poly_model {

// Calls visit(c0, c1, c2, primitive) for each triangle of the group: every list three indices at
// a time, then every strip, whose triangle j is (s[j], s[j+1], s[j+2]) for even j and
// (s[j+1], s[j], s[j+2]) for odd j, so that each keeps the strip's winding. A strip of fewer than
// three indices has none.
template <class Visit>
void ForEachTriangle(const MaterialGroup& group, Visit visit) {
  for (uint32_t i = 0; i < group.listCount; ++i) {
    const RTPrimitive& list = *group.lists[i];
    for (uint32_t t = 0; t < list.count; ++t) {
      const uint32_t* c = list.indices + size_t{t} * 3;
      visit(c[0], c[1], c[2], list);
    }
  }
  for (uint32_t i = 0; i < group.stripCount; ++i) {
    const RTPrimitive& strip = *group.strips[i];
    const uint32_t* s = strip.indices;
    for (uint32_t j = 0; j + 2 < strip.count; ++j) {
      if (j % 2 == 0) {
        visit(s[j], s[j + 1], s[j + 2], strip);
      } else {
        visit(s[j + 1], s[j], s[j + 2], strip);
      }
    }
  }
}

}  // namespace kivo::poly_model
