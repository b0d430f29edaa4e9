// Start-up's audio: the sound effects, music and ambience are made, then the volume options set the
// master gain's ramp and the effects and music gains through the options form's sliders (10 steps
// here, as in the game's form); without the sliders or the form the gains keep their defaults.
#include <gtest/gtest.h>

#include <algorithm>

#include "audio_fixture.h"
#include "kivo/slots.h"
#include "tesk/game_slots.h"

namespace {

namespace game = tesk::game;
using gametest::Cell;

int32_t gVolumes[3];  // options 4, 5 and 6

int32_t AnswerOption(int32_t id, int32_t* value) {
  *value = id == 1 ? 1024 : id == 9 ? 12 : id >= 4 && id <= 6 ? gVolumes[id - 4] : 0;
  return 1;
}
int32_t TakeOption(int32_t, int32_t) { return 1; }

std::string SliderForm() {
  std::string json = R"({"type": "form", "name": "MENU_GAME_OPTIONS_SCREEN", "width": 1024, "height": 768,)";
  json += R"( "children": [)";
  int y = 10;
  for (const char* name : {"GO_AUD_SLDR_GMV_SLDR", "GO_AUD_SLDR_EFV_SLDR", "GO_AUD_SLDR_MCV_SLDR"}) {
    json += std::string(y > 10 ? "," : "") + R"({"type": "slider", "name": ")" + name + R"(", "x": 10, "y": )" +
            std::to_string(y) + R"(, "width": 200, "height": 30, "steps": 10})";
    y += 40;
  }
  return json + "]}";
}

enum class OptionsForm { kWithSliders, kWithoutSliders, kMissing };

struct Row {
  OptionsForm form;
  int32_t master, effects, music;  // the options
  float target, sfx, musicGain;    // the gains they give
};

class AudioStartup : public gametest::AudioGame, public ::testing::WithParamInterface<Row> {
 protected:
  std::vector<gametest::ResourceItem> Resources() const override {
    std::vector<gametest::ResourceItem> items = gametest::CompleteResources();
    for (auto& item : items)
      if (item.name.starts_with("MENU_GAME_OPTIONS_SCREEN") && GetParam().form == OptionsForm::kWithSliders)
        item.bytes = gametest::CompiledForm(SliderForm());
    if (GetParam().form == OptionsForm::kMissing)
      std::erase_if(items, [](const auto& item) { return item.name.starts_with("MENU_GAME_OPTIONS_SCREEN"); });
    return items;
  }
  void Start(int32_t master, int32_t effects, int32_t music) {
    gVolumes[0] = master;
    gVolumes[1] = effects;
    gVolumes[2] = music;
    record().listenerGain = {0.0f, 0.0f, 0.0f, 0.0f, 1.0f};  // silent, as the game is made
    ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kSetOptionCallbacks, TakeOption, AnswerOption));
    ASSERT_TRUE(
        kivo::CallMethod(game(), game::kLevel, game::kSetMainWindowHandle, static_cast<void*>(nullptr), 1024u, 768u));
    ASSERT_EQ(CallScript(game::kStartup), kRTSuccess);
  }
  float GainFromOptions() {
    Cell result = RealCell(-1.0f);
    EXPECT_TRUE(CallScript(game::kListenerGetGainFromOptions, {}, &result));
    return result.value.real;
  }
};

TEST_P(AudioStartup, TheVolumeOptionsSetTheGainsOrLeaveTheirDefaults) {
  const Row& row = GetParam();
  Start(row.master, row.effects, row.music);
  EXPECT_EQ(Logged("Startup()... Loaded all SFX objects"), 1u);
  const game::ListenerGain& gain = record().listenerGain;
  EXPECT_EQ(gain.target, row.target);
  EXPECT_EQ(gain.duration, 0.3f);
  EXPECT_EQ(gain.from, 0.0f);
  EXPECT_EQ(record().sfxGain, row.sfx);
  EXPECT_EQ(record().music.gain, row.musicGain);
  EXPECT_EQ(GainFromOptions(), row.target);
  for (const game::SfxVoice& layer : record().music.layers) EXPECT_NE(layer.source, nullptr);
  for (const game::AmbientChannel& channel : record().library->ambience.channels) EXPECT_NE(channel.source, nullptr);
}

// The sample's options (10, 5 and 5) give gains of 1; without the sliders every gain keeps 1.
INSTANTIATE_TEST_SUITE_P(Rows, AudioStartup,
                         ::testing::Values(Row{OptionsForm::kWithSliders, 10, 5, 5, 1.0f, 1.0f, 1.0f},
                                           Row{OptionsForm::kWithSliders, 20, 20, 20, 2.0f, 4.0f, 4.0f},
                                           Row{OptionsForm::kWithoutSliders, 10, 5, 5, 1.0f, 1.0f, 1.0f},
                                           Row{OptionsForm::kMissing, 10, 5, 5, 1.0f, 1.0f, 1.0f}));

}  // namespace
