#include "free_camera.h"

namespace tesk::game {

void CreateFreeCamera(FreeCamera* camera) {
  for (FreeCameraAxis& axis : camera->axes) axis = FreeCameraAxis{1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0};
  camera->axes[kZoomAxis].position = kFreeCameraZoom;
  camera->axes[kPitchAxis].position = kFreeCameraPitch;
}

}  // namespace tesk::game
