// What the toolkit's tests share: a started core (with the software rasterizer) whose error log
// they read, the widget stream's bytes written by hand, and widgets written to and read from
// memory streams.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "host/stream_bytes.h"
#include "software_rasterizer.h"
#include "widget.h"
#include "widget_tree.h"

namespace guitest {

using tesk::game::gui::TeskIWidget;
using tesk::testing::StreamBytes;

// Owns a widget and destroys its whole tree.
struct TreeDeleter {
  void operator()(TeskIWidget* widget) const { tesk::game::gui::DestroyWidgetTree(widget); }
};
using Owned = std::unique_ptr<TeskIWidget, TreeDeleter>;

// The base block as the current writer lays it out (version 0x505).
StreamBytes& BaseBlock(StreamBytes& bytes, const std::u16string& name, int32_t x, int32_t y, int32_t w, int32_t h,
                       uint8_t inactive = 0, int32_t font = 0);
// The factory header of a widget of the type.
StreamBytes& Header(StreamBytes& bytes, uint32_t type);

// Names the widget and sets its geometry.
void Place(TeskIWidget* widget, const char16_t* name, int32_t x, int32_t y, int32_t w, int32_t h);
// The nested form of the golden bytes: a form "MENU" holding a panel "MAIN_PANEL" (caption
// "Options", navy frame) with a button "OK" (caption "Ok"), a label "TITLE" (font 2, text "Hi", on
// a background) and a tab panel "TABS" with the pages "One" and "Two".
TeskIWidget* NestedForm();
// That form's bytes, written by hand from the stream format's tables.
std::string NestedFormBytes();

class GuiTest : public tesk::testing::SoftwareRasterizer {
 protected:
  void SetUp() override;
  // The skin's shared stream goes before the core's memory report.
  void TearDown() override;

  // What the error log gained since the last call.
  std::string NewErrors();
  // The bytes StreamWidgetOut writes for the widget.
  std::string Written(const TeskIWidget* widget);
  // The widget the factory reads from the bytes, or null.
  TeskIWidget* Read(const std::string& bytes);

 private:
  size_t errorsSeen_ = 0;
};

}  // namespace guitest
