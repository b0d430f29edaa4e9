// A game over the sample's store with its environment "Tesk" loaded (so the talking-head scene
// exists), the rasterizer in its record and a screen of 1024 x 768. The speech state is driven
// directly: while the game is paused the speech flag alone tells whether the speech plays.
#pragma once

#include <string>
#include <vector>

#include "environment_fixture.h"
#include "screen_drawing.h"

namespace gametest {

class TalkingHeadTest : public EnvironmentTest {
 protected:
  std::filesystem::path Store() const override { return SAMPLE_STORE; }
  std::vector<std::u16string> Fonts() const override { return {}; }  // the store's own
  void SetUp() override;
  void TearDown() override;

  tesk::game::HeadScene& Head() { return record().environment.head; }
  void SetSpeechPlaying(bool playing);
  void SetScreen(uint32_t width, uint32_t height);
  // The hooks the HUD stage calls, as the game component filled them.
  RTSuccess DrawHead(const tesk::game::gui::SavedProjection& saved);
  uint32_t HeadActive();
  uint32_t References(RTInstance instance);
  // The instance at the path, or null.
  kivo::InstanceRef Find(const char16_t* path);
};

}  // namespace gametest
