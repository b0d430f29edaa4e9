// The GUI skin loaded by a game: its fonts and images, what a missing one leaves, the element
// image per variant, and the draw primitives and widgets as the recording rasterizer logs them.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <bit>
#include <fstream>
#include <sstream>

#include "button.h"
#include "form.h"
#include "game_fixture.h"
#include "gui_skin.h"
#include "hud_icon_table.h"
#include "label.h"
#include "mouse_over_popup.h"
#include "panel.h"
#include "screen_drawing.h"
#include "skin_resources.h"
#include "skin_frames.h"
#include "skin_piece_table.h"
#include "tab_panel.h"
#include "text_box.h"
#include "widget_tree.h"

namespace gametest {
namespace {

namespace gui = tesk::game::gui;

using Lines = std::vector<std::string>;

class SkinTest : public GameTest {
 protected:
  // The font lines of the debug output since the last call.
  Lines NewFontLines() {
    const Lines all = LogLines();
    Lines font;
    for (size_t i = linesSeen_; i < all.size(); ++i)
      if (all[i].rfind("RTFont.DrawText", 0) == 0 || all[i].rfind("RTFont.SetBounds", 0) == 0 ||
          all[i].rfind("RTFont.MeasureHeight", 0) == 0)
        font.push_back(all[i]);
    linesSeen_ = all.size();
    return font;
  }
  size_t linesSeen_ = 0;

