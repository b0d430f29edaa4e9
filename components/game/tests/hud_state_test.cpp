// The HUD's state as the script sets it: prestige and its wings, skill numbers, wedges,
// disposition, subtitles, stats, the patient tool tip's rows and tool tips that leave nothing
// behind (the game's widgets are core blocks: the core's block count shows them).
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "gui_skin.h"
#include "hud_state.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/core_memory.h"
#include "notice_forms.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"
#include "widget_tree.h"

namespace gametest {
namespace {

namespace game = tesk::game;
namespace gui = tesk::game::gui;

// Master icons with a texture id each, so that a copy shows which template it came from.
uint32_t TextureOf(const std::u16string& name) { return static_cast<uint32_t>(std::hash<std::u16string>{}(name) | 1u); }

gui::TeskIcon* Master(const std::u16string& name) {
  auto* icon = Control<gui::TeskIcon>(name.c_str());
  icon->SetTextureId(TextureOf(name));
  return icon;
}

class HudState : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    if (HasFatalFailure()) return;
    record().vm = vm();
    BuildForms();
  }
  // The copies of icons made in this process keep a stream in this process's skin.
  void TearDown() override {
    gui::ReleaseGuiSkin();
    GameTest::TearDown();
  }
  // The master icons and the HUD panel, made afresh.
  void BuildForms() {
    for (gui::TeskForm** form : {&record().forms.icons, &record().forms.hud}) {
      gui::DestroyWidgetTree(*form);
      *form = nullptr;
    }
    auto* masters = Panel(u"MASTERS", {});
    for (const char16_t* colour : {u"BLACK", u"BLUE", u"BRONZE", u"SILVER", u"GOLD"}) {
      const std::u16string c(colour);
      masters->AddChild(Master(u"WING_" + c + u"_FULL"));
      for (char16_t k = u'1'; k <= u'4'; ++k) masters->AddChild(Master(u"WING_" + c + u"_0" + k));
    }
    for (const char16_t* skill : {u"CARD", u"TOXI", u"NEUR", u"GSUR", u"PEDI", u"ORTH"})
      masters->AddChild(Master(u"SKILL_PANEL_" + std::u16string(skill) + u"_ICON"));
    record().forms.icons = Form({masters});
    auto* panel = Panel(u"MAIN_PANEL", {Control<gui::TeskIcon>(u"RIGHT_WING_WHOLE", 60, 40),
                                        Control<gui::TeskIcon>(u"LEFT_WING_WHOLE", 60, 40),
                                        Control<gui::TeskIcon>(u"PORTAL_FRAME"), Control<gui::TeskLabel>(u"STAT_MARKER", 77)});
    for (char16_t k = u'1'; k <= u'4'; ++k)
      for (const char16_t* side : {u"RIGHT_FEATHER_", u"LEFT_FEATHER_"})
        panel->AddChild(Control<gui::TeskIcon>((std::u16string(side) + k).c_str()));
    record().forms.hud = Form({panel});
  }
  const gui::TeskIWidget* Hud(const std::u16string& name) {
    return record().forms.hud->FindWidgetByName(name.c_str());
  }
  uint32_t Texture(const std::u16string& name) {
    const gui::TeskIWidget* widget = Hud(name);
    return widget ? static_cast<const gui::TeskIcon*>(widget)->GetTextureId() : 0;
  }
  std::vector<std::string> FeatherColours() {
    std::vector<std::string> colours;
    for (char16_t k = u'1'; k <= u'4'; ++k) {
      const std::u16string right = std::u16string(u"RIGHT_FEATHER_") + k;
      for (const char16_t* colour : {u"BLUE", u"BRONZE", u"SILVER", u"GOLD"})
        if (Texture(right) == TextureOf(u"WING_" + std::u16string(colour) + u"_0" + k)) {
          colours.push_back(platform::ToUtf8(colour));
          EXPECT_EQ(Texture(std::u16string(u"LEFT_FEATHER_") + k), Texture(right));
        }
    }
    return colours;
  }
};

