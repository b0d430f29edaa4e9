#include "widget_name_index.h"

#include "panel.h"
#include "tab_panel.h"

namespace tesk::game::gui {

namespace {

// The name as the lookup compares it: the low byte of each unit, ASCII letters in lower case, up
// to the first unit whose low byte is 0.
std::string NameKey(const char16_t* name) {
  std::string key;
  for (; *name & 0xFF; ++name) {
    char byte = static_cast<char>(*name & 0xFF);
    if (byte >= 'A' && byte <= 'Z') byte = static_cast<char>(byte + ('a' - 'A'));
    key += byte;
  }
  return key;
}

}  // namespace

TeskIWidget* WidgetNameIndex::Find(const WidgetChildren& children, const char16_t* name) {
  if (!name) return nullptr;
  if (builtAt_ != WidgetTreeGeneration()) {
    firstByName_.clear();
    Add(children);
    builtAt_ = WidgetTreeGeneration();
  }
  const auto found = firstByName_.find(NameKey(name));
  return found == firstByName_.end() ? nullptr : found->second;
}

// In the walk's order: each child, then the children of a panel or of a tab panel's pages.
void WidgetNameIndex::Add(const WidgetChildren& children) {
  for (TeskIWidget* child : children.Items()) {
    if (child->GetName()) firstByName_.emplace(NameKey(child->GetName()), child);
    if (child->GetType() == kWidgetPanel) Add(static_cast<TeskPanel*>(child)->Children());
    if (child->GetType() == kWidgetTabPanel) {
      const auto* tabs = static_cast<TeskTabPanel*>(child);
      for (uint32_t page = 0; page < tabs->PageCount(); ++page) Add(tabs->PageAt(page)->Children());
    }
  }
}

}  // namespace tesk::game::gui
