// The entities scenes are drawn with that draw nothing themselves: lights shading vertices, the
// camera's view volume, particle systems' bounds, and the streams of all three.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <numbers>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "kivo/camera/camera_calls.h"
#include "kivo/light/light_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"

namespace {

using namespace kivo;
using tesk::testing::MemoryStreamBytes;
using tesk::testing::MemoryStreamWith;

constexpr float kDegree = std::numbers::pi_v<float> / 180;

RTFVector3D V(float x, float y, float z) { return RTFVector3D{x, y, z, 0}; }

// A light node's placement in the mesh's space: its third axis and its position.
RTFMatrix4x4 Placement(const RTFVector3D& zAxis, const RTFVector3D& position) {
  RTFMatrix4x4 m{};
  m.m[0][0] = 1;
  m.m[1][1] = 1;
  m.m[2][0] = zAxis.x;
  m.m[2][1] = zAxis.y;
  m.m[2][2] = zAxis.z;
  m.m[3][0] = position.x;
  m.m[3][1] = position.y;
  m.m[3][2] = position.z;
  m.m[3][3] = 1;
  return m;
}

class SceneEntities : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    for (const char* name :
         {"RTRenderable", "RTLight", "RTInfDirLight", "RTPointLight", "RTSpotLight", "RTCamera", "RTParticleSystem"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }
  InstanceRef Make(const char16_t* className) {
    InstanceRef instance;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, instance.out(), 0, 1), kRTSuccess);
    return instance;
  }
  static std::string StreamedOut(RTInstance instance) {
    InstanceRef stream = MemoryStreamWith("");
    return component::StreamOut(instance, component::kStreamWhole, stream.get()) ? MemoryStreamBytes(stream.get())
                                                                                 : "<failed>";
  }
  static RTSuccess StreamedIn(RTInstance instance, const std::string& bytes) {
    InstanceRef stream = MemoryStreamWith(bytes);
    return component::StreamIn(instance, component::kStreamWhole, stream.get());
  }
  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
};

// Every light adds colour (1, 0.5, 0.25) x max(0, N . L) x falloff to a vertex coloured
// (0.1, 0.1, 0.1) with normal +y; point and spot lights reach 10.
TEST_F(SceneEntities, LightsAddTheirShareToEachVertexColour) {
  struct Case {
    const char* what;
    const char16_t* className;
    RTFMatrix4x4 lightToObject;
    RTFVector3D vertex;
    RTFVector3D lit;
  };
  const RTFMatrix4x4 slanted = Placement(V(0.6f, 0.8f, 0), V(0, 0, 0));
  const RTFMatrix4x4 overhead = Placement(V(0, 1, 0), V(0, 5, 0));  // shining down
  const Case cases[] = {
      {"directional, N . L = 0.8", light::kClassName, slanted, V(0, 0, 0), V(0.9f, 0.5f, 0.3f)},
      {"the same from RTInfDirLight", light::kInfDirLightClass, slanted, V(0, 0, 0), V(0.9f, 0.5f, 0.3f)},
      {"directional from below", light::kClassName, Placement(V(0, -1, 0), V(0, 0, 0)), V(0, 0, 0),
       V(0.1f, 0.1f, 0.1f)},
      {"point at half its range", light::kPointLightClass, overhead, V(0, 0, 0), V(0.6f, 0.35f, 0.225f)},
      {"point out of range", light::kPointLightClass, Placement(V(0, 1, 0), V(0, 12, 0)), V(0, 0, 0),
       V(0.1f, 0.1f, 0.1f)},
      {"spot straight below", light::kSpotLightClass, overhead, V(0, 0, 0), V(0.6f, 0.35f, 0.225f)},
      {"spot between penumbra and umbra", light::kSpotLightClass, overhead, V(3, 0, 0),
       V(0.438299f, 0.269149f, 0.184575f)},
      {"spot at the umbra's edge", light::kSpotLightClass, overhead, V(5, 0, 0), V(0.1f, 0.1f, 0.1f)},
  };
  const RTFColorRGB colour{1.0f, 0.5f, 0.25f, 1.0f};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    InstanceRef lamp = Make(c.className);
    ASSERT_EQ(light::SetColor(lamp.get(), &colour), kRTSuccess);
    ASSERT_EQ(light::SetCone(lamp.get(), 60 * kDegree, 90 * kDegree), kRTSuccess);
    const RTFVector3D normal = V(0, 1, 0);
    RTFColorRGB vertexColour{0.1f, 0.1f, 0.1f, 1.0f};
    ASSERT_EQ(light::LightVertices(lamp.get(), &c.lightToObject, 1, &c.vertex, &normal, &vertexColour), kRTSuccess);
    EXPECT_NEAR(vertexColour.r, c.lit.x, 1e-5f);
    EXPECT_NEAR(vertexColour.g, c.lit.y, 1e-5f);
    EXPECT_NEAR(vertexColour.b, c.lit.z, 1e-5f);
    EXPECT_EQ(vertexColour.a, 1.0f);
  }
}

