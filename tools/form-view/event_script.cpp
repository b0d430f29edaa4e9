#include "event_script.h"

#include <cstdlib>
#include <functional>
#include <sstream>

#include "edit_box.h"
#include "gui_clock.h"
#include "list_box.h"
#include "panel.h"
#include "platform/utf.h"
#include "slider.h"
#include "tab_panel.h"
#include "widget_tree.h"

namespace formview {

namespace {

namespace gui = tesk::game::gui;

uint32_t gMilliseconds = 0;

bool ScriptSeconds(float* seconds) {
  *seconds = static_cast<float>(gMilliseconds) / 1000.0f;
  return true;
}

uint32_t ScriptMilliseconds() { return gMilliseconds; }

// Every widget below the container, each before its own children (a tab panel's pages' children
// after it).
void Visit(const gui::TeskIWidget& widget, const std::function<void(const gui::TeskIWidget&)>& visit) {
  if (widget.GetType() == gui::kWidgetTabPanel) {
    const auto& tabs = static_cast<const gui::TeskTabPanel&>(widget);
    for (uint32_t i = 0; i < tabs.PageCount(); ++i) Visit(*tabs.PageAt(i), visit);
  }
  const gui::WidgetChildren* children = gui::ChildrenOf(widget);
  if (!children) return;
  for (const gui::TeskIWidget* child : children->Items()) {
    visit(*child);
    Visit(*child, visit);
  }
}

std::string NameOf(const char16_t* name) { return name ? platform::ToUtf8(name) : "-"; }

std::string State(const gui::TeskForm& form) {
  std::string state;
  Visit(form, [&state](const gui::TeskIWidget& widget) {
    const std::string name = platform::ToUtf8(widget.GetName());
    if (widget.GetType() == gui::kWidgetSlider) {
      const auto& slider = static_cast<const gui::TeskSlider&>(widget);
      state += "  slider " + name + " " + std::to_string(slider.GetPosition()) + "/" +
               std::to_string(slider.GetStepCount()) + "\n";
    } else if (widget.GetType() == gui::kWidgetListBox) {
      const auto& list = static_cast<const gui::TeskListBox&>(widget);
      state += "  listbox " + name + " selected " + std::to_string(list.GetSelectedIndex()) + " top " +
               std::to_string(list.GetTopRow()) + " hover " + std::to_string(list.GetHoverIndex()) + "\n";
    } else if (widget.GetType() == gui::kWidgetEditBox) {
      state += "  editbox " + name + " \"" + platform::ToUtf8(static_cast<const gui::TeskEditBox&>(widget).GetText()) +
               "\"\n";
    }
  });
  return state;
}

// A typed unit: one character (a UTF-16 unit of UTF-8 text) or a code.
bool ParseUnit(const std::string& word, char16_t* unit) {
  const std::u16string wide = platform::FromUtf8(word);
  if (wide.size() == 1) {
    *unit = wide[0];
    return true;
  }
  char* end = nullptr;
  const unsigned long code = std::strtoul(word.c_str(), &end, 0);
  if (word.empty() || *end || code > 0xFFFF) return false;
  *unit = static_cast<char16_t>(code);
  return true;
}

// One event; the name the form answered in `answer`. False when the line is not an event.
bool Send(const std::string& line, gui::TeskForm* form, const char16_t** answer) {
  std::istringstream words(line);
  std::string event;
  words >> event;
  if (event == "key") {
    std::string word;
    char16_t unit = 0;
    if (!(words >> word) || !ParseUnit(word, &unit)) return false;
    form->CharEvent(unit);
  } else if (event == "wait") {
    uint32_t milliseconds = 0;
    if (!(words >> milliseconds)) return false;
    gMilliseconds += milliseconds;
  } else {
    int32_t x = 0;
    int32_t y = 0;
    if (!(words >> x >> y)) return false;
    if (event == "press" || event == "hover") {
      *answer = form->Mouse(0, 0, x, y, event == "press" ? 1 : 0);
    } else if (event == "drag" || event == "move") {
      form->MouseMoveEvent(x, y, event == "drag" ? 1 : 0);
    } else {
      return false;
    }
  }
  std::string rest;
  return !(words >> rest);
}

}  // namespace

void UseScriptClock() {
  gMilliseconds = 0;
  gui::SetGuiClock({ScriptSeconds, ScriptMilliseconds});
}

bool RunEventScript(std::istream& script, gui::TeskForm* form, std::string* report, std::string* error) {
  std::string line;
  for (int number = 1; std::getline(script, line); ++number) {
    if (line.empty() || line[0] == '#') continue;
    const char16_t* answer = nullptr;
    if (!Send(line, form, &answer)) {
      *error = "event line " + std::to_string(number) + " (\"" + line + "\") is not an event";
      return false;
    }
    const gui::TeskIWidget* focus = form->GetFocus();
    *report +=
        line + " -> " + NameOf(answer) + ", focus " + NameOf(focus ? focus->GetName() : nullptr) + "\n" + State(*form);
  }
  return true;
}

}  // namespace formview
