// Startup's resources: a table of resource files and font sets each
// short of one item, or with an undecodable image, that stop the bring-up with their message or
// none and leave no resource stream open; the resource names each width opens; the area-of-
// interest cells, the tuning numbers, the texture table's sampling and the fonts' set-up of a
// whole run.
#include <algorithm>

#include "game_fixture.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace r = kivo::rasterizer;

constexpr uint32_t kWindowWidth = 512;
constexpr uint32_t kWindowHeight = 384;
constexpr char kLoadedAll[] = "Startup()... Loaded all fonts and resources";

// One way of falling short: a resource or a font left out, or an image that does not decode.
struct Shortfall {
  const char* missing;      // a resource left out of the file
  const char* undecodable;  // a resource whose bytes are no image
  const char16_t* noFont;   // a font left out of "Root:Fonts"
  int32_t width;            // option 1
  const char* message;      // the game's one message, or null for none
};

std::string Label(const Shortfall& s) {
  std::string label = s.missing       ? std::string("missing_") + s.missing
                      : s.undecodable ? std::string("undecodable_") + s.undecodable
                                      : "no_font_" + platform::ToUtf8(s.noFont);
  if (s.width) label += "_at_" + std::to_string(s.width);
  return label;
}

void PrintTo(const Shortfall& s, std::ostream* os) { *os << Label(s); }

constexpr Shortfall Missing(const char* name, const char* message, int32_t width = 0) {
  return {name, nullptr, nullptr, width, message};
}

const Shortfall kShortfalls[] = {
    Missing("AOI_OUTER", "RTTeskGame... Couldn't load AOI outer image from resource!"),
    Missing("AOI_INNER", "RTTeskGame... Couldn't load AOI inner image from resource!"),
    Missing("AOI_POWERS", "RTTeskGame... Couldn't load AOI powers image from resource!"),
    Missing("INTERFACE_PLATE_A", "RTTeskGame... Couldn't load PLATE A from resource!"),
    Missing("NUMBERS", "RTTeskGame... Couldn't load NUMBERS!"),
    Missing("INTERFACE_PLATE_B", "RTTeskGame... Couldn't load PLATE B from resource!"),
    Missing("RED_NUMBERS", "RTTeskGame... Couldn't load RED Numbers from resource!"),
    Missing("GREEN_NUMBERS", "RTTeskGame... Couldn't load Green Numbers from resource!"),
    Missing("BIG_NUMBERS", "RTTeskGame... Couldn't load big numbers from resource!"),
    Missing("BIG_GREEN_NUMBERS", "RTTeskGame... Couldn't load big green numbers from resource!"),
    Missing("BIG_RED_NUMBERS", "RTTeskGame... Couldn't load big red numbers from resource!"),
    Missing("MAIN_A", "RTTeskGame... Couldn't load main A from resource!"),
    Missing("MAIN_B", "RTTeskGame... Couldn't load main B from resource!"),
    Missing("MAIN_C", "RTTeskGame... Couldn't load main C from resource!"),
    Missing("MAIN_D", "RTTeskGame... Couldn't load main D from resource!"),
    Missing("STARTUP_TL", "RTTeskGame... Couldn't load startup top left from resource!"),
    Missing("STARTUP_TR", "RTTeskGame... Couldn't load startup top right from resource!"),
    Missing("STARTUP_BL", "RTTeskGame... Couldn't load startup bottom left from resource!"),
    Missing("STARTUP_BR", "RTTeskGame... Couldn't load startup bottom right from resource!"),
    Missing("STARTUP_800_TL", "RTTeskGame... Couldn't load startup top left from resource!", 800),
    Missing("STARTUP_800_BR", "RTTeskGame... Couldn't load startup bottom right from resource!", 800),
    Missing("GENERAL_ICONS", "RTTeskGame... Couldn't load general icons from resource!"),
    Missing("STARTUP_BUTTONS", "RTTeskGame... Couldn't load startup buttons from resource!"),
    Missing("PERK_ICONS", "RTTeskGame... Couldn't load perk icons from resource!"),
    Missing("1024_elements", "RTTeskGame... Couldn't load 1024 elements from resource!"),
    Missing("LEFT_BUTTONS", "RTTeskGame... Couldn't load LEFT_BUTTONS from resource!"),
    Missing("RIGHT_BUTTONS", "RTTeskGame... Couldn't load RIGHT_BUTTONS from resource!"),
    Missing("CONV_TOPICS", "RTTeskGame... Couldn't load CONV_TOPICS from resource!"),
    Missing("PORTAL_BALLS_A", "RTTeskGame... Couldn't load PORTAL_BALLS_A from resource!"),
    Missing("PORTAL_BALLS_B", "RTTeskGame... Couldn't load PORTAL_BALLS_B from resource!"),
    Missing("LOADING_A", "RTTeskGame... Couldn't load LOADING_A from resource!"),
    Missing("LOADING_B", "RTTeskGame... Couldn't load LOADING_B from resource!"),
    Missing("AOI_RADIUS", "RTTeskGame... Couldn't load AOI_RADIUS resource"),
    Missing("BEAN_DISTANCE", "RTTeskGame... Couldn't load BEAN_DISTANCE resource"),
    Missing("BEAN_SIZE", "RTTeskGame... Couldn't load BEAN_SIZE resource"),
    Missing("BEAN_SPEED", "RTTeskGame... Couldn't load BEAN_SPEED resource"),
    Missing("AOI_ADDITIVE", "RTTeskGame... Couldn't load AOI_ADDITIVE resource"),
    {nullptr, "AOI_INNER", nullptr, 0, nullptr},
    {nullptr, "LOADING_B", nullptr, 0, nullptr},
    {nullptr, "STARTUP_800_TR", nullptr, 800, nullptr},
    {nullptr, nullptr, u"Verdana", 0, nullptr},
    {nullptr, nullptr, u"Verdana14o", 0, nullptr},
    {nullptr, nullptr, u"Verdana18o", 0, nullptr},
    {nullptr, nullptr, u"Monospaced32", 0, nullptr},
};

