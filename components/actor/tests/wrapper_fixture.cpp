#include "wrapper_fixture.h"

#include <sstream>

#include "kivo/rigid/rigid_calls.h"
#include "platform/utf.h"
#include "tesk/game_standin_calls.h"
#include "tesk/scene/scene_tree_calls.h"

namespace actortest {

Cell Text(const char16_t* text) {
  Cell cell{};
  cell.type = varno::kTypeString;
  cell.value.text = const_cast<char16_t*>(text);
  return cell;
}

Cell Number(int32_t value) {
  Cell cell{};
  cell.type = varno::kTypeNumber;
  cell.value.number = value;
  return cell;
}

Cell Real(float value) {
  Cell cell{};
  cell.type = varno::kTypeReal;
  cell.value.real = value;
  return cell;
}

void WrapperTest::SetUp() {
  ActorTest::SetUp();
  if (HasFatalFailure()) return;
  controller_ = NewController();
  // The hand effect's turn belongs to the library, which stays loaded from one test's core to the
  // next: give it back so that each test's first wrapper takes it.
  ASSERT_EQ(kivo::actor::ResetStates(controller_.get()), kRTSuccess);
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, tesk::game::kClassName, game_.out(), 1, nullptr), kRTSuccess);
  const std::u16string path = platform::FromUtf8(kSceneTree);
  ASSERT_EQ(core().GetInstanceByName(nullptr, path.c_str(), tree_.out(), 0), kRTSuccess);
  ASSERT_EQ(tesk::scene_tree::LoadScenarioN(tree_.get(), tesk::scene_tree::kAllScenarios), kRTSuccess);
  ASSERT_EQ(tesk::scene_tree::UpdateQuadTree(tree_.get()), kRTSuccess);
  ASSERT_EQ(tesk::game_standin::SetSceneTree(game_.get(), tree_.get()), kRTSuccess);
}

void WrapperTest::TearDown() {
  for (void* object : created_)
    if (WrapperOf(object)) Destroy(object);
  // The tree and the game hold each other.
  if (game_.get()) tesk::game_standin::SetSceneTree(game_.get(), nullptr);
  tree_.Reset();
  controller_.Reset();
  game_.Reset();
  ActorTest::TearDown();
}

RTSuccess WrapperTest::Call(varno::NativeMethodSlot slot, void* object, std::vector<Cell> arguments, Cell* result) {
  Cell ignored{};
  Cell* into = result ? result : &ignored;
  *into = Cell{};
  return kivo::CallMethod(controller(), kivo::actor::kLevel, slot, static_cast<varno::RTVarnoSymbol*>(object),
                          static_cast<uint32_t>(arguments.size()), arguments.empty() ? nullptr : arguments.data(), into,
                          nullptr);
}

RTSuccess WrapperTest::Create(void* object, const char16_t* skin) {
  created_.push_back(object);
  return Call(kivo::actor::kCreate, object, {Text(skin)});
}

RTSuccess WrapperTest::Destroy(void* object) {
  return kivo::CallMethod(controller(), kivo::actor::kLevel, kivo::actor::kDestroy, object);
}

RTTeskActorWrapper* WrapperTest::WrapperOf(void* object) {
  void* record = nullptr;
  kivo::varno_controller::FindNativeRecord(controller(), object, &record);
  return static_cast<RTTeskActorWrapper*>(record);
}

uint32_t WrapperTest::CurrentMotion(const RTTeskActorWrapper* wrapper) {
  uint32_t index = 0xFFFFFFFFu;
  EXPECT_EQ(kivo::rigid::GetMotion(wrapper->Animator, &index), kRTSuccess);
  return index;
}

std::vector<std::string> WrapperTest::GameCalls() {
  const std::string log = host_.DebugLog().substr(std::min(callsRead_, host_.DebugLog().size()));
  callsRead_ += log.size();
  std::vector<std::string> calls;
  std::istringstream lines(log);
  const std::string prefix = "RTTeskGame.";
  for (std::string line; std::getline(lines, line);)
    if (line.rfind(prefix, 0) == 0) calls.push_back(line.substr(prefix.size()));
  return calls;
}

uint32_t WrapperTest::Alive(const char16_t* className) {
  uint32_t count = 0;
  RTInstanceIterator* iterator = nullptr;
  RTInstance instance = nullptr;
  if (!core().GetFirstInstanceByString(nullptr, className, &instance, 0, &iterator)) return 0;
  while (instance) {
    ++count;
    core().ReleaseInstance(nullptr, instance);
    instance = nullptr;
    if (!core().GetNextInstance(nullptr, &iterator, &instance)) break;
  }
  return count;
}

}  // namespace actortest
