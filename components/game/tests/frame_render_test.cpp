// The frame render through the recording rasterizer: the frame's order and its failures, the
// choice of the screens' forms, the HUD stage through recording hooks, and actors removed while
// the frame names them.
#include <AL/al.h>

#include <functional>
#include <map>
#include <string>

#include "form.h"
#include "frame_fixture.h"
#include "hud_stage.h"
#include "icon.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/support/component_kit.h"
#include "panel.h"
#include "screen_forms.h"
#include "tesk/game_slots.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tesk/scene/scene_tree_state.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
using Lines = std::vector<std::string>;

const std::string kIdentity = "[1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]";

// --- What the hooks were asked ------------------------------------------------------------------

std::map<std::string, int> gHookCalls;
std::vector<std::u16string> gLogLines;

void CountClock(RTInstance) { ++gHookCalls["DrawClock"]; }
void CountPatientTip(RTInstance, RTTeskActorWrapper*, int32_t, int32_t) { ++gHookCalls["DrawPatientToolTip"]; }
void CountDoctorTip(RTInstance, RTTeskActorWrapper*, int32_t, int32_t) { ++gHookCalls["DrawDoctorToolTip"]; }
void CountPopUp(RTInstance, int32_t, int32_t, int32_t, const char16_t*) { ++gHookCalls["DrawMouseOverPopUp"]; }
std::vector<std::vector<int32_t>> gNumbers;  // number, style, x, y, offset
RTSuccess KeepNumber(RTInstance, int32_t number, int32_t style, int32_t x, int32_t y, int32_t offset) {
  gNumbers.push_back({number, style, x, y, offset});
  return kRTSuccess;
}
void KeepLogLine(RTInstance, const char16_t* speaker, const char16_t* text) {
  gLogLines.push_back(std::u16string(speaker) + u": " + text);
}

class FrameRender : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    if (HasFatalFailure()) return;
    gHookCalls.clear();
    gLogLines.clear();
    gNumbers.clear();
    game::HudHooks& hooks = record().hudHooks;
    hooks.DrawNumber = KeepNumber;
    hooks.DrawClock = CountClock;
    hooks.DrawPatientToolTip = CountPatientTip;
    hooks.DrawDoctorToolTip = CountDoctorTip;
    hooks.DrawMouseOverPopUp = CountPopUp;
    hooks.AddLogLine = KeepLogLine;
  }
  void TearDown() override {
    game::GamePrivateData& g = record();
    for (game::gui::TeskForm*& form : {std::ref(g.forms.save), std::ref(g.forms.confirmation), std::ref(g.forms.icons)})
      form = nullptr;
    forms_.clear();
    panels_.clear();
    icons_.clear();
    FrameTest::TearDown();
  }
  // A form holding one panel of the name and size.
  game::gui::TeskForm* FormWithPanel(const char16_t* name, int32_t width, int32_t height) {
    auto form = std::make_unique<game::gui::TeskForm>();
    auto panel = std::make_unique<game::gui::TeskPanel>();
    panel->SetName(name);
    panel->SetWidth(width);
    panel->SetHeight(height);
    form->AddChild(panel.get());
    panels_.push_back(std::move(panel));
    return forms_.emplace_back(std::move(form)).get();
  }
  game::gui::TeskIcon* Icon(const char16_t* name, int32_t width, int32_t height, uint32_t hidden = 0) {
    auto icon = std::make_unique<game::gui::TeskIcon>();
    icon->SetName(name);
    icon->SetWidth(width);
    icon->SetHeight(height);
    icon->SetHidden(hidden);
    return icons_.emplace_back(std::move(icon)).get();
  }
  // A hint made as the HUD keeps them: core blocks.
  void AddHint(const char16_t* text, float createdAt) {
    game::HintEntry* hint = nullptr;
    ASSERT_TRUE(core().MemAlloc(nullptr, sizeof(game::HintEntry), reinterpret_cast<void**>(&hint), 1));
    const size_t units = std::char_traits<char16_t>::length(text) + 1;
    ASSERT_TRUE(core().ArrayAlloc(nullptr, sizeof(char16_t), static_cast<uint32_t>(units),
                                  reinterpret_cast<void**>(&hint->text), 0));
    std::copy(text, text + units, hint->text);
    hint->createdAt = createdAt;
    if (!record().hintList) kivo::ListCreate(&record().hintList);
    ASSERT_TRUE(kivo::ListAppend(record().hintList, hint));
  }
  void FreeHints() {
    kivo::List*& hints = record().hintList;
    if (!hints) return;
    for (game::HintEntry* hint : kivo::ListItems<game::HintEntry>(hints)) {
      core().ArrayFree(nullptr, hint->text);
      core().MemFree(nullptr, hint);
    }
    kivo::ListDestroy(hints);
    hints = nullptr;
  }

  std::vector<std::unique_ptr<game::gui::TeskForm>> forms_;
  std::vector<std::unique_ptr<game::gui::TeskPanel>> panels_;
  std::vector<std::unique_ptr<game::gui::TeskIcon>> icons_;
};

