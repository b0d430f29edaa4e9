#include "movement_fixture.h"

#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/component_kit.h"
#include "kivo/support/core_memory.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace actortest {

namespace calls = kivo::actor;

Cell Vector(RTFVector3D* v) {
  Cell cell{};
  cell.type = varno::kTypeVector3;
  cell.value.vector = v;
  return cell;
}

RTTeskActorWrapper* MovementTest::Walker(void* object, float x, float z) {
  EXPECT_EQ(Create(object, u"Doctor"), kRTSuccess);
  EXPECT_EQ(Place(object, RTFVector3D{x, 0, z, 0}), kRTSuccess);
  return WrapperOf(object);
}

RTSuccess MovementTest::Place(void* object, RTFVector3D point) {
  return Call(calls::kSetPosition, object, {Vector(&point)});
}

void MovementTest::GivePath(RTTeskActorWrapper* w, const std::vector<RTFVector3D>& points) {
  kivo::CoreFree(w->PathPoints);
  w->PathPoints = static_cast<kivo::PathPoint*>(kivo::CoreAlloc(sizeof(kivo::PathPoint) * points.size()));
  for (size_t i = 0; i < points.size(); ++i)
    w->PathPoints[i] = kivo::PathPoint{points[i].x, points[i].y, points[i].z, points[i].w, 0.25f};
  w->PathPointCount = static_cast<uint32_t>(points.size());
  w->PathNode = w->PathSegment = 0;
  w->Goal = points.back();
}

void MovementTest::Walk(void* object, const std::vector<RTFVector3D>& points) {
  GivePath(WrapperOf(object), points);
  EXPECT_EQ(Call(calls::kFinalizePath, object), kRTSuccess);
}

void MovementTest::Face(void* object, float degrees) {
  EXPECT_EQ(Call(calls::kSetViewDirection, object, {Real(degrees)}), kRTSuccess);
}

RTSuccess MovementTest::FrameAt(float seconds) {
  clock_ = seconds;
  tesk::game_standin::SetClock(game(), seconds);
  const RTSuccess processed = calls::ProcessC(controller());
  tesk::scene_tree::UpdateTransforms(tree(), static_cast<uint32_t>(seconds * 1000.0));
  return processed;
}

void MovementTest::Frames(float step, float until) {
  for (float t = clock_ + step; t <= until + 1e-4f; t += step) FrameAt(t);
}

RTFVector3D MovementTest::VectorResult(varno::NativeMethodSlot slot, void* object, std::vector<Cell> arguments) {
  RTFVector3D out{9, 9, 9, 9};
  Cell result{};
  result.value.vector = &out;
  kivo::CallMethod(controller(), calls::kLevel, slot, static_cast<varno::RTVarnoSymbol*>(object),
                   static_cast<uint32_t>(arguments.size()), arguments.empty() ? nullptr : arguments.data(), &result,
                   nullptr);
  return out;
}

RTFVector3D MovementTest::Position(const RTTeskActorWrapper* w) {
  const RTFMatrix4x4& m = RootMatrix(w);
  return RTFVector3D{m.m[3][0], m.m[3][1], m.m[3][2], m.m[3][3]};
}

const RTFMatrix4x4& MovementTest::RootMatrix(const RTTeskActorWrapper* w) {
  static const RTFMatrix4x4 none{};
  const RTFMatrix4x4* local = nullptr;
  if (!kivo::scene_node::GetLocalMatrix(w->RootNode, &local) || !local) return none;
  return *local;
}

tesk::actor::ActorControllerData& MovementTest::Controller() {
  return *kivo::StateIn<tesk::actor::ActorControllerData>(controller(), calls::kStateWord);
}

RTInstance MovementTest::Room(const char16_t* name) {
  RTInstance room = nullptr;
  tesk::scene_tree::GetRoomByName(tree(), name, &room);
  if (room) core().ReleaseInstance(nullptr, room);  // the tree holds it
  return room;
}

}  // namespace actortest
