// A game (window 640 x 480, the rasterizer's offscreen context) whose frames the tests render, set
// up as far as the frame needs without Startup: its world is a scene tree with
// a camera node carrying a lens, and actors are wrappers whose root nodes stand where a test puts
// them. The game's script object is a probe; the core clock and the game clock are the test's.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "recorded_calls.h"

namespace gametest {

class FrameTest : public GameTest {
 protected:
  static constexpr uint32_t kScreenWidth = 640;
  static constexpr uint32_t kScreenHeight = 480;

  void InstallMore(tesk::testing::CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  // The scene tree and the camera node with its lens, in the game's record.
  void MakeWorld();
  // A wrapper whose root node stands at the point, appended to the game's actor list.
  RTTeskActorWrapper* AddActorAt(float x, float y, float z);
  // A wrapper with a root node, not listed.
  RTTeskActorWrapper* MakeWrapper(float x, float y, float z);
  static void MoveNode(RTInstance node, float x, float y, float z);
  // The placement of the camera node.
  RTFMatrix4x4 CameraPlacement();

  RTSuccess Render();
  // The rasterizer's calls of one frame and the frame's result.
  std::vector<std::string> RecordFrame(RTSuccess* result = nullptr);
  void SetClock(double seconds) { record().gameClock = seconds; }

  scripting::Symbol gameObject_ = nullptr;
  kivo::InstanceRef tree_;
  kivo::InstanceRef cameraNode_;
  kivo::InstanceRef lens_;

 private:
  std::vector<std::unique_ptr<RTTeskActorWrapper>> wrappers_;
  std::vector<kivo::InstanceRef> nodes_;
};

}  // namespace gametest
