// The screens the script opens: each opener's mode, whether it keeps the mode below, whether it
// pauses and what it fills; the between-episodes screen and the curbside screen.
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/format.h"
#include "menu_screens.h"
#include "notice_forms.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"

namespace gametest {
namespace {

namespace game = tesk::game;
namespace gui = tesk::game::gui;

class ModalScreens : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    if (HasFatalFailure()) return;
    game::GamePrivateData& g = record();
    g.vm = vm();
    g.gameObject = NewProbe();
    g.playerObject = NewProbe();
    // With a speech source the game's pause takes effect, so that it shows.
    ASSERT_TRUE(kivo::audio_service::InitDevice(g.audioService));
    ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::audio_source::kClassName, &g.speechSource, 0, 1));
    g.forms.gameOver = Form({Control<gui::TeskTextBox>(u"GAME_OVER_TXT")});
    g.forms.generic = Form({Control<gui::TeskTextBox>(u"TEXT_BOX"), Control<gui::TeskButton>(u"OK"),
                            Control<gui::TeskButton>(u"CANCEL")});
    g.forms.confirmation = Form({Control<gui::TeskTextBox>(u"TEXT_BOX")});
    g.forms.epilogue = Form({Control<gui::TeskTextBox>(u"TEXT_BOX")});
    g.forms.warning = Form({Control<gui::TeskTextBox>(u"TEXT")});
  }
  static std::string Text(const gui::TeskForm* form, const char16_t* name) {
    const gui::TeskIWidget* widget = form->FindWidgetByName(name);
    switch (widget->GetType()) {
      case gui::kWidgetTextBox:
        return platform::ToUtf8(static_cast<const gui::TeskTextBox*>(widget)->GetText());
      case gui::kWidgetButton:
        return platform::ToUtf8(static_cast<const gui::TeskButton*>(widget)->GetCaption());
      default:
        return platform::ToUtf8(static_cast<const gui::TeskLabel*>(widget)->GetText());
    }
  }
};

TEST_F(ModalScreens, EachOpenerSetsItsModeKeepsTheOneBelowOrNotAndPausesOrNot) {
  struct Row {
    const char* name;
    varno::NativeMethodSlot slot;
    uint8_t mode;
    bool keepsPrevious;
    bool pauses;
    gui::TeskForm* game::ScreenForms::*form;
    const char16_t* control;  // filled with the first argument, "text"
  };
  const Row rows[] = {
      {"OpenGameOverScreen", game::kOpenGameOverScreen, game::ScreenGameOver, false, false, nullptr, nullptr},
      {"OpenHestlowFireScreen", game::kOpenHestlowFireScreen, game::ScreenFire, false, true, nullptr, nullptr},
      {"OpenGenericDialogScreen", game::kOpenGenericDialogScreen, game::ScreenGenericDialog, false, true,
       &game::ScreenForms::generic, u"TEXT_BOX"},
      {"OpenGenericOKScreen", game::kOpenGenericOKScreen, game::ScreenConfirmation, true, true,
       &game::ScreenForms::confirmation, u"TEXT_BOX"},
      {"OpenTutorialContScreen", game::kOpenTutorialContScreen, game::ScreenTutorialCont, false, true, nullptr,
       nullptr},
      {"OpenEpilogueScreen", game::kOpenEpilogueScreen, game::ScreenEpilogue, false, true, &game::ScreenForms::epilogue,
       u"TEXT_BOX"},
      {"OpenWarningScreen", game::kOpenWarningScreen, game::ScreenWarning, true, true, &game::ScreenForms::warning,
       u"TEXT"},
      {"OpenPickStaffScreen", game::kOpenPickStaffScreen, game::ScreenPickStaff, false, true, nullptr, nullptr},
      {"OpenCurbsideScreen", game::kOpenCurbsideScreen, game::ScreenCurbside, false, true, nullptr, nullptr},
      {"OpenStaffManagementScreen2", game::kOpenStaffManagementScreen2, game::ScreenStaffMgt2, false, true, nullptr,
       nullptr},
  };
  for (const Row& row : rows) {
    game::GamePrivateData& g = record();
    g.ScreenMode = game::ScreenSpecials;
    g.previousScreenMode = game::ScreenWorld;
    g.paused = 0;
    // The curbside screen's second argument is the patient.
    const Cell second = row.slot == game::kOpenCurbsideScreen ? PointerCell(NewProbe()) : TextCell(u"Yes");
    ASSERT_EQ(CallScript(row.slot, {TextCell(u"text"), second, TextCell(u"No")}), kRTSuccess) << row.name;
    EXPECT_EQ(g.ScreenMode, row.mode) << row.name;
    EXPECT_EQ(g.previousScreenMode, row.keepsPrevious ? game::ScreenSpecials : game::ScreenWorld) << row.name;
    EXPECT_EQ(g.paused, row.pauses ? 1u : 0u) << row.name;
    if (row.control) {
      EXPECT_EQ(Text(g.forms.*(row.form), row.control), "text") << row.name;
    }
  }
  EXPECT_EQ(Text(record().forms.generic, u"OK"), "Yes");
  EXPECT_EQ(Text(record().forms.generic, u"CANCEL"), "No");
  ASSERT_EQ(CallScript(game::kSetGameOverReason, {TextCell(u"Fired")}), kRTSuccess);
  EXPECT_EQ(Text(record().forms.gameOver, u"GAME_OVER_TXT"), "Fired");
}

