// The software rasterizer with a window context and the mesh's components (the static-lit mesh
// too), scene nodes and lights: meshes drawn for a node through their ProcessFrame, with the
// rasterizer's calls recorded.
#pragma once

#include <string>
#include <vector>

#include "kivo/scene/frame_information.h"
#include "kivo/support/instance_ref.h"
#include "mesh_fixture.h"
#include "software_rasterizer.h"

namespace meshtest {

using Lines = std::vector<std::string>;

class MeshDraw : public tesk::testing::SoftwareRasterizer {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override;
  void TearDown() override;

  // A new instance of the class, held until the end of the test.
  RTInstance New(const char16_t* className);
  // The square of Quad() in the material, with the normal (0, 0, 1) at each vertex.
  RTInstance NewQuad(RTInstance material);
  // A scene node placed by the matrix, carrying the entity (null: none).
  RTInstance NewNode(const RTFMatrix4x4& placement, RTInstance entity = nullptr);
  // A node placed by the matrix carrying a light of the class and colour.
  RTInstance NewLightNode(const char16_t* lightClass, const RTFColorRGB& colour, const RTFMatrix4x4& placement);

  // A record of the normal stage for the node: this rasterizer, the ambient colour and the light
  // nodes (the vector must outlive the record).
  RTSceneNodeEntityFrameInformation Frame(RTInstance node, const RTFColorRGB& ambient,
                                          const std::vector<RTInstance>& lights = {});
  // The calls of one ProcessFrame of the mesh, which must give `result`.
  Lines Draw(RTInstance mesh, const RTSceneNodeEntityFrameInformation& frame, RTSuccess result = kRTSuccess);
  // The colours the mesh last drew with.
  std::vector<RTFColorRGB> Colours(RTInstance mesh);

 private:
  std::vector<kivo::InstanceRef> held_;
};

}  // namespace meshtest
