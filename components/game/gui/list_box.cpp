#include "list_box.h"

#include <algorithm>

#include "draw_primitives.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/numeric.h"
#include "kivo/support/stream_values.h"
#include "skin_frames.h"
#include "stream_fields.h"
#include "widget_text.h"

namespace tesk::game::gui {

namespace {

namespace r = kivo::rasterizer;

constexpr uint32_t kListBoxVersion = 0x505;
constexpr uint32_t kFitIconsVersion = 0x505;  // the fit-icons flag from here on
constexpr uint32_t kSmallestItemBytes = 21;   // version, empty text, colour, no icon
constexpr int32_t kRowGap = 8;
constexpr int32_t kTextMargin = 12;
constexpr int32_t kNoHeightLimit = 9999;
constexpr float kHighlightGain = 1.5f;
constexpr Colour kRowColour = {24.0f / 255.0f, 44.0f / 255.0f, 68.0f / 255.0f, 0.85f};
constexpr Colour kHighlightedRowColour = {kRowColour.r * kHighlightGain, kRowColour.g* kHighlightGain,
                                          kRowColour.b* kHighlightGain, kRowColour.a};

struct ArrowRect {
  int32_t x, y, side;
};
constexpr ArrowRect kLargeArrow = {78, 0, 20};
constexpr ArrowRect kSmallArrow = {61, 0, 15};

bool Small() { return GetSkinVariant() == kSkinSmall; }

int32_t Px(int64_t value) { return static_cast<int32_t>(value); }

int32_t Truncated(float value) { return kivo::FloatToInt<int32_t>(value); }

}  // namespace

TeskListBox::TeskListBox() : TeskIWidget(kWidgetListBox) {
  kivo::ListCreate(&items_);
  const ArrowRect& arrow = Small() ? kSmallArrow : kLargeArrow;
  for (TeskIcon* icon : {&up_, &down_}) {
    icon->SetImage(kElementImage);
    icon->SetImageRect(arrow.x, arrow.y, arrow.side, arrow.side);
  }
  TeskIconSetFlag(&down_, 1);
  SetWidth(300);
  SetHeight(200);
}

TeskListBox::~TeskListBox() {
  Clear();
  kivo::ListDestroy(items_);
}

void TeskListBox::SetWidth(int32_t width) {
  TeskIWidget::SetWidth(width);
  CountVisibleRows();
}

void TeskListBox::SetHeight(int32_t height) {
  TeskIWidget::SetHeight(height);
  CountVisibleRows();
}

void TeskListBox::CountVisibleRows() {
  const int64_t pitch = int64_t{rowHeight_} + kRowGap;
  visibleRows_ = pitch ? Px(GetHeight() / pitch) : 0;
  topRow_ = 0;
}

TeskListBoxItem* TeskListBox::Insert(const char16_t* text, RTSuccess (*link)(kivo::List*, void*)) {
  auto* item = new TeskListBoxItem();
  if (!item) return nullptr;
  if (!items_ || !item->SetText(text) || !link(items_, item)) {
    delete item;
    return nullptr;
  }
  return item;
}

TeskListBoxItem* TeskListBox::AddItem(const char16_t* text) { return Insert(text, kivo::ListAppend); }

TeskListBoxItem* TeskListBox::PrependItem(const char16_t* text) { return Insert(text, kivo::ListPrepend); }

TeskListBoxItem* TeskListBox::ItemAt(uint32_t index) const {
  void* data = nullptr;
  return items_ && kivo::ListDataAt(items_, index, &data) ? static_cast<TeskListBoxItem*>(data) : nullptr;
}

void TeskListBox::RemoveItem(uint32_t index) {
  TeskListBoxItem* item = ItemAt(index);
  if (!item) return;
  kivo::ListRemove(items_, item);
  delete item;
}

void TeskListBox::Clear() {
  for (TeskListBoxItem* item : kivo::ListItems<TeskListBoxItem>(items_)) delete item;
  if (items_) kivo::ListClear(items_);
  selected_ = -1;
}

void TeskListBox::DeselectAll() {
  selected_ = -1;
  topRow_ = 0;
  if (!multiSelect_) return;
  for (TeskListBoxItem* item : kivo::ListItems<TeskListBoxItem>(items_)) item->SetSelected(0);
}

void TeskListBox::ScrollUp() {
  if (topRow_ > 0) --topRow_;
}

// The walk stops once past the height: the rows from the top row either all fit or not. A top row
// at or past the last item still moves on.
void TeskListBox::ScrollDown() {
  kivo::ListLink* link = nullptr;
  if (!items_ || !kivo::ListElementAt(items_, static_cast<uint32_t>(topRow_), &link)) {
    ++topRow_;
    return;
  }
  int64_t used = 0;
  for (; link; link = link->next) {
    used += int64_t{RowHeight(*static_cast<TeskListBoxItem*>(link->data))} + kRowGap;
    if (used > GetHeight()) {
      ++topRow_;
      return;
    }
  }
}

uint32_t TeskListBox::TextHeight(const TeskListBoxItem& item) const {
  const char16_t* text = item.GetText();
  return static_cast<uint32_t>(
      MeasureTextHeight(GetFont(), text ? text : u"", PixelSub(GetWidth(), kTextMargin), kNoHeightLimit));
}

uint32_t TeskListBox::RowHeight(const TeskListBoxItem& item) const {
  return std::max(TextHeight(item), static_cast<uint32_t>(rowHeight_));
}

int32_t TeskListBox::ScrollColumnX(int32_t x) const {
  return Px(int64_t{x} + GetWidth() + iconColumn_ + (Small() ? 1 : 7));
}

void TeskListBox::Draw(int32_t originX, int32_t originY, RTInstance rasterizer) {
  const int32_t x = PixelAdd(GetX(), originX);
  const int32_t y = PixelAdd(GetY(), originY);
  const int64_t frameWidth = int64_t{GetWidth()} + CornerWidth(Pieces().navyFrame) + iconColumn_ + up_.GetWidth() - 6;
  DrawSkinFrame(rasterizer, FrameStyle::kList, PixelSub(x, 4), y, Px(frameWidth), GetHeight());
  SetTextBounds(GetFont(), PixelSub(GetWidth(), kTextMargin), kNoHeightLimit);
  const bool overflowing = DrawRows(x, y, rasterizer) || topRow_ != 0;
  if (overflowing) DrawScrollBar(x, y, rasterizer);
}

bool TeskListBox::DrawRows(int32_t x, int32_t y, RTInstance rasterizer) {
  const int64_t height = GetHeight();
  const int32_t textX = Px(int64_t{x} + iconColumn_ + 4);
  const int32_t rowWidth = Px(int64_t{GetWidth()} + iconColumn_ - 8);
  const RTInstance font = GetFont();
  visibleRows_ = 0;
  kivo::ListLink* link = nullptr;
  if (items_) kivo::ListElementAt(items_, static_cast<uint32_t>(topRow_), &link);
  int64_t used = 0;
  int32_t penY = PixelAdd(y, kRowGap);
  for (int32_t index = topRow_; link; link = link->next, ++index) {
    TeskListBoxItem& item = *static_cast<TeskListBoxItem*>(link->data);
    const uint32_t textHeight = TextHeight(item);
    const uint32_t rowHeight = std::max(textHeight, static_cast<uint32_t>(rowHeight_));
    if (visibleRows_ > 0 && used + rowHeight + kRowGap > height) return true;
    if (used >= height) break;
    used += int64_t{rowHeight} + kRowGap;
    const bool lit = index == selected_ || item.IsSelected();
    DrawSolidQuad(rasterizer, PixelAdd(x, 4), penY, rowWidth, static_cast<int32_t>(rowHeight),
                  lit ? kHighlightedRowColour : kRowColour);
    if (item.GetIcon()) DrawItemIcon(item.GetIcon(), PixelAdd(x, 4), penY, rasterizer);
    const char16_t* text = item.GetText();
    const int32_t textY = textHeight <= static_cast<uint32_t>(rowHeight_)
                              ? PixelAdd(penY, PixelSub(rowHeight_, static_cast<int32_t>(textHeight)) / 2)
                              : penY;
    DrawText(font, text ? text : u"", textX, textY, item.GetColor());
    if (item.GetPanel()) item.GetPanel()->Draw(textX, penY, rasterizer);
    r::EnableDepthTest(rasterizer, 0);
    penY = Px(int64_t{penY} + rowHeight + kRowGap);
    ++visibleRows_;
  }
  return false;
}

// Scaled to the row height (at the icon's own proportions) when the list fits icons; an icon with
// no height keeps its own size.
void TeskListBox::DrawItemIcon(TeskIcon* icon, int32_t x, int32_t y, RTInstance rasterizer) const {
  const int32_t width = icon->GetWidth();
  const int32_t height = icon->GetHeight();
  if (!fitIcons_ || height == 0) {
    icon->Draw(x, y, rasterizer);
    return;
  }
  icon->SetWidth(Px(int64_t{width} * rowHeight_ / height));
  icon->SetHeight(rowHeight_);
  icon->Draw(x, y, rasterizer);
  icon->SetWidth(width);
  icon->SetHeight(height);
}

void TeskListBox::DrawScrollBar(int32_t x, int32_t y, RTInstance rasterizer) {
  const int32_t scrollX = ScrollColumnX(x);
  const int64_t bottom = int64_t{y} + GetHeight() - down_.GetHeight();
  up_.Draw(scrollX, PixelAdd(y, kRowGap), rasterizer);
  down_.Draw(scrollX, Px(bottom - kRowGap), rasterizer);
  r::SetColor(rasterizer, 1.0f, 1.0f, 1.0f);
  r::BindTexture(rasterizer, ElementTexture());
  r::EnableTexturing(rasterizer, 1);
  r::EnableBlending(rasterizer, 1);
  r::SetBlendFunc(rasterizer, r::kSourceAlpha, r::kOneMinusSourceAlpha);
  const SkinPiecePair& track = Pieces().listScrollA;
  const int8_t variant = GetSkinVariant();
  const int32_t capWidth = track.width[variant];
  const int32_t capHeight = track.height[variant];
  const int32_t topCap = Px(int64_t{y} + kRowGap + up_.GetHeight());
  const int32_t bottomCap = Px(bottom - 13);
  DrawTexturedQuad(rasterizer, Current(track.first), scrollX, topCap, capWidth, capHeight);
  DrawTexturedQuadMirrorY(rasterizer, Current(track.first), scrollX, bottomCap, capWidth, capHeight);
  const UvRect& middle = Current(track.second);
  DrawRowStretchQuad(rasterizer, scrollX, PixelAdd(topCap, capHeight), capWidth,
                     PixelSub(bottomCap, PixelAdd(topCap, capHeight)), middle.left, middle.right, middle.top);
  if (ItemCount()) DrawThumb(scrollX, y, rasterizer);
}

// The thumb's length is the share of the rows shown, its top the share of the rows above them.
void TeskListBox::DrawThumb(int32_t scrollX, int32_t y, RTInstance rasterizer) const {
  const SkinPiecePair& thumb = Pieces().listScrollB;
  const int8_t variant = GetSkinVariant();
  const int32_t capHeight = Pieces().listScrollA.height[variant];
  const int32_t thumbWidth = thumb.width[variant];
  const int32_t end = thumb.height[variant];
  const auto count = static_cast<float>(ItemCount());
  const auto trackLength = static_cast<float>(int64_t{GetHeight()} - down_.GetHeight() - 13 - 2 * int64_t{capHeight});
  const float share = static_cast<float>(std::min<int64_t>(std::max(visibleRows_, 0), ItemCount())) / count;
  const float shortest = 2.0f * static_cast<float>(end);
  const float length =
      std::max(share * trackLength - 2.0f - static_cast<float>(capHeight) - 4.0f * static_cast<float>(end), shortest);
  float top = static_cast<float>(topRow_) / count * trackLength + static_cast<float>(y) + 8.0f +
              static_cast<float>(up_.GetHeight()) + static_cast<float>(capHeight);
  const auto lowest = static_cast<float>(int64_t{y} + GetHeight() - down_.GetHeight() - 8 - 2 - capHeight);
  if (top + length > lowest) top = lowest - length;
  const int32_t thumbX = PixelAdd(scrollX, 5);
  const int32_t thumbTop = Truncated(top);
  const int32_t thumbLength = Truncated(length);
  const UvRect& endPiece = Current(thumb.first);
  const UvRect& middle = Current(thumb.second);
  DrawTexturedQuad(rasterizer, endPiece, thumbX, thumbTop, thumbWidth, end);
  DrawTexturedQuadMirrorY(rasterizer, endPiece, thumbX, PixelAdd(thumbTop, thumbLength), thumbWidth, end);
  DrawRowStretchQuad(rasterizer, thumbX, PixelAdd(thumbTop, end), thumbWidth, PixelAdd(PixelSub(thumbLength, end), 1),
                     middle.left, middle.right, middle.top);
}

const char16_t* TeskListBox::Mouse(int32_t originX, int32_t originY, int32_t pointX, int32_t pointY, uint32_t buttons) {
  if (IsInactive()) return nullptr;
  const int64_t x = PixelAdd(GetX(), originX);
  const int64_t y = PixelAdd(GetY(), originY);
  const int64_t width = GetWidth();
  const int64_t height = GetHeight();
  const int32_t column = Px(x + width + iconColumn_ + 5);
  const int64_t downTop = y + height - down_.GetHeight() - kRowGap;
  if (up_.Mouse(column, Px(y + kRowGap), pointX, pointY, buttons) && buttons == 1) {
    ScrollUp();
    return GetName();
  }
  if (down_.Mouse(column, Px(downTop), pointX, pointY, buttons) && buttons == 1) {
    ScrollDown();
    return GetName();
  }
  if (column <= pointX && pointX <= int64_t{column} + up_.GetWidth() && y + kRowGap + up_.GetHeight() <= pointY &&
      pointY <= downTop)
    return GetName();
  if (x + 4 < pointX && pointX < x + width + iconColumn_ - 4 && y + 4 < pointY && pointY < y + height - 4)
    return PressRow(Px(x), Px(y), pointX, pointY, buttons);
  return nullptr;
}

// Rows are walked as drawn, a row without a text at its panel's height (without the gap).
const char16_t* TeskListBox::PressRow(int32_t x, int32_t y, int32_t pointX, int32_t pointY, uint32_t buttons) {
  kivo::ListLink* link = nullptr;
  if (items_) kivo::ListElementAt(items_, static_cast<uint32_t>(topRow_), &link);
  int64_t walked = 0;
  for (int32_t row = 0; link && row < visibleRows_ && walked < GetHeight(); ++row, link = link->next) {
    TeskListBoxItem& item = *static_cast<TeskListBoxItem*>(link->data);
    TeskPanel* panel = item.GetPanel();
    if (item.GetText()) {
      walked += int64_t{RowHeight(item)} + kRowGap;
    } else if (panel) {
      walked += panel->GetHeight();
    }
    if (walked + y + 4 < pointY) continue;
    const int32_t index = PixelAdd(topRow_, row);
    if (buttons != 1) {
      hover_ = index;
      return GetName();
    }
    selected_ = index;
    if (panel) panel->Mouse(x, Px(walked + y - panel->GetHeight() + (Small() ? -12 : 4)), pointX, pointY, buttons);
    if (multiSelect_) {
      item.SetSelected(!item.IsSelected());
      if (!item.IsSelected()) selected_ = -1;
    }
    return GetName();
  }
  return GetName();
}

RTSuccess TeskListBox::StreamOut(RTInstance stream) const {
  if (!TeskIWidget::StreamOut(stream) || !kivo::StreamWriteUInt(stream, kListBoxVersion) ||
      !kivo::StreamWriteUInt(stream, ItemCount()))
    return kRTFailure;
  for (const TeskListBoxItem* item : kivo::ListItems<TeskListBoxItem>(items_))
    if (!item->StreamOut(stream)) return kRTFailure;
  return kivo::StreamWriteUInt(stream, static_cast<uint32_t>(rowHeight_)) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(iconColumn_)) &&
                 kivo::StreamWriteByte(stream, fitIcons_ ? 1 : 0)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskListBox::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  uint32_t count = 0;
  if (!TeskIWidget::StreamIn(stream) ||
      !ReadClassVersion(stream, kListBoxVersion, u"TeskListBox::StreamIn() -- Version is newer than reader",
                        &version) ||
      !kivo::StreamReadUInt(stream, &count) || !kivo::StreamHolds(stream, uint64_t{count} * kSmallestItemBytes))
    return kRTFailure;
  for (uint32_t i = 0; i < count; ++i) {
    auto* item = new TeskListBoxItem();
    if (!item) return kRTFailure;
    if (!item->StreamIn(stream) || !items_ || !kivo::ListAppend(items_, item)) {
      delete item;
      return kRTFailure;
    }
  }
  uint32_t rowHeight = 0;
  uint32_t column = 0;
  if (!kivo::StreamReadUInt(stream, &rowHeight) || !kivo::StreamReadUInt(stream, &column)) return kRTFailure;
  if (!RefuseAbove(rowHeight, kMaxStreamedRowHeight, u"TeskListBox::StreamIn() -- Row height is out of range"))
    return kRTFailure;
  rowHeight_ = static_cast<int32_t>(rowHeight);
  iconColumn_ = static_cast<int32_t>(column);
  if (version >= kFitIconsVersion && !kivo::StreamReadByte(stream, &fitIcons_)) return kRTFailure;
  CountVisibleRows();
  return kRTSuccess;
}

}  // namespace tesk::game::gui