TEST_F(ModalScreens, TheGenericDialogOverAnOverlayLeavesThePreviousModeAndTheOKScreenSetsIt) {
  game::GamePrivateData& g = record();
  g.ScreenMode = game::ScreenConfirmation;
  g.previousScreenMode = game::ScreenInfo;
  ASSERT_EQ(CallScript(game::kOpenGenericDialogScreen, {TextCell(u"Sure?"), TextCell(u"OK"), TextCell(u"Cancel")}),
            kRTSuccess);
  EXPECT_EQ(g.previousScreenMode, game::ScreenInfo);
  ASSERT_EQ(CallScript(game::kOpenGenericOKScreen, {TextCell(u"Done")}), kRTSuccess);
  EXPECT_EQ(g.previousScreenMode, game::ScreenGenericDialog);
  EXPECT_EQ(g.ScreenMode, game::ScreenConfirmation);
}

TEST_F(ModalScreens, TheAntidoteScreenClearsItsCuresAndKeepsTheMode) {
  game::GamePrivateData& g = record();
  auto* cure = Control<gui::TeskButton>(u"VL_CURE_2");
  cure->SetHighlighted(1);
  g.forms.antidote = Form({cure});
  g.ScreenMode = game::ScreenWorld;
  ASSERT_EQ(CallScript(game::kOpenAntidoteScreen), kRTSuccess);
  EXPECT_EQ(g.antidoteOpen, 1u);
  EXPECT_EQ(cure->IsHighlighted(), 0u);
  EXPECT_EQ(g.ScreenMode, game::ScreenWorld);
  EXPECT_EQ(g.paused, 0u);
}

TEST_F(ModalScreens, PrestigeChangesAreWholeLevelsFrom100AndSignedPercentsBelow) {
  for (const auto& [change, text] : std::vector<std::pair<int32_t, std::string>>{
           {250, "2 levels"}, {100, "1 level"}, {99, "+99%"}, {29, "+29%"}, {-30, "-30%"}, {-396, "-396%"}, {0, "+0%"}})
    EXPECT_EQ(platform::ToUtf8(game::PrestigeChangeText(change).c_str()), text) << change;
}

