// The subtitle box: the subtitle font lays out, times and draws the lines; the game places its box,
// queues the lines and ends them.
#include "form_drawing.h"
#include "game_context.h"
#include "game_methods.h"
#include "gui_skin.h"
#include "hud_state.h"
#include "kivo/font/font_calls.h"
#include "skin_frames.h"

namespace tesk::game {

namespace {

constexpr float kNoEnd = 999999.0f;
constexpr int32_t kTextLeft = 200;
constexpr int32_t kSideMargins = 400;
constexpr int32_t kTextHeight = 54;

// The box's top: 225 pixels above the screen's bottom in the 1024 layout, 215 in the 800 one.
int32_t BoxTop(const GamePrivateData& game) {
  const int32_t height = static_cast<int32_t>(game.screenHeight);
  switch (gui::GetSkinVariant()) {
    case kSkinVariant1024:
      return height - 225;
    case kSkinVariant800:
      return height - 215;
    default:
      return 0;
  }
}

int32_t TextWidth(const GamePrivateData& game) { return static_cast<int32_t>(game.screenWidth) - kSideMargins; }

}  // namespace

void DrawSubtitleBox(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->subtitlesOn) return;
  gui::DrawSkinFrameB(game->rasterizer, kTextLeft - 10, BoxTop(*game), TextWidth(*game) + 20, kTextHeight + 10);
  if (game->subtitleFont) kivo::font::DrawLines(game->subtitleFont, static_cast<float>(game->gameClock));
}

namespace method {

TESK_GAME_SCRIPT_METHOD(SetupSubtitleBox) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->subtitlesOn) return kRTSuccess;
  if (game->subtitleFont)
    kivo::font::SetTextBox(game->subtitleFont, kTextLeft, BoxTop(*game) + 5, TextWidth(*game), kTextHeight,
                           game->screenWidth, game->screenHeight);
  const float duration = RealArgument(count, arguments, 0);
  game->subtitleEndTime = duration == -1.0f ? kNoEnd : static_cast<float>(game->gameClock + duration);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(EndSubtitles) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  game->subtitleActive = 0;
  if (game->subtitleFont) kivo::font::ClearQueuedLines(game->subtitleFont);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(AddSubtitleText) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  if (game->subtitleFont)
    kivo::font::AddLine(game->subtitleFont, TextArgument(count, arguments, 1), static_cast<float>(game->gameClock),
                        game->subtitleLineWord);
  game->subtitleActive = 1;
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
