// The front end's frames and the area-of-interest rings through the recording rasterizer: which
// screens a PresentStartup frame draws by mode, its movie and failure paths, and the rings' turn
// and power sprites.
#include <cmath>
#include <cstdio>

#include "form.h"
#include "frame_fixture.h"
#include "platform/clock.h"
#include "panel.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace gui = tesk::game::gui;
using Lines = std::vector<std::string>;

constexpr int32_t kNotDrawn = -12345;  // a form's x until the frame places it

class FrontEndFrame : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    if (HasFatalFailure()) return;
    game::ScreenForms& f = record().forms;
    f.mainIcons = Form(u"MI");
    f.load = Form(u"LS_SSG_PNL");
    f.confirmation = Form(u"MAIN_PANEL");
    f.gameOptions = Form(u"GO_VID_MAIN");
    f.startGame = Form(u"SG_PNL");
    f.characterScreen = Form(u"CHAR_PNL");
  }
  void TearDown() override {
    record().forms = game::ScreenForms{};
    forms_.clear();
    panels_.clear();
    FrameTest::TearDown();
  }
  gui::TeskForm* Form(const char16_t* panelName) {
    auto form = std::make_unique<gui::TeskForm>();
    auto panel = std::make_unique<gui::TeskPanel>();
    panel->SetName(panelName);
    form->AddChild(panel.get());
    panels_.push_back(std::move(panel));
    return forms_.emplace_back(std::move(form)).get();
  }
  // Runs PresentStartup; the forms it drew, by the x each drawn one was given.
  std::string Present(RTSuccess* result, Cell* cell) {
    for (auto& form : forms_) form->SetX(kNotDrawn);
    *result = CallScript(game::kPresentStartup, {}, cell);
    const game::ScreenForms& f = record().forms;
    std::string drawn;
    const std::pair<const char*, gui::TeskForm*> named[] = {
        {"icons ", f.mainIcons},       {"load ", f.load},   {"confirmation ", f.confirmation},
        {"options ", f.gameOptions},   {"start ", f.startGame}, {"character ", f.characterScreen}};
    for (const auto& [name, form] : named)
      if (form->GetX() != kNotDrawn) drawn += name;
    return drawn;
  }

  std::vector<std::unique_ptr<gui::TeskForm>> forms_;
  std::vector<std::unique_ptr<gui::TeskPanel>> panels_;
};

struct FrontEndCase {
  uint8_t mode;
  uint8_t previous;
  std::string drawn;
  uint8_t modeAfter;
};

TEST_F(FrontEndFrame, EachModeDrawsItsScreens) {
  const FrontEndCase cases[] = {
      {game::ScreenWorld, 0, "icons ", game::ScreenMainMenu},
      {game::ScreenMainMenu, 0, "icons ", game::ScreenMainMenu},
      {game::ScreenLoad, game::ScreenMainMenu, "icons load ", game::ScreenLoad},
      {game::ScreenOptions, game::ScreenMainMenu, "icons options ", game::ScreenOptions},
      {game::ScreenOptions, game::ScreenGameMenu, "options ", game::ScreenOptions},
      {game::ScreenConfirmation, game::ScreenOptions, "icons confirmation options ", game::ScreenConfirmation},
      {game::ScreenConfirmation, game::ScreenCharCreate, "confirmation character ", game::ScreenConfirmation},
      {game::ScreenStartGame, game::ScreenCharCreate, "start ", game::ScreenStartGame},
      {game::ScreenCharCreate, game::ScreenMainMenu, "character ", game::ScreenCharCreate},
  };
  for (const FrontEndCase& c : cases) {
    record().frontEndActive = -1;
    record().ScreenMode = c.mode;
    record().previousScreenMode = c.previous;
    RTSuccess result = kRTFailure;
    Cell cell{};
    EXPECT_EQ(Present(&result, &cell), c.drawn) << int(c.mode) << " over " << int(c.previous);
    EXPECT_EQ(result, kRTSuccess);
    EXPECT_EQ(cell.value.number, -1);
    EXPECT_EQ(record().ScreenMode, c.modeAfter) << int(c.mode);
  }
  EXPECT_EQ(record().forms.mainIcons->GetX(), kNotDrawn) << "the last case drew no start menu";
}

