#include "mesh_draw_fixture.h"

#include "kivo/light/light_calls.h"
#include "kivo/scene/renderable_calls.h"
#include "kivo/scene/scene_node_calls.h"

namespace meshtest {

using namespace kivo;

void MeshDraw::InstallMore(tesk::testing::CoreHost& host) {
  for (const char* name :
       {"RTRenderable", "RTPolyModel", "RTStaticLitMesh", "RTMaterial", "RTSceneNode", "RTLight", "RTInfDirLight",
        "RTPointLight", "RTSpotLight"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
}

void MeshDraw::TearDown() {
  while (!held_.empty()) held_.pop_back();
  SoftwareRasterizer::TearDown();
}

RTInstance MeshDraw::New(const char16_t* className) {
  InstanceRef made;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, className, made.out(), 0, 1), kRTSuccess) << host_.ErrorLog();
  held_.push_back(std::move(made));
  return held_.back().get();
}

RTInstance MeshDraw::NewQuad(RTInstance material) {
  RTInstance mesh = New(poly_model::kClassName);
  Fill(rasterizer(), mesh, Quad(), {material});
  const std::vector<RTFVector3D> normals(4, V(0, 0, 1));
  EXPECT_EQ(poly_model::SetNormalListF(mesh, normals.data(), 4), kRTSuccess);
  return mesh;
}

RTInstance MeshDraw::NewNode(const RTFMatrix4x4& placement, RTInstance entity) {
  RTInstance node = New(scene_node::kClassName);
  EXPECT_EQ(scene_node::SetLocalMatrix(node, &placement), kRTSuccess);
  if (entity) {
    EXPECT_EQ(scene_node::SetEntity(node, entity), kRTSuccess);
  }
  return node;
}

RTInstance MeshDraw::NewLightNode(const char16_t* lightClass, const RTFColorRGB& colour,
                                  const RTFMatrix4x4& placement) {
  RTInstance light = New(lightClass);
  EXPECT_EQ(light::SetColor(light, &colour), kRTSuccess);
  return NewNode(placement, light);
}

RTSceneNodeEntityFrameInformation MeshDraw::Frame(RTInstance node, const RTFColorRGB& ambient,
                                                  const std::vector<RTInstance>& lights) {
  RTSceneNodeEntityFrameInformation frame{};
  frame.node = node;
  frame.rasterizer = rasterizer();
  frame.ambient = ambient;
  frame.lightCount = static_cast<uint32_t>(lights.size());
  frame.lights = lights.data();
  return frame;
}

Lines MeshDraw::Draw(RTInstance mesh, const RTSceneNodeEntityFrameInformation& frame, RTSuccess result) {
  StartRecording();
  EXPECT_EQ(renderable::ProcessFrame(mesh, 0, &frame), result) << host_.ErrorLog();
  return Recorded();
}

std::vector<RTFColorRGB> MeshDraw::Colours(RTInstance mesh) {
  RTFColorRGB* colours = nullptr;
  uint32_t count = 0;
  EXPECT_EQ(poly_model::GetColorListF(mesh, &colours, &count), kRTSuccess);
  return std::vector<RTFColorRGB>(colours, colours + count);
}

}  // namespace meshtest
