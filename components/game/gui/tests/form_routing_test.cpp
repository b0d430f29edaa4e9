// Forms: the name lookup's order, the focus chosen at every press (through a panel too), key
// presses reaching only the focus, removal of the focus, panels' and buttons' answers to presses.
#include <gtest/gtest.h>

#include <string>

#include "button.h"
#include "form.h"
#include "gui_test_support.h"
#include "panel.h"
#include "tab_panel.h"
#include "widget_tree.h"

namespace guitest {
namespace {

using namespace tesk::game::gui;

// A widget that takes the focus when a press lies inside it, and counts what it is told.
class FocusProbe : public TeskIWidget {
 public:
  FocusProbe(int32_t x, int32_t y) : TeskIWidget(kWidgetEditBox) {
    SetX(x);
    SetY(y);
    SetWidth(10);
    SetHeight(10);
  }
  TeskIWidget* HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) override {
    return PointInside(pointX, pointY, originX + GetX(), originY + GetY(), GetWidth(), GetHeight()) ? this : nullptr;
  }
  void Draw(int32_t, int32_t, RTInstance) override {}
  void FocusGained() override { ++gained; }
  void FocusLost() override { ++lost; }
  void CharEvent(char16_t unit) override { typed += unit; }
  void SetMouseState(const MouseState& state) override { handed = state; }

