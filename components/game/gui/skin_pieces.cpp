#include "skin_pieces.h"

namespace tesk::game::gui {

namespace {

// A sprite's top-left and bottom-right pixel corners. The one-texel edge pieces put their constant
// coordinate on the texel's centre (29.5), so that the strip samples one column or row.
struct PixelRect {
  float x0;
  float y0;
  float x1;
  float y1;
};

// One frame record: per variant (1024, 800) its corner, top edge and side edge, and its corner
// size.
struct FrameRow {
  SkinFrameRecord SkinPieces::*record;
  PixelRect corner[2];
  PixelRect topEdge[2];
  PixelRect sideEdge[2];  // all zero for the records without a side edge
  int32_t width[2];
  int32_t height[2];
};

constexpr PixelRect kNone = {0, 0, 0, 0};
bool Given(const PixelRect& rect) { return rect.x1 > 0 || rect.y1 > 0; }

constexpr FrameRow kFrames[] = {
    {&SkinPieces::tealFrame,
     {{0, 0, 26, 26}, {0, 0, 20, 20}},
     {{29.5f, 0, 29.5f, 26}, {22.5f, 0, 22.5f, 20}},
     {{0, 29.5f, 26, 29.5f}, {0, 22.5f, 20, 22.5f}},
     {26, 20},
     {26, 20}},
    {&SkinPieces::navyFrame,
     {{32, 0, 54, 22}, {25, 0, 42, 17}},
     {{57.5f, 0, 57.5f, 22}, {44.5f, 0, 44.5f, 17}},
     {{32, 25.5f, 54, 25.5f}, {25, 19.5f, 42, 19.5f}},
     {22, 17},
     {22, 17}},
    {&SkinPieces::blackFrame,
     {{5, 44, 40, 87}, {2, 34, 32, 69}},
     {{43.5f, 44, 44.5f, 87}, {34.5f, 34, 34.5f, 69}},
     {{5, 90.5f, 40, 90.5f}, {2, 71.5f, 32, 71.5f}},
     {35, 30},
     {43, 35}},
    {&SkinPieces::slateFrame,
     {{60, 0, 72, 12}, {47, 0, 56, 9}},
     {{75.5f, 0, 75.5f, 12}, {58.5f, 0, 58.5f, 9}},
     {{60, 15.5f, 72, 15.5f}, {47, 11.5f, 56, 11.5f}},
     {12, 9},
     {12, 9}},
    {&SkinPieces::thinFrame,
     {{96, 115, 105, 124}, {74, 93, 82, 101}},
     {{108.5f, 115, 108.5f, 124}, {84.5f, 93, 84.5f, 101}},
     {{96, 127.5f, 105, 127.5f}, {74, 103.5f, 82, 103.5f}},
     {9, 8},
     {9, 8}},
    {&SkinPieces::titleTab,
     {{111, 88, 123, 124}, {86, 73, 96, 101}},
     {{126.5f, 88, 126.5f, 124}, {98.5f, 73, 98.5f, 101}},
     {kNone, kNone},
     {12, 10},
     {36, 28}},
    {&SkinPieces::listFrame,
     {{91, 43, 97, 49}, {71, 33, 76, 38}},
     {{100.5f, 43, 100.5f, 49}, {78.5f, 33, 78.5f, 38}},
     {{91, 52.5f, 97, 52.5f}, {71, 40.5f, 76, 40.5f}},
     {6, 5},
     {6, 5}},
    {&SkinPieces::pageTab,
     {{103, 23, 118, 49}, {80, 18, 92, 38}},
     {{121.5f, 23, 121.5f, 49}, {94.5f, 18, 94.5f, 38}},
     {kNone, kNone},
     {15, 12},
     {26, 20}},
    {&SkinPieces::buttonFrame,
     {{63, 32, 69, 38}, {49, 25, 54, 30}},
     {{72.5f, 32, 72.5f, 38}, {56.5f, 25, 56.5f, 30}},
     {{63, 41.5f, 69, 41.5f}, {49, 32.5f, 54, 32.5f}},
     {4, 4},
     {4, 4}},
};

struct PairRow {
  SkinPiecePair SkinPieces::*pair;
  PixelRect first[2];
  PixelRect second[2];
  int32_t width[2];
  int32_t height[2];
};

constexpr PairRow kPairs[] = {
    {&SkinPieces::listScrollA,
     {{100, 0, 119, 5}, {78, 0, 93, 4}},
     {{100, 8.5f, 119, 9.5f}, {78, 6.5f, 93, 7.5f}},
     {19, 15},
     {5, 4}},
    {&SkinPieces::listScrollB,
     {{100, 16, 109, 20}, {78, 12, 85, 15}},
     {{100, 12.5f, 109, 12.5f}, {78, 9.5f, 85, 9.5f}},
     {9, 7},
     {5, 4}},
    {&SkinPieces::sliderTrack,
     {{0, 94, 18, 117}, {0, 74, 14, 91}},
     {{42, 94, 62, 117}, {33, 74, 48, 91}},
     {18, 14},
     {23, 17}},
    {&SkinPieces::sliderThumb,
     {{21, 94, 34, 117}, {16, 74, 27, 91}},
     {{37.5f, 94, 37.5f, 117}, {29.5f, 74, 31.5f, 91}},
     {13, 11},
     {0, 0}},
};

constexpr PixelRect kBubblePointer[2] = {{48, 74, 80, 93}, {38, 57, 62, 71}};

constexpr uint32_t kProgressBarImageSide = 512;
constexpr PixelRect kProgressBarPieceA = {449, 286, 507, 344};
constexpr PixelRect kProgressBarPieceB = {451, 348, 508, 408};
constexpr PixelRect kColorBoxPiece = {166, 47, 195, 76};
constexpr PixelRect kSliderKnob = {0, 208, 22, 249};

UvRect ToUv(const PixelRect& rect, uint32_t width, uint32_t height) {
  RTFVector2D topLeft{};
  RTFVector2D bottomRight{};
  PixelRectToUV(&topLeft, rect.x0, rect.y0, width, height);
  PixelRectToUV(&bottomRight, rect.x1, rect.y1, width, height);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

}  // namespace

void ComputeElementPieces(SkinPieces* pieces, int8_t variant, uint32_t imageWidth, uint32_t imageHeight) {
  for (const FrameRow& row : kFrames) {
    SkinFrameRecord& record = pieces->*row.record;
    record.corner.uv[variant] = ToUv(row.corner[variant], imageWidth, imageHeight);
    record.topEdge.uv[variant] = ToUv(row.topEdge[variant], imageWidth, imageHeight);
    if (Given(row.sideEdge[variant])) record.sideEdge.uv[variant] = ToUv(row.sideEdge[variant], imageWidth, imageHeight);
    record.cornerWidth[variant] = row.width[variant];
    record.cornerHeight[variant] = row.height[variant];
  }
  for (const PairRow& row : kPairs) {
    SkinPiecePair& pair = pieces->*row.pair;
    pair.first.uv[variant] = ToUv(row.first[variant], imageWidth, imageHeight);
    pair.second.uv[variant] = ToUv(row.second[variant], imageWidth, imageHeight);
    pair.width[variant] = row.width[variant];
    pair.height[variant] = row.height[variant];
  }
  pieces->bubblePointer.uv[variant] = ToUv(kBubblePointer[variant], imageWidth, imageHeight);
}

void ComputeCharacterPieces(SkinPieces* pieces, uint32_t imageWidth, uint32_t imageHeight) {
  pieces->progressBarPieceA = ToUv(kProgressBarPieceA, kProgressBarImageSide, kProgressBarImageSide);
  pieces->progressBarPieceB = ToUv(kProgressBarPieceB, kProgressBarImageSide, kProgressBarImageSide);
  pieces->colorBoxPiece = ToUv(kColorBoxPiece, imageWidth, imageHeight);
  pieces->sliderKnob = ToUv(kSliderKnob, imageWidth, imageHeight);
}

}  // namespace tesk::game::gui
