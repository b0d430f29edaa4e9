#include "motion_description.h"

#include <cmath>
#include <optional>
#include <vector>

#include "kivo/scene/motion_calls.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/quaternion_curve.h"
#include "skeleton_description.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;

constexpr double kPi = 3.14159265358979323846;
constexpr double kMaxDuration = 600;  // seconds
constexpr double kMaxKeysPerSecond = 120;

// base + swing x sin(2 pi cycles t / duration + phase), per axis.
struct Curve {
  size_t bone = 0;
  bool rotation = false;
  RTFVector3D base{};
  RTFVector3D swing{};
  double cycles = 1;
  double phase = 0;  // degrees
};

struct Family {
  double duration = 1;
  double keysPerSecond = 1;
  bool continuous = false;
  std::vector<Curve> curves;
};

bool Number(const json& item, const char* key, double* out) {
  if (!item.contains(key)) return true;
  float value = 0;
  if (!FiniteFloat(item[key], &value)) return false;
  *out = value;
  return true;
}

bool ReadCurve(const json& item, const std::vector<Bone>& bones, Curve* curve, std::string* error) {
  if (!item.is_object() || !item.contains("bone") || !item["bone"].is_string() ||
      item.contains("rotation") == item.contains("position")) {
    *error = "needs a \"bone\" and either a \"rotation\" or a \"position\"";
    return false;
  }
  const std::string name = item["bone"].get<std::string>();
  curve->bone = bones.size();
  for (size_t i = 0; i < bones.size(); ++i)
    if (bones[i].name == name) curve->bone = i;
  if (curve->bone == bones.size()) {
    *error = "the bone \"" + name + "\" is not in the skeleton";
    return false;
  }
  curve->rotation = item.contains("rotation");
  if (!ReadVector(item[curve->rotation ? "rotation" : "position"], &curve->base) ||
      (item.contains("swing") && !ReadVector(item["swing"], &curve->swing)) ||
      !Number(item, "cycles", &curve->cycles) || !Number(item, "phase", &curve->phase)) {
    *error = "the base and \"swing\" are three finite numbers, \"cycles\" and \"phase\" finite numbers";
    return false;
  }
  return true;
}

std::optional<Family> ReadFamily(const std::filesystem::path& file, const std::vector<Bone>& bones,
                                 std::string* error) {
  const auto json = ReadJson(file, error);
  if (!json) return std::nullopt;
  Family family;
  const bool valid =
      json->is_object() && Number(*json, "duration", &family.duration) &&
      Number(*json, "keysPerSecond", &family.keysPerSecond) && family.duration > 0 && family.duration <= kMaxDuration &&
      family.keysPerSecond > 0 && family.keysPerSecond <= kMaxKeysPerSecond && json->contains("curves") &&
      (*json)["curves"].is_array() && (!json->contains("continuous") || (*json)["continuous"].is_boolean());
  if (!valid) {
    *error = file.string() +
             ": a family needs a \"duration\" of up to 600 seconds, \"keysPerSecond\" up to 120 "
             "and a list of \"curves\"";
    return std::nullopt;
  }
  family.continuous = json->value("continuous", false);
  for (const auto& item : (*json)["curves"]) {
    Curve curve;
    if (!ReadCurve(item, bones, &curve, error)) {
      *error = file.string() + ": curve " + std::to_string(family.curves.size()) + " " + *error;
      return std::nullopt;
    }
    family.curves.push_back(curve);
  }
  return family;
}

// A small change of its own for each variation number; 0 changes nothing.
void Vary(Family* family, int64_t variation) {
  if (variation == 0) return;
  const auto v = static_cast<double>(variation);
  family->duration *= 1 + 0.1 * std::cos(0.7 * v);
  for (size_t i = 0; i < family->curves.size(); ++i) {
    Curve& c = family->curves[i];
    const double scale = 1 + 0.2 * std::sin(1.3 * v + static_cast<double>(i));
    c.swing = RTFVector3D{static_cast<float>(c.swing.x * scale), static_cast<float>(c.swing.y * scale),
                          static_cast<float>(c.swing.z * scale), 0};
    c.phase += 37 * v;
  }
}

RTFVector3D CurveAt(const Curve& c, double t, double duration) {
  const double wave = std::sin(2 * kPi * c.cycles * t / duration + c.phase * kPi / 180);
  return RTFVector3D{static_cast<float>(c.base.x + c.swing.x * wave), static_cast<float>(c.base.y + c.swing.y * wave),
                     static_cast<float>(c.base.z + c.swing.z * wave), 0};
}

