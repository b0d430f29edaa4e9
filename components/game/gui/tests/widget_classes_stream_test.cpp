// The stream blocks of icons, edit boxes, sliders, progress and percent bars and list boxes: round
// trips, a list box against bytes written by hand, each block's version gates and refusals,
// truncated list boxes that leave nothing behind, and damaged values refused or clamped.
#include <gtest/gtest.h>

#include <memory>

#include "edit_box.h"
#include "gui_test_support.h"
#include "icon.h"
#include "kivo/support/core_memory.h"
#include "list_box.h"
#include "panel.h"
#include "percent_bar.h"
#include "progress_bar.h"
#include "slider.h"
#include "widget_stream.h"
#include "widget_tree.h"

namespace guitest {
namespace {

using namespace tesk::game::gui;

TeskIcon* NewIcon() {
  auto* icon = new TeskIcon();
  icon->SetName(u"ICON");
  icon->SetImageRect(32, 64, 16, 8);
  icon->SetImage(3);
  icon->SetLabel(u"Label");
  TeskIconSetFlag(icon, 2);
  icon->SetToolTip(u"Tip");
  icon->SetHidden(1);
  return icon;
}

// A list box whose item carries an icon and a panel with a child.
TeskListBox* NewListBox() {
  auto* list = new TeskListBox();
  list->SetName(u"LIST");
  list->SetRowHeight(40);
  list->SetIconColumnWidth(20);
  list->SetFitIcons(1);
  TeskListBoxItem* item = list->AddItem(u"First");
  item->SetColor({0.5f, 0.25f, 1.0f, 1.0f});
  item->SetIcon(NewIcon());
  auto* panel = new TeskPanel();
  panel->AddChild(new TeskSlider());
  item->SetPanel(panel);
  list->AddItem(nullptr);
  return list;
}

TEST_F(GuiTest, EachNewClassWithItsFieldsSetWritesReadsAndWritesAgainTheSameBytes) {
  auto* edit = new TeskEditBox();
  edit->SetText(u"Saved game");
  edit->SetMaxLength(32);
  auto* slider = new TeskSlider();
  slider->SetStepCount(7);
  slider->SetPosition(3);
  auto* progress = new TeskProgressBar();
  progress->SetCapacity(12);
  progress->SetMax(5);
  auto* percent = new TeskPercentBar();
  percent->SetPercent(42);
  percent->SetColor(1.0f, 0.5f, 0.0f);
  percent->SetBackgroundColor({0.1f, 0.2f, 0.3f, 1.0f});
  percent->SetVertical(1);
  const Owned widgets[] = {Owned(NewIcon()), Owned(edit),    Owned(slider),
                           Owned(progress),  Owned(percent), Owned(NewListBox())};
  for (const Owned& widget : widgets) {
    const std::string first = Written(widget.get());
    const Owned read(Read(first));
    ASSERT_NE(read, nullptr) << "type " << int(widget->GetType());
    EXPECT_EQ(read->GetType(), widget->GetType());
    EXPECT_EQ(Written(read.get()), first) << "type " << int(widget->GetType());
  }
  const Owned list(Read(Written(widgets[5].get())));
  TeskListBoxItem* item = static_cast<TeskListBox*>(list.get())->ItemAt(0);
  ASSERT_NE(item, nullptr);
  ASSERT_NE(item->GetIcon(), nullptr);
  EXPECT_EQ(std::u16string(item->GetIcon()->GetToolTip()), u"Tip");
  ASSERT_NE(item->GetPanel(), nullptr);
  EXPECT_EQ(item->GetPanel()->Children().Count(), 1u);
  EXPECT_EQ(static_cast<TeskListBox*>(list.get())->ItemAt(1)->GetText(), nullptr);
}

// The base block of a 20 x 20 icon at the origin, then its block: the pixels (64, 0)-(84, 20) of
// image 16 mirrored top to bottom, no label, no tip, shown.
StreamBytes& IconBody(StreamBytes& b) {
  return BaseBlock(b, u"ARROW", 0, 0, 20, 20)
      .U32(0x503)
      .F32(0.5f)
      .F32(1.0f)
      .F32(84.0f / 128.0f)
      .F32(108.0f / 128.0f)
      .U32(16)
      .Wide(u"")
      .U32(1)
      .U8(0)
      .U8(0);
}

TEST_F(GuiTest, AListBoxWithOneIconItemMatchesItsBytesWrittenByHand) {
  StreamBytes b;
  BaseBlock(Header(b, 12), u"SAVES", 10, 20, 200, 120).U32(0x505).U32(1);
  b.U32(0x600).Wide(u"Slot").F32(1.0f).F32(0.0f).F32(0.5f).U8(1);
  IconBody(b).U8(0);
  b.U32(24).U32(36).U8(1);

  auto* list = new TeskListBox();
  const Owned owned(list);
  list->SetName(u"SAVES");
  list->SetX(10);
  list->SetY(20);
  list->SetWidth(200);
  list->SetHeight(120);
  list->SetRowHeight(24);
  list->SetIconColumnWidth(36);
  list->SetFitIcons(1);
  TeskListBoxItem* item = list->AddItem(u"Slot");
  item->SetColor({1.0f, 0.0f, 0.5f, 1.0f});
  auto* icon = new TeskIcon();
  icon->SetName(u"ARROW");
  icon->SetImageRect(64, 0, 20, 20);
  icon->SetImage(16);
  TeskIconSetFlag(icon, 1);
  item->SetIcon(icon);
  EXPECT_EQ(Written(list), b.bytes());
  const Owned read(Read(b.bytes()));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Written(read.get()), b.bytes());
  EXPECT_EQ(static_cast<TeskListBox*>(read.get())->GetVisibleRows(), 120 / 32);
}

TEST_F(GuiTest, OlderBlocksLeaveTheLaterFieldsAtTheirDefaults) {
  StreamBytes icon;
  BaseBlock(Header(icon, 5), u"I", 0, 0, 8, 8).U32(0x500).F32(0).F32(0).F32(1).F32(1).U32(2).Wide(u"L");
  const Owned oldIcon(Read(icon.bytes()));
  ASSERT_NE(oldIcon, nullptr);
  const auto* readIcon = static_cast<TeskIcon*>(oldIcon.get());
  EXPECT_EQ(TeskIconGetFlag(readIcon), 0);
  EXPECT_EQ(readIcon->GetToolTip(), nullptr);
  EXPECT_EQ(readIcon->IsHidden(), 0u);
  EXPECT_EQ(std::u16string(readIcon->GetLabel()), u"L");

  StreamBytes edit;
  BaseBlock(Header(edit, 7), u"E", 0, 0, 8, 8).U32(0x500).Wide(u"Text");
  const Owned oldEdit(Read(edit.bytes()));
  ASSERT_NE(oldEdit, nullptr);
  EXPECT_EQ(static_cast<TeskEditBox*>(oldEdit.get())->GetMaxLength(), 255u);

  StreamBytes percent;
  BaseBlock(Header(percent, 13), u"P", 0, 0, 8, 8).U32(0x504).U32(50);
  for (int i = 0; i < 6; ++i) percent.F32(0.5f);
  const Owned oldPercent(Read(percent.bytes()));
  ASSERT_NE(oldPercent, nullptr);
  EXPECT_EQ(static_cast<TeskPercentBar*>(oldPercent.get())->IsVertical(), 0u);
  EXPECT_EQ(static_cast<TeskPercentBar*>(oldPercent.get())->GetPercent(), 50u);

  StreamBytes list;
  BaseBlock(Header(list, 12), u"L", 0, 0, 100, 100).U32(0x505).U32(1);
  list.U32(0x500).Wide(u"Old").F32(1).F32(1).F32(1).U8(0);
  list.U32(32).U32(32).U8(0);
  const Owned oldList(Read(list.bytes()));
  ASSERT_NE(oldList, nullptr);
  const TeskListBoxItem* item = static_cast<TeskListBox*>(oldList.get())->ItemAt(0);
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetPanel(), nullptr);
  EXPECT_EQ(std::u16string(item->GetText()), u"Old");
}