TEST_F(SceneEntities, ALightKeepsItsRangeAndConeWithinBounds) {
  InstanceRef spot = Make(light::kSpotLightClass);
  float range = 0, penumbra = 0, umbra = 0;
  ASSERT_EQ(light::GetRange(spot.get(), &range), kRTSuccess);
  EXPECT_EQ(range, 10.0f);
  EXPECT_EQ(light::SetRange(spot.get(), 0.0f), kRTFailure);
  EXPECT_EQ(light::SetRange(spot.get(), NAN), kRTFailure);
  EXPECT_EQ(light::SetCone(spot.get(), 1.0f, 0.5f), kRTFailure) << "the penumbra lies inside the umbra";
  EXPECT_EQ(light::SetCone(spot.get(), 1.0f, 4.0f), kRTFailure);
  ASSERT_EQ(light::SetCone(spot.get(), 0.25f, 0.5f), kRTSuccess);
  ASSERT_EQ(light::GetPenumbra(spot.get(), &penumbra), kRTSuccess);
  ASSERT_EQ(light::GetUmbra(spot.get(), &umbra), kRTSuccess);
  EXPECT_EQ(penumbra, 0.25f);
  EXPECT_EQ(umbra, 0.5f);
}

TEST_F(SceneEntities, TheCameraAnswersItsViewVolumeInViewSpace) {
  InstanceRef camera = Make(camera::kClassName);
  float frustum[camera::kFrustumValues] = {};
  ASSERT_EQ(camera::GetFrustum(camera.get(), frustum), kRTSuccess);
  const float t = 0.1f * std::tan(20 * kDegree);  // 40 degrees, 0.1 and 500 when made
  const float made[] = {-t, -t, -0.1f, t, t, -500.0f};
  for (uint32_t i = 0; i < camera::kFrustumValues; ++i) EXPECT_NEAR(frustum[i], made[i], 1e-6f) << "value " << i;

  ASSERT_EQ(camera::SetFieldOfView(camera.get(), std::numbers::pi_v<float> / 2), kRTSuccess);
  ASSERT_EQ(camera::SetClipPlanes(camera.get(), 2.0f, 100.0f), kRTSuccess);
  ASSERT_EQ(camera::GetFrustum(camera.get(), frustum), kRTSuccess);
  const float set[] = {-2, -2, -2, 2, 2, -100};
  for (uint32_t i = 0; i < camera::kFrustumValues; ++i) EXPECT_FLOAT_EQ(frustum[i], set[i]) << "value " << i;

  EXPECT_EQ(camera::SetFieldOfView(camera.get(), 0.0f), kRTFailure);
  EXPECT_EQ(camera::SetFieldOfView(camera.get(), std::numbers::pi_v<float>), kRTFailure);
  EXPECT_EQ(camera::SetClipPlanes(camera.get(), 0.0f, 10.0f), kRTFailure);
  EXPECT_EQ(camera::SetClipPlanes(camera.get(), 5.0f, 5.0f), kRTFailure);
  EXPECT_EQ(camera::SetClipPlanes(camera.get(), 1.0f, INFINITY), kRTFailure);
  float fieldOfView = 0;
  ASSERT_EQ(camera::GetFieldOfView(camera.get(), &fieldOfView), kRTSuccess);
  EXPECT_FLOAT_EQ(fieldOfView, std::numbers::pi_v<float> / 2) << "refused values change nothing";
}

