#include "super_power_table.h"

#include "form.h"
#include "game_record.h"
#include "icon.h"
#include "kivo/support/wide_string.h"
#include "widget_kind.h"

namespace tesk::game {

namespace {

struct SuperPower {
  const char16_t* name;
  const char16_t* iconTemplate;
  uint32_t levels[kSkillCount];
  const char16_t* description;
};

constexpr SuperPower kPowers[kSuperPowerCount] = {
    {u"Force of Will", u"SMALL_SA_MUSCLE", {0, 0, 2, 3, 3, 0},
     u"Your force of will alone is enough to make you resistant to moderate fatigue, and boosts your Orthopedics "
     u"and Cardiology skills one point each."},
    {u"Dominating Force of Will", u"SA_FORCE_ULTRA", {0, 0, 7, 8, 6, 0},
     u"Nearby doctors resent it, but they shrug off fatigue and gain Orthopedics, Toxicology, and Cardiology "
     u"skills.  Your Orthopedics skill gains more than your Toxicology loses."},
    {u"Book Worm", u"SMALL_SA_BOOK", {1, 2, 0, 0, 0, 1},
     u"Like a \"human textbook\"; you rise to new intellectual heights, bolstering your Toxicological and "
     u"Neurosurgical skills."},
    {u"Total Book Worm", u"SA_BOOK_ULTRA", {2, 3, 0, 0, 0, 1},
     u"A walking encyclopedia, you and everybody near you gain Toxicology and Neurosurgery skills, but the effort "
     u"costs.  You lose some Orthopedics, Pediatrics, and General Surgery skill."},
    {u"Natural Leader", u"SMALL_SA_KARATE", {2, 1, 0, 0, 0, 2},
     u"You wear leadership like a pressed-white lab coat, increasing your Pediatric and General Surgery skills."},
    {u"Super Natural Leader", u"SA_LEADER_ULTRA", {6, 6, 0, 0, 0, 5},
     u"Exuding charm and confidence, you empower nearby doctors in Neurosurgery, Toxicology, and General "
     u"Surgery.  Your Pediatric skill grows, but Neurosurgery suffers."},
    {u"Juggler", u"SMALL_SA_HAND", {2, 3, 2, 0, 0, 0},
     u"Your dexterous antics have honed your reflexes, boosting your Cardiology and General Surgery skills one "
     u"point each.  Everybody near you moves and treats faster when you juggle."},
    {u"Circus Juggler", u"SA_JUGGLE_ULTRA", {4, 6, 3, 0, 0, 0},
     u"Your legendary dexterity boosts Cardiology and General Surgery skills for you and all nearby.  They also "
     u"move and treat even faster; all for a small hit to most of your other skills."},
    {u"No-Life", u"SMALL_SA_GUY", {0, 0, 2, 1, 1, 0},
     u"Having little outside life, you shrug off moderate energy penalties, but you can still reliably convince "
     u"coworkers that you do occasionally see daylight."},
    {u"Really No-Life", u"SA_NOLIFE_ULTRA", {0, 0, 6, 6, 4, 0},
     u"Your co-workers think you live at the hospital, and your relationships are suffering for it.  But only the "
     u"most severe energy loss is enough to hinder you dedication."},
    {u"Photographic Memory", u"SMALL_SA_CAMERA", {2, 0, 0, 1, 0, 1},
     u"With a memory like a sponge you are able to absorb a small amount of experience by simple close "
     u"observation. However you must witness the entire treatment."},
    {u"Eidetic Memory", u"SA_PHOTO_ULTRA", {6, 0, 0, 4, 0, 2},
     u"With an elephant's memory and razor-sharp deduction you gain significant experience just by closely "
     u"witnessing an entire treatment. Recalling every detail costs you much of your composure."},
    {u"Caffeinated", u"SMALL_SA_COFFEE", {0, 2, 0, 0, 1, 2},
     u"Your body has been trained to run on caffeine alone. Your treatment speeds are increased, encouraging "
     u"those around you to hurry also."},
    {u"Ultra Caffeinated", u"SA_CAFFINE_ULTRA", {0, 6, 0, 0, 7, 8},
     u"You treat at a frenzied pace, but it causes rapid energy loss. Those around you try to keep up but cannot "
     u"quite match your blood caffeination levels."},
    {u"Golf", u"SMALL_SA_GOLF", {0, 0, 2, 2, 3, 0},
     u"Your knowledge of golf captivates your superiors. As they take notice of you experience accumulates "
     u"faster, but your hygiene suffers from all the practice swings."},
    {u"Pro-Circuit Golf", u"SA_GOLF_ULTRA", {0, 0, 7, 5, 8, 0},
     u"Your golfing acumen rivals the pros and wows your bosses. You earn significant experience bonuses, but "
     u"your time on the range worsens hygiene considerably."},
};

const SuperPower* PowerAt(int32_t index) {
  return index >= 0 && static_cast<uint32_t>(index) < kSuperPowerCount ? &kPowers[index] : nullptr;
}

}  // namespace

void DefaultSuperPowerLevels(uint32_t (*levels)[kSkillCount]) {
  for (uint32_t power = 0; power < kSuperPowerCount; ++power)
    for (uint32_t skill = 0; skill < kSkillCount; ++skill) levels[power][skill] = kPowers[power].levels[skill];
}

RTSuccess SuperPowerName(RTInstance /*game*/, int32_t index, const char16_t** name) {
  const SuperPower* power = PowerAt(index);
  *name = power ? power->name : u"empty";
  return kRTSuccess;
}

RTSuccess SuperPowerIndex(RTInstance /*game*/, const char16_t* name, int32_t* index) {
  *index = -1;
  for (uint32_t i = 0; name && i < kSuperPowerCount; ++i) {
    if (kivo::WideStrEqualNoCase(name, kPowers[i].name) != 0) continue;
    *index = static_cast<int32_t>(i);
    break;
  }
  return kRTSuccess;
}

RTSuccess SuperPowerDescription(RTInstance /*game*/, int32_t index, const char16_t** text) {
  if (const SuperPower* power = PowerAt(index)) *text = power->description;
  return kRTSuccess;
}

RTSuccess SuperPowerIconTemplate(RTInstance game, int32_t index, gui::TeskIcon** icon) {
  const SuperPower* power = PowerAt(index);
  if (!power) return kRTSuccess;
  const GamePrivateData* record = RecordOf(game);
  *icon = gui::OfKind<gui::TeskIcon>(
      record && record->forms.icons ? record->forms.icons->FindWidgetByName(power->iconTemplate) : nullptr);
  return kRTSuccess;
}

}  // namespace tesk::game