  std::vector<ResourceItem> Resources() const override { return SkinResources(); }
  std::vector<std::u16string> Fonts() const override { return SkinFonts(); }
  void LoadSkin(int8_t variant) {
    ASSERT_EQ(gui::LoadGuiSkin(variant), kRTSuccess) << host_.ErrorLog();
    NewFontLines();
  }
  void TearDown() override {
    gui::ReleaseGuiSkin();
    GameTest::TearDown();
  }
};

// The vertex lines of each batch of the recording, one entry per batch.
std::vector<Lines> Batches(const Lines& lines) {
  std::vector<Lines> batches;
  for (const std::string& line : lines) {
    if (line.rfind("BeginPrimitive", 0) == 0) batches.emplace_back();
    if (line.rfind("Vertex3", 0) == 0) batches.back().push_back(line.substr(8, line.find(')') - 8));
  }
  return batches;
}

// The vertices of a quad at (x, y), w x h, in drawing order.
Lines QuadAt(int x, int y, int w, int h) {
  auto at = [](int px, int py) { return std::to_string(px) + ", " + std::to_string(py) + ", 0"; };
  return {at(x, y), at(x, y + h), at(x + w, y + h), at(x + w, y)};
}

TEST_F(SkinTest, TheBlackFrameBlendsItsCentreAndTheOtherStylesDrawTheirsOpaque) {
  LoadSkin(0);
  uint32_t elements = 0;
  ASSERT_EQ(gui::GetGuiImage(16, &elements), kRTSuccess);
  StartRecording();
  // Narrower and lower than two corners: the negative sizes are handed on.
  gui::DrawSkinFrame(rasterizer(), gui::FrameStyle::kBlack, 10, 20, 100, 80);
  const std::string corner[] = {"TexCoord(0, 0.0390625, 0.65625) -> 1", "TexCoord(0, 0.0390625, 0.3203125) -> 1",
                                "TexCoord(0, 0.3125, 0.3203125) -> 1", "TexCoord(0, 0.3125, 0.65625) -> 1"};
  const Lines recorded = Recorded();
  ASSERT_EQ(recorded.size(), 94u);
  EXPECT_EQ(
      Lines(recorded.begin(), recorded.begin() + 5),
      (Lines{"SetColor(1, 1, 1) -> 1", "EnableTexturing(1) -> 1", "BindTexture(" + std::to_string(elements) + ") -> 1",
             "EnableBlending(1) -> 1", "SetBlendFunc(0x302, 0x303) -> 1"}));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(recorded[6 + 2 * i], corner[i]);
  EXPECT_EQ(recorded[46], "TexCoord(0, 0.33984375, 0.65625) -> 1");    // top edge: its column
  EXPECT_EQ(recorded[56], "TexCoord(0, 0.0390625, 0.29296875) -> 1");  // left edge: its row
  EXPECT_EQ(recorded[66], "TexCoord(0, 0.33984375, 0.3203125) -> 1");  // bottom edge flipped
  EXPECT_EQ(recorded[76], "TexCoord(0, 0.3125, 0.29296875) -> 1");     // right edge mirrored
  EXPECT_EQ(Lines(recorded.begin() + 85, recorded.end()),
            (Lines{"EnableTexturing(0) -> 1", "BeginPrimitive(0x101) -> 1", "SetColorRGBAArray([4: 0, 0, 0, 0.8]) -> 1",
                   "Vertex3(45, 63, 0) -> 1", "Vertex3(45, 57, 0) -> 1", "Vertex3(75, 57, 0) -> 1",
                   "Vertex3(75, 63, 0) -> 1", "EndPrimitive() -> 1", "EnableBlending(0) -> 1"}));
  const std::vector<Lines> quads = Batches(recorded);
  const std::vector<Lines> expected = {QuadAt(10, 20, 35, 43), QuadAt(75, 20, 35, 43), QuadAt(10, 57, 35, 43),
                                       QuadAt(75, 57, 35, 43), QuadAt(45, 20, 30, 43), QuadAt(10, 63, 35, -6),
                                       QuadAt(45, 57, 30, 43), QuadAt(75, 63, 35, -6), QuadAt(45, 63, 30, -6)};
  EXPECT_EQ(quads, expected);

  const struct {
    gui::FrameStyle style;
    const char* corner;  // the corner's top-left texture coordinate
    int side;            // its size in pixels
    const char* fill;
  } styles[] = {
      {gui::FrameStyle::kTeal, "0, 1", 26, "0, 0.40784314, 0.5764706, 0.8"},
      {gui::FrameStyle::kNavy, "0.25, 1", 22, "0.02745098, 0.09803922, 0.21960784, 0.8"},
      {gui::FrameStyle::kSlate, "0.46875, 1", 12, "0.14509805, 0.22352941, 0.31764707, 0.8"},
      {gui::FrameStyle::kThinTeal, "0.75, 0.1015625", 9, "0, 0.40784314, 0.5764706, 0.8"},
      {gui::FrameStyle::kThinNavy, "0.75, 0.1015625", 9, "0.02745098, 0.09803922, 0.21960784, 0.8"},
      {gui::FrameStyle::kList, "0.7109375, 0.6640625", 6, "0.02745098, 0.09803922, 0.2, 0.8"},
  };
  for (const auto& row : styles) {
    StartRecording();
    gui::DrawSkinFrame(rasterizer(), row.style, 0, 0, 100, 80);
    const Lines lines = Recorded();
    ASSERT_EQ(lines.size(), 94u) << row.corner;
    EXPECT_EQ(lines[6], std::string("TexCoord(0, ") + row.corner + ") -> 1");
    EXPECT_EQ(Batches(lines)[0], QuadAt(0, 0, row.side, row.side)) << row.corner;
    EXPECT_EQ(Lines(lines.begin() + 85, lines.begin() + 89),
              (Lines{"EnableBlending(0) -> 1", "EnableTexturing(0) -> 1", "BeginPrimitive(0x101) -> 1",
                     std::string("SetColorRGBAArray([4: ") + row.fill + "]) -> 1"}))
        << row.corner;
    EXPECT_EQ(Batches(lines)[8], QuadAt(row.side, row.side, 100 - 2 * row.side, 80 - 2 * row.side));
  }
}

TEST_F(SkinTest, TheHudBoxSplitsItsBottomEdgeAroundThePointerAtHalfTheWidthTruncated) {
  LoadSkin(0);
  for (const int w : {50, 51}) {
    StartRecording();
    gui::DrawSkinFrameB(rasterizer(), 0, 0, w, 40);
    const Lines lines = Recorded();
    const std::vector<Lines> quads = Batches(lines);
    ASSERT_EQ(quads.size(), 11u);
    EXPECT_EQ(quads[1], QuadAt(w - 9, 0, 9, 9));  // the top-right corner
    EXPECT_EQ(quads[7], QuadAt(9, 31, 0, 9)) << w;
    EXPECT_EQ(quads[8], QuadAt(40, 31, 2, 9)) << w;
    EXPECT_EQ(quads[9], QuadAt(8, 34, 32, 18)) << w;  // the pointer
    EXPECT_EQ(quads[10], QuadAt(6, 6, w - 12, 28)) << w;
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 2), (Lines{"SetColor(1, 1, 1) -> 1", "EnableDepthTest(0) -> 1"}));
    const auto tail = std::find(lines.begin(), lines.end(), "EnableDepthTest(1) -> 1");
    ASSERT_NE(tail, lines.end());
    EXPECT_EQ(Lines(tail - 2, tail + 3),
              (Lines{"EnableBlending(0) -> 1", "EnableTexturing(0) -> 1", "EnableDepthTest(1) -> 1",
                     "BeginPrimitive(0x101) -> 1",
                     "SetColorRGBAArray([4: 0.039215688, 0.19215687, 0.32941177, 0.85]) -> 1"}));
  }
  StartRecording();
  gui::DrawSkinFrameC(rasterizer(), 0, 0, 50, 40);
  const std::vector<Lines> closed = Batches(Recorded());
  ASSERT_EQ(closed.size(), 9u);
  EXPECT_EQ(closed[6], QuadAt(9, 31, 32, 9));  // the whole bottom edge
  EXPECT_EQ(closed[8], QuadAt(6, 6, 38, 28));
}