TEST_F(ModalScreens, BetweenEpisodesShowsTheEpisodesChangesAndEmptiesTheEdictsAndTheLog) {
  game::GamePrivateData& g = record();
  g.gameObject = NewProbeWithLists();
  g.playerObject = NewProbeWithLists();
  g.forms.betweenEpisodes = Form({Control<gui::TeskLabel>(u"PL_PATS_TREATED"), Control<gui::TeskLabel>(u"PL_PATS_KILLED"),
                                  Control<gui::TeskLabel>(u"PL_PRES_CHANGE"), Control<gui::TeskLabel>(u"PL_PRES_DISP"),
                                  Control<gui::TeskListBox>(u"PL_SKLZ_SLG_LISTBOX"),
                                  Control<gui::TeskListBox>(u"PL_SKLZ_ABL_LISTBOX"),
                                  Control<gui::TeskListBox>(u"PL_EDCT_EDF_LISTBOX"),
                                  Control<gui::TeskListBox>(u"PL_EDCT_EDU_LISTBOX")});
  auto* log = Control<gui::TeskListBox>(u"IN_TAB_LOG_LOG_LIST");
  log->AddItem(u"an old line");
  g.forms.info = Form({log});
  SetNumber(g.playerObject, u"numHeals", 12);
  SetNumber(g.playerObject, u"numDeaths", 1);
  const int32_t start[6] = {0, 0, 2, 1, 1, 0};
  const int32_t end[6] = {1, 0, 2, 3, 3, 0};
  for (uint32_t i = 0; i < 6; ++i) {
    SetElement(g.gameObject, u"episodeStartSkills", i, start[i]);
    SetElement(g.playerObject, u"baseSkills", i, end[i]);
  }
  auto rows = [&](const char16_t* name) {
    std::vector<std::string> texts;
    const auto* list = static_cast<const gui::TeskListBox*>(g.forms.betweenEpisodes->FindWidgetByName(name));
    for (uint32_t i = 0; i < list->ItemCount(); ++i) texts.push_back(platform::ToUtf8(list->ItemAt(i)->GetText()));
    return texts;
  };
  for (const auto& [difference, text] : std::vector<std::pair<int32_t, std::string>>{
           {250, "2 levels"}, {100, "1 level"}, {99, "+99%"}, {29, "+29%"}, {-30, "-30%"}, {-396, "-396%"}}) {
    SetNumber(g.gameObject, u"episodeStartPrestige", 400);
    SetNumber(g.playerObject, u"prestige", 400 + difference);
    SetNumber(g.gameObject, u"episodeStartDisposition", 10);
    SetNumber(g.gameObject, u"episodeEndDisposition", 10 + difference);
    ASSERT_EQ(CallScript(game::kOpenBetweenEpScreen), kRTSuccess);
    EXPECT_EQ(Text(g.forms.betweenEpisodes, u"PL_PRES_CHANGE"), text) << difference;
    EXPECT_EQ(Text(g.forms.betweenEpisodes, u"PL_PRES_DISP"), platform::ToUtf8(kivo::Format(u"%+d%%", difference)));
  }
  EXPECT_EQ(g.ScreenMode, game::ScreenBetweenEpisodes);
  EXPECT_EQ(g.paused, 1u);
  EXPECT_EQ(Text(g.forms.betweenEpisodes, u"PL_PATS_TREATED"), "12");
  EXPECT_EQ(Text(g.forms.betweenEpisodes, u"PL_PATS_KILLED"), "1");
  EXPECT_EQ(rows(u"PL_SKLZ_SLG_LISTBOX"), (std::vector<std::string>{"1 Cardiology", "2 General Surgery", "2 Pediatrics"}));
  // No-Life was in reach at the start; Force of Will and Golf came within it.
  EXPECT_EQ(rows(u"PL_SKLZ_ABL_LISTBOX"), (std::vector<std::string>{"Force of Will", "Golf"}));
  EXPECT_EQ(rows(u"PL_EDCT_EDF_LISTBOX"), (std::vector<std::string>{"Clean the lobby", "Hire a nurse"}));
  EXPECT_EQ(rows(u"PL_EDCT_EDU_LISTBOX"), (std::vector<std::string>{"Cut the budget"}));
  EXPECT_EQ(log->ItemCount(), 0u);
  EXPECT_FLOAT_EQ(g.fadeTarget[3], 1.0f);
  // Opened again over two edicts (one closed, with its status), the screen leaves no edict, text or
  // panel behind: the core holds as many blocks as after the first opening.
  ASSERT_EQ(CallScript(game::kAddEdict, {TextCell(u"t"), TextCell(u"d"), RealCell(10.0f), NumberCell(0), NumberCell(0)}),
            kRTSuccess);
  uint32_t blocks = 0, bytes = 0;
  ASSERT_EQ(CallScript(game::kOpenBetweenEpScreen), kRTSuccess);
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocks, &bytes));
  for (const char16_t* description : {u"d1", u"d2"})
    ASSERT_EQ(CallScript(game::kAddEdict, {TextCell(u"t"), TextCell(description), RealCell(10.0f), NumberCell(0),
                                           NumberCell(0)}),
              kRTSuccess);
  ASSERT_EQ(CallScript(game::kUpdateEdictStatus, {TextCell(u"d1"), TextCell(u"status")}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kRemoveEdict, {TextCell(u"d2"), NumberCell(0)}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kOpenBetweenEpScreen), kRTSuccess);
  EXPECT_EQ(g.edictList->count, 0u);
  uint32_t blocksAfter = 0;
  ASSERT_TRUE(core().GetMemoryStats(nullptr, &blocksAfter, &bytes));
  EXPECT_EQ(blocksAfter, blocks);
}

