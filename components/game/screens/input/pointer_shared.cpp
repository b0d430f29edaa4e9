#include "pointer_shared.h"

#include "game_context.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"

namespace tesk::game {

namespace {

constexpr uint32_t kToolTipUnits = 1024;

}  // namespace

void ZoomCamera(GamePrivateData& game, float step) {
  game.cameraZoom += step;
  if (!game.cameraZoomClamp) return;
  if (game.cameraZoom > game.cameraZoomMax) game.cameraZoom = game.cameraZoomMax;
  if (game.cameraZoom < game.cameraZoomMin) game.cameraZoom = game.cameraZoomMin;
}

void ShowToolTip(GamePrivateData& game, int32_t x, int32_t y, const char16_t* text, float delay, int32_t width) {
  game.tooltipActive = 1;
  game.tooltipWidth = width;
  game.tooltipX = x;
  game.tooltipY = y;
  const char16_t* shown = text ? text : u"";
  if (!game.tooltipText || kivo::WideStrEqualNoCase(shown, game.tooltipText) != 0)
    game.tooltipStart = static_cast<float>(game.gameClock);
  game.tooltipDelay = delay;
  char16_t copy[kToolTipUnits];
  kivo::FormatTo(copy, kToolTipUnits, u"%s", shown);
  Core().ArrayFree(nullptr, game.tooltipText);
  game.tooltipText = nullptr;
  kivo::WideStrDup(copy, &game.tooltipText);
}

}  // namespace tesk::game
