// The script's camera methods: they store targets and rates, which the frame advances. Angles
// cross the script boundary in degrees and live in the free camera's axes in radians; times are
// the game clock.
#include <cmath>

#include "camera_frame.h"
#include "game_context.h"
#include "game_methods.h"
#include "kivo/varno_controller/varno_controller_calls.h"

namespace tesk::game::method {

namespace {

constexpr double kPi = 3.14159265;
constexpr double kTurn = 6.2831853;
constexpr double kInversePi = 0.31830988654751274;

float Radians(float degrees) { return static_cast<float>(degrees * kPi * (1.0 / 180.0)); }
float Degrees(float radians) { return static_cast<float>(180.0 * radians * kInversePi); }
// A rate that moves `from` to `to` over the seconds; 0 for no time at all (the lerp then only
// takes its target at the next frame).
float RateOver(double from, double to, float seconds) {
  return seconds != 0.0f ? static_cast<float>((to - from) / seconds) : 0.0f;
}

void StartLerp(CameraLerp& lerp, const GamePrivateData& game, float target, float rate, float seconds) {
  lerp.target = target;
  lerp.rate = rate;
  lerp.endTime = static_cast<float>(game.gameClock + seconds);
  lerp.lastTime = static_cast<float>(game.gameClock);
  lerp.active = 1;
}

RTSuccess WriteReal(Cell* result, float value) {
  if (!result) return kRTFailure;
  result->value.real = value;
  return kRTSuccess;
}

FreeCameraAxis& Axis(GamePrivateData& game, FreeCameraAxisIndex index) { return game.freeCamera.axes[index]; }

}  // namespace

TESK_GAME_SCRIPT_METHOD(ScreenFadeToColor) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 3 || !arguments[0].value.vector) return kRTFailure;
  const RTFVector3D& colour = *arguments[0].value.vector;
  const float target[4] = {colour.x, colour.y, colour.z, arguments[1].value.real};
  const float seconds = arguments[2].value.real;
  for (int i = 0; i < 4; ++i) {
    game->fadeRate[i] = RateOver(game->fadeColor[i], target[i], seconds);
    game->fadeTarget[i] = target[i];
  }
  game->fadeEndTime = static_cast<float>(game->gameClock + seconds);
  game->fadeLastTime = static_cast<float>(game->gameClock);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraShake) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->shakeAmplitude = RealArgument(count, arguments, 0);
  game->shakeEndTime = static_cast<float>(game->gameClock + RealArgument(count, arguments, 1));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraGetPosition) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !result || !result->value.vector) return kRTFailure;
  *result->value.vector = game->positionLerp.current;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraSetPosition) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1 || !arguments[0].value.vector) return kRTFailure;
  game->positionLerp.current = *arguments[0].value.vector;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraLerpToPosition) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2 || !arguments[0].value.vector) return kRTFailure;
  PositionLerp& lerp = game->positionLerp;
  const RTFVector3D& target = *arguments[0].value.vector;
  const float seconds = arguments[1].value.real;
  lerp.rate =
      RTFVector3D{RateOver(lerp.current.x, target.x, seconds), 0.0f, RateOver(lerp.current.z, target.z, seconds), 0.0f};
  lerp.endTime = static_cast<float>(game->gameClock + seconds);
  lerp.lastTime = static_cast<float>(game->gameClock);
  lerp.target = target;
  lerp.active = 1;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraAttachToUser) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->freeCameraMode = 1;
  game->cameraReleased = 0;
  game->cameraAttachActor = 0;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraDetachFromUser) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  game->freeCameraMode = 0;
  game->cameraReleased = 1;
  game->cameraAttachActor = 0;
  game->cameraRotateLeft = game->cameraRotateRight = 0;
  const kivo::List* actors = game->lists.actorList;
  RTFVector3D player;
  if (actors && actors->first && ActorPosition(static_cast<RTTeskActorWrapper*>(actors->first->data), &player))
    game->positionLerp.current = RTFVector3D{player.x, 0.0f, player.z, game->positionLerp.current.w};
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraAttachToActor) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  void* wrapper = nullptr;
  if (count < 1 || !game->actorComponent ||
      !kivo::varno_controller::FindNativeRecord(game->actorComponent, arguments[0].value.pointer, &wrapper) ||
      !wrapper) {
    Report(u"Couldn't retrieve wrapper for actor to attach camera to!");
    return kRTFailure;
  }
  game->cameraAttachActor = 1;
  game->cameraAttachWrapper = static_cast<RTTeskActorWrapper*>(wrapper);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraGetPitch) {
  GamePrivateData* game = RecordOf(self);
  return game ? WriteReal(result, Degrees(Axis(*game, kPitchAxis).position)) : kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(CameraGetYaw) {
  GamePrivateData* game = RecordOf(self);
  return game ? WriteReal(result, Degrees(Axis(*game, kYawAxis).position)) : kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(CameraSetPitch) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  Axis(*game, kPitchAxis).position = Radians(arguments[0].value.real);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraSetYaw) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  Axis(*game, kYawAxis).position = Radians(arguments[0].value.real);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraLerpToPitch) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2) return kRTFailure;
  const float target = static_cast<float>(arguments[0].value.real * kPi / 180.0);
  const float seconds = arguments[1].value.real;
  StartLerp(game->pitchLerp, *game, target, RateOver(Axis(*game, kPitchAxis).position, target, seconds), seconds);
  return kRTSuccess;
}

// The shorter way round: both angles are first brought within one turn (keeping their signs).
TESK_GAME_SCRIPT_METHOD(CameraLerpToYaw) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2) return kRTFailure;
  FreeCameraAxis& yaw = Axis(*game, kYawAxis);
  const float seconds = arguments[1].value.real;
  const float target = static_cast<float>(std::fmod(arguments[0].value.real * kPi / 180.0, kTurn));
  const float from = static_cast<float>(std::fmod(static_cast<double>(yaw.position), kTurn));
  const double d = static_cast<double>(target) - from;
  float rate = 0.0f;
  if (seconds != 0.0f) {
    rate = static_cast<float>(d / seconds);
    if (std::fabs(d) > kPi) rate = static_cast<float>((d > 0 ? -1.0 : 1.0) * (kTurn - std::fabs(d)) / seconds);
  }
  yaw.position = from;
  yaw.velocity = 0.0f;
  yaw.acceleration = 0.0f;
  StartLerp(game->yawLerp, *game, target, rate, seconds);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraGetZoom) {
  GamePrivateData* game = RecordOf(self);
  return game ? WriteReal(result, game->cameraZoom) : kRTFailure;
}

TESK_GAME_SCRIPT_METHOD(CameraSetZoom) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 1) return kRTFailure;
  game->cameraZoom = arguments[0].value.real;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(CameraLerpToZoom) {
  GamePrivateData* game = RecordOf(self);
  if (!game || count < 2) return kRTFailure;
  const float target = arguments[0].value.real;
  const float seconds = arguments[1].value.real;
  StartLerp(game->zoomLerp, *game, target, RateOver(game->cameraZoom, target, seconds), seconds);
  return kRTSuccess;
}

}  // namespace tesk::game::method