TEST_F(SkinTest, ThePopUpIsTheTextWidthPlusTenWrappedFiveShortAndKeptOnTheScreen) {
  GiveWindow(1024, 1024, 768);
  LoadSkin(0);
  StartRecording();
  gui::DrawMouseOverPopUp(rasterizer(), 1000, 20, 0, u"12345678");  // 80 pixels of text
  const Lines lines = Recorded();
  EXPECT_EQ(
      Lines(lines.begin(), lines.begin() + 6),
      (Lines{"EnableTexturing(0) -> 1", "EnableBlending(0) -> 1", "EnableDepthTest(0) -> 1", "EnableDepthWrite(0) -> 1",
             "BeginPrimitive(0x101) -> 1", "SetColorRGBAArray([4: 0.44705883, 0.85490197, 0.9882353, 0]) -> 1"}));
  EXPECT_EQ(Batches(lines), std::vector<Lines>{QuadAt(934, 20, 90, 19)});  // ends at the screen's edge
  EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"EnableDepthTest(1) -> 1", "EnableDepthWrite(1) -> 1"}));
  EXPECT_EQ(NewFontLines(),
            (Lines{"RTFont.MeasureHeight(Verdana, \"12345678\", 85, 9999)", "RTFont.SetBounds(Verdana, 85, 9999)",
                   "RTFont.DrawText(Verdana, \"12345678\", 939, 22)"}));
  StartRecording();
  gui::DrawMouseOverPopUp(rasterizer(), 10, 760, 200, u"x");
  EXPECT_EQ(Batches(Recorded()), std::vector<Lines>{QuadAt(10, 749, 200, 19)});
}

TEST_F(SkinTest, TheScreenDrawingBracketPutsTheExactProjectionBack) {
  namespace r = kivo::rasterizer;
  const float odd[6] = {0.1f, -1e-7f, 3.0e-3f, 123.456f, -0.0f, 1e30f};
  ASSERT_EQ(r::SetProjection(rasterizer(), odd[0], odd[1], odd[2], odd[3], odd[4], odd[5]), kRTSuccess);
  gui::SavedProjection saved{};
  ASSERT_EQ(gui::BeginScreenDrawingOn(rasterizer(), context(), &saved), kRTSuccess);
  ASSERT_EQ(gui::EndScreenDrawingOn(rasterizer(), saved), kRTSuccess);
  float now[6] = {};
  ASSERT_EQ(r::GetProjection(rasterizer(), &now[0], &now[1], &now[2], &now[3], &now[4], &now[5]), kRTSuccess);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(std::bit_cast<uint32_t>(now[i]), std::bit_cast<uint32_t>(odd[i])) << i;
}

