#include "gui_skin.h"

#include <iterator>

#include "game_resource.h"
#include "kivo/font/font_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_calls.h"
#include "skin_pieces.h"
#include "tesk/game_slots.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kClamp = 0x2900;    // GL_CLAMP
constexpr uint32_t kNearest = 0x2600;  // GL_NEAREST
constexpr uint32_t kMipmaps = 1;

struct FontRow {
  const char16_t* path;
  uint32_t cellWidth;  // 0: the font keeps its own cells and size
  uint32_t cellHeight;
  uint32_t textureWidth;
  uint32_t textureHeight;
  uint32_t pixels;
  const char16_t* message;  // raised when the path names no font
};

constexpr FontRow kFonts[kSkinFontCount] = {
    {u"Root:Fonts:Verdana", 0, 0, 0, 0, 15, u"Couldn't retrieve the Verdana font"},
    {u"Root:Fonts:Verdana15b", 0, 0, 0, 0, 15, u"Couldn't retrieve the Verdana 15b font"},
    {u"Root:Fonts:Verdana17", 32, 32, 512, 512, 17, u"Couldn't retrieve the Verdana17 font"},
    {u"Root:Fonts:Verdana19", 32, 32, 512, 512, 19, u"Couldn't retrieve the Verdana19 font"},
    {u"Root:Fonts:Verdana18o", 30, 30, 512, 512, 18, u"Couldn't retrieve the Verdana18o font"},
    {u"Root:Fonts:Verdana12b", 16, 16, 256, 256, 12, u"Couldn't retrieve the Verdana12 font"},
    {u"Root:Fonts:Verdana23o", 32, 32, 512, 512, 23, u"Couldn't retrieve the Verdana23o font"},
    {u"Root:Fonts:Verdana7b", 16, 16, 256, 256, 7, u"Couldn't retrieve the Verdana7b font"},
    {u"Root:Fonts:Verdana8", 16, 16, 256, 256, 8, u"Couldn't retrieve the Verdana8 font"},
    {u"Root:Fonts:Verdana9b", 16, 16, 256, 256, 9, u"Couldn't retrieve the Verdana9b font"},
    {u"Root:Fonts:Verdana11", 16, 16, 256, 256, 11, u"Couldn't retrieve the Verdana11 font"},
    {u"Root:Fonts:Verdana11b", 16, 16, 256, 256, 11, u"Couldn't retrieve the Verdana11 font"},
    {u"Root:Fonts:Verdana13", 16, 16, 256, 256, 13, u"Couldn't retrieve the Verdana13 font"},
    {u"Root:Fonts:Verdana14o", 15, 15, 256, 256, 14, u"Couldn't retrieve the Verdana14o font"},
    {u"Root:Fonts:Monospaced32", 32, 32, 512, 512, 32, u"Couldn't retrieve the Monospaced32 font"},
};

constexpr int32_t kNoIndex = -1;

struct ImageRow {
  const char16_t* name;
  int32_t index;  // GetGuiImage's index, or kNoIndex
};

// The images in load order; the element images end the list.
constexpr ImageRow kImages[] = {
    {u"MAIN_C", 0},
    {u"CHARACTER_A", 1},
    {u"XRAY_OVERLAY", kNoIndex},
    {u"GENERAL_ICONS", 2},
    {u"MAIN_MENU_ICONS", 3},
    {u"ICONS_A", 4},
    {u"ICONS_B", 5},
    {u"ICONS_C", 6},
    {u"ICONS_G", 7},
    {u"LEFT_BUTTONS", 8},
    {u"RIGHT_BUTTONS", 9},
    {u"MAIN_A", 10},
    {u"MAIN_B", 11},
    {u"PORTAL_BALLS_A", 12},
    {u"PORTAL_BALLS_B", 13},
    {u"ATT_FACES", 14},
    {u"PERKS", 15},
    {u"SECURITY1", 17},
    {u"SECURITY2", 18},
    {u"1024_ELEMENTS", kNoIndex},
    {u"800_ELEMENTS", kNoIndex},
};
constexpr size_t kImageCount = std::size(kImages);
constexpr size_t kCharacterImage = 1;
constexpr size_t kXrayImage = 2;
constexpr size_t kFirstElementImage = 19;  // 1024_ELEMENTS, then 800_ELEMENTS
static_assert(kImageCount == 21);

struct Skin {
  int8_t variant = kSkinLarge;
  RTInstance rasterizer = nullptr;
  RTInstance fonts[kSkinFontCount] = {};
  uint32_t textures[kImageCount] = {};  // in load order
  SkinPieces pieces{};
  RTInstance stream = nullptr;
  RTInstance game = nullptr;  // no reference held
};

Skin& TheSkin() {
  static Skin skin;
  return skin;
}

CoreTable& Core() { return *kivo::ModuleCore(); }

void Report(const char16_t* message) { Core().RaiseError(nullptr, message, kivo::kLevelError); }

bool LoadFonts(Skin& skin) {
  for (int32_t i = 0; i < kSkinFontCount; ++i) {
    const FontRow& row = kFonts[i];
    if (!Core().GetInstanceByName(nullptr, row.path, &skin.fonts[i], 0) || !skin.fonts[i]) {
      skin.fonts[i] = nullptr;
      Report(row.message);
      return false;
    }
    if (row.cellWidth) {
      kivo::font::SetCellSize(skin.fonts[i], row.cellWidth, row.cellHeight, row.textureWidth, row.textureHeight);
      kivo::font::SetSize(skin.fonts[i], row.pixels);
    }
  }
  return true;
}

