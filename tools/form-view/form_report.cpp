#include "form_report.h"

#include "button.h"
#include "color_box.h"
#include "edit_box.h"
#include "form.h"
#include "icon.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "platform/utf.h"
#include "slider.h"
#include "tab_panel.h"
#include "text_box.h"
#include "widget_tree.h"

namespace formview {

namespace {

namespace gui = tesk::game::gui;

const char* TypeName(uint8_t type) {
  switch (type) {
    case gui::kWidgetForm:
      return "form";
    case gui::kWidgetPanel:
      return "panel";
    case gui::kWidgetButton:
      return "button";
    case gui::kWidgetTextBox:
      return "textbox";
    case gui::kWidgetTabPanel:
      return "tabpanel";
    case gui::kWidgetLabel:
      return "label";
    case gui::kWidgetColorBox:
      return "colorbox";
    case gui::kWidgetIcon:
      return "icon";
    case gui::kWidgetEditBox:
      return "editbox";
    case gui::kWidgetSlider:
      return "slider";
    case gui::kWidgetProgressBar:
      return "progressbar";
    case gui::kWidgetListBox:
      return "listbox";
    case gui::kWidgetPercentBar:
      return "percentbar";
    default:
      return "widget";
  }
}

std::string Quoted(const char16_t* text) { return "\"" + platform::ToUtf8(text) + "\""; }

// The class's flags and text, each after a space.
std::string Details(const gui::TeskIWidget& widget) {
  std::string details;
  if (widget.IsInactive()) details += " inactive";
  if (widget.GetFontIndex() != 0) details += " font " + std::to_string(widget.GetFontIndex());
  switch (widget.GetType()) {
    case gui::kWidgetPanel: {
      const auto& panel = static_cast<const gui::TeskPanel&>(widget);
      if (!panel.IsVisible()) details += " hidden";
      return details + " frame " + std::to_string(panel.GetFrameStyle()) + " " + Quoted(panel.GetCaption());
    }
    case gui::kWidgetButton: {
      const auto& button = static_cast<const gui::TeskButton&>(widget);
      if (button.IsHidden()) details += " hidden";
      return details + " " + Quoted(button.GetCaption());
    }
    case gui::kWidgetTextBox:
      return details + " " + Quoted(static_cast<const gui::TeskTextBox&>(widget).GetText());
    case gui::kWidgetLabel: {
      const auto& label = static_cast<const gui::TeskLabel&>(widget);
      if (label.IsHidden()) details += " hidden";
      if (label.IsCentred()) details += " centred";
      return details + " " + Quoted(label.GetText());
    }
    case gui::kWidgetIcon:
      return details + (static_cast<const gui::TeskIcon&>(widget).IsHidden() ? " hidden" : "");
    case gui::kWidgetEditBox:
      return details + " " + Quoted(static_cast<const gui::TeskEditBox&>(widget).GetText());
    case gui::kWidgetSlider: {
      const auto& slider = static_cast<const gui::TeskSlider&>(widget);
      return details + " position " + std::to_string(slider.GetPosition()) + "/" +
             std::to_string(slider.GetStepCount());
    }
    case gui::kWidgetListBox:
      return details + " items " + std::to_string(static_cast<const gui::TeskListBox&>(widget).ItemCount());
    default:
      return details;
  }
}

void Print(const gui::TeskIWidget& widget, int depth, std::string* out) {
  const std::string indent(2 * depth, ' ');
  *out += indent + TypeName(widget.GetType()) + " " + platform::ToUtf8(widget.GetName()) + " " +
          std::to_string(widget.GetX()) + "," + std::to_string(widget.GetY()) + " " +
          std::to_string(widget.GetWidth()) + "x" + std::to_string(widget.GetHeight()) + Details(widget) + "\n";
  if (const gui::WidgetChildren* children = gui::ChildrenOf(widget))
    for (const gui::TeskIWidget* child : children->Items()) Print(*child, depth + 1, out);
  if (widget.GetType() != gui::kWidgetTabPanel) return;
  const auto& tabs = static_cast<const gui::TeskTabPanel&>(widget);
  for (uint32_t i = 0; i < tabs.PageCount(); ++i) {
    *out += indent + "  page " + Quoted(tabs.PageName(i)) +
            (tabs.PageAt(i) == tabs.GetCurrentPage() ? " current" : "") + "\n";
    Print(*tabs.PageAt(i), depth + 2, out);
  }
}

}  // namespace

std::string WidgetTree(const gui::TeskIWidget& widget) {
  std::string out;
  Print(widget, 0, &out);
  return out;
}

}  // namespace formview
