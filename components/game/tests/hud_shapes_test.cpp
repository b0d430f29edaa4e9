// Arcs, thick lines and bordered discs through the recording rasterizer, the states every HUD
// routine leaves, and the icon replacement with its refusals.
#include <gtest/gtest.h>

#include <cmath>

#include "hud_box.h"
#include "hud_fixture.h"
#include "hud_icons.h"
#include "hud_numbers.h"
#include "hud_shapes.h"
#include "icon.h"
#include "icon_replacement.h"
#include "panel.h"
#include "tesk/game_slots.h"
#include "widget_tree.h"

namespace gametest {

namespace {

namespace game = tesk::game;
namespace gui = tesk::game::gui;

class HudShapes : public HudTest {
 protected:
  std::vector<Call> Arc(uint32_t start, uint32_t end, float radius = 10.0f) {
    const RTFVector3D centre = {30, 20, 0.5f, 0};
    return Calls([&] { EXPECT_EQ(game::DrawCircleArc(game(), &centre, start, end, radius, 0.25f, 0.5f, 0.75f), 1); });
  }
  std::vector<Call> Disc(int32_t radius) {
    return Calls([&] {
      EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kDrawBorderedCircle, 30u, 20u, radius, 0.25f, 0.5f, 0.75f),
                kRTSuccess);
    });
  }
};

TEST_F(HudShapes, ArcsRunFromBelowTheCentreWithoutAClosingVertex) {
  const std::vector<Call> ring = Arc(0, 360);
  const std::vector<Call> vertices = Named(ring, {"VertexVector"});
  ASSERT_EQ(vertices.size(), 360u);
  EXPECT_NEAR(vertices[0].args.at(0), 30.0, 1e-4);
  EXPECT_NEAR(vertices[0].args.at(1), 30.0, 1e-4);
  EXPECT_EQ(vertices[0].args.at(2), 0.5);
  EXPECT_NEAR(vertices[90].args.at(0), 20.0, 1e-4) << "a quarter turn on: left of the centre";
  EXPECT_EQ(Named(ring, {"BeginPrimitive"}).at(0).args.at(0), 0x106);
  // The colour before each vertex, white before the end.
  for (size_t i = 0; i + 1 < ring.size(); ++i)
    if (ring[i + 1].name == "VertexVector") {
      EXPECT_EQ(ring[i].name, "SetColor") << i;
    }
  EXPECT_EQ(ring[ring.size() - 2].args, (std::vector<double>{1, 1, 1}));
  EXPECT_EQ(ring.back().name, "EndPrimitive");

  for (uint32_t k : {1u, 30u, 90u}) EXPECT_EQ(Named(Arc(180 - k, 180 + k), {"VertexVector"}).size(), 2 * k) << k;
  for (uint32_t start : {10u, 11u}) EXPECT_TRUE(Named(Arc(start, 10), {"VertexVector"}).empty()) << start;
}

TEST_F(HudShapes, ThickLinesAreDiagonalCopiesWithSmoothingAround) {
  const std::vector<std::vector<double>> offsets = {{}, {0}, {0, 1}, {-1, 0, 1}, {-1, 0, 1, 2}};
  const RTFVector3D a = {10, 20, 0.25f, 0}, b = {40, 5, 0.25f, 0};
  for (uint32_t thickness = 0; thickness < offsets.size(); ++thickness) {
    SCOPED_TRACE("thickness " + std::to_string(thickness));
    const std::vector<Call> calls =
        Calls([&] { EXPECT_EQ(game::DrawThickLine(game(), &a, &b, thickness, 1.0f, 0.0f, 0.0f), 1); });
    std::vector<double> seen;
    const std::vector<Call> vertices = Named(calls, {"VertexVector"});
    ASSERT_EQ(vertices.size(), 2 * offsets[thickness].size());
    for (size_t i = 0; i < vertices.size(); i += 2) {
      const double o = vertices[i].args.at(0) - a.x;
      EXPECT_EQ(vertices[i].args, (std::vector<double>{a.x + o, a.y + o, a.z}));
      EXPECT_EQ(vertices[i + 1].args, (std::vector<double>{b.x + o, b.y + o, b.z}));
      seen.push_back(o);
    }
    EXPECT_EQ(seen, offsets[thickness]);
    const std::vector<Call> smoothing = Named(calls, {"EnableSmoothing"});
    ASSERT_EQ(smoothing.size(), 2u);
    EXPECT_EQ(smoothing[0].args.at(0), 1);
    EXPECT_EQ(smoothing[1].args.at(0), 0);
  }
}

