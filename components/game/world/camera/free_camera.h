// The free camera: the angles, zoom reserve and panning of the game's view as five one-dimensional
// bodies with mass, velocity and position, which input pushes and the frame render steps.
#pragma once

#include <cstdint>

namespace tesk::game {

struct FreeCameraAxis {
  float mass;
  float acceleration;  // force / mass pushed since the last step
  float velocity;
  float position;
  float lastTime;  // seconds; set by the first step
  uint32_t started;
};

enum FreeCameraAxisIndex : uint32_t {
  kZoomAxis = 0,
  kYawAxis = 1,
  kPitchAxis = 2,  // radians, kept within [-pi/2, 0]
  kSideAxis = 3,
  kForwardAxis = 4,
  kFreeCameraAxes = 5,
};

struct FreeCamera {
  FreeCameraAxis axes[kFreeCameraAxes];
};

inline constexpr float kFreeCameraZoom = 7.0f;
inline constexpr float kFreeCameraPitch = -0.7853982f;  // -pi/4

// Every axis at rest with mass 1.0; the zoom at 7.0 and the pitch at -pi/4.
void CreateFreeCamera(FreeCamera* camera);

// acceleration += force / mass.
void FreeCameraAxisPush(FreeCameraAxis* axis, float force);
// The first call only starts the axis at `now` (seconds); later ones integrate the velocity, then
// the position, over the time since the last call and clear the acceleration. dt is not clamped.
void FreeCameraAxisStep(FreeCameraAxis* axis, float now);

// Pushes one axis, except that a force against the axis's motion stops the axis instead (its
// velocity becomes 0 and nothing is added): an opposing key brakes rather than reverses.
void FreeCameraPushYaw(FreeCamera* camera, float force);
void FreeCameraPushPitch(FreeCamera* camera, float force);
void FreeCameraPushSide(FreeCamera* camera, float force);
void FreeCameraPushForward(FreeCamera* camera, float force);

// One frame: damps yaw, side, forward and pitch by their velocities, steps the axes (yaw, zoom,
// forward, side, pitch) to `now` and keeps the pitch within [-pi/2, 0] (a clamped pitch stops).
void StepFreeCamera(FreeCamera* camera, float now);

}  // namespace tesk::game
