#include "skin_description.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <vector>

#include "kivo/scene/bone_model_calls.h"
#include "kivo/support/matrix.h"
#include "kivo/support/vector.h"
#include "mesh_description.h"
#include "mesh_shapes.h"
#include "skeleton_description.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;
namespace bm = kivo::bone_model;

constexpr uint32_t kDefaultSegments = 8;
constexpr uint32_t kMinSegments = 3;
constexpr uint32_t kMaxSegments = 256;
// Along a capsule limb, where the child's share of a vertex starts, and the most it reaches.
constexpr float kShareFrom = 0.7f;
constexpr float kMostShare = 0.5f;

struct Influences {
  std::vector<uint32_t> vertices;
  std::vector<float> weights;

  void Add(uint32_t vertex, float weight) {
    vertices.push_back(vertex);
    weights.push_back(weight);
  }
};

// The skeleton at rest in the skin's space, and what the limbs give each bone.
struct Character {
  std::vector<Bone> bones;
  std::vector<RTFVector3D> joints;  // each bone's rest position: the offsets from the root down
  MeshSource flesh;
  std::vector<Influences> influences;  // per bone
};


std::optional<int> BoneNamed(const Character& character, const json& name) {
  if (!name.is_string()) return std::nullopt;
  for (size_t b = 0; b < character.bones.size(); ++b)
    if (character.bones[b].name == name.get<std::string>()) return static_cast<int>(b);
  return std::nullopt;
}

std::optional<int> FirstChild(const Character& character, int bone) {
  for (size_t b = 0; b < character.bones.size(); ++b)
    if (character.bones[b].parent == bone) return static_cast<int>(b);
  return std::nullopt;
}

// A placement that stands a shape's y axis along the unit direction, its origin at `at`.
RTFMatrix4x4 Along(const RTFVector3D& direction, const RTFVector3D& at) {
  const RTFVector3D reference = std::fabs(direction.z) < 0.9f ? RTFVector3D{0, 0, 1, 0} : RTFVector3D{1, 0, 0, 0};
  RTFVector3D side{}, back{};
  kivo::Vec3Cross(direction, reference, &side);
  kivo::Vec3Normalize(&side);
  kivo::Vec3Cross(side, direction, &back);
  RTFMatrix4x4 m;
  kivo::Mat4Identity(&m);
  const RTFVector3D rows[] = {side, direction, back};
  for (int row = 0; row < 3; ++row) {
    m.m[row][0] = rows[row].x;
    m.m[row][1] = rows[row].y;
    m.m[row][2] = rows[row].z;
  }
  kivo::Mat4SetTranslation(&m, at);
  return m;
}

// A capsule from the bone's joint to its first child's; vertices near the child's end are shared.
bool AddCapsule(Character* character, int bone, const json& radius, uint32_t segments, size_t group,
                std::string* error) {
  float r = 0;
  const auto child = FirstChild(*character, bone);
  if (!FiniteFloat(radius, &r) || r <= 0) return Fail(error, "a \"capsule\" is a radius above 0");
  if (!child) return Fail(error, "a capsule runs to the bone's first child: this bone has none");
  const RTFVector3D from = character->joints[bone];
  RTFVector3D direction = kivo::Vec3Subtract(character->joints[*child], from);
  const float length = kivo::Vec3Normalize(&direction);
  if (length <= r) return Fail(error, "a capsule's radius must stay below its bone's length");
  MeshSource shape = GenerateCapsule(r, length + r, segments);
  PlaceShape(Along(direction, kivo::Vec3Subtract(from, kivo::Vec3Scale(direction, r / 2))), &shape);
  const auto first = static_cast<uint32_t>(character->flesh.vertices.size());
  for (size_t i = 0; i < shape.vertices.size(); ++i) {
    const float along = kivo::Vec3Dot(kivo::Vec3Subtract(shape.vertices[i], from), direction) / length;
    const float share = std::clamp((along - kShareFrom) / (1 - kShareFrom), 0.0f, 1.0f) * kMostShare;
    const auto vertex = static_cast<uint32_t>(first + i);
    character->influences[bone].Add(vertex, 1 - share);
    if (share > 0) character->influences[*child].Add(vertex, share);
  }
  AppendShape(shape, group, &character->flesh);
  return true;
}

bool AddBox(Character* character, int bone, const json& limb, size_t group, std::string* error) {
  RTFVector3D size{}, at{};
  if (!ReadVector(limb["box"], &size) || size.x <= 0 || size.y <= 0 || size.z <= 0 ||
      (limb.contains("at") && !ReadVector(limb["at"], &at)))
    return Fail(error, "a \"box\" is three sizes above 0, \"at\" an offset [x, y, z] from the joint");
  MeshSource shape = GenerateBox(size);
  RTFMatrix4x4 placement;
  kivo::Mat4Identity(&placement);
  kivo::Mat4SetTranslation(&placement,
                           kivo::Vec3Add(character->joints[bone], RTFVector3D{at.x, at.y - size.y / 2, at.z, 0}));
  PlaceShape(placement, &shape);
  const auto first = static_cast<uint32_t>(character->flesh.vertices.size());
  for (size_t i = 0; i < shape.vertices.size(); ++i)
    character->influences[bone].Add(static_cast<uint32_t>(first + i), 1);
  AppendShape(shape, group, &character->flesh);
  return true;
}

