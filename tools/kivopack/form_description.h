// Forms of the game's resources, described in JSON and compiled to the widget stream. A widget is
// an object with a "type" (form, panel, tabpanel, button, textbox, label, colorbox, icon, editbox,
// slider, progressbar, percentbar, listbox), the base
// fields "name", "x", "y", "width", "height", "inactive" and "font", and its class's fields:
//   form      "children": [widget, ...]
//   panel     "caption", "frameStyle" (0-255), "titleTabWidth", "children"
//   tabpanel  "pages": [{"name": "...", "panel": {panel fields, no type}}, ...], "minTabWidth"
//   button    "caption";  textbox "text";  colorbox "color": [r, g, b]
//   label     "text", "background" (true or false), "backgroundColor": [r, g, b]
//   icon      "image" (skin image index), "rect": [x, y, w, h] (pixels of the 128 x 128 sheet; the
//             icon takes the size) or "uv": [uA, vA, uB, vB], "label", "mirror" (0-255),
//             "toolTip", "hidden"
//   editbox   "text", "maxLength";  slider "steps" (1-1000), "position"
//   progressbar "capacity" (0-1000), "max";  percentbar "percent" (0-100), "color",
//             "backgroundColor", "vertical"
//   listbox   "items": [{"text", "color", "icon": {icon fields, no type},
//             "panel": {panel fields, no type}}, ...], "rowHeight" (0-65535), "iconColumnWidth",
//             "fitIcons"; an item without "text" has none
// A field left out keeps the class's default (a tab panel's pages replace its default page). The
// widgets are built with the toolkit's own classes and written as its writer writes them; an
// unknown type or key, a value of the wrong kind or widgets nested too deeply are refused, naming
// the file and the widget's path ("MENU/MAIN_PANEL/OK").
// A scale other than 1 multiplies every widget's x, y, width and height, truncated toward zero:
// one description serves a smaller screen's variant.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace kivopack {

// The widget stream of the form in the file; false with the reason.
bool CompileForm(const std::filesystem::path& file, double scale, std::vector<uint8_t>* bytes, std::string* error);

}  // namespace kivopack
