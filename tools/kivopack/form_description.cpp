#include "form_description.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

#include "button.h"
#include "color_box.h"
#include "edit_box.h"
#include "form.h"
#include "icon.h"
#include "kivo/support/stream_calls.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "percent_bar.h"
#include "progress_bar.h"
#include "slider.h"
#include "tab_panel.h"
#include "text_box.h"
#include "tool_support.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace kivopack {

namespace {

namespace gui = tesk::game::gui;
using nlohmann::json;

struct TreeDeleter {
  void operator()(gui::TeskIWidget* widget) const { gui::DestroyWidgetTree(widget); }
};
using OwnedWidget = std::unique_ptr<gui::TeskIWidget, TreeDeleter>;

constexpr const char* kBaseKeys[] = {"type", "name", "x", "y", "width", "height", "inactive", "font"};

struct ClassKeys {
  const char* type;
  std::vector<std::string> keys;  // beyond the base fields
};

const ClassKeys kClasses[] = {
    {"form", {"children"}},
    {"panel", {"caption", "frameStyle", "titleTabWidth", "children"}},
    {"tabpanel", {"pages", "minTabWidth"}},
    {"button", {"caption"}},
    {"textbox", {"text"}},
    {"label", {"text", "background", "backgroundColor"}},
    {"colorbox", {"color"}},
    {"icon", {"image", "rect", "uv", "label", "mirror", "toolTip", "hidden"}},
    {"editbox", {"text", "maxLength"}},
    {"slider", {"steps", "position"}},
    {"progressbar", {"capacity", "max"}},
    {"percentbar", {"percent", "color", "backgroundColor", "vertical"}},
    {"listbox", {"items", "rowHeight", "iconColumnWidth", "fitIcons"}},
};
const std::vector<std::string> kItemKeys = {"text", "color", "icon", "panel"};

const std::vector<std::string>& KeysOf(const std::string& type) {
  for (const ClassKeys& known : kClasses)
    if (type == known.type) return known.keys;
  std::abort();
}

class FormBuilder {
 public:
  FormBuilder(std::string file, double scale, std::string* error)
      : file_(std::move(file)), scale_(scale), error_(error) {}

  // The widget the node describes at the nesting depth (the form is 1), or null after the reason.
  OwnedWidget Widget(const json& node, const std::string& parentPath, uint32_t depth) {
    std::string path = parentPath;
    if (!node.is_object()) return Refuse(path, "a widget must be an object");
    if (node.contains("name") && node["name"].is_string())
      path += (path.empty() ? "" : "/") + node["name"].get<std::string>();
    if (depth > gui::kMaxWidgetNesting) return Refuse(path, "widgets are nested too deeply");
    if (!node.contains("type") || !node["type"].is_string()) return Refuse(path, "\"type\" must be a text");
    const std::string type = node["type"].get<std::string>();
    const ClassKeys* known = nullptr;
    for (const ClassKeys& candidate : kClasses)
      if (type == candidate.type) known = &candidate;
    if (!known) return Refuse(path, "unknown type \"" + type + "\"");
    if (!OnlyKeys(node, path, known->keys)) return nullptr;
    OwnedWidget widget = Make(type);
    if (!Base(node, path, widget.get()) || !Fields(type, node, path, depth, widget.get())) return nullptr;
    return widget;
  }

 private:
  static OwnedWidget Make(const std::string& type) {
    if (type == "form") return OwnedWidget(new gui::TeskForm());
    if (type == "panel") return OwnedWidget(new gui::TeskPanel());
    if (type == "tabpanel") return OwnedWidget(new gui::TeskTabPanel());
    if (type == "button") return OwnedWidget(new gui::TeskButton());
    if (type == "textbox") return OwnedWidget(new gui::TeskTextBox());
    if (type == "label") return OwnedWidget(new gui::TeskLabel());
    if (type == "icon") return OwnedWidget(new gui::TeskIcon());
    if (type == "editbox") return OwnedWidget(new gui::TeskEditBox());
    if (type == "slider") return OwnedWidget(new gui::TeskSlider());
    if (type == "progressbar") return OwnedWidget(new gui::TeskProgressBar());
    if (type == "percentbar") return OwnedWidget(new gui::TeskPercentBar());
    if (type == "listbox") return OwnedWidget(new gui::TeskListBox());
    return OwnedWidget(new gui::TeskColorBox());
  }

