// Prestige: 100 points a tier, five titles, the tier's wings on the HUD panel and the feathers
// gained toward the next tier.
#include <algorithm>
#include <iterator>

#include "form_drawing.h"
#include "game_context.h"
#include "game_methods.h"
#include "hud_state.h"
#include "icon_replacement.h"
#include "kivo/support/format.h"
#include "kivo/support/wide_string.h"
#include "screen_controls.h"
#include "widget_tree.h"

namespace tesk::game {

namespace {

constexpr const char16_t* kTitles[] = {u"Prestige: Disgraced", u"Prestige: Anonymous", u"Prestige: Noteworthy",
                                       u"Prestige: Highly Esteemed", u"Prestige: Pre-Eminent"};
constexpr const char16_t* kWings[] = {u"WING_BLACK_FULL", u"WING_BLUE_FULL", u"WING_BRONZE_FULL",
                                      u"WING_SILVER_FULL", u"WING_GOLD_FULL"};
// The colour of the next tier's feathers, by tier.
constexpr const char16_t* kFeatherColours[] = {u"BLUE", u"BRONZE", u"SILVER", u"GOLD"};
constexpr uint32_t kLastTier = std::size(kWings) - 1;
constexpr uint32_t kFeathersUpTo = 400;
constexpr uint32_t kFlashSeconds = 3;
constexpr int8_t kMirroredLeftToRight = 2;

uint32_t TierOf(uint32_t level) { return std::min(level / 100, kLastTier); }

// Replaces the form's named icon by a copy of the template under the same name; the copy, or null.
gui::TeskIcon* Replace(RTInstance self, gui::TeskForm* form, const char16_t* name, const gui::TeskIcon* templateIcon) {
  gui::TeskIcon* icon = Control<gui::TeskIcon>(form, name);
  if (!icon || !templateIcon || !ReplaceIconFromTemplate(self, icon, templateIcon, name)) return nullptr;
  return Control<gui::TeskIcon>(form, name);
}

// Takes the widget out of its parent (a panel or a form) and adds it again, last.
template <class Parent>
void Readd(Parent* parent, gui::TeskIWidget* widget) {
  parent->RemoveChild(widget);
  if (!parent->AddChild(widget)) gui::DestroyWidgetTree(widget);
}

void MoveToTop(gui::TeskIWidget* widget) {
  gui::TeskIWidget* parent = widget->GetParent();
  if (gui::TeskPanel* panel = gui::OfKind<gui::TeskPanel>(parent)) Readd(panel, widget);
  if (gui::TeskForm* form = gui::OfKind<gui::TeskForm>(parent)) Readd(form, widget);
}

}  // namespace

void ApplyPrestigeWings(RTInstance self, gui::TeskForm* form, bool flash) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return;
  const uint32_t level = game->prestige;
  const uint32_t tier = TierOf(level);
  game->wingTier = tier;
  const gui::TeskIcon* wing = FormIcon(game->forms.icons, kWings[tier]);
  Replace(self, form, u"RIGHT_WING_WHOLE", wing);
  if (gui::TeskIcon* left = Replace(self, form, u"LEFT_WING_WHOLE", wing))
    gui::TeskIconSetFlag(left, kMirroredLeftToRight);
  if (level > kFeathersUpTo || tier >= std::size(kFeatherColours)) return;
  const uint32_t feathers = (level % 100) / 20;
  for (uint32_t k = 1; k <= feathers; ++k) {
    const std::u16string name = kivo::Format(u"WING_%s_0%d", kFeatherColours[tier], k);
    const gui::TeskIcon* feather = FormIcon(game->forms.icons, name.c_str());
    for (const char16_t* side : {u"RIGHT_FEATHER_%d", u"LEFT_FEATHER_%d"}) {
      gui::TeskIcon* copy = Replace(self, form, kivo::Format(side, k).c_str(), feather);
      if (copy && flash && k == feathers) copy->StartFlash(kFlashSeconds);
    }
  }
}

void SetPrestigeC(RTInstance self, uint32_t level) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return;
  game->prestige = level;
  Core().ArrayFree(nullptr, game->prestigeTitle);
  game->prestigeTitle = nullptr;
  kivo::WideStrDup(kTitles[TierOf(level)], &game->prestigeTitle);
  gui::TeskForm* hud = game->forms.hud;
  ApplyPrestigeWings(self, hud, false);
  // Taken out and added again, the portal's frame is drawn over the new wings.
  if (gui::TeskIWidget* frame = FormWidget(hud, u"PORTAL_FRAME")) MoveToTop(frame);
}

namespace method {

TESK_GAME_SCRIPT_METHOD(SetPrestige) {
  SetPrestigeC(self, static_cast<uint32_t>(NumberArgument(count, arguments, 0)));
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