// --- The frame's order --------------------------------------------------------------------------

TEST_F(FrameRender, OneFrameRunsItsStepsInOrder) {
  MakeWorld();
  AddActorAt(0.0f, 0.0f, 0.0f);
  record().fogColor[0] = 0.25f;
  record().resizePending = 1;
  RTSuccess result = kRTFailure;
  const Lines frame = RecordFrame(&result);
  EXPECT_EQ(result, kRTSuccess) << host_.ErrorLog();
  EXPECT_TRUE(InOrder(frame, {"BeginFrame(", "ResizeViewport(640, 480)", "EnableFog(1)", "SetFogColor(0.25, 0.4, 0.4",
                              "SetClearStencil(0)", "SetClearMask(7)", "EnableDepthTest(1)", "EnableDepthWrite(1)",
                              "BeginScene()", "EnableCulling(1)", "PushViewMatrix(", "PopViewMatrix()",
                              "SetColor(1, 1, 1)", "SetProjectionMode(1)", "EndScene()", "PresentFrame()"}))
      << testing::PrintToString(frame);
  EXPECT_EQ(record().resizePending, 0u);
  for (const char* once : {"BeginFrame(", "BeginScene()", "EndScene()", "PresentFrame()", "ResizeViewport("})
    EXPECT_EQ(CountStarting(frame, once), 1u) << once;
  // The scene's view comes from the camera, not the identity of the screen stage.
  EXPECT_EQ(frame[std::find_if(frame.begin(), frame.end(),
                               [](const std::string& l) { return l.rfind("BeginScene", 0) == 0; }) -
                  frame.begin() + 2]
                .find(kIdentity),
            std::string::npos);
  EXPECT_EQ(CountStarting(RecordFrame(), "ResizeViewport("), 0u) << "a resize is done once";
}

// What each failure leaves: no rasterizer, a frame that cannot begin, a game object without the
// score attributes, no actor, no environment.
TEST_F(FrameRender, FailuresStopTheFrameWhereTheyMust) {
  game::GamePrivateData& g = record();
  {
    RTInstance rasterizer = g.rasterizer;
    g.rasterizer = nullptr;
    RTSuccess result = kRTFailure;
    EXPECT_EQ(RecordFrame(&result), Lines{});
    EXPECT_EQ(result, kRTSuccess);
    g.rasterizer = rasterizer;
  }
  {
    void* window = g.windowHandle;
    int notAWindow = 0;
    g.windowHandle = &notAWindow;
    RTSuccess result = kRTSuccess;
    const Lines frame = RecordFrame(&result);
    EXPECT_EQ(result, kRTFailure);
    ASSERT_EQ(frame.size(), 1u) << testing::PrintToString(frame);
    EXPECT_EQ(frame[0].rfind("BeginFrame(", 0), 0u);
    g.windowHandle = window;
  }
  {
    g.gameObject = NewThing();
    RTSuccess result = kRTSuccess;
    const Lines frame = RecordFrame(&result);
    EXPECT_EQ(result, kRTFailure);
    EXPECT_EQ(frame.back(), "EndScene() -> 1") << "the scene is closed";
    EXPECT_EQ(CountStarting(frame, "PresentFrame"), 0u);
    g.gameObject = gameObject_;
  }
  {
    RTSuccess result = kRTFailure;
    const Lines frame = RecordFrame(&result);
    EXPECT_EQ(result, kRTSuccess);
    EXPECT_TRUE(InOrder(frame, {"BeginScene()", "EnableCulling(1)", "SetColor(1, 1, 1)"}));
    EXPECT_EQ(CountStarting(frame, "PushViewMatrix(" + kIdentity), CountStarting(frame, "PushViewMatrix("))
        << "no environment: no world";
  }
  {
    MakeWorld();
    EXPECT_EQ(Render(), kRTSuccess) << host_.ErrorLog();
    const auto* tree = kivo::StateIn<tesk::scene_tree::SceneTreeState>(tree_.get(), tesk::scene_tree::kStateWord);
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(tree->listener, nullptr) << "no actor: no listener";
    RTTeskActorWrapper* player = AddActorAt(1.0f, 0.0f, 1.0f);
    EXPECT_EQ(Render(), kRTSuccess);
    EXPECT_EQ(tree->listener, player->RootNode);
  }
}

