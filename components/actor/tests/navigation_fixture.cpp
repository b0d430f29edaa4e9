#include "navigation_fixture.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "actor_frame.h"
#include "kivo/support/component_kit.h"
#include "platform/utf.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace tesk::actor {

// The controller's record, found as the component finds it.
ActorControllerData* StateOf(RTInstance actor) {
  return kivo::StateIn<ActorControllerData>(actor, kivo::actor::kStateWord);
}

}  // namespace tesk::actor

namespace actortest {

std::string TestEnvironmentInstances() {
  std::ifstream file(SAMPLE_STORE);
  const nlohmann::json store = nlohmann::json::parse(file, nullptr, false);
  std::string instances;
  if (store.is_discarded()) return instances;
  const std::string prefix = "Root:Tesk_Test:";
  for (const nlohmann::json& instance : store["instances"])
    if (instance.value("path", "").rfind(prefix, 0) == 0)
      instances += (instances.empty() ? "" : ",\n") + instance.dump();
  return instances;
}

void InstallNavigationComponents(tesk::testing::CoreHost& host) {
  for (const char* name : {"RTPathfinding", "RTSteerPathway", "RTRoutePlanner", "RTPathFollower"})
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
}

RTFVector3D At(float x, float y, float z) { return RTFVector3D{x, y, z, 0.0f}; }

Cell VectorCell(RTFVector3D* v) {
  Cell cell{};
  cell.type = varno::kTypeVector3;
  cell.value.vector = v;
  return cell;
}

std::string NavigationTest::MoreInstances() const { return TestEnvironmentInstances(); }

void NavigationTest::InstallMore(tesk::testing::CoreHost& host) {
  InstallNavigationComponents(host);
  WrapperTest::InstallMore(host);
}

void NavigationTest::SetUp() {
  WrapperTest::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_EQ(tesk::game_standin::LoadEnvironment(game(), kEnvironment), kRTSuccess) << host_.ErrorLog();
}

void NavigationTest::TearDown() {
  held_.clear();
  WrapperTest::TearDown();
}

tesk::actor::ActorControllerData& NavigationTest::actor() { return *tesk::actor::StateOf(controller()); }

RTTeskActorWrapper* NavigationTest::Place(void* object, RTFVector3D at) {
  EXPECT_EQ(Create(object, u"Doctor"), kRTSuccess);
  RTTeskActorWrapper* w = WrapperOf(object);
  if (!w) return nullptr;
  MoveTo(w, object, at);
  tesk::actor::SetHeading(&w->Frame, At(1, 0, 0));
  return w;
}

void NavigationTest::MoveTo(RTTeskActorWrapper*, void* object, RTFVector3D at) {
  EXPECT_EQ(Call(kivo::actor::kSetPosition, object, {VectorCell(&at)}), kRTSuccess);
  kivo::InstanceRef tree;
  tesk::game::GetSceneTree(game(), tree.out());
  tesk::scene_tree::UpdateTransforms(tree.get(), 0);
}

RTInstance NavigationTest::Stored(const char* path) {
  kivo::InstanceRef instance;
  const std::u16string wide = platform::FromUtf8(path);
  EXPECT_EQ(core().GetInstanceByName(nullptr, wide.c_str(), instance.out(), 0), kRTSuccess) << path;
  held_.push_back(std::move(instance));
  return held_.back().get();
}

std::vector<kivo::PathPoint> NavigationTest::Path(const RTTeskActorWrapper* w) const {
  if (!w->PathPoints) return {};
  return std::vector<kivo::PathPoint>(w->PathPoints, w->PathPoints + w->PathPointCount);
}

}  // namespace actortest
