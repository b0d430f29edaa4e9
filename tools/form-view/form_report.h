// form-view's tree: one line a widget, indented two spaces a level, giving its type, name,
// geometry, flags and text; a tab panel's pages follow it, each with its page panel below.
#pragma once

#include <string>

#include "widget.h"

namespace formview {

std::string WidgetTree(const tesk::game::gui::TeskIWidget& widget);

}  // namespace formview
