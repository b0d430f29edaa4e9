// The GUI skin: the fonts every widget and screen writes with, the textures of the GUI images and
// the texture coordinates (pieces) of the sprites that frames, tabs, buttons, lists and sliders are
// cut from. LoadGuiSkin fills it once, for the element size of the screen width; everything else
// only reads it. There is one skin in a library.
//
// The skin holds a reference to the rasterizer, to each font and to its shared memory stream, and
// keeps the game (the RTTeskGame singleton) without one: the game outlives the skin, and its end
// releases it (ReleaseGuiSkin).
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw_primitives.h"
#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace tesk::game::gui {

// Element sizes: 0 for a 1024-pixel-wide screen, 1 for 800, 2 for 640 (no element image).
inline constexpr size_t kSkinVariants = 3;
inline constexpr int8_t kSkinLarge = 0;
inline constexpr int8_t kSkinSmall = 1;
inline constexpr int8_t kSkinNoElements = 2;

inline constexpr int32_t kSkinFontCount = 15;
// GetGuiImage's indexes run from 0 to 18; 16 is the element image of the skin's variant.
inline constexpr uint32_t kGuiImageCount = 19;
inline constexpr uint32_t kElementImage = 16;

// A sprite, for each variant its rectangle (variant 2's stays zero).
struct SkinPiece {
  UvRect uv[kSkinVariants];
};

// The pieces one frame operation draws, and its corner size per variant in pixels.
struct SkinFrameRecord {
  SkinPiece corner;
  SkinPiece topEdge;
  SkinPiece sideEdge;  // zero for the records without one
  int32_t cornerWidth[kSkinVariants];
  int32_t cornerHeight[kSkinVariants];
};

// Two pieces that a list's scroll bar or a slider draws together, and their size per variant.
struct SkinPiecePair {
  SkinPiece first;
  SkinPiece second;
  int32_t width[kSkinVariants];
  int32_t height[kSkinVariants];
};

struct SkinPieces {
  SkinFrameRecord tealFrame;
  SkinFrameRecord navyFrame;
  SkinFrameRecord blackFrame;
  SkinFrameRecord slateFrame;
  SkinFrameRecord thinFrame;
  SkinFrameRecord titleTab;
  SkinFrameRecord listFrame;
  SkinFrameRecord pageTab;
  SkinFrameRecord buttonFrame;
  SkinPiecePair listScrollA;
  SkinPiecePair listScrollB;
  SkinPiecePair sliderTrack;
  SkinPiecePair sliderThumb;  // a width only
  SkinPiece bubblePointer;    // drawn 32 x 18 at every variant
  // Cut from "CHARACTER_A", one size only.
  UvRect progressBarPieceA;
  UvRect progressBarPieceB;
  UvRect colorBoxPiece;
  UvRect sliderKnob;
};

// The fonts, the 21 images and the pieces, the variant, the shared stream and the game, in that
// order; 0 at the first failure (a missing font or image with its message), what was loaded
// before it staying. A variant outside 0-2 loads nothing. A skin loaded before is released first.
RTSuccess LoadGuiSkin(int8_t variant);
// The variant of a screen width: 1024 gives 0, 800 gives 1, 640 gives 2; false for any other.
bool SkinVariantForWidth(int32_t width, int8_t* variant);
// Destroys the skin's textures, gives back its references and empties it.
void ReleaseGuiSkin();

// Opens the game's image resource, reads its size and makes a texture of it, clamped both ways,
// filtered linearly or (linear 0) to the nearest texel. Failure without a message when the image
// makes no texture; with "(TeskGUI) Couldn't retrieve resource!" when there is no such resource.
RTSuccess LoadGuiImage(RTInstance rasterizer, const char16_t* name, uint32_t* texture, uint32_t* width,
                       uint32_t* height, uint32_t linear);
// A pixel point of a width x height image as texture coordinates: (x / width, (height - y) /
// height).
void PixelRectToUV(RTFVector2D* uv, float x, float y, uint32_t width, uint32_t height);

int8_t GetSkinVariant();
// The texture of the image index (0-18), or failure with 0 for any other index.
RTSuccess GetGuiImage(uint32_t index, uint32_t* texture);
uint32_t ElementTexture();  // of the current variant; 0 at variant 2
uint32_t XrayOverlayTexture();

const SkinPieces& Pieces();
// A piece, corner size or piece-pair size at the current variant.
const UvRect& Current(const SkinPiece& piece);
int32_t CornerWidth(const SkinFrameRecord& record);
int32_t CornerHeight(const SkinFrameRecord& record);

// The font of the table's index, font 0 for an index outside it; null without a skin.
RTInstance SkinFont(int32_t index);
// "Root:Fonts:Verdana", the pop-up's font.
RTInstance DefaultFont();
// The memory stream widgets are cloned through; made on first use when the skin has none.
RTInstance SharedStream();
// The game the skin was loaded for, or null.
RTInstance SkinGame();

}  // namespace tesk::game::gui