TEST_F(HudState, PrestigeGivesItsTitleWingsAndTheFeathersTowardTheNextTier) {
  struct Case {
    int32_t level;
    const char16_t* wing;
    const char* title;
    std::vector<std::string> feathers;
  };
  const Case cases[] = {
      {399, u"WING_SILVER_FULL", "Prestige: Highly Esteemed", {"GOLD", "GOLD", "GOLD", "GOLD"}},
      {400, u"WING_GOLD_FULL", "Prestige: Pre-Eminent", {}},
      {420, u"WING_GOLD_FULL", "Prestige: Pre-Eminent", {}},
      {250, u"WING_BRONZE_FULL", "Prestige: Noteworthy", {"SILVER", "SILVER"}},
      {99, u"WING_BLACK_FULL", "Prestige: Disgraced", {"BLUE", "BLUE", "BLUE", "BLUE"}},
  };
  for (const Case& c : cases) {
    BuildForms();
    ASSERT_EQ(CallScript(game::kSetPrestige, {NumberCell(c.level)}), kRTSuccess);
    EXPECT_EQ(platform::ToUtf8(record().prestigeTitle), c.title) << c.level;
    EXPECT_EQ(Texture(u"RIGHT_WING_WHOLE"), TextureOf(c.wing)) << c.level;
    EXPECT_EQ(Texture(u"LEFT_WING_WHOLE"), TextureOf(c.wing)) << c.level;
    EXPECT_EQ(gui::TeskIconGetFlag(static_cast<const gui::TeskIcon*>(Hud(u"LEFT_WING_WHOLE"))), 2);
    EXPECT_EQ(Hud(u"RIGHT_WING_WHOLE")->GetWidth(), 60);
    EXPECT_EQ(FeatherColours(), c.feathers) << c.level;
    const auto* panel = static_cast<const gui::TeskPanel*>(Hud(u"MAIN_PANEL"));
    const gui::TeskIWidget* last = panel->ChildAt(panel->Children().Count() - 1);
    EXPECT_EQ(platform::ToUtf8(last->GetName()), "PORTAL_FRAME") << "drawn over the wings";
  }
}

TEST_F(HudState, TheLastNewFeatherFlashesNotItsTemplate) {
  record().prestige = 240;
  game::ApplyPrestigeWings(game(), record().forms.hud, true);
  const auto* second = static_cast<const gui::TeskIcon*>(Hud(u"RIGHT_FEATHER_2"));
  EXPECT_TRUE(second->IsFlashing());
  EXPECT_TRUE(static_cast<const gui::TeskIcon*>(Hud(u"LEFT_FEATHER_2"))->IsFlashing());
  EXPECT_FALSE(static_cast<const gui::TeskIcon*>(Hud(u"RIGHT_FEATHER_1"))->IsFlashing());
  const gui::TeskIWidget* master = record().forms.icons->FindWidgetByName(u"WING_SILVER_02");
  EXPECT_FALSE(static_cast<const gui::TeskIcon*>(master)->IsFlashing());
}

TEST_F(HudState, SkillNumbersTakeTheirArgumentOrderAndStylesBySign) {
  std::vector<Cell> cells;
  for (int32_t n : {10, 20, 30, 40, 50, 60, -1, 2, 0, -3, 4, 0}) cells.push_back(NumberCell(n));
  ASSERT_EQ(CallScript(game::kSetSkillNumbers, cells), kRTSuccess);
  const game::SkillNumbers& skills = record().skills;
  EXPECT_EQ(std::vector<int32_t>(skills.numbers, skills.numbers + 6), (std::vector<int32_t>{60, 20, 30, 40, 50, 10}));
  EXPECT_EQ(std::vector<int32_t>(skills.styles, skills.styles + 6), (std::vector<int32_t>{15, 16, 10, 15, 16, 10}));
}

