#include "mesh_description.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "kivo/material/material_calls.h"
#include "kivo/scene/poly_model_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "kivo/support/vector.h"
#include "mesh_shapes.h"
#include "room_walls.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;
namespace pm = kivo::poly_model;
namespace r = kivo::rasterizer;

constexpr uint32_t kMinSegments = 3;
constexpr uint32_t kMaxSegments = 256;
constexpr size_t kMaxVertices = size_t{1} << 20;
constexpr int kNormalizeRounds = 8;

bool Positive(const json& value, float* out) { return FiniteFloat(value, out) && *out > 0; }

// The direction normalised until Vec3Normalize leaves it unchanged.
RTFVector3D StableNormal(RTFVector3D direction) {
  for (int round = 0; round < kNormalizeRounds; ++round) {
    const RTFVector3D before = direction;
    kivo::Vec3Normalize(&direction);
    if (direction.x == before.x && direction.y == before.y && direction.z == before.z) break;
  }
  return direction;
}

std::optional<MeshSource> ReadBox(const json& box, std::string* error) {
  RTFVector3D size{};
  if (!box.is_object() || !box.contains("size") || !ReadVector(box["size"], &size) || size.x <= 0 || size.y <= 0 ||
      size.z <= 0) {
    Fail(error, "a \"box\" has a \"size\" of three numbers above 0");
    return std::nullopt;
  }
  return GenerateBox(size);
}

std::optional<MeshSource> ReadCapsule(const json& capsule, std::string* error) {
  float radius = 0, height = 0;
  const bool valid = capsule.is_object() && capsule.contains("radius") && capsule.contains("height") &&
                     capsule.contains("segments") && Positive(capsule["radius"], &radius) &&
                     Positive(capsule["height"], &height) && height > 2 * radius &&
                     capsule["segments"].is_number_unsigned() && capsule["segments"].get<uint64_t>() >= kMinSegments &&
                     capsule["segments"].get<uint64_t>() <= kMaxSegments;
  if (!valid) {
    Fail(error, "a \"capsule\" has a \"radius\" above 0, a \"height\" above twice the radius and 3 to 256 "
                "\"segments\"");
    return std::nullopt;
  }
  return GenerateCapsule(radius, height, capsule["segments"].get<uint32_t>());
}

// A list of [x, y, z] (or, for pairs, [u, v]) of `count` entries, or any count when it is 0.
template <class Item, class ReadItem>
bool ReadList(const json& list, size_t count, std::vector<Item>* out, ReadItem read) {
  if (!list.is_array() || (count && list.size() != count) || list.size() > kMaxVertices) return false;
  for (const json& value : list) {
    Item item{};
    if (!read(value, &item)) return false;
    out->push_back(item);
  }
  return true;
}

bool ReadPair(const json& value, RTFVector2D* pair) {
  return value.is_array() && value.size() == 2 && FiniteFloat(value[0], &pair->x) && FiniteFloat(value[1], &pair->y);
}

// Indices of the vertices, `size` of them at a time (0: any number from 3 on).
bool ReadIndices(const json& value, size_t size, size_t vertices, IndexList* out) {
  if (!value.is_array() || (size ? value.size() != size : value.size() < 3)) return false;
  for (const json& index : value) {
    if (!index.is_number_unsigned() || index.get<uint64_t>() >= vertices) return false;
    out->push_back(index.get<uint32_t>());
  }
  return true;
}

bool ReadGroup(const json& group, size_t vertices, MeshGroup* out) {
  if (!group.is_object()) return false;
  const json triangles = group.value("triangles", json::array());
  const json strips = group.value("strips", json::array());
  if (!triangles.is_array() || !strips.is_array()) return false;
  for (const json& triangle : triangles)
    if (!ReadIndices(triangle, 3, vertices, &out->triangles)) return false;
  for (const json& strip : strips) {
    out->strips.emplace_back();
    if (!ReadIndices(strip, 0, vertices, &out->strips.back())) return false;
  }
  return true;
}

std::optional<MeshSource> ReadExplicit(const json& d, size_t materials, std::string* error) {
  MeshSource source;
  if (!ReadList(d["vertices"], 0, &source.vertices, ReadVector) || source.vertices.empty()) {
    Fail(error, "\"vertices\" is a list of [x, y, z]");
    return std::nullopt;
  }
  const size_t count = source.vertices.size();
  if (d.contains("normals") && !ReadList(d["normals"], count, &source.normals, ReadVector)) {
    Fail(error, "\"normals\" is a list of one [x, y, z] per vertex");
    return std::nullopt;
  }
  const json layers = d.value("uvLayers", json::array());
  if (!layers.is_array() || layers.size() > kivo::kUVLayerCount) {
    Fail(error, "\"uvLayers\" is a list of at most 32 layers");
    return std::nullopt;
  }
  for (const json& layer : layers) {
    source.uvLayers.emplace_back();
    if (!ReadList(layer, count, &source.uvLayers.back(), ReadPair)) {
      Fail(error, "texture-coordinate layer " + std::to_string(source.uvLayers.size() - 1) +
                      " is a list of one [u, v] per vertex");
      return std::nullopt;
    }
  }
  const json groups = d.value("groups", json::array());
  if (!groups.is_array() || groups.size() > materials) {
    Fail(error, "\"groups\" is a list of at most one group per material");
    return std::nullopt;
  }
  for (const json& group : groups) {
    source.groups.emplace_back();
    if (!ReadGroup(group, count, &source.groups.back())) {
      Fail(error, "group " + std::to_string(source.groups.size() - 1) +
                      " has \"triangles\" of three vertex indices and \"strips\" of three or more");
      return std::nullopt;
    }
  }
  return source;
}

