// The game's keys and wheel through its method slots: text entry, ESC's steps, ENTER's gates, the
// debug keys (digits, Q with W, A, S, D, END, HOME) and the zoom by the wheel; and the tool tip.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "form.h"
#include "frame_fixture.h"
#include "icon.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/format.h"
#include "platform/utf.h"
#include "pointer_shared.h"
#include "screen_mode.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;

// A form that keeps the characters it is handed.
class TypingForm : public game::gui::TeskForm {
 public:
  void CharEvent(char16_t unit) override { typed += unit; }
  std::u16string typed;
};

int gHookCalls = 0;
RTSuccess CountHook(RTInstance) {
  ++gHookCalls;
  return kRTSuccess;
}

class KeyInput : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    gHookCalls = 0;
  }
  void TearDown() override {
    game::GamePrivateData& g = record();
    g.forms.characterScreen = nullptr;
    g.forms.save = nullptr;
    g.forms.mainMenu = nullptr;
    FrameTest::TearDown();
  }
  RTSuccess Key(uint32_t key, uint32_t shift = 0) {
    return kivo::CallMethod(game(), game::kLevel, game::kKeyDown, key, shift);
  }
  RTSuccess Wheel(int32_t delta) { return kivo::CallMethod(game(), game::kLevel, game::kMouseWheel, 0, 0, delta); }
  void DebugKeys(uint32_t on) { record().library->debugKeys = on; }
  void SetHandsOff(bool handsOff) {
    Cell value{};
    value.type = varno::kTypeBool;
    value.value.word = handsOff ? 1 : 0;
    ASSERT_TRUE(scripting::SymbolWriteAttribute(varno(), vm(), record().playerObject, u"bHandsOff",
                                                scripting::kWholeAttribute, &value));
  }
  // Pausing and resuming act only with a speech source.
  void WithSpeechSource() {
    ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::audio_source::kClassName, &record().speechSource, 0, 1));
  }
  std::string SystemMessage() {
    const char16_t* text = record().systemMessageText;
    return text ? std::string(text, text + std::char_traits<char16_t>::length(text)) : "";
  }
};

// 'A' types "a", with shift "A"; digits, space and backspace as they are; comma and full stop only
// without a modifier; other keys nothing. ESC closes the save screen only.
TEST_F(KeyInput, TextEntryTypesIntoTheScreensForm) {
  TypingForm character;
  TypingForm save;
  record().forms.characterScreen = &character;
  record().forms.save = &save;
  record().ScreenMode = game::ScreenCharCreate;
  const struct {
    uint32_t key;
    uint32_t shift;
  } keys[] = {{'A', 0}, {'A', 1}, {'7', 1}, {0x20, 0}, {0x08, 0}, {0xBC, 0}, {0xBE, 0},
              {0xBC, 1}, {0xBE, 1}, {0x70, 0}, {0x0D, 0}, {0x1B, 0}};
  for (const auto& k : keys) EXPECT_EQ(Key(k.key, k.shift), kRTSuccess);
  EXPECT_EQ(character.typed, std::u16string(u"aA7 \b,."));
  EXPECT_EQ(record().ScreenMode, game::ScreenCharCreate) << "ESC does nothing in character creation";

  record().ScreenMode = game::ScreenSave;
  record().previousScreenMode = game::ScreenGameMenu;
  Key('Z', 0);
  Key(0x1B);
  EXPECT_EQ(save.typed, u"z");
  EXPECT_EQ(record().ScreenMode, game::ScreenGameMenu);
  EXPECT_EQ(Key('Z'), kRTSuccess) << "a key with no form to take it";
}

