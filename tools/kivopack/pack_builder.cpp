#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "articulated_description.h"
#include "baked_lightmaps.h"
#include "entity_description.h"
#include "font_description.h"
#include "graph_description.h"
#include "image_description.h"
#include "kivo/articulated/articulated_calls.h"
#include "kivo/camera/camera_calls.h"
#include "kivo/light/light_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/rigid/rigid_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/store_calls.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"
#include "material_description.h"
#include "mesh_description.h"
#include "motion_description.h"
#include "pack_tool.h"
#include "room_walls.h"
#include "kivo/scene/bone_model_calls.h"
#include "scene_description.h"
#include "skin_description.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tool_support.h"

namespace kivopack {

namespace {

// The kinds that are made through the instance's own calls, and the classes each takes.
constexpr struct {
  const char* field;
  const char16_t* className;
  const char16_t* otherClassName;  // null: the one class
  const char* how;
} kMadeKinds[] = {
    {"motion", u"RTAnimTrack", nullptr, "generated only into"},
    {"material", u"RTMaterial", nullptr, "set only on"},
    {"mesh", u"RTPolyModel", u"RTStaticLitMesh", "built only into"},
};

// The kinds filled once every instance is made, for they name other instances of the pack: each
// for an instance of its class (or a class of it).
constexpr struct {
  const char* field;
  const char16_t* className;
} kLateKinds[] = {
    {"skin", kivo::bone_model::kClassName},
    {"articulated", kivo::articulated::kClassName},
    {"player", kivo::rigid::kClassName},
};

struct PendingMesh {
  RTInstance instance;
  std::u16string path;
  const nlohmann::json* description;
  const RoomWalls* walls = nullptr;  // a mesh only: the walls of the room whose bounds it is
};

// Each room's walls given to the mesh they go into: one of the meshes the description builds, the
// bounds of that room alone.
bool GiveWallsTheirMeshes(const std::vector<RoomWalls>& walls, std::vector<PendingMesh>* meshes, std::string* error) {
  for (const RoomWalls& each : walls) {
    const auto named = [&](const PendingMesh& mesh) {
      return kivo::WideStrEqualNoCase(mesh.path.c_str(), each.mesh.c_str()) == 0;
    };
    const auto mesh = std::find_if(meshes->begin(), meshes->end(), named);
    if (mesh == meshes->end())
      return Fail(error, Narrow(each.room) + ": the walls go into the mesh of the bounds node, " + Narrow(each.mesh) +
                             ", which the description must build with a \"mesh\"");
    if (mesh->walls)
      return Fail(error, Narrow(mesh->walls->room) + " and " + Narrow(each.room) + " both raise their walls in " +
                             Narrow(each.mesh) + ": give each room a mesh of its own");
    mesh->walls = &each;
  }
  return true;
}

struct Builder {
  CoreTable& core;
  std::vector<RTInstance> held;  // every handle the build takes, released at the end
  std::string* error;

  ~Builder() {
    for (RTInstance instance : held) core.ReleaseInstance(nullptr, instance);
  }

  // The instance at `path`, made (and its missing parents as RTComponent) when absent.
  RTInstance Ensure(const std::u16string& path, const std::u16string& className) {
    RTInstance found = nullptr;
    const bool isRoot = path.find(u':') == std::u16string::npos;
    if (isRoot ? core.GetRoot(nullptr, &found) : core.GetInstanceByName(nullptr, path.c_str(), &found, 0)) {
      held.push_back(found);
      return found;
    }
    if (isRoot) {
      *error = "there is no Root";
      return nullptr;
    }
    const size_t colon = path.rfind(u':');
    RTInstance parent = Ensure(path.substr(0, colon), u"RTComponent");
    if (!parent) return nullptr;
    RTInstance made = nullptr;
    if (!core.CreateInstanceByString(parent, className.c_str(), &made, 0, 0)) {
      *error = "cannot create an instance of " + Narrow(className) + " (is its component installed?)";
      return nullptr;
    }
    held.push_back(made);
    if (!core.SetInstanceName(nullptr, made, path.substr(colon + 1).c_str())) {
      *error = "cannot name " + Narrow(path);
      return nullptr;
    }
    return made;
  }

  bool StreamIn(RTInstance instance, const std::filesystem::path& file) {
    const auto bytes = ReadFileBytes(file);
    kivo::InstanceRef data;
    if (!bytes || !kivo::memory_stream::CreateWith(bytes->data(), static_cast<uint32_t>(bytes->size()), data.out())) {
      *error = "cannot read " + file.string();
      return false;
    }
    if (kivo::component::StreamIn(instance, kivo::component::kStreamWhole, data.get())) return true;
    *error = "the component refused the data of " + file.string();
    return false;
  }