  std::nullptr_t Refuse(const std::string& path, const std::string& what) {
    *error_ = file_ + ": " + (path.empty() ? "the form" : path) + ": " + what;
    return nullptr;
  }

  bool OnlyKeys(const json& node, const std::string& path, const std::vector<std::string>& classKeys) {
    for (const auto& [key, value] : node.items()) {
      bool allowed = false;
      for (const char* base : kBaseKeys) allowed = allowed || key == base;
      for (const std::string& own : classKeys) allowed = allowed || key == own;
      if (!allowed) return Refuse(path, "unknown key \"" + key + "\""), false;
    }
    return true;
  }

  // An integer field within the bounds; true with nothing read when it is left out.
  bool Integer(const json& node, const char* key, const std::string& path, int64_t low, int64_t high, int64_t* out,
               bool* present) {
    *present = node.contains(key);
    if (!*present) return true;
    const json& value = node[key];
    if (!value.is_number_integer() || value.get<int64_t>() < low || value.get<int64_t>() > high)
      return Refuse(path, "\"" + std::string(key) + "\" must be an integer from " + std::to_string(low) + " to " +
                              std::to_string(high)),
             false;
    *out = value.get<int64_t>();
    return true;
  }

  bool Text(const json& node, const char* key, const std::string& path, std::u16string* out, bool* present) {
    *present = node.contains(key);
    if (!*present) return true;
    if (!node[key].is_string()) return Refuse(path, "\"" + std::string(key) + "\" must be a text"), false;
    *out = Wide(node[key].get<std::string>());
    return true;
  }

  bool Flag(const json& node, const char* key, const std::string& path, bool* out, bool* present) {
    *present = node.contains(key);
    if (!*present) return true;
    if (!node[key].is_boolean()) return Refuse(path, "\"" + std::string(key) + "\" must be true or false"), false;
    *out = node[key].get<bool>();
    return true;
  }

  bool Colour(const json& node, const char* key, const std::string& path, gui::Colour* out, bool* present) {
    *present = node.contains(key);
    if (*present && !ReadColour(node[key], out))
      return Refuse(path, "\"" + std::string(key) + "\" must be a list of three numbers"), false;
    return true;
  }

  bool Base(const json& node, const std::string& path, gui::TeskIWidget* widget) {
    constexpr int64_t kLow = std::numeric_limits<int32_t>::min();
    constexpr int64_t kHigh = std::numeric_limits<int32_t>::max();
    std::u16string name;
    bool present = false;
    if (!Text(node, "name", path, &name, &present)) return false;
    if (present) widget->SetName(name.c_str());
    const struct {
      const char* key;
      void (gui::TeskIWidget::*set)(int32_t);
    } geometry[] = {{"x", &gui::TeskIWidget::SetX},
                    {"y", &gui::TeskIWidget::SetY},
                    {"width", &gui::TeskIWidget::SetWidth},
                    {"height", &gui::TeskIWidget::SetHeight}};
    for (const auto& field : geometry) {
      int64_t value = 0;
      if (!Integer(node, field.key, path, kLow, kHigh, &value, &present)) return false;
      if (!present) continue;
      const double scaled = std::trunc(static_cast<double>(value) * scale_);
      if (scaled < static_cast<double>(kLow) || scaled > static_cast<double>(kHigh))
        return Refuse(path, "\"" + std::string(field.key) + "\" is out of range once scaled"), false;
      (widget->*field.set)(static_cast<int32_t>(scaled));
    }
    bool inactive = false;
    if (!Flag(node, "inactive", path, &inactive, &present)) return false;
    if (present && inactive) widget->Disable();
    int64_t font = 0;
    if (!Integer(node, "font", path, std::numeric_limits<int8_t>::min(), std::numeric_limits<int8_t>::max(), &font,
                 &present))
      return false;
    if (present) widget->SetFont(static_cast<int8_t>(font));
    return true;
  }

