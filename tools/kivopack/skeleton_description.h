// Skeleton descriptions: the bones of a character, shared by its motions and its skins.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "kivo/support/math_types.h"

namespace kivopack {

struct Bone {
  std::string name;
  int parent;          // index of the parent bone; -1 for the root
  RTFVector3D offset;  // rest position relative to the parent
};

// A skeleton file:
//   {"bones": [{"name": "Bip01", "offset": [0, 0.95, 0]},
//              {"name": "Bip01 Pelvis", "parent": "Bip01", "offset": [0, 0, 0]}, ...]}
// The first bone is the root and has no parent; every other bone names a parent listed before
// it. A parent's children come in the order they are listed. Names are unique.
std::optional<std::vector<Bone>> ReadSkeleton(const std::filesystem::path& file, std::string* error);

}  // namespace kivopack
