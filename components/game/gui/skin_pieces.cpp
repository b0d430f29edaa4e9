#include "skin_pieces.h"

#include "skin_piece_table.h"

namespace tesk::game::gui {

namespace {

// The skin's records in the order of the pixel table.
constexpr SkinFrameRecord SkinPieces::*kFrameRecords[kFrameRecordCount] = {
    &SkinPieces::tealFrame,  &SkinPieces::navyFrame, &SkinPieces::blackFrame,
    &SkinPieces::slateFrame, &SkinPieces::thinFrame, &SkinPieces::titleTab,
    &SkinPieces::listFrame,  &SkinPieces::pageTab,   &SkinPieces::buttonFrame,
};
constexpr SkinPiecePair SkinPieces::*kPairRecords[kPairCount] = {&SkinPieces::listScrollA, &SkinPieces::listScrollB,
                                                                 &SkinPieces::sliderTrack, &SkinPieces::sliderThumb};

bool Given(const PixelRect& rect) { return rect.x1 > 0 || rect.y1 > 0; }

UvRect ToUv(const PixelRect& rect, uint32_t width, uint32_t height) {
  RTFVector2D topLeft{};
  RTFVector2D bottomRight{};
  PixelRectToUV(&topLeft, rect.x0, rect.y0, width, height);
  PixelRectToUV(&bottomRight, rect.x1, rect.y1, width, height);
  return {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
}

}  // namespace

void ComputeElementPieces(SkinPieces* pieces, int8_t variant, uint32_t imageWidth, uint32_t imageHeight) {
  for (int i = 0; i < kFrameRecordCount; ++i) {
    const FramePixels& row = kFramePixels[i];
    SkinFrameRecord& record = pieces->*kFrameRecords[i];
    record.corner.uv[variant] = ToUv(row.corner[variant], imageWidth, imageHeight);
    record.topEdge.uv[variant] = ToUv(row.topEdge[variant], imageWidth, imageHeight);
    if (Given(row.sideEdge[variant]))
      record.sideEdge.uv[variant] = ToUv(row.sideEdge[variant], imageWidth, imageHeight);
    record.cornerWidth[variant] = row.width[variant];
    record.cornerHeight[variant] = row.height[variant];
  }
  for (int i = 0; i < kPairCount; ++i) {
    const PairPixels& row = kPairPixels[i];
    SkinPiecePair& pair = pieces->*kPairRecords[i];
    pair.first.uv[variant] = ToUv(row.first[variant], imageWidth, imageHeight);
    pair.second.uv[variant] = ToUv(row.second[variant], imageWidth, imageHeight);
    pair.width[variant] = row.width[variant];
    pair.height[variant] = row.height[variant];
  }
  pieces->bubblePointer.uv[variant] = ToUv(kBubblePointerPixels[variant], imageWidth, imageHeight);
}

void ComputeCharacterPieces(SkinPieces* pieces, uint32_t imageWidth, uint32_t imageHeight) {
  pieces->progressBarPieceA = ToUv(kProgressBarPieceAPixels, kProgressBarImageSide, kProgressBarImageSide);
  pieces->progressBarPieceB = ToUv(kProgressBarPieceBPixels, kProgressBarImageSide, kProgressBarImageSide);
  pieces->colorBoxPiece = ToUv(kColorBoxPiecePixels, imageWidth, imageHeight);
  pieces->sliderKnob = ToUv(kSliderKnobPixels, imageWidth, imageHeight);
}

}  // namespace tesk::game::gui