  bool Children(const json& node, const std::string& path, uint32_t depth,
                RTSuccess (*add)(gui::TeskIWidget*, gui::TeskIWidget*), gui::TeskIWidget* owner) {
    if (!node.contains("children")) return true;
    if (!node["children"].is_array()) return Refuse(path, "\"children\" must be a list"), false;
    for (const json& child : node["children"]) {
      OwnedWidget made = Widget(child, path, depth + 1);
      if (!made || !add(owner, made.get())) return made ? Refuse(path, "cannot add a child"), false : false;
      made.release();
    }
    return true;
  }

  // A panel's own fields; its children nest one level below `depth`.
  bool PanelFields(const json& node, const std::string& path, uint32_t depth, gui::TeskPanel* panel) {
    std::u16string caption;
    bool present = false;
    if (!Text(node, "caption", path, &caption, &present)) return false;
    if (present) panel->SetCaption(caption.c_str());
    int64_t value = 0;
    if (!Integer(node, "frameStyle", path, 0, 255, &value, &present)) return false;
    if (present) panel->SetFrameStyle(static_cast<uint8_t>(value));
    if (!Integer(node, "titleTabWidth", path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(),
                 &value, &present))
      return false;
    if (present) panel->SetTitleTabWidth(static_cast<int32_t>(value));
    return Children(
        node, path, depth,
        [](gui::TeskIWidget* owner, gui::TeskIWidget* child) {
          return static_cast<gui::TeskPanel*>(owner)->AddChild(child);
        },
        panel);
  }

  bool Pages(const json& node, const std::string& path, uint32_t depth, gui::TeskTabPanel* tabs) {
    if (!node.contains("pages")) return true;
    if (!node["pages"].is_array()) return Refuse(path, "\"pages\" must be a list"), false;
    tabs->RemovePage(0);
    for (const json& page : node["pages"]) {
      if (!page.is_object() || !page.contains("name") || !page["name"].is_string())
        return Refuse(path, "every page needs a \"name\" text"), false;
      const std::string pagePath = path + "/" + page["name"].get<std::string>();
      for (const auto& [key, value] : page.items())
        if (key != "name" && key != "panel") return Refuse(pagePath, "unknown key \"" + key + "\""), false;
      if (!tabs->AddPage(Wide(page["name"].get<std::string>()).c_str()))
        return Refuse(pagePath, "cannot add the page"), false;
      if (!page.contains("panel")) continue;
      const json& body = page["panel"];
      if (!body.is_object()) return Refuse(pagePath, "\"panel\" must be an object"), false;
      if (body.contains("type")) return Refuse(pagePath, "a page's panel has no \"type\""), false;
      gui::TeskPanel* panel = tabs->PageAt(tabs->PageCount() - 1);
      if (!OnlyKeys(body, pagePath, kClasses[1].keys) || !Base(body, pagePath, panel) ||
          !PanelFields(body, pagePath, depth, panel))
        return false;
    }
    tabs->SelectPage(0);
    return true;
  }

