#include "widget_tree.h"

#include "form.h"
#include "panel.h"
#include "tab_panel.h"

namespace tesk::game::gui {

void DestroyWidgetTree(TeskIWidget* widget) {
  if (!widget) return;
  switch (widget->GetType()) {
    case kWidgetForm:
      static_cast<TeskForm*>(widget)->Children().DestroyTrees();
      break;
    case kWidgetPanel:
      static_cast<TeskPanel*>(widget)->Children().DestroyTrees();
      break;
    case kWidgetTabPanel: {
      // The tab panel destroys its page panels itself; what they hold goes first.
      auto* tabs = static_cast<TeskTabPanel*>(widget);
      for (uint32_t i = 0; i < tabs->PageCount(); ++i) tabs->PageAt(i)->Children().DestroyTrees();
      break;
    }
    default:
      break;
  }
  delete widget;
}

}  // namespace tesk::game::gui