class ShortStartup : public GameTest, public ::testing::WithParamInterface<Shortfall> {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = CompleteResources();
    const Shortfall& s = GetParam();
    std::erase_if(items, [&](const ResourceItem& item) { return s.missing && item.name == s.missing; });
    for (ResourceItem& item : items)
      if (s.undecodable && item.name == s.undecodable) item.bytes = "\x89PNG this is not an image";
    return items;
  }
  std::vector<std::u16string> Fonts() const override {
    std::vector<std::u16string> fonts = AllFonts();
    std::erase_if(fonts, [&](const std::u16string& font) { return GetParam().noFont && font == GetParam().noFont; });
    return fonts;
  }
};

TEST_P(ShortStartup, FailsWithItsMessageOrNoneAndLeavesNoStreamOpen) {
  const Shortfall& s = GetParam();
  GiveWindow(s.width, kWindowWidth, kWindowHeight);
  ASSERT_EQ(LiveResourceStreams(), 0);
  EXPECT_EQ(CallScript(game::kStartup), kRTFailure);
  if (s.message) {
    EXPECT_EQ(Logged(s.message), 1u) << host_.ErrorLog();
    EXPECT_EQ(Logged("RTTeskGame... "), 1u) << "its message alone";
  } else {
    EXPECT_EQ(Logged("RTTeskGame... "), 0u) << host_.ErrorLog();
  }
  EXPECT_EQ(Logged(kLoadedAll), 0u);
  EXPECT_EQ(Logged("RTTeskActor.CreateAmbulance()"), 0u);
  EXPECT_EQ(LiveResourceStreams(), 0) << "every stream opened is given back";
  EXPECT_FALSE(OpenedResources().empty());
  EXPECT_EQ(Started(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Rows, ShortStartup, ::testing::ValuesIn(kShortfalls),
                         [](const ::testing::TestParamInfo<Shortfall>& info) { return Label(info.param); });

// The names Startup opens at a width: only 800 takes the "STARTUP_800_" images.
class WidthStartup : public GameTest, public ::testing::WithParamInterface<int32_t> {};

TEST_P(WidthStartup, OpensTheStartupImagesOfItsWidth) {
  GiveWindow(GetParam(), kWindowWidth, kWindowHeight);
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  const std::u16string startup = GetParam() == 800 ? u"STARTUP_800_" : u"STARTUP_";
  const std::vector<std::u16string> expected = {u"AOI_OUTER",
                                                u"AOI_INNER",
                                                u"AOI_POWERS",
                                                u"AOI_RADIUS",
                                                u"BEAN_DISTANCE",
                                                u"BEAN_SIZE",
                                                u"BEAN_SPEED",
                                                u"AOI_ADDITIVE",
                                                u"INTERFACE_PLATE_A",
                                                u"NUMBERS",
                                                u"INTERFACE_PLATE_B",
                                                u"RED_NUMBERS",
                                                u"GREEN_NUMBERS",
                                                u"BIG_NUMBERS",
                                                u"BIG_GREEN_NUMBERS",
                                                u"BIG_RED_NUMBERS",
                                                u"MAIN_A",
                                                u"MAIN_B",
                                                u"MAIN_C",
                                                u"MAIN_D",
                                                startup + u"TL",
                                                startup + u"TR",
                                                startup + u"BL",
                                                startup + u"BR",
                                                u"GENERAL_ICONS",
                                                u"STARTUP_BUTTONS",
                                                u"PERK_ICONS",
                                                u"1024_elements",
                                                u"LEFT_BUTTONS",
                                                u"RIGHT_BUTTONS",
                                                u"CONV_TOPICS",
                                                u"PORTAL_BALLS_A",
                                                u"PORTAL_BALLS_B",
                                                u"LOADING_A",
                                                u"LOADING_B"};
  const std::vector<std::u16string>& opened = OpenedResources();
  ASSERT_GE(opened.size(), expected.size());
  EXPECT_EQ(std::vector<std::u16string>(opened.begin(), opened.begin() + expected.size()), expected)
      << "the forms come after";
  EXPECT_EQ(LiveResourceStreams(), 0);
  EXPECT_EQ(Started(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Widths, WidthStartup, ::testing::Values(0, 1024, 800, 640, 1280));

class Startup : public GameTest {};

TEST_F(Startup, FillsTheCellsNumbersTexturesAndFontsOfAWholeRun) {
  GiveWindow(0, kWindowWidth, kWindowHeight);
  StartRecording();
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  const std::vector<std::string> calls = Recorded();
  const game::GamePrivateData& g = record();

  // The 16 cells, (column, row) x 57 / 256 as the table gives them.
  const int cells[16][2] = {{1, 1}, {1, 3}, {2, 0}, {2, 2}, {2, 1}, {2, 3}, {3, 1}, {3, 3},
                            {3, 0}, {3, 2}, {0, 1}, {0, 3}, {0, 0}, {0, 2}, {1, 0}, {1, 2}};
  const game::AoiCell* table = g.library->aoiCells;
  for (int k = 0; k < 16; ++k) {
    EXPECT_EQ(table[k].u, static_cast<float>(cells[k][0] * 57) / 256.0f) << "entry " << k;
    EXPECT_EQ(table[k].v, static_cast<float>(cells[k][1] * 57) / 256.0f) << "entry " << k;
  }
  EXPECT_EQ(table[1].u, 0.22265625f);
  EXPECT_EQ(table[1].v, 0.66796875f);

  // The numbers, each a text without a terminator (read past its end, AddressSanitizer would
  // stop the test); AOI_ADDITIVE "3.75" as an integer.
  EXPECT_EQ(g.tuning.aoiRadius, 1.5f);
  EXPECT_EQ(g.tuning.aoiRadiusSquared, 2.25f);
  EXPECT_EQ(g.tuning.beanDistance, 0.6f);
  EXPECT_EQ(g.tuning.beanSize, 0.25f);
  EXPECT_EQ(g.tuning.beanSpeed, 2.0f);
  EXPECT_EQ(g.tuning.aoiAdditive, 3);

  // Thirty textures with the table's wraps, linear filters, mipmaps, each its own.
  std::vector<std::string> made;
  for (const std::string& line : calls)
    if (line.rfind("CreateTextureFromImage(", 0) == 0) made.push_back(line);
  ASSERT_EQ(made.size(), 30u);
  for (size_t i = 0; i < made.size(); ++i) {
    const bool clamp = i >= 11 && i < 23;  // the four main images to "1024_elements"
    const std::string wrap = clamp ? "0x2900" : "0x2901";
    EXPECT_EQ(made[i], "CreateTextureFromImage(stream, out " + std::to_string(i + 1) + ", " + wrap + ", " + wrap +
                           ", 0x2601, 0x2703, 1) -> 1");
  }
  EXPECT_EQ(g.textures.aoiOuter, 1u);
  EXPECT_EQ(g.textures.elements, 23u);
  EXPECT_EQ(g.textures.loadingBackTexture, 29u);
  EXPECT_EQ(g.textures.loadingSpriteTexture, 30u);

  // The fonts of the table, each given its cell and texture size and then the window's size.
  std::vector<std::string> fonts;
  for (const std::string& line : LogLines())
    if (line.rfind("RTFont.", 0) == 0) fonts.push_back(line);
  EXPECT_EQ(fonts,
            (std::vector<std::string>{
                "RTFont.SetCellSize(Verdana, 16, 16, 256, 256)", "RTFont.SetScreenSize(Verdana, 512, 384)",
                "RTFont.SetCellSize(Verdana14o, 15, 15, 256, 256)", "RTFont.SetScreenSize(Verdana14o, 512, 384)",
                "RTFont.SetCellSize(Verdana18o, 30, 30, 512, 512)", "RTFont.SetScreenSize(Verdana18o, 512, 384)",
                "RTFont.SetCellSize(Monospaced32, 32, 32, 512, 512)", "RTFont.SetScreenSize(Monospaced32, 512, 384)"}));
  char16_t name[32] = {};
  ASSERT_TRUE(core().GetInstanceName(nullptr, g.subtitleFont, name, 32));
  EXPECT_EQ(std::u16string(name), u"Verdana");
  ASSERT_TRUE(core().GetInstanceName(nullptr, g.titleFont, name, 32));
  EXPECT_EQ(std::u16string(name), u"Monospaced32");

  const std::vector<std::string> order = {kLoadedAll, "RTTeskActor.CreateAmbulance()",
                                          "Startup()... Loaded the ambulance"};
  size_t next = 0;
  for (const std::string& line : LogLines())
    if (next < order.size() && line.find(order[next]) != std::string::npos) ++next;
  EXPECT_EQ(next, order.size());
  EXPECT_EQ(Logged(kLoadedAll), 1u);
  EXPECT_EQ(LiveResourceStreams(), 0);
  EXPECT_EQ(Started(), 1u);

  // A second Startup stops at the rasterizer and opens nothing.
  const size_t opened = OpenedResources().size();
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess);
  EXPECT_EQ(OpenedResources().size(), opened);
}

// Numbers longer than the 64 units the game reads: a 64-unit text is read whole, a 65th unit not
// at all.
class LongNumbers : public GameTest {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = CompleteResources();
    for (ResourceItem& item : items) {
      if (item.name == "BEAN_SPEED") item.bytes = Utf16(std::u16string(61, u'0') + u"2.5");
      if (item.name == "AOI_ADDITIVE") item.bytes = Utf16(std::u16string(64, u'0') + u"7");
    }
    return items;
  }
};

TEST_F(LongNumbers, AtMost64UnitsAreRead) {
  GiveWindow(0, kWindowWidth, kWindowHeight);
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  EXPECT_EQ(record().tuning.beanSpeed, 2.5f);
  EXPECT_EQ(record().tuning.aoiAdditive, 0);
}

}  // namespace
