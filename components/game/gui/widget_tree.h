// Containers hold links to their children and never free them; whoever releases a widget it made
// (a loaded form, a clone, a page removed from a tab panel) destroys it with its subtree here.
#pragma once

#include "widget.h"
#include "widget_children.h"

namespace tesk::game::gui {

// The children a form or a panel holds; null for every other widget (a tab panel holds pages).
const WidgetChildren* ChildrenOf(const TeskIWidget& widget);
WidgetChildren* ChildrenOf(TeskIWidget& widget);

// Destroys the widget and, first, every widget below it: the children of forms and panels and the
// page panels of tab panels with theirs. Null does nothing.
void DestroyWidgetTree(TeskIWidget* widget);

}  // namespace tesk::game::gui
