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

}  // namespace tesk::game
