// The start-up's resources: the textures of the component's resources, the tuning numbers, the
// width option and the four fonts of the instance store, each table in its order.
//
// Every resource opens through the core's OpenResourceStream with the component name and is
// given back (ReleaseInstance) once it has been read, whether its texture or number came out of
// it or not. A resource stream is shared by everyone who opens it, so each is read from its start.
// Numbers are UTF-16 decimal texts without a terminator: at most kNumberUnits units are read, then
// terminated and converted.
#include "game_context.h"
#include "game_methods.h"
#include "gui_skin.h"
#include "kivo/font/font_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"

namespace tesk::game::method {

namespace {

namespace r = kivo::rasterizer;

constexpr int32_t kOptionWidth = 1;
constexpr int32_t kDefaultWidth = 1024;
constexpr int32_t kNarrowWidth = 800;
constexpr uint32_t kRepeat = 0x2901;   // GL_REPEAT
constexpr uint32_t kClamp = 0x2900;    // GL_CLAMP
constexpr uint32_t kMagnify = 0x2601;  // GL_LINEAR
constexpr uint32_t kMinify = 0x2703;   // GL_LINEAR_MIPMAP_LINEAR
constexpr uint32_t kMipmaps = 1;
constexpr uint32_t kNumberUnits = 64;

// The area-of-interest cells: entry k is the cell at (column, row) of the 4 x 4 grid.
constexpr struct {
  int column;
  int row;
} kAoiCells[kAoiCellCount] = {{1, 1}, {1, 3}, {2, 0}, {2, 2}, {2, 1}, {2, 3}, {3, 1}, {3, 3},
                              {3, 0}, {3, 2}, {0, 1}, {0, 3}, {0, 0}, {0, 2}, {1, 0}, {1, 2}};
constexpr float kAoiCellTexels = 57.0f;
constexpr float kAoiImageTexels = 256.0f;

struct TextureRow {
  const char16_t* name;
  const char16_t* name800;  // the resource at width 800, or null: the same at every width
  uint32_t wrap;
  const char16_t* message;  // reported when the resource is missing
  uint32_t StartupTextures::*field;
};

// The area-of-interest images, loaded first; BuildIconAtlasTable runs before the third.
constexpr TextureRow kAoiTextures[] = {
    {u"AOI_OUTER", nullptr, kRepeat, u"RTTeskGame... Couldn't load AOI outer image from resource!",
     &StartupTextures::aoiOuter},
    {u"AOI_INNER", nullptr, kRepeat, u"RTTeskGame... Couldn't load AOI inner image from resource!",
     &StartupTextures::aoiInner},
};
constexpr TextureRow kAoiPowersTexture = {u"AOI_POWERS", nullptr, kRepeat,
                                          u"RTTeskGame... Couldn't load AOI powers image from resource!",
                                          &StartupTextures::aoiPowers};

// The HUD's, the start-up screen's and the loading screen's images, in the texture table's order.
constexpr TextureRow kHudTextures[] = {
    {u"INTERFACE_PLATE_A", nullptr, kRepeat, u"RTTeskGame... Couldn't load PLATE A from resource!",
     &StartupTextures::plateA},
    {u"NUMBERS", nullptr, kRepeat, u"RTTeskGame... Couldn't load NUMBERS!", &StartupTextures::numbers},
    {u"INTERFACE_PLATE_B", nullptr, kRepeat, u"RTTeskGame... Couldn't load PLATE B from resource!",
     &StartupTextures::plateB},
    {u"RED_NUMBERS", nullptr, kRepeat, u"RTTeskGame... Couldn't load RED Numbers from resource!",
     &StartupTextures::redNumbers},
    {u"GREEN_NUMBERS", nullptr, kRepeat, u"RTTeskGame... Couldn't load Green Numbers from resource!",
     &StartupTextures::greenNumbers},
    {u"BIG_NUMBERS", nullptr, kRepeat, u"RTTeskGame... Couldn't load big numbers from resource!",
     &StartupTextures::bigNumbers},
    {u"BIG_GREEN_NUMBERS", nullptr, kRepeat, u"RTTeskGame... Couldn't load big green numbers from resource!",
     &StartupTextures::bigGreenNumbers},
    {u"BIG_RED_NUMBERS", nullptr, kRepeat, u"RTTeskGame... Couldn't load big red numbers from resource!",
     &StartupTextures::bigRedNumbers},
    {u"MAIN_A", nullptr, kClamp, u"RTTeskGame... Couldn't load main A from resource!", &StartupTextures::mainA},
    {u"MAIN_B", nullptr, kClamp, u"RTTeskGame... Couldn't load main B from resource!", &StartupTextures::mainB},
    {u"MAIN_C", nullptr, kClamp, u"RTTeskGame... Couldn't load main C from resource!", &StartupTextures::mainC},
    {u"MAIN_D", nullptr, kClamp, u"RTTeskGame... Couldn't load main D from resource!", &StartupTextures::mainD},
    {u"STARTUP_TL", u"STARTUP_800_TL", kClamp, u"RTTeskGame... Couldn't load startup top left from resource!",
     &StartupTextures::startupTopLeft},
    {u"STARTUP_TR", u"STARTUP_800_TR", kClamp, u"RTTeskGame... Couldn't load startup top right from resource!",
     &StartupTextures::startupTopRight},
    {u"STARTUP_BL", u"STARTUP_800_BL", kClamp, u"RTTeskGame... Couldn't load startup bottom left from resource!",
     &StartupTextures::startupBottomLeft},
    {u"STARTUP_BR", u"STARTUP_800_BR", kClamp, u"RTTeskGame... Couldn't load startup bottom right from resource!",
     &StartupTextures::startupBottomRight},
    {u"GENERAL_ICONS", nullptr, kClamp, u"RTTeskGame... Couldn't load general icons from resource!",
     &StartupTextures::generalIcons},
    {u"STARTUP_BUTTONS", nullptr, kClamp, u"RTTeskGame... Couldn't load startup buttons from resource!",
     &StartupTextures::startupButtons},
    {u"PERK_ICONS", nullptr, kClamp, u"RTTeskGame... Couldn't load perk icons from resource!",
     &StartupTextures::perkIcons},
    {u"1024_elements", nullptr, kClamp, u"RTTeskGame... Couldn't load 1024 elements from resource!",
     &StartupTextures::elements},
    {u"LEFT_BUTTONS", nullptr, kRepeat, u"RTTeskGame... Couldn't load LEFT_BUTTONS from resource!",
     &StartupTextures::leftButtons},
    {u"RIGHT_BUTTONS", nullptr, kRepeat, u"RTTeskGame... Couldn't load RIGHT_BUTTONS from resource!",
     &StartupTextures::rightButtons},
    {u"CONV_TOPICS", nullptr, kRepeat, u"RTTeskGame... Couldn't load CONV_TOPICS from resource!",
     &StartupTextures::convTopics},
    {u"PORTAL_BALLS_A", nullptr, kRepeat, u"RTTeskGame... Couldn't load PORTAL_BALLS_A from resource!",
     &StartupTextures::portalBallsA},
    {u"PORTAL_BALLS_B", nullptr, kRepeat, u"RTTeskGame... Couldn't load PORTAL_BALLS_B from resource!",
     &StartupTextures::portalBallsB},
    {u"LOADING_A", nullptr, kRepeat, u"RTTeskGame... Couldn't load LOADING_A from resource!",
     &StartupTextures::loadingBackTexture},
    {u"LOADING_B", nullptr, kRepeat, u"RTTeskGame... Couldn't load LOADING_B from resource!",
     &StartupTextures::loadingSpriteTexture},
};

// A number read as a real (and stored, for the radius, squared too) or as an integer.
struct NumberRow {
  const char16_t* name;
  const char16_t* message;  // reported when the resource is missing
  float Tuning::*real;
  float Tuning::*square;
  int32_t Tuning::*integer;
};

// The tuning numbers, in the number table's order.
constexpr NumberRow kNumbers[] = {
    {u"AOI_RADIUS", u"RTTeskGame... Couldn't load AOI_RADIUS resource", &Tuning::aoiRadius, &Tuning::aoiRadiusSquared,
     nullptr},
    {u"BEAN_DISTANCE", u"RTTeskGame... Couldn't load BEAN_DISTANCE resource", &Tuning::beanDistance, nullptr, nullptr},
    {u"BEAN_SIZE", u"RTTeskGame... Couldn't load BEAN_SIZE resource", &Tuning::beanSize, nullptr, nullptr},
    {u"BEAN_SPEED", u"RTTeskGame... Couldn't load BEAN_SPEED resource", &Tuning::beanSpeed, nullptr, nullptr},
    {u"AOI_ADDITIVE", u"RTTeskGame... Couldn't load AOI_ADDITIVE resource", nullptr, nullptr, &Tuning::aoiAdditive},
};

struct FontRow {
  const char16_t* path;
  uint32_t cellWidth;
  uint32_t cellHeight;
  uint32_t textureWidth;
  uint32_t textureHeight;
  RTInstance GamePrivateData::*field;
};

// The fonts, in the font table's order.
constexpr FontRow kFonts[] = {
    {u"Root:Fonts:Verdana", 16, 16, 256, 256, &GamePrivateData::subtitleFont},
    {u"Root:Fonts:Verdana14o", 15, 15, 256, 256, &GamePrivateData::outlineFont14},
    {u"Root:Fonts:Verdana18o", 30, 30, 512, 512, &GamePrivateData::outlineFont18},
    {u"Root:Fonts:Monospaced32", 32, 32, 512, 512, &GamePrivateData::titleFont},
};

// The named stream of the component's resources, at its start; empty when there is none.
kivo::InstanceRef OpenResource(const char16_t* name) {
  kivo::InstanceRef stream;
  if (Core().OpenResourceStream(nullptr, kClassName, name, stream.out()) && stream.get())
    kivo::stream::Seek(stream.get(), 0);
  return stream;
}

// One row of the texture table: its message and false when the resource is missing, false alone
// when the image makes no texture. The stream goes back on every path.
bool LoadTexture(GamePrivateData& game, const TextureRow& row, int32_t width) {
  const char16_t* name = width == kNarrowWidth && row.name800 ? row.name800 : row.name;
  const kivo::InstanceRef stream = OpenResource(name);
  if (!stream.get()) {
    Report(row.message);
    return false;
  }
  r::Texture texture = 0;
  if (!r::CreateTextureFromImage(game.rasterizer, stream.get(), &texture, row.wrap, row.wrap, kMagnify, kMinify,
                                 kMipmaps))
    return false;
  game.textures.*row.field = texture;
  return true;
}

// The resource's text, at most kNumberUnits units of it, terminated.
void ReadText(RTInstance stream, char16_t (&text)[kNumberUnits + 1]) {
  uint32_t read = 0;
  if (!kivo::stream::Read(stream, text, kNumberUnits * sizeof(char16_t), &read)) read = 0;
  text[read / sizeof(char16_t)] = u'\0';
}

bool LoadNumber(GamePrivateData& game, const NumberRow& row) {
  const kivo::InstanceRef stream = OpenResource(row.name);
  if (!stream.get()) {
    Report(row.message);
    return false;
  }
  char16_t text[kNumberUnits + 1] = {};
  ReadText(stream.get(), text);
  Tuning& tuning = game.tuning;
  if (row.integer) {
    tuning.*row.integer = kivo::WideStrToInt(text);
  } else {
    const auto real = static_cast<float>(kivo::WideStrToFloat(text));
    tuning.*row.real = real;
    if (row.square) tuning.*row.square = real * real;
  }
  return true;
}

// A font of the instance store with its cell and texture size and the window's size; false,
// without a message, when the path names no instance.
bool LoadFont(GamePrivateData& game, const FontRow& row) {
  kivo::InstanceRef font;
  if (!Core().GetInstanceByName(nullptr, row.path, font.out(), 0) || !font.get()) return false;
  kivo::font::SetCellSize(font.get(), row.cellWidth, row.cellHeight, row.textureWidth, row.textureHeight);
  kivo::font::SetScreenSize(font.get(), game.screenWidth, game.screenHeight);
  RTInstance& held = game.*row.field;
  if (held) Core().ReleaseInstance(nullptr, held);
  held = font.Take();
  return true;
}

}  // namespace

RTSuccess BuildIconAtlasTable() {
  AoiCell* cells = Library().aoiCells;
  for (size_t k = 0; k < kAoiCellCount; ++k)
    cells[k] = {static_cast<float>(kAoiCells[k].column) * kAoiCellTexels / kAoiImageTexels,
                static_cast<float>(kAoiCells[k].row) * kAoiCellTexels / kAoiImageTexels};
  return kRTSuccess;
}

int32_t ScreenWidthOption(GamePrivateData& game) {
  const int32_t width = OptionValue(game, kOptionWidth);
  return width == 0 ? kDefaultWidth : width;
}

bool LoadStartupResources(GamePrivateData& game) {
  for (const TextureRow& row : kAoiTextures)
    if (!LoadTexture(game, row, kDefaultWidth)) return false;
  BuildIconAtlasTable();
  if (!LoadTexture(game, kAoiPowersTexture, kDefaultWidth)) return false;
  for (const NumberRow& row : kNumbers)
    if (!LoadNumber(game, row)) return false;
  const int32_t width = ScreenWidthOption(game);
  // The skin's result is not tested: without it drawing runs with no textures and no text.
  int8_t variant = 0;
  if (gui::SkinVariantForWidth(width, &variant)) gui::LoadGuiSkin(variant);
  for (const TextureRow& row : kHudTextures)
    if (!LoadTexture(game, row, width)) return false;
  for (const FontRow& row : kFonts)
    if (!LoadFont(game, row)) return false;
  Report(u"Startup()... Loaded all fonts and resources");
  return true;
}

}  // namespace tesk::game::method