TEST_F(SkinTest, AFormDrawsBetweenItsOverlayCallsItsBackgroundOnlyWhenActive) {
  LoadSkin(0);
  gui::TeskForm* form = new gui::TeskForm();
  auto* hidden = new gui::TeskPanel();
  hidden->Hide();
  form->AddChild(hidden);
  StartRecording();
  form->Draw(0, 0, rasterizer());
  const Lines active = Recorded();
  ASSERT_EQ(active.size(), 112u);
  EXPECT_EQ(active.front(), "SetOverlayMode(2) -> 1");
  EXPECT_EQ(active[2], "EnableTexturing(1) -> 1");
  EXPECT_EQ(active[95], "EnableTexturing(1) -> 1");
  EXPECT_EQ(active[96], "EnableBlending(1) -> 1");
  EXPECT_EQ(active[97], "SetBlendFunc(0x1, 0x1) -> 1");
  EXPECT_EQ(active[99], "BeginPrimitive(0x101) -> 1");
  EXPECT_EQ(active[100], "TexCoord(0, 0, 0) -> 1");
  EXPECT_EQ(active[104], "TexCoord(0, 1, 1) -> 1");
  EXPECT_EQ(Batches(active).back(), QuadAt(0, 0, 100, 100));
  EXPECT_EQ(active.back(), "SetOverlayMode(0) -> 1");
  form->Disable();
  StartRecording();
  form->Draw(0, 0, rasterizer());
  EXPECT_EQ(Recorded(), (Lines{"SetOverlayMode(2) -> 1", "SetOverlayMode(0) -> 1"}));
  EXPECT_EQ(NewFontLines(), Lines{});  // the hidden panel drew no caption either
  gui::DestroyWidgetTree(form);
}

TEST_F(SkinTest, TabsAreTheCaptionPlusThirtyWideAtLeastTheMinimumAndOverlapByTwenty) {
  LoadSkin(0);
  auto* tabs = new gui::TeskTabPanel();
  tabs->RemovePage(0);
  tabs->AddPage(u"ABCDEFGHIJKLMNO");  // 150 pixels: a 180-pixel tab
  tabs->AddPage(u"Hi");               // 20 pixels: the 128-pixel minimum
  tabs->AddPage(u"Last");
  tabs->SelectPage(0);
  tabs->Draw(0, 0, rasterizer());
  Lines names;
  for (const std::string& line : NewFontLines())
    if (line.rfind("RTFont.DrawText", 0) == 0) names.push_back(line);
  // The strip starts 6 in and 26 - 6 above the widget (y 24); the current tab is drawn last.
  EXPECT_EQ(names,
            (Lines{"RTFont.DrawText(Verdana, \"Hi\", 180, 8)", "RTFont.DrawText(Verdana, \"Last\", 288, 8)",
                   "RTFont.DrawText(Verdana, \"\", 4, 28)", "RTFont.DrawText(Verdana, \"ABCDEFGHIJKLMNO\", 20, 8)"}));
  gui::DestroyWidgetTree(tabs);
}

struct Shortfall {
  const char* name;
  const char16_t* font;  // left out of "Root:Fonts", or null
  const char* image;     // left out of the resources, or null
  const char* message;
  int laterFont;  // a font index after the missing one, or -1
};

class SkinShortfall : public SkinTest, public ::testing::WithParamInterface<Shortfall> {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items;
    for (const ResourceItem& item : SkinResources())
      if (!GetParam().image || item.name != GetParam().image) items.push_back(item);
    return items;
  }
  std::vector<std::u16string> Fonts() const override {
    std::vector<std::u16string> fonts;
    for (const std::u16string& font : SkinFonts())
      if (!GetParam().font || font != GetParam().font) fonts.push_back(font);
    return fonts;
  }
};

