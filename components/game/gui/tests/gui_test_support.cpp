#include "gui_test_support.h"

#include "button.h"
#include "form.h"
#include "gui_skin.h"
#include "kivo/support/stream_calls.h"
#include "label.h"
#include "panel.h"
#include "tab_panel.h"
#include "widget_stream.h"

namespace guitest {

StreamBytes& BaseBlock(StreamBytes& bytes, const std::u16string& name, int32_t x, int32_t y, int32_t w, int32_t h,
                       uint8_t inactive, int32_t font) {
  return bytes.U32(0x505)
      .Wide(name)
      .U32(static_cast<uint32_t>(x))
      .U32(static_cast<uint32_t>(y))
      .U32(static_cast<uint32_t>(w))
      .U32(static_cast<uint32_t>(h))
      .U8(inactive)
      .U32(static_cast<uint32_t>(font));
}

StreamBytes& Header(StreamBytes& bytes, uint32_t type) { return bytes.U32(0x500).U32(type); }

namespace {
using namespace tesk::game::gui;
}  // namespace

void Place(TeskIWidget* widget, const char16_t* name, int32_t x, int32_t y, int32_t w, int32_t h) {
  widget->SetName(name);
  widget->SetX(x);
  widget->SetY(y);
  widget->SetWidth(w);
  widget->SetHeight(h);
}

TeskIWidget* NestedForm() {
  auto* form = new TeskForm();
  Place(form, u"MENU", 0, 0, 640, 480);
  auto* panel = new TeskPanel();
  Place(panel, u"MAIN_PANEL", 10, 20, 300, 200);
  panel->SetCaption(u"Options");
  panel->SetFrameStyle(1);
  auto* button = new TeskButton();
  Place(button, u"OK", 5, 6, 60, 30);
  button->SetCaption(u"Ok");
  panel->AddChild(button);
  form->AddChild(panel);
  auto* label = new TeskLabel();
  Place(label, u"TITLE", 1, 2, 100, 30);
  label->SetFont(2);
  label->SetText(u"Hi");
  label->SetBackground(1, {0.5f, 0.25f, 1.0f, 1.0f});
  form->AddChild(label);
  auto* tabs = new TeskTabPanel();
  tabs->SetName(u"TABS");
  tabs->RemovePage(0);
  tabs->AddPage(u"One");
  tabs->AddPage(u"Two");
  form->AddChild(tabs);
  return form;
}

std::string NestedFormBytes() {
  StreamBytes b;
  BaseBlock(Header(b, 1), u"MENU", 0, 0, 640, 480).U32(0x500).U32(3);
  BaseBlock(Header(b, 2), u"MAIN_PANEL", 10, 20, 300, 200).U32(0x605).Wide(u"Options").U32(1);
  BaseBlock(Header(b, 3), u"OK", 5, 6, 60, 30).U32(0x500).Wide(u"Ok");
  b.U32(1).U32(256);
  BaseBlock(Header(b, 8), u"TITLE", 1, 2, 100, 30, 0, 2).U32(0x600).Wide(u"Hi").U8(1).F32(0.5f).F32(0.25f).F32(1.0f);
  BaseBlock(Header(b, 6), u"TABS", 0, 24, 320, 240).U32(0x600).U32(2);
  for (const char16_t* page : {u"One", u"Two"}) {
    b.Wide(page);
    BaseBlock(b, u"Undefined", 0, 0, 320, 240).U32(0x605).Wide(u"").U32(0).U32(4).U32(256);
  }
  b.U32(128);
  return b.bytes();
}

void GuiTest::SetUp() {
  SoftwareRasterizer::SetUp();
  NewErrors();
}

void GuiTest::TearDown() {
  tesk::game::gui::ReleaseGuiSkin();
  SoftwareRasterizer::TearDown();
}

std::string GuiTest::NewErrors() {
  const std::string log = host_.ErrorLog();
  const std::string added = log.size() > errorsSeen_ ? log.substr(errorsSeen_) : std::string();
  errorsSeen_ = log.size();
  return added;
}

std::string GuiTest::Written(const TeskIWidget* widget) {
  kivo::InstanceRef stream;
  EXPECT_EQ(kivo::memory_stream::Create(stream.out()), kRTSuccess);
  EXPECT_EQ(tesk::game::gui::StreamWidgetOut(stream.get(), widget), kRTSuccess);
  return tesk::testing::MemoryStreamBytes(stream.get());
}

TeskIWidget* GuiTest::Read(const std::string& bytes) {
  const kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
  TeskIWidget* widget = nullptr;
  const RTSuccess read = tesk::game::gui::StreamWidgetIn(stream.get(), &widget);
  EXPECT_EQ(read == kRTSuccess, widget != nullptr);
  return widget;
}

}  // namespace guitest
