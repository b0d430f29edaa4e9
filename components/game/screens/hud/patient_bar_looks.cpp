// The slots at rest: the compact look, and the large look of the slot under the pointer or of the
// player's current patient, with the hovered slot's name and problem labels.
#include <string>

#include "game_context.h"
#include "game_methods.h"
#include "gui_skin.h"
#include "hud_icons.h"
#include "kivo/actor/actor_calls.h"
#include "patient_bar_parts.h"
#include "patient_entry.h"
#include "patient_list.h"
#include "patient_script.h"
#include "varno/scripting_calls.h"

namespace tesk::game {

namespace {

constexpr int32_t kHoverFrameIcon = 65;
constexpr int32_t kSmallLabelWidth = 24;
constexpr int32_t kSmallLabelHeight = 19;
constexpr const char16_t* kLabelIcons[kSkillCount] = {u"CAR_LBL_ICON", u"TOX_LBL_ICON", u"NEU_LBL_ICON",
                                                      u"GEN_LBL_ICON", u"PED_LBL_ICON", u"ORT_LBL_ICON"};

bool RowHovered(const GamePrivateData& game, uint32_t position) {
  return position < kPatientBarPlaces && game.patientBarHover.row[position];
}

bool NewbieRowHovered(const GamePrivateData& game, uint32_t position) {
  return position < kPatientBarPlaces && game.patientBarHover.rowNewbie[position];
}

// The bed shows white on the bed map while the pointer rests on its patient.
void MarkBed(PatientSlot& slot, bool marked) { WriteFlag(slot.game, slot.bed, u"bPlayerMO", marked); }

bool ForPlayer(const PatientSlot& slot) { return AttendedByPlayer(slot.game, slot.patient); }

// The specialty label of the problem code at (x, y): 24 x 19 on the 1024-wide skin, its own size
// on the others.
void DrawProblemLabel(RTInstance self, int32_t problem, int32_t x, int32_t y) {
  if (problem < 0 || problem >= static_cast<int32_t>(kSkillCount)) return;
  const bool small = gui::GetSkinVariant() == 0;
  method::DrawMasterIcon(self, kLabelIcons[problem], x, y, small ? kSmallLabelWidth : 0,
                         small ? kSmallLabelHeight : 0);
}

void DrawProblemLabels(PatientSlot& slot, int32_t d) {
  GamePrivateData& game = slot.game;
  const int32_t known = Number(game, slot.patient, u"numKnownProblems");
  if (known <= 1) {
    if (Flag(game, slot.patient, u"bIsInTesting"))
      DrawStatusTag(slot, u"LAB", d + 50, TagPlace::kCurrent);
    else if (slot.diagnosed)
      DrawProblemLabel(slot.self, slot.problem, slot.x + 13, d + 55);
    return;
  }
  constexpr int32_t kPlaces[3][2] = {{3, 55}, {25, 55}, {16, 70}};
  for (int32_t k = 0; k < known; ++k) {
    int32_t code = 0;
    // Labels stop at the end of the list.
    if (!ReadWholeNumber(game, slot.patient, u"problemList", static_cast<uint32_t>(k), &code)) return;
    const int32_t(&place)[2] = kPlaces[k < 2 ? k : 2];
    DrawProblemLabel(slot.self, code, slot.x + place[0], d + place[1]);
  }
}

void DrawCompactLook(PatientSlot& slot) {
  slot.entry.hoverLatched = 0;
  MarkBed(slot, false);
  const int32_t drop = slot.newbie ? kNewbieDrop : 0;
  if (slot.newbie) DrawPart(slot.self, slot.newbie, kNewbieBlue, CompactPart(slot.x, slot.y));
  DrawPart(slot.self, slot.entry.actor, slot.colour, CompactPart(slot.x, slot.y + drop));
  DrawStatusTag(slot, StatusTag(slot.game, slot.patient), slot.y + 32 + drop, TagPlace::kCompact);
  if (slot.entry.hasNurse && ForPlayer(slot) && !Flag(slot.game, slot.patient, u"bIsInTesting"))
    DrawNurseBar(slot, slot.x + 6, slot.y + 49);
}

void DrawLargeParts(PatientSlot& slot, bool onNewbie) {
  const int32_t x = slot.x, y = slot.y;
  if (!slot.newbie) {
    DrawPart(slot.self, slot.entry.actor, slot.colour, LargePart(x, y));
  } else if (onNewbie) {
    DrawPart(slot.self, slot.newbie, kNewbieBlue, LargePart(x, y));
    DrawPart(slot.self, slot.entry.actor, slot.colour, CompactPart(x, y + kNewbieDrop));
    DrawStatusTag(slot, StatusTag(slot.game, slot.patient), y + 87, TagPlace::kCompact);
  } else {
    DrawPart(slot.self, slot.newbie, kNewbieBlue, CompactPart(x, y));
    DrawPart(slot.self, slot.entry.actor, slot.colour, LargePart(x, y + kNewbieDrop));
  }
}

void DrawCurrentUnhovered(PatientSlot& slot) {
  slot.entry.hoverLatched = 0;
  MarkBed(slot, false);
  const int32_t x = slot.x, y = slot.y;
  DrawHudIcon(slot.self, kFrameIcon, x + 1, y + (slot.newbie ? 57 : 2), -6, kHudIconUpright);
  DrawStatusTag(slot, StatusTag(slot.game, slot.patient), y + (slot.newbie ? 85 : 35), TagPlace::kCurrent);
  if (slot.entry.hasNurse && !slot.newbie && !Flag(slot.game, slot.patient, u"bIsInTesting"))
    DrawNurseBar(slot, x + 5, y + 55);
}

void DrawHovered(PatientSlot& slot, bool onNewbie) {
  if (!slot.entry.hoverLatched) {
    slot.entry.hoverLatched = 1;
    MarkBed(slot, true);
  }
  const int32_t d = slot.newbie && !onNewbie ? kNewbieDrop : 0;
  DrawHudIcon(slot.self, kHoverFrameIcon, slot.x + 1, slot.y + 2 + d, -6, kHudIconUpright);
  const ScriptObject named =
      slot.newbie && onNewbie ? static_cast<ScriptObject>(slot.newbie->ScriptObject) : slot.patient;
  DrawNameLabel(slot.game, ReadText(slot.game, named, u"name").c_str(), slot.x, d, slot.colour.a);
  if (slot.newbie && d == 0) return;
  DrawProblemLabels(slot, d);
}

}  // namespace

void DrawSteadySlot(PatientSlot& slot) {
  const bool hovered = RowHovered(slot.game, slot.position);
  if (!hovered && !slot.current) {
    DrawCompactLook(slot);
    return;
  }
  const bool onNewbie = slot.newbie && hovered && NewbieRowHovered(slot.game, slot.position);
  DrawLargeParts(slot, onNewbie);
  if (hovered)
    DrawHovered(slot, onNewbie);
  else
    DrawCurrentUnhovered(slot);
}

void DrawFreeNewbie(RTInstance self, GamePrivateData& game, const RTTeskActorWrapper* newbie, int32_t x,
                    bool hovered) {
  constexpr int32_t y = kSlotTop;
  if (!hovered) {
    PartPlace place = CompactPart(x, y);
    // Without a portrait the square and the face sit a pixel higher.
    if (!newbie->HeadTexture) {
      place.squareY -= 1;
      place.faceY -= 1;
    }
    DrawPart(self, newbie, kNewbieBlue, place);
    return;
  }
  PartPlace place = LargePart(x, y);
  place.framed = true;
  place.frameX = x + 1;
  place.frameY = y + 2;
  DrawPart(self, newbie, kNewbieBlue, place);
  DrawHudIcon(self, kHoverFrameIcon, x + 1, y + 2, -6, kHudIconUpright);
  DrawNameLabel(game, ReadText(game, static_cast<ScriptObject>(newbie->ScriptObject), u"name").c_str(), x, 0, 1.0f);
}

}  // namespace tesk::game