TEST_F(HudShapes, ADiscIsSixtyTrianglesThenFourRings) {
  constexpr int32_t radius = 12;
  const std::vector<Call> calls = Disc(radius);
  std::vector<Call> batches = Named(calls, {"BeginPrimitive"});
  ASSERT_EQ(batches.size(), 5u);
  EXPECT_EQ(batches[0].args.at(0), 0x104);
  const std::vector<Call> corners = Named(calls, {"Vertex3"});
  ASSERT_EQ(corners.size(), 180u);
  for (size_t k = 0; k < corners.size(); k += 3) {
    EXPECT_EQ(corners[k].args, (std::vector<double>{32, 22, 0})) << "the shared corner";
    EXPECT_NEAR(std::hypot(corners[k + 1].args.at(0) - 30, corners[k + 1].args.at(1) - 20), radius, 1e-3);
  }
  // The first triangle starts a quarter turn round: rim point 15, straight above the centre.
  EXPECT_NEAR(corners[1].args.at(0), 30, 1e-3);
  EXPECT_NEAR(corners[1].args.at(1), 20 - radius, 1e-3);
  // Each ring's radius and colour, from its first vertex (below the centre).
  const std::vector<std::pair<double, double>> rings = {{radius + 1, 0}, {radius + 2, 1}, {radius + 3, 1}, {radius + 4, 0}};
  size_t ring = 0;
  for (size_t i = 0; i + 1 < calls.size(); ++i) {
    if (calls[i].name != "BeginPrimitive" || calls[i].args.at(0) != 0x106) continue;
    ASSERT_LT(ring, rings.size());
    EXPECT_EQ(calls[i + 1].args, (std::vector<double>(3, rings[ring].second)));
    EXPECT_NEAR(calls[i + 2].args.at(1) - 20, rings[ring].first, 1e-4);
    ++ring;
  }
  EXPECT_EQ(ring, 4u);
}

