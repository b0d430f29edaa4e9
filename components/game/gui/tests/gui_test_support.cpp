#include "gui_test_support.h"

#include "gui_skin.h"
#include "kivo/support/stream_calls.h"
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
