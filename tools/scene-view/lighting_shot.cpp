#include "lighting_shot.h"

#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/poly_model_calls.h"
#include "kivo/scene/room_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/list.h"
#include "platform/utf.h"
#include "render_shot.h"
#include "tesk/scene/scene_tree_calls.h"

namespace sceneview {

namespace {

namespace r = kivo::rasterizer;
using kivo::InstanceRef;

constexpr float kShade = 0.5f;  // how much of the light a shadow takes

// Casts the volume of the node's mesh, then of its children's.
void CastFromNode(CoreTable& core, RTInstance rasterizer, RTInstance node, const RTFVector3D& light) {
  InstanceRef entity;
  if (kivo::scene_node::GetEntity(node, entity.out()) && entity.get() &&
      core.IsKindOfByName(nullptr, entity.get(), kivo::poly_model::kClassName)) {
    RTSceneNodeEntityFrameInformation frame{};
    frame.node = node;
    frame.rasterizer = rasterizer;
    kivo::poly_model::CastShadowVolume(entity.get(), &frame, &light);
  }
  InstanceRef child;
  kivo::scene_node::GetFirstChild(node, child.out());
  while (child.get()) {
    CastFromNode(core, rasterizer, child.get(), light);
    InstanceRef sibling;
    kivo::scene_node::GetNextSibling(child.get(), sibling.out());
    child = std::move(sibling);
  }
}

void CastVolumes(CoreTable& core, RTInstance tree, RTInstance rasterizer, const RTFVector3D& light) {
  kivo::List* rooms = nullptr;
  if (!tesk::scene_tree::GetRoomList(tree, &rooms)) return;
  for (RTInstance room : kivo::ListItems<RTInstanceRecord>(rooms)) {
    uint32_t flags = 0;
    kivo::List* nodes = nullptr;
    if (!kivo::room::GetFlags(room, &flags) || (flags & kivo::room::kDisabled) ||
        !kivo::room::GetNodeList(room, &nodes))
      continue;
    for (RTInstance node : kivo::ListItems<RTInstanceRecord>(nodes)) CastFromNode(core, rasterizer, node, light);
  }
}

// One quad over the whole picture, blended half black where the stencil is not 0. It lies just
// before the far plane and passes the depth test where the scene is nearer: the background, where
// the volumes are cut off by the far plane, stays as it was.
void DarkenCounted(RTInstance rasterizer) {
  constexpr float kJustBeforeFar = -0.99998f;  // depth 0.99999 in the screen box
  r::EnableStencilTest(rasterizer, 1);
  r::SetStencilFunc(rasterizer, r::kNotEqual, 0, r::kAllStencilBits);
  r::SetStencilOp(rasterizer, r::kStencilKeep, r::kStencilKeep, r::kStencilKeep);
  r::SetDepthFunc(rasterizer, r::kGreater);
  r::EnableDepthWrite(rasterizer, 0);
  r::EnableCulling(rasterizer, 0);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  r::SetColorRGBA(rasterizer, 0.0f, 0.0f, 0.0f, kShade);
  r::SetProjectionMode(rasterizer, r::kOrthographic);
  r::SetProjection(rasterizer, 0.0f, 0.0f, -1.0f, float{kShotWidth}, float{kShotHeight}, 1.0f);
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  r::Vertex3(rasterizer, 0.0f, 0.0f, kJustBeforeFar);
  r::Vertex3(rasterizer, 0.0f, float{kShotHeight}, kJustBeforeFar);
  r::Vertex3(rasterizer, float{kShotWidth}, float{kShotHeight}, kJustBeforeFar);
  r::Vertex3(rasterizer, float{kShotWidth}, 0.0f, kJustBeforeFar);
  r::EndPrimitive(rasterizer);
  r::RestoreProjectionMode(rasterizer);
  r::EnableBlending(rasterizer, 0);
  r::EnableDepthWrite(rasterizer, 1);
  r::SetDepthFunc(rasterizer, r::kLess);
  r::EnableStencilTest(rasterizer, 0);
}

}  // namespace

bool DrawShadows(CoreTable& core, RTInstance tree, RTInstance rasterizer, RTInstance cameraNode,
                 const std::string& lightNode, std::string* error) {
  InstanceRef light;
  const RTFMatrix4x4* lightWorld = nullptr;
  const RTFMatrix4x4* placement = nullptr;
  const std::u16string path = platform::FromUtf8(lightNode);
  if (!core.GetInstanceByName(nullptr, path.c_str(), light.out(), 0) ||
      !core.IsKindOfByName(nullptr, light.get(), kivo::scene_node::kClassName) ||
      !kivo::scene_node::GetWorldMatrix(light.get(), &lightWorld)) {
    *error = "there is no scene node at " + lightNode;
    return false;
  }
  if (!kivo::scene_node::GetWorldMatrix(cameraNode, &placement)) {
    *error = "the camera node has no placement";
    return false;
  }
  const RTFVector3D position{lightWorld->m[3][0], lightWorld->m[3][1], lightWorld->m[3][2], 0.0f};
  r::PushViewMatrix(rasterizer, placement);
  CastVolumes(core, tree, rasterizer, position);
  r::SetCullMode(rasterizer, r::kCullBack);  // casting leaves the front faces culled
  r::PopViewMatrix(rasterizer);
  DarkenCounted(rasterizer);
  return true;
}

}  // namespace sceneview
