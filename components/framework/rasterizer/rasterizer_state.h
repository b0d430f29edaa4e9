// What one rasterizer instance keeps between calls. GL holds the switches themselves; this record
// holds what the operations combine (transforms, projection, modes), what is handed back (the
// projection values, the camera), the caller's arrays, the open batch and the primitives made.
#pragma once

#include <GL/gl.h>

#include <array>
#include <memory>
#include <set>
#include <vector>

#include "call_log.h"
#include "draw_target.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace rasterizer {

inline constexpr uint32_t kTextureUnits = 4;

template <class T>
struct ArrayBinding {
  const T* data = nullptr;
  uint32_t count = 0;
};

struct BatchVertex {
  RTFVector3D position;
  std::array<float, 4> colour;
  std::array<RTFVector2D, kTextureUnits> texCoords;
};

struct Batch {
  bool open = false;
  GLenum mode = 0;
  std::vector<BatchVertex> vertices;
};

// The six projection values in SetProjection's order.
// A perspective of 90 degrees at first (the camera convention of SetProjection).
struct ProjectionValues {
  float left = -1.0f;
  float top = -1.0f;
  float nearZ = -1.0f;
  float right = 1.0f;
  float bottom = 1.0f;
  float farZ = -1000.0f;
};

struct State {
  std::unique_ptr<DrawTarget> target;
  CallLog log;

  // The drawing area and the part drawn to: x, y from the bottom, width, height.
  uint32_t areaWidth = 0;
  uint32_t areaHeight = 0;
  std::array<int32_t, 4> viewport{};
  uint32_t clearMask = kivo::rasterizer::kClearColour | kivo::rasterizer::kClearDepth;
  std::array<float, 4> clearColour{0.0f, 0.0f, 0.0f, 1.0f};
  uint32_t clearStencil = 0;

  // The view (inverse of the camera placement) and the world transform, each with the saved ones.
  RTFMatrix4x4 view{};
  std::vector<RTFMatrix4x4> savedViews;
  RTFMatrix4x4 world{};
  std::vector<RTFMatrix4x4> savedWorlds;
  ProjectionValues projection;
  uint32_t projectionMode = kivo::rasterizer::kPerspective;
  uint32_t rememberedMode = kivo::rasterizer::kPerspective;
  RTInstance camera = nullptr;

  // Switches that combine with the modes.
  bool lighting = false;
  bool fog = false;
  uint32_t overlayMode = 0;
  // The write masks in force, put back after a clear.
  std::array<GLboolean, 4> colourMask{GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE};
  bool depthWrite = true;
  uint32_t stencilWriteMask = 0xFFFFFFFFu;

  // Current colour and texture coordinates; the caller's arrays.
  std::array<float, 4> colour{1.0f, 1.0f, 1.0f, 1.0f};
  std::array<RTFVector2D, kTextureUnits> texCoords{};
  uint32_t activeUnit = 0;
  ArrayBinding<RTFVector3D> vertices;
  ArrayBinding<RTFVector3D> normals;
  ArrayBinding<RTFVector3D> tangents;
  ArrayBinding<RTFColorRGB> colours;
  bool colourArrayOn = false;
  std::array<ArrayBinding<RTFVector2D>, kTextureUnits> texCoordArrays{};
  std::array<bool, kTextureUnits> texCoordArrayOn{};
  Batch batch;

  // Primitives made and not destroyed; those already reported as reaching past the arrays.
  std::set<RTPrimitive*, std::less<>> primitives;
  std::set<const RTPrimitive*, std::less<>> reported;
  uint32_t primitivesMade = 0;

  // Vertex and fragment programs loaded, each with its kind (the slot of its load operation).
  std::set<std::pair<uint32_t, GLuint>> programs;
  bool vertexProgramOn = false;
};

// The state of an instance: an object word of the rasterizer level.
State* StateOf(RTInstance self);

}  // namespace rasterizer
