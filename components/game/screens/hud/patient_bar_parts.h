// The pieces the patient bar's slots are drawn from, shared by the animations and the steady looks.
#pragma once

#include <cstdint>

#include "game_record.h"
#include "kivo/support/math_types.h"

struct RTTeskActorWrapper;

namespace tesk::game {

// The HUD sprite that frames a patient's square.
constexpr int32_t kFrameIcon = 66;

struct PatientListEntry;

inline constexpr int32_t kSlotTop = 15;     // the top of every slot
inline constexpr int32_t kSlotWidth = 50;
inline constexpr int32_t kNewbieDrop = 55;  // the patient part of a newbie's entry lies this much lower

// One entry's slot as the frame sees it.
struct PatientSlot {
  RTInstance self;
  GamePrivateData& game;
  PatientListEntry& entry;
  uint32_t position;
  ScriptObject patient;
  RTTeskActorWrapper* newbie;  // the attending newbie; null for the player's entry
  ScriptObject bed;            // the patient's "seekedBed"
  bool current;                // the player's "currentPatient"
  bool diagnosed;
  int32_t problem;
  RTFColorRGB colour;  // RowColour
  int32_t x;
  int32_t y;
};

// A portrait on its square, as the looks draw it: the square's corner and side, the portrait's
// corner and side, and the frame icon's corner and grow (no frame icon when `framed` is false).
struct PartPlace {
  int32_t squareX, squareY, squareSide;
  int32_t faceX, faceY, faceSide;
  bool framed;
  int32_t frameX, frameY;
  int32_t grow;  // of the frame icon, and of the placeholder face drawn without a portrait
};

inline constexpr RTFColorRGB kNewbieBlue = {0.5f, 0.5f, 1.0f, 1.0f};

// The square (nothing for a side of 0 or less), then the portrait with its frame, or without a
// portrait the placeholder face at the portrait's corner.
void DrawPart(RTInstance self, const RTTeskActorWrapper* actor, const RTFColorRGB& colour, const PartPlace& place);
// The compact part (33 pixels) and the large part (42) with their top-left at (x, y).
PartPlace CompactPart(int32_t x, int32_t y);
PartPlace LargePart(int32_t x, int32_t y);
// The status tag of the patient, or null for none.
const char16_t* StatusTag(GamePrivateData& game, ScriptObject patient);
// Draws the tag in the tag font at y, its x from the slot's x by the tag's table.
enum class TagPlace { kCompact, kCurrent };
void DrawStatusTag(const PatientSlot& slot, const char16_t* tag, int32_t y, TagPlace place);
// The entry's nurse bar at (x, y) with lighting and depth test off around it.
void DrawNurseBar(const PatientSlot& slot, int32_t x, int32_t y);
// The name in the name font, moved left by 3.5 pixels a character beyond 7, white with the alpha.
void DrawNameLabel(const GamePrivateData& game, const char16_t* name, int32_t x, int32_t y, float alpha);

// The steady looks (patient_bar_looks.cpp); each returns after the slot is drawn.
void DrawSteadySlot(PatientSlot& slot);
// A newbie without a patient at x, hovered or not.
void DrawFreeNewbie(RTInstance self, GamePrivateData& game, const RTTeskActorWrapper* newbie, int32_t x,
                    bool hovered);

}  // namespace tesk::game