// --- The screens' forms -------------------------------------------------------------------------

std::vector<game::gui::TeskForm * game::ScreenForms::*> Chosen(game::FormStage stage, uint8_t mode, uint8_t previous,
                                                               uint32_t antidote) {
  const game::ScreenFormRow* rows[game::kMaxChosenForms];
  const size_t count = game::SelectScreenForms(stage, mode, previous, antidote, rows);
  std::vector<game::gui::TeskForm * game::ScreenForms::*> forms;
  for (size_t i = 0; i < count; ++i) forms.push_back(rows[i]->form);
  return forms;
}

TEST(ScreenFormTable, ChoosesTheFormsOfTheModeInDrawingOrder) {
  using F = game::ScreenForms;
  using Forms = std::vector<game::gui::TeskForm * F::*>;
  const auto screens = game::FormStage::kScreens;
  struct Case {
    uint8_t mode;
    uint8_t previous;
    uint32_t antidote;
    Forms forms;
  };
  const Case cases[] = {
      {21, 6, 0, {&F::save, &F::confirmation, &F::confirmation, &F::confirmation}},
      {21, 15, 0, {&F::confirmation, &F::info, &F::confirmation, &F::confirmation}},
      {21, 3, 0, {&F::confirmation, &F::confirmation, &F::confirmation}},
      {15, 0, 0, {&F::info}},
      {15, 21, 0, {&F::info}},
      {0, 0, 1, {&F::antidote}},
      {28, 0, 1, {&F::topics, &F::antidote}},
      {24, 0, 0, {&F::staffManagement2}},
      {4, 0, 0, {&F::bballSetup}},
      {0, 0, 0, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Chosen(screens, c.mode, c.previous, c.antidote), c.forms) << int{c.mode} << " over " << int{c.previous};
  EXPECT_EQ(Chosen(game::FormStage::kHud, 21, 16, 0), Forms{&F::specials});
  EXPECT_EQ(Chosen(game::FormStage::kHud, 2, 0, 0), Forms{&F::security});
  EXPECT_EQ(Chosen(game::FormStage::kHudEnd, 21, 0, 0), Forms{&F::confirmation});
  // Only the screen between episodes pauses.
  const game::ScreenFormRow* rows[game::kMaxChosenForms];
  for (uint8_t mode = 0; mode < 40; ++mode) {
    const size_t count = game::SelectScreenForms(screens, mode, 0, 0, rows);
    for (size_t i = 0; i < count; ++i) EXPECT_EQ(rows[i]->pauses != 0, mode == 18) << int{mode};
  }
}

TEST(ScreenFormTable, CentringHalvesTheScreenUnsignedAndThePanelTowardZero) {
  EXPECT_EQ(game::CentredX(641, 301), 320 - 150);
  EXPECT_EQ(game::CentredX(640, -301), 320 + 150);
  EXPECT_EQ(game::CentredY(480, 201, -20), 240 - 100 - 20);
}

// The save form centred on its panel with the confirmation over it, and no HUD; a confirmation
// without its panel stays where it stands.
TEST_F(FrameRender, TheChosenFormsAreCentredOnTheirPanels) {
  game::GamePrivateData& g = record();
  game::gui::TeskForm* save = FormWithPanel(u"SS_SSG_PNL", 301, 201);
  game::gui::TeskForm* confirmation = FormWithPanel(u"ELSEWHERE", 10, 10);
  confirmation->SetX(7);
  confirmation->SetY(9);
  g.forms.save = save;
  g.forms.confirmation = confirmation;
  g.ScreenMode = 21;
  g.previousScreenMode = 6;
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(save->GetX(), 320 - 150);
  EXPECT_EQ(save->GetY(), 240 - 100);
  EXPECT_EQ(confirmation->GetX(), 7);
  EXPECT_EQ(confirmation->GetY(), 9);
  EXPECT_EQ(gHookCalls["DrawClock"], 0) << "no HUD over the save screen";
}

TEST_F(FrameRender, TheScreenBetweenEpisodesPausesTheGame) {
  game::GamePrivateData& g = record();
  // Pausing needs the speech source; the script hears events on an object that has a context.
  ASSERT_TRUE(kivo::audio_service::InitDevice(g.audioService));
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::audio_source::kClassName, &g.speechSource, 0, 1));
  g.ScreenMode = 18;
  ASSERT_TRUE(scripting::VarnoVMSetNewContext(varno(), vm(), gameObject_, u"Switchboard", 0));
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(g.paused, 1u);
  EXPECT_EQ(Render(), kRTSuccess);
  RunOnePass(gameObject_);
  EXPECT_EQ(Number(gameObject_, u"pauses"), 1) << "paused once, kept paused";
}

