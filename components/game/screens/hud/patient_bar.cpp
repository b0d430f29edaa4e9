// The bar's frame: the layout, the walk over the entries (by position, re-reading the count, for
// the script calls of the sort and the removal may change the list), each slot's colour and nurse
// flag, and the three animations; the steady looks are in patient_bar_looks.cpp.
#include "patient_bar.h"

#include "game_context.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/font/font_calls.h"
#include "kivo/support/list.h"
#include "kivo/support/wide_string.h"
#include "patient_bar_parts.h"
#include "patient_list.h"
#include "patient_script.h"
#include "world_lists.h"

namespace tesk::game {

namespace {

constexpr uint32_t kFrameMilliseconds = 50;
constexpr int32_t kArrivalFrames = 30;
constexpr int32_t kLeavingFrames = 30;
constexpr int32_t kShakeFrames = 50;
constexpr int32_t kShake = 3;
constexpr int32_t kFlashingSeverity = 9;
constexpr double kFlashCycle = 1.5;
constexpr double kFlashHalf = 0.75;
constexpr RTFColorRGB kUndiagnosedGrey = {0.5f, 0.5f, 0.5f, 0.75f};

// What the frame carries from slot to slot.
struct BarWalk {
  int32_t x;
  uint32_t count;         // n: entries when the frame began
  int32_t newbieEntries;  // c
  bool newbies;           // the newbie list is not empty
};

void Advance(BarWalk& walk, uint32_t position) {
  walk.x += kSlotWidth;
  if (walk.newbies && static_cast<int64_t>(position) + 1 == int64_t{walk.count} - walk.newbieEntries)
    walk.x += kSlotWidth;
}

int32_t FirstSlotX(const GamePrivateData& game, const BarWalk& walk) {
  const int64_t middle = game.screenWidth / 2;
  const int64_t n = walk.count, c = walk.newbieEntries;
  if (!walk.newbies) return static_cast<int32_t>(middle - (n / 2) * kSlotWidth - (n % 2) * (kSlotWidth / 2));
  if (c < n) return static_cast<int32_t>(middle - kSlotWidth / 2 - (n - c) * kSlotWidth);
  return static_cast<int32_t>(middle + kSlotWidth / 2);
}

// The newbie whose script object is the doctor, with its position, or null.
RTTeskActorWrapper* NewbieOf(const GamePrivateData& game, ScriptObject doctor, uint32_t* position) {
  uint32_t k = 0;
  for (RTTeskActorWrapper* newbie : kivo::ListItems<RTTeskActorWrapper>(game.lists.newbieList)) {
    if (newbie->ScriptObject == doctor) {
      *position = k;
      return newbie;
    }
    ++k;
  }
  return nullptr;
}

// The animation's frame: whole 50 ms steps of the core clock since its stamp.
int32_t AnimationFrame(PatientListEntry& entry) {
  entry.animFrame = static_cast<int32_t>((Now() - entry.animStamp) / kFrameMilliseconds);
  return entry.animFrame;
}

// The severity colour, brightened on a 1.5-second cycle of the game clock from severity 9 on.
RTFColorRGB RowColour(GamePrivateData& game, PatientListEntry& entry, bool diagnosed, int32_t severity) {
  if (!diagnosed) return kUndiagnosedGrey;
  RTFColorRGB colour = kUndiagnosedGrey;
  SeverityColour(severity, &colour);
  colour.a = 1.0f;
  if (severity < kFlashingSeverity) return colour;
  const double clock = game.gameClock;
  if (clock >= entry.flashEnd) {
    entry.flashStart = static_cast<float>(clock);
    entry.flashEnd = static_cast<float>(clock + kFlashCycle);
    return colour;
  }
  const double t = clock < entry.flashEnd - kFlashHalf ? (clock - entry.flashStart) * 4.0 / 3.0
                                                        : (entry.flashEnd - clock) * 4.0 / 3.0;
  colour.g += static_cast<float>(t * 82.0 / 255.0);
  colour.b += static_cast<float>(t * 170.0 / 255.0);
  return colour;
}

bool NurseFlag(GamePrivateData& game, ScriptObject patient, ScriptObject bed) {
  const std::u16string name = ReadText(game, patient, u"name");
  return kivo::WideStrEqualNoCase(name.c_str(), u"Glue Worker") == 0 ? Flag(game, patient, u"bHasNurse")
                                                                    : Flag(game, bed, u"bHasNurse");
}

// The zooming parts of the arrival and the leaving at offset o and side s: a newbie's entry has
// its newbie part on top and the patient part lower.
void DrawAnimatedParts(const PatientSlot& slot, int32_t o, int32_t s) {
  auto place = [&](int32_t y) {
    return PartPlace{slot.x + o + 1, y + o + 1, s, slot.x + o, y + o, s, true, slot.x + o, y + o, s - 48};
  };
  if (slot.newbie) {
    DrawPart(slot.self, slot.newbie, kNewbieBlue, place(slot.y));
    DrawPart(slot.self, slot.entry.actor, slot.colour, place(slot.y + kNewbieDrop));
    return;
  }
  DrawPart(slot.self, slot.entry.actor, slot.colour, place(slot.y));
}

void DrawArrival(PatientSlot& slot) {
  const int32_t f = AnimationFrame(slot.entry);
  if (f > 0 && f < 25)
    DrawAnimatedParts(slot, 25 - f, 2 * f - 2);
  else if (f >= 25 && f <= kArrivalFrames)
    DrawAnimatedParts(slot, f - 25, 98 - 2 * f);
  if (f >= kArrivalFrames) {
    slot.entry.animFrame = -1;
    slot.entry.isNew = 0;
  }
}

// True when the leaving has ended and the entry has been handed to FinishPatientRemoval.
bool DrawLeaving(PatientSlot& slot) {
  const int32_t f = AnimationFrame(slot.entry);
  if (f > 0 && f < 5)
    DrawAnimatedParts(slot, 7 - f, 2 * f + 34);
  else if (f >= 5 && f <= kLeavingFrames)
    DrawAnimatedParts(slot, f - 5, 58 - 2 * f);
  if (f < kLeavingFrames) return false;
  slot.entry.animFrame = -1;
  FinishPatientRemoval(slot.game, slot.position);
  return true;
}

void DrawShake(PatientSlot& slot) {
  const int32_t f = AnimationFrame(slot.entry);
  if (f > 0 && f < kShakeFrames) {
    const int32_t j = f % 6 <= 2 ? -kShake : kShake;
    const int32_t x = slot.x + j, y = slot.y;
    if (!slot.newbie) {
      PartPlace place = LargePart(x, y);
      place.framed = true;
      place.frameX = x + 1;
      place.frameY = y + 2;
      DrawPart(slot.self, slot.entry.actor, slot.colour, place);
    } else {
      DrawPart(slot.self, slot.newbie, kNewbieBlue, LargePart(x, y));
      DrawPart(slot.self, slot.entry.actor, slot.colour, CompactPart(x, y + kNewbieDrop));
    }
  }
  if (f >= kShakeFrames) {
    slot.entry.animFrame = -1;
    slot.entry.isBackFromTesting = 0;
  }
}

enum class SlotResult { kDrawn, kSkipped, kFinished, kUnreadable };

SlotResult DrawSlot(RTInstance self, GamePrivateData& game, BarWalk& walk, uint32_t i, ScriptObject currentPatient) {
  PatientListEntry& entry = *PatientEntryAt(game, i);
  const ScriptObject patient = PatientObject(entry);
  kivo::font::SetBounds(game.outlineFont14, 100, 100);
  const ScriptObject doctor = ReadObject(game, patient, u"attendingDoc");
  if (!doctor) return SlotResult::kUnreadable;
  RTTeskActorWrapper* newbie = nullptr;
  if (doctor != game.playerObject && game.lists.newbieList && game.lists.newbieList->count) {
    uint32_t k = 0;
    newbie = NewbieOf(game, doctor, &k);
    if (newbie && k < kTrackedNewbies) game.patientBarHover.newbieHasPatient[k] = 1;
    if (!newbie && !entry.isRemoved) {
      // The sweep drops the entry of a doctor who is no newbie.
      SortPatientList(game);
      return SlotResult::kSkipped;
    }
  }
  int32_t diagnosed = 0;
  if (!ReadWholeNumber(game, patient, u"bDiagnosed", varno::scripting::kWholeAttribute, &diagnosed))
    return SlotResult::kUnreadable;
  int32_t problem = kNoSeverity, severity = kNoSeverity;
  if (diagnosed) GetPatientProblem(game, patient, &problem, &severity);
  const ScriptObject bed = ReadObject(game, patient, u"seekedBed");
  entry.hasNurse = NurseFlag(game, patient, bed) ? 1 : 0;
  PatientSlot slot{self,    game, entry,   i, patient, newbie, bed, patient && patient == currentPatient,
                   diagnosed != 0, problem, RowColour(game, entry, diagnosed != 0, severity), walk.x, kSlotTop};
  if (entry.isNew)
    DrawArrival(slot);
  else if (entry.isRemoved)
    return DrawLeaving(slot) ? SlotResult::kFinished : SlotResult::kDrawn;
  else if (entry.isBackFromTesting)
    DrawShake(slot);
  else
    DrawSteadySlot(slot);
  return SlotResult::kDrawn;
}

void DrawFreeNewbies(RTInstance self, GamePrivateData& game, BarWalk& walk) {
  uint32_t k = 0;
  for (const RTTeskActorWrapper* newbie : kivo::ListItems<RTTeskActorWrapper>(game.lists.newbieList)) {
    // Four newbies are tracked; the tail stops at the fourth.
    if (k >= kTrackedNewbies) return;
    if (!game.patientBarHover.newbieHasPatient[k]) {
      DrawFreeNewbie(self, game, newbie, walk.x, game.patientBarHover.newbie[k] != 0);
      walk.x += kSlotWidth;
    }
    ++k;
  }
}

}  // namespace

RTSuccess DrawPatientIcons(RTInstance self) {
  GamePrivateData* game = RecordOf(self);
  if (!game || !game->lists.patientList) return kRTSuccess;
  BarWalk walk{0, PatientCount(*game), game->newbiePatientCount,
               game->lists.newbieList && game->lists.newbieList->count > 0};
  kivo::font::SetBounds(game->subtitleFont, 300, 20);
  walk.x = FirstSlotX(*game, walk);
  const ScriptObject currentPatient = ReadObject(*game, game->playerObject, u"currentPatient");
  for (uint8_t& flag : game->patientBarHover.newbieHasPatient) flag = 0;
  bool retried = false;
  for (uint32_t i = 0; i < PatientCount(*game); ++i) {
    const PatientListEntry* entry = PatientEntryAt(*game, i);
    if (!entry->actor || ActorRemoved(entry->actor)) {
      Report(u"RTTeskGame::DrawPatientIcons -- this patient is CACACACA!");
      DropPatientEntry(*game, i--);
      continue;
    }
    if (game->timerDial.centerX + game->timerDial.radius > walk.x) {
      Advance(walk, i);
      continue;
    }
    const SlotResult result = DrawSlot(self, *game, walk, i, currentPatient);
    if (result == SlotResult::kUnreadable) return kRTFailure;
    // What now holds the position of a finished entry is handled next, once: an entry that a
    // script keeps bringing back waits for the next frame.
    if (result == SlotResult::kFinished && !retried) {
      retried = true;
      --i;
      continue;
    }
    retried = false;
    Advance(walk, i);
  }
  DrawFreeNewbies(self, *game, walk);
  return kRTSuccess;
}

}  // namespace tesk::game
