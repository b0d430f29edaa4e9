// scene-view's picture: the loaded scene tree drawn offscreen from a camera, the frame written as
// a PNG file.
#pragma once

#include <optional>
#include <string>

#include "kivo/core_table.h"
#include "kivo/support/math_types.h"

namespace sceneview {

inline constexpr uint32_t kShotWidth = 640;
inline constexpr uint32_t kShotHeight = 480;

struct Shot {
  std::string png;
  std::string cameraNode;  // the instance path of a scene node whose entity is an RTCamera
  // In place of a camera node: a camera at `eye` looking at `at`, with the camera's default field
  // of view and clip distances.
  std::optional<RTFVector3D> eye;
  RTFVector3D at{};
  bool bake = false;        // the rooms' lightmaps baked before drawing (lighting_shot.h)
  std::string shadowLight;  // the instance path of a light node the meshes' shadows are cast from
};

// Updates the tree's transforms (and bakes its lightmaps when asked), draws one frame of
// kShotWidth x kShotHeight through the tree's Render (with the shadows asked for) and writes it to
// shot.png. False with `error` saying why when the camera cannot be had or
// the frame cannot be drawn or written.
bool RenderShot(CoreTable& core, RTInstance tree, const Shot& shot, std::string* error);

}  // namespace sceneview
