// Progress bar pips, the percent bar's clamp, slider presses and drags, and the edit box's typing,
// caret and focus, alone and through a form.
#include <gtest/gtest.h>

#include <cstdio>
#include <utility>

#include "edit_box.h"
#include "form.h"
#include "gui_clock.h"
#include "gui_test_support.h"
#include "panel.h"
#include "percent_bar.h"
#include "progress_bar.h"
#include "slider.h"
#include "widget_tree.h"

namespace guitest {
namespace {

using namespace tesk::game::gui;
using Lines = std::vector<std::string>;
using Point = std::pair<int, int>;

uint32_t gMilliseconds = 0;

uint32_t FakeMilliseconds() { return gMilliseconds; }

class ValueWidgets : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    gMilliseconds = 1000;
    SetGuiClock({nullptr, FakeMilliseconds});
  }
  void TearDown() override {
    SetGuiClock({});
    GuiTest::TearDown();
  }
  Lines DrawnLines(TeskIWidget& widget) {
    StartRecording();
    widget.Draw(0, 0, rasterizer());
    return Recorded();
  }
};

// The first corner of every quad, and how many quads came after the additive blend was set (the
// bright pips), before the ordinary blend replaced it.
struct Pips {
  std::vector<Point> corners;
  size_t additive = 0;
};

Pips PipsOf(const Lines& lines) {
  Pips pips;
  bool additive = false;
  bool firstVertex = false;
  for (const std::string& line : lines) {
    if (line.rfind("SetBlendFunc(", 0) == 0) additive = line == "SetBlendFunc(0x1, 0x1) -> 1";
    if (line.rfind("BeginPrimitive(", 0) == 0) {
      firstVertex = true;
      if (additive) ++pips.additive;
    }
    float x = 0;
    float y = 0;
    if (firstVertex && std::sscanf(line.c_str(), "Vertex3(%f, %f", &x, &y) == 2) {
      pips.corners.emplace_back(static_cast<int>(x), static_cast<int>(y));
      firstVertex = false;
    }
  }
  return pips;
}

TEST_F(ValueWidgets, ProgressPipsZigzagInRowsOfFiveBrightThenLitThenEmpty) {
  TeskProgressBar bar;
  bar.SetMax(6);
  bar.SetValue(3);
  const Pips pips = PipsOf(DrawnLines(bar));
  const std::vector<Point> expected = {{8, 8},  {8, 8},  {25, 3},  {25, 3},  {42, 8},  {42, 8}, {59, 3},
                                       {76, 8}, {8, 32}, {25, 27}, {42, 32}, {59, 27}, {76, 32}};
  EXPECT_EQ(pips.corners, expected);
  EXPECT_EQ(pips.additive, 6u) << "three bright pips, each drawn twice";

  // A capacity below the upper mark brings the mark down and leaves the value: five bright pips.
  bar.SetMax(6);
  bar.SetValue(5);
  bar.SetCapacity(4);
  EXPECT_EQ(bar.GetMax(), 4);
  EXPECT_EQ(bar.GetValue(), 5);
  const Pips lowered = PipsOf(DrawnLines(bar));
  EXPECT_EQ(lowered.corners.size(), 10u);
  EXPECT_EQ(lowered.additive, 10u);
}

TEST_F(ValueWidgets, SettersClampTheirValues) {
  TeskProgressBar bar;
  bar.SetCapacity(-5);
  EXPECT_EQ(bar.GetCapacity(), 0);
  bar.SetCapacity(10);
  bar.SetMax(12);
  EXPECT_EQ(bar.GetMax(), 10);
  bar.SetValue(-1);
  EXPECT_EQ(bar.GetValue(), 0);
  TeskPercentBar percent;
  for (const auto& [given, kept] : {std::pair{-1, 100u}, {101, 100u}, {100, 100u}, {0, 0u}, {37, 37u}}) {
    percent.SetPercent(given);
    EXPECT_EQ(percent.GetPercent(), kept) << given;
  }
  TeskSlider slider;
  slider.SetPosition(3);
  slider.SetStepCount(2);
  EXPECT_EQ(slider.GetPosition(), 1);
  slider.SetStepCount(0);
  EXPECT_EQ(slider.GetStepCount(), 1);
  EXPECT_EQ(slider.GetPosition(), 0);
}

