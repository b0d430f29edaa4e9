// The game options screen: the host's options shown as lit choices and slider positions, and
// stored back on "GO_OK".
#include "game_methods.h"
#include "menu_screens.h"
#include "screen_controls.h"
#include "speech.h"

namespace tesk::game {

namespace {

enum OptionId : int32_t {
  kOptionWidth = 1,
  kOptionDriver = 3,
  kOptionMasterVolume = 4,
  kOptionEffectsVolume = 5,
  kOptionMusicVolume = 6,
  kOptionSubtitles = 8,
  kOptionClock = 9,
};

struct ChoicePair {
  const char16_t* first;
  const char16_t* second;
};
constexpr ChoicePair kPairs[] = {{u"GO_VID_HARD", u"GO_VID_SOFT"},
                                 {u"GO_VID_1024", u"GO_VID_800"},
                                 {u"GO_VID_32BIT", u"GO_VID_16BIT"},
                                 {u"GO_VID_ON", u"GO_VID_OFF"}};

constexpr const char16_t* kMasterSlider = u"GO_AUD_SLDR_GMV_SLDR";
constexpr const char16_t* kEffectsSlider = u"GO_AUD_SLDR_EFV_SLDR";
constexpr const char16_t* kMusicSlider = u"GO_AUD_SLDR_MCV_SLDR";
constexpr float kGainLerpSeconds = 0.3f;

// The slider's position as a share of its steps times the scale; 0 without the slider.
float SliderGain(const gui::TeskForm* form, const char16_t* name, float scale) {
  const gui::TeskSlider* slider = Control<gui::TeskSlider>(form, name);
  if (!slider || slider->GetStepCount() <= 0) return 0.0f;
  return static_cast<float>(slider->GetPosition()) / static_cast<float>(slider->GetStepCount()) * scale;
}

int32_t SliderPosition(const gui::TeskForm* form, const char16_t* name) {
  const gui::TeskSlider* slider = Control<gui::TeskSlider>(form, name);
  return slider ? slider->GetPosition() : 0;
}

void SetSlider(const gui::TeskForm* form, const char16_t* name, int32_t position) {
  if (gui::TeskSlider* slider = Control<gui::TeskSlider>(form, name)) slider->SetPosition(position);
}

// The master gain ramps the listener there over 0.3 s; the effects and music gains (0..2) scale
// their groups.
void ApplyMasterGain(GamePrivateData& game) {
  SetListenerGainLerp(game, SliderGain(game.forms.gameOptions, kMasterSlider, 1.0f), kGainLerpSeconds);
}
void ApplyEffectsGain(GamePrivateData& game) { game.sfxGain = SliderGain(game.forms.gameOptions, kEffectsSlider, 2.0f); }
void ApplyMusicGain(GamePrivateData& game) { game.music.gain = SliderGain(game.forms.gameOptions, kMusicSlider, 2.0f); }
void ApplyGains(GamePrivateData& game) {
  ApplyMasterGain(game);
  ApplyEffectsGain(game);
  ApplyMusicGain(game);
}

void SetOption(GamePrivateData& game, int32_t id, int32_t value) { game.setOptionCallback(id, value); }

// The choice of the pair that matches, lit, the other cleared.
void Choose(const gui::TeskForm* form, const ChoicePair& pair, bool first) {
  if (first)
    SelectOfPair(form, pair.first, pair.second);
  else
    SelectOfPair(form, pair.second, pair.first);
}

// The three volume sliders at the stored options' positions.
void PlaceSliders(GamePrivateData& game) {
  const gui::TeskForm* form = game.forms.gameOptions;
  SetSlider(form, kMasterSlider, method::OptionValue(game, kOptionMasterVolume));
  SetSlider(form, kEffectsSlider, method::OptionValue(game, kOptionEffectsVolume));
  SetSlider(form, kMusicSlider, method::OptionValue(game, kOptionMusicVolume));
}

// Puts the widgets back from the stored options: every pair chosen again, the sliders placed.
void RestoreOptions(GamePrivateData& game) {
  const gui::TeskForm* form = game.forms.gameOptions;
  const int32_t driver = method::OptionValue(game, kOptionDriver);
  if (driver == 0 || driver == 1) Choose(form, kPairs[0], driver == 1);
  const int32_t width = method::OptionValue(game, kOptionWidth);
  if (width == 1024 || width == 800) Choose(form, kPairs[1], width == 1024);
  Choose(form, kPairs[2], game.clockStyle != 0);
  Choose(form, kPairs[3], game.subtitlesOn != 0);
  PlaceSliders(game);
  ApplyGains(game);
}

// Stores the chosen options; whether the width or the driver changed.
bool StoreOptions(GamePrivateData& game) {
  const gui::TeskForm* form = game.forms.gameOptions;
  bool restart = false;
  if (Highlighted(form, u"GO_VID_32BIT")) {
    SetOption(game, kOptionClock, 24);
    game.clockStyle = 1;
  } else if (Highlighted(form, u"GO_VID_16BIT")) {
    SetOption(game, kOptionClock, 12);
    game.clockStyle = 0;
  }
  const int32_t width = method::OptionValue(game, kOptionWidth);
  if ((width == 1024 && Highlighted(form, u"GO_VID_800")) || (width == 800 && Highlighted(form, u"GO_VID_1024"))) {
    SetOption(game, kOptionWidth, width == 1024 ? 800 : 1024);
    restart = true;
  }
  const int32_t driver = method::OptionValue(game, kOptionDriver);
  if ((driver == 0 && Highlighted(form, u"GO_VID_HARD")) || (driver == 1 && Highlighted(form, u"GO_VID_SOFT"))) {
    SetOption(game, kOptionDriver, driver == 0 ? 1 : 0);
    restart = true;
  }
  const bool subtitles = !Highlighted(form, u"GO_VID_OFF");
  game.subtitlesOn = subtitles ? 1 : 0;
  SetOption(game, kOptionSubtitles, subtitles ? 1 : 0);
  return restart;
}

}  // namespace

void FillGameOptionsScreen(GamePrivateData& game) {
  const gui::TeskForm* form = game.forms.gameOptions;
  auto fill = [&](const ChoicePair& pair, bool known, bool first) {
    if (known && !Highlighted(form, pair.first) && !Highlighted(form, pair.second)) Choose(form, pair, first);
  };
  const int32_t driver = method::OptionValue(game, kOptionDriver);
  fill(kPairs[0], driver == 0 || driver == 1, driver == 1);
  const int32_t width = method::OptionValue(game, kOptionWidth);
  fill(kPairs[1], width == 1024 || width == 800, width == 1024);
  fill(kPairs[2], true, method::OptionValue(game, kOptionClock) == 24);
  fill(kPairs[3], true, method::OptionValue(game, kOptionSubtitles) != 0);
  PlaceSliders(game);
}

RTSuccess ClickOptions(RTInstance self, GamePrivateData& game, const ClickPress& press) {
  const gui::TeskForm* form = game.forms.gameOptions;
  const std::u16string hit = HitControl(game.forms.gameOptions, press.x, press.y);
  for (const ChoicePair& pair : kPairs) {
    if (Is(hit, pair.first)) Choose(form, pair, true);
    if (Is(hit, pair.second)) Choose(form, pair, false);
  }
  if (Is(hit, kMasterSlider)) {
    ApplyMasterGain(game);
  } else if (Is(hit, kEffectsSlider)) {
    ApplyEffectsGain(game);
    PlayInterfaceSound(game, u"INTERFACE_MAINCLICK");
  } else if (Is(hit, kMusicSlider)) {
    ApplyMusicGain(game);
  } else if (Is(hit, u"GO_OK")) {
    if (StoreOptions(game)) {
      OpenConfirmationScreenC(self, game, u"The game must be restarted for your changes to take effect.");
    } else {
      PlayInterfaceSound(game, u"INTERFACE_OK");
      game.ScreenMode = game.previousScreenMode;
    }
    ApplyGains(game);
    SetOption(game, kOptionMasterVolume, SliderPosition(form, kMasterSlider));
    SetOption(game, kOptionEffectsVolume, SliderPosition(form, kEffectsSlider));
    SetOption(game, kOptionMusicVolume, SliderPosition(form, kMusicSlider));
  } else if (Is(hit, u"GO_CANCEL")) {
    RestoreOptions(game);
    game.ScreenMode = game.previousScreenMode;
    PlayInterfaceSound(game, u"INTERFACE_CANCEL");
  }
  return kRTSuccess;
}

}  // namespace tesk::game
