// MouseWheel: the wheel zooms the camera.
#include "game_methods.h"
#include "pointer_shared.h"

namespace tesk::game {

namespace {

constexpr float kWheelZoomPerUnit = 0.0075f;  // a notch of 120 zooms by -0.9

}  // namespace

namespace method {

RTSuccess MouseWheel(RTInstance self, int32_t, int32_t, int32_t delta) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  if (Library().loading) return kRTSuccess;
  if (!game->environment.cameraLens) return kRTFailure;
  ZoomCamera(*game, -static_cast<float>(delta) * kWheelZoomPerUnit);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
