// Characters moved by the controller's frame entry over the fixture's two rooms ("Ward" from -5 to
// 5 in x and z, "Hall" east of it from 5 to 15, an opening between them): placing them, giving
// them a path, stepping the game clock frame by frame, and reading where they stand.
#pragma once

#include <vector>

#include "actor_state.h"
#include "kivo/navigation/navigation_calls.h"
#include "wrapper_fixture.h"

namespace actortest {

Cell Vector(RTFVector3D* v);

class MovementTest : public WrapperTest {
 protected:
  // A "Doctor" for the object, placed at (x, 0, z).
  RTTeskActorWrapper* Walker(void* object, float x, float z);
  RTSuccess Place(void* object, RTFVector3D point);
  // The path given whole (widths 0.25), as a script's point list gives it.
  void GivePath(RTTeskActorWrapper* w, const std::vector<RTFVector3D>& points);
  // The walker heads along the path from standing, as FinalizePath starts it.
  void Walk(void* object, const std::vector<RTFVector3D>& points);
  // SetViewDirection.
  void Face(void* object, float degrees);
  // The clock set to `seconds`, then the controller's frame entry and the scene tree's transform
  // update, as the game's frame runs them.
  RTSuccess FrameAt(float seconds);
  // Frames every `step` seconds from the clock's present time until `until`.
  void Frames(float step, float until);
  // A script method's vector result, read from the block the result cell points to.
  RTFVector3D VectorResult(varno::NativeMethodSlot slot, void* object, std::vector<Cell> arguments = {});
  // The translation of the actor's root node.
  RTFVector3D Position(const RTTeskActorWrapper* w);
  const RTFMatrix4x4& RootMatrix(const RTTeskActorWrapper* w);
  tesk::actor::ActorControllerData& Controller();
  RTInstance Room(const char16_t* name);

  float clock_ = 0.0f;
};

}  // namespace actortest
