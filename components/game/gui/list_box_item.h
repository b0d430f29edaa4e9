// TeskListBoxItem: a row of a list box: its text (none at all for a row that only carries a
// panel), the text's colour, an icon drawn in the list's icon column, a panel drawn over the row,
// the selected flag of multi-select lists and a word the screens keep there. The item owns its
// icon and its panel and destroys them with itself.
#pragma once

#include <cstdint>

#include "icon.h"
#include "kivo/support/core_memory.h"
#include "kivo/types.h"
#include "owned_text.h"
#include "panel.h"
#include "widget.h"

namespace tesk::game::gui {

class TeskListBoxItem {
 public:
  static void* operator new(size_t bytes) noexcept { return kivo::ObjectNew(bytes); }
  static void operator delete(void* block) { kivo::ObjectDelete(block); }

  TeskListBoxItem() = default;
  ~TeskListBoxItem();
  TeskListBoxItem(const TeskListBoxItem&) = delete;
  TeskListBoxItem& operator=(const TeskListBoxItem&) = delete;

  // A copy of the text; null leaves the row without one.
  RTSuccess SetText(const char16_t* text);
  // The text, or null for a row without one.
  const char16_t* GetText() const { return hasText_ ? text_.Get() : nullptr; }
  void SetColor(const Colour& colour) { colour_ = colour; }
  const Colour& GetColor() const { return colour_; }
  // The item takes the icon (or panel) and destroys the one it had.
  void SetIcon(TeskIcon* icon);
  TeskIcon* GetIcon() const { return icon_; }
  void SetPanel(TeskPanel* panel);
  TeskPanel* GetPanel() const { return panel_; }
  void SetSelected(uint32_t selected) { selected_ = selected; }
  uint32_t IsSelected() const { return selected_; }
  void SetData(uintptr_t data) { data_ = data; }
  uintptr_t GetData() const { return data_; }

  // u32 0x600, the text, its colour, then the icon and the panel each behind a bool that says
  // whether it is there (each written whole, without the factory's header).
  RTSuccess StreamOut(RTInstance stream) const;
  // A block newer than 0x600 is refused; blocks before 0x600 have no panel.
  RTSuccess StreamIn(RTInstance stream);

 private:
  TeskIcon* icon_ = nullptr;
  Colour colour_ = {1.0f, 1.0f, 1.0f, 1.0f};
  OwnedText text_;
  bool hasText_ = false;
  TeskPanel* panel_ = nullptr;
  uint32_t selected_ = 0;
  uintptr_t data_ = 0;
};

}  // namespace tesk::game::gui
