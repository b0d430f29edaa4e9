#include "widget.h"

#include "gui_skin.h"
#include "kivo/support/raise.h"
#include "kivo/support/stream_values.h"
#include "stream_fields.h"

namespace tesk::game::gui {

namespace {

constexpr uint32_t kBaseVersion = 0x505;
constexpr uint32_t kNamedVersion = 0x500;     // name and geometry from here on
constexpr uint32_t kInactiveVersion = 0x501;  // the inactive flag
constexpr uint32_t kFontVersion = 0x505;      // the font index

}  // namespace

TeskIWidget::TeskIWidget(WidgetType type) : font_(SkinFont(0)), type_(type) {}

TeskIWidget* TeskIWidget::HitTest(int32_t, int32_t, int32_t, int32_t) { return nullptr; }

const char16_t* TeskIWidget::Mouse(int32_t, int32_t, int32_t, int32_t, uint32_t) { return nullptr; }

void TeskIWidget::SetFont(int8_t index) {
  fontIndex_ = index;
  font_ = SkinFont(index);
}

int32_t TeskIWidget::LocalToAbsoluteX(int32_t x) const {
  for (const TeskIWidget* up = parent_; up; up = up->parent_) x = PixelAdd(x, up->x_);
  return x;
}

int32_t TeskIWidget::LocalToAbsoluteY(int32_t y) const {
  for (const TeskIWidget* up = parent_; up; up = up->parent_) y = PixelAdd(y, up->y_);
  return y;
}

int32_t TeskIWidget::AbsoluteToLocalX(int32_t x) const {
  for (const TeskIWidget* up = parent_; up; up = up->parent_) x = PixelSub(x, up->x_);
  return x;
}

int32_t TeskIWidget::AbsoluteToLocalY(int32_t y) const {
  for (const TeskIWidget* up = parent_; up; up = up->parent_) y = PixelSub(y, up->y_);
  return y;
}

void TeskIWidget::HandMouseStateToParent() {
  if (mouseState_.words[0] && parent_) parent_->SetMouseState(mouseState_);
  mouseState_.words[0] = 0;
}

RTSuccess TeskIWidget::StreamOut(RTInstance stream) const {
  return kivo::StreamWriteUInt(stream, kBaseVersion) && kivo::StreamWriteWString(stream, GetName()) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(x_)) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(y_)) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(width_)) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(height_)) &&
                 kivo::StreamWriteByte(stream, inactive_) &&
                 kivo::StreamWriteUInt(stream, static_cast<uint32_t>(static_cast<int32_t>(fontIndex_)))
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess TeskIWidget::StreamIn(RTInstance stream) {
  uint32_t version = 0;
  if (!kivo::StreamReadUInt(stream, &version)) return kRTFailure;
  if (version > kBaseVersion) {
    kivo::RaiseFormatted(
        kivo::kLevelError, u"TeskIWidget::StreamIn() -- Version (%d) is newer than reader (%d). Type (%d).",
        static_cast<int32_t>(version), static_cast<int32_t>(kBaseVersion), static_cast<int32_t>(type_));
    return kRTFailure;
  }
  if (version < kNamedVersion) return kRTSuccess;
  uint32_t geometry[4] = {};
  NoteWidgetTreeChange();
  if (!ReadText(stream, &name_)) return kRTFailure;
  for (uint32_t& word : geometry)
    if (!kivo::StreamReadUInt(stream, &word)) return kRTFailure;
  SetX(static_cast<int32_t>(geometry[0]));
  SetY(static_cast<int32_t>(geometry[1]));
  SetWidth(static_cast<int32_t>(geometry[2]));
  SetHeight(static_cast<int32_t>(geometry[3]));
  if (version >= kInactiveVersion && !kivo::StreamReadByte(stream, &inactive_)) return kRTFailure;
  if (version >= kFontVersion) {
    uint32_t font = 0;
    if (!kivo::StreamReadUInt(stream, &font)) return kRTFailure;
    SetFont(static_cast<int8_t>(font & 0xFF));
  }
  return kRTSuccess;
}

namespace {
uint64_t gWidgetTreeGeneration = 1;
}  // namespace

uint64_t WidgetTreeGeneration() { return gWidgetTreeGeneration; }
void NoteWidgetTreeChange() { ++gWidgetTreeGeneration; }

RTSuccess TeskIWidget::SetName(const char16_t* name) {
  NoteWidgetTreeChange();
  return name_.Set(name);
}

void TeskIWidget::SetParent(TeskIWidget* parent) {
  NoteWidgetTreeChange();
  parent_ = parent;
}

bool PointInside(int32_t pointX, int32_t pointY, int32_t left, int32_t top, int32_t width, int32_t height) {
  const int64_t x = pointX;
  const int64_t y = pointY;
  return left <= x && x <= int64_t{left} + width && top <= y && y <= int64_t{top} + height;
}

}  // namespace tesk::game::gui