  bool Fields(const std::string& type, const json& node, const std::string& path, uint32_t depth,
              gui::TeskIWidget* widget) {
    std::u16string text;
    bool present = false;
    if (type == "form")
      return Children(
          node, path, depth,
          [](gui::TeskIWidget* owner, gui::TeskIWidget* child) {
            return static_cast<gui::TeskForm*>(owner)->AddChild(child);
          },
          widget);
    if (type == "panel") return PanelFields(node, path, depth, static_cast<gui::TeskPanel*>(widget));
    if (type == "tabpanel") {
      auto* tabs = static_cast<gui::TeskTabPanel*>(widget);
      int64_t width = 0;
      if (!Integer(node, "minTabWidth", path, 0, std::numeric_limits<uint32_t>::max(), &width, &present)) return false;
      if (present) tabs->SetMinTabWidth(static_cast<uint32_t>(width));
      return Pages(node, path, depth, tabs);
    }
    if (type == "button" || type == "textbox") {
      if (!Text(node, type == "button" ? "caption" : "text", path, &text, &present)) return false;
      if (present && type == "button") static_cast<gui::TeskButton*>(widget)->SetCaption(text.c_str());
      if (present && type == "textbox") static_cast<gui::TeskTextBox*>(widget)->SetText(text.c_str());
      return true;
    }
    if (type == "label") {
      auto* label = static_cast<gui::TeskLabel*>(widget);
      if (!Text(node, "text", path, &text, &present)) return false;
      if (present) label->SetText(text.c_str());
      bool background = label->HasBackground() != 0;
      gui::Colour colour = label->GetBackgroundColour();
      bool colourGiven = false;
      if (!Flag(node, "background", path, &background, &present) ||
          !Colour(node, "backgroundColor", path, &colour, &colourGiven))
        return false;
      label->SetBackground(background ? 1 : 0, colour);
      return true;
    }
    if (type != "colorbox") return ValueFields(type, node, path, depth, widget);
    auto* box = static_cast<gui::TeskColorBox*>(widget);
    gui::Colour colour = box->GetColor();
    if (!Colour(node, "color", path, &colour, &present)) return false;
    box->SetColor(colour);
    return true;
  }

  // An integer field that a setter takes as a signed 32-bit value.
  bool Int32(const json& node, const char* key, const std::string& path, int32_t* out, bool* present) {
    int64_t value = 0;
    if (!Integer(node, key, path, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), &value,
                 present))
      return false;
    if (*present) *out = static_cast<int32_t>(value);
    return true;
  }

  // A list of `count` numbers; integers only when `whole`.
  bool Numbers(const json& node, const char* key, const std::string& path, size_t count, bool whole,
               std::vector<double>* out, bool* present) {
    *present = node.contains(key);
    if (!*present) return true;
    const json& value = node[key];
    bool fits = value.is_array() && value.size() == count;
    for (size_t i = 0; fits && i < count; ++i) fits = whole ? value[i].is_number_integer() : value[i].is_number();
    if (!fits)
      return Refuse(path, "\"" + std::string(key) + "\" must be a list of " + std::to_string(count) +
                              (whole ? " integers" : " numbers")),
             false;
    for (const json& number : value) out->push_back(number.get<double>());
    return true;
  }

  // An icon's fields: a pixel rectangle of the 128 x 128 sheet (which also sizes the icon) or four
  // texture coordinates, then the rest.
  bool IconFields(const json& node, const std::string& path, gui::TeskIcon* icon) {
    std::vector<double> rect;
    std::vector<double> uv;
    bool hasRect = false;
    bool hasUv = false;
    if (!Numbers(node, "rect", path, 4, true, &rect, &hasRect) || !Numbers(node, "uv", path, 4, false, &uv, &hasUv))
      return false;
    if (hasRect && hasUv) return Refuse(path, "give \"rect\" or \"uv\", not both"), false;
    if (hasRect)
      icon->SetImageRect(static_cast<int32_t>(rect[0]), static_cast<int32_t>(rect[1]), static_cast<int32_t>(rect[2]),
                         static_cast<int32_t>(rect[3]));
    if (hasUv)
      icon->SetUVRect(static_cast<float>(uv[0]), static_cast<float>(uv[1]), static_cast<float>(uv[2]),
                      static_cast<float>(uv[3]));
    int64_t value = 0;
    bool present = false;
    if (!Integer(node, "image", path, 0, std::numeric_limits<uint32_t>::max(), &value, &present)) return false;
    if (present) icon->SetImage(static_cast<uint32_t>(value));
    if (!Integer(node, "mirror", path, 0, 255, &value, &present)) return false;
    if (present) gui::TeskIconSetFlag(icon, static_cast<int8_t>(value));
    std::u16string text;
    if (!Text(node, "label", path, &text, &present)) return false;
    if (present) icon->SetLabel(text.c_str());
    if (!Text(node, "toolTip", path, &text, &present)) return false;
    if (present) icon->SetToolTip(text.c_str());
    bool hidden = false;
    if (!Flag(node, "hidden", path, &hidden, &present)) return false;
    icon->SetHidden(hidden ? 1 : 0);
    return true;
  }

