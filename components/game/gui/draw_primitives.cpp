#include "draw_primitives.h"

#include <cmath>

#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

struct TexturePoint {
  float u;
  float v;
};

// The four corners of the rectangle in drawing order: top left, bottom left, bottom right, top
// right.
struct Corners {
  float x[4];
  float y[4];
};

Corners CornersOf(int32_t x, int32_t y, int32_t w, int32_t h) {
  const auto left = static_cast<float>(x);
  const auto top = static_cast<float>(y);
  const float right = left + static_cast<float>(w);
  const float bottom = top + static_cast<float>(h);
  return {{left, left, right, right}, {top, bottom, bottom, top}};
}

void DrawQuad(RTInstance rasterizer, const Corners& corners, const TexturePoint (&uv)[4]) {
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  for (int i = 0; i < 4; ++i) {
    r::TexCoord(rasterizer, 0, uv[i].u, uv[i].v);
    r::Vertex3(rasterizer, corners.x[i], corners.y[i], 0.0f);
  }
  r::EndPrimitive(rasterizer);
}

// The colour's floats as the rasterizer reads them.
const float* Floats(const Colour& colour) { return &colour.r; }

}  // namespace

void DrawTexturedQuad(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h) {
  DrawQuad(rasterizer, CornersOf(x, y, w, h),
           {{uv.left, uv.top}, {uv.left, uv.bottom}, {uv.right, uv.bottom}, {uv.right, uv.top}});
}

void DrawTexturedQuadMirrorX(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h) {
  DrawQuad(rasterizer, CornersOf(x, y, w, h),
           {{uv.right, uv.top}, {uv.right, uv.bottom}, {uv.left, uv.bottom}, {uv.left, uv.top}});
}

void DrawTexturedQuadMirrorY(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h) {
  DrawQuad(rasterizer, CornersOf(x, y, w, h),
           {{uv.left, uv.bottom}, {uv.left, uv.top}, {uv.right, uv.top}, {uv.right, uv.bottom}});
}

void DrawTexturedQuadMirrorXY(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h) {
  DrawQuad(rasterizer, CornersOf(x, y, w, h),
           {{uv.right, uv.bottom}, {uv.right, uv.top}, {uv.left, uv.top}, {uv.left, uv.bottom}});
}

void DrawRotatedTexturedQuad(RTInstance rasterizer, const UvRect& uv, int32_t x, int32_t y, int32_t w, int32_t h,
                             float angle) {
  const float cosine = std::cos(angle);
  const float sine = std::sin(angle);
  const auto width = static_cast<float>(w);
  const auto height = static_cast<float>(h);
  const float offsetX[4] = {0.0f, 0.0f, width, width};
  const float offsetY[4] = {0.0f, height, height, 0.0f};
  Corners corners{};
  for (int i = 0; i < 4; ++i) {
    corners.x[i] = static_cast<float>(x) + offsetX[i] * cosine - offsetY[i] * sine;
    corners.y[i] = static_cast<float>(y) + offsetX[i] * sine + offsetY[i] * cosine;
  }
  DrawQuad(rasterizer, corners, {{uv.left, uv.top}, {uv.left, uv.bottom}, {uv.right, uv.bottom}, {uv.right, uv.top}});
}

void DrawRowStretchQuad(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, float leftU, float rightU,
                        float v) {
  DrawQuad(rasterizer, CornersOf(x, y, w, h), {{leftU, v}, {leftU, v}, {rightU, v}, {rightU, v}});
}

void DrawColumnStretchQuad(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, float u, float topV,
                           float bottomV) {
  DrawQuad(rasterizer, CornersOf(x, y, w, h), {{u, topV}, {u, bottomV}, {u, bottomV}, {u, topV}});
}

void DrawSolidQuad(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, const Colour& colour) {
  const Corners corners = CornersOf(x, y, w, h);
  r::BeginPrimitive(rasterizer, r::kBatchQuads);
  r::SetColorRGBAArray(rasterizer, Floats(colour));
  for (int i = 0; i < 4; ++i) r::Vertex3(rasterizer, corners.x[i], corners.y[i], 0.0f);
  r::EndPrimitive(rasterizer);
}

void DrawRectOutline(RTInstance rasterizer, int32_t x, int32_t y, int32_t w, int32_t h, const Colour& colour) {
  const Corners corners = CornersOf(x, y, w, h);
  r::BeginPrimitive(rasterizer, r::kBatchLineStrip);
  r::SetColorFromArray(rasterizer, Floats(colour));
  for (int i = 0; i < 5; ++i) r::Vertex3(rasterizer, corners.x[i % 4], corners.y[i % 4], 0.0f);
  r::EndPrimitive(rasterizer);
}

}  // namespace tesk::game::gui
