// Where each sprite of the skin lies in its image, in pixels: the element pieces at the two sizes
// (index 0 in "1024_ELEMENTS", 1 in "800_ELEMENTS", both 128 x 128) and the single-size pieces of
// "CHARACTER_A". Rectangles run from a sprite's top-left pixel corner to its bottom-right one; the
// one-texel edge pieces put their constant coordinate on the texel's centre (29.5), so that the
// strip samples one column or row. The skin computes its texture coordinates from this table and
// the element-image generator draws the images to it.
#pragma once

#include <cstdint>

namespace tesk::game::gui {

struct PixelRect {
  float x0;
  float y0;
  float x1;
  float y1;
};

inline constexpr int kPixelSizes = 2;  // 1024 and 800

// A frame record: per size its corner, top edge and side edge (all zero for the records without a
// side edge), and its corner size.
struct FramePixels {
  PixelRect corner[kPixelSizes];
  PixelRect topEdge[kPixelSizes];
  PixelRect sideEdge[kPixelSizes];
  int32_t width[kPixelSizes];
  int32_t height[kPixelSizes];
};

enum FrameRecordIndex {
  kTealRecord,
  kNavyRecord,
  kBlackRecord,
  kSlateRecord,
  kThinRecord,
  kTitleTabRecord,
  kListRecord,
  kPageTabRecord,
  kButtonRecord,
  kFrameRecordCount
};

inline constexpr PixelRect kNoPixels = {0, 0, 0, 0};

inline constexpr FramePixels kFramePixels[kFrameRecordCount] = {
    {{{0, 0, 26, 26}, {0, 0, 20, 20}},
     {{29.5f, 0, 29.5f, 26}, {22.5f, 0, 22.5f, 20}},
     {{0, 29.5f, 26, 29.5f}, {0, 22.5f, 20, 22.5f}},
     {26, 20},
     {26, 20}},
    {{{32, 0, 54, 22}, {25, 0, 42, 17}},
     {{57.5f, 0, 57.5f, 22}, {44.5f, 0, 44.5f, 17}},
     {{32, 25.5f, 54, 25.5f}, {25, 19.5f, 42, 19.5f}},
     {22, 17},
     {22, 17}},
    {{{5, 44, 40, 87}, {2, 34, 32, 69}},
     {{43.5f, 44, 44.5f, 87}, {34.5f, 34, 34.5f, 69}},
     {{5, 90.5f, 40, 90.5f}, {2, 71.5f, 32, 71.5f}},
     {35, 30},
     {43, 35}},
    {{{60, 0, 72, 12}, {47, 0, 56, 9}},
     {{75.5f, 0, 75.5f, 12}, {58.5f, 0, 58.5f, 9}},
     {{60, 15.5f, 72, 15.5f}, {47, 11.5f, 56, 11.5f}},
     {12, 9},
     {12, 9}},
    {{{96, 115, 105, 124}, {74, 93, 82, 101}},
     {{108.5f, 115, 108.5f, 124}, {84.5f, 93, 84.5f, 101}},
     {{96, 127.5f, 105, 127.5f}, {74, 103.5f, 82, 103.5f}},
     {9, 8},
     {9, 8}},
    {{{111, 88, 123, 124}, {86, 73, 96, 101}},
     {{126.5f, 88, 126.5f, 124}, {98.5f, 73, 98.5f, 101}},
     {kNoPixels, kNoPixels},
     {12, 10},
     {36, 28}},
    {{{91, 43, 97, 49}, {71, 33, 76, 38}},
     {{100.5f, 43, 100.5f, 49}, {78.5f, 33, 78.5f, 38}},
     {{91, 52.5f, 97, 52.5f}, {71, 40.5f, 76, 40.5f}},
     {6, 5},
     {6, 5}},
    {{{103, 23, 118, 49}, {80, 18, 92, 38}},
     {{121.5f, 23, 121.5f, 49}, {94.5f, 18, 94.5f, 38}},
     {kNoPixels, kNoPixels},
     {15, 12},
     {26, 20}},
    {{{63, 32, 69, 38}, {49, 25, 54, 30}},
     {{72.5f, 32, 72.5f, 38}, {56.5f, 25, 56.5f, 30}},
     {{63, 41.5f, 69, 41.5f}, {49, 32.5f, 54, 32.5f}},
     {4, 4},
     {4, 4}},
};

// Two pieces drawn together (list scroll bars, slider), and their size per variant.
struct PairPixels {
  PixelRect first[kPixelSizes];
  PixelRect second[kPixelSizes];
  int32_t width[kPixelSizes];
  int32_t height[kPixelSizes];
};

enum PairIndex { kListScrollAPair, kListScrollBPair, kSliderTrackPair, kSliderThumbPair, kPairCount };

inline constexpr PairPixels kPairPixels[kPairCount] = {
    {{{100, 0, 119, 5}, {78, 0, 93, 4}}, {{100, 8.5f, 119, 9.5f}, {78, 6.5f, 93, 7.5f}}, {19, 15}, {5, 4}},
    {{{100, 16, 109, 20}, {78, 12, 85, 15}}, {{100, 12.5f, 109, 12.5f}, {78, 9.5f, 85, 9.5f}}, {9, 7}, {5, 4}},
    {{{0, 94, 18, 117}, {0, 74, 14, 91}}, {{42, 94, 62, 117}, {33, 74, 48, 91}}, {18, 14}, {23, 17}},
    {{{21, 94, 34, 117}, {16, 74, 27, 91}}, {{37.5f, 94, 37.5f, 117}, {29.5f, 74, 31.5f, 91}}, {13, 11}, {0, 0}},
};

inline constexpr PixelRect kBubblePointerPixels[kPixelSizes] = {{48, 74, 80, 93}, {38, 57, 62, 71}};

// "CHARACTER_A"; the progress-bar pieces are cut against a fixed 512 x 512.
inline constexpr uint32_t kProgressBarImageSide = 512;
inline constexpr PixelRect kProgressBarPieceAPixels = {449, 286, 507, 344};
inline constexpr PixelRect kProgressBarPieceBPixels = {451, 348, 508, 408};
inline constexpr PixelRect kColorBoxPiecePixels = {166, 47, 195, 76};
inline constexpr PixelRect kSliderKnobPixels = {0, 208, 22, 249};

}  // namespace tesk::game::gui
