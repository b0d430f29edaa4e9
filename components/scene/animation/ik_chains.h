// Building and pinning IK chains; shared by the chain methods and the stream reader.
#pragma once

#include "bone_model_state.h"

namespace kivo::skin {

// The links from the end effector up to the bone named `root`, an ancestor of it; false when the
// end effector is unknown, the walk passes the tree's root without meeting the name, or the chain
// would have one link. On success `links` is a new core array the caller owns.
bool BuildLinks(RTBoneNode* tree, const char16_t* root, const char16_t* endEffector, RTBoneNode*** links,
                int32_t* count);
// Whether each link after the first is the parent of the one before, over at least two links.
bool LinksFormChain(RTBoneNode* const* links, int32_t count);

}  // namespace kivo::skin
