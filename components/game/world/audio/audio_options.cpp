#include "audio_options.h"

#include "form.h"
#include "form_drawing.h"
#include "game_methods.h"
#include "slider.h"
#include "speech.h"

namespace tesk::game {

namespace {

constexpr int32_t kOptionMasterVolume = 4;
constexpr int32_t kOptionEffectsVolume = 5;
constexpr int32_t kOptionMusicVolume = 6;
constexpr char16_t kMasterSlider[] = u"GO_AUD_SLDR_GMV_SLDR";
constexpr char16_t kEffectsSlider[] = u"GO_AUD_SLDR_EFV_SLDR";
constexpr char16_t kMusicSlider[] = u"GO_AUD_SLDR_MCV_SLDR";
constexpr float kMasterScale = 1.0f;
constexpr float kGainScale = 2.0f;
constexpr float kMasterRampSeconds = 0.3f;

}  // namespace

bool VolumeFromOptions(GamePrivateData& game, int32_t option, const char16_t* slider, float scale, float* factor) {
  const gui::TeskIWidget* widget = FormWidget(game.forms.gameOptions, slider);
  if (!widget || widget->GetType() != gui::kWidgetSlider) return false;
  const int32_t steps = static_cast<const gui::TeskSlider*>(widget)->GetStepCount();
  if (steps <= 0) return false;
  const auto value = static_cast<uint32_t>(method::OptionValue(game, option));
  *factor = static_cast<float>(value) / static_cast<float>(steps) * scale;
  return true;
}

float MasterGainFromOptions(GamePrivateData& game) {
  float master = 1.0f;
  VolumeFromOptions(game, kOptionMasterVolume, kMasterSlider, kMasterScale, &master);
  return master;
}

void ApplyAudioOptions(GamePrivateData& game) {
  SetListenerGainLerp(game, MasterGainFromOptions(game), kMasterRampSeconds);
  VolumeFromOptions(game, kOptionEffectsVolume, kEffectsSlider, kGainScale, &game.sfxGain);
  VolumeFromOptions(game, kOptionMusicVolume, kMusicSlider, kGainScale, &game.music.gain);
}

}  // namespace tesk::game
