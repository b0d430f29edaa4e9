#include "talking_head_fixture.h"

#include "game_record.h"

namespace gametest {

void TalkingHeadTest::SetUp() {
  EnvironmentTest::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(Load()) << "the sample's hospital";
  tesk::game::GamePrivateData& game = record();
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, kivo::rasterizer::kClassName, &game.rasterizer, 1, nullptr));
  game.windowContext = context();
  game.windowHandle = context();
  SetScreen(1024, 768);
}

void TalkingHeadTest::TearDown() {
  SetSpeechPlaying(false);
  EnvironmentTest::TearDown();
}

void TalkingHeadTest::SetSpeechPlaying(bool playing) {
  record().paused = playing ? 1 : 0;
  record().speechPlaying = playing ? 1 : 0;
}

void TalkingHeadTest::SetScreen(uint32_t width, uint32_t height) {
  record().screenWidth = width;
  record().screenHeight = height;
}

RTSuccess TalkingHeadTest::DrawHead(const tesk::game::gui::SavedProjection& saved) {
  return record().hudHooks.DrawTalkingHead(game(), saved);
}

uint32_t TalkingHeadTest::HeadActive() { return record().hudHooks.TalkingHeadActive(game()); }

uint32_t TalkingHeadTest::References(RTInstance instance) {
  uint32_t count = 0;
  core().GetRefCount(nullptr, instance, &count);
  return count;
}

kivo::InstanceRef TalkingHeadTest::Find(const char16_t* path) {
  kivo::InstanceRef found;
  core().GetInstanceByName(nullptr, path, found.out(), 0);
  return found;
}

}  // namespace gametest
