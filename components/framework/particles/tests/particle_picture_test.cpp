// A particle system drawn offscreen in a small scene: its quad lands where its node projects and
// nowhere else, and the two blend modes mix its colour into the background as they say.
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>

#include "kivo/camera/camera_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/scene/plain_scene_tree_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "software_rasterizer.h"

namespace {

using namespace kivo;

constexpr uint32_t kGrey = 0x404040;

class ParticlePicture : public tesk::testing::SoftwareRasterizer {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTEditable", "RTRenderable", "RTSceneNode", "RTSceneTree", "RTCamera", "RTParticleSystem",
                             "RTImage", "RTBMPImage"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }
  InstanceRef Make(const char16_t* className) {
    InstanceRef made;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, made.out(), 0, 1), kRTSuccess);
    return made;
  }
  InstanceRef Node(float x, float y, float z, RTInstance parent) {
    InstanceRef node = Make(scene_node::kClassName);
    const RTFVector3D at{x, y, z, 1};
    EXPECT_EQ(scene_node::SetTranslation(node.get(), &at), kRTSuccess);
    if (parent) {
      EXPECT_EQ(scene_node::AddChild(parent, node.get()), kRTSuccess);
    }
    return node;
  }
  // One frame of a one-particle system at (0.5, 0.25, 0), seen from (0, 0, 2) along -z.
  tesk::testing::Picture Draw(uint32_t blend, const char* look) {
    InstanceRef tree = Make(plain_scene_tree::kClassName);
    InstanceRef root = Node(0, 0, 0, nullptr);
    InstanceRef eye = Node(0, 0, 2, root.get());
    InstanceRef emitter = Node(0.5f, 0.25f, 0, root.get());
    InstanceRef lens = Make(camera::kClassName);
    InstanceRef system = Make(particle_system::kClassName);
    uint32_t primary = 0, secondary = 0;
    EXPECT_EQ(particle_system::ParseText(system.get(), "burst 1\nlife 10 10", &primary), kRTSuccess);
    EXPECT_EQ(particle_system::SetPrimaryText(system.get(), primary), kRTSuccess);
    EXPECT_EQ(particle_system::ParseText(system.get(), look, &secondary), kRTSuccess);
    EXPECT_EQ(particle_system::SetSecondaryText(system.get(), secondary), kRTSuccess);
    EXPECT_EQ(particle_system::SetModes(system.get(), blend, particle_system::kSpaceWorld), kRTSuccess);
    EXPECT_EQ(particle_system::StartAt(system.get(), 0), kRTSuccess);
    EXPECT_EQ(scene_node::SetEntity(eye.get(), lens.get()), kRTSuccess);
    EXPECT_EQ(scene_node::SetEntity(emitter.get(), system.get()), kRTSuccess);
    EXPECT_EQ(plain_scene_tree::SetRootNode(tree.get(), root.get()), kRTSuccess);
    EXPECT_EQ(plain_scene_tree::SetRenderCameraNode(tree.get(), eye.get()), kRTSuccess);
    EXPECT_EQ(plain_scene_tree::Update(tree.get(), 0, 0), kRTSuccess);
    BeginClearedFrame(kGrey);
    EXPECT_EQ(plain_scene_tree::Render(tree.get()), kRTSuccess);
    tesk::testing::Picture picture = Shoot();
    plain_scene_tree::SetRenderCameraNode(tree.get(), nullptr);
    plain_scene_tree::SetRootNode(tree.get(), nullptr);
    return picture;
  }
  // Where the node's point lands in the picture.
  void Projected(int* x, int* y) {
    const RTFMatrix4x4* placement = nullptr;
    InstanceRef eye = Node(0, 0, 2, nullptr);
    ASSERT_EQ(scene_node::GetWorldMatrix(eye.get(), &placement), kRTSuccess);
    const RTFVector3D point{0.5f, 0.25f, 0, 1};
    float px = 0, py = 0, depth = 0;
    ASSERT_EQ(rasterizer::ProjectPoint(rasterizer(), placement, &point, &px, &py, &depth), kRTSuccess);
    *x = static_cast<int>(px);
    *y = static_cast<int>(py);
  }
};

int Red(uint32_t rgb) { return static_cast<int>(rgb >> 16); }
int Green(uint32_t rgb) { return static_cast<int>((rgb >> 8) & 0xFF); }

TEST_F(ParticlePicture, AParticleLandsWhereItsNodeProjectsAndBlendsAsItsModeSays) {
  const tesk::testing::Picture alpha = Draw(particle_system::kBlendAlpha, "size 0.3 0.3\ncolour 1 0 0 0.5");
  int x = 0, y = 0;
  Projected(&x, &y);
  ASSERT_GT(x, kWidth / 2) << "right of the centre";
  ASSERT_LT(y, kHeight / 2) << "above it";
  int changed = 0;
  for (int py = 0; py < alpha.height(); ++py)
    for (int px = 0; px < alpha.width(); ++px) {
      if (alpha.At(px, py) == kGrey) continue;
      ++changed;
      EXPECT_LE(std::max(std::abs(px - x), std::abs(py - y)), 10) << px << ", " << py << " is far from the particle";
    }
  EXPECT_GT(changed, 4);
  // Alpha: 0.5 x red + 0.5 x grey; added: grey + 0.5 x red.
  EXPECT_NEAR(Red(alpha.At(x, y)), 0x9F, 3);
  EXPECT_NEAR(Green(alpha.At(x, y)), 0x20, 3);
  const tesk::testing::Picture added = Draw(particle_system::kBlendAdd, "size 0.3 0.3\ncolour 1 0 0 0.5");
  EXPECT_NEAR(Red(added.At(x, y)), 0xBF, 3);
  EXPECT_NEAR(Green(added.At(x, y)), 0x40, 3);
}

}  // namespace