// --- The HUD stage ------------------------------------------------------------------------------

TEST_F(FrameRender, TheHudShowsInItsModes) {
  game::GamePrivateData& g = record();
  struct Case {
    uint8_t mode;
    uint8_t previous;
    uint32_t hidden;
    bool shown;
  };
  const Case cases[] = {{0, 0, 0, true},   {2, 0, 0, true},   {16, 0, 0, true},  {20, 0, 0, true}, {22, 0, 0, true},
                        {26, 0, 0, true},  {27, 0, 0, true},  {28, 0, 0, true},  {21, 3, 0, true}, {21, 15, 0, false},
                        {21, 6, 0, false}, {21, 8, 0, false}, {11, 0, 0, false}, {3, 0, 0, false}, {0, 0, 1, false}};
  for (const Case& c : cases) {
    g.ScreenMode = c.mode;
    g.previousScreenMode = c.previous;
    g.hudHidden = c.hidden;
    gHookCalls.clear();
    EXPECT_EQ(Render(), kRTSuccess);
    EXPECT_EQ(gHookCalls["DrawClock"], c.shown ? 1 : 0) << int{c.mode} << " over " << int{c.previous};
  }
}

TEST_F(FrameRender, ToolTipsGoAfterThreeSeconds) {
  game::GamePrivateData& g = record();
  RTTeskActorWrapper* patient = MakeWrapper(0.0f, 0.0f, 0.0f);
  RTTeskActorWrapper* doctor = MakeWrapper(0.0f, 0.0f, 0.0f);
  g.patientTipWrapper = patient;
  g.doctorTipWrapper = doctor;
  g.tipShownAt = 10;
  SetClock(12.99);
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(gHookCalls["DrawPatientToolTip"], 1);
  EXPECT_EQ(gHookCalls["DrawDoctorToolTip"], 1);
  SetClock(13.0);
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(g.patientTipWrapper, nullptr);
  EXPECT_EQ(g.doctorTipWrapper, nullptr);
  EXPECT_EQ(gHookCalls["DrawPatientToolTip"], 1);
}

// Of two expired hints only the oldest goes to the log in a frame; the next frame takes the other.
TEST_F(FrameRender, OneExpiredHintMovesToTheLogAFrame) {
  AddHint(u"first", 1.0f);
  AddHint(u"second", 2.0f);
  SetClock(40.0);
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(gLogLines, std::vector<std::u16string>{u"Hint: first"});
  EXPECT_EQ(record().hintList->count, 1u);
  SetClock(30.5);
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(record().hintList->count, 1u) << "28.5 seconds old";
  SetClock(40.0);
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(gLogLines.size(), 2u);
  EXPECT_EQ(record().hintList->count, 0u);
  FreeHints();
}