  // A widget body of an item: an object with the base fields and its class's, without a type.
  template <class Widget>
  Widget* ItemBody(const json& body, const std::string& path, const std::vector<std::string>& keys) {
    if (!body.is_object()) return Refuse(path, "an item's icon or panel must be an object");
    if (body.contains("type")) return Refuse(path, "an item's icon or panel has no \"type\"");
    return OnlyKeys(body, path, keys) ? new Widget() : nullptr;
  }

  bool Item(const json& node, const std::string& path, uint32_t depth, gui::TeskListBox* list) {
    if (!node.is_object()) return Refuse(path, "an item must be an object"), false;
    for (const auto& [key, value] : node.items())
      if (std::find(kItemKeys.begin(), kItemKeys.end(), key) == kItemKeys.end())
        return Refuse(path, "unknown key \"" + key + "\""), false;
    std::u16string text;
    bool present = false;
    if (!Text(node, "text", path, &text, &present)) return false;
    gui::TeskListBoxItem* item = list->AddItem(present ? text.c_str() : nullptr);
    if (!item) return Refuse(path, "cannot add the item"), false;
    gui::Colour colour = item->GetColor();
    if (!Colour(node, "color", path, &colour, &present)) return false;
    item->SetColor(colour);
    if (node.contains("icon")) {
      const std::string iconPath = path + "/icon";
      auto* icon = ItemBody<gui::TeskIcon>(node["icon"], iconPath, KeysOf("icon"));
      if (!icon) return false;
      item->SetIcon(icon);
      if (!Base(node["icon"], iconPath, icon) || !IconFields(node["icon"], iconPath, icon)) return false;
    }
    if (node.contains("panel")) {
      const std::string panelPath = path + "/panel";
      auto* panel = ItemBody<gui::TeskPanel>(node["panel"], panelPath, KeysOf("panel"));
      if (!panel) return false;
      item->SetPanel(panel);
      if (!Base(node["panel"], panelPath, panel) || !PanelFields(node["panel"], panelPath, depth, panel)) return false;
    }
    return true;
  }

  bool ListFields(const json& node, const std::string& path, uint32_t depth, gui::TeskListBox* list) {
    int32_t value = 0;
    bool present = false;
    int64_t rowHeight = 0;
    if (!Integer(node, "rowHeight", path, 0, gui::TeskListBox::kMaxStreamedRowHeight, &rowHeight, &present))
      return false;
    if (present) list->SetRowHeight(static_cast<int32_t>(rowHeight));
    if (!Int32(node, "iconColumnWidth", path, &value, &present)) return false;
    if (present) list->SetIconColumnWidth(value);
    bool fit = false;
    if (!Flag(node, "fitIcons", path, &fit, &present)) return false;
    list->SetFitIcons(fit ? 1 : 0);
    list->CountVisibleRows();
    if (!node.contains("items")) return true;
    if (!node["items"].is_array()) return Refuse(path, "\"items\" must be a list"), false;
    for (size_t i = 0; i < node["items"].size(); ++i)
      if (!Item(node["items"][i], path + "/" + std::to_string(i), depth, list)) return false;
    return true;
  }

