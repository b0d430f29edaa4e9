// What every screen handler does with its form and the script: a control found by its name and
// kind (null when the form lacks it: the step that needs it is skipped), the hit control's name,
// panels shown and hidden, texts set, interface sounds and the script's events.
#pragma once

#include <initializer_list>
#include <string>

#include "game_record.h"
#include "widget_kind.h"
#include "varno/scripting_calls.h"

namespace tesk::game {

// The form's (or panel's) control of that name when it is of that kind, else null (also for a
// null form or panel).
template <class W>
W* Control(const gui::TeskForm* form, const char16_t* name) {
  return gui::OfKind<W>(form ? form->FindWidgetByName(name) : nullptr);
}
template <class W>
W* Control(const gui::TeskPanel* panel, const char16_t* name) {
  return gui::OfKind<W>(panel ? panel->FindWidgetByName(name) : nullptr);
}
// Any control of that name, or null.
gui::TeskIWidget* AnyControl(const gui::TeskForm* form, const char16_t* name);

// The name of the form's control under the press (the form's Mouse at origin (0, 0), button word
// 1), copied: acting on it may destroy the widget that owns it. Empty when nothing was hit.
std::u16string HitControl(gui::TeskForm* form, int32_t x, int32_t y);
// Whether the name is `name`, ignoring ASCII case.
bool Is(const std::u16string& hit, const char16_t* name);
bool IsAny(const std::u16string& hit, std::initializer_list<const char16_t*> names);

void ShowPanel(const gui::TeskForm* form, const char16_t* name, bool shown);
bool PanelShown(const gui::TeskForm* form, const char16_t* name);
void SetLabel(const gui::TeskForm* form, const char16_t* name, const char16_t* text);
void SetTextBox(const gui::TeskForm* form, const char16_t* name, const char16_t* text);
// Clears or sets each named control's inactive flag.
void EnableControls(const gui::TeskForm* form, std::initializer_list<const char16_t*> names, bool enabled);
// The button's highlighted flag (0 for a missing button); selecting one of a pair clears the other.
bool Highlighted(const gui::TeskForm* form, const char16_t* name);
void SelectOfPair(const gui::TeskForm* form, const char16_t* selected, const char16_t* cleared);

// Every interface sound plays at volume 0.5, not looped.
void PlayInterfaceSound(GamePrivateData& game, const char16_t* sound);
// Raised on the player's script object; nothing before SetPlayer.
void RaisePlayerEvent(GamePrivateData& game, const char16_t* event,
                      std::initializer_list<varno::scripting::EventArgument> arguments = {});

}  // namespace tesk::game
