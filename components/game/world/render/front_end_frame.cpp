// The front end's frames: PresentStartup draws the start menu and the screens opened from it (load,
// options, start game, character creation, the confirmation over them) while the front end is
// active, and hands its result to the script; the start menu's backdrop; the empty episode
// selection; the mouse-over pop-up for native callers.
#include "character_screen.h"
#include "form.h"
#include "form_drawing.h"
#include "game_methods.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "mouse_over_popup.h"
#include "screen_drawing.h"
#include "startup_background.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

constexpr int32_t kMenuIconsX = -25;

// Whether the mode shows, or the confirmation covers with the previous mode, the screen.
bool Shows(const GamePrivateData& game, uint8_t mode) {
  return game.ScreenMode == mode || (game.ScreenMode == ScreenConfirmation && game.previousScreenMode == mode);
}

// The form in a screen-drawing bracket of its own, centred on its panel.
void DrawStage(RTInstance self, GamePrivateData& game, gui::TeskForm* form, const char16_t* panel) {
  if (!form) return;
  gui::SavedProjection saved{};
  gui::BeginScreenDrawing(self, &saved);
  DrawCentredForm(game, form, panel, 0);
  gui::EndScreenDrawing(self, saved);
}

void DrawStartMenu(RTInstance self, GamePrivateData& game) {
  if (game.ScreenMode == ScreenWorld) game.ScreenMode = ScreenMainMenu;
  DrawStartupBackground(self, game);
  gui::TeskForm* icons = game.forms.mainIcons;
  if (!icons) return;
  gui::SavedProjection saved{};
  gui::BeginScreenDrawing(self, &saved);
  icons->SetX(kMenuIconsX);
  icons->SetY(0);
  icons->Draw(0, 0, game.rasterizer);
  gui::EndScreenDrawing(self, saved);
}

void DrawFrontEndScreens(RTInstance self, GamePrivateData& game) {
  const uint8_t mode = game.ScreenMode;
  const uint8_t previous = game.previousScreenMode;
  const bool confirming = mode == ScreenConfirmation;
  if (mode == ScreenMainMenu || mode == ScreenWorld || (mode == ScreenOptions && previous == ScreenMainMenu) ||
      (mode == ScreenLoad && previous == ScreenMainMenu) || (confirming && previous != ScreenCharCreate))
    DrawStartMenu(self, game);
  if (Shows(game, ScreenLoad)) DrawStage(self, game, game.forms.load, u"LS_SSG_PNL");
  if (confirming) DrawStage(self, game, game.forms.confirmation, u"MAIN_PANEL");
  if (Shows(game, ScreenOptions)) DrawStage(self, game, game.forms.gameOptions, u"GO_VID_MAIN");
  if (confirming) DrawStage(self, game, game.forms.confirmation, u"MAIN_PANEL");
  if (mode == ScreenStartGame) DrawStage(self, game, game.forms.startGame, u"SG_PNL");
  if (Shows(game, ScreenCharCreate) && game.forms.characterScreen) {
    CharScreenRenderPreview(game);
    if (confirming) DrawStage(self, game, game.forms.confirmation, u"MAIN_PANEL");
  }
}

}  // namespace

namespace method {

TESK_GAME_SCRIPT_METHOD(PresentStartup) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  if (game->frontEndActive == 0) {
    game->ScreenMode = ScreenWorld;
    result->type = varno::kTypeNumber;
    result->value.number = 0;
    return kRTSuccess;
  }
  game->vm = vm;
  if (!game->moviePlaying) {
    RTInstance rasterizer = game->rasterizer;
    if (!rasterizer || !r::BeginFrame(rasterizer, game->windowHandle)) return kRTFailure;
    r::EnableFog(rasterizer, 1);
    r::SetFogColor(rasterizer, 0.0f, 0.0f, 0.0f, 0.0f);
    r::SetClearStencil(rasterizer, 0);
    r::SetClearMask(rasterizer, r::kClearColour | r::kClearDepth | r::kClearStencil);
    r::EnableDepthTest(rasterizer, 1);
    if (game->resizePending) {
      r::ResizeViewport(rasterizer, game->screenWidth, game->screenHeight);
      game->resizePending = 0;
    }
    // The scene the frame's EndScene closes: it clears the buffers, which the screens without the
    // start menu's backdrop would otherwise draw over as they were.
    r::BeginScene(rasterizer);
    gui::SavedProjection saved{};
    gui::BeginScreenDrawing(self, &saved);
    DrawFrontEndScreens(self, *game);
    gui::EndScreenDrawing(self, saved);
    r::EndScene(rasterizer);
    r::PresentFrame(rasterizer);
  }
  AdvanceGameClock(*game);
  result->type = varno::kTypeNumber;
  result->value.number = game->frontEndActive;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(PresentEpisodeSelection) { return kRTSuccess; }

// Native callers only: a script's call would hand its argument block over in place of these.
RTSuccess DrawMOPopUp(RTInstance self, int32_t x, int32_t y, int32_t width, const char16_t* text) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->rasterizer) return kRTFailure;
  gui::DrawMouseOverPopUp(game->rasterizer, x, y, width, text);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