// The shown boost icons pack down from y 290; two curbside requests show the icon with the count 2,
// and an acknowledgement 8 seconds old takes its request away.
TEST_F(FrameRender, BoostIconsPackAndCurbsideRequestsShowTheirCount) {
  game::GamePrivateData& g = record();
  ASSERT_TRUE(kivo::ListCreate(&g.lists.boostIconList));
  game::gui::TeskIcon* fitness = Icon(u"FITNESS", 50, 50, 1);
  game::gui::TeskIcon* gamers = Icon(u"GAMERS", 50, 50);
  game::gui::TeskIcon* proximity = Icon(u"PROXIMITY", 50, 50);
  for (game::gui::TeskIcon* icon : {fitness, gamers, proximity}) kivo::ListAppend(g.lists.boostIconList, icon);
  game::gui::TeskForm* icons = FormWithPanel(u"UNUSED", 1, 1);
  game::gui::TeskIcon* curb = Icon(u"CURB", 40, 30);
  icons->AddChild(curb);
  g.forms.icons = icons;
  ASSERT_TRUE(kivo::ListCreate(&g.curbsideList));
  for (uint32_t id : {7u, 9u}) {
    uint32_t* request = nullptr;
    ASSERT_TRUE(core().MemAlloc(nullptr, sizeof(uint32_t), reinterpret_cast<void**>(&request), 1));
    *request = id;
    kivo::ListAppend(g.curbsideList, request);
  }
  SetClock(20.0);
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(gamers->GetY(), 290);
  EXPECT_EQ(proximity->GetY(), 350);
  EXPECT_EQ(gamers->GetX(), 640 - 70);
  EXPECT_EQ(curb->GetX(), 640 - 40 - 25);
  EXPECT_EQ(curb->GetY(), 220);
  EXPECT_EQ(gNumbers, (std::vector<std::vector<int32_t>>{{2, 10, 575 + 40 - 5, 220 + 30 - 15, -12}}));
  // The acknowledgement of request 9, given 8 seconds ago, goes with its request.
  g.curbsideAckActive = 1;
  g.curbsideAckId = 9;
  g.curbsideAckTime = 12.0f;
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(g.curbsideAckActive, 0u);
  ASSERT_EQ(g.curbsideList->count, 1u);
  EXPECT_EQ(*static_cast<uint32_t*>(g.curbsideList->first->data), 7u);
  gNumbers.clear();
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_TRUE(gNumbers.empty()) << "one request shows no number";
  core().MemFree(nullptr, g.curbsideList->first->data);
  kivo::ListDestroy(g.curbsideList);
  g.curbsideList = nullptr;
}

// Perk targeting without a pending target: the game resumes and "PerkUsageFailed" is raised once.
TEST_F(FrameRender, LostPerkTargetingIsCancelledOnce) {
  game::GamePrivateData& g = record();
  g.perkTargeting = 1;
  g.perkTargetPending = 0;
  ASSERT_TRUE(scripting::VarnoVMSetNewContext(varno(), vm(), gameObject_, u"Switchboard", 0));  // hears events
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(g.perkTargeting, 0u);
  RunOnePass(gameObject_);
  EXPECT_EQ(Number(gameObject_, u"perkFailures"), 1);
  // A pending target keeps it on.
  g.perkTargeting = 1;
  g.perkTargetPending = 1;
  EXPECT_EQ(Render(), kRTSuccess);
  EXPECT_EQ(g.perkTargeting, 1u);
}

// Every event the game raises leaves the VM's argument stack empty, whether the game's class has
// the event or not: the stack is empty when the probe's one-argument event takes its argument.
TEST_F(FrameRender, NativeRaisesLeaveTheArgumentStackEmpty) {
  game::GamePrivateData& g = record();
  ASSERT_TRUE(scripting::VarnoVMSetNewContext(varno(), vm(), gameObject_, u"Switchboard", 0));  // holds the arguments
  ASSERT_TRUE(kivo::audio_service::InitDevice(g.audioService));
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::audio_source::kClassName, &g.speechSource, 0, 1));
  auto stackEmpty = [&] {
    return scripting::RaiseEvent(varno(), vm(), gameObject_, u"DoTakeShot", {int32_t{0}}) == kRTSuccess;
  };
  auto armShot = [&](bool armed) {
    g.ScreenMode = armed ? 27 : 0;
    g.bballShotArmed = armed;
  };
  const struct {
    const char* what;
    std::function<void()> raise;
  } raises[] = {
      {"pause", [&] { kivo::CallMethod(game(), game::kLevel, game::kPauseC); }},
      {"resume", [&] { kivo::CallMethod(game(), game::kLevel, game::kUnPauseC); }},
      {"perk failure", [&] {
         g.perkTargeting = 1;
         Render();
       }},
      {"shot", [&] {
         armShot(true);
         Render();
         armShot(false);
       }},
  };
  const scripting::Symbol withoutEvents = NewThing();
  for (scripting::Symbol object : {gameObject_, withoutEvents}) {
    g.gameObject = object;
    for (const auto& r : raises) {
      r.raise();
      EXPECT_TRUE(stackEmpty()) << r.what << (object == withoutEvents ? " on a class without the event" : "");
    }
  }

  // An armed shot raises its event every frame: 1,000 frames on a class without it.
  armShot(true);
  for (int frame = 0; frame < 1000; ++frame) Render();
  armShot(false);
  EXPECT_TRUE(stackEmpty());
  EXPECT_EQ(Logged("[VARNO VM] Argument Stack Overflow!"), 0u);
}

