#include "tab_panel.h"

#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/stream_values.h"
#include "skin_frames.h"
#include "stream_fields.h"
#include "widget_text.h"
#include "widget_tree.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kTabPanelVersion = 0x600;
constexpr uint32_t kMinTabWidthVersion = 0x600;
constexpr uint32_t kPageBytes = 8;  // at least a page name's count and its panel's version
constexpr uint32_t kTabPadding = 30;
constexpr int32_t kTabOverlap = 20;
constexpr int32_t kTabStripHeight = 24;  // where a press reaches the tabs, and their text's height
constexpr int32_t kTabTextLeft = 14;
constexpr int32_t kTabTextTop = 4;
constexpr uint32_t kFirstButton = 1;

}  // namespace

// A page: its panel (the tab panel's) and its name.
struct TeskTabPanel::Page {
  static void* operator new(size_t bytes) noexcept { return kivo::ObjectNew(bytes); }
  static void operator delete(void* block) { kivo::ObjectDelete(block); }

  TeskPanel* panel = nullptr;
  OwnedText name;
};

TeskTabPanel::TeskTabPanel() : TeskIWidget(kWidgetTabPanel) {
  kivo::ListCreate(&pages_);
  SetWidth(320);
  SetHeight(240);
  SetY(24);
  AddPage(u"Tab");
}

TeskTabPanel::~TeskTabPanel() {
  for (Page* page : kivo::ListItems<Page>(pages_)) {
    delete page->panel;
    delete page;
  }
  kivo::ListDestroy(pages_);
}

void TeskTabPanel::SetWidth(int32_t width) {
  TeskIWidget::SetWidth(width);
  for (Page* page : kivo::ListItems<Page>(pages_)) page->panel->SetWidth(width);
}

void TeskTabPanel::SetHeight(int32_t height) {
  TeskIWidget::SetHeight(height);
  for (Page* page : kivo::ListItems<Page>(pages_)) page->panel->SetHeight(height);
}

TeskTabPanel::Page* TeskTabPanel::PageRecord(uint32_t index) const {
  void* page = nullptr;
  return kivo::ListDataAt(pages_, index, &page) ? static_cast<Page*>(page) : nullptr;
}

TeskPanel* TeskTabPanel::PageAt(uint32_t index) const {
  const Page* page = PageRecord(index);
  return page ? page->panel : nullptr;
}

const char16_t* TeskTabPanel::PageName(uint32_t index) const {
  const Page* page = PageRecord(index);
  return page ? page->name.Get() : nullptr;
}

RTSuccess TeskTabPanel::AddPage(const char16_t* name) {
  Page* page = new Page();
  if (!page) return kRTFailure;
  page->panel = new TeskPanel();
  if (!page->panel || !page->name.Set(name) || !page->panel->SetCaption(u"") || !kivo::ListAppend(pages_, page)) {
    delete page->panel;
    delete page;
    return kRTFailure;
  }
  page->panel->SetParent(this);
  page->panel->SetWidth(GetWidth());
  page->panel->SetHeight(GetHeight());
  page->panel->SetFrameStyle(kPanelList);
  current_ = page->panel;
  return kRTSuccess;
}

void TeskTabPanel::RemovePage(uint32_t index) {
  Page* page = PageRecord(index);
  if (!page) return;
  kivo::ListRemove(pages_, page);
  if (current_ == page->panel) current_ = PageAt(0);
  DestroyWidgetTree(page->panel);
  delete page;
}

void TeskTabPanel::SelectPage(uint32_t index) {
  if (TeskPanel* panel = PageAt(index)) current_ = panel;
}

TeskIWidget* TeskTabPanel::FindWidgetByName(const char16_t* name) const {
  for (const Page* page : kivo::ListItems<Page>(pages_))
    if (TeskIWidget* found = page->panel->FindWidgetByName(name)) return found;
  return nullptr;
}

void TeskTabPanel::RemoveChild(TeskIWidget* widget) {
  if (current_) current_->RemoveChild(widget);
}