  // The scene kinds ("sceneTree", "room", "node", "camera", "light", "plainTree"), each for an instance of its
  // class (or a class of it) without "data"; `made` gets the child nodes made, `entities` the
  // nodes' entities to set once the pack is complete, `walls` the rooms' walls.
  bool DescribeScene(const nlohmann::json& item, RTInstance instance, const std::u16string& path,
                     std::vector<RTInstance>* made, std::vector<PendingEntity>* entities,
                     std::vector<RoomWalls>* walls) {
    const SceneBuild build{core, path, made, entities, walls, error};
    const struct {
      const char* field;
      const char16_t* className;
      std::function<bool(const nlohmann::json&)> describe;
    } kinds[] = {
        {"sceneTree", tesk::scene_tree::kClassName,
         [&](const nlohmann::json& d) { return DescribeSceneTree(build, d, instance); }},
        {"room", kivo::room::kClassName, [&](const nlohmann::json& d) { return DescribeRoom(build, d, instance); }},
        {"node", kivo::scene_node::kClassName,
         [&](const nlohmann::json& d) { return DescribeNode(build, d, instance); }},
        {"camera", kivo::camera::kClassName, [&](const nlohmann::json& d) { return FillCamera(instance, d, error); }},
        {"light", kivo::light::kClassName, [&](const nlohmann::json& d) { return FillLight(instance, d, error); }},
        {"plainTree", kivo::plain_scene_tree::kClassName,
         [&](const nlohmann::json& d) { return DescribePlainTree(build, d, instance); }},
    };
    for (const auto& kind : kinds) {
      if (!item.contains(kind.field)) continue;
      if (item.contains("data") || !core.IsKindOfByName(nullptr, instance, kind.className)) {
        *error = Narrow(path) + ": a \"" + kind.field + "\" is written only into an instance of " +
                 Narrow(kind.className) + " without \"data\"";
        return false;
      }
      if (!kind.describe(item[kind.field])) {
        *error = Narrow(path) + ": " + *error;
        return false;
      }
    }
    return true;
  }

