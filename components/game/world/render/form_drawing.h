// Drawing the forms the frame chose, and looking up the widgets the HUD stage places.
#pragma once

#include "game_record.h"
#include "screen_forms.h"

namespace tesk::game {

namespace gui {
class TeskIcon;
class TeskIWidget;
}  // namespace gui

// The form of the row (nothing when its handle is null), placed as the row says and drawn at
// (0, 0) with the game's rasterizer. A centred form whose panel is missing is drawn where it
// stands.
void DrawChosenForm(GamePrivateData& game, const ScreenFormRow& row);
// Centres the form on its named panel (with the shift), or leaves it where it stands without that
// panel, then draws it.
void DrawCentredForm(GamePrivateData& game, gui::TeskForm* form, const char16_t* panel, int32_t shift);
// The skin variants of the two screen layouts (gui::GetSkinVariant).
inline constexpr int8_t kSkinVariant1024 = 0;
inline constexpr int8_t kSkinVariant800 = 1;
// Whether the HUD is laid out for an 800-pixel screen (the skin was loaded for one).
bool SkinIs800();
// The named widget of the form, or null (also for a null form).
gui::TeskIWidget* FormWidget(const gui::TeskForm* form, const char16_t* name);
// The named widget of the form when it is an icon, or null.
gui::TeskIcon* FormIcon(const gui::TeskForm* form, const char16_t* name);

}  // namespace tesk::game