// ESC over (mode, previous, menu-return mode, perk swap busy, fade alpha, speech): the new mode and
// whether the game ends paused.
TEST_F(KeyInput, EscapeOpensAndClosesTheInGameMenu) {
  std::unique_ptr<game::gui::TeskIcon> owned[3];  // outlive the form, which does not own them
  game::gui::TeskForm menu;
  game::gui::TeskIcon* icons[3];
  const char16_t* names[] = {u"MM_SEL_GMO_ICN", u"SL_SEL_SVG_ICN", u"SL_SEL_LDG_ICN"};
  for (int i = 0; i < 3; ++i) {
    owned[i] = std::make_unique<game::gui::TeskIcon>();
    icons[i] = owned[i].get();
    icons[i]->SetName(names[i]);
    icons[i]->Disable();
    menu.AddChild(icons[i]);
  }
  record().forms.mainMenu = &menu;
  WithSpeechSource();
  const struct {
    const char* name;
    uint8_t mode, previous, menuReturn;
    uint32_t perkSwapBusy;
    float fade;
    bool speech;
    uint8_t newMode, newMenuReturn;
    uint32_t paused;
  } cases[] = {
      {"world opens the menu", 0, 0, 22, 0, 0.0f, false, 11, 0, 1},
      {"conversation opens the menu", 22, 0, 0, 0, 0.19f, false, 11, 22, 1},
      {"another screen keeps the return mode", 15, 0, 22, 0, 0.0f, false, 11, 22, 1},
      {"speech holds the menu back", 0, 0, 3, 0, 0.0f, true, 0, 3, 0},
      {"the menu closes to the world", 11, 0, 0, 0, 0.0f, false, 0, 0, 0},
      {"the menu closes to the confirmation, still paused", 11, 0, 21, 0, 0.0f, false, 21, 21, 1},
      {"options from the start menu go back to it", 8, 3, 0, 0, 0.0f, false, 3, 0, 0},
      {"load from the start menu goes back to it", 5, 3, 0, 0, 0.0f, false, 3, 0, 0},
      {"options in play open the menu", 8, 11, 0, 0, 0.0f, false, 11, 0, 1},
      {"start game", 9, 3, 0, 0, 0.0f, false, 9, 0, 0},
      {"start menu", 3, 0, 0, 0, 0.0f, false, 3, 0, 0},
      {"confirmation", 21, 0, 0, 0, 0.0f, false, 21, 0, 0},
      {"perk swap busy", 0, 0, 0, 1, 0.0f, false, 0, 0, 0},
      {"fading", 0, 0, 0, 0, 0.2f, false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    game::GamePrivateData& g = record();
    g.ScreenMode = c.mode;
    g.previousScreenMode = c.previous;
    g.menuReturnScreenMode = c.menuReturn;
    g.perkSwapBusy = c.perkSwapBusy;
    g.fadeColor[3] = c.fade;
    // Speech answers from its flag while paused; an open menu is paused.
    g.paused = c.speech || c.mode == game::ScreenGameMenu ? 1 : 0;
    g.speechPlaying = c.speech ? 1 : 0;
    g.frontEndActive = -1;
    for (game::gui::TeskIcon* icon : icons) icon->Disable();
    EXPECT_EQ(Key(0x1B), kRTSuccess);
    EXPECT_EQ(g.ScreenMode, c.newMode);
    EXPECT_EQ(g.menuReturnScreenMode, c.newMenuReturn);
    if (!c.speech) {
      EXPECT_EQ(g.paused, c.paused);
    }
    const bool opened = c.newMode == game::ScreenGameMenu && c.mode != game::ScreenGameMenu;
    EXPECT_EQ(g.frontEndActive, opened ? 0 : -1);
    for (game::gui::TeskIcon* icon : icons) EXPECT_EQ(icon->IsInactive(), opened ? 0u : 1u);
  }
}

// ENTER: only in the world and the info screen, with no fade and a player whose "bHandsOff" is 0;
// the QA line first, then the info screen (its hook) or back from it.
TEST_F(KeyInput, EnterWritesTheQaLineAndTogglesTheInfoScreen) {
  const std::string qa = "QA FLAG - GAME TIME = ";
  record().keyHooks.OpenInfoScreenC = CountHook;
  record().ScreenMode = game::ScreenWorld;
  Key(0x0D);
  EXPECT_EQ(Logged(qa), 0u) << "no player yet";

  record().playerObject = NewProbe();
  SetHandsOff(true);
  Key(0x0D);
  SetHandsOff(false);
  record().fadeColor[3] = 0.2f;
  Key(0x0D);
  record().fadeColor[3] = 0.0f;
  record().ScreenMode = game::ScreenGameMenu;
  Key(0x0D);
  EXPECT_EQ(Logged(qa), 0u);
  EXPECT_EQ(gHookCalls, 0);

  record().ScreenMode = game::ScreenWorld;
  float time = 0.0f;
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kGetGameTimeC, &time));
  Key(0x0D);
  const std::string line = "<<<<<<<<<<<<<<<<<<<<<<<<<  QA FLAG - GAME TIME = " +
                           platform::ToUtf8(kivo::Format(u"%.4f", time)) + "  >>>>>>>>>>>>>>>>>>>>>>>>>>>>";
  EXPECT_EQ(Logged(line), 1u);
  EXPECT_EQ(gHookCalls, 1);

  record().ScreenMode = game::ScreenInfo;
  record().previousScreenMode = game::ScreenWorld;
  WithSpeechSource();
  record().paused = 1;
  Key(0x0D);
  EXPECT_EQ(record().ScreenMode, game::ScreenWorld);
  EXPECT_EQ(record().paused, 0u);
  EXPECT_EQ(Logged(qa), 2u);
}

