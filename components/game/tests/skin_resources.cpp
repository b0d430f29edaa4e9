#include "skin_resources.h"

namespace gametest {

std::vector<std::u16string> SkinFonts() {
  return {u"Verdana",    u"Verdana15b", u"Verdana17", u"Verdana19",  u"Verdana18o",
          u"Verdana12b", u"Verdana23o", u"Verdana7b", u"Verdana8",   u"Verdana9b",
          u"Verdana11",  u"Verdana11b", u"Verdana13", u"Verdana14o", u"Monospaced32"};
}

std::vector<ResourceItem> SkinResources() {
  std::vector<ResourceItem> items;
  for (const ResourceItem& item : CompleteResources())
    if (item.name != "1024_elements") items.push_back(item);
  auto png = [](int side) {
    const std::vector<uint8_t> file = tesk::testing::BlankPng(side, side);
    return std::string(file.begin(), file.end());
  };
  for (const char* name : {"XRAY_OVERLAY", "MAIN_MENU_ICONS", "ICONS_A", "ICONS_B", "ICONS_C", "ICONS_G", "ATT_FACES",
                           "PERKS", "SECURITY1", "SECURITY2"})
    items.push_back({name, png(2)});
  items.push_back({"CHARACTER_A", png(512)});
  items.push_back({"1024_ELEMENTS", png(128)});
  items.push_back({"800_ELEMENTS", png(128)});
  return items;
}

}  // namespace gametest
