// TeskTabPanel: pages, each a named TeskPanel that the tab panel owns, with a row of tabs above
// the widget (the tab strip) and the current page below. A tab clicked with the first button makes
// its page current; everything else goes to the current page. Without a current page (every page
// removed, or none streamed) only the tabs draw and take presses.
#pragma once

#include <cstdint>

#include "kivo/support/list.h"
#include "panel.h"
#include "widget.h"

namespace tesk::game::gui {

class TeskTabPanel : public TeskIWidget {
 public:
  // Starts at y 24 (the tabs above it) with one page, "Tab".
  TeskTabPanel();
  ~TeskTabPanel() override;

  // The size goes to every page too.
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;
  TeskIWidget* HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) override;
  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // The base block, then u32 0x600, the page count, per page its name and its panel's block (with
  // its base block, without the factory header), and u32 minimum tab width.
  RTSuccess StreamOut(RTInstance stream) const override;
  // The streamed pages replace the default one; page 0 is current afterwards. A newer block is
  // refused.
  RTSuccess StreamIn(RTInstance stream) override;

  // A new page panel (the tab panel's size, no caption, list frame) under the name; it becomes
  // current.
  RTSuccess AddPage(const char16_t* name);
  // The page goes, and its panel with everything in it; when it was current, page 0 (or none)
  // becomes current.
  void RemovePage(uint32_t index);
  void SelectPage(uint32_t index);
  TeskPanel* PageAt(uint32_t index) const;
  const char16_t* PageName(uint32_t index) const;
  uint32_t PageCount() const { return pages_ ? pages_->count : 0; }
  TeskPanel* GetCurrentPage() const { return current_; }
  void SetMinTabWidth(uint32_t width) { minTabWidth_ = width; }
  uint32_t GetMinTabWidth() const { return minTabWidth_; }
  // Searches each page's children in page order (not the page names or panels).
  TeskIWidget* FindWidgetByName(const char16_t* name) const;
  // Unlinks the widget from the current page.
  void RemoveChild(TeskIWidget* widget);

 private:
  struct Page;
  Page* PageRecord(uint32_t index) const;
  // The page's tab width: the caption's width and 30, at least the minimum.
  uint32_t TabWidth(const Page& page) const;
  // Draws the tabs of the pages other than the current one, or only the current one's.
  void DrawTabs(int32_t x, int32_t y, RTInstance rasterizer, bool current) const;

  kivo::List* pages_ = nullptr;  // Page records
  TeskPanel* current_ = nullptr;
  uint32_t minTabWidth_ = 128;
};

}  // namespace tesk::game::gui