TEST_F(KeyInput, DigitsSetTheClockDilationOnlyWithTheDebugKeys) {
  Key('5');
  EXPECT_EQ(record().timeDilation, 1.0);
  EXPECT_EQ(SystemMessage(), "");
  DebugKeys(1);
  Key('5');
  EXPECT_EQ(record().timeDilation, 5.0);
  EXPECT_EQ(SystemMessage(), "Time dilation set to: 5.000000");
  EXPECT_EQ(Logged("Time dilation set to: 5.000000"), 1u) << "game messages also go to the debug output";
  Key('0');
  EXPECT_EQ(record().timeDilation, 0.0);
  Key('B');
  EXPECT_EQ(SystemMessage(), "Moving heads is disabled");
}

// W, A, S, D pan only once Q has detached the camera, which needs the debug keys and a camera
// node; the arrows turn only while attached, UP and DOWN with the debug keys.
TEST_F(KeyInput, TheFreeCameraKeysFollowQ) {
  const game::FreeCameraAxis* axes = record().freeCamera.axes;
  record().lastFrameDuration = 20;
  const auto pushes = [&] {
    return std::vector<float>{axes[game::kYawAxis].acceleration, axes[game::kPitchAxis].acceleration,
                              axes[game::kSideAxis].acceleration, axes[game::kForwardAxis].acceleration};
  };
  const auto clear = [&] {
    for (game::FreeCameraAxis& axis : record().freeCamera.axes) axis.acceleration = axis.velocity = 0.0f;
  };
  for (uint32_t key : {uint32_t{'W'}, uint32_t{'A'}, uint32_t{'S'}, uint32_t{'D'}, 0x26u, 0x28u}) Key(key);
  EXPECT_EQ(pushes(), (std::vector<float>{0, 0, 0, 0}));
  Key(0x25);
  EXPECT_EQ(pushes(), (std::vector<float>{2.0f, 0, 0, 0}));
  clear();

  DebugKeys(1);
  Key('Q');
  EXPECT_EQ(record().cameraReleased, 0u) << "no camera node before an environment";
  Key(0x26);
  EXPECT_EQ(pushes(), (std::vector<float>{0, 2.0f, 0, 0}));
  clear();

  MakeWorld();
  MoveNode(cameraNode_.get(), 3.0f, 4.0f, 5.0f);
  record().cameraZoom = 2.0f;
  Key('q');
  EXPECT_EQ(record().cameraReleased, 1u);
  EXPECT_EQ(SystemMessage(), "Detaching Camera");
  const RTFMatrix4x4 m = CameraPlacement();
  EXPECT_FLOAT_EQ(record().freeCameraPosition.x, 3.0f - 2.0f * m.m[2][0]);
  EXPECT_FLOAT_EQ(record().freeCameraPosition.y, 4.0f);
  EXPECT_FLOAT_EQ(record().freeCameraPosition.z, 5.0f - 2.0f * m.m[2][2]);
  Key('W');
  Key('d');
  Key(0x25);
  EXPECT_EQ(pushes(), (std::vector<float>{0, 0, 4.0f, -4.0f}));
  Key('Q');
  EXPECT_EQ(record().cameraReleased, 0u);
  EXPECT_EQ(SystemMessage(), "Attaching Camera");
}

// END makes the inspector once, which writes the instance tree; HOME toggles the debug info with
// the actor component only.
TEST_F(KeyInput, EndAndHomeActOnlyWithTheDebugKeysAndTheirTargets) {
  Key(0x23);
  Key(0x24);
  EXPECT_EQ(record().inspector, nullptr);
  EXPECT_EQ(record().debugInfo, 0u);
  DebugKeys(1);
  const RTInstance actors = std::exchange(record().actorComponent, nullptr);
  Key(0x24);
  EXPECT_EQ(record().debugInfo, 0u) << "no actor component";
  record().actorComponent = actors;
  Key(0x23);
  ASSERT_NE(record().inspector, nullptr);
  EXPECT_EQ(Logged("RTInspector2: the instance tree"), 1u);
  EXPECT_EQ(Logged("Root (RTComponent)"), 1u);
  Key(0x23);
  EXPECT_EQ(Logged("RTInspector2: the instance tree"), 1u) << "once made, END does nothing";

  Key(0x24);
  EXPECT_EQ(record().debugInfo, 1u);
  EXPECT_EQ(Logged("RTTeskActor.ToggleDebuggingInfo()"), 1u);
}

