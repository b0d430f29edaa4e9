// The patient bar's drawing through the HUD stage's hook: layout, animations, looks and failures.
// Actors without a portrait show the placeholder face; the squares are the untextured quads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "icon.h"
#include "kivo/support/list.h"
#include "notice_forms.h"
#include "patient_fixture.h"
#include "patient_list.h"
#include "tesk/game_slots.h"

namespace gametest {
namespace {

namespace game = tesk::game;
namespace gui = tesk::game::gui;

constexpr int32_t kTop = 15;

class PatientBar : public PatientBarTest {
 protected:
  // The untextured quads of one side (the squares), in drawing order.
  static std::vector<Quad> Squares(const std::vector<Call>& calls, double side) {
    std::vector<Quad> squares;
    for (const Quad& quad : Quads(calls))
      if (quad.texture == 0 && quad.w == side && quad.h == side) squares.push_back(quad);
    return squares;
  }
  static std::vector<double> Lefts(const std::vector<Quad>& quads, double offset) {
    std::vector<double> xs;
    for (const Quad& quad : quads) xs.push_back(quad.x - offset);
    return xs;
  }
  static bool HasQuad(const std::vector<Call>& calls, double x, double y, double w, double h) {
    for (const Quad& quad : Quads(calls))
      if (quad.x == x && quad.y == y && quad.w == w && quad.h == h) return true;
    return false;
  }
  // A patient of the player on the bar, its arrival over.
  scripting::Symbol Steady(const char16_t* name, int32_t severity, scripting::Symbol doctor = nullptr) {
    const scripting::Symbol patient = Patient(name, doctor ? doctor : player_, severity);
    Script(game::kAddPatient, {ObjectCell(patient)});
    for (auto* entry : kivo::ListItems<game::PatientListEntry>(record().lists.patientList)) {
      entry->isNew = 0;
      entry->animFrame = -1;
    }
    return patient;
  }
  // The entry's animation is at frame f now.
  void AtFrame(game::PatientListEntry& entry, uint32_t f) {
    uint32_t now = 0;
    core().GetTime(nullptr, &now);
    entry.animStamp = now - f * 50;
  }
  std::vector<std::string> FontLines() {
    std::vector<std::string> lines;
    for (const std::string& line : LogLines())
      if (line.rfind("RTFont.DrawText", 0) == 0) lines.push_back(line);
    return lines;
  }
};

TEST_F(PatientBar, SlotsAreLaidOutFromTheMiddleWithTheNewbiesGroupRightOfAGap) {
  for (const char16_t* name : {u"A", u"B", u"C"}) Steady(name, 5);
  EXPECT_EQ(Lefts(Squares(DrawBar(), 33), 8), (std::vector<double>{325, 375, 425}));

  // A slot left of the dial's right edge keeps its place and is not drawn.
  record().timerDial.radius = 300;
  EXPECT_EQ(Lefts(Squares(DrawBar(), 33), 8), (std::vector<double>{375, 425}));
  record().timerDial.radius = 0;

  const scripting::Symbol newbie = Actor(u"Newbie");
  MakeNewbie(newbie);
  Steady(u"N", 6, newbie);
  ASSERT_EQ(record().newbiePatientCount, 1);
  // n = 4, c = 1: from 400 - 25 - 3 x 50, a gap before the newbie's entry, its patient 55 lower.
  const std::vector<Call> drawn = DrawBar();
  const std::vector<Quad> squares = Squares(drawn, 33);
  EXPECT_EQ(Lefts(squares, 8), (std::vector<double>{225, 275, 325, 425, 425}));
  EXPECT_EQ(squares[3].y, kTop + 8);
  EXPECT_EQ(squares[3].colour[2], 1.0);  // the newbie's blue
  EXPECT_EQ(squares[4].y, kTop + 8 + 55);
}

TEST_F(PatientBar, NewbiesWithoutPatientsFollowAtTheRightEndUpToTheFourth) {
  for (int k = 0; k < 6; ++k) MakeNewbie(Actor(u"Newbie"));
  record().patientBarHover.newbie[1] = 1;
  const std::vector<Call> calls = DrawBar();
  // From 400 + 25; without a portrait the compact square sits a pixel higher.
  EXPECT_EQ(Lefts(Squares(calls, 33), 8), (std::vector<double>{425, 525, 575}));
  EXPECT_EQ(Squares(calls, 33).at(0).y, kTop + 7);
  EXPECT_EQ(Lefts(Squares(calls, 42), 4), (std::vector<double>{475}));
  EXPECT_EQ(FontLines(), (std::vector<std::string>{"RTFont.DrawText(Verdana, \"Newbie\", 475, 0)"}));
}

TEST_F(PatientBar, ArrivalLeavingAndShakeStepOn50MillisecondFrames) {
  Steady(u"A", 5);
  game::PatientListEntry& entry = Entry(0);
  struct Step {
    uint32_t frame;
    double x, y, side;  // the square; side 0: no square
    bool ended;
  };
  const double X = 375, Y = kTop;
  const Step arrival[] = {{0, 0, 0, 0, false},           {1, 0, 0, 0, false},
                          {10, X + 16, Y + 16, 18, false}, {24, X + 2, Y + 2, 46, false},
                          {25, X + 1, Y + 1, 48, false},   {30, X + 6, Y + 6, 38, true},
                          {31, 0, 0, 0, true}};
  for (const Step& step : arrival) {
    entry.isNew = 1;
    AtFrame(entry, step.frame);
    const std::vector<Call> calls = DrawBar();
    const std::vector<Quad> squares = Squares(calls, step.side);
    if (step.side > 0) {
      ASSERT_EQ(squares.size(), 1u) << step.frame;
      EXPECT_EQ(squares[0].x, step.x);
      EXPECT_EQ(squares[0].y, step.y);
    } else {
      EXPECT_TRUE(Squares(calls, 33).empty()) << step.frame;
    }
    EXPECT_EQ(entry.isNew, step.ended ? 0u : 1u) << step.frame;
  }

  const Step shake[] = {{1, X + 4 - 3, 0, 42, false}, {2, X + 4 - 3, 0, 42, false}, {3, X + 4 + 3, 0, 42, false},
                        {5, X + 4 + 3, 0, 42, false}, {6, X + 4 - 3, 0, 42, false}, {50, 0, 0, 0, true}};
  for (const Step& step : shake) {
    entry.isBackFromTesting = 1;
    AtFrame(entry, step.frame);
    const std::vector<Quad> squares = Squares(DrawBar(), 42);
    if (step.side > 0) {
      ASSERT_EQ(squares.size(), 1u) << step.frame;
      EXPECT_EQ(squares[0].x, step.x) << step.frame;
    }
    EXPECT_EQ(entry.isBackFromTesting, step.ended ? 0u : 1u) << step.frame;
  }

  const Step leaving[] = {{1, X + 7, Y + 7, 36, false}, {4, X + 4, Y + 4, 42, false}, {5, X + 1, Y + 1, 48, false}};
  for (const Step& step : leaving) {
    entry.isRemoved = 1;
    AtFrame(entry, step.frame);
    const std::vector<Quad> squares = Squares(DrawBar(), step.side);
    ASSERT_EQ(squares.size(), 1u) << step.frame;
    EXPECT_EQ(squares[0].x, step.x) << step.frame;
  }
  // F = 29 leaves a side of 0: no box.
  AtFrame(entry, 29);
  EXPECT_TRUE(Squares(DrawBar(), 0).empty());
  AtFrame(entry, 30);
  DrawBar();
  EXPECT_EQ(record().lists.patientList->count, 0u);
  EXPECT_EQ(Heard(player_), "");
}

TEST_F(PatientBar, SevereRowsFlashOnTheGameClock) {
  Steady(u"A", 9);
  record().gameClock = 100.0;
  // Recorded with six digits.
  EXPECT_NEAR(Squares(DrawBar(), 33).at(0).colour[1], 86.0 / 255.0, 1e-6);
  // A quarter of the way into the rise: t = 0.5.
  record().gameClock = 100.375;
  const Quad bright = Squares(DrawBar(), 33).at(0);
  EXPECT_NEAR(bright.colour[1], (86.0 + 41.0) / 255.0, 1e-6);
  EXPECT_NEAR(bright.colour[2], 85.0 / 255.0, 1e-6);

  SetNumber(Object(Entry(0).actor), u"problem_severity", 8);
  for (double clock : {100.375, 101.0, 102.0}) {
    record().gameClock = clock;
    EXPECT_NEAR(Squares(DrawBar(), 33).at(0).colour[1], 151.0 / 255.0, 1e-6) << clock;
  }
}

TEST_F(PatientBar, TheLooksPlaceTheirPartsTagsNurseBarsNamesAndLabels) {
  // The master icons' specialty labels, each with a texture of its own.
  const char16_t* labels[] = {u"CAR_LBL_ICON", u"TOX_LBL_ICON", u"NEU_LBL_ICON",
                              u"GEN_LBL_ICON", u"PED_LBL_ICON", u"ORT_LBL_ICON"};
  auto* masters = Panel(u"MASTERS", {});
  for (uint32_t k = 0; k < 6; ++k) {
    auto* icon = Control<gui::TeskIcon>(labels[k], 30, 20);
    icon->SetTextureId(700 + k);
    masters->AddChild(icon);
  }
  record().forms.icons = Form({masters});
  const scripting::Symbol a = Steady(u"Twelve Chars", 5);
  const scripting::Symbol b = Steady(u"Bee", 4);
  const scripting::Symbol c = Steady(u"Cee", 3);
  const scripting::Symbol bed = Actor(u"Bed");
  const scripting::Symbol otherBed = Actor(u"Other bed");
  Bind(a, u"seekedBed", bed);
  for (scripting::Symbol p : {b, c}) Bind(p, u"seekedBed", otherBed);
  for (scripting::Symbol s : {bed, otherBed}) SetFlag(s, u"bHasNurse", true);
  SetFlag(b, u"bIsInTesting", true);
  // Compact: the nurse bar at (X + 6, Y + 49); none in testing, where the tag is "LAB".
  std::vector<Call> calls = DrawBar();
  EXPECT_TRUE(HasQuad(calls, 325 + 6, kTop + 49, 40, 5));
  EXPECT_FALSE(HasQuad(calls, 375 + 6, kTop + 49, 40, 5));
  EXPECT_EQ(FontLines(), (std::vector<std::string>{"RTFont.DrawText(Verdana14o, \"LAB\", 385, 47)"}));

  // The current patient, not under the pointer: large, the frame, the bar at (X + 5, Y + 55).
  Bind(player_, u"currentPatient", a);
  calls = DrawBar();
  EXPECT_EQ(Lefts(Squares(calls, 42), 4), (std::vector<double>{325}));
  EXPECT_TRUE(HasQuad(calls, 325 + 5, kTop + 55, 40, 5));

  // ETA 1.5, negative or NaN: a full bar (38 inside the outline).
  for (float eta : {1.5f, -0.5f, std::numeric_limits<float>::quiet_NaN()}) {
    Script(game::kUpdateNurseETA, {ObjectCell(a), RealCell(eta), NumberCell(0), NumberCell(0)});
    EXPECT_TRUE(HasQuad(DrawBar(), 325 + 6, kTop + 56, 38, 3)) << eta;
  }

  // Under the pointer: the name from 325 - 17.5, three known problems at their places and a fourth
  // over the third; the bed shows the player's pointer.
  record().patientBarHover.row[0] = 1;
  SetNumber(a, u"numKnownProblems", 4);
  for (uint32_t k = 0; k < 4; ++k) SetElement(a, u"problemList", k, static_cast<int32_t>(k + 1));
  calls = DrawBar();
  const std::vector<std::string> lines = FontLines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "RTFont.DrawText(Verdana, \"Twelve Chars\", 307, 0)"), 1);
  std::vector<std::vector<double>> placed;
  for (const Quad& quad : Quads(calls))
    if (quad.texture >= 700) placed.push_back({quad.texture - 700, quad.x, quad.y});
  EXPECT_EQ(placed, (std::vector<std::vector<double>>{{1, 328, 55}, {2, 350, 55}, {3, 341, 70}, {4, 341, 70}}));
  EXPECT_TRUE(FlagOf(bed, u"bPlayerMO"));
  EXPECT_EQ(Entry(0).hoverLatched, 1u);
  EXPECT_FALSE(HasQuad(calls, 325 + 6, kTop + 49, 40, 5));
  record().patientBarHover.row[0] = 0;
  Bind(player_, u"currentPatient", player_);
  DrawBar();
  EXPECT_FALSE(FlagOf(bed, u"bPlayerMO"));
}

