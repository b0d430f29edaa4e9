// The cameras: the free camera's axes as a table of pushes and steps; the frame's camera update in
// each of its modes, read back from the camera node; the script camera's methods.
#include <cmath>
#include <string>

#include "frame_fixture.h"
#include "free_camera.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/varno_controller/varno_controller_calls.h"
#include "platform/clock.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;

constexpr float kClampedPitch = -1.5707964f;

// --- The free camera ----------------------------------------------------------------------------

game::FreeCamera StartedCamera(float now) {
  game::FreeCamera camera;
  game::CreateFreeCamera(&camera);
  game::StepFreeCamera(&camera, now);
  return camera;
}

TEST(FreeCamera, TheFirstStepOnlyStartsTheAxes) {
  game::FreeCamera camera;
  game::CreateFreeCamera(&camera);
  game::FreeCameraPushYaw(&camera, 4.0f);
  game::StepFreeCamera(&camera, 10.0f);
  const game::FreeCameraAxis& yaw = camera.axes[game::kYawAxis];
  EXPECT_EQ(yaw.started, 1u);
  EXPECT_EQ(yaw.lastTime, 10.0f);
  EXPECT_EQ(yaw.velocity, 0.0f);
  EXPECT_EQ(yaw.position, 0.0f);
  EXPECT_EQ(yaw.acceleration, 4.0f) << "kept for the next step";
  EXPECT_EQ(camera.axes[game::kZoomAxis].position, 7.0f);
  EXPECT_EQ(camera.axes[game::kPitchAxis].position, -0.7853982f);
}

// A push of 4 at rest gives 0.4 after a step of 0.1 s; the yaw's damping then takes a fifth of the
// velocity each step.
TEST(FreeCamera, AYawPushDecaysByFourFifthsAStep) {
  game::FreeCamera camera = StartedCamera(1.0f);
  game::FreeCameraPushYaw(&camera, 4.0f);
  const game::FreeCameraAxis& yaw = camera.axes[game::kYawAxis];
  float expected = 0.4f;
  for (int step = 1; step <= 4; ++step) {
    game::StepFreeCamera(&camera, 1.0f + 0.1f * step);
    EXPECT_NEAR(yaw.velocity, expected, 1e-5f) << "step " << step;
    expected *= 0.8f;
  }
  EXPECT_GT(yaw.position, 0.0f);
}

// An opposing push stops the axis and adds nothing; a push along the motion adds.
TEST(FreeCamera, AnOpposingPushBrakesInsteadOfReversing) {
  struct Case {
    float velocity;
    float force;
    float velocityAfter;
    float accelerationAfter;
  };
  for (const Case& c : {Case{0.5f, -4.0f, 0.0f, 1.5f}, Case{-0.5f, 4.0f, 0.0f, 1.5f}, Case{0.5f, 4.0f, 0.5f, 5.5f},
                        Case{0.5f, 0.0f, 0.5f, 1.5f}}) {
    game::FreeCamera camera = StartedCamera(0.0f);
    game::FreeCameraAxis& yaw = camera.axes[game::kYawAxis];
    yaw.velocity = c.velocity;
    yaw.acceleration = 1.5f;
    game::FreeCameraPushYaw(&camera, c.force);
    EXPECT_EQ(yaw.velocity, c.velocityAfter) << c.velocity << " pushed " << c.force;
    EXPECT_EQ(yaw.acceleration, c.accelerationAfter) << c.velocity << " pushed " << c.force;
  }
}

// The pitch stays within [-pi/2, 0]: a clamped pitch stops.
TEST(FreeCamera, ThePitchIsClampedAndStopped) {
  struct Case {
    float velocity;  // over one second from 0
    float position;
  };
  for (const Case& c : {Case{-2.0f, kClampedPitch}, Case{0.3f, 0.0f}, Case{-1.0f, -1.0f}}) {
    game::FreeCamera camera = StartedCamera(0.0f);
    game::FreeCameraAxis& pitch = camera.axes[game::kPitchAxis];
    pitch.position = 0.0f;
    // The damping push (-0.4 v) comes first: this velocity integrates to the case's.
    pitch.velocity = c.velocity / 0.6f;
    game::StepFreeCamera(&camera, 1.0f);
    EXPECT_FLOAT_EQ(pitch.position, c.position) << c.velocity;
    EXPECT_EQ(pitch.velocity == 0.0f, c.position != c.velocity) << c.velocity;
  }
}

