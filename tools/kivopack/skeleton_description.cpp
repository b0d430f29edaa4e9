#include "skeleton_description.h"

#include <cmath>
#include <map>

#include "tool_support.h"

namespace kivopack {

std::optional<std::vector<Bone>> ReadSkeleton(const std::filesystem::path& file, std::string* error) {
  const auto json = ReadJson(file, error);
  if (!json) return std::nullopt;
  if (!json->is_object() || !json->contains("bones") || !(*json)["bones"].is_array() || (*json)["bones"].empty()) {
    *error = file.string() + ": a skeleton needs a list of \"bones\"";
    return std::nullopt;
  }
  std::vector<Bone> bones;
  std::map<std::string, int> indexes;
  for (const auto& item : (*json)["bones"]) {
    const std::string where = file.string() + ": bone " + std::to_string(bones.size());
    if (!item.is_object() || !item.contains("name") || !item["name"].is_string()) {
      *error = where + " needs a \"name\"";
      return std::nullopt;
    }
    Bone bone{item["name"].get<std::string>(), -1, {}};
    if (indexes.count(bone.name)) {
      *error = where + ": the name \"" + bone.name + "\" stands twice";
      return std::nullopt;
    }
    if (!ReadVector(item.contains("offset") ? item["offset"] : nlohmann::json(), &bone.offset)) {
      *error = where + ": \"offset\" must be three finite numbers";
      return std::nullopt;
    }
    const bool named = item.contains("parent");
    if (named != !bones.empty() || (named && !item["parent"].is_string())) {
      *error = where + (bones.empty() ? ": the first bone is the root and has no \"parent\""
                                      : ": every bone but the first names its \"parent\"");
      return std::nullopt;
    }
    if (named) {
      const auto parent = indexes.find(item["parent"].get<std::string>());
      if (parent == indexes.end()) {
        *error = where + ": the parent \"" + item["parent"].get<std::string>() + "\" is not listed before it";
        return std::nullopt;
      }
      bone.parent = parent->second;
    }
    indexes[bone.name] = static_cast<int>(bones.size());
    bones.push_back(bone);
  }
  return bones;
}

}  // namespace kivopack