TEST_F(HudState, WedgesMoveAtTheirRateAndJumpWhenThereIsNothingToMove) {
  ASSERT_EQ(CallScript(game::kSetWedge, {NumberCell(1), NumberCell(10)}), kRTSuccess);
  EXPECT_EQ(record().portals[1].wedgePos, 0u);
  record().gameClock = 5.0;
  ASSERT_EQ(CallScript(game::kChangeWedge, {NumberCell(1), NumberCell(0), RealCell(1.0f)}), kRTSuccess);
  const game::PortalRecord& portal = record().portals[1];
  EXPECT_EQ(portal.wedgeTarget, 300u);
  EXPECT_FLOAT_EQ(portal.wedgeStepSeconds, 0.8f / 300.0f) << "level 0 is 0.2 s shorter";
  EXPECT_FLOAT_EQ(portal.wedgeStepTime, 5.0f);
  game::ChangeWedgeC(record(), 0, 1.0f);
  EXPECT_FLOAT_EQ(record().portals[0].wedgeStepSeconds, 1.0f / 300.0f);
  EXPECT_FLOAT_EQ(record().portals[0].wedgeEndTime, 6.0f);
  ASSERT_EQ(CallScript(game::kSetWedge, {NumberCell(2), NumberCell(3)}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kChangeWedge, {NumberCell(2), NumberCell(3), RealCell(2.0f)}), kRTSuccess);
  EXPECT_EQ(record().portals[2].wedgePos, 210u);
  EXPECT_FLOAT_EQ(record().portals[2].wedgeStepSeconds, 0.0f);
  for (int32_t outside : {-1, 3}) {
    ASSERT_EQ(CallScript(game::kSetPortalNumber, {NumberCell(outside), NumberCell(7)}), kRTSuccess);
    ASSERT_EQ(CallScript(game::kSetProblem, {NumberCell(outside), NumberCell(2)}), kRTSuccess);
  }
  EXPECT_EQ(record().portals[3].portalNumber, 0) << "the conversation portal is not the script's";
  ASSERT_EQ(CallScript(game::kSetProblem, {NumberCell(0), NumberCell(2)}), kRTSuccess);
  EXPECT_EQ(record().portals[0].problem, 3u);
  record().portals[0].shownProblem = 3;
  ASSERT_EQ(CallScript(game::kSetNumProblems, {NumberCell(0)}), kRTSuccess);
  EXPECT_EQ(record().portals[0].shownProblem, 0u);
}

TEST_F(HudState, DispositionBandsAndLimits) {
  for (const auto& [value, display] : std::vector<std::pair<int32_t, int32_t>>{
           {-50, 75}, {250, 50}, {-250, 50}, {150, 75}, {-200, 0}, {0, 0}}) {
    ASSERT_EQ(CallScript(game::kSetInitialDisposition, {NumberCell(value)}), kRTSuccess);
    EXPECT_EQ(record().disposition.display, display) << value;
    EXPECT_EQ(record().disposition.previous, value);
  }
  ASSERT_EQ(CallScript(game::kSetInitialDisposition, {NumberCell(399)}), kRTSuccess);
  EXPECT_EQ(record().disposition.display, 0) << "399 leaves the display";
  ASSERT_EQ(CallScript(game::kSetInitialDisposition, {NumberCell(10)}), kRTSuccess);
  for (int32_t ignored : {400, -400, 10}) {
    ASSERT_EQ(CallScript(game::kSetDisposition, {NumberCell(ignored)}), kRTSuccess);
    EXPECT_EQ(record().disposition.current, 10);
  }
  ASSERT_EQ(CallScript(game::kSetDisposition, {NumberCell(30)}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kSetDisposition, {NumberCell(30)}), kRTSuccess);
  EXPECT_EQ(record().disposition.previous, 10) << "the same value again changes nothing";
  EXPECT_EQ(record().disposition.current, 30);
}

TEST_F(HudState, SubtitlesDisabledLeaveTheEndTimeAndEnabledOnesEndOrNot) {
  record().subtitleEndTime = 42.0f;
  record().subtitlesOn = 0;
  ASSERT_EQ(CallScript(game::kSetupSubtitleBox, {RealCell(5.0f)}), kRTSuccess);
  EXPECT_FLOAT_EQ(record().subtitleEndTime, 42.0f);
  record().subtitlesOn = 1;
  record().gameClock = 10.0;
  ASSERT_EQ(CallScript(game::kSetupSubtitleBox, {RealCell(5.0f)}), kRTSuccess);
  EXPECT_FLOAT_EQ(record().subtitleEndTime, 15.0f);
  ASSERT_EQ(CallScript(game::kSetupSubtitleBox, {RealCell(-1.0f)}), kRTSuccess);
  EXPECT_FLOAT_EQ(record().subtitleEndTime, 999999.0f);
}

