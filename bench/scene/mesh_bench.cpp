// Vertex lighting of a mesh of 3000 vertices on a sphere under three lights (directional, point
// and spot): the mesh's ProcessFrame, whose fixed-function path lights the vertices on the
// processor (the mesh has no groups, and the rasterizer no drawing context, so that nothing is
// drawn), against the anchor that makes the same sums over flat arrays with GLM: the colours set
// to the ambient colour, each light's part added with its light-to-object matrix, then the
// colour multiplier and the clamp.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <random>
#include <vector>

#include "host/core_host.h"
#include "kivo/light/light_calls.h"
#include "kivo/scene/poly_model_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/matrix.h"
#include "kivo/support/module_core.h"

namespace {

using namespace kivo;

constexpr uint32_t kVertices = 3000;
constexpr RTFColorRGB kAmbient{0.2f, 0.2f, 0.2f, 1.0f};
constexpr RTFColorRGB kMultiplier{0.9f, 0.8f, 0.7f, 1.0f};
constexpr float kRange = 50.0f;
constexpr float kPenumbra = 0.6f;
constexpr float kUmbra = 1.2f;

struct LightSpec {
  const char16_t* className;
  RTFColorRGB colour;
  RTFMatrix4x4 placement;
};

RTFMatrix4x4 Placed(float angleX, float angleY, const RTFVector3D& at) {
  RTFMatrix4x4 x, y, both;
  Mat4RotationX(&x, angleX);
  Mat4RotationY(&y, angleY);
  Mat4Multiply(x, y, &both);
  Mat4SetTranslation(&both, at);
  return both;
}

struct Scene {
  std::vector<RTFVector3D> vertices;
  std::vector<RTFVector3D> normals;
  RTFMatrix4x4 meshPlacement;
  std::vector<LightSpec> lights;
};

// Points spread over the unit sphere, each with its outward normal.
Scene MakeScene() {
  Scene scene;
  std::mt19937 random(3);
  std::normal_distribution<float> axis(0.0f, 1.0f);
  while (scene.vertices.size() < kVertices) {
    RTFVector3D v{axis(random), axis(random), axis(random), 0.0f};
    const float length = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    if (length < 1e-3f) continue;
    v = RTFVector3D{v.x / length, v.y / length, v.z / length, 0.0f};
    scene.vertices.push_back(v);
    scene.normals.push_back(v);
  }
  scene.meshPlacement = Placed(0.3f, 0.5f, RTFVector3D{4, 0, -2, 0});
  scene.lights = {
      {light::kInfDirLightClass, {0.6f, 0.6f, 0.5f, 1}, Placed(-0.8f, 0.4f, RTFVector3D{0, 10, 0, 0})},
      {light::kPointLightClass, {0.5f, 0.3f, 0.2f, 1}, Placed(0, 0, RTFVector3D{6, 2, 1, 0})},
      {light::kSpotLightClass, {0.3f, 0.4f, 0.7f, 1}, Placed(-0.2f, 0.9f, RTFVector3D{2, 1, 0, 0})},
  };
  return scene;
}

const Scene& TheScene() {
  static const Scene scene = MakeScene();
  return scene;
}

tesk::testing::CoreHost& Host() {
  static tesk::testing::CoreHost* host = [] {
    auto* started = new tesk::testing::CoreHost();
    for (const char* name : {"RTRenderable", "RTPolyModel", "RTMaterial", "RTSceneNode", "RTLight", "RTInfDirLight",
                             "RTPointLight", "RTSpotLight"})
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

InstanceRef NodeAt(const RTFMatrix4x4& placement) {
  InstanceRef node = Make(scene_node::kClassName);
  scene_node::SetLocalMatrix(node.get(), &placement);
  return node;
}

glm::mat4 Glm(const RTFMatrix4x4& m) { return glm::make_mat4(&m.m[0][0]); }

// A light's part for a vertex by Lambert and the linear falloff; *unit the way to the light.
float PointPart(const glm::vec3& lightAt, const glm::vec3& vertex, const glm::vec3& normal, glm::vec3* unit) {
  const glm::vec3 toLight = lightAt - vertex;
  const float distance = glm::length(toLight);
  if (distance <= 0.0f) return 0.0f;
  *unit = toLight / distance;
  return std::max(0.0f, glm::dot(normal, *unit)) * std::max(0.0f, 1.0f - distance / kRange);
}

// The scene in GLM's terms. Row-major rows with row vectors are GLM's columns, so the product
// light x inverse is inverse * light.
struct AnchorScene {
  std::vector<glm::vec3> vertices;
  std::vector<glm::vec3> normals;
  glm::mat4 inverse;
  std::vector<glm::mat4> lights;
};

AnchorScene MakeAnchorScene() {
  const Scene& scene = TheScene();
  AnchorScene anchor;
  for (uint32_t i = 0; i < kVertices; ++i) {
    anchor.vertices.emplace_back(scene.vertices[i].x, scene.vertices[i].y, scene.vertices[i].z);
    anchor.normals.emplace_back(scene.normals[i].x, scene.normals[i].y, scene.normals[i].z);
  }
  anchor.inverse = glm::inverse(Glm(scene.meshPlacement));
  for (const LightSpec& spec : scene.lights) anchor.lights.push_back(Glm(spec.placement));
  return anchor;
}

void AnchorLighting(const AnchorScene& anchor, std::vector<glm::vec4>& colours) {
  const float outer = std::cos(kUmbra * 0.5f), inner = std::cos(kPenumbra * 0.5f);
  std::fill(colours.begin(), colours.end(), glm::vec4(kAmbient.r, kAmbient.g, kAmbient.b, kAmbient.a));
  for (size_t l = 0; l < anchor.lights.size(); ++l) {
    const LightSpec& spec = TheScene().lights[l];
    const glm::mat4 toObject = anchor.inverse * anchor.lights[l];
    const glm::vec3 colour(spec.colour.r, spec.colour.g, spec.colour.b);
    const glm::vec3 back = glm::normalize(glm::vec3(toObject[2]));
    const glm::vec3 at(toObject[3]);
    if (spec.className == light::kInfDirLightClass) {
      for (uint32_t i = 0; i < kVertices; ++i)
        colours[i] += glm::vec4(colour * std::max(0.0f, glm::dot(anchor.normals[i], back)), 0.0f);
      continue;
    }
    const bool spot = spec.className == light::kSpotLightClass;
    for (uint32_t i = 0; i < kVertices; ++i) {
      glm::vec3 unit(0.0f);
      float part = PointPart(at, anchor.vertices[i], anchor.normals[i], &unit);
      if (spot) part *= std::clamp((glm::dot(back, unit) - outer) / (inner - outer), 0.0f, 1.0f);
      colours[i] += glm::vec4(colour * part, 0.0f);
    }
  }
  const glm::vec4 multiplier(kMultiplier.r, kMultiplier.g, kMultiplier.b, kMultiplier.a);
  for (glm::vec4& c : colours) c = glm::clamp(c * multiplier, 0.0f, 1.0f);
}

void BM_VertexLighting_Tesk(benchmark::State& state) {
  const Scene& scene = TheScene();
  InstanceRef rasterizer;
  Host().table().GetFirstInstanceByString(nullptr, rasterizer::kClassName, rasterizer.out(), 1, nullptr);
  InstanceRef mesh = Make(poly_model::kClassName);
  poly_model::SetVectorListF(mesh.get(), scene.vertices.data(), kVertices);
  poly_model::SetNormalListF(mesh.get(), scene.normals.data(), kVertices);
  poly_model::SetColorMultiplierFVRGBA(mesh.get(), &kMultiplier);
  InstanceRef meshNode = NodeAt(scene.meshPlacement);
  std::vector<InstanceRef> lightNodes;
  std::vector<RTInstance> lights;
  for (const LightSpec& spec : scene.lights) {
    InstanceRef entity = Make(spec.className);
    light::SetColor(entity.get(), &spec.colour);
    light::SetRange(entity.get(), kRange);
    light::SetCone(entity.get(), kPenumbra, kUmbra);
    lightNodes.push_back(NodeAt(spec.placement));
    scene_node::SetEntity(lightNodes.back().get(), entity.get());
    lights.push_back(lightNodes.back().get());
  }
  RTSceneNodeEntityFrameInformation frame{};
  frame.node = meshNode.get();
  frame.rasterizer = rasterizer.get();
  frame.ambient = kAmbient;
  frame.lightCount = static_cast<uint32_t>(lights.size());
  frame.lights = lights.data();
  RTFColorRGB* colours = nullptr;
  uint32_t count = 0;
  for (auto _ : state) {
    renderable::ProcessFrame(mesh.get(), 0, &frame);
    poly_model::GetColorListF(mesh.get(), &colours, &count);
    benchmark::DoNotOptimize(colours[count / 2]);
  }
  state.SetItemsProcessed(state.iterations() * kVertices);
  // The same colours as the anchor's, or the comparison means nothing.
  std::vector<glm::vec4> expected(kVertices);
  AnchorLighting(MakeAnchorScene(), expected);
  for (uint32_t i = 0; i < count; ++i) {
    const glm::vec4 got(colours[i].r, colours[i].g, colours[i].b, colours[i].a);
    if (glm::any(glm::greaterThan(glm::abs(got - expected[i]), glm::vec4(1e-5f))))
      return state.SkipWithError("the mesh's colours differ from the anchor's");
  }
}
BENCHMARK(BM_VertexLighting_Tesk)->Unit(benchmark::kMicrosecond);

void BM_VertexLighting_Anchor(benchmark::State& state) {
  const AnchorScene anchor = MakeAnchorScene();
  std::vector<glm::vec4> colours(kVertices);
  for (auto _ : state) {
    AnchorLighting(anchor, colours);
    benchmark::DoNotOptimize(colours[kVertices / 2]);
  }
  state.SetItemsProcessed(state.iterations() * kVertices);
}
BENCHMARK(BM_VertexLighting_Anchor)->Unit(benchmark::kMicrosecond);

}  // namespace
