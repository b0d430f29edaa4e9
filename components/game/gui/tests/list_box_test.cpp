// The list box: its rows and when the scroll bar shows, presses on rows and arrows, scrolling, the
// item operations, text-less rows, fitted icons and damaged row heights. The tests load no skin,
// so texts measure 0 and every row is the row height high.
#include "list_box.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "gui_test_support.h"
#include "kivo/support/core_memory.h"
#include "panel.h"

namespace guitest {
namespace {

using namespace tesk::game::gui;
using Lines = std::vector<std::string>;

class ListBoxTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    list_ = std::make_unique<TeskListBox>();
  }
  void TearDown() override {
    list_.reset();
    GuiTest::TearDown();
  }
  // A 300 x 200 list at the origin with the named rows, 40 pixels apart.
  void Fill(std::initializer_list<const char16_t*> texts) {
    list_->SetName(u"LIST");
    for (const char16_t* text : texts) list_->AddItem(text);
  }
  Lines Drawn() {
    StartRecording();
    list_->Draw(0, 0, rasterizer());
    return Recorded();
  }
  // Whether anything was drawn in the scroll column (x 300 + 32 + 7).
  bool ScrollBarDrawn() {
    const Lines lines = Drawn();
    return std::any_of(lines.begin(), lines.end(),
                       [](const std::string& line) { return line.rfind("Vertex3(339, ", 0) == 0; });
  }

  std::unique_ptr<TeskListBox> list_;
};

TEST_F(ListBoxTest, TheHeightOverTheRowPitchGivesTheVisibleRowsAndAResizeScrollsToTheTop) {
  EXPECT_EQ(list_->GetVisibleRows(), 5);
  list_->SetTopRow(2);
  list_->SetHeight(120);
  EXPECT_EQ(list_->GetVisibleRows(), 3);
  EXPECT_EQ(list_->GetTopRow(), 0);
  list_->SetRowHeight(-8);
  list_->CountVisibleRows();
  EXPECT_EQ(list_->GetVisibleRows(), 0) << "a zero row pitch shows no row";
}

TEST_F(ListBoxTest, TheScrollBarShowsWhenARowDoesNotFitOrTheListIsScrolledDown) {
  Fill({u"a", u"b", u"c", u"d", u"e"});
  EXPECT_FALSE(ScrollBarDrawn()) << "five rows of 40 fill 200 exactly";
  EXPECT_EQ(list_->GetVisibleRows(), 5);
  list_->AddItem(u"f");
  EXPECT_TRUE(ScrollBarDrawn());
  EXPECT_EQ(list_->GetVisibleRows(), 5) << "the row that does not fit is not drawn";
  list_->RemoveItem(5);
  list_->SetTopRow(1);
  EXPECT_TRUE(ScrollBarDrawn());
  list_->SetTopRow(0);
  list_->SetRowHeight(150);
  EXPECT_TRUE(ScrollBarDrawn()) << "a tall row leaves no room for the next";
  EXPECT_EQ(list_->GetVisibleRows(), 1);
}

TEST_F(ListBoxTest, PressesSelectRowsOtherButtonsOnlyHoverAndBelowTheLastRowNothingChanges) {
  Fill({u"a", u"b", u"c"});
  struct Case {
    const char* what;
    uint32_t buttons;
    int32_t pointX, pointY;
    bool answers;
    int32_t selected, hover;
  };
  const Case cases[] = {
      {"press on row 1", 1, 100, 50, true, 1, -1},
      {"hover over row 2", 0, 100, 90, true, 1, 2},
      {"other buttons over row 0", 0xFFFFFFFF, 100, 10, true, 1, 0},
      {"press below the last row", 1, 100, 150, true, 1, 0},
      {"press on the frame's edge", 1, 4, 50, false, 1, 0},
      {"press on row 0", 1, 100, 44, true, 0, 0},
  };
  for (const Case& c : cases) {
    const char16_t* answer = list_->Mouse(0, 0, c.pointX, c.pointY, c.buttons);
    EXPECT_EQ(answer != nullptr, c.answers) << c.what;
    EXPECT_EQ(list_->GetSelectedIndex(), c.selected) << c.what;
    EXPECT_EQ(list_->GetHoverIndex(), c.hover) << c.what;
  }
  list_->Disable();
  EXPECT_EQ(list_->Mouse(0, 0, 100, 50, 1), nullptr);
}

TEST_F(ListBoxTest, AMultiSelectPressTogglesTheRowAndDeselectingFallsBackToNone) {
  Fill({u"a", u"b"});
  list_->SetMultiSelect(1);
  list_->Mouse(0, 0, 100, 50, 1);
  EXPECT_EQ(list_->GetSelectedIndex(), 1);
  EXPECT_EQ(list_->ItemAt(1)->IsSelected(), 1u);
  list_->Mouse(0, 0, 100, 10, 1);
  EXPECT_EQ(list_->ItemAt(0)->IsSelected(), 1u);
  list_->Mouse(0, 0, 100, 50, 1);
  EXPECT_EQ(list_->ItemAt(1)->IsSelected(), 0u);
  EXPECT_EQ(list_->GetSelectedIndex(), -1);
  list_->Mouse(0, 0, 100, 150, 1);
  EXPECT_EQ(list_->ItemAt(0)->IsSelected(), 1u) << "a press on no row toggles nothing";
  list_->DeselectAll();
  EXPECT_EQ(list_->ItemAt(0)->IsSelected(), 0u);
}