uint32_t TeskTabPanel::TabWidth(const Page& page) const {
  const auto caption = static_cast<uint32_t>(MeasureTextWidth(GetFont(), page.name.Get())) + kTabPadding;
  return caption > minTabWidth_ ? caption : minTabWidth_;
}

TeskIWidget* TeskTabPanel::HitTest(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY) {
  if (!current_) return nullptr;
  return current_->HitTest(PixelAdd(GetX(), originX), PixelAdd(GetY(), originY), pointX, pointY);
}

void TeskTabPanel::DrawTabs(int32_t x, int32_t y, RTInstance rasterizer, bool current) const {
  const RTInstance font = GetFont();
  for (const Page* page : kivo::ListItems<Page>(pages_)) {
    const auto width = static_cast<int32_t>(TabWidth(*page));
    if ((page->panel == current_) == current) {
      DrawPageTab(rasterizer, x, y, width);
      SetTextBounds(font, width, kTabStripHeight);
      DrawText(font, page->name.Get(), PixelAdd(x, kTabTextLeft), PixelAdd(y, kTabTextTop), kTextWhite);
      r::EnableDepthTest(rasterizer, 0);
    }
    x = PixelAdd(x, PixelSub(width, kTabOverlap));
  }
}

void TeskTabPanel::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  r::EnableDepthTest(rasterizer, 0);
  // The strip starts inside the list frame's corner and reaches down onto the page.
  const SkinPieces& pieces = Pieces();
  const int32_t tabX = PixelAdd(x, CornerWidth(pieces.listFrame));
  const int32_t tabY = PixelAdd(PixelSub(y, CornerHeight(pieces.pageTab)), CornerHeight(pieces.listFrame));
  DrawTabs(tabX, tabY, rasterizer, false);
  if (current_) current_->Draw(x, y, rasterizer);
  DrawTabs(tabX, tabY, rasterizer, true);
  HandMouseStateToParent();
}

const char16_t* TeskTabPanel::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY,
                                    uint32_t buttons) {
  if (IsInactive()) return nullptr;
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  int32_t tabX = x;
  for (const Page* page : kivo::ListItems<Page>(pages_)) {
    const auto width = static_cast<int32_t>(TabWidth(*page));
    if (PointInside(pointX, pointY, tabX, PixelSub(y, kTabStripHeight), width, kTabStripHeight)) {
      if (buttons != kFirstButton) break;
      current_ = page->panel;
      return GetName();
    }
    tabX = PixelAdd(tabX, PixelSub(width, kTabOverlap));
  }
  return current_ ? current_->Mouse(x, y, pointX, pointY, buttons) : nullptr;
}

RTSuccess TeskTabPanel::StreamOut(RTInstance stream) const {
  if (!TeskIWidget::StreamOut(stream) || !kivo::StreamWriteUInt(stream, kTabPanelVersion) ||
      !kivo::StreamWriteUInt(stream, PageCount()))
    return kRTFailure;
  for (const Page* page : kivo::ListItems<Page>(pages_))
    if (!kivo::StreamWriteWString(stream, page->name.Get()) || !page->panel->StreamOut(stream)) return kRTFailure;
  return kivo::StreamWriteUInt(stream, minTabWidth_);
}

RTSuccess TeskTabPanel::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  uint32_t count = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kTabPanelVersion, u"TeskTabPanel::StreamIn() -- Version is newer than reader",
                        &version) ||
      !kivo::StreamReadUInt(stream, &count) || !kivo::StreamHolds(stream, uint64_t{count} * kPageBytes))
    return kRTFailure;
  RemovePage(0);
  const uint32_t before = PageCount();
  bool read = true;
  for (uint32_t i = 0; read && i < count; ++i) {
    OwnedText name;
    read = ReadText(stream, &name) && AddPage(name.Get()) && PageAt(PageCount() - 1)->StreamIn(stream);
  }
  if (read && version >= kMinTabWidthVersion) read = kivo::StreamReadUInt(stream, &minTabWidth_);
  if (!read) {
    while (PageCount() > before) RemovePage(PageCount() - 1);
    return kRTFailure;
  }
  SelectPage(0);
  return kRTSuccess;
}

}  // namespace tesk::game::gui