std::optional<MeshSource> ReadSource(const json& d, size_t materials, std::string* error) {
  const int shapes = int{d.contains("box")} + int{d.contains("capsule")} + int{d.contains("vertices")};
  const bool generated = d.contains("box") || d.contains("capsule");
  const std::string primitives = d.value("primitives", std::string("lists"));
  if (shapes != 1) {
    Fail(error, "a \"mesh\" has one of \"box\", \"capsule\" and \"vertices\"");
    return std::nullopt;
  }
  if ((d.contains("primitives") && !generated) || (primitives != "lists" && primitives != "strips")) {
    Fail(error, "\"primitives\" is \"lists\" or \"strips\", for a box or a capsule");
    return std::nullopt;
  }
  auto source = d.contains("box")       ? ReadBox(d["box"], error)
                : d.contains("capsule") ? ReadCapsule(d["capsule"], error)
                                        : ReadExplicit(d, materials, error);
  if (source && generated && primitives == "lists")
    for (MeshGroup& group : source->groups) StripsToTriangles(&group);
  return source;
}

// A primitive of the rasterizer holding the indices, taken by the mesh.
bool AddPrimitive(RTInstance mesh, RTInstance rasterizer, uint32_t kind, uint32_t material, const IndexList& indices) {
  const auto count = static_cast<uint32_t>(kind == r::kTriangleList ? indices.size() / 3 : indices.size());
  RTPrimitive* primitive = nullptr;
  if (!r::CreatePrimitive(rasterizer, kind, &primitive)) return false;
  if (r::ResizePrimitiveList(rasterizer, primitive, count)) {
    std::copy(indices.begin(), indices.end(), primitive->indices);
    primitive->materialIndex = material;
    if (pm::AddPrimitive(mesh, kind, primitive)) return true;
  }
  r::DestroyPrimitive(rasterizer, primitive);
  return false;
}

}  // namespace

bool ReadMaterialList(const json& d, const char* kind, std::vector<kivo::InstanceRef>* materials,
                      std::string* error) {
  if (!d.contains("materials") || !d["materials"].is_array() || d["materials"].empty())
    return Fail(error, std::string("a \"") + kind + "\" names its \"materials\": a list of RTMaterial instance paths");
  for (const json& item : d["materials"]) {
    const std::string path = item.is_string() ? item.get<std::string>() : item.dump();
    kivo::InstanceRef material;
    if (!item.is_string() || !FindMaterial(path, &material))
      return Fail(error, "the material " + path + " is no RTMaterial of the pack");
    materials->push_back(std::move(material));
  }
  return true;
}

bool FindMaterial(const std::string& path, kivo::InstanceRef* material) {
  return kivo::ModuleCore()->GetInstanceByName(nullptr, Wide(path).c_str(), material->out(), 0) &&
         kivo::ModuleCore()->IsKindOfByName(nullptr, material->get(), kivo::material::kClassName);
}

bool BuildMesh(RTInstance mesh, const MeshSource& source, const std::vector<RTInstance>& materials) {
  kivo::InstanceRef rasterizer;
  if (!kivo::ModuleCore()->GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr) ||
      !pm::SetVectorListF(mesh, source.vertices.data(), static_cast<uint32_t>(source.vertices.size())) ||
      !pm::SetMaterialList(mesh, materials.data(), static_cast<uint32_t>(materials.size())))
    return false;
  for (size_t layer = 0; layer < source.uvLayers.size(); ++layer)
    if (!pm::SetUVListF(mesh, static_cast<uint32_t>(layer), source.uvLayers[layer].data(),
                        static_cast<uint32_t>(source.uvLayers[layer].size())))
      return false;
  for (size_t g = 0; g < source.groups.size(); ++g) {
    const MeshGroup& group = source.groups[g];
    const auto material = static_cast<uint32_t>(g);
    if (!group.triangles.empty() &&
        !AddPrimitive(mesh, rasterizer.get(), r::kTriangleList, material, group.triangles))
      return false;
    for (const IndexList& strip : group.strips)
      if (!AddPrimitive(mesh, rasterizer.get(), r::kTriangleStrip, material, strip)) return false;
  }
  // Shadow geometry computes smooth normals of its own: the described ones go in after it. The
  // mesh's reader normalises the normals it reads, so they are stored as normalising keeps them.
  if (!pm::CleanGeometry(mesh)) return false;
  std::vector<RTFVector3D> normals = source.normals;
  RTFVector3D* computed = nullptr;
  uint32_t count = 0;
  if (normals.empty() && pm::GetNormalListF(mesh, &computed, &count)) normals.assign(computed, computed + count);
  for (RTFVector3D& normal : normals) normal = StableNormal(normal);
  return normals.empty() || pm::SetNormalListF(mesh, normals.data(), static_cast<uint32_t>(normals.size()));
}

bool FillMesh(RTInstance mesh, const json& description, const RoomWalls* walls, std::string* error) {
  if (!description.is_object()) return Fail(error, "a \"mesh\" is an object");
  std::vector<kivo::InstanceRef> held;
  if (!ReadMaterialList(description, "mesh", &held, error)) return false;
  auto source = ReadSource(description, held.size(), error);
  if (!source || (walls && !AddWalls(*walls, &*source, &held, error))) return false;
  std::vector<RTInstance> materials;
  for (const kivo::InstanceRef& material : held) materials.push_back(material.get());
  if (!BuildMesh(mesh, *source, materials))
    return Fail(error, "the mesh refused its geometry (is the rasterizer installed?)");
  return true;
}

}  // namespace kivopack
