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

}  // namespace
}  // namespace gametest
