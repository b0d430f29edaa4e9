// Icons, sliders and list boxes drawn through a loaded skin: the slider's track and knob per
// element size, the list's arrows cut from the element image, and rows that wrapped text makes
// taller than the row height (the recording font measures every text 15 pixels high).
#include <gtest/gtest.h>

#include <algorithm>

#include "game_fixture.h"
#include "gui_skin.h"
#include "list_box.h"
#include "skin_resources.h"
#include "slider.h"

namespace gametest {
namespace {

namespace gui = tesk::game::gui;
using Lines = std::vector<std::string>;

class SkinnedWidgets : public GameTest {
 protected:
  std::vector<ResourceItem> Resources() const override { return SkinResources(); }
  std::vector<std::u16string> Fonts() const override { return SkinFonts(); }
  void TearDown() override {
    gui::ReleaseGuiSkin();
    GameTest::TearDown();
  }
  void LoadSkin(int8_t variant) { ASSERT_EQ(gui::LoadGuiSkin(variant), kRTSuccess) << host_.ErrorLog(); }
  Lines Drawn(gui::TeskIWidget& widget) {
    StartRecording();
    widget.Draw(0, 0, rasterizer());
    return Recorded();
  }
  std::vector<std::string> FontLines(const char* method) const {
    std::vector<std::string> lines;
    for (const std::string& line : LogLines())
      if (line.rfind(std::string("RTFont.") + method, 0) == 0) lines.push_back(line);
    return lines;
  }
};

// The first vertex of the last quad drawn.
std::string LastQuadCorner(const Lines& lines) {
  auto begin = std::find_if(lines.rbegin(), lines.rend(),
                            [](const std::string& line) { return line.rfind("BeginPrimitive", 0) == 0; });
  for (auto line = begin.base(); line != lines.end(); ++line)
    if (line->rfind("Vertex3(", 0) == 0) return line->substr(8, line->find(')') - 8);
  return "";
}

TEST_F(SkinnedWidgets, TheKnobSitsOnItsNotchOrEndCapForEachElementSize) {
  struct Case {
    int8_t variant;
    int32_t knobs[4];  // the knob's x at positions 0 to 3 of a 4-step slider 100 wide
  };
  const Case cases[] = {{0, {0, 50, 127, 172}}, {1, {0, 50, 133, 180}}};
  for (const Case& c : cases) {
    LoadSkin(c.variant);
    uint32_t character = 0;
    ASSERT_EQ(gui::GetGuiImage(1, &character), kRTSuccess);
    gui::TeskSlider slider;
    for (int32_t position = 0; position < 4; ++position) {
      slider.SetPosition(position);
      const Lines lines = Drawn(slider);
      EXPECT_EQ(LastQuadCorner(lines), std::to_string(c.knobs[position]) + ", -10, 0")
          << "variant " << int(c.variant) << " position " << position;
      EXPECT_NE(std::find(lines.begin(), lines.end(), "BindTexture(" + std::to_string(character) + ") -> 1"),
                lines.end());
    }
    gui::ReleaseGuiSkin();
  }
}

TEST_F(SkinnedWidgets, TheArrowsAreCutFromTheElementImageAtEachSizeTheDownArrowMirrored) {
  struct Case {
    int8_t variant;
    float left, bottom;  // of the sprite (78, 0, 20, 20) or (61, 0, 15, 15)
    int32_t side;
  };
  const Case cases[] = {{0, 78.0f / 128, 108.0f / 128, 20}, {1, 61.0f / 128, 113.0f / 128, 15}};
  for (const Case& c : cases) {
    LoadSkin(c.variant);
    uint32_t elements = 0;
    ASSERT_EQ(gui::GetGuiImage(16, &elements), kRTSuccess);
    gui::TeskListBox list;
    for (const gui::TeskIcon* arrow : {&list.UpArrow(), &list.DownArrow()}) {
      EXPECT_EQ(arrow->GetTextureId(), elements);
      EXPECT_EQ(arrow->GetWidth(), c.side);
      EXPECT_EQ(arrow->GetUVRect().left, c.left);
      EXPECT_EQ(arrow->GetUVRect().top, 1.0f);
      EXPECT_EQ(arrow->GetUVRect().bottom, c.bottom);
    }
    EXPECT_EQ(gui::TeskIconGetFlag(&list.UpArrow()), 0);
    EXPECT_EQ(gui::TeskIconGetFlag(&list.DownArrow()), 1);
    gui::ReleaseGuiSkin();
  }
}

TEST_F(SkinnedWidgets, TextTallerThanTheRowHeightMakesItsRowTallerAndTheRowsThatDoNotFitWait) {
  LoadSkin(0);
  gui::TeskListBox list;
  list.SetHeight(50);
  list.SetRowHeight(10);
  for (const char16_t* text : std::initializer_list<const char16_t*>{u"one", nullptr, u"three"}) list.AddItem(text);
  const Lines lines = Drawn(list);
  EXPECT_EQ(list.GetVisibleRows(), 2) << "rows of 15 + 8: the third would end at 69";
  EXPECT_EQ(FontLines("DrawText"),
            (Lines{"RTFont.DrawText(Verdana, \"one\", 36, 8)", "RTFont.DrawText(Verdana, \"\", 36, 31)"}))
      << "a row taller than the row height puts its text at its top; a row without one draws it empty";
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.rfind("Vertex3(339, ", 0) == 0;
  })) << "the scroll bar";
  list.ScrollDown();
  EXPECT_EQ(list.GetTopRow(), 1) << "rows 1 and 2 take 46 of 50";
  list.ScrollDown();
  EXPECT_EQ(list.GetTopRow(), 1);
}

}  // namespace
}  // namespace gametest
