// What every screen handler does with its form and the script: a control found by its name and
// kind (null when the form lacks it: the step that needs it is skipped), the hit control's name,
// panels shown and hidden, texts set, interface sounds and the script's events.
#pragma once

#include <initializer_list>
#include <string>

#include "button.h"
#include "edit_box.h"
#include "form.h"
#include "icon.h"
#include "game_record.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "slider.h"
#include "text_box.h"
#include "varno/scripting_calls.h"

namespace tesk::game {

template <class W>
struct ControlKind;
template <>
struct ControlKind<gui::TeskPanel> {
  static constexpr gui::WidgetType kType = gui::kWidgetPanel;
};
template <>
struct ControlKind<gui::TeskButton> {
  static constexpr gui::WidgetType kType = gui::kWidgetButton;
};
template <>
struct ControlKind<gui::TeskLabel> {
  static constexpr gui::WidgetType kType = gui::kWidgetLabel;
};
template <>
struct ControlKind<gui::TeskTextBox> {
  static constexpr gui::WidgetType kType = gui::kWidgetTextBox;
};
template <>
struct ControlKind<gui::TeskListBox> {
  static constexpr gui::WidgetType kType = gui::kWidgetListBox;
};
template <>
struct ControlKind<gui::TeskSlider> {
  static constexpr gui::WidgetType kType = gui::kWidgetSlider;
};
template <>
struct ControlKind<gui::TeskIcon> {
  static constexpr gui::WidgetType kType = gui::kWidgetIcon;
};
template <>
struct ControlKind<gui::TeskEditBox> {
  static constexpr gui::WidgetType kType = gui::kWidgetEditBox;
};

// The widget when it is of that kind, else null.
template <class W>
W* OfKind(gui::TeskIWidget* widget) {
  return widget && widget->GetType() == ControlKind<W>::kType ? static_cast<W*>(widget) : nullptr;
}
// The form's (or panel's) control of that name when it is of that kind, else null (also for a
// null form or panel).
template <class W>
W* Control(const gui::TeskForm* form, const char16_t* name) {
  return OfKind<W>(form ? form->FindWidgetByName(name) : nullptr);
}
template <class W>
W* Control(const gui::TeskPanel* panel, const char16_t* name) {
  return OfKind<W>(panel ? panel->FindWidgetByName(name) : nullptr);
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
