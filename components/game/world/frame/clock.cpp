// The game clock: seconds of real time scaled by the time dilation and stopped while the game is
// paused. The game time is half the clock.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/support/format.h"

namespace tesk::game::method {

void ResetGameClock(GamePrivateData& game) {
  game.lastTick = Now();
  game.gameClock = 0.0;
}

void SetGameTimeNative(GamePrivateData& game, float gameTime) {
  Report(kivo::Format(u"***GAME TIME SET TO (in C Code): %f******", static_cast<double>(gameTime)));
  game.gameClock = static_cast<double>(gameTime) * 2.0;
}

// The millisecond difference is unsigned, so a wrap of the core's counter still counts right.
void AdvanceGameClock(GamePrivateData& game) {
  const uint32_t now = Now();
  if (game.paused) game.lastTick = now;
  const uint32_t elapsed = now - game.lastTick;
  game.lastTick = now;
  game.gameClock += elapsed * 0.001 * game.timeDilation;
}

TESK_GAME_SCRIPT_METHOD(ResetGameTime) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  ResetGameClock(*game);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetCurrentTime) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.real = static_cast<float>(game->gameClock);
  return kRTSuccess;
}

RTSuccess GetCurrentTimeC(RTInstance self, float* time) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !time) return kRTFailure;
  *time = static_cast<float>(game->gameClock);
  return kRTSuccess;
}

RTSuccess GetGameTimeC(RTInstance self, float* time) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !time) return kRTFailure;
  *time = static_cast<float>(game->gameClock * 0.5);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetGameTime) { return result ? GetGameTimeC(self, &result->value.real) : kRTFailure; }

TESK_GAME_SCRIPT_METHOD(SetGameTime) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  const float gameTime = arguments[0].value.real;
  Report(kivo::Format(u"***GAME TIME SET TO (in VARNO Code): %f******", static_cast<double>(gameTime)));
  SetGameTimeNative(*game, gameTime);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetTimeDilation) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  game->timeDilation = arguments[0].value.real;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetRelativeTimeDilation) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  game->timeDilation *= arguments[0].value.real;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetTimeDilation) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result) return kRTFailure;
  result->value.real = static_cast<float>(game->timeDilation);
  return kRTSuccess;
}

}  // namespace tesk::game::method