TEST_P(SkinShortfall, AMissingFontOrImageGivesItsMessageAndLeavesLaterEntriesUnloaded) {
  const Shortfall& row = GetParam();
  EXPECT_EQ(gui::LoadGuiSkin(0), kRTFailure);
  EXPECT_NE(host_.ErrorLog().find(row.message), std::string::npos) << host_.ErrorLog();
  if (row.laterFont >= 0) {
    EXPECT_NE(gui::SkinFont(0), nullptr);
    EXPECT_EQ(gui::SkinFont(row.laterFont), nullptr);
  }
  uint32_t texture = 1;
  EXPECT_EQ(gui::GetGuiImage(15, &texture), kRTSuccess);  // "PERKS", after "ATT_FACES"
  EXPECT_EQ(texture, 0u);
  EXPECT_EQ(gui::CornerWidth(gui::Pieces().tealFrame), 0);
  EXPECT_EQ(gui::SharedStream() != nullptr, true);  // made on first use all the same
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SkinShortfall,
    ::testing::Values(Shortfall{"font_1", u"Verdana15b", nullptr, "Couldn't retrieve the Verdana 15b font", 2},
                      Shortfall{"font_5", u"Verdana12b", nullptr, "Couldn't retrieve the Verdana12 font", 6},
                      Shortfall{"font_11", u"Verdana11b", nullptr, "Couldn't retrieve the Verdana11 font", 12},
                      Shortfall{"font_14", u"Monospaced32", nullptr, "Couldn't retrieve the Monospaced32 font", -1},
                      Shortfall{"image", nullptr, "ATT_FACES", "(TeskGUI) Couldn't retrieve resource!", -1}),
    [](const ::testing::TestParamInfo<Shortfall>& info) { return std::string(info.param.name); });

TEST_F(SkinTest, LeafWidgetsPlaceTheirTextsEvenWhenWiderThanThemselves) {
  LoadSkin(0);
  gui::TeskButton button;            // 60 x 30
  button.SetCaption(u"ABCDEFGHIJ");  // 100 pixels: it starts 20 left of the button
  button.SetDimmed(1);
  StartRecording();
  button.Draw(100, 200, rasterizer());
  const Lines lines = Recorded();
  EXPECT_EQ(lines.front(), "SetColorRGBA(0.5, 0.5, 0.5, 0.5) -> 1");
  EXPECT_EQ(Lines(lines.end() - 2, lines.end()), (Lines{"SetColorRGBA(1, 1, 1, 1) -> 1", "EnableDepthTest(0) -> 1"}));
  gui::TeskLabel label;            // 100 x 30
  label.SetText(u"ABCDEFGHIJKL");  // 120 pixels, centred: 15 left of the inset
  label.SetCentred(1);
  label.Draw(100, 200, rasterizer());
  gui::TeskTextBox box;
  box.SetText(u"Box");
  box.Draw(100, 200, rasterizer());
  gui::TeskLabel empty;
  empty.SetText(u"");
  empty.FitHeightToText();
  EXPECT_EQ(empty.GetHeight(), 15 + 24);
  EXPECT_EQ(NewFontLines(),
            (Lines{"RTFont.SetBounds(Verdana, 60, 30)", "RTFont.DrawText(Verdana, \"ABCDEFGHIJ\", 80, 208)",
                   "RTFont.SetBounds(Verdana, 95, 25)", "RTFont.DrawText(Verdana, \"ABCDEFGHIJKL\", 90, 205)",
                   "RTFont.SetBounds(Verdana, 95, 81)", "RTFont.DrawText(Verdana, \"Box\", 105, 205)",
                   "RTFont.MeasureHeight(Verdana, \"\", 90, 9999)"}));
}

TEST_F(SkinTest, AFontIndexOutsideTheTableDrawsWithFontZeroAndIsKept) {
  LoadSkin(0);
  gui::TeskPanel panel;
  for (const int8_t index : {int8_t{15}, int8_t{-1}, int8_t{127}}) {
    panel.SetFont(index);
    EXPECT_EQ(panel.GetFontIndex(), index);
    EXPECT_EQ(panel.GetFont(), gui::SkinFont(0));
  }
  panel.SetFont(14);
  EXPECT_NE(panel.GetFont(), gui::SkinFont(0));
}