kivo::Quaternion Turn(double degrees, int axis) {
  const double half = degrees * kPi / 360;
  kivo::Quaternion q{static_cast<float>(std::cos(half)), 0, 0, 0};
  (axis == 0 ? q.x : axis == 1 ? q.y : q.z) = static_cast<float>(std::sin(half));
  return q;
}

// About x, then y, then z.
kivo::Quaternion FromEuler(const RTFVector3D& degrees) {
  kivo::Quaternion q = Turn(degrees.x, 0);
  kivo::QuatMultiply(q, Turn(degrees.y, 1), &q);
  kivo::QuatMultiply(q, Turn(degrees.z, 2), &q);
  return q;
}

KeyQuaternion AsKey(const kivo::Quaternion& q) { return KeyQuaternion{q.w, RTFVector3D{q.x, q.y, q.z, 0}}; }

struct BoneKeys {
  std::vector<RTKeyPos> positions;
  std::vector<RTKeyRot> rotations;
};

std::vector<BoneKeys> Generate(const std::vector<Bone>& bones, const Family& family) {
  const auto intervals = static_cast<size_t>(std::max(1.0, std::round(family.duration * family.keysPerSecond)));
  std::vector<BoneKeys> keys(bones.size());
  for (size_t b = 0; b < bones.size(); ++b) {
    const Curve* position = nullptr;
    const Curve* rotation = nullptr;
    for (const Curve& c : family.curves)
      if (c.bone == b) (c.rotation ? rotation : position) = &c;
    auto samples = [&](const Curve* c) {
      return c && (c->swing.x != 0 || c->swing.y != 0 || c->swing.z != 0) ? intervals + 1 : size_t{1};
    };
    auto time = [&](size_t k) {
      return static_cast<float>(family.duration * static_cast<double>(k) / static_cast<double>(intervals));
    };
    for (size_t k = 0; k < samples(position); ++k) {
      RTFVector3D at = bones[b].offset;
      if (position) {
        const RTFVector3D moved = CurveAt(*position, time(k), family.duration);
        at = RTFVector3D{at.x + moved.x, at.y + moved.y, at.z + moved.z, 0};
      }
      keys[b].positions.push_back(RTKeyPos{time(k), at});
    }
    kivo::Quaternion previous{1, 0, 0, 0};
    for (size_t k = 0; k < samples(rotation); ++k) {
      kivo::Quaternion q = rotation ? FromEuler(CurveAt(*rotation, time(k), family.duration)) : previous;
      kivo::QuatAlign(&q, previous);
      previous = q;
      keys[b].rotations.push_back(RTKeyRot{time(k), AsKey(q), AsKey(q)});
    }
  }
  return keys;
}

}  // namespace

bool FillMotion(RTInstance motion, const json& description, const std::filesystem::path& folder, std::string* error) {
  if (!description.is_object() || !description.contains("skeleton") || !description["skeleton"].is_string() ||
      !description.contains("family") || !description["family"].is_string() ||
      (description.contains("variation") && !description["variation"].is_number_integer())) {
    *error = "a \"motion\" names a \"skeleton\" and a \"family\" file and may give a whole \"variation\"";
    return false;
  }
  const auto bones = ReadSkeleton(folder / description["skeleton"].get<std::string>(), error);
  if (!bones) return false;
  auto family = ReadFamily(folder / description["family"].get<std::string>(), *bones, error);
  if (!family) return false;
  Vary(&*family, description.value("variation", int64_t{0}));

  const std::vector<BoneKeys> keys = Generate(*bones, *family);
  std::vector<kivo::MotionNode*> nodes(bones->size());
  for (size_t b = 0; b < bones->size(); ++b) {
    const Bone& bone = (*bones)[b];
    const RTFVector3D pivot{};
    if (!kivo::motion::AddNode(motion, Wide(bone.name).c_str(), keys[b].positions.data(), keys[b].rotations.data(),
                               nullptr, static_cast<uint32_t>(keys[b].positions.size()),
                               static_cast<uint32_t>(keys[b].rotations.size()), 0, &pivot,
                               bone.parent < 0 ? nullptr : nodes[static_cast<size_t>(bone.parent)], &nodes[b])) {
      *error = "the motion refused the node \"" + bone.name + "\"";
      return false;
    }
  }
  if (!kivo::motion::SetInfo(motion, 0, static_cast<float>(family->duration)) ||
      !kivo::motion::SetContinuous(motion, family->continuous ? 1 : 0)) {
    *error = "the motion refused its times";
    return false;
  }
  return true;
}

}  // namespace kivopack
