// Whole instance trees in one stream: an index of path keys, then a header and the component
// data of every instance in depth-first pre-order (see kivo/support/pack_index.h).
#pragma once

#include "kivo/types.h"

namespace kivo::core {

RTSuccess StreamTreeOut(RTInstance ctx, RTInstance instance, RTInstance stream);
// Reuses live instances at the paths of the tree; a component that fails or reads the wrong
// amount is reported and skipped. Fails with a null result when the tree's top cannot be read,
// and then leaves none of the instances it created behind.
RTSuccess StreamTreeIn(RTInstance ctx, RTInstance parent, RTInstance* out, RTInstance stream);

// While a tree is being read, a path lookup that names no live instance fetches that instance
// (without its children) out of the tree, under `parent`.
bool TreeReadActive();
RTSuccess StreamInstanceInByPath(RTInstance parent, const char16_t* path, RTInstance* out);

}  // namespace kivo::core
