// scene-view's pictures: the loaded scene tree drawn offscreen from a camera, frame by frame, each
// frame written as a PNG file.
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
  uint32_t frames = 1;  // at times 0, step, 2 step, ... milliseconds
  uint32_t step = 0;
  bool bones = false;  // the skins of the rooms' nodes draw their bones
  bool bake = false;        // the rooms' lightmaps baked before drawing (lightmap_bake.h)
  std::string shadowLight;  // the instance path of a light node the meshes' shadows are cast from
  std::string effect;       // the class of an effect of the pack played at `effectAt` (effect_shot.h)
  RTFVector3D effectAt{};
};

inline constexpr uint32_t kMostFrames = 10000;

// The file of frame i: shot.png itself for a single frame, else its name with "-i" before the
// extension, i written with as many digits as the last frame's number.
std::string FrameFile(const Shot& shot, uint32_t frame);

// Bakes the tree's lightmaps when asked and places the effect asked for; then for each frame: plays
// the effect to the frame's time, updates the tree's transforms at the frame's time, draws a frame of kShotWidth x kShotHeight through the tree's Render (with the
// shadows asked for) and writes it to its file. False with `error` saying why
// when the camera or the effect cannot be had or a frame cannot be drawn or written.
bool RenderShot(CoreTable& core, RTInstance tree, const Shot& shot, std::string* error);

}  // namespace sceneview
