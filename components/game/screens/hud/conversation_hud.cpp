// The conversation HUD: the disposition meter's value, the thirteen topic buttons' fade and the
// capture-dog panel.
#include "form_drawing.h"
#include "game_context.h"
#include "game_methods.h"
#include "hud_state.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

constexpr int32_t kDispositionLimit = 399;
constexpr gui::Colour kFaded = {0.5f, 0.5f, 0.5f, 0.0f};
constexpr gui::Colour kFull = {1.0f, 1.0f, 1.0f, 0.0f};
constexpr const char16_t* kButtons[] = {
    u"CONV_CONFIDE_BUT", u"CONV_WHINE_BUT",   u"CONV_GOSSIP_BUT", u"CONV_PERKS_BUT",    u"CONV_REBUKE_BUT",
    u"CONV_PRAISE_BUT",  u"CONV_DISLIKE_BUT", u"CONV_JOKE_BUT",   u"CONV_WEATHER_BUT",  u"CONV_TOPICS_BUT",
    u"CONV_KISS_BUT",    u"CONV_SYMPATHY_BUT", u"CONV_SOCIAL_BUT"};

}  // namespace

void SetDispositionC(GamePrivateData& game, int32_t value) {
  Disposition& disposition = game.disposition;
  disposition.previous = disposition.current = value;
  if (value >= kDispositionLimit) return;
  int32_t display = value >= -200 && value < 200 ? (value % 200) / 2 : value % 100;
  if (display < 0) display += 100;
  disposition.display = display;
}

void SetupConversationButtons(GamePrivateData& game, bool fade) {
  for (const char16_t* name : kButtons)
    if (gui::TeskIcon* button = Control<gui::TeskIcon>(game.forms.conversationHud, name))
      gui::TeskIconSetColor(button, fade ? kFaded : kFull);
}

namespace method {

TESK_GAME_SCRIPT_METHOD(SetDisposition) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  const int32_t value = NumberArgument(count, arguments, 0);
  Disposition& disposition = game->disposition;
  if (value == disposition.current || value < -kDispositionLimit || value > kDispositionLimit) return kRTSuccess;
  const bool rose = value > disposition.current;
  disposition.previous = disposition.current;
  disposition.current = value;
  PlayInterfaceSound(*game, rose ? u"INTERFACE_CONV_POPUP" : u"INTERFACE_CONV_STOP");
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetInitialDisposition) {
  if (GamePrivateData* game = RecordOf(self)) SetDispositionC(*game, NumberArgument(count, arguments, 0));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(FadeConversationHUD) {
  if (GamePrivateData* game = RecordOf(self)) SetupConversationButtons(*game, NumberArgument(count, arguments, 0) != 0);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ShowCaptureDogPanel) {
  if (GamePrivateData* game = RecordOf(self)) game->captureDogPanel = 1;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(HideCaptureDogPanel) {
  if (GamePrivateData* game = RecordOf(self)) game->captureDogPanel = 0;
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
