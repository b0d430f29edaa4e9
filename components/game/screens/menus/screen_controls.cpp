#include "screen_controls.h"

#include "game_context.h"
#include "kivo/support/wide_string.h"
#include "sound_effects.h"

namespace tesk::game {

gui::TeskIWidget* AnyControl(const gui::TeskForm* form, const char16_t* name) {
  return form ? form->FindWidgetByName(name) : nullptr;
}

std::u16string HitControl(gui::TeskForm* form, int32_t x, int32_t y) {
  const char16_t* name = form ? form->Mouse(0, 0, x, y, 1) : nullptr;
  return name ? std::u16string(name) : std::u16string();
}

bool Is(const std::u16string& hit, const char16_t* name) {
  return !hit.empty() && kivo::WideStrEqualNoCase(hit.c_str(), name) == 0;
}

bool IsAny(const std::u16string& hit, std::initializer_list<const char16_t*> names) {
  for (const char16_t* name : names)
    if (Is(hit, name)) return true;
  return false;
}

void ShowPanel(const gui::TeskForm* form, const char16_t* name, bool shown) {
  if (gui::TeskPanel* panel = Control<gui::TeskPanel>(form, name)) panel->SetVisible(shown ? 1 : 0);
}

bool PanelShown(const gui::TeskForm* form, const char16_t* name) {
  const gui::TeskPanel* panel = Control<gui::TeskPanel>(form, name);
  return panel && panel->IsVisible();
}

void SetLabel(const gui::TeskForm* form, const char16_t* name, const char16_t* text) {
  if (gui::TeskLabel* label = Control<gui::TeskLabel>(form, name)) label->SetText(text);
}

void SetTextBox(const gui::TeskForm* form, const char16_t* name, const char16_t* text) {
  if (gui::TeskTextBox* box = Control<gui::TeskTextBox>(form, name)) box->SetText(text);
}

void EnableControls(const gui::TeskForm* form, std::initializer_list<const char16_t*> names, bool enabled) {
  for (const char16_t* name : names) {
    gui::TeskIWidget* control = AnyControl(form, name);
    if (!control) continue;
    if (enabled)
      control->Enable();
    else
      control->Disable();
  }
}

bool Highlighted(const gui::TeskForm* form, const char16_t* name) {
  const gui::TeskButton* button = Control<gui::TeskButton>(form, name);
  return button && button->IsHighlighted();
}

void SelectOfPair(const gui::TeskForm* form, const char16_t* selected, const char16_t* cleared) {
  if (gui::TeskButton* on = Control<gui::TeskButton>(form, selected)) on->SetHighlighted(1);
  if (gui::TeskButton* off = Control<gui::TeskButton>(form, cleared)) off->SetHighlighted(0);
}

void PlayInterfaceSound(GamePrivateData& game, const char16_t* sound) {
  PlaySoundByName(game, sound, 0.5f, 0, nullptr);
}

void RaisePlayerEvent(GamePrivateData& game, const char16_t* event,
                      std::initializer_list<varno::scripting::EventArgument> arguments) {
  varno::scripting::RaiseEvent(game.varno, game.vm, game.playerObject, event, arguments);
}

}  // namespace tesk::game