TEST(FreeCamera, TheSameTimeTwiceChangesNothingAndClearsTheAcceleration) {
  game::FreeCamera camera = StartedCamera(2.0f);
  game::FreeCameraAxis& side = camera.axes[game::kSideAxis];
  side.velocity = 1.0f;
  side.position = 3.0f;
  game::FreeCameraPushSide(&camera, 2.0f);
  game::StepFreeCamera(&camera, 2.0f);
  EXPECT_EQ(side.velocity, 1.0f);
  EXPECT_EQ(side.position, 3.0f);
  EXPECT_EQ(side.acceleration, 0.0f);
}

// --- The frame's camera -------------------------------------------------------------------------

constexpr uint64_t kTicksPerMs = platform::kTicksPerSecond / 1000;

class CameraFrame : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    if (HasFatalFailure()) return;
    MakeWorld();
  }
  // The camera's translation after a frame, and the placement's rows that it follows from.
  RTFMatrix4x4 Frame() {
    platform::AdvanceClock(16 * kTicksPerMs);
    EXPECT_EQ(Render(), kRTSuccess) << host_.ErrorLog();
    return CameraPlacement();
  }
  static RTFVector3D Translation(const RTFMatrix4x4& m) { return {m.m[3][0], m.m[3][1], m.m[3][2], 1.0f}; }
  // at + row 2 x zoom, height added to y.
  static RTFVector3D Behind(const RTFMatrix4x4& m, RTFVector3D at, float zoom, float height) {
    return {at.x + m.m[2][0] * zoom, at.y + height + m.m[2][1] * zoom, at.z + m.m[2][2] * zoom, 1.0f};
  }
  static void ExpectNear(const RTFVector3D& a, const RTFVector3D& b, const std::string& what) {
    EXPECT_NEAR(a.x, b.x, 1e-4f) << what;
    EXPECT_NEAR(a.y, b.y, 1e-4f) << what;
    EXPECT_NEAR(a.z, b.z, 1e-4f) << what;
  }
  Cell Vector(float x, float y, float z) {
    vectors_.push_back(std::make_unique<RTFVector3D>(RTFVector3D{x, y, z, 0.0f}));
    return PointerCell(vectors_.back().get());
  }
  float Real(varno::NativeMethodSlot slot) {
    Cell result{};
    EXPECT_EQ(CallScript(slot, {}, &result), kRTSuccess);
    return result.value.real;
  }

  std::vector<std::unique_ptr<RTFVector3D>> vectors_;
};

// One row per mode: the translation written is the looked-at point plus the camera's z axis times
// the zoom, with the mode's height.
TEST_F(CameraFrame, EachModePlacesTheCameraBehindItsPoint) {
  game::GamePrivateData& g = record();
  RTTeskActorWrapper* player = AddActorAt(3.0f, 0.5f, -2.0f);
  RTTeskActorWrapper* attached = MakeWrapper(-6.0f, 1.0f, 4.0f);
  g.cameraZoom = 5.0f;
  g.cameraHeight = 1.25f;
  g.positionLerp.current = RTFVector3D{10.0f, 99.0f, 20.0f, 0.0f};
  g.freeCameraPosition = RTFVector3D{-1.0f, 0.0f, 7.0f, 0.0f};
  g.cameraAttachWrapper = attached;
  struct Case {
    const char* mode;
    uint32_t released;
    uint32_t freeMode;
    uint32_t attach;
    RTFVector3D at;
    float height;
  };
  const Case cases[] = {
      {"follow the player", 0, 1, 1, {3.0f, 0.5f, -2.0f, 1.0f}, 1.25f},
      {"user panning", 1, 1, 0, {-1.0f, 0.0f, 7.0f, 1.0f}, 2.0f},
      {"scripted point", 1, 0, 0, {10.0f, 0.0f, 20.0f, 1.0f}, 1.25f},
      {"attached actor", 1, 1, 1, {-6.0f, 1.0f, 4.0f, 1.0f}, 1.25f},
  };
  for (const Case& c : cases) {
    g.cameraReleased = c.released;
    g.freeCameraMode = c.freeMode;
    g.cameraAttachActor = c.attach;
    const RTFMatrix4x4 m = Frame();
    ExpectNear(Translation(m), Behind(m, c.at, 5.0f, c.height), c.mode);
  }
  (void)player;
}

