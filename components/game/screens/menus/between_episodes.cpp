// The screen between two episodes: the episode's patients, the change of prestige and disposition,
// the skills gained, the super powers newly in reach and the edicts done and failed; the edict
// list and the text log start empty for the next episode.
#include <iterator>

#include "game_context.h"
#include "game_methods.h"
#include "kivo/support/format.h"
#include "menu_screens.h"
#include "notices.h"
#include "screen_controls.h"
#include "sound_effects.h"
#include "super_power_table.h"

namespace tesk::game {

namespace {

namespace scripting = varno::scripting;

constexpr const char16_t* kSpecialtyNames[kSkillCount] = {u"Cardiology",      u"Toxicology", u"Neurosurgery",
                                                          u"General Surgery", u"Pediatrics", u"Orthopedics"};
constexpr const char16_t* kListBoxes[] = {u"PL_SKLZ_SLG_LISTBOX", u"PL_SKLZ_ABL_LISTBOX", u"PL_EDCT_EDF_LISTBOX",
                                          u"PL_EDCT_EDU_LISTBOX"};
constexpr float kFadeBlack[4] = {0.0f, 0.0f, 0.0f, 1.0f};
constexpr uint32_t kMostListElements = 1024;

int32_t Number(GamePrivateData& game, ScriptObject object, const char16_t* name) {
  int32_t number = 0;
  ReadWholeNumber(game, object, name, scripting::kWholeAttribute, &number);
  return number;
}

void AddRow(const GamePrivateData& game, const char16_t* listBox, const std::u16string& text) {
  if (gui::TeskListBox* list = Control<gui::TeskListBox>(game.forms.betweenEpisodes, listBox))
    list->AddItem(text.c_str());
}

// The skills at the episode's start (the game's "episodeStartSkills") and now (the player's
// "baseSkills"); an element that cannot be read counts 0.
struct SkillLevels {
  int32_t start[kSkillCount];
  int32_t end[kSkillCount];
};

SkillLevels ReadSkillLevels(GamePrivateData& game) {
  SkillLevels levels{};
  for (uint32_t i = 0; i < kSkillCount; ++i) {
    ReadWholeNumber(game, game.gameObject, u"episodeStartSkills", i, &levels.start[i]);
    ReadWholeNumber(game, game.playerObject, u"baseSkills", i, &levels.end[i]);
  }
  return levels;
}

// A power is new when every required level is reached now and one of them was not at the start.
bool NewlyQualified(const uint32_t (&required)[kSkillCount], const SkillLevels& levels) {
  bool newlyMet = false;
  for (uint32_t i = 0; i < kSkillCount; ++i) {
    if (static_cast<int64_t>(required[i]) > levels.end[i]) return false;
    if (static_cast<int64_t>(required[i]) > levels.start[i]) newlyMet = true;
  }
  return newlyMet;
}

void AddSkillRows(RTInstance self, GamePrivateData& game) {
  const SkillLevels levels = ReadSkillLevels(game);
  for (uint32_t i = 0; i < kSkillCount; ++i)
    if (levels.end[i] != levels.start[i])
      AddRow(game, u"PL_SKLZ_SLG_LISTBOX", kivo::Format(u"%d %s", levels.end[i] - levels.start[i], kSpecialtyNames[i]));
  for (uint32_t power = 0; power < kSuperPowerCount; ++power) {
    if (!NewlyQualified(game.superPowerLevels[power], levels)) continue;
    const char16_t* name = nullptr;
    SuperPowerName(self, static_cast<int32_t>(power), &name);
    AddRow(game, u"PL_SKLZ_ABL_LISTBOX", name);
  }
}

// Every string element of the game's list, in order.
void AddListRows(GamePrivateData& game, const char16_t* list, const char16_t* listBox) {
  for (uint32_t i = 0; i < kMostListElements; ++i) {
    varno::RTVarnoConstantValue value{};
    if (!game.varno || !scripting::SymbolReadAttribute(game.varno, game.vm, game.gameObject, list, i,
                                                       varno::kTypeString, &value))
      return;
    AddRow(game, listBox, value.value.text ? value.value.text : u"");
    Core().ArrayFree(nullptr, value.value.text);
  }
}

}  // namespace

void OpenBetweenEpisodeScreenC(RTInstance self, GamePrivateData& game) {
  game.ScreenMode = ScreenBetweenEpisodes;
  method::PauseC(self);
  game.endingMusicSource = -1;
  PlaySoundByName(game, u"TESK_ENDING", 0.5f, 1, &game.endingMusicSource);
  game.hudHidden = 0;
  game.fadeEndTime = static_cast<float>(game.gameClock - 10.0);
  game.fadeLastTime = static_cast<float>(game.gameClock);
  std::copy(std::begin(kFadeBlack), std::end(kFadeBlack), game.fadeTarget);
  const gui::TeskForm* form = game.forms.betweenEpisodes;
  for (const char16_t* name : kListBoxes)
    if (gui::TeskListBox* list = Control<gui::TeskListBox>(form, name)) list->Clear();
  SetLabel(form, u"PL_PATS_TREATED", kivo::Format(u"%d", Number(game, game.playerObject, u"numHeals")).c_str());
  SetLabel(form, u"PL_PATS_KILLED", kivo::Format(u"%d", Number(game, game.playerObject, u"numDeaths")).c_str());
  // Each change is scaled by 0.01 and back by 100 before it is truncated. Done exactly, as here, a
  // whole difference comes out unchanged (in double a change of 29 would read 28, in float one of
  // -396 would read -395).
  const int32_t prestige =
      Number(game, game.playerObject, u"prestige") - Number(game, game.gameObject, u"episodeStartPrestige");
  SetLabel(form, u"PL_PRES_CHANGE", PrestigeChangeText(prestige).c_str());
  const int32_t disposition = Number(game, game.gameObject, u"episodeEndDisposition") -
                              Number(game, game.gameObject, u"episodeStartDisposition");
  SetLabel(form, u"PL_PRES_DISP", kivo::Format(u"%+d%%", disposition).c_str());
  AddSkillRows(self, game);
  AddListRows(game, u"EdictsCompleted", u"PL_EDCT_EDF_LISTBOX");
  AddListRows(game, u"EdictsFailed", u"PL_EDCT_EDU_LISTBOX");
  ClearEdictList(game);
  if (gui::TeskListBox* log = Control<gui::TeskListBox>(game.forms.info, u"IN_TAB_LOG_LOG_LIST")) {
    log->Clear();
    log->DeselectAll();
  }
}

}  // namespace tesk::game