TEST_F(ValueWidgets, ASliderPressPutsTheKnobUnderThePoint) {
  struct Case {
    int32_t width, pointX;
    bool answers;
    int32_t position;
  };
  const Case cases[] = {
      {100, 30, true, 1},  {100, 0, true, 0},    {100, 74, true, 2},
      {100, 100, true, 3}, {100, 101, false, 2}, {3, 3, true, 2},  // less than a pixel per step: unchanged
  };
  for (const Case& c : cases) {
    TeskSlider slider;
    slider.SetName(u"SLIDER");
    slider.SetWidth(c.width);
    slider.SetPosition(2);
    const char16_t* answer = slider.Mouse(0, 0, c.pointX, 10, 1);
    EXPECT_EQ(answer != nullptr, c.answers) << c.width << " " << c.pointX;
    EXPECT_EQ(slider.GetPosition(), c.position) << c.width << " " << c.pointX;
  }
}

TEST_F(ValueWidgets, ASliderFollowsADragOnlyWithTheButtonHeld) {
  TeskForm form;
  form.SetX(100);
  auto* panel = new TeskPanel();
  panel->SetX(50);
  form.AddChild(panel);
  auto* slider = new TeskSlider();
  slider->SetX(10);
  panel->AddChild(slider);
  EXPECT_EQ(form.Mouse(0, 0, 160 + 30, 5, 1), slider->GetName());
  EXPECT_EQ(form.GetFocus(), slider);
  EXPECT_EQ(slider->GetPosition(), 1);
  form.MouseMoveEvent(160 + 60, 5, 0);
  EXPECT_EQ(slider->GetPosition(), 1) << "button up";
  form.MouseMoveEvent(160 + 60, 5, 1);
  EXPECT_EQ(slider->GetPosition(), 2);
  form.MouseMoveEvent(0, 5, 1);
  EXPECT_EQ(slider->GetPosition(), 0);
  slider->SetWidth(3);
  form.MouseMoveEvent(160 + 3, 5, 1);
  EXPECT_EQ(slider->GetPosition(), 0) << "less than a pixel per step";
  form.Children().DestroyTrees();
}

TEST_F(ValueWidgets, TypingAppendsBelowTheMaximumAndBackspaceRemovesTheLastUnit) {
  TeskEditBox box;
  box.SetText(u"");
  box.SetMaxLength(3);
  box.CharEvent(8);
  EXPECT_EQ(std::u16string(box.GetText()), u"");
  for (char16_t unit : u"abcd") box.CharEvent(unit);
  EXPECT_EQ(std::u16string(box.GetText()), u"abc") << "the unit at the maximum is dropped";
  box.CharEvent(8);
  box.CharEvent(u'\t');
  EXPECT_EQ(std::u16string(box.GetText()), u"ab\t") << "control units are typed too";
}

TEST_F(ValueWidgets, TheCaretBlinksWithAHalfPeriodOf500MillisecondsOnlyWhileFocused) {
  TeskEditBox box;
  auto caretDrawn = [&](uint32_t now) {
    gMilliseconds = now;
    for (const std::string& line : DrawnLines(box))
      if (line == "BeginPrimitive(0x105) -> 1") return true;
    return false;
  };
  box.FocusGained();
  EXPECT_FALSE(caretDrawn(1500));
  EXPECT_TRUE(caretDrawn(1501));
  EXPECT_TRUE(caretDrawn(2001));
  EXPECT_FALSE(caretDrawn(2002));
  EXPECT_TRUE(caretDrawn(2503));
  box.FocusLost();
  EXPECT_FALSE(caretDrawn(2600));
  EXPECT_EQ(box.IsCaretShown(), 1u);
}

TEST_F(ValueWidgets, AnEditBoxInAPanelTakesTheFocusAndTheCharactersOfAForm) {
  TeskForm form;
  auto* panel = new TeskPanel();
  panel->SetX(20);
  form.AddChild(panel);
  auto* box = new TeskEditBox();
  box->SetText(u"");
  panel->AddChild(box);
  auto* other = new TeskEditBox();
  other->SetText(u"");
  other->SetY(300);
  form.AddChild(other);
  form.Mouse(0, 0, 30, 10, 1);
  EXPECT_EQ(form.GetFocus(), box);
  EXPECT_EQ(box->IsFocused(), 1u);
  form.CharEvent(u'x');
  EXPECT_EQ(std::u16string(box->GetText()), u"x");
  EXPECT_EQ(std::u16string(other->GetText()), u"");
  form.Mouse(0, 0, 500, 500, 1);
  EXPECT_EQ(box->IsFocused(), 0u);
  EXPECT_EQ(form.GetFocus(), nullptr);
  form.CharEvent(u'y');
  EXPECT_EQ(std::u16string(box->GetText()), u"x");
  form.Children().DestroyTrees();
}

}  // namespace
}  // namespace guitest
