// A widget seen as one of the toolkit's classes: the widget when its type byte names that class,
// else null (also for null).
#pragma once

#include "button.h"
#include "edit_box.h"
#include "form.h"
#include "icon.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "slider.h"
#include "tab_panel.h"
#include "text_box.h"

namespace tesk::game::gui {

template <class W>
struct WidgetKind;

#define TESK_WIDGET_KIND(Class, type)                   \
  template <>                                           \
  struct WidgetKind<Class> {                            \
    static constexpr WidgetType kType = type;           \
  }
TESK_WIDGET_KIND(TeskForm, kWidgetForm);
TESK_WIDGET_KIND(TeskPanel, kWidgetPanel);
TESK_WIDGET_KIND(TeskButton, kWidgetButton);
TESK_WIDGET_KIND(TeskTextBox, kWidgetTextBox);
TESK_WIDGET_KIND(TeskIcon, kWidgetIcon);
TESK_WIDGET_KIND(TeskTabPanel, kWidgetTabPanel);
TESK_WIDGET_KIND(TeskEditBox, kWidgetEditBox);
TESK_WIDGET_KIND(TeskLabel, kWidgetLabel);
TESK_WIDGET_KIND(TeskSlider, kWidgetSlider);
TESK_WIDGET_KIND(TeskListBox, kWidgetListBox);
#undef TESK_WIDGET_KIND

template <class W>
W* OfKind(TeskIWidget* widget) {
  return widget && widget->GetType() == WidgetKind<W>::kType ? static_cast<W*>(widget) : nullptr;
}

}  // namespace tesk::game::gui