  // A stream that `write` fills, streamed into the instance; `what` names it in a refusal.
  template <class Writer>
  bool StreamInWritten(RTInstance instance, const std::u16string& path, const char* what, Writer&& write) {
    kivo::InstanceRef data;
    if (!kivo::memory_stream::Create(data.out())) {
      *error = "cannot make a memory stream";
      return false;
    }
    if (!write(data.get())) {
      *error = Narrow(path) + ": " + *error;
      return false;
    }
    if (!kivo::stream::Seek(data.get(), 0) ||
        !kivo::component::StreamIn(instance, kivo::component::kStreamWhole, data.get())) {
      *error = std::string("the instance refused the ") + what + " of " + Narrow(path);
      return false;
    }
    return true;
  }
};

}  // namespace

bool BuildPack(CoreTable& core, const std::filesystem::path& description, const std::filesystem::path& pack,
               std::string* error) {
  const auto json = ReadJson(description, error);
  if (!json) return false;
  if (!json->contains("instances") || !(*json)["instances"].is_array()) {
    *error = description.string() + ": \"instances\" must be a list";
    return false;
  }
  // The pack is written beside the output and moved over it once complete. The store is bound to
  // it before anything is looked up, so that no instance of the root's own store (a staged tree
  // has one) comes into the pack.
  const std::filesystem::path building = pack.string() + ".building";
  std::error_code ignored;
  std::filesystem::remove(building, ignored);
  kivo::InstanceRef store;
  if (!core.GetFirstInstanceByString(nullptr, kivo::instance_store::kClassName, store.out(), 1, nullptr)) {
    *error = "the instance store component is not installed";
    return false;
  }
  kivo::instance_store::Open(store.get(), Wide(std::filesystem::absolute(building).string()).c_str());
  kivo::InstanceRef rasterizer;  // outlives the instances the builder holds
  Builder builder{core, {}, error};
  std::vector<RTInstance> described;
  std::vector<PendingMesh> meshes;
  std::vector<PendingMesh> skins;
  std::vector<PendingMesh> players;
  std::vector<PendingEntity> entities;
  std::vector<RoomWalls> walls;
  std::vector<std::pair<RTInstance, std::u16string>> bakedTrees;
  for (const auto& item : (*json)["instances"]) {
    if (!item.is_object() || !item.contains("path") || !item["path"].is_string() || !item.contains("class") ||
        !item["class"].is_string()) {
      *error = description.string() + ": every instance needs a \"path\" and a \"class\"";
      return false;
    }
    if (item.contains("data") && !item["data"].is_string()) {
      *error = description.string() + ": \"data\" names a file";
      return false;
    }
    const std::u16string path = Wide(item["path"].get<std::string>());
    if (path.rfind(u"Root:", 0) != 0) {
      *error = "instance paths start with \"Root:\": " + Narrow(path);
      return false;
    }
    const std::u16string className = Wide(item["class"].get<std::string>());
    auto isClass = [&](const char16_t* name) { return kivo::WideStrEqualNoCase(className.c_str(), name) == 0; };
    if (item.contains("graph") && (item.contains("data") || !isClass(u"RTRoutePlanner"))) {
      *error = Narrow(path) + ": a \"graph\" is written only into an RTRoutePlanner instance without \"data\"";
      return false;
    }
    if (item.contains("font") && (item.contains("data") || !isClass(u"RTFont") || !item["font"].is_string())) {
      *error = Narrow(path) + ": a \"font\" names a metrics file for an RTFont instance without \"data\"";
      return false;
    }
    if (item.contains("image") && (item.contains("data") || !isClass(u"RTImage") || !item["image"].is_string())) {
      *error = Narrow(path) + ": an \"image\" names an image file for an RTImage instance without \"data\"";
      return false;
    }
    for (const auto& kind : kMadeKinds) {
      const bool taken = isClass(kind.className) || (kind.otherClassName && isClass(kind.otherClassName));
      if (item.contains(kind.field) && (item.contains("data") || !taken)) {
        const std::string classes =
            Narrow(kind.className) + (kind.otherClassName ? " or " + Narrow(kind.otherClassName) : "");
        *error = Narrow(path) + ": a \"" + kind.field + "\" is " + kind.how + " an " + classes +
                 " instance without \"data\"";
        return false;
      }
    }
    RTInstance instance = builder.Ensure(path, className);
    if (!instance) return false;
    for (const auto& kind : kLateKinds)
      if (item.contains(kind.field) &&
          (item.contains("data") || !core.IsKindOfByName(nullptr, instance, kind.className))) {
        *error = Narrow(path) + ": a \"" + kind.field + "\" is built only into an instance of " +
                 Narrow(kind.className) + " (or a class of it) without \"data\"";
        return false;
      }
    std::vector<RTInstance> made;
    const bool scene = builder.DescribeScene(item, instance, path, &made, &entities, &walls);
    builder.held.insert(builder.held.end(), made.begin(), made.end());
    described.insert(described.end(), made.begin(), made.end());
    if (!scene) return false;
    if (item.contains("data") && !builder.StreamIn(instance, description.parent_path() / item["data"].get<std::string>()))
      return false;
    if (item.contains("graph") &&
        !builder.StreamInWritten(instance, path, "graph",
                                 [&](RTInstance stream) { return WriteGraphStream(item["graph"], stream, error); }))
      return false;
    if (item.contains("font") &&
        !builder.StreamInWritten(instance, path, "font", [&](RTInstance stream) {
          return WriteFontStream(description.parent_path() / item["font"].get<std::string>(), stream, error);
        }))
      return false;
    if (item.contains("image") &&
        !builder.StreamInWritten(instance, path, "image", [&](RTInstance stream) {
          return WriteImageStream(description.parent_path() / item["image"].get<std::string>(), stream, error);
        }))
      return false;
    if ((item.contains("motion") && !FillMotion(instance, item["motion"], description.parent_path(), error)) ||
        (item.contains("material") && !FillMaterial(instance, item["material"], description.parent_path(), error))) {
      *error = Narrow(path) + ": " + *error;
      return false;
    }
    if (item.contains("sceneTree") && item["sceneTree"].value("bake", false)) bakedTrees.emplace_back(instance, path);
    if (item.contains("mesh")) meshes.push_back(PendingMesh{instance, path, &item["mesh"]});
    if (item.contains("skin")) skins.push_back(PendingMesh{instance, path, &item["skin"]});
    for (const char* field : {"articulated", "player"})
      if (item.contains(field)) players.push_back(PendingMesh{instance, path, &item[field]});
    described.push_back(instance);
  }

  // Meshes and skins last, for the materials they name may come anywhere in the description, and
  // so may the motions of players. The rasterizer singleton holds their primitives until the
  // meshes are stored.
  if (!GiveWallsTheirMeshes(walls, &meshes, error)) return false;
  if (!meshes.empty() || !skins.empty())
    core.GetFirstInstanceByString(nullptr, kivo::rasterizer::kClassName, rasterizer.out(), 1, nullptr);
  const auto fill = [&](const std::vector<PendingMesh>& pending, const auto& filler) {
    for (const PendingMesh& each : pending)
      if (!filler(each)) {
        *error = Narrow(each.path) + ": " + *error;
        return false;
      }
    return true;
  };
  const std::filesystem::path folder = description.parent_path();
  if (!fill(meshes, [&](const PendingMesh& m) { return FillMesh(m.instance, *m.description, m.walls, error); }) ||
      !fill(skins, [&](const PendingMesh& s) { return FillSkin(s.instance, *s.description, folder, error); }) ||
      !fill(players, [&](const PendingMesh& p) { return FillArticulated(p.instance, *p.description, error); }))
    return false;

  if (!SetEntities(core, entities, error)) return false;

  for (RTInstance instance : described) {
    if (!core.StoreInstance(nullptr, instance, kivo::component::kStreamWhole, 0)) {
      *error = "cannot store an instance";
      return false;
    }
  }
  // Baking moves the trees' nodes and lights into place: it comes once every instance is stored
  // as described, and only the lit meshes are stored again.
  for (const auto& [tree, path] : bakedTrees)
    if (!StoreBakedLightmaps(core, tree, error)) {
      *error = Narrow(path) + ": " + *error;
      return false;
    }
  if (!kivo::instance_store::Save(store.get())) {
    *error = "cannot write " + building.string();
    return false;
  }
  std::error_code moved;
  std::filesystem::rename(building, pack, moved);
  if (moved) *error = "cannot replace " + pack.string() + ": " + moved.message();
  return !moved;
}

}  // namespace kivopack
