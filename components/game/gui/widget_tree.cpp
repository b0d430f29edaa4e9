#include "widget_tree.h"

#include <utility>

#include "form.h"
#include "panel.h"
#include "tab_panel.h"

namespace tesk::game::gui {

const WidgetChildren* ChildrenOf(const TeskIWidget& widget) {
  switch (widget.GetType()) {
    case kWidgetForm:
      return &static_cast<const TeskForm&>(widget).Children();
    case kWidgetPanel:
      return &static_cast<const TeskPanel&>(widget).Children();
    default:
      return nullptr;
  }
}

WidgetChildren* ChildrenOf(TeskIWidget& widget) {
  return const_cast<WidgetChildren*>(ChildrenOf(std::as_const(widget)));
}

void DestroyWidgetTree(TeskIWidget* widget) {
  if (!widget) return;
  if (WidgetChildren* children = ChildrenOf(*widget)) children->DestroyTrees();
  if (widget->GetType() == kWidgetTabPanel) {
    // The tab panel destroys its page panels itself; what they hold goes first.
    auto* tabs = static_cast<TeskTabPanel*>(widget);
    for (uint32_t i = 0; i < tabs->PageCount(); ++i) tabs->PageAt(i)->Children().DestroyTrees();
  }
  delete widget;
}

}  // namespace tesk::game::gui
