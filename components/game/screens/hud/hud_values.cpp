// The HUD's numbers as the script sets them: the six skill numbers and their digit styles, the
// health stats, the target object, the newbie count, and the specialties' skill icons.
#include <iterator>

#include "form_drawing.h"
#include "game_context.h"
#include "game_methods.h"
#include "hud_state.h"
#include "icon_replacement.h"

namespace tesk::game {

namespace {

// The argument (from 0) stored into each skill slot.
constexpr uint32_t kSkillArgument[kSkillCount] = {5, 1, 2, 3, 4, 0};
constexpr uint32_t kTrendArguments = 6;
constexpr int32_t kStyleLowered = 15;
constexpr int32_t kStyleRaised = 16;
constexpr int32_t kStyleUnchanged = 10;
constexpr const char16_t* kSkillIcons[kSkillCount] = {u"SKILL_PANEL_CARD_ICON", u"SKILL_PANEL_TOXI_ICON",
                                                      u"SKILL_PANEL_NEUR_ICON", u"SKILL_PANEL_GSUR_ICON",
                                                      u"SKILL_PANEL_PEDI_ICON", u"SKILL_PANEL_ORTH_ICON"};

int32_t StyleOf(int32_t trend) {
  if (trend < 0) return kStyleLowered;
  return trend > 0 ? kStyleRaised : kStyleUnchanged;
}

}  // namespace

void SetSkillIconTemplate(RTInstance self, int32_t specialty, gui::TeskIcon* icon, const char16_t* name) {
  const GamePrivateData* game = RecordOf(self);
  if (!game || !icon || specialty < 0 || static_cast<uint32_t>(specialty) >= kSkillCount) return;
  ReplaceIconFromTemplate(self, icon, FormIcon(game->forms.icons, kSkillIcons[specialty]), name);
}

namespace method {

TESK_GAME_SCRIPT_METHOD(SetSkillNumbers) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  for (uint32_t slot = 0; slot < kSkillCount; ++slot) {
    game->skills.numbers[slot] = NumberArgument(count, arguments, kSkillArgument[slot]);
    game->skills.styles[slot] = StyleOf(NumberArgument(count, arguments, kTrendArguments + slot));
  }
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(SetStats) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  HealthStats& stats = game->stats;
  for (uint32_t stat = 0; stat < kStatCount; ++stat)
    stats.markers[stat].level = RealArgument(count, arguments, stat * 3) * 0.01f;
  stats.hands = static_cast<uint32_t>(NumberArgument(count, arguments, 1));
  stats.body = static_cast<uint32_t>(NumberArgument(count, arguments, 2));
  stats.rest = static_cast<uint32_t>(NumberArgument(count, arguments, 4));
  stats.food = static_cast<uint32_t>(NumberArgument(count, arguments, 5));
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ResetStats) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  const gui::TeskIWidget* marker = FormWidget(game->forms.hud, u"STAT_MARKER");
  const int32_t full = marker ? marker->GetWidth() : 0;
  HealthStats& stats = game->stats;
  for (StatMarker& bar : stats.markers) {
    bar.level = 1.0f;
    bar.stepTime = 0.0f;
    bar.shown = bar.target = full;
  }
  stats.hands = stats.body = stats.rest = stats.food = 100;
  return kRTSuccess;
}

RTSuccess SetPatientObject(RTInstance self, ScriptObject patient) {
  GamePrivateData* game = RecordOf(self);
  if (game) game->targetObject = patient;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetTargetObject) {
  GamePrivateData* game = RecordOf(self);
  if (game) result->value.pointer = game->targetObject;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(ClearTargetObject) {
  if (GamePrivateData* game = RecordOf(self)) game->targetObject = nullptr;
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(GetNumNewbiePatients) {
  GamePrivateData* game = RecordOf(self);
  if (game) result->value.number = game->newbiePatientCount;
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
