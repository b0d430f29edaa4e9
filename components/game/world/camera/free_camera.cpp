#include "free_camera.h"

#include <initializer_list>

namespace tesk::game {

namespace {

constexpr double kPitchFloor = -1.570796325;
constexpr float kClampedPitch = -1.5707964f;  // -pi/2

void GuardedPush(FreeCameraAxis& axis, float force) {
  if ((force > 0.0f && axis.velocity < 0.0f) || (force < 0.0f && axis.velocity > 0.0f)) {
    axis.velocity = 0.0f;
    return;
  }
  FreeCameraAxisPush(&axis, force);
}

}  // namespace

void CreateFreeCamera(FreeCamera* camera) {
  for (FreeCameraAxis& axis : camera->axes) axis = FreeCameraAxis{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0};
  camera->axes[kZoomAxis].position = kFreeCameraZoom;
  camera->axes[kPitchAxis].position = kFreeCameraPitch;
}

void FreeCameraAxisPush(FreeCameraAxis* axis, float force) { axis->acceleration += force / axis->mass; }

void FreeCameraAxisStep(FreeCameraAxis* axis, float now) {
  if (!axis->started) {
    axis->started = 1;
    axis->lastTime = now;
    return;
  }
  const float dt = now - axis->lastTime;
  axis->velocity += axis->acceleration * dt;
  axis->position += axis->velocity * dt;
  axis->acceleration = 0.0f;
  axis->lastTime = now;
}

void FreeCameraPushYaw(FreeCamera* camera, float force) { GuardedPush(camera->axes[kYawAxis], force); }
void FreeCameraPushPitch(FreeCamera* camera, float force) { GuardedPush(camera->axes[kPitchAxis], force); }
void FreeCameraPushSide(FreeCamera* camera, float force) { GuardedPush(camera->axes[kSideAxis], force); }
void FreeCameraPushForward(FreeCamera* camera, float force) { GuardedPush(camera->axes[kForwardAxis], force); }

void StepFreeCamera(FreeCamera* camera, float now) {
  FreeCameraAxis* axes = camera->axes;
  FreeCameraAxisPush(&axes[kYawAxis], static_cast<float>(-1.0 * axes[kYawAxis].velocity * 2.0));
  for (FreeCameraAxisIndex damped : {kSideAxis, kForwardAxis, kPitchAxis})
    FreeCameraAxisPush(&axes[damped], static_cast<float>(-0.2 * axes[damped].velocity * 2.0));
  for (FreeCameraAxisIndex stepped : {kYawAxis, kZoomAxis, kForwardAxis, kSideAxis, kPitchAxis})
    FreeCameraAxisStep(&axes[stepped], now);
  FreeCameraAxis& pitch = axes[kPitchAxis];
  if (static_cast<double>(pitch.position) < kPitchFloor) {
    pitch.position = kClampedPitch;
    pitch.velocity = 0.0f;
  }
  if (pitch.position > 0.0f) {
    pitch.position = 0.0f;
    pitch.velocity = 0.0f;
  }
}

}  // namespace tesk::game
