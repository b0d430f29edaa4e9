// A form's lookup of its controls by name. It finds what WidgetChildren::FindByName finds (the
// first widget of the name, ASCII case ignored, in that walk's order) through a table of each
// name's first widget, built by one such walk and built again on the first lookup after any
// widget was named, linked, unlinked or destroyed (WidgetTreeGeneration).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

#include "widget.h"
#include "widget_children.h"

namespace tesk::game::gui {

class WidgetNameIndex {
 public:
  // Null for a null name or one that no widget below `children` bears.
  TeskIWidget* Find(const WidgetChildren& children, const char16_t* name);

 private:
  void Add(const WidgetChildren& children);

  std::unordered_map<std::string, TeskIWidget*> firstByName_;
  uint64_t builtAt_ = 0;  // no generation is 0
};

}  // namespace tesk::game::gui
