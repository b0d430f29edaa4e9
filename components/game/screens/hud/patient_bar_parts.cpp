#include <cmath>
#include <string>

#include "environment.h"
#include "game_context.h"
#include "hud_box.h"
#include "hud_icons.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/font/font_calls.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/numeric.h"
#include "patient_bar_parts.h"
#include "patient_entry.h"
#include "patient_script.h"
#include "percent_bar.h"

namespace tesk::game {

namespace {

namespace r = kivo::rasterizer;

constexpr int32_t kFaceIcon = 32;
constexpr uint32_t kNameUnits = 512;
constexpr size_t kShortName = 7;
constexpr double kPixelsPerExtraCharacter = 3.5;
constexpr float kTagColour[4] = {1.0f, 1.0f, 1.0f, 0.0f};
// A percent the bar's setter shows full.
constexpr int32_t kFullBar = -1;

struct TagOffset {
  const char16_t* tag;
  int32_t compact;
  int32_t current;
};
constexpr TagOffset kTagOffsets[] = {{u"LAB", 10, 9}, {u"BED?", 4, 4}, {u"TECH", 3, 3}, {u"NURSE", -2, -2}};

}  // namespace

void DrawPart(RTInstance self, const RTTeskActorWrapper* actor, const RTFColorRGB& colour, const PartPlace& place) {
  // A side of 0 or less would be a giant box as the box's unsigned size.
  if (place.squareSide > 0) {
    const auto side = static_cast<uint32_t>(place.squareSide);
    DrawHudBox(self, place.squareX, place.squareY, side, side, &colour, 1);
  }
  if (!actor || !actor->HeadTexture) {
    DrawHudIcon(self, kFaceIcon, place.faceX, place.faceY, place.grow, kHudIconUpright);
    return;
  }
  DrawTexturedQuad(self, place.faceX, place.faceY, place.faceSide, place.faceSide, actor->HeadTexture);
  if (place.framed) DrawHudIcon(self, kFrameIcon, place.frameX, place.frameY, place.grow, kHudIconUpright);
}

PartPlace CompactPart(int32_t x, int32_t y) { return {x + 8, y + 8, 33, x + 7, y + 7, 33, true, x + 6, y + 6, -14}; }

PartPlace LargePart(int32_t x, int32_t y) { return {x + 4, y + 4, 42, x + 3, y + 3, 41, false, 0, 0, -6}; }

const char16_t* StatusTag(GamePrivateData& game, ScriptObject patient) {
  if (Flag(game, patient, u"bIsInTesting")) return u"LAB";
  if (Flag(game, patient, u"bInTestingRoom") && !Flag(game, patient, u"bHeadingToBed")) return u"BED?";
  if (Flag(game, patient, u"bWaitingForTech")) return u"TECH";
  if (Flag(game, patient, u"bDocWaitingForNurse")) return u"NURSE";
  return nullptr;
}

void DrawStatusTag(const PatientSlot& slot, const char16_t* tag, int32_t y, TagPlace place) {
  if (!tag) return;
  for (const TagOffset& offset : kTagOffsets)
    if (std::u16string_view(offset.tag) == tag)
      kivo::font::DrawText(slot.game.outlineFont14, tag,
                           slot.x + (place == TagPlace::kCompact ? offset.compact : offset.current), y, kTagColour);
}

void DrawNurseBar(const PatientSlot& slot, int32_t x, int32_t y) {
  gui::TeskPercentBar* bar = slot.entry.nurseBar;
  if (!bar) return;
  const RTInstance rasterizer = slot.game.rasterizer;
  r::EnableLighting(rasterizer, 0);
  r::EnableDepthTest(rasterizer, 0);
  bar->SetX(x);
  bar->SetY(y);
  // NaN is out of range like any value beyond 0 to 100: the bar shows full.
  bar->SetPercent(std::isnan(slot.entry.nurseEta) ? kFullBar : kivo::FloatToInt<int32_t>(slot.entry.nurseEta));
  bar->Draw(0, 0, rasterizer);
  r::EnableLighting(rasterizer, 1);
  r::EnableDepthTest(rasterizer, 1);
}

void DrawNameLabel(const GamePrivateData& game, const char16_t* name, int32_t x, int32_t y, float alpha) {
  char16_t label[kNameUnits];
  kivo::CopyTruncated(name ? name : u"", label, kNameUnits);
  const size_t length = std::u16string_view(label).size();
  if (length > kShortName)
    x = kivo::FloatToInt<int32_t>(x - static_cast<double>(length - kShortName) * kPixelsPerExtraCharacter);
  const float white[4] = {1.0f, 1.0f, 1.0f, alpha};
  kivo::font::DrawText(game.subtitleFont, label, x, y, white);
}

}  // namespace tesk::game