// Every routine of the HUD leaves the states it promises: from the opposite states, or for the
// arc and the line (which switch nothing) from the HUD's resting states.
TEST_F(HudShapes, EveryRoutineLeavesTheHudsStates) {
  const RTFVector3D a = {1, 2, 0, 0}, b = {5, 6, 0, 0};
  constexpr RTFColorRGB kBlue = {0, 0, 1, 0.5f};
  struct Case {
    const char* name;
    std::function<void()> draw;
    HudStates from;
    bool white;
  };
  const Case cases[] = {
      {"icon", [&] { game::DrawHudIcon(game(), 3, 0, 0, 0, 0); }, kDirtyStates, false},
      {"icon outside the table", [&] { game::DrawHudIcon(game(), -1, 0, 0, 0, 0); }, kDirtyStates, false},
      {"tile", [&] { game::DrawHudIcon(game(), 1003, 0, 0, 0, 2); }, kDirtyStates, false},
      {"number", [&] { game::DrawNumber(game(), -3, 15, 0, 0, 0); }, kDirtyStates, true},
      {"number of no style", [&] { game::DrawNumber(game(), 3, 0, 0, 0, 0); }, kDirtyStates, false},
      {"box", [&] { game::DrawHudBox(game(), 0, 0, 3, 3, &kBlue, 0); }, kDirtyStates, true},
      {"blended box", [&] { game::DrawHudBox(game(), 0, 0, 3, 3, &kBlue, 1); }, kDirtyStates, true},
      {"disc", [&] { game::DrawBorderedCircle(game(), 9, 9, 4, 1, 0, 0); }, kDirtyStates, true},
      {"arc", [&] { game::DrawCircleArc(game(), &a, 0, 90, 3, 1, 0, 0); }, kRestingStates, true},
      {"thick line", [&] { game::DrawThickLine(game(), &a, &b, 3, 1, 0, 0); }, kRestingStates, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const HudStates after = Replay(Calls(c.draw), c.from);
    EXPECT_EQ((std::vector<double>{after.blending, after.texturing, after.lighting, after.depthTest, after.smoothing}),
              (std::vector<double>{0, 0, 1, 1, c.from.smoothing}));
    if (c.white) {
      EXPECT_EQ(std::vector<double>(after.colour, after.colour + 3), (std::vector<double>{1, 1, 1}));
    }
  }
}

// An icon whose stream block cannot be written: its copy cannot be made.
class UncopiableIcon : public gui::TeskIcon {
 public:
  RTSuccess StreamOut(RTInstance) const override { return kRTFailure; }
};

class IconReplacement : public HudTest {
 protected:
  void SetUp() override {
    HudTest::SetUp();
    if (HasFatalFailure()) return;
    panel_ = new gui::TeskPanel();
    for (const char16_t* name : {u"BED_MAP", u"SIBLING"}) {
      auto* icon = new gui::TeskIcon();
      ASSERT_TRUE(icon->SetName(name));
      ASSERT_TRUE(panel_->AddChild(icon));
    }
    old_ = static_cast<gui::TeskIcon*>(panel_->ChildAt(0));
    old_->SetX(7);
    old_->SetY(8);
    old_->SetWidth(30);
    old_->SetHeight(20);
    old_->SetTextureId(5);
    gui::TeskIconSetColor(old_, {0.25f, 0.5f, 0.75f, 1.0f});
    gui::TeskIconSetFlag(old_, 1);
    template_ = new gui::TeskIcon();
    template_->SetTexture(66);
    template_->SetWidth(99);
  }
  void TearDown() override {
    gui::DestroyWidgetTree(template_);
    gui::DestroyWidgetTree(panel_);
    HudTest::TearDown();
  }
  size_t Named(const char16_t* name) const {
    size_t count = 0;
    for (uint32_t i = 0; panel_->ChildAt(i); ++i)
      if (std::u16string(panel_->ChildAt(i)->GetName()) == name) ++count;
    return count;
  }

  gui::TeskPanel* panel_ = nullptr;
  gui::TeskIcon* old_ = nullptr;
  gui::TeskIcon* template_ = nullptr;  // in no panel
};

TEST_F(IconReplacement, TheCopyTakesTheOldPlaceLookAndNameAndGoesLast) {
  ASSERT_EQ(game::ReplaceIconFromTemplate(game(), old_, template_, u"BED_MAP"), kRTSuccess);
  EXPECT_EQ(Named(u"BED_MAP"), 1u);
  ASSERT_EQ(std::u16string(panel_->ChildAt(0)->GetName()), u"SIBLING");
  auto* copy = static_cast<gui::TeskIcon*>(panel_->ChildAt(1));
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(panel_->ChildAt(2), nullptr);
  EXPECT_EQ(copy->GetType(), gui::kWidgetIcon);
  EXPECT_EQ(std::u16string(copy->GetName()), u"BED_MAP");
  EXPECT_EQ((std::vector<int32_t>{copy->GetX(), copy->GetY(), copy->GetWidth(), copy->GetHeight()}),
            (std::vector<int32_t>{7, 8, 30, 20}));
  const RTFColorRGB& colour = gui::TeskIconGetColor(copy);
  EXPECT_EQ((std::vector<float>{colour.r, colour.g, colour.b, colour.a}), (std::vector<float>{0.25f, 0.5f, 0.75f, 1.0f}));
  EXPECT_EQ(gui::TeskIconGetFlag(copy), 1);
  EXPECT_EQ(copy->GetTextureId(), 66u);
  EXPECT_EQ(copy->GetParent(), panel_);
}

TEST_F(IconReplacement, ALongNameIsCutAt511Units) {
  const std::u16string name(600, u'N');
  ASSERT_EQ(game::ReplaceIconFromTemplate(game(), old_, template_, name.c_str()), kRTSuccess);
  EXPECT_EQ(std::u16string(panel_->ChildAt(1)->GetName()), name.substr(0, 511));
}

TEST_F(IconReplacement, RefusalsLeaveTheOldIconAsItWas) {
  gui::TeskIcon loose;  // in no panel
  UncopiableIcon uncopiable;
  struct Case {
    const char* what;
    gui::TeskIcon* icon;
    const gui::TeskIcon* source;
    const char16_t* name;
  };
  const Case cases[] = {
      {"no icon", nullptr, template_, u"BED_MAP"},
      {"an icon in no panel", &loose, template_, u"BED_MAP"},
      {"no template", old_, nullptr, u"BED_MAP"},
      {"no name", old_, template_, nullptr},
      {"a template that cannot be copied", old_, &uncopiable, u"BED_MAP"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(game::ReplaceIconFromTemplate(game(), c.icon, c.source, c.name), kRTFailure);
    EXPECT_EQ(panel_->ChildAt(0), old_);
    EXPECT_EQ(panel_->ChildAt(2), nullptr);
    EXPECT_EQ(old_->GetParent(), panel_);
    EXPECT_EQ(std::u16string(old_->GetName()), u"BED_MAP");
    EXPECT_EQ(old_->GetTextureId(), 5u);
  }
  EXPECT_EQ(Logged("Cannot replace the icon"), 5u);
}

}  // namespace

}  // namespace gametest