// Panning moves the looked-at point along the camera's x and z axes, flat, and uses the pan up.
TEST_F(CameraFrame, PanningConsumesTheSideAndForwardAxes) {
  game::GamePrivateData& g = record();
  g.cameraReleased = 1;
  g.freeCameraMode = 1;
  const RTFMatrix4x4 before = Frame();
  g.freeCamera.axes[game::kSideAxis].position = 2.0f;
  g.freeCamera.axes[game::kForwardAxis].position = -1.0f;
  const RTFVector3D pan = g.freeCameraPosition;
  const RTFMatrix4x4 m = Frame();
  const RTFVector3D expected{pan.x + m.m[0][0] * 2.0f - m.m[2][0], 0.0f, pan.z + m.m[0][2] * 2.0f - m.m[2][2], 1.0f};
  EXPECT_NEAR(g.freeCameraPosition.x, expected.x, 1e-4f);
  EXPECT_NEAR(g.freeCameraPosition.z, expected.z, 1e-4f);
  EXPECT_EQ(g.freeCamera.axes[game::kSideAxis].position, 0.0f);
  EXPECT_EQ(g.freeCamera.axes[game::kForwardAxis].position, 0.0f);
  (void)before;
}

// With no actor the camera stays where it stands while its angles still move.
TEST_F(CameraFrame, FollowingAnEmptyListKeepsThePosition) {
  MoveNode(cameraNode_.get(), 1.0f, 2.0f, 3.0f);
  Frame();
  record().freeCamera.axes[game::kYawAxis].velocity = 1.0f;
  const RTFMatrix4x4 m = Frame();
  ExpectNear(Translation(m), RTFVector3D{1.0f, 2.0f, 3.0f, 1.0f}, "empty list");
  EXPECT_NE(record().freeCamera.axes[game::kYawAxis].position, 0.0f);
}

// A lerp whose end has passed takes its target in that frame; the position lerp keeps y until its
// end and then takes the target's.
TEST_F(CameraFrame, LerpsMoveUntilTheirEndAndThenSnap) {
  game::GamePrivateData& g = record();
  g.cameraReleased = 1;
  g.freeCameraMode = 0;
  SetClock(10.0);
  g.positionLerp.current = RTFVector3D{0.0f, 5.0f, 0.0f, 0.0f};
  ASSERT_EQ(CallScript(game::kCameraLerpToPosition, {Vector(4.0f, 1.0f, -8.0f), RealCell(2.0f)}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kCameraLerpToZoom, {RealCell(3.0f), RealCell(-1.0f)}), kRTSuccess);
  SetClock(11.0);
  Frame();
  EXPECT_NEAR(g.positionLerp.current.x, 2.0f, 1e-5f);
  EXPECT_EQ(g.positionLerp.current.y, 5.0f) << "y waits for the end";
  EXPECT_NEAR(g.positionLerp.current.z, -4.0f, 1e-5f);
  EXPECT_EQ(g.cameraZoom, 3.0f) << "an end in the past snaps at once";
  EXPECT_EQ(g.zoomLerp.active, 0u);
  SetClock(12.5);
  Frame();
  EXPECT_EQ(g.positionLerp.current.x, 4.0f);
  EXPECT_EQ(g.positionLerp.current.y, 1.0f);
  EXPECT_EQ(g.positionLerp.current.z, -8.0f);
  EXPECT_EQ(g.positionLerp.active, 0u);
}

