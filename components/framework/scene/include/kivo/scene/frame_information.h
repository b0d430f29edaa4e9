// The record a scene tree hands every entity it draws (ProcessFrame, renderable_calls.h): what is
// drawn and with what. The tree zeroes it and fills the fields of each stage.
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

struct RTSceneNodeEntityFrameInformation {
  uint32_t reserved;       // 0
  RTInstance node;         // the scene node being drawn (a room's own draw: the tree's dummy node)
  RTInstance rasterizer;   // the RTRasterizer that draws
  RTInstance camera;       // the camera node
  RTFColorRGB ambient;     // ambient light r, g, b, a
  uint32_t lightCount;     // how many of `lights` to use
  const RTInstance* lights;  // scene nodes of the lights that reach the node, nearest first
  RTBool designing;        // the tree is in design mode
  RTBool showBounds;       // draw the entity's bounding box
  uint32_t unused[4];
  RTBool deferred;         // the deferred stage: alpha parts only
  RTBool debugExtras;      // the node asks for its debug outline (design mode)
};

namespace kivo {

// The tree's light array holds at most this many lights for a room's nodes.
inline constexpr uint32_t kMaxRoomLights = 10;
// A node is lit by at most this many of them, the nearest.
inline constexpr uint32_t kMaxNodeLights = 3;

}  // namespace kivo