  int gained = 0;
  int lost = 0;
  std::u16string typed;
  MouseState handed{};
};

TeskButton* Button(const char16_t* name) {
  auto* button = new TeskButton();
  button->SetName(name);
  return button;
}

class FormRouting : public GuiTest {};

TEST_F(FormRouting, LookupIsDepthFirstInChildOrderIgnoringCaseFirstMatchWinning) {
  Owned owner(new TeskForm());
  auto& form = static_cast<TeskForm&>(*owner);
  TeskButton* first = Button(u"Twin");
  form.AddChild(first);
  form.AddChild(Button(u"TWIN"));
  auto* panel = new TeskPanel();
  panel->SetName(u"PANEL");
  TeskButton* inner = Button(u"DEEP");
  panel->AddChild(inner);
  form.AddChild(panel);
  form.AddChild(Button(u"deep"));
  auto* tabs = new TeskTabPanel();
  tabs->SetName(u"TABS");
  tabs->AddPage(u"Second");
  TeskButton* paged = Button(u"PAGED");
  tabs->PageAt(1)->AddChild(paged);
  form.AddChild(tabs);

  const struct {
    const char16_t* name;
    TeskIWidget* found;
  } cases[] = {
      {u"twin", first},  {u"TWIN", first},  {u"Deep", inner},     {u"panel", panel},
      {u"paged", paged}, {u"Tab", nullptr}, {u"Second", nullptr}, {u"NONE", nullptr},
  };
  for (const auto& c : cases) EXPECT_EQ(form.FindWidgetByName(c.name), c.found) << std::string(c.name, c.name + 4);
  EXPECT_EQ(panel->FindWidgetByName(u"PANEL"), nullptr);
}

// The form's lookup keeps finding what the walk over its children finds while widgets are
// renamed, added below a panel already searched, removed and destroyed between lookups.
TEST_F(FormRouting, LookupFollowsRenamesAdditionsAndRemovals) {
  Owned owner(new TeskForm());
  auto& form = static_cast<TeskForm&>(*owner);
  TeskButton* early = Button(u"Early");
  form.AddChild(early);
  auto* panel = new TeskPanel();
  form.AddChild(panel);
  TeskButton* late = Button(u"Late");
  form.AddChild(late);
  auto* tabs = new TeskTabPanel();
  form.AddChild(tabs);
  const char16_t* names[] = {u"early", u"LATE", u"nested", u"paged", u"L\u0141TE", u"Gone"};
  auto lookupsAgree = [&](const char* step) {
    for (const char16_t* name : names)
      EXPECT_EQ(form.FindWidgetByName(name), form.Children().FindByName(name))
          << step << ": " << std::string(name, name + 4);
  };
  lookupsAgree("at first");
  early->SetName(u"Gone");
  lookupsAgree("after a rename");
  TeskButton* nested = Button(u"LATE");
  panel->AddChild(nested);
  EXPECT_EQ(form.FindWidgetByName(u"late"), nested) << "a panel before the form's own child comes first";
  lookupsAgree("after an addition below a panel");
  panel->RemoveChild(nested);
  DestroyWidgetTree(nested);
  tabs->PageAt(0)->AddChild(Button(u"Paged"));
  lookupsAgree("after a removal and an addition to a page");
  tabs->RemovePage(0);
  form.RemoveChild(late);
  DestroyWidgetTree(late);
  lookupsAgree("after a page and a child went");
  EXPECT_EQ(form.FindWidgetByName(nullptr), nullptr);
}

TEST_F(FormRouting, EveryPressChoosesTheFocusAfreshThroughPanelsAndKeysReachOnlyIt) {
  Owned owner(new TeskForm());
  auto& form = static_cast<TeskForm&>(*owner);
  form.SetX(100);
  auto* panel = new TeskPanel();
  panel->SetX(20);
  auto* inside = new FocusProbe(5, 5);
  panel->AddChild(inside);
  form.AddChild(panel);
  auto* other = new FocusProbe(50, 50);
  form.AddChild(other);
  EXPECT_EQ(inside->LocalToAbsoluteX(0), 120);

  form.Mouse(0, 0, 130, 10, 1);
  EXPECT_EQ(form.GetFocus(), inside);
  EXPECT_EQ(inside->gained, 1);
  form.CharEvent(u'a');
  form.Mouse(0, 0, 155, 55, 1);
  EXPECT_EQ(inside->lost, 1);
  EXPECT_EQ(form.GetFocus(), other);
  form.CharEvent(u'b');
  EXPECT_EQ(inside->typed, u"a");
  EXPECT_EQ(other->typed, u"b");
  form.Mouse(0, 0, 0, 0, 1);
  EXPECT_EQ(form.GetFocus(), nullptr);
  form.CharEvent(u'c');
  EXPECT_EQ(other->typed, u"b");
}

TEST_F(FormRouting, RemovingTheFocusedChildClearsTheFocusAndAnotherKeepsIt) {
  Owned owner(new TeskForm());
  auto& form = static_cast<TeskForm&>(*owner);
  auto* focused = new FocusProbe(0, 0);
  auto* other = new FocusProbe(50, 50);
  form.AddChild(focused);
  form.AddChild(other);
  form.Mouse(0, 0, 5, 5, 1);
  form.RemoveChild(other);
  EXPECT_EQ(form.GetFocus(), focused);
  form.RemoveChild(focused);
  EXPECT_EQ(form.GetFocus(), nullptr);
  DestroyWidgetTree(focused);
  DestroyWidgetTree(other);
}

TEST_F(FormRouting, PressesReachButtonsInsideTheirEdgesUnlessInactiveOrBehindAHiddenPanel) {
  Owned owner(new TeskForm());
  auto& form = static_cast<TeskForm&>(*owner);
  auto* panel = new TeskPanel();
  panel->SetX(10);
  TeskButton* ok = Button(u"OK");
  ok->SetX(5);
  panel->AddChild(ok);
  form.AddChild(panel);
  const std::u16string name = u"OK";
  auto pressed = [&](int32_t x, int32_t y) {
    const char16_t* handled = form.Mouse(0, 0, x, y, 1);
    return handled ? std::u16string(handled) : std::u16string();
  };
  EXPECT_EQ(pressed(15, 0), name);
  EXPECT_EQ(pressed(75, 30), name);  // the right and bottom edges are inside
  EXPECT_EQ(pressed(76, 30), u"");
  ok->SetHidden(1);
  EXPECT_EQ(pressed(20, 10), name);
  ok->Disable();
  EXPECT_EQ(pressed(20, 10), u"");
  ok->Enable();
  panel->Disable();
  EXPECT_EQ(pressed(20, 10), u"");
  panel->Enable();
  panel->Hide();
  EXPECT_EQ(pressed(20, 10), u"");
}

TEST_F(FormRouting, MouseStateSetOnANestedPanelIsHandedUpWhenDrawnAndCleared) {
  FocusProbe top(0, 0);
  auto* outer = new TeskPanel();
  auto* inner = new TeskPanel();
  outer->AddChild(inner);
  outer->SetParent(&top);
  inner->SetMouseState({{5, 6, 7}});
  outer->Draw(0, 0, rasterizer());
  EXPECT_EQ(top.handed.words[0] + top.handed.words[1] * 10 + top.handed.words[2] * 100, 765u);
  EXPECT_EQ(inner->GetMouseState(), 0u);
  EXPECT_EQ(outer->GetMouseState(), 0u);
  DestroyWidgetTree(outer);
}

TEST_F(FormRouting, AHiddenPanelTakesNoPressButItsChildrenStillAnswerTheHitTest) {
  auto* form = new TeskForm();
  Owned owner(form);
  auto* panel = new TeskPanel();
  auto* probe = new FocusProbe(5, 5);
  panel->AddChild(probe);
  panel->Hide();
  form->AddChild(panel);
  EXPECT_EQ(panel->HitTest(0, 0, 6, 6), probe);
  form->Mouse(0, 0, 6, 6, 1);
  EXPECT_EQ(form->GetFocus(), probe);
}

TEST_F(FormRouting, ATabClickedWithTheFirstButtonSelectsItsPageAndReportsTheTabPanel) {
  auto* owned = new TeskTabPanel();
  TeskTabPanel& tabs = *owned;
  tabs.SetName(u"TABS");
  tabs.AddPage(u"Two");
  tabs.SelectPage(0);
  auto* onPage = Button(u"ON_PAGE");
  tabs.PageAt(0)->AddChild(onPage);
  // Without a skin the captions measure 0: each tab is 128 wide, the second starting at 108.
  EXPECT_EQ(tabs.Mouse(0, 0, 120, 10, 2), nullptr);
  EXPECT_EQ(tabs.GetCurrentPage(), tabs.PageAt(0));
  EXPECT_EQ(std::u16string(tabs.Mouse(0, 0, 30, 30, 2)), u"ON_PAGE");
  EXPECT_EQ(std::u16string(tabs.Mouse(0, 0, 130, 0, 1)), u"TABS");
  EXPECT_EQ(tabs.GetCurrentPage(), tabs.PageAt(1));
  DestroyWidgetTree(owned);
}

}  // namespace
}  // namespace guitest
