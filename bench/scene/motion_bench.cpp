// UpdateFrame over 200 motions of 30 nodes with 60 keys per channel, against a GLM anchor that
// evaluates the same keys the same way: each channel's keys around the time found by halves,
// squad through glm::slerp for rotation, glm::mix for position and scale. Before the benchmarks
// run, both sides are checked to give the same values.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>
#include <random>
#include <vector>

#include "host/core_host.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/quaternion_curve.h"

namespace {

using namespace kivo;

constexpr int kMotions = 200;
constexpr int kNodes = 30;
constexpr int kKeys = 60;
constexpr float kKeysPerSecond = 30;
constexpr float kDuration = (kKeys - 1) / kKeysPerSecond;
constexpr int kTimes = 97;  // evaluation times cycle through this many points of the motion

constexpr std::string_view kComponents[] = {"RTComponent", "RTStream",        "RTMemoryStream", "RTBrellinFileStream",
                                            "RTResource",  "RTInstanceStore", "RTEditable",     "RTAnimTrack"};

tesk::testing::CoreHost& Host() { return tesk::testing::ProcessCore(kComponents); }

// Times before the last key but one: the looped last segment runs toward key 0, which may lie on
// the far side, where glm::slerp would take the other arc.
float TimeAt(int i) { return (kKeys - 2) / kKeysPerSecond * static_cast<float>(i % kTimes) / kTimes; }

struct NodeKeys {
  std::vector<RTKeyPos> positions;
  std::vector<RTKeyRot> rotations;
  std::vector<RTKeyScl> scales;
};

// Random walks from a fixed seed; rotation keys sign-aligned.
NodeKeys RandomKeys(std::mt19937& random) {
  std::uniform_real_distribution<float> step(-0.1f, 0.1f);
  NodeKeys keys;
  RTFVector3D p{0, 0, 0, 0}, s{1, 1, 1, 0};
  Quaternion q{1, 0, 0, 0};
  for (int k = 0; k < kKeys; ++k) {
    const float t = k / kKeysPerSecond;
    p = RTFVector3D{p.x + step(random), p.y + step(random), p.z + step(random), 0};
    s = RTFVector3D{s.x + step(random) / 10, s.y + step(random) / 10, s.z + step(random) / 10, 0};
    Quaternion turn{1, step(random), step(random), step(random)};
    QuatMultiply(q, turn, &q);
    const float length = std::sqrt(QuatDot(q, q));
    q = Quaternion{q.w / length, q.x / length, q.y / length, q.z / length};
    const KeyQuaternion key{q.w, RTFVector3D{q.x, q.y, q.z, 0}};
    keys.positions.push_back(RTKeyPos{t, p});
    keys.rotations.push_back(RTKeyRot{t, key, key});
    keys.scales.push_back(RTKeyScl{t, s});
  }
  return keys;
}

// A motion of kNodes nodes: a spine of ten with two arms of ten. Its control points are rebuilt.
RTInstance MakeMotion(std::mt19937& random) {
  RTInstance motion = nullptr;
  if (!Host().table().CreateInstanceByString(nullptr, motion::kClassName, &motion, 0, 0)) std::abort();
  std::vector<MotionNode*> nodes;
  for (int n = 0; n < kNodes; ++n) {
    const NodeKeys keys = RandomKeys(random);
    MotionNode* parent = n == 0 ? nullptr : nodes[n % 10 == 0 ? 9 : n - 1];
    MotionNode* node = nullptr;
    const RTFVector3D pivot{};
    if (!motion::AddNode(motion, u"node", keys.positions.data(), keys.rotations.data(), keys.scales.data(), kKeys,
                         kKeys, kKeys, &pivot, parent, &node))
      std::abort();
    nodes.push_back(node);
  }
  if (!motion::SetInfo(motion, 0, kDuration) || !motion::SetContinuous(motion, 1)) std::abort();
  return motion;
}

const std::vector<RTInstance>& Motions() {
  static const std::vector<RTInstance> motions = [] {
    std::mt19937 random(0x6D6F7469u);
    std::vector<RTInstance> made;
    for (int m = 0; m < kMotions; ++m) made.push_back(MakeMotion(random));
    return made;
  }();
  return motions;
}

// The anchor's copy of one node's keys (rotation keys with their control points as rebuilt), each
// channel with its own times, as ours has.
struct AnchorNode {
  std::vector<float> positionTimes, rotationTimes, scaleTimes;
  std::vector<glm::vec3> positions, scales;
  std::vector<glm::quat> rotations, controls;
  glm::vec3 position{}, scale{};
  glm::quat rotation{};
};

// Calls visit(node) for every node of the motion, depth first, children in order.
template <class Visit>
void EachNode(RTInstance motion, Visit&& visit) {
  MotionNode* root = nullptr;
  motion::GetRootNode(motion, &root);
  std::vector<MotionNode*> walk{root};
  while (!walk.empty()) {
    MotionNode* node = walk.back();
    walk.pop_back();
    for (uint32_t c = node->childCount; c > 0; --c) walk.push_back(node->children[c - 1]);
    visit(node);
  }
}

glm::quat ToGlm(const KeyQuaternion& q) { return glm::quat(q.w, q.v.x, q.v.y, q.v.z); }
glm::vec3 ToGlm(const RTFVector3D& v) { return glm::vec3(v.x, v.y, v.z); }

std::vector<AnchorNode>& AnchorNodes() {
  static std::vector<AnchorNode> nodes = [] {
    std::vector<AnchorNode> copied;
    for (RTInstance motion : Motions()) {
      EachNode(motion, [&](const MotionNode* node) {
        AnchorNode a;
        for (int k = 0; k < kKeys; ++k) {
          a.positionTimes.push_back(node->positions.keys[k].time);
          a.rotationTimes.push_back(node->rotations.keys[k].time);
          a.scaleTimes.push_back(node->scales.keys[k].time);
          a.positions.push_back(ToGlm(node->positions.keys[k].position));
          a.scales.push_back(ToGlm(node->scales.keys[k].scale));
          a.rotations.push_back(ToGlm(node->rotations.keys[k].rotation));
          a.controls.push_back(ToGlm(node->rotations.keys[k].control));
        }
        copied.push_back(std::move(a));
      });
    }
    return copied;
  }();
  return nodes;
}

// The segment of a looped motion at t: its first key, the key it runs toward, how far along.
void Segment(const std::vector<float>& times, float t, size_t* from, size_t* to, float* s) {
  const size_t n = times.size();
  const size_t i = static_cast<size_t>(std::upper_bound(times.begin() + 1, times.end() - 1, t) - times.begin());
  *from = i - 1;
  *to = i == n - 1 ? 0 : i;
  *s = (t - times[i - 1]) / (times[i] - times[i - 1]);
}

void EvaluateAnchor(AnchorNode& a, float t) {
  size_t from = 0, to = 0;
  float s = 0;
  Segment(a.rotationTimes, t, &from, &to, &s);
  a.rotation = glm::slerp(glm::slerp(a.rotations[from], a.rotations[to], s),
                          glm::slerp(a.controls[from], a.controls[to], s), 2 * s * (1 - s));
  Segment(a.positionTimes, t, &from, &to, &s);
  a.position = glm::mix(a.positions[from], a.positions[to], s);
  Segment(a.scaleTimes, t, &from, &to, &s);
  a.scale = glm::mix(a.scales[from], a.scales[to], s);
}

bool Near(float a, float b) { return std::fabs(a - b) <= 1e-4f * (1 + std::fabs(b)); }

// Both sides at the same times give the same values (rotations up to sign: GLM takes the shorter
// arc by itself).
bool SidesAgree() {
  std::vector<AnchorNode>& anchor = AnchorNodes();
  for (int i : {0, 13, 41, 96}) {
    const float t = TimeAt(i);
    size_t index = 0;
    bool agree = true;
    for (RTInstance motion : Motions()) {
      if (!motion::UpdateFrame(motion, t, 1)) return false;
      EachNode(motion, [&](const MotionNode* node) {
        AnchorNode& a = anchor[index++];
        EvaluateAnchor(a, t);
        const KeyQuaternion& q = node->rotation.rotation;
        const float dot = q.w * a.rotation.w + q.v.x * a.rotation.x + q.v.y * a.rotation.y + q.v.z * a.rotation.z;
        if (agree &&
            (!Near(node->position.position.x, a.position.x) || !Near(node->position.position.z, a.position.z) ||
             !Near(node->scale.scale.y, a.scale.y) || !Near(std::fabs(dot), 1))) {
          std::fprintf(stderr, "motion_bench: node %zu differs from the anchor at t = %f\n", index - 1, t);
          agree = false;
        }
      });
    }
    if (!agree) return false;
  }
  return true;
}

void BM_UpdateFrame_Tesk(benchmark::State& state) {
  const std::vector<RTInstance>& motions = Motions();
  int i = 0;
  for (auto _ : state) {
    const float t = TimeAt(i++);
    for (RTInstance motion : motions) motion::UpdateFrame(motion, t, 1);
  }
  state.SetItemsProcessed(state.iterations() * kMotions * kNodes);
}

void BM_UpdateFrame_Anchor(benchmark::State& state) {
  std::vector<AnchorNode>& nodes = AnchorNodes();
  int i = 0;
  for (auto _ : state) {
    const float t = TimeAt(i++);
    for (AnchorNode& node : nodes) EvaluateAnchor(node, t);
    benchmark::DoNotOptimize(nodes.data());
  }
  state.SetItemsProcessed(state.iterations() * kMotions * kNodes);
}

BENCHMARK(BM_UpdateFrame_Tesk)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UpdateFrame_Anchor)->Unit(benchmark::kMicrosecond);

// Checked once before main runs the benchmarks.
[[maybe_unused]] const bool kChecked = [] {
  if (!SidesAgree()) std::exit(1);
  return true;
}();

}  // namespace
