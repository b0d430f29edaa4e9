// Skinning of 200 skins of 3000 vertices, each vertex under two bones of 30, posed by one motion:
// the skins' Deform (the pose from the evaluated motion, then the weighted sums of every vertex
// and normal) against the anchor that makes the same sums over flat arrays with GLM: each bone's
// world matrix as its local matrix times its parent's, its skinning matrix as its inverse bind
// times its world matrix, and each vertex and normal the weighted sum of its two bones' images.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <random>
#include <string>
#include <vector>

#include "host/core_host.h"
#include "kivo/scene/bone_model_calls.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/module_core.h"
#include "kivo/support/quaternion.h"

namespace {

using namespace kivo;

constexpr uint32_t kSkins = 200;
constexpr uint32_t kVertices = 3000;
constexpr uint32_t kBones = 30;

// Bone b hangs under bone (b - 1) / 2, a short way along its parent's x and turned a little.
uint32_t ParentOf(uint32_t bone) { return (bone - 1) / 2; }

RTFMatrix4x4 Placed(float angle, const RTFVector3D& at) {
  RTFMatrix4x4 x, y, both;
  Mat4RotationX(&x, angle);
  Mat4RotationY(&y, angle * 0.5f);
  Mat4Multiply(x, y, &both);
  Mat4SetTranslation(&both, at);
  return both;
}

struct Scene {
  std::vector<RTFVector3D> vertices;
  std::vector<RTFVector3D> normals;
  std::vector<RTFMatrix4x4> inverseBinds;  // per bone
  std::vector<RTFMatrix4x4> posed;         // per bone: the motion's local matrix
  // Per vertex: its two bones and weights.
  std::vector<uint32_t> first, second;
  std::vector<float> firstWeight;
};

Scene MakeScene() {
  Scene scene;
  std::mt19937 random(5);
  std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
  for (uint32_t i = 0; i < kVertices; ++i) {
    scene.vertices.push_back(RTFVector3D{unit(random), unit(random), unit(random), 0});
    RTFVector3D n{unit(random), unit(random), unit(random) + 2.0f, 0};
    const float length = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    scene.normals.push_back(RTFVector3D{n.x / length, n.y / length, n.z / length, 0});
    scene.first.push_back(i % kBones);
    scene.second.push_back((i * 7 + 3) % kBones);
    scene.firstWeight.push_back(0.25f + 0.5f * (unit(random) + 1) / 2);
  }
  for (uint32_t b = 0; b < kBones; ++b) {
    RTFMatrix4x4 bind = Placed(0.05f * b, RTFVector3D{-0.1f * b, 0.02f * b, 0, 0});
    Mat4InvertRigid(&bind);
    scene.inverseBinds.push_back(bind);
    scene.posed.push_back(Placed(0.1f + 0.01f * b, RTFVector3D{b ? 0.1f : 0.0f, 0.01f, 0, 0}));
  }
  return scene;
}

const Scene& TheScene() {
  static const Scene scene = MakeScene();
  return scene;
}

tesk::testing::CoreHost& Host() {
  static tesk::testing::CoreHost* host = [] {
    auto* started = new tesk::testing::CoreHost();
    for (const char* name : {"RTRenderable", "RTPolyModel", "RTMaterial", "RTEditable", "RTAnimTrack", "RTBoneModel"})
      started->InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    std::filesystem::create_symlink(RASTERIZER_PIX, started->root() / "components/rtrasterizer.so");
    if (!started->Start()) std::abort();
    SetModuleCore(&started->table());
    return started;
  }();
  return *host;
}

InstanceRef Make(const char16_t* className) {
  InstanceRef made;
  if (!Host().table().CreateInstanceByString(nullptr, className, made.out(), 0, 1)) std::abort();
  return made;
}

// One motion whose nodes hold the posed local matrices at time 0.
InstanceRef MakeMotion() {
  const Scene& scene = TheScene();
  InstanceRef motion = Make(motion::kClassName);
  std::vector<MotionNode*> nodes;
  for (uint32_t b = 0; b < kBones; ++b) {
    const RTFMatrix4x4& m = scene.posed[b];
    Quaternion q{};
    MatToQuat(m, &q);
    const RTKeyPos position{0, RTFVector3D{m.m[3][0], m.m[3][1], m.m[3][2], 0}};
    const KeyQuaternion k{q.w, RTFVector3D{q.x, q.y, q.z, 0}};
    const RTKeyRot rotation{0, k, k};
    MotionNode* node = nullptr;
    const std::u16string name = u"Bone" + std::u16string(1, static_cast<char16_t>(u'A' + b));
    motion::AddNode(motion.get(), name.c_str(), &position, &rotation, nullptr, 1, 1, 0, nullptr,
                    b ? nodes[ParentOf(b)] : nullptr, &node);
    nodes.push_back(node);
  }
  motion::UpdateFrame(motion.get(), 0, 0);
  return motion;
}

InstanceRef MakeSkin() {
  const Scene& scene = TheScene();
  InstanceRef skin = Make(bone_model::kClassName);
  bone_model::SetVectorListF(skin.get(), scene.vertices.data(), kVertices);
  bone_model::SetNormalListF(skin.get(), scene.normals.data(), kVertices);
  std::vector<RTBoneNode*> bones;
  for (uint32_t b = 0; b < kBones; ++b) {
    std::vector<uint32_t> indices;
    std::vector<float> weights;
    for (uint32_t i = 0; i < kVertices; ++i) {
      if (scene.first[i] == b) {
        indices.push_back(i);
        weights.push_back(scene.firstWeight[i]);
      }
      if (scene.second[i] == b) {
        indices.push_back(i);
        weights.push_back(1 - scene.firstWeight[i]);
      }
    }
    RTBoneNode* bone = nullptr;
    bone_model::AddNode(skin.get(), u"Bone", &scene.inverseBinds[b], &scene.posed[b],
                        static_cast<uint32_t>(indices.size()), indices.data(), weights.data(), nullptr, 0,
                        b ? bones[ParentOf(b)] : nullptr, &bone);
    bones.push_back(bone);
  }
  return skin;
}

// The anchor's scene in GLM's terms: row-major rows with row vectors are GLM's columns, so a
// product a x b is b * a.
struct AnchorScene {
  std::vector<glm::vec4> vertices;
  std::vector<glm::vec4> normals;
  std::vector<glm::mat4> inverseBinds;
  std::vector<glm::mat4> posed;
};

glm::mat4 Glm(const RTFMatrix4x4& m) { return glm::make_mat4(&m.m[0][0]); }

AnchorScene MakeAnchorScene() {
  const Scene& scene = TheScene();
  AnchorScene anchor;
  for (uint32_t i = 0; i < kVertices; ++i) {
    anchor.vertices.emplace_back(scene.vertices[i].x, scene.vertices[i].y, scene.vertices[i].z, 1.0f);
    anchor.normals.emplace_back(scene.normals[i].x, scene.normals[i].y, scene.normals[i].z, 0.0f);
  }
  for (uint32_t b = 0; b < kBones; ++b) {
    anchor.inverseBinds.push_back(Glm(scene.inverseBinds[b]));
    anchor.posed.push_back(Glm(scene.posed[b]));
  }
  return anchor;
}

void AnchorSkinning(const AnchorScene& anchor, std::vector<glm::vec4>& vertices, std::vector<glm::vec4>& normals) {
  const Scene& scene = TheScene();
  glm::mat4 world[kBones], skinning[kBones];
  for (uint32_t b = 0; b < kBones; ++b) {
    world[b] = b ? world[ParentOf(b)] * anchor.posed[b] : anchor.posed[b];
    skinning[b] = world[b] * anchor.inverseBinds[b];
  }
  for (uint32_t i = 0; i < kVertices; ++i) {
    const float w = scene.firstWeight[i];
    const glm::mat4& a = skinning[scene.first[i]];
    const glm::mat4& b = skinning[scene.second[i]];
    vertices[i] = w * (a * anchor.vertices[i]) + (1 - w) * (b * anchor.vertices[i]);
    normals[i] = w * (a * anchor.normals[i]) + (1 - w) * (b * anchor.normals[i]);
  }
}

void BM_Skinning_Tesk(benchmark::State& state) {
  InstanceRef motion = MakeMotion();
  std::vector<InstanceRef> skins;
  for (uint32_t s = 0; s < kSkins; ++s) skins.push_back(MakeSkin());
  RTFVector3D* vertices = nullptr;
  uint32_t count = 0;
  for (auto _ : state) {
    for (const InstanceRef& skin : skins) bone_model::Deform(skin.get(), motion.get());
    bone_model::GetVectorListF(skins.back().get(), &vertices, &count);
    benchmark::DoNotOptimize(vertices[count / 2]);
  }
  state.SetItemsProcessed(state.iterations() * kSkins * kVertices);
  // The same vertices as the anchor's, or the comparison means nothing.
  std::vector<glm::vec4> expected(kVertices), expectedNormals(kVertices);
  AnchorSkinning(MakeAnchorScene(), expected, expectedNormals);
  for (uint32_t i = 0; i < count; ++i) {
    const glm::vec3 got(vertices[i].x, vertices[i].y, vertices[i].z);
    if (glm::any(glm::greaterThan(glm::abs(got - glm::vec3(expected[i])), glm::vec3(1e-4f))))
      return state.SkipWithError("the skin's vertices differ from the anchor's");
  }
}
BENCHMARK(BM_Skinning_Tesk)->Unit(benchmark::kMillisecond);

void BM_Skinning_Anchor(benchmark::State& state) {
  const AnchorScene anchor = MakeAnchorScene();
  std::vector<std::vector<glm::vec4>> vertices(kSkins, std::vector<glm::vec4>(kVertices));
  std::vector<std::vector<glm::vec4>> normals(kSkins, std::vector<glm::vec4>(kVertices));
  for (auto _ : state) {
    for (uint32_t s = 0; s < kSkins; ++s) AnchorSkinning(anchor, vertices[s], normals[s]);
    benchmark::DoNotOptimize(vertices.back()[kVertices / 2]);
  }
  state.SetItemsProcessed(state.iterations() * kSkins * kVertices);
}
BENCHMARK(BM_Skinning_Anchor)->Unit(benchmark::kMillisecond);

}  // namespace