// The mouse-over pop-up waits for its delay and never shows through a fade of 0.7 or more, with
// the HUD or without it.
TEST_F(FrameRender, ThePopUpHidesBehindADeepFade) {
  game::GamePrivateData& g = record();
  g.tooltipActive = 1;
  g.tooltipStart = 1.0f;
  g.tooltipDelay = 0.5f;
  struct Case {
    uint8_t mode;
    double clock;
    float alpha;
    int drawn;
  };
  for (const Case& c : {Case{0, 1.4, 0.0f, 0}, Case{0, 1.5, 0.0f, 1}, Case{0, 2.0, 0.69f, 1}, Case{0, 2.0, 0.7f, 0},
                        Case{11, 2.0, 0.0f, 1}, Case{11, 2.0, 0.9f, 0}}) {
    g.ScreenMode = c.mode;
    SetClock(c.clock);
    g.fadeColor[3] = g.fadeTarget[3] = c.alpha;
    g.fadeEndTime = 0.0f;
    gHookCalls.clear();
    EXPECT_EQ(Render(), kRTSuccess);
    EXPECT_EQ(gHookCalls["DrawMouseOverPopUp"], c.drawn) << int{c.mode} << " at " << c.clock << " alpha " << c.alpha;
  }
}

// --- The audio listener -------------------------------------------------------------------------

// The service places OpenAL's listener at the matrix's position, facing along minus its z axis with
// its y axis up; without a device it has no listener to place and says so by succeeding quietly.
TEST_F(FrameRender, TheAudioServicePlacesTheListener) {
  RTInstance service = record().audioService;
  ASSERT_NE(service, nullptr);
  RTFMatrix4x4 world{};
  for (int i = 0; i < 4; ++i) world.m[i][i] = 1.0f;
  world.m[3][0] = 1.0f;
  world.m[3][1] = 2.0f;
  world.m[3][2] = 3.0f;
  EXPECT_EQ(kivo::audio_service::SetListenerMatrix(service, &world), kRTSuccess) << "no device yet";
  ASSERT_EQ(kivo::audio_service::InitDevice(service), kRTSuccess);
  EXPECT_EQ(kivo::audio_service::SetListenerMatrix(service, &world), kRTSuccess);
  ALfloat position[3] = {};
  alGetListener3f(AL_POSITION, &position[0], &position[1], &position[2]);
  EXPECT_EQ(position[0], 1.0f);
  EXPECT_EQ(position[1], 2.0f);
  EXPECT_EQ(position[2], 3.0f);
  ALfloat orientation[6] = {};
  alGetListenerfv(AL_ORIENTATION, orientation);
  EXPECT_EQ(std::vector<float>(orientation, orientation + 6), (std::vector<float>{0, 0, -1, 0, 1, 0}));
  EXPECT_EQ(kivo::audio_service::SetListenerMatrix(service, nullptr), kRTFailure);
}

// --- Actors removed while the frame names them ---------------------------------------------------

TEST_F(FrameRender, RemovingAnActorClearsTheFieldsThatNameIt) {
  MakeWorld();
  game::GamePrivateData& g = record();
  AddActorAt(0.0f, 0.0f, 0.0f);
  RTTeskActorWrapper* followed = AddActorAt(2.0f, 0.0f, 2.0f);
  followed->ScriptObject = NewProbe();
  g.cameraReleased = 1;
  g.cameraAttachActor = 1;
  g.cameraAttachWrapper = followed;
  g.patientTipWrapper = followed;
  g.doctorTipWrapper = followed;
  EXPECT_EQ(Render(), kRTSuccess);
  ASSERT_EQ(kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, followed), kRTSuccess);
  EXPECT_EQ(g.cameraAttachWrapper, nullptr);
  EXPECT_EQ(g.patientTipWrapper, nullptr);
  EXPECT_EQ(g.doctorTipWrapper, nullptr);
  // What the actor component does next: the wrapper's node goes.
  followed->RootNode = nullptr;
  for (int frame = 0; frame < 3; ++frame) EXPECT_EQ(Render(), kRTSuccess);
}

}  // namespace
