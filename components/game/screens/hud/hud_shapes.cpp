#include "hud_shapes.h"

#include <cmath>

#include "game_record.h"
#include "hud_quads.h"
#include "kivo/rasterizer/rasterizer_calls.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

constexpr int kRimPoints = 60;
constexpr int kFirstRimPoint = 15;  // the fan starts a quarter turn round
constexpr double kRimStep = 0.104719755;  // 6 degrees in radians
constexpr float kCornerShift = 2.0f;      // the fan's shared corner is off the centre

// Degree i of an arc in radians: in extended precision, rounded to float.
float ArcAngle(uint32_t degree) {
  const long double angle = static_cast<long double>(degree + 90u) * 1.0L * static_cast<long double>(3.14159265) *
                            static_cast<long double>(1.0 / 180.0);
  return static_cast<float>(angle);
}

RTFVector3D Shifted(const RTFVector3D& point, float offset) {
  return {point.x + offset, point.y + offset, point.z, 0.0f};
}

struct RimPoint {
  float x;
  float y;
};

}  // namespace

RTSuccess DrawCircleArc(RTInstance game, const RTFVector3D* centre, uint32_t start, uint32_t end, float radius,
                        float red, float green, float blue) {
  const GamePrivateData* record = RecordOf(game);
  if (!record || !centre) return kRTFailure;
  const RTInstance rasterizer = record->rasterizer;
  r::BeginPrimitive(rasterizer, r::kBatchLineStrip);
  for (uint32_t i = start; i < end; ++i) {
    const double angle = ArcAngle(i);
    const RTFVector3D vertex = {static_cast<float>(std::cos(angle)) * radius + centre->x,
                                static_cast<float>(std::sin(angle)) * radius + centre->y, centre->z, 0.0f};
    r::SetColor(rasterizer, red, green, blue);
    r::VertexVector(rasterizer, &vertex);
  }
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::EndPrimitive(rasterizer);
  return kRTSuccess;
}

RTSuccess DrawThickLine(RTInstance game, const RTFVector3D* a, const RTFVector3D* b, uint32_t thickness, float red,
                        float green, float blue) {
  const GamePrivateData* record = RecordOf(game);
  if (!record || !a || !b) return kRTFailure;
  const RTInstance rasterizer = record->rasterizer;
  const int64_t half = thickness / 2;
  const int64_t first = thickness % 2 ? -half : 1 - half;
  r::EnableSmoothing(rasterizer, 1);
  for (int64_t offset = first; offset <= half; ++offset) {
    const RTFVector3D from = Shifted(*a, static_cast<float>(offset));
    const RTFVector3D to = Shifted(*b, static_cast<float>(offset));
    r::SetColor(rasterizer, red, green, blue);
    r::BeginPrimitive(rasterizer, r::kBatchLineStrip);
    r::VertexVector(rasterizer, &from);
    r::VertexVector(rasterizer, &to);
    r::EndPrimitive(rasterizer);
  }
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::EnableSmoothing(rasterizer, 0);
  return kRTSuccess;
}

RTSuccess DrawBorderedCircle(RTInstance game, uint32_t aCenterX, uint32_t aCenterY, int32_t aRadius, float aRed,
                             float aGreen, float aBlue) {
  const GamePrivateData* record = RecordOf(game);
  if (!record) return kRTFailure;
  const RTInstance rasterizer = record->rasterizer;
  const auto cx = static_cast<float>(aCenterX), cy = static_cast<float>(aCenterY);
  const auto radius = static_cast<double>(aRadius);
  RimPoint rim[kRimPoints];
  float t = 0.0f;
  for (RimPoint& point : rim) {
    point = {static_cast<float>(std::cos(static_cast<double>(t)) * radius),
             static_cast<float>(std::sin(static_cast<double>(t)) * -radius)};
    t = static_cast<float>(t + kRimStep);
  }
  r::EnableBlending(rasterizer, 0);
  r::EnableLighting(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 0);
  r::BeginPrimitive(rasterizer, r::kBatchTriangles);
  for (int k = 0; k < kRimPoints; ++k) {
    const RimPoint& from = rim[(k + kFirstRimPoint) % kRimPoints];
    const RimPoint& to = rim[(k + kFirstRimPoint + 1) % kRimPoints];
    r::SetColor(rasterizer, aRed, aGreen, aBlue);
    r::Vertex3(rasterizer, cx + kCornerShift, cy + kCornerShift, 0.0f);
    r::Vertex3(rasterizer, cx + from.x, cy + from.y, 0.0f);
    r::Vertex3(rasterizer, cx + to.x, cy + to.y, 0.0f);
  }
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::EndPrimitive(rasterizer);
  // The border: four one-pixel rings, black, white, white, black.
  const RTFVector3D centre = {cx, cy, 0.0f, 0.0f};
  constexpr float kRingShade[] = {0.0f, 1.0f, 1.0f, 0.0f};
  for (int ring = 0; ring < 4; ++ring) {
    const auto ringRadius = static_cast<float>(int64_t{aRadius} + ring + 1);
    DrawCircleArc(game, &centre, 0, 360, ringRadius, kRingShade[ring], kRingShade[ring], kRingShade[ring]);
  }
  EndHudPiece(rasterizer);
  return kRTSuccess;
}

}  // namespace tesk::game