TEST_F(HudState, StatsAreFractionsAndAResetFillsTheBarsToTheMarkersWidth) {
  ASSERT_EQ(CallScript(game::kSetStats, {RealCell(50.0f), NumberCell(40), NumberCell(60), RealCell(25.0f),
                                         NumberCell(10), NumberCell(20), RealCell(80.0f)}),
            kRTSuccess);
  const game::HealthStats& stats = record().stats;
  EXPECT_FLOAT_EQ(stats.markers[0].level, 0.5f);
  EXPECT_FLOAT_EQ(stats.markers[1].level, 0.25f);
  EXPECT_FLOAT_EQ(stats.markers[2].level, 0.8f);
  EXPECT_EQ(std::vector<uint32_t>({stats.hands, stats.body, stats.rest, stats.food}),
            (std::vector<uint32_t>{40, 60, 10, 20}));
  ASSERT_EQ(CallScript(game::kResetStats), kRTSuccess);
  for (const game::StatMarker& marker : stats.markers) {
    EXPECT_FLOAT_EQ(marker.level, 1.0f);
    EXPECT_EQ(marker.shown, 77);
    EXPECT_EQ(marker.target, 77);
  }
  EXPECT_EQ(stats.food, 100u);
}

class ToolTips : public HudState {
 protected:
  void SetUp() override {
    HudState::SetUp();
    if (HasFatalFailure()) return;
    record().forms.patientToolTip = Form({PatientTip()});
    record().forms.doctorToolTip = Form({Panel(
        u"STT_MAIN", {Control<gui::TeskLabel>(u"DSTT_DOC_NAME"), Control<gui::TeskLabel>(u"DSTT_DOC"),
                      Control<gui::TeskLabel>(u"HYG"), Control<gui::TeskLabel>(u"ENG"), Control<gui::TeskLabel>(u"COM"),
                      Control<gui::TeskLabel>(u"SKILL1"), Control<gui::TeskLabel>(u"SKILL6")})});
    ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, kivo::rasterizer::kClassName, &record().rasterizer, 1,
                                                nullptr));
  }
  static gui::TeskPanel* PatientTip() {
    auto* tip = Panel(u"STT_MAIN", {Control<gui::TeskLabel>(u"STT_PAT_NAME"), Control<gui::TeskLabel>(u"STT_DOC_NAME")});
    for (char16_t row = u'1'; row <= u'3'; ++row)
      for (const char16_t* part : {u"_ICON", u"_SKILL", u"_SEVERITY"}) {
        const std::u16string name = std::u16string(u"INJURY") + row + part;
        if (std::u16string(part) == u"_ICON")
          tip->AddChild(Control<gui::TeskIcon>(name.c_str()));
        else
          tip->AddChild(Control<gui::TeskLabel>(name.c_str()));
      }
    return tip;
  }
  std::string Text(const gui::TeskPanel* tip, const char16_t* name) {
    return platform::ToUtf8(static_cast<const gui::TeskLabel*>(tip->FindWidgetByName(name))->GetText());
  }
  // A patient with the problems (code, severity), attended by a doctor with skill 10 + code in each.
  scripting::Symbol Patient(const std::vector<std::pair<int32_t, int32_t>>& problems) {
    const scripting::Symbol doctor = NewProbeWithLists();
    for (uint32_t i = 0; i < 6; ++i) SetElement(doctor, u"skills", i, static_cast<int32_t>(10 + i));
    SetText(doctor, u"lastName", u"Grey");
    SetText(doctor, u"firstName", u"Meredith");
    const scripting::Symbol patient = NewProbeWithLists();
    SetText(patient, u"name", u"Pat");
    EXPECT_TRUE(scripting::ArgPushObject(varno(), vm(), doctor));
    EXPECT_TRUE(scripting::RunMethodByName(varno(), vm(), patient, u"Attend", 1));
    scripting::ArgPopStack(varno(), vm());
    SetNumber(patient, u"problem", 10);
    SetNumber(patient, u"numKnownProblems", static_cast<int32_t>(problems.size()));
    for (uint32_t i = 0; i < problems.size() && i < 5; ++i) {
      SetElement(patient, u"problemList", i, problems[i].first);
      SetElement(patient, u"problemSeverityList", i, problems[i].second);
    }
    return patient;
  }
};