TEST_F(SceneEntities, AParticleSystemWithoutADefinitionAnswersTheBoundsItWasGivenAndIsTranslucent) {
  InstanceRef system = Make(particle_system::kClassName);
  const RTFVector3D min = V(-1, 0, -2), max = V(1, 3, 2);
  ASSERT_EQ(particle_system::SetBounds(system.get(), 2.5f, &min, &max), kRTSuccess);
  EXPECT_EQ(particle_system::SetBounds(system.get(), -1.0f, &min, &max), kRTFailure);
  EXPECT_EQ(particle_system::SetBounds(system.get(), 1.0f, &max, &min), kRTFailure) << "min above max";
  float radius = 0;
  RTFVector3D gotMin{}, gotMax{};
  RTBool alpha = 1;
  ASSERT_EQ(renderable::GetBoundingSphere(system.get(), &radius), kRTSuccess);
  ASSERT_EQ(renderable::GetBoundingBox(system.get(), &gotMin, &gotMax), kRTSuccess);
  ASSERT_EQ(renderable::HasAlpha(system.get(), &alpha), kRTSuccess);
  EXPECT_EQ(radius, 2.5f);
  EXPECT_EQ(gotMin.z, -2.0f);
  EXPECT_EQ(gotMax.y, 3.0f);
  EXPECT_EQ(alpha, 1u) << "drawn in the translucent stage";
}

TEST_F(SceneEntities, AStartedParticleSystemFillsItsParticlesThroughItsInitializer) {
  InstanceRef system = Make(particle_system::kClassName);
  const RTParticle* particles = nullptr;
  uint32_t count = 9;
  ASSERT_EQ(particle_system::GetParticles(system.get(), &particles, &count), kRTSuccess);
  EXPECT_EQ(count, 0u) << "none before a start";
  ASSERT_EQ(particle_system::Start(system.get()), kRTSuccess);
  ASSERT_EQ(particle_system::GetParticles(system.get(), &particles, &count), kRTSuccess);
  ASSERT_EQ(count, particle_system::kParticleCount);
  EXPECT_EQ(particles[0].size, 0.0f) << "zeroed without an initializer";

  static int calls = 0;
  ASSERT_EQ(particle_system::SetParticleInitializer(system.get(),
                                                    [](RTParticle* particle) { particle->start = ++calls; }),
            kRTSuccess);
  ASSERT_EQ(particle_system::Start(system.get()), kRTSuccess);
  ASSERT_EQ(particle_system::GetParticles(system.get(), &particles, &count), kRTSuccess);
  ASSERT_EQ(count, particle_system::kParticleCount);
  EXPECT_EQ(calls, static_cast<int>(count));
  EXPECT_EQ(particles[count - 1].start, calls) << "each particle made anew";
}

// Each entity's stream brings its values into a fresh one; a cut stream is refused with its
// message and leaves the instance as it was.
TEST_F(SceneEntities, StreamsCarryTheValuesAndCutStreamsAreRefused) {
  struct Case {
    const char16_t* className;
    std::function<void(RTInstance)> set;
    std::string refusal;
  };
  const RTFColorRGB warm{1.0f, 0.8f, 0.6f, 1.0f};
  const RTFVector3D min = V(-1, 0, -1), max = V(1, 2, 1);
  const Case cases[] = {
      {light::kSpotLightClass,
       [&](RTInstance l) {
         ASSERT_EQ(light::SetColor(l, &warm), kRTSuccess);
         ASSERT_EQ(light::SetRange(l, 7.5f), kRTSuccess);
         ASSERT_EQ(light::SetCone(l, 0.5f, 1.0f), kRTSuccess);
       },
       "RTLight::StreamIn(): the light's stream is damaged; the light is left as it was"},
      {camera::kClassName,
       [](RTInstance c) {
         ASSERT_EQ(camera::SetFieldOfView(c, 1.0f), kRTSuccess);
         ASSERT_EQ(camera::SetClipPlanes(c, 0.5f, 80.0f), kRTSuccess);
       },
       "RTCamera::StreamIn(): the camera's stream is damaged; the camera is left as it was"},
      {particle_system::kClassName,
       [&](RTInstance p) { ASSERT_EQ(particle_system::SetBounds(p, 1.5f, &min, &max), kRTSuccess); },
       "RTParticleSystem::StreamIn(): the system's stream is damaged; the system is left as it was"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.refusal);
    InstanceRef original = Make(c.className);
    ASSERT_NO_FATAL_FAILURE(c.set(original.get()));
    const std::string bytes = StreamedOut(original.get());
    InstanceRef copy = Make(c.className);
    const std::string fresh = StreamedOut(copy.get());
    EXPECT_EQ(StreamedIn(copy.get(), bytes.substr(0, bytes.size() - 1)), kRTFailure);
    EXPECT_TRUE(Logged(c.refusal)) << c.refusal;
    EXPECT_EQ(StreamedOut(copy.get()), fresh);
    ASSERT_EQ(StreamedIn(copy.get(), bytes), kRTSuccess);
    EXPECT_EQ(StreamedOut(copy.get()), bytes);
  }
}

}  // namespace
