// Small forms for the notice and HUD state tests: controls made by name, panels and forms holding
// them. The game destroys a form given to its record with the record.
#pragma once

#include <initializer_list>

#include "form.h"
#include "icon.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "text_box.h"
#include "button.h"

namespace gametest {

template <class W>
W* Control(const char16_t* name, int32_t width = 10, int32_t height = 10) {
  W* widget = new W();
  widget->SetName(name);
  widget->SetWidth(width);
  widget->SetHeight(height);
  return widget;
}

inline tesk::game::gui::TeskPanel* Panel(const char16_t* name,
                                         std::initializer_list<tesk::game::gui::TeskIWidget*> children) {
  auto* panel = Control<tesk::game::gui::TeskPanel>(name, 100, 100);
  for (tesk::game::gui::TeskIWidget* child : children) panel->AddChild(child);
  return panel;
}

inline tesk::game::gui::TeskForm* Form(std::initializer_list<tesk::game::gui::TeskIWidget*> children) {
  auto* form = new tesk::game::gui::TeskForm();
  for (tesk::game::gui::TeskIWidget* child : children) form->AddChild(child);
  return form;
}

}  // namespace gametest