TEST_F(ModalScreens, TheCurbsideScreenShowsUpToThreeKnownProblemsAndWhereThePatientIs) {
  game::GamePrivateData& g = record();
  auto* form = Form({Control<gui::TeskTextBox>(u"CURB_TEXTBOX"), Control<gui::TeskLabel>(u"CURB_PAT_NAME_FIRST"),
                     Control<gui::TeskLabel>(u"CURB_LOC")});
  for (int row = 1; row <= 3; ++row)
    for (const char16_t* format : {u"CURB_PROB_DIS%d", u"CURB_PROB_DIS%d_NUM"})
      form->AddChild(Control<gui::TeskLabel>(kivo::Format(format, row).c_str()));
  g.forms.curbside = form;
  auto cells = [&](const char16_t* format) {
    std::vector<std::string> texts;
    for (int row = 1; row <= 3; ++row) texts.push_back(Text(form, kivo::Format(format, row).c_str()));
    return texts;
  };
  const scripting::Symbol patient = NewProbeWithLists();
  SetText(patient, u"name", u"Pat");
  ASSERT_EQ(CallScript(game::kOpenCurbsideScreen, {TextCell(u"Dr. Kim"), PointerCell(patient)}), kRTSuccess);
  EXPECT_EQ(Text(form, u"CURB_TEXTBOX"), "Dr. Kim has requested a curbside.  Will you accept?");
  EXPECT_EQ(Text(form, u"CURB_PAT_NAME_FIRST"), "Pat");
  EXPECT_EQ(Text(form, u"CURB_LOC"), "Unknown");
  EXPECT_EQ(cells(u"CURB_PROB_DIS%d"), (std::vector<std::string>{"Undiagnosed", "", ""}));
  EXPECT_EQ(cells(u"CURB_PROB_DIS%d_NUM"), (std::vector<std::string>{"", "", ""}));
  SetNumber(patient, u"bDiagnosed", 1);
  SetNumber(patient, u"problem", 10);
  SetNumber(patient, u"numKnownProblems", 5);
  for (uint32_t i = 0; i < 5; ++i) {
    SetElement(patient, u"problemList", i, static_cast<int32_t>(5 - i));
    SetElement(patient, u"problemSeverityList", i, static_cast<int32_t>(i + 1));
  }
  ASSERT_EQ(CallScript(game::kOpenCurbsideScreen, {TextCell(u"Dr. Kim"), PointerCell(patient)}), kRTSuccess);
  EXPECT_EQ(cells(u"CURB_PROB_DIS%d"), (std::vector<std::string>{"Ortho", "Pedia", "Surg"}));
  EXPECT_EQ(cells(u"CURB_PROB_DIS%d_NUM"), (std::vector<std::string>{"1", "2", "3"}));
  SetNumber(patient, u"problem", 1);
  SetNumber(patient, u"problem_severity", 6);
  ASSERT_EQ(CallScript(game::kOpenCurbsideScreen, {TextCell(u"Dr. Kim"), PointerCell(patient)}), kRTSuccess);
  EXPECT_EQ(cells(u"CURB_PROB_DIS%d"), (std::vector<std::string>{"Toxic", "", ""}));
  EXPECT_EQ(cells(u"CURB_PROB_DIS%d_NUM"), (std::vector<std::string>{"6", "", ""}));
}

}  // namespace
}  // namespace gametest