TEST_F(FrontEndFrame, AMovieIsNotDrawnOverAndAFailedFrameKeepsTheClock) {
  record().frontEndActive = -1;
  record().ScreenMode = game::ScreenMainMenu;
  record().moviePlaying = 1;
  record().paused = 0;
  record().timeDilation = 1.0;
  const double before = record().gameClock;
  platform::AdvanceClock(500 * platform::kTicksPerSecond / 1000);
  StartRecording();
  RTSuccess result = kRTFailure;
  Cell cell{};
  EXPECT_EQ(Present(&result, &cell), "");
  EXPECT_EQ(Recorded(), Lines{});
  EXPECT_EQ(result, kRTSuccess);
  EXPECT_EQ(cell.value.number, -1);
  EXPECT_GT(record().gameClock, before) << "the clock goes on under the movie";

  record().moviePlaying = 0;
  int notAWindow = 0;
  void* window = record().windowHandle;
  record().windowHandle = &notAWindow;
  const double clock = record().gameClock;
  platform::AdvanceClock(500 * platform::kTicksPerSecond / 1000);
  cell = Cell{};
  cell.value.number = 77;
  EXPECT_EQ(Present(&result, &cell), "");
  EXPECT_EQ(result, kRTFailure);
  EXPECT_EQ(record().gameClock, clock);
  EXPECT_EQ(cell.value.number, 77) << "the result cell is not written";
  record().windowHandle = window;

  record().frontEndActive = 0;
  record().ScreenMode = game::ScreenLoad;
  EXPECT_EQ(Present(&result, &cell), "");
  EXPECT_EQ(cell.value.number, 0);
  EXPECT_EQ(record().ScreenMode, game::ScreenWorld);
}

// The angle of the rings' turn in the world matrix that the line pushes.
double TurnOf(const std::string& line) {
  float m[4] = {};
  if (std::sscanf(line.c_str(), "PushWorldMatrix([%f, %f, %f, %f", &m[0], &m[1], &m[2], &m[3]) != 4) return NAN;
  return std::atan2(-m[2], m[0]);
}

TEST_F(FrontEndFrame, TheRingsTurnWithTheGameClockAndDrawTheSpritesOfTheirSlots) {
  MakeWorld();
  RTTeskActorWrapper* player = AddActorAt(1.0f, 0.0f, 2.0f);
  player->BodyNode = player->RootNode;
  record().superPowerSlots[0].sprite = 3;
  record().superPowerSlots[1].sprite = -1;
  record().superPowerSlots[2].sprite = 16;  // past the powers image: not drawn
  auto rings = [&](double clock) {
    SetClock(clock);
    StartRecording();
    EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kRenderAOI, record().rasterizer), kRTSuccess);
    return Recorded();
  };
  auto turn = [](const Lines& lines) {
    for (const std::string& line : lines)
      if (line.rfind("PushWorldMatrix(", 0) == 0) return TurnOf(line);
    return double(NAN);
  };
  const Lines first = rings(10.0);
  const Lines later = rings(12.5);
  const Lines paused = rings(12.5);
  EXPECT_NEAR(std::remainder(turn(later) - turn(first), 2 * M_PI), 0.5, 1e-4) << "0.2 rad a second";
  EXPECT_NEAR(turn(paused), turn(later), 1e-6);
  EXPECT_EQ(CountStarting(later, "BeginPrimitive(0x101)"), 1u) << "one sprite: slot 0";
  EXPECT_EQ(CountStarting(later, "DrawIndexedQuad(0, 1, 2, 3)"), 2u) << "the two rings";

  record().securityViewActive = 1;
  EXPECT_EQ(rings(13.0), Lines{});
  record().securityViewActive = 0;
  kivo::ListDestroy(record().lists.actorList);
  kivo::ListCreate(&record().lists.actorList);
  StartRecording();
  EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kRenderAOI, record().rasterizer), kRTFailure);
}

}  // namespace