TEST_F(GuiTest, AnIconBlockNewerThanTheWriterReadsAsTheWritersBlock) {
  StreamBytes b;
  BaseBlock(Header(b, 5), u"I", 0, 0, 8, 8).U32(0x7FF).F32(0).F32(0).F32(1).F32(1).U32(2).Wide(u"");
  b.U32(1).U8(1).Wide(u"Tip").U8(1);
  const Owned icon(Read(b.bytes()));
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(std::u16string(static_cast<TeskIcon*>(icon.get())->GetToolTip()), u"Tip");
  EXPECT_EQ(static_cast<TeskIcon*>(icon.get())->IsHidden(), 1u);
  EXPECT_EQ(NewErrors(), "");
}

struct Refusal {
  const char* what;
  std::string bytes;
  std::string message;
};

std::string ClassTooNew(uint32_t type, uint32_t version) {
  StreamBytes b;
  BaseBlock(Header(b, type), u"W", 0, 0, 1, 1).U32(version);
  return b.bytes();
}

std::string ListBoxWith(uint32_t itemVersion, uint32_t rowHeight) {
  StreamBytes b;
  BaseBlock(Header(b, 12), u"L", 0, 0, 100, 100).U32(0x505).U32(1);
  b.U32(itemVersion).Wide(u"Row").F32(1).F32(1).F32(1).U8(0).U8(0);
  b.U32(rowHeight).U32(32).U8(0);
  return b.bytes();
}

