#include "camera_frame.h"

#include "kivo/actor/actor_calls.h"
#include "kivo/camera/camera_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/random.h"

namespace tesk::game {

namespace {

constexpr float kRotatePush = 4.0f;
constexpr float kPanHeight = 2.0f;

void PushRotation(GamePrivateData& game) {
  if (game.ScreenMode != ScreenWorld && game.ScreenMode != ScreenConversation)
    game.cameraRotateLeft = game.cameraRotateRight = 0;
  if (game.cameraRotateLeft)
    FreeCameraPushYaw(&game.freeCamera, kRotatePush);
  else if (game.cameraRotateRight)
    FreeCameraPushYaw(&game.freeCamera, -kRotatePush);
}

// `at` plus the camera's z axis times the zoom, `height` added to y.
RTFVector3D BackAlongZ(const RTFMatrix4x4& m, float zoom, const RTFVector3D& at, float height) {
  return RTFVector3D{at.x + m.m[2][0] * zoom, at.y + height + m.m[2][1] * zoom, at.z + m.m[2][2] * zoom, 1.0f};
}

RTTeskActorWrapper* Player(const GamePrivateData& game) {
  const kivo::List* actors = game.lists.actorList;
  return actors && actors->first ? static_cast<RTTeskActorWrapper*>(actors->first->data) : nullptr;
}

void FollowPlayer(const GamePrivateData& game, const RTFMatrix4x4& m, RTFVector3D* t) {
  RTFVector3D player;
  if (ActorPosition(Player(game), &player)) *t = BackAlongZ(m, game.cameraZoom, player, game.cameraHeight);
}

void FollowUserPanning(GamePrivateData& game, const RTFMatrix4x4& m, RTFVector3D* t) {
  FreeCameraAxis* axes = game.freeCamera.axes;
  RTFVector3D& pan = game.freeCameraPosition;
  const float side = axes[kSideAxis].position;
  const float forward = axes[kForwardAxis].position;
  pan.x += m.m[0][0] * side;
  pan.z += m.m[0][2] * side;
  pan.x += m.m[2][0] * forward;
  pan.z += m.m[2][2] * forward;
  *t = BackAlongZ(m, game.cameraZoom, RTFVector3D{pan.x, 0.0f, pan.z, 1.0f}, kPanHeight);
  axes[kSideAxis].position = 0.0f;
  axes[kForwardAxis].position = 0.0f;
}

void FollowScript(GamePrivateData& game, const RTFMatrix4x4& m, RTFVector3D* t) {
  const double clock = game.gameClock;
  FreeCameraAxis* axes = game.freeCamera.axes;
  StepPositionLerp(&game.positionLerp, clock);
  StepCameraLerp(&game.pitchLerp, clock, &axes[kPitchAxis].position);
  StepCameraLerp(&game.yawLerp, clock, &axes[kYawAxis].position);
  StepCameraLerp(&game.zoomLerp, clock, &game.cameraZoom);
  RTFVector3D actor;
  if (game.cameraAttachActor) {
    if (ActorPosition(game.cameraAttachWrapper, &actor)) *t = BackAlongZ(m, game.cameraZoom, actor, game.cameraHeight);
    return;
  }
  const RTFVector3D& point = game.positionLerp.current;
  *t = BackAlongZ(m, game.cameraZoom, RTFVector3D{point.x, 0.0f, point.z, 1.0f}, game.cameraHeight);
}

void Shake(const GamePrivateData& game, RTFVector3D* t) {
  if (!(game.gameClock <= game.shakeEndTime)) return;
  const double d1 = (kivo::RandomReal() - 0.5) * game.shakeAmplitude;
  const double d2 = (kivo::RandomReal() - 0.5) * game.shakeAmplitude;
  const double d3 = (kivo::RandomReal() - 0.5) * game.shakeAmplitude;
  t->x = static_cast<float>(t->x + d2);
  t->y = static_cast<float>(t->y + d1);
  t->z = static_cast<float>(t->z + d3);
}

}  // namespace

bool ActorPosition(const RTTeskActorWrapper* wrapper, RTFVector3D* position) {
  const RTFMatrix4x4* local = nullptr;
  if (!wrapper || !wrapper->RootNode || !kivo::scene_node::GetLocalMatrix(wrapper->RootNode, &local) || !local)
    return false;
  *position = RTFVector3D{local->m[3][0], local->m[3][1], local->m[3][2], 1.0f};
  return true;
}

void UpdateCameraFrame(GamePrivateData& game, uint32_t frameStart) {
  PushRotation(game);
  StepFreeCamera(&game.freeCamera, static_cast<float>(frameStart * 0.001));
  const RTInstance node = game.environment.cameraNode;
  if (!node) return;
  const FreeCameraAxis* axes = game.freeCamera.axes;
  kivo::scene_node::SetEulerAngles(node, axes[kPitchAxis].position, axes[kYawAxis].position, 0.0f);
  if (game.environment.cameraLens)
    kivo::camera::SetFieldOfView(game.environment.cameraLens, game.environment.fieldOfView);
  const RTFMatrix4x4* local = nullptr;
  if (!kivo::scene_node::GetLocalMatrix(node, &local) || !local) return;
  const RTFMatrix4x4 m = *local;
  RTFVector3D t{m.m[3][0], m.m[3][1], m.m[3][2], 1.0f};
  if (!game.cameraReleased)
    FollowPlayer(game, m, &t);
  else if (game.freeCameraMode && !game.cameraAttachActor)
    FollowUserPanning(game, m, &t);
  else
    FollowScript(game, m, &t);
  Shake(game, &t);
  kivo::scene_node::SetTranslation(node, &t);
}

}  // namespace tesk::game
