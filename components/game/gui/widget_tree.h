// Containers hold links to their children and never free them; whoever releases a widget it made
// (a loaded form, a clone, a page removed from a tab panel) destroys it with its subtree here.
#pragma once

#include "widget.h"

namespace tesk::game::gui {

// Destroys the widget and, first, every widget below it: the children of forms and panels and the
// page panels of tab panels with theirs. Null does nothing.
void DestroyWidgetTree(TeskIWidget* widget);

}  // namespace tesk::game::gui
