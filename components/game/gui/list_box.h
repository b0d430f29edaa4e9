// TeskListBox: the framed, scrolling list of the screens (saved games, staff, patients, topics).
// Each item is a row at least the row height high, taller when its text wraps further, with its
// icon in a column to the left and its panel over it. Rows are selected singly or, in a
// multi-select list, toggled; a scroll bar with two arrows shows when the rows do not all fit or
// the list is scrolled down.
#pragma once

#include <cstdint>

#include "icon.h"
#include "kivo/support/list.h"
#include "list_box_item.h"
#include "widget.h"

namespace tesk::game::gui {

class TeskListBox : public TeskIWidget {
 public:
  // The largest row height a stream may give a list.
  static constexpr uint32_t kMaxStreamedRowHeight = 65535;

  TeskListBox();
  ~TeskListBox() override;

  // Both recount the visible rows (and so scroll to the top).
  void SetWidth(int32_t width) override;
  void SetHeight(int32_t height) override;
  void Draw(int32_t originX, int32_t originY, RTInstance rasterizer) override;
  // The arrows scroll on a press (buttons 1); a press on a row selects it, any other buttons only
  // record the row as hovered. The list's name answers any point on the arrows, the scroll
  // column or the rows.
  const char16_t* Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) override;
  // The base block, then u32 0x505, the items, the row height, the icon column width and the
  // fit-icons flag.
  RTSuccess StreamOut(RTInstance stream) const override;
  // The items are appended to those the list has; a row height above kMaxStreamedRowHeight is
  // refused, and an item that fails to read goes with what it had read.
  RTSuccess StreamIn(RTInstance stream) override;

  // The rows of the minimum height that fit the height; the top row goes back to 0.
  void CountVisibleRows();
  // A new item with a copy of the text (null for none) at the end or the front; null when memory
  // runs out.
  TeskListBoxItem* AddItem(const char16_t* text);
  TeskListBoxItem* PrependItem(const char16_t* text);
  // Destroys the item at the index if there is one; the selection and top row stay.
  void RemoveItem(uint32_t index);
  // Destroys every item; nothing is selected (the top row stays).
  void Clear();
  TeskListBoxItem* ItemAt(uint32_t index) const;
  uint32_t ItemCount() const { return items_ ? items_->count : 0; }
  // Nothing selected, back to the top, and every item's selected flag cleared in a multi-select
  // list.
  void DeselectAll();
  void ScrollUp();
  // One row down unless the rows from the top row on all fit.
  void ScrollDown();

  int32_t GetSelectedIndex() const { return selected_; }
  void SetSelectedIndex(int32_t index) { selected_ = index; }
  int32_t GetTopRow() const { return topRow_; }
  void SetTopRow(int32_t row) { topRow_ = row; }
  int32_t GetVisibleRows() const { return visibleRows_; }
  int32_t GetHoverIndex() const { return hover_; }
  void SetRowHeight(int32_t height) { rowHeight_ = height; }
  int32_t GetRowHeight() const { return rowHeight_; }
  void SetIconColumnWidth(int32_t width) { iconColumn_ = width; }
  int32_t GetIconColumnWidth() const { return iconColumn_; }
  void SetMultiSelect(uint32_t multi) { multiSelect_ = multi; }
  uint32_t IsMultiSelect() const { return multiSelect_; }
  // Item icons drawn scaled to the row height.
  void SetFitIcons(uint32_t fit) { fitIcons_ = fit; }
  uint32_t IsFitIcons() const { return fitIcons_; }
  const TeskIcon& UpArrow() const { return up_; }
  const TeskIcon& DownArrow() const { return down_; }

 private:
  TeskListBoxItem* Insert(const char16_t* text, RTSuccess (*link)(kivo::List*, void*));
  // The item's text height wrapped at the text width (a row without a text measures as empty), and
  // that at least the row height.
  uint32_t TextHeight(const TeskListBoxItem& item) const;
  uint32_t RowHeight(const TeskListBoxItem& item) const;
  int32_t ScrollColumnX(int32_t x) const;
  // Draws the rows from the top row that fit; whether some did not.
  bool DrawRows(int32_t x, int32_t y, RTInstance rasterizer);
  void DrawItemIcon(TeskIcon* icon, int32_t x, int32_t y, RTInstance rasterizer) const;
  void DrawScrollBar(int32_t x, int32_t y, RTInstance rasterizer);
  void DrawThumb(int32_t scrollX, int32_t y, RTInstance rasterizer) const;
  const char16_t* PressRow(int32_t x, int32_t y, int32_t pointX, int32_t pointY, uint32_t buttons);

  int32_t selected_ = -1;
  int32_t rowHeight_ = 32;
  int32_t iconColumn_ = 32;
  int32_t visibleRows_ = 0;
  int32_t topRow_ = 0;
  kivo::List* items_ = nullptr;
  TeskIcon up_;
  TeskIcon down_;
  uint32_t multiSelect_ = 0;
  uint32_t fitIcons_ = 0;
  int32_t hover_ = -1;
};

}  // namespace tesk::game::gui