TEST_F(ToolTips, TwoProblemsFillTheOuterRowsAndMoreThanThreeStopAtTheThird) {
  struct Case {
    std::vector<std::pair<int32_t, int32_t>> problems;
    std::vector<std::string> severities;  // rows 1 to 3; "-" as the template has it
    std::vector<std::string> skills;
  };
  const Case cases[] = {
      {{{1, 4}}, {"-", "4", "-"}, {"-", "11", "-"}},
      {{{1, 4}, {5, 2}}, {"4", "-", "2"}, {"11", "-", "15"}},
      {{{0, 1}, {2, 2}, {3, 3}, {4, 4}, {9, 5}}, {"1", "2", "3"}, {"10", "12", "13"}},
  };
  for (const Case& c : cases) {
    const scripting::Symbol patient = Patient(c.problems);
    gui::TeskPanel* tip = PatientTip();
    for (char16_t row = u'1'; row <= u'3'; ++row)
      for (const char16_t* part : {u"_SKILL", u"_SEVERITY"})
        static_cast<gui::TeskLabel*>(tip->FindWidgetByName((std::u16string(u"INJURY") + row + part).c_str()))
            ->SetText(u"-");
    game::FillPatientToolTip(game(), record(), tip, patient);
    EXPECT_EQ(Text(tip, u"STT_PAT_NAME"), "Pat");
    EXPECT_EQ(Text(tip, u"STT_DOC_NAME"), "Meredith Grey");
    std::vector<std::string> severities, skills;
    for (char16_t row = u'1'; row <= u'3'; ++row) {
      severities.push_back(Text(tip, (std::u16string(u"INJURY") + row + u"_SEVERITY").c_str()));
      skills.push_back(Text(tip, (std::u16string(u"INJURY") + row + u"_SKILL").c_str()));
    }
    EXPECT_EQ(severities, c.severities) << c.problems.size();
    EXPECT_EQ(skills, c.skills) << c.problems.size();
    // A row's icon becomes its problem's skill icon (the first problem's, cardiology at index 0).
    const auto* icon = static_cast<const gui::TeskIcon*>(tip->FindWidgetByName(c.problems.size() == 1 ? u"INJURY2_ICON" : u"INJURY1_ICON"));
    EXPECT_EQ(icon->GetTextureId(), TextureOf(c.problems[0].first == 1 ? u"SKILL_PANEL_TOXI_ICON" : u"SKILL_PANEL_CARD_ICON"));
    gui::DestroyWidgetTree(tip);
  }
}

TEST_F(ToolTips, TwoHundredFramesOfBothToolTipsLeaveNoWidgetOrMemoryBehind) {
  const scripting::Symbol patient = Patient({{1, 4}, {5, 2}});
  const scripting::Symbol doctor = NewProbeWithLists();
  for (const char16_t* stat : {u"hygiene", u"energy", u"composure"}) SetNumber(doctor, stat, 50);
  SetNumber(doctor, u"staffClass", 3);
  RTTeskActorWrapper patientWrapper{};
  patientWrapper.ScriptObject = patient;
  RTTeskActorWrapper doctorWrapper{};
  doctorWrapper.ScriptObject = doctor;
  auto draw = [&] {
    EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kDrawDoctorToolTip, &doctorWrapper, 100, 200), kRTSuccess);
    EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kDrawPatientToolTip, &patientWrapper, 100, 200),
              kRTSuccess);
  };
  draw();
  uint32_t blocks = 0, bytes = 0;
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocks, &bytes));
  for (int frame = 0; frame < 200; ++frame) draw();
  uint32_t blocksAfter = 0, bytesAfter = 0;
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocksAfter, &bytesAfter));
  EXPECT_EQ(blocksAfter, blocks);
  EXPECT_EQ(bytesAfter, bytes);
}

TEST_F(ToolTips, ADoctorWithoutAStatDrawsNothingAndAnswers0) {
  const scripting::Symbol doctor = NewThing();
  RTTeskActorWrapper wrapper{};
  wrapper.ScriptObject = doctor;
  uint32_t blocks = 0, bytes = 0, blocksAfter = 0;
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocks, &bytes));
  EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kDrawDoctorToolTip, &wrapper, 100, 200), kRTFailure);
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocksAfter, &bytes));
  EXPECT_EQ(blocksAfter, blocks);
}

}  // namespace
}  // namespace gametest