// CameraShake(0.5, 2): within a quarter on each axis until the end, then nothing.
TEST_F(CameraFrame, AShakeStaysWithinHalfItsAmplitudeUntilItsEnd) {
  game::GamePrivateData& g = record();
  g.cameraReleased = 1;
  g.freeCameraMode = 0;
  SetClock(1.0);
  ASSERT_EQ(CallScript(game::kCameraShake, {RealCell(0.5f), RealCell(2.0f)}), kRTSuccess);
  bool moved = false;
  for (double clock : {1.0, 1.5, 2.9, 3.0}) {
    SetClock(clock);
    const RTFMatrix4x4 m = Frame();
    const RTFVector3D still = Behind(m, RTFVector3D{0.0f, 0.0f, 0.0f, 1.0f}, g.cameraZoom, g.cameraHeight);
    const RTFVector3D t = Translation(m);
    for (float d : {t.x - still.x, t.y - still.y, t.z - still.z}) {
      EXPECT_LE(std::fabs(d), 0.25f + 1e-5f) << clock;
      moved |= d != 0.0f;
    }
  }
  EXPECT_TRUE(moved);
  SetClock(3.01);
  const RTFMatrix4x4 m = Frame();
  ExpectNear(Translation(m), Behind(m, RTFVector3D{0.0f, 0.0f, 0.0f, 1.0f}, g.cameraZoom, g.cameraHeight), "after");
}

TEST_F(CameraFrame, AScriptPitchIsClampedByTheNextFrame) {
  Frame();
  ASSERT_EQ(CallScript(game::kCameraSetPitch, {RealCell(-120.0f)}), kRTSuccess);
  EXPECT_NEAR(Real(game::kCameraGetPitch), -120.0f, 1e-3f) << "no clamp in the setter";
  Frame();
  EXPECT_EQ(record().freeCamera.axes[game::kPitchAxis].position, kClampedPitch);
}

// At the start pitch, following the player, the player is on screen whichever way the camera has
// turned: the camera is above and behind, looking down at it.
TEST_F(CameraFrame, ThePlayerIsInViewAtTheStartPitch) {
  AddActorAt(4.0f, 0.0f, -3.0f);
  for (float yaw : {0.0f, 1.5707964f, 3.1415927f, -2.0f}) {
    record().freeCamera.axes[game::kYawAxis].position = yaw;
    const RTFMatrix4x4 m = Frame();
    EXPECT_NEAR(m.m[3][1], 0.95f + 8.1f * 0.70710677f, 1e-3f) << "above the player at yaw " << yaw;
    const RTFVector3D player{4.0f, 0.0f, -3.0f, 1.0f};  // its feet, below the point looked at
    float x = -1.0f, y = -1.0f, z = -1.0f;
    ASSERT_EQ(kivo::rasterizer::ProjectPoint(record().rasterizer, &m, &player, &x, &y, &z), kRTSuccess);
    // In pixels of the drawing area, the rasterizer's offscreen buffer.
    EXPECT_NEAR(x, kWidth / 2.0f, 0.01f) << "yaw " << yaw;
    EXPECT_GT(y, kHeight / 2.0f) << "below the middle, yaw " << yaw;
    EXPECT_LT(y, static_cast<float>(kHeight)) << "yaw " << yaw;
    EXPECT_GT(z, 0.0f);
    EXPECT_LT(z, 1.0f);
  }
}

// --- The script camera --------------------------------------------------------------------------