TEST_F(SkinTest, TheElementImageFollowsTheVariantAndVariantTwoHasNone) {
  uint32_t security2 = 0;
  uint32_t elements = 0;
  for (int8_t variant : {0, 1}) {
    LoadSkin(variant);
    ASSERT_EQ(gui::GetGuiImage(18, &security2), kRTSuccess);
    ASSERT_EQ(gui::GetGuiImage(16, &elements), kRTSuccess);
    // Textures are made in load order: "1024_ELEMENTS" right after "SECURITY2", then "800_ELEMENTS".
    EXPECT_EQ(elements, security2 + 1 + uint32_t(variant));
    EXPECT_EQ(gui::GetSkinVariant(), variant);
    EXPECT_EQ(gui::CornerWidth(gui::Pieces().tealFrame), variant == 0 ? 26 : 20);
  }
  uint32_t texture = 7;
  EXPECT_EQ(gui::GetGuiImage(19, &texture), kRTFailure);
  EXPECT_EQ(texture, 0u);
  LoadSkin(2);
  EXPECT_EQ(gui::GetGuiImage(16, &texture), kRTSuccess);
  EXPECT_EQ(texture, 0u);
  EXPECT_EQ(gui::CornerWidth(gui::Pieces().tealFrame), 0);
  const gui::UvRect& corner = gui::Current(gui::Pieces().tealFrame.corner);
  EXPECT_EQ(corner.left + corner.top + corner.right + corner.bottom, 0.0f);
  ASSERT_EQ(gui::GetGuiImage(0, &texture), kRTSuccess);
  EXPECT_NE(texture, 0u);
  EXPECT_NE(gui::SkinFont(14), nullptr);
  RTFVector2D uv{};
  gui::PixelRectToUV(&uv, 0, 0, 128, 128);
  EXPECT_EQ(uv.x + 10 * uv.y, 10.0f);
  gui::PixelRectToUV(&uv, 128, 128, 128, 128);
  EXPECT_EQ(uv.x + 10 * uv.y, 1.0f);
  int8_t variant = -1;
  for (int32_t width : {1280, 0, 320}) EXPECT_FALSE(gui::SkinVariantForWidth(width, &variant)) << width;
  ASSERT_TRUE(gui::SkinVariantForWidth(800, &variant));
  EXPECT_EQ(variant, 1);
}

// Start-up at a screen width: the skin (the game's own, inside its library: seen by the fonts it
// sizes and the images it opens), or none.
struct WidthRow {
  int32_t width;
  bool skin;
};

class StartupSkin : public SkinTest, public ::testing::WithParamInterface<WidthRow> {};