// Without its component END makes nothing and keeps no inspector.
class KeyInputWithoutInspector : public KeyInput {
 protected:
  std::vector<std::string> LeftOut() const override { return {"RTInspector2"}; }
};

TEST_F(KeyInputWithoutInspector, EndDoesNothing) {
  DebugKeys(1);
  EXPECT_EQ(Key(0x23), kRTSuccess);
  EXPECT_EQ(record().inspector, nullptr);
  EXPECT_EQ(Logged("RTInspector2: the instance tree"), 0u);
}

// ENTER's info screen, C's cheat panel and SPACE's movie skip are hooks of later screens: an empty
// one is skipped. C needs the debug keys and the world; SPACE skips a movie only with Movie Skip
// (option 7, off here) and always sets the picture advance.
TEST_F(KeyInput, TheCheatAndSpaceKeysReachTheirHooks) {
  record().ScreenMode = game::ScreenWorld;
  Key('C');
  EXPECT_EQ(record().ScreenMode, game::ScreenWorld) << "an empty hook is skipped";
  record().keyHooks.OpenCheatPanel = CountHook;
  record().keyHooks.SetVideoSkip = CountHook;
  Key('C');
  DebugKeys(1);
  record().ScreenMode = game::ScreenInfo;
  Key('c');
  EXPECT_EQ(gHookCalls, 0);
  record().ScreenMode = game::ScreenWorld;
  Key('c');
  EXPECT_EQ(gHookCalls, 1);

  record().moviePlaying = 1;
  Key(0x20);
  EXPECT_EQ(gHookCalls, 1);
  EXPECT_EQ(record().pictureAdvance, 1u);
}

// A notch of +120 zooms by -0.9; with clamping on the zoom stays within [6.1, 12.1]. Without a
// camera the wheel fails; while loading it does nothing.
TEST_F(KeyInput, TheWheelZooms) {
  EXPECT_EQ(Wheel(120), kRTFailure);
  MakeWorld();
  game::GamePrivateData& g = record();
  g.cameraZoom = 8.1f;
  g.cameraZoomClamp = 0;
  EXPECT_EQ(Wheel(120), kRTSuccess);
  EXPECT_FLOAT_EQ(g.cameraZoom, 8.1f - 0.9f);
  EXPECT_EQ(Wheel(-120 * 10), kRTSuccess);
  EXPECT_FLOAT_EQ(g.cameraZoom, 7.2f + 9.0f);
  g.cameraZoomClamp = 1;
  Wheel(-120);
  EXPECT_EQ(g.cameraZoom, 12.1f);
  Wheel(120 * 20);
  EXPECT_EQ(g.cameraZoom, 6.1f);
  g.library->loading = 1;
  EXPECT_EQ(Wheel(-120), kRTSuccess);
  EXPECT_EQ(g.cameraZoom, 6.1f);
  g.library->loading = 0;
}

// The tip's start time moves only when its text changes, ignoring case.
TEST_F(KeyInput, AToolTipKeepsItsStartWhileItsTextStays) {
  game::GamePrivateData& g = record();
  g.gameClock = 1.0;
  game::ShowToolTip(g, 10, 20, u"Exam Room", 0.5f, 7);
  g.gameClock = 2.0;
  game::ShowToolTip(g, 11, 21, u"EXAM ROOM", 0.25f, 8);
  EXPECT_EQ(g.tooltipActive, 1u);
  EXPECT_EQ(g.tooltipStart, 1.0f);
  EXPECT_EQ(std::u16string(g.tooltipText), u"EXAM ROOM");
  EXPECT_EQ(std::make_tuple(g.tooltipX, g.tooltipY, g.tooltipWidth, g.tooltipDelay), std::make_tuple(11, 21, 8, 0.25f));
  game::ShowToolTip(g, 11, 21, u"Lobby", 0.25f, 8);
  EXPECT_EQ(g.tooltipStart, 2.0f);
}

}  // namespace