// From 10 degrees to 350 the yaw turns the short way, -20 degrees a second, and ends at 350.
TEST_F(CameraFrame, YawLerpsTheShorterWay) {
  game::GamePrivateData& g = record();
  g.cameraReleased = 1;
  g.freeCameraMode = 0;
  SetClock(5.0);
  ASSERT_EQ(CallScript(game::kCameraSetYaw, {RealCell(10.0f)}), kRTSuccess);
  EXPECT_NEAR(Real(game::kCameraGetYaw), 10.0f, 1e-4f);
  ASSERT_EQ(CallScript(game::kCameraLerpToYaw, {RealCell(350.0f), RealCell(1.0f)}), kRTSuccess);
  EXPECT_NEAR(g.yawLerp.rate * 180.0f / 3.14159265f, -20.0f, 1e-3f);
  SetClock(5.5);
  Frame();
  EXPECT_NEAR(Real(game::kCameraGetYaw), 0.0f, 1e-3f);
  SetClock(6.0);
  Frame();
  EXPECT_NEAR(Real(game::kCameraGetYaw), 350.0f, 1e-3f);
  EXPECT_EQ(g.yawLerp.active, 0u);
}

TEST_F(CameraFrame, AttachingToAnObjectWithoutAWrapperFailsAndChangesNothing) {
  game::GamePrivateData& g = record();
  RTTeskActorWrapper* before = MakeWrapper(0.0f, 0.0f, 0.0f);
  g.cameraAttachWrapper = before;
  scripting::Symbol stranger = NewProbe();
  EXPECT_EQ(CallScript(game::kCameraAttachToActor, {PointerCell(stranger)}), kRTFailure);
  EXPECT_EQ(Logged("Couldn't retrieve wrapper for actor to attach camera to!"), 1u);
  EXPECT_EQ(g.cameraAttachActor, 0u);
  EXPECT_EQ(g.cameraAttachWrapper, before);
  // With a wrapper the camera attaches.
  RTTeskActorWrapper* actor = MakeWrapper(1.0f, 0.0f, 1.0f);
  scripting::Symbol known = NewProbe();
  ASSERT_TRUE(kivo::varno_controller::AttachNativeRecord(g.actorComponent, known, actor));
  EXPECT_EQ(CallScript(game::kCameraAttachToActor, {PointerCell(known)}), kRTSuccess);
  EXPECT_EQ(g.cameraAttachActor, 1u);
  EXPECT_EQ(g.cameraAttachWrapper, actor);
  kivo::varno_controller::DetachNativeRecord(g.actorComponent, known);
}

// ScreenFadeToColor(black, 1.0, 2) from alpha 0: half after a second; the quad is drawn from the
// first frame whose alpha is above 0.001.
TEST_F(CameraFrame, AFadeReachesHalfAfterOneSecondAndDrawsItsQuadOnceVisible) {
  game::GamePrivateData& g = record();
  SetClock(1.0);
  ASSERT_EQ(CallScript(game::kScreenFadeToColor, {Vector(0.0f, 0.0f, 0.0f), RealCell(1.0f), RealCell(2.0f)}),
            kRTSuccess);
  const std::string blend = "SetBlendFunc(0x302, 0x303)";
  struct Case {
    double clock;
    bool drawn;
  };
  for (const Case& c : {Case{1.0, false}, Case{1.001, false}, Case{1.004, true}, Case{2.0, true}}) {
    SetClock(c.clock);
    const std::vector<std::string> frame = RecordFrame();
    EXPECT_EQ(CountStarting(frame, blend) == 1, c.drawn) << c.clock << " alpha " << g.fadeColor[3];
  }
  EXPECT_NEAR(g.fadeColor[3], 0.5f, 1e-5f);
  const std::vector<std::string> frame = RecordFrame();
  EXPECT_TRUE(InOrder(frame, {"EnableBlending(1)", blend, "EnableDepthTest(0)", "EnableLighting(0)",
                              "EnableTexturing(0)", "BeginPrimitive(0x101)", "SetColorRGBA(0, 0, 0, 0.5)",
                              "Vertex3(0, 0, 0)", "Vertex3(0, 480, 0)", "Vertex3(640, 480, 0)", "Vertex3(640, 0, 0)",
                              "EndPrimitive()", "EnableBlending(0)", "EnableDepthTest(1)"}));
}

}  // namespace