bool LoadImages(Skin& skin) {
  uint32_t elementWidth[2] = {};
  uint32_t elementHeight[2] = {};
  for (size_t i = 0; i < kImageCount; ++i) {
    uint32_t width = 0;
    uint32_t height = 0;
    if (!LoadGuiImage(skin.rasterizer, kImages[i].name, &skin.textures[i], &width, &height, 1)) return false;
    if (i == kCharacterImage) ComputeCharacterPieces(&skin.pieces, width, height);
    if (i >= kFirstElementImage) {
      elementWidth[i - kFirstElementImage] = width;
      elementHeight[i - kFirstElementImage] = height;
    }
  }
  for (int8_t variant : {kSkinLarge, kSkinSmall})
    ComputeElementPieces(&skin.pieces, variant, elementWidth[variant], elementHeight[variant]);
  return true;
}

// The game singleton, kept without a reference; false when there is none that stays.
bool FindGame(Skin& skin) {
  kivo::InstanceRef game;
  if (!Core().GetFirstInstanceByString(nullptr, kClassName, game.out(), 1, nullptr) || !game.get()) return false;
  const RTInstance made = game.get();
  game.Reset();
  // A game made just now went with the reference; only one that someone else holds will do.
  kivo::InstanceRef still;
  if (!Core().GetFirstInstanceByString(nullptr, kClassName, still.out(), 0, nullptr) || still.get() != made)
    return false;
  skin.game = made;
  return true;
}

}  // namespace

void PixelRectToUV(RTFVector2D* uv, float x, float y, uint32_t width, uint32_t height) {
  const auto w = static_cast<float>(width);
  const auto h = static_cast<float>(height);
  uv->x = x / w;
  uv->y = (h - y) / h;
}

RTSuccess LoadGuiImage(RTInstance rasterizer, const char16_t* name, uint32_t* texture, uint32_t* width,
                       uint32_t* height, uint32_t linear) {
  const kivo::InstanceRef image = OpenGameResource(name);
  if (!image.get()) {
    Report(u"(TeskGUI) Couldn't retrieve resource!");
    return kRTFailure;
  }
  const uint32_t filter = linear ? r::kLinear : kNearest;
  return r::GetImageSize(rasterizer, image.get(), width, height) && *width && *height &&
                 r::CreateTextureFromImage(rasterizer, image.get(), texture, kClamp, kClamp, filter, filter, kMipmaps)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess LoadGuiSkin(int8_t variant) {
  ReleaseGuiSkin();
  if (variant < kSkinLarge || variant > kSkinNoElements) return kRTFailure;
  Skin& skin = TheSkin();
  if (!Core().GetFirstInstanceByString(nullptr, r::kClassName, &skin.rasterizer, 1, nullptr) || !skin.rasterizer) {
    skin.rasterizer = nullptr;
    return kRTFailure;
  }
  if (!LoadFonts(skin) || !LoadImages(skin)) return kRTFailure;
  skin.variant = variant;
  if (!kivo::memory_stream::Create(&skin.stream)) return kRTFailure;
  return FindGame(skin) ? kRTSuccess : kRTFailure;
}

void ReleaseGuiSkin() {
  Skin& skin = TheSkin();
  for (uint32_t texture : skin.textures)
    if (texture) r::DestroyTexture(skin.rasterizer, texture);
  for (RTInstance held : skin.fonts)
    if (held) Core().ReleaseInstance(nullptr, held);
  for (RTInstance held : {skin.stream, skin.rasterizer})
    if (held) Core().ReleaseInstance(nullptr, held);
  skin = Skin{};
}

bool SkinVariantForWidth(int32_t width, int8_t* variant) {
  constexpr int32_t kWidths[kSkinVariants] = {1024, 800, 640};
  for (size_t i = 0; i < kSkinVariants; ++i)
    if (kWidths[i] == width) {
      *variant = static_cast<int8_t>(i);
      return true;
    }
  return false;
}

int8_t GetSkinVariant() { return TheSkin().variant; }

RTSuccess GetGuiImage(uint32_t index, uint32_t* texture) {
  *texture = 0;
  if (index == kElementImage) {
    *texture = ElementTexture();
    return kRTSuccess;
  }
  for (size_t i = 0; i < kImageCount; ++i)
    if (kImages[i].index == static_cast<int32_t>(index)) {
      *texture = TheSkin().textures[i];
      return kRTSuccess;
    }
  return kRTFailure;
}

uint32_t ElementTexture() {
  const Skin& skin = TheSkin();
  return skin.variant == kSkinNoElements ? 0 : skin.textures[kFirstElementImage + skin.variant];
}

uint32_t XrayOverlayTexture() { return TheSkin().textures[kXrayImage]; }

const SkinPieces& Pieces() { return TheSkin().pieces; }

const UvRect& Current(const SkinPiece& piece) { return piece.uv[TheSkin().variant]; }

int32_t CornerWidth(const SkinFrameRecord& record) { return record.cornerWidth[TheSkin().variant]; }

int32_t CornerHeight(const SkinFrameRecord& record) { return record.cornerHeight[TheSkin().variant]; }

RTInstance SkinFont(int32_t index) {
  const Skin& skin = TheSkin();
  return index >= 0 && index < kSkinFontCount ? skin.fonts[index] : skin.fonts[0];
}

RTInstance DefaultFont() { return TheSkin().fonts[0]; }

RTInstance SharedStream() {
  Skin& skin = TheSkin();
  if (!skin.stream && !kivo::memory_stream::Create(&skin.stream)) skin.stream = nullptr;
  return skin.stream;
}

RTInstance SkinGame() { return TheSkin().game; }

}  // namespace tesk::game::gui