std::string ProgressBarWith(uint32_t capacity) {
  StreamBytes b;
  BaseBlock(Header(b, 11), u"P", 0, 0, 100, 29).U32(0x500).U32(capacity).U32(1);
  return b.bytes();
}

std::string SliderWith(uint32_t steps, uint32_t position) {
  StreamBytes b;
  BaseBlock(Header(b, 10), u"S", 0, 0, 3, 30).U32(0x500).U32(steps).U32(position);
  return b.bytes();
}

TEST_F(GuiTest, NewerBlocksAndDamagedCountsAreRefusedWithTheirMessageAndNothingLeft) {
  const std::string newer = " -- Version is newer than reader";
  const Refusal cases[] = {
      {"edit box 0x506", ClassTooNew(7, 0x506), "TeskEditBox::StreamIn()" + newer},
      {"slider 0x501", ClassTooNew(10, 0x501), "TeskSlider::StreamIn()" + newer},
      {"progress bar 0x501", ClassTooNew(11, 0x501), "TeskProgressBar::StreamIn()" + newer},
      {"list box 0x506", ClassTooNew(12, 0x506), "TeskListBox::StreamIn()" + newer},
      {"percent bar 0x506", ClassTooNew(13, 0x506), "TeskPercentBar::StreamIn()" + newer},
      {"list item 0x601", ListBoxWith(0x601, 32), "TeskListBoxItem::StreamIn()" + newer},
      {"row height -8", ListBoxWith(0x600, 0xFFFFFFF8), "TeskListBox::StreamIn() -- Row height is out of range"},
      {"row height 65536", ListBoxWith(0x600, 65536), "TeskListBox::StreamIn() -- Row height is out of range"},
      {"capacity 0x7FFFFFFF", ProgressBarWith(0x7FFFFFFF), "TeskProgressBar::StreamIn() -- Capacity is out of range"},
      {"step count 1001", SliderWith(1001, 0), "TeskSlider::StreamIn() -- Step count is out of range"},
  };
  for (const Refusal& refusal : cases) {
    const int32_t live = kivo::LiveObjectCount();
    EXPECT_EQ(Read(refusal.bytes), nullptr) << refusal.what;
    EXPECT_EQ(kivo::LiveObjectCount(), live) << refusal.what;
    const std::string errors = NewErrors();
    EXPECT_NE(errors.find(refusal.message), std::string::npos) << refusal.what << ": " << errors;
  }
}

TEST_F(GuiTest, StreamedCountsGoThroughTheirSetters) {
  const Owned slider(Read(SliderWith(0, 5)));
  ASSERT_NE(slider, nullptr);
  EXPECT_EQ(static_cast<TeskSlider*>(slider.get())->GetStepCount(), 1);
  EXPECT_EQ(static_cast<TeskSlider*>(slider.get())->GetPosition(), 0);
  // Less than a pixel per step: the press leaves the position alone.
  EXPECT_EQ(std::u16string(slider->Mouse(0, 0, 3, 0, 1)), u"S");
  EXPECT_EQ(static_cast<TeskSlider*>(slider.get())->GetPosition(), 0);

  StreamBytes b;
  BaseBlock(Header(b, 11), u"P", 0, 0, 100, 29).U32(0x500).U32(4).U32(9);
  const Owned progress(Read(b.bytes()));
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(static_cast<TeskProgressBar*>(progress.get())->GetMax(), 4);

  StreamBytes p;
  BaseBlock(Header(p, 13), u"P", 0, 0, 8, 8).U32(0x505).U32(250);
  for (int i = 0; i < 6; ++i) p.F32(0.5f);
  p.U8(0);
  const Owned percent(Read(p.bytes()));
  ASSERT_NE(percent, nullptr);
  EXPECT_EQ(static_cast<TeskPercentBar*>(percent.get())->GetPercent(), 100u);
}

TEST_F(GuiTest, EveryTruncatedListBoxFailsAndLeavesNoObjectBehind) {
  const Owned list(NewListBox());
  const std::string whole = Written(list.get());
  for (size_t length = 0; length < whole.size(); ++length) {
    const kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(whole.substr(0, length));
    const int32_t live = kivo::LiveObjectCount();
    TeskIWidget* widget = nullptr;
    EXPECT_EQ(StreamWidgetIn(stream.get(), &widget), kRTFailure) << length;
    EXPECT_EQ(widget, nullptr);
    EXPECT_EQ(kivo::LiveObjectCount(), live) << length;
  }
}

}  // namespace
}  // namespace guitest