  // The fields of icons, edit boxes, sliders, bars and list boxes.
  bool ValueFields(const std::string& type, const json& node, const std::string& path, uint32_t depth,
                   gui::TeskIWidget* widget) {
    int32_t value = 0;
    bool present = false;
    if (type == "icon") return IconFields(node, path, static_cast<gui::TeskIcon*>(widget));
    if (type == "listbox") return ListFields(node, path, depth, static_cast<gui::TeskListBox*>(widget));
    if (type == "editbox") {
      auto* box = static_cast<gui::TeskEditBox*>(widget);
      std::u16string text;
      if (!Text(node, "text", path, &text, &present)) return false;
      if (present) box->SetText(text.c_str());
      int64_t length = 0;
      if (!Integer(node, "maxLength", path, 0, std::numeric_limits<uint32_t>::max(), &length, &present)) return false;
      if (present) box->SetMaxLength(static_cast<uint32_t>(length));
      return true;
    }
    if (type == "slider") {
      auto* slider = static_cast<gui::TeskSlider*>(widget);
      int64_t steps = 0;
      if (!Integer(node, "steps", path, 1, gui::TeskSlider::kMaxStreamedSteps, &steps, &present)) return false;
      if (present) slider->SetStepCount(static_cast<int32_t>(steps));
      if (!Int32(node, "position", path, &value, &present)) return false;
      if (present) slider->SetPosition(value);
      return true;
    }
    if (type == "progressbar") {
      auto* bar = static_cast<gui::TeskProgressBar*>(widget);
      int64_t capacity = 0;
      if (!Integer(node, "capacity", path, 0, gui::TeskProgressBar::kMaxStreamedCapacity, &capacity, &present))
        return false;
      if (present) bar->SetCapacity(static_cast<int32_t>(capacity));
      if (!Int32(node, "max", path, &value, &present)) return false;
      if (present) bar->SetMax(value);
      return true;
    }
    auto* bar = static_cast<gui::TeskPercentBar*>(widget);
    int64_t percent = 0;
    if (!Integer(node, "percent", path, 0, 100, &percent, &present)) return false;
    if (present) bar->SetPercent(static_cast<int32_t>(percent));
    gui::Colour colour = bar->GetColor();
    if (!Colour(node, "color", path, &colour, &present)) return false;
    bar->SetColor(colour.r, colour.g, colour.b);
    colour = bar->GetBackgroundColor();
    if (!Colour(node, "backgroundColor", path, &colour, &present)) return false;
    bar->SetBackgroundColor(colour);
    bool vertical = false;
    if (!Flag(node, "vertical", path, &vertical, &present)) return false;
    bar->SetVertical(vertical ? 1 : 0);
    return true;
  }

  std::string file_;
  double scale_;
  std::string* error_;
};

}  // namespace

bool CompileForm(const std::filesystem::path& file, double scale, std::vector<uint8_t>* bytes, std::string* error) {
  const auto json = ReadJson(file, error);
  if (!json) return false;
  FormBuilder builder(file.string(), scale, error);
  const OwnedWidget form = builder.Widget(*json, "", 1);
  if (!form) return false;
  if (form->GetType() != gui::kWidgetForm) {
    *error = file.string() + ": the outermost widget must be a form";
    return false;
  }
  kivo::InstanceRef stream;
  uint32_t size = 0;
  if (!kivo::memory_stream::Create(stream.out()) || !gui::StreamWidgetOut(stream.get(), form.get()) ||
      !kivo::stream::GetSize(stream.get(), &size) || !kivo::stream::Seek(stream.get(), 0)) {
    *error = file.string() + ": cannot write the form";
    return false;
  }
  bytes->resize(size);
  uint32_t read = 0;
  if (size && (!kivo::stream::Read(stream.get(), bytes->data(), size, &read) || read != size)) {
    *error = file.string() + ": cannot write the form";
    return false;
  }
  return true;
}

}  // namespace kivopack