TEST_P(StartupSkin, StartupLoadsTheSkinOfTheScreenWidthAndNoneForOtherWidths) {
  GiveWindow(GetParam().width, 640, 480);
  ASSERT_EQ(CallScript(tesk::game::kStartup), kRTSuccess) << host_.ErrorLog();
  const auto& opened = OpenedResources();
  EXPECT_EQ(std::count(opened.begin(), opened.end(), u"800_ELEMENTS"), GetParam().skin ? 1 : 0);
  EXPECT_EQ(Logged("RTFont.SetSize(Monospaced32, 32)"), GetParam().skin ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(Widths, StartupSkin,
                         ::testing::Values(WidthRow{0, true}, WidthRow{800, true}, WidthRow{640, true},
                                           WidthRow{1280, false}),
                         [](const ::testing::TestParamInfo<WidthRow>& info) {
                           return "width_" + std::to_string(info.param.width);
                         });

// The skin with the element image the build generates, drawn offscreen.
class GeneratedSheet : public SkinTest {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = SkinResources();
    for (ResourceItem& item : items)
      if (item.name == "800_ELEMENTS") {
        std::ifstream file(GAME_ART_DIR "/800_ELEMENTS.png", std::ios::binary);
        std::ostringstream bytes;
        bytes << file.rdbuf();
        item.bytes = bytes.str();
      }
    return items;
  }
};

TEST_F(GeneratedSheet, ATealPanelShowsItsFillWithoutASeamAndTheCornerMarkerAtItsTopLeft) {
  LoadSkin(1);  // the 800 sizes: a 20-pixel corner fits the small window
  auto* panel = new gui::TeskPanel();
  panel->SetFrameStyle(0);
  panel->SetX(2);
  panel->SetY(2);
  panel->SetWidth(60);
  panel->SetHeight(44);
  BeginClearedFrame(0x000000);
  gui::SavedProjection saved{};
  gui::BeginScreenDrawingOn(rasterizer(), context(), &saved);
  panel->Draw(0, 0, rasterizer());
  gui::EndScreenDrawingOn(rasterizer(), saved);
  const tesk::testing::Picture picture = Shoot();
  gui::DestroyWidgetTree(panel);
  constexpr uint32_t kTeal = 0x006893;
  EXPECT_EQ(picture.At(32, 24), kTeal);  // the centre quad
  EXPECT_EQ(picture.At(2, 2), 0xFFFFFFu);
  EXPECT_EQ(picture.At(3, 3), 0xFFFFFFu);
  EXPECT_EQ(picture.At(61, 2), 0xFFFFFFu);  // mirrored into the top-right corner
  // Inside the border band the fill runs on through corners, edges and centre.
  for (int x = 5; x < 59; ++x) EXPECT_EQ(picture.At(x, 24), kTeal) << x;
  for (int y = 5; y < 43; ++y) EXPECT_EQ(picture.At(32, y), kTeal) << y;
  EXPECT_EQ(picture.At(32, 2), 0xF0C440u);  // the border band along the top
  EXPECT_EQ(picture.At(1, 1), 0u);
}

// The generated element images: every drawn pixel lies in a piece's rectangle (or, on
// "1024_ELEMENTS", a HUD sprite's), and each edge strip repeats the corner's last column (top edge)
// or row (side edge), so a stretched edge continues the corner's border.
TEST(ElementSheets, PiecesStayInTheirRectanglesAndEdgesContinueTheirCorners) {
  for (int size = 0; size < gui::kPixelSizes; ++size) {
    const std::string file = std::string(GAME_ART_DIR) + (size == 0 ? "/1024_ELEMENTS.png" : "/800_ELEMENTS.png");
    int width = 0;
    int height = 0;
    int channels = 0;
    uint8_t* pixels = stbi_load(file.c_str(), &width, &height, &channels, 4);
    ASSERT_NE(pixels, nullptr) << file;
    ASSERT_EQ(width, 128);
    ASSERT_EQ(height, 128);
    auto at = [&](int x, int y) {
      const uint8_t* p = pixels + (size_t(y) * width + x) * 4;
      return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
    };
    std::vector<bool> inside(size_t(width) * height, false);
    auto cover = [&](const gui::PixelRect& r) {
      const int x1 = r.x1 == int(r.x1) ? int(r.x1) - 1 : int(r.x1);
      const int y1 = r.y1 == int(r.y1) ? int(r.y1) - 1 : int(r.y1);
      for (int y = int(r.y0); y <= std::max(int(r.y0), y1); ++y)
        for (int x = int(r.x0); x <= std::max(int(r.x0), x1); ++x) inside[size_t(y) * width + x] = true;
    };
    for (const gui::FramePixels& frame : gui::kFramePixels) {
      const gui::PixelRect& corner = frame.corner[size];
      const int lastColumn = int(corner.x1) - 1;
      const int lastRow = int(corner.y1) - 1;
      for (int y = int(corner.y0); y <= lastRow; ++y)
        EXPECT_EQ(at(int(frame.topEdge[size].x0), y), at(lastColumn, y)) << "size " << size << " row " << y;
      if (frame.sideEdge[size].y1 > 0) {
        for (int x = int(corner.x0); x <= lastColumn; ++x)
          EXPECT_EQ(at(x, int(frame.sideEdge[size].y0)), at(x, lastRow)) << "size " << size << " column " << x;
      }
      for (const gui::PixelRect* piece : {&frame.corner[size], &frame.topEdge[size], &frame.sideEdge[size]})
        if (piece->x1 > 0 || piece->y1 > 0) cover(*piece);
    }
    for (const gui::PairPixels& pair : gui::kPairPixels) {
      cover(pair.first[size]);
      cover(pair.second[size]);
    }
    cover(gui::kBubblePointerPixels[size]);
    for (const tesk::game::HudIconRecord& icon : tesk::game::kHudIconTable)
      if (size == 0 && icon.sheet == tesk::game::kSkinElementsSheet)
        cover({float(icon.x0), float(icon.y0), float(icon.x1), float(icon.y1)});
    int outside = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (!inside[size_t(y) * width + x] && at(x, y) != 0) ++outside;
    EXPECT_EQ(outside, 0) << "size " << size;
    stbi_image_free(pixels);
  }
}

}  // namespace
}  // namespace gametest