bool AddLimbs(const json& description, size_t materialCount, Character* character, std::string* error) {
  uint32_t segments = kDefaultSegments;
  if (description.contains("segments")) {
    const json& value = description["segments"];
    if (!value.is_number_unsigned() || value.get<uint64_t>() < kMinSegments || value.get<uint64_t>() > kMaxSegments)
      return Fail(error, "\"segments\" is a number from 3 to 256");
    segments = value.get<uint32_t>();
  }
  if (!description.contains("limbs") || !description["limbs"].is_array() || description["limbs"].empty())
    return Fail(error, "a \"skin\" has a list of \"limbs\"");
  for (const json& limb : description["limbs"]) {
    const auto bone = limb.is_object() && limb.contains("bone") ? BoneNamed(*character, limb["bone"]) : std::nullopt;
    if (!bone) return Fail(error, "every limb names a \"bone\" of the skeleton");
    const std::string where = "the limb of " + character->bones[*bone].name + ": ";
    // A skin's stream makes the root's inverse bind the identity, which fits no flesh made in the
    // skin's space.
    if (*bone == 0) return Fail(error, where + "the root bone carries no limb");
    const bool capsule = limb.contains("capsule");
    if (capsule == limb.contains("box")) return Fail(error, where + "a limb is a \"capsule\" or a \"box\"");
    const json material = limb.contains("material") ? limb["material"] : json(size_t{0});
    if (!material.is_number_unsigned() || material.get<uint64_t>() >= materialCount)
      return Fail(error, where + "a limb's \"material\" is the index of one of the skin's materials");
    const auto group = material.get<size_t>();
    if (!(capsule ? AddCapsule(character, *bone, limb["capsule"], segments, group, error)
                  : AddBox(character, *bone, limb, group, error)))
      return Fail(error, where + *error);
  }
  return true;
}

RTFMatrix4x4 Moved(const RTFVector3D& by) {
  RTFMatrix4x4 m;
  kivo::Mat4Identity(&m);
  kivo::Mat4SetTranslation(&m, by);
  return m;
}

// The cone lengths of the "limits", by bone.
bool ReadConeLengths(const json& description, const Character& character, std::map<int, float>* lengths,
                     std::string* error) {
  if (!description.contains("limits")) return true;
  if (!description["limits"].is_array()) return Fail(error, "\"limits\" is a list");
  for (const json& limit : description["limits"]) {
    const auto bone = limit.is_object() && limit.contains("bone") ? BoneNamed(character, limit["bone"]) : std::nullopt;
    if (!bone) return Fail(error, "every limit names a \"bone\" of the skeleton");
    float length = 0;
    if (limit.contains("coneLength") && !FiniteFloat(limit["coneLength"], &length))
      return Fail(error, "a \"coneLength\" is a number");
    (*lengths)[*bone] = length;
  }
  return true;
}

bool AddBones(RTInstance skin, const Character& character, const std::map<int, float>& coneLengths,
              std::vector<RTBoneNode*>* made, std::string* error) {
  for (size_t b = 0; b < character.bones.size(); ++b) {
    const Bone& bone = character.bones[b];
    const RTFMatrix4x4 inverseBind = Moved(b ? kivo::Vec3Scale(character.joints[b], -1) : RTFVector3D{});
    const RTFMatrix4x4 restLocal = Moved(b ? bone.offset : RTFVector3D{});
    const Influences& influences = character.influences[b];
    const RTFVector3D pivot{};
    const auto cone = coneLengths.find(static_cast<int>(b));
    RTBoneNode* node = nullptr;
    if (!bm::AddNode(skin, Wide(bone.name).c_str(), &inverseBind, &restLocal,
                     static_cast<uint32_t>(influences.vertices.size()), influences.vertices.data(),
                     influences.weights.data(), &pivot, cone == coneLengths.end() ? 0.0f : cone->second,
                     bone.parent < 0 ? nullptr : (*made)[bone.parent], &node))
      return Fail(error, "the skin refused the bone " + bone.name);
    made->push_back(node);
  }
  return true;
}

// Reads an optional pair of numbers into the two values.
bool ReadPair(const json& limit, const char* field, float* first, float* second) {
  if (!limit.contains(field)) return true;
  const json& pair = limit[field];
  return pair.is_array() && pair.size() == 2 && FiniteFloat(pair[0], first) && FiniteFloat(pair[1], second);
}