TEST_F(ListBoxTest, TheArrowsScrollOnlyWhenThereIsSomewhereToGo) {
  Fill({u"a", u"b", u"c"});
  const int32_t upX = 300 + 32 + 5;
  const int32_t downY = 200 - 20 - 8;
  EXPECT_NE(list_->Mouse(0, 0, upX + 2, 8 + 2, 1), nullptr);
  EXPECT_EQ(list_->GetTopRow(), 0) << "already at the top";
  EXPECT_NE(list_->Mouse(0, 0, upX + 2, downY + 2, 1), nullptr);
  EXPECT_EQ(list_->GetTopRow(), 0) << "every row fits";
  for (const char16_t* text : {u"d", u"e", u"f"}) list_->AddItem(text);
  list_->Mouse(0, 0, upX + 2, downY + 2, 1);
  EXPECT_EQ(list_->GetTopRow(), 1);
  list_->ScrollDown();
  EXPECT_EQ(list_->GetTopRow(), 1) << "rows 1 to 5 fit";
  EXPECT_NE(list_->Mouse(0, 0, upX + 2, 100, 1), nullptr) << "the scroll column between the arrows";
  EXPECT_EQ(list_->GetTopRow(), 1);
  list_->Mouse(0, 0, upX + 2, 8 + 2, 1);
  EXPECT_EQ(list_->GetTopRow(), 0);
  list_->SetTopRow(6);
  list_->ScrollDown();
  EXPECT_EQ(list_->GetTopRow(), 7) << "past the last item it still moves on";
}

TEST_F(ListBoxTest, ItemsAreAddedAtEitherEndRemovedByIndexAndDestroyedWithTheirIconAndPanel) {
  const int32_t live = kivo::LiveObjectCount();
  {
    TeskListBox list;
    list.AddItem(u"b");
    list.PrependItem(u"a");
    TeskListBoxItem* last = list.AddItem(u"c");
    last->SetIcon(new TeskIcon());
    last->SetPanel(new TeskPanel());
    last->GetPanel()->AddChild(new TeskIcon());
    last->SetData(~uintptr_t{0});
    EXPECT_EQ(std::u16string(list.ItemAt(0)->GetText()), u"a");
    EXPECT_EQ(list.ItemAt(3), nullptr);
    list.RemoveItem(3);
    list.RemoveItem(1);
    EXPECT_EQ(list.ItemCount(), 2u);
    EXPECT_EQ(list.ItemAt(1)->GetData(), ~uintptr_t{0});
    list.SetSelectedIndex(1);
    list.SetTopRow(1);
    list.Clear();
    EXPECT_EQ(list.ItemCount(), 0u);
    EXPECT_EQ(list.GetSelectedIndex(), -1);
    EXPECT_EQ(list.GetTopRow(), 1);
    list.AddItem(u"kept")->SetIcon(new TeskIcon());
  }
  EXPECT_EQ(kivo::LiveObjectCount(), live);
}

TEST_F(ListBoxTest, ATextlessRowDrawsEmptyAndAPressCountsItsPanelWithoutTheGap) {
  Fill({nullptr, u"b"});
  auto* panel = new TeskPanel();
  panel->SetHeight(20);
  list_->ItemAt(0)->SetPanel(panel);
  Drawn();
  EXPECT_EQ(list_->GetVisibleRows(), 2);
  list_->Mouse(0, 0, 100, 30, 1);
  EXPECT_EQ(list_->GetSelectedIndex(), 1) << "row 0 ends at 20 + 4 for the press";
}

TEST_F(ListBoxTest, FittedIconsTakeTheRowHeightAndOneWithNoHeightKeepsItsSize) {
  Fill({u"a", u"b"});
  list_->SetFitIcons(1);
  auto* wide = new TeskIcon();
  wide->SetWidth(20);
  wide->SetHeight(10);
  list_->ItemAt(0)->SetIcon(wide);
  auto* flat = new TeskIcon();
  flat->SetWidth(10);
  flat->SetHeight(0);
  list_->ItemAt(1)->SetIcon(flat);
  const Lines lines = Drawn();
  // The icon's quad: corners (4, 8), (4, 40), (68, 40): 64 x 32.
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Vertex3(68, 40, 0) -> 1"), lines.end());
  EXPECT_EQ(wide->GetWidth(), 20);
  EXPECT_EQ(wide->GetHeight(), 10);
  // The flat icon at its own 10 x 0 in the second row (y 48).
  EXPECT_NE(std::find(lines.begin(), lines.end(), "Vertex3(14, 48, 0) -> 1"), lines.end());
}

}  // namespace
}  // namespace guitest