TEST_F(PatientBar, AnUnreadableDoctorEndsTheFrameAndAReleasedActorIsDropped) {
  Steady(u"A", 5);
  const scripting::Symbol stranger = NewThing();
  RTTeskActorWrapper strangerWrapper{};
  strangerWrapper.ScriptObject = stranger;
  kivo::ListInsertBefore(record().lists.patientList, record().lists.patientList->first,
                         game::NewPatientEntry(&strangerWrapper, true));
  EXPECT_TRUE(Squares(DrawBar(), 33).empty());
  game::DropPatientEntry(record(), 0);

  const scripting::Symbol gone = Steady(u"Gone", 7);
  RTTeskActorWrapper& wrapper = WrapperOf(gone);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, &wrapper));
  kivo::ListAppend(record().lists.patientList, game::NewPatientEntry(&wrapper, true));
  EXPECT_EQ(Squares(DrawBar(), 33).size(), 1u);
  EXPECT_EQ(Logged("RTTeskGame::DrawPatientIcons -- this patient is CACACACA!"), 1u);
  EXPECT_EQ(Order(), (std::vector<std::string>{"A"}));
}

TEST_F(PatientBar, ALeavingEntryWithReaddComesBackAsThePlayersAndMemoryStaysFlat) {
  const scripting::Symbol newbie = Actor(u"Newbie");
  MakeNewbie(newbie);
  const scripting::Symbol pat = Steady(u"Pat", 5, newbie);
  SetFlag(pat, u"readdOnRemoved", true);
  Script(game::kRemovePatient, {ObjectCell(pat)});
  AtFrame(Entry(0), 30);
  DrawBar();
  EXPECT_EQ(Heard(newbie), "RemoveFromPatList Pat;");
  EXPECT_EQ(Heard(player_), "AddToPatList Pat;");
  ASSERT_EQ(Order(), (std::vector<std::string>{"Pat"}));
  EXPECT_EQ(Entry(0).isNew, 1u);

  // Six newbies and 120 patients arriving and leaving over 200 frames.
  for (int k = 0; k < 5; ++k) MakeNewbie(Actor(u"Newbie"));
  std::vector<scripting::Symbol> patients;
  for (int k = 0; k < 120; ++k) patients.push_back(Patient(u"P", k % 3 ? player_ : newbie, k % 11));
  uint32_t blocks = 0, bytes = 0, blocksAfter = 0, bytesAfter = 0;
  auto frames = [&] {
    for (int frame = 0; frame < 200; ++frame) {
      const scripting::Symbol p = patients[static_cast<size_t>(frame * 7) % patients.size()];
      Script(frame % 2 ? game::kRemovePatient : game::kAddPatient, {ObjectCell(p)});
      AdvanceMs(60);
      record().hudHooks.DrawPatientIcons(game());
    }
    AdvanceMs(2000);
    record().hudHooks.DrawPatientIcons(game());
  };
  frames();
  core().GetMemoryStats(nullptr, &blocks, &bytes);
  frames();
  core().GetMemoryStats(nullptr, &blocksAfter, &bytesAfter);
  EXPECT_EQ(blocksAfter, blocks);
  EXPECT_EQ(bytesAfter, bytes);
}

}  // namespace
}  // namespace gametest