// The constraints of each limit over the bone's own values.
bool SetLimits(RTInstance skin, const json& description, const Character& character,
               const std::vector<RTBoneNode*>& made, std::string* error) {
  if (!description.contains("limits")) return true;
  for (const json& limit : description["limits"]) {
    RTBoneNode* bone = made[*BoneNamed(character, limit["bone"])];
    RTFVector3D sweep{};
    float radiusA = 0, radiusB = 0, arcMin = 0, arcMax = 0, twistMin = 0, twistMax = 0;
    uint32_t dof = 0;
    bm::GetIKTSConstraints(skin, bone, &sweep, &radiusA, &radiusB, &arcMin, &arcMax, &twistMin, &twistMax, &dof);
    const bool read =
        (!limit.contains("sweep") || ReadVector(limit["sweep"], &sweep)) &&
        ReadPair(limit, "radius", &radiusA, &radiusB) && ReadPair(limit, "arc", &arcMin, &arcMax) &&
        ReadPair(limit, "twist", &twistMin, &twistMax) &&
        (!limit.contains("dof") ||
         (limit["dof"].is_number_unsigned() && limit["dof"].get<uint64_t>() >= 1 && limit["dof"].get<uint64_t>() <= 3));
    if (!read)
      return Fail(error, "the limit of " + limit["bone"].get<std::string>() +
                             ": \"sweep\" is [x, y, z], \"radius\", \"arc\" and \"twist\" pairs of numbers, \"dof\" 1 "
                             "to 3");
    if (limit.contains("dof")) dof = limit["dof"].get<uint32_t>();
    bm::SetIKTSConstraints(skin, bone, &sweep, radiusA, radiusB, arcMin, arcMax, twistMin, twistMax, dof);
  }
  return true;
}

bool SetSettings(RTInstance skin, const json& description, std::string* error) {
  if (!description.contains("ik")) return true;
  const json& ik = description["ik"];
  float damper = 0, distance = 0;
  const bool valid = ik.is_object() && (!ik.contains("damper") || FiniteFloat(ik["damper"], &damper)) &&
                     (!ik.contains("goalDistance") || FiniteFloat(ik["goalDistance"], &distance)) &&
                     (!ik.contains("iterations") ||
                      (ik["iterations"].is_number_unsigned() && ik["iterations"].get<uint64_t>() <= INT32_MAX));
  if (!valid)
    return Fail(error,
                "\"ik\" has a \"damper\" and a \"goalDistance\" that are numbers and a number of "
                "\"iterations\"");
  if (ik.contains("damper")) bm::SetIKDamper(skin, damper);
  if (ik.contains("goalDistance")) bm::SetIKGoalDistance(skin, distance);
  if (ik.contains("iterations")) bm::SetIKIterations(skin, ik["iterations"].get<int32_t>());
  return true;
}

bool AddChains(RTInstance skin, const json& description, std::string* error) {
  if (!description.contains("chains")) return true;
  if (!description["chains"].is_array()) return Fail(error, "\"chains\" is a list");
  for (const json& chain : description["chains"]) {
    const auto text = [&](const char* field) {
      return chain.is_object() && chain.contains(field) && chain[field].is_string();
    };
    if (!text("name") || !text("root") || !text("endEffector"))
      return Fail(error, "a chain has a \"name\", a \"root\" and an \"endEffector\"");
    int32_t index = 0;
    if (!bm::CreateIKChain(skin, Wide(chain["root"].get<std::string>()).c_str(),
                           Wide(chain["endEffector"].get<std::string>()).c_str(),
                           Wide(chain["name"].get<std::string>()).c_str(), &index))
      return Fail(error, "the chain " + chain["name"].get<std::string>() +
                             " does not run from its end effector up to its root");
  }
  return true;
}

}  // namespace

bool FillSkin(RTInstance skin, const json& description, const std::filesystem::path& folder, std::string* error) {
  if (!description.is_object() || !description.contains("skeleton") || !description["skeleton"].is_string())
    return Fail(error, "a \"skin\" names its \"skeleton\" file");
  Character character;
  auto bones = ReadSkeleton(folder / description["skeleton"].get<std::string>(), error);
  if (!bones) return false;
  character.bones = std::move(*bones);
  for (const Bone& bone : character.bones)
    character.joints.push_back(bone.parent < 0 ? bone.offset
                                               : kivo::Vec3Add(character.joints[bone.parent], bone.offset));
  character.influences.resize(character.bones.size());
  std::vector<kivo::InstanceRef> held;
  std::map<int, float> coneLengths;
  if (!ReadMaterialList(description, "skin", &held, error) || !AddLimbs(description, held.size(), &character, error) ||
      !ReadConeLengths(description, character, &coneLengths, error))
    return false;
  std::vector<RTInstance> materials;
  for (const kivo::InstanceRef& material : held) materials.push_back(material.get());
  if (!BuildMesh(skin, character.flesh, materials))
    return Fail(error, "the skin refused its flesh (is the rasterizer installed?)");
  std::vector<RTBoneNode*> made;
  return AddBones(skin, character, coneLengths, &made, error) && SetLimits(skin, description, character, made, error) &&
         SetSettings(skin, description, error) && AddChains(skin, description, error);
}

}  // namespace kivopack
