// The icon on a clock the test sets: its inclusive edges, inactive and hidden icons, the tool tip
// handed to the parent after two seconds at rest, the flash's four cycles, the pulse, and the
// mirror modes.
#include "icon.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gui_clock.h"
#include "gui_test_support.h"
#include "panel.h"

namespace guitest {
namespace {

using namespace tesk::game::gui;
using Lines = std::vector<std::string>;

float gNow = 0.0f;

bool FakeSeconds(float* seconds) {
  *seconds = gNow;
  return true;
}

class IconTest : public GuiTest {
 protected:
  void SetUp() override {
    GuiTest::SetUp();
    gNow = 0.0f;
    SetGuiClock({FakeSeconds, nullptr});
  }
  void TearDown() override {
    SetGuiClock({});
    GuiTest::TearDown();
  }
  // The quads one Draw of the icon makes at the time.
  int QuadsAt(TeskIcon& icon, float now) {
    gNow = now;
    StartRecording();
    icon.Draw(0, 0, rasterizer());
    const Lines lines = Recorded();
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [](const std::string& line) { return line.rfind("BeginPrimitive(", 0) == 0; }));
  }
};

TEST_F(IconTest, ThePressAnswersOnTheEdgesUnlessInactive) {
  TeskIcon icon;
  icon.SetName(u"ICON");
  icon.SetX(10);
  icon.SetY(20);
  icon.SetWidth(30);
  icon.SetHeight(40);
  struct Case {
    int32_t x, y;
    bool inside;
  };
  const Case cases[] = {{110, 220, true},  {140, 260, true},  {125, 240, true},
                        {109, 220, false}, {141, 260, false}, {140, 261, false}};
  for (const Case& c : cases) {
    const char16_t* answer = icon.Mouse(100, 200, c.x, c.y, 1);
    EXPECT_EQ(answer != nullptr, c.inside) << c.x << ", " << c.y;
    EXPECT_EQ(icon.IsHovered(), c.inside ? 1u : 0u);
  }
  icon.Disable();
  EXPECT_EQ(icon.Mouse(100, 200, 125, 240, 1), nullptr);
  icon.Enable();
  icon.SetHidden(1);
  EXPECT_NE(icon.Mouse(100, 200, 125, 240, 1), nullptr);
  StartRecording();
  icon.Draw(100, 200, rasterizer());
  EXPECT_EQ(Recorded(), Lines{});
}

TEST_F(IconTest, TheParentGetsTheToolTipAfterTwoSecondsWithoutAMoveInBothAxes) {
  TeskPanel parent;
  auto* icon = new TeskIcon();
  parent.AddChild(icon);
  icon->SetToolTip(u"Tip");
  const auto handed = reinterpret_cast<uintptr_t>(icon->GetToolTip());
  struct Step {
    const char* what;
    float time;
    int32_t moveX, moveY;  // a Mouse at the time, or none at -1
    uintptr_t expected;    // the parent's first mouse-state word after a Draw at the time
  };
  const Step steps[] = {
      {"rest begins", 0.0f, 5, 5, 0},
      {"a move along x keeps the timer", 1.0f, 6, 5, 0},
      {"two seconds are not more", 2.0f, -1, -1, 0},
      {"more than two seconds", 2.1f, -1, -1, handed},
      {"a move in both axes restarts it", 3.0f, 7, 6, 0},
      {"not yet", 4.9f, -1, -1, 0},
      {"again", 5.1f, -1, -1, handed},
      {"leaving stops it", 5.2f, 500, 500, 0},
  };
  for (const Step& step : steps) {
    gNow = step.time;
    parent.SetMouseState({});
    if (step.moveX >= 0) icon->Mouse(0, 0, step.moveX, step.moveY, 0);
    icon->Draw(0, 0, rasterizer());
    EXPECT_EQ(parent.GetMouseState(), step.expected) << step.what;
  }
  parent.Children().DestroyTrees();
}

TEST_F(IconTest, AFlashRunsOneCycleOfItsPeriodAndThreeOfHalfOfIt) {
  TeskIcon icon;
  icon.StartFlash(1);
  struct Sample {
    float time;
    int repeats;  // the quads beyond the picture's own
    bool flashingAfter;
  };
  const Sample samples[] = {{0.0f, 0, true},  {0.5f, 40, true},  {1.0f, 0, true}, {1.25f, 40, true},
                            {1.5f, 0, true},  {1.75f, 40, true}, {2.0f, 0, true}, {2.25f, 40, true},
                            {2.5f, 0, false}, {2.75f, 0, false}};
  for (const Sample& sample : samples) {
    EXPECT_EQ(QuadsAt(icon, sample.time), 1 + sample.repeats) << sample.time;
    EXPECT_EQ(icon.IsFlashing() != 0, sample.flashingAfter) << sample.time;
  }
  TeskIcon still;
  still.StartFlash(0);
  EXPECT_EQ(still.IsFlashing(), 0u);
  EXPECT_EQ(QuadsAt(still, 0.5f), 1);
}

TEST_F(IconTest, APulseShowsTheEnlargedCopyForFourTenthsOfASecondAndClearsTheHighlight) {
  TeskIcon icon;
  icon.StartPulse();
  EXPECT_EQ(QuadsAt(icon, 0.1f), 2);
  icon.SetHighlight(1);
  EXPECT_EQ(QuadsAt(icon, 0.4f), 2);
  EXPECT_EQ(icon.IsHighlighted(), 1u);
  EXPECT_EQ(QuadsAt(icon, 0.41f), 2) << "the copy of this Draw comes before the clock is read";
  EXPECT_EQ(icon.IsHighlighted(), 0u);
  EXPECT_EQ(QuadsAt(icon, 0.5f), 1);
}

TEST_F(IconTest, MirrorModeThreeDrawsAsModeZero) {
  auto drawn = [&](int8_t mirror) {
    TeskIcon icon;
    icon.SetImageRect(0, 0, 64, 32);
    TeskIconSetFlag(&icon, mirror);
    StartRecording();
    icon.Draw(0, 0, rasterizer());
    return Recorded();
  };
  const Lines plain = drawn(0);
  EXPECT_EQ(drawn(3), plain);
  EXPECT_NE(drawn(1), plain);
  EXPECT_NE(drawn(2), plain);
}

}  // namespace
}  // namespace guitest
