// The widget stream: each class written, read and written again; a nested form against bytes
// written by hand; the refusals of the factory, the base block and the class blocks; the base
// block's version gates; truncated forms that leave nothing behind; empty texts; clones, tab pages
// and the nesting limit.
#include "widget_stream.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "button.h"
#include "color_box.h"
#include "form.h"
#include "form_definition.h"
#include "gui_test_support.h"
#include "kivo/support/core_memory.h"
#include "label.h"
#include "panel.h"
#include "tab_panel.h"
#include "text_box.h"
#include "widget_tree.h"

namespace guitest {
namespace {

using namespace tesk::game::gui;

class WidgetStream : public GuiTest {};

TEST_F(WidgetStream, EachClassWithItsFieldsSetWritesReadsAndWritesAgainTheSameBytes) {
  const std::function<TeskIWidget*()> makers[] = {
      [] {
        auto* form = new TeskForm();
        Place(form, u"F", -3, 4, 5, 6);
        form->Disable();
        form->SetFont(14);
        form->AddChild(new TeskButton());
        return form;
      },
      [] {
        auto* panel = new TeskPanel();
        Place(panel, u"P", 1, 2, 3, 4);
        panel->SetCaption(u"Caption");
        panel->SetFrameStyle(7);
        panel->SetTitleTabWidth(99);
        panel->AddChild(new TeskLabel());
        return panel;
      },
      [] {
        auto* button = new TeskButton();
        Place(button, u"B", 7, 8, 9, 10);
        button->SetCaption(u"Press");
        return button;
      },
      [] {
        auto* box = new TeskTextBox();
        Place(box, u"T", 0, 0, 1, 1);
        box->SetText(u"Some text");
        return box;
      },
      [] {
        auto* tabs = new TeskTabPanel();
        tabs->AddPage(u"Second");
        tabs->PageAt(1)->AddChild(new TeskColorBox());
        tabs->SetMinTabWidth(64);
        return tabs;
      },
      [] {
        auto* label = new TeskLabel();
        label->SetText(u"Label text");
        label->SetBackground(1, {0.1f, 0.2f, 0.3f, 1.0f});
        return label;
      },
      [] {
        auto* box = new TeskColorBox();
        box->SetColor({0.25f, 0.5f, 0.75f, 1.0f});
        return box;
      },
  };
  for (const auto& make : makers) {
    const Owned widget(make());
    const std::string first = Written(widget.get());
    const Owned read(Read(first));
    ASSERT_NE(read, nullptr) << "type " << int(widget->GetType());
    EXPECT_EQ(Written(read.get()), first) << "type " << int(widget->GetType());
  }
}

TEST_F(WidgetStream, ANestedFormMatchesItsBytesWrittenByHandAndReadsBack) {
  const Owned form(NestedForm());
  const std::string golden = NestedFormBytes();
  EXPECT_EQ(Written(form.get()), golden);
  const Owned read(Read(golden));
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Written(read.get()), golden);
  auto* tabs = static_cast<TeskTabPanel*>(static_cast<TeskForm*>(read.get())->FindWidgetByName(u"TABS"));
  ASSERT_NE(tabs, nullptr);
  EXPECT_EQ(tabs->PageCount(), 2u);
  EXPECT_EQ(tabs->GetCurrentPage(), tabs->PageAt(0));
}

struct Refusal {
  const char* what;
  std::string bytes;
  std::string message;  // empty: none
};

std::string ButtonWithBase(uint32_t baseVersion) {
  StreamBytes b;
  Header(b, 3).U32(baseVersion);
  return b.bytes();
}

std::string ClassTooNew(uint32_t type, uint32_t version) {
  StreamBytes b;
  BaseBlock(Header(b, type), u"W", 0, 0, 1, 1).U32(version);
  return b.bytes();
}

TEST_F(WidgetStream, RefusedRecordsGiveTheirMessageOrNoneAndNoWidget) {
  const std::string unsupported = "StreamWidgetIn() -- Unsupported widget type!";
  const std::string newer = " -- Version is newer than reader";
  std::vector<Refusal> cases = {
      {"factory 0x501", StreamBytes().U32(0x501).U32(3).bytes(),
       "StreamWidgetIn() -- Version in stream is newer than reader"},
      {"factory 0x4FF", StreamBytes().U32(0x4FF).U32(3).bytes(),
       "StreamWidgetIn() -- Version in stream is older than any reader"},
      {"base 0x506 on a button", ButtonWithBase(0x506),
       "TeskIWidget::StreamIn() -- Version (1286) is newer than reader (1285). Type (3)."},
      {"button 0x501", ClassTooNew(3, 0x501), "TeskButton::StreamIn()" + newer},
      {"text box 0x501", ClassTooNew(4, 0x501), "TeskTextBox::StreamIn()" + newer},
      {"label 0x601", ClassTooNew(8, 0x601), "TeskLabel::StreamIn()" + newer},
      {"colour box 0x501", ClassTooNew(9, 0x501), "TeskColorBox::StreamIn()" + newer},
      {"panel 0x606", ClassTooNew(2, 0x606), "TeskPanel::StreamIn()" + newer},
      {"tab panel 0x601", ClassTooNew(6, 0x601), "TeskTabPanel::StreamIn()" + newer},
      {"form 0x501", ClassTooNew(1, 0x501), ""},
  };
  for (uint32_t type : {0u, 14u})
    cases.push_back({"type", StreamBytes().U32(0x500).U32(type).bytes(), unsupported});
  for (const Refusal& refusal : cases) {
    const int32_t live = kivo::LiveObjectCount();
    EXPECT_EQ(Read(refusal.bytes), nullptr) << refusal.what;
    EXPECT_EQ(kivo::LiveObjectCount(), live) << refusal.what;
    const std::string errors = NewErrors();
    if (refusal.message.empty())
      EXPECT_EQ(errors, "") << refusal.what;
    else
      EXPECT_NE(errors.find(refusal.message), std::string::npos) << refusal.what << ": " << errors;
  }
}

TEST_F(WidgetStream, TheBaseBlockReadsNameAndGeometryFrom0x500TheFlagFrom0x501AndTheFontFrom0x505) {
  for (uint32_t version = 0x500; version <= 0x505; ++version) {
    StreamBytes b;
    Header(b, 3).U32(version).Wide(u"NAMED").U32(1).U32(2).U32(3).U32(4);
    if (version >= 0x501) b.U8(1);
    if (version >= 0x505) b.U32(7);
    b.U32(0x500).Wide(u"Caption");
    const Owned button(Read(b.bytes()));
    ASSERT_NE(button, nullptr) << version;
    EXPECT_EQ(std::u16string(button->GetName()), u"NAMED");
    EXPECT_EQ(button->GetX() + button->GetY() * 10 + button->GetWidth() * 100 + button->GetHeight() * 1000, 4321);
    EXPECT_EQ(button->IsInactive(), version >= 0x501 ? 1u : 0u) << version;
    EXPECT_EQ(button->GetFontIndex(), version >= 0x505 ? 7 : 0) << version;
  }
}

TEST_F(WidgetStream, AnOldLabelBlockKeepsNoBackgroundAndAColourBoxReadsUnselected) {
  StreamBytes label;
  BaseBlock(Header(label, 8), u"L", 0, 0, 1, 1).U32(0x500).Wide(u"Old");
  const Owned old(Read(label.bytes()));
  ASSERT_NE(old, nullptr);
  auto* read = static_cast<TeskLabel*>(old.get());
  EXPECT_EQ(std::u16string(read->GetText()), u"Old");
  EXPECT_EQ(read->HasBackground(), 0u);
  const Colour& black = read->GetBackgroundColour();
  EXPECT_EQ(black.r + black.g + black.b, 0.0f);
  StreamBytes box;
  BaseBlock(Header(box, 9), u"C", 0, 0, 18, 18).U32(0x500).F32(0.5f).F32(0.25f).F32(0.125f);
  const Owned swatch(Read(box.bytes()));
  ASSERT_NE(swatch, nullptr);
  const Colour& colour = static_cast<TeskColorBox*>(swatch.get())->GetColor();
  EXPECT_EQ(colour.r + 10 * colour.g + 100 * colour.b, 0.5f + 2.5f + 12.5f);
  EXPECT_EQ(static_cast<TeskColorBox*>(swatch.get())->IsSelected(), 0u);
}

TEST_F(WidgetStream, EveryTruncatedFormFailsAndLeavesNoObjectAndNoMemory) {
  const std::string golden = NestedFormBytes();
  for (size_t length = 0; length < golden.size(); ++length) {
    const kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(golden.substr(0, length));
    const int32_t live = kivo::LiveObjectCount();
    const auto memory = MemoryStats();
    TeskIWidget* widget = nullptr;
    EXPECT_EQ(StreamWidgetIn(stream.get(), &widget), kRTFailure) << length;
    EXPECT_EQ(widget, nullptr);
    EXPECT_EQ(kivo::LiveObjectCount(), live) << length;
    EXPECT_EQ(MemoryStats(), memory) << length;
  }
}

TEST_F(WidgetStream, AFormWhoseDefinitionFailsStaysWithoutChildren) {
  const std::string golden = NestedFormBytes();
  const int32_t live = kivo::LiveObjectCount();
  TeskForm form;
  form.AddChild(new TeskButton());  // a child the form had before is kept
  const kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(golden.substr(0, golden.size() - 4));
  EXPECT_EQ(ReadFormDefinition(stream.get(), &form), kRTFailure);
  ASSERT_EQ(form.Children().Count(), 1u);
  EXPECT_EQ(form.FindWidgetByName(u"OK"), nullptr);
  form.Children().DestroyTrees();
  EXPECT_EQ(kivo::LiveObjectCount(), live);
}

TEST_F(WidgetStream, EmptyNamesAndTextsAreWrittenAsCountZeroAndReadBackEmpty) {
  auto* label = new TeskLabel();
  label->SetName(u"");
  label->SetText(nullptr);
  const Owned written(label);
  StreamBytes b;
  BaseBlock(Header(b, 8), u"", 0, 0, 100, 30).U32(0x600).U32(0).U8(0).F32(0).F32(0).F32(0);
  EXPECT_EQ(Written(label), b.bytes());
  const Owned read(Read(b.bytes()));
  ASSERT_NE(read, nullptr);
  ASSERT_NE(read->GetName(), nullptr);
  EXPECT_EQ(std::u16string(read->GetName()), u"");
  ASSERT_NE(static_cast<TeskLabel*>(read.get())->GetText(), nullptr);
  EXPECT_EQ(std::u16string(static_cast<TeskLabel*>(read.get())->GetText()), u"");
}

TEST_F(WidgetStream, AClonedPanelHasNewChildrenOfTheSameNamesAndCloningLeaksNothing) {
  auto* panel = new TeskPanel();
  for (int i = 0; i < 24; ++i) {
    auto* button = new TeskButton();
    button->SetName(i % 2 ? u"EVEN" : u"ODD");
    panel->AddChild(button);
  }
  const Owned source(panel);
  TeskIWidget* copy = nullptr;
  ASSERT_EQ(CloneWidget(panel, &copy), kRTSuccess);
  const Owned clone(copy);
  auto* copied = static_cast<TeskPanel*>(copy);
  ASSERT_EQ(copied->Children().Count(), 24u);
  for (uint32_t i = 0; i < 24; ++i) {
    EXPECT_NE(copied->ChildAt(i), panel->ChildAt(i));
    EXPECT_EQ(std::u16string(copied->ChildAt(i)->GetName()), std::u16string(panel->ChildAt(i)->GetName()));
    EXPECT_EQ(copied->ChildAt(i)->GetParent(), copy);
  }
  EXPECT_EQ(copy->GetParent(), nullptr);
  const int32_t live = kivo::LiveObjectCount();
  for (int round = 0; round < 1000; ++round) {
    TeskIWidget* again = nullptr;
    ASSERT_EQ(CloneWidget(panel, &again), kRTSuccess);
    DestroyWidgetTree(again);
  }
  EXPECT_EQ(kivo::LiveObjectCount(), live);
}

TEST_F(WidgetStream, ThreeStreamedPagesReplaceTheDefaultPageWithPageZeroCurrent) {
  StreamBytes b;
  BaseBlock(Header(b, 6), u"TABS", 0, 24, 320, 240).U32(0x600).U32(3);
  for (const char16_t* page : {u"A", u"B", u"C"}) {
    b.Wide(page);
    BaseBlock(b, u"PAGE", 0, 0, 320, 240).U32(0x605).Wide(u"").U32(0).U32(4).U32(256);
  }
  b.U32(128);
  const int32_t live = kivo::LiveObjectCount();
  {
    const Owned read(Read(b.bytes()));
    ASSERT_NE(read, nullptr);
    auto* tabs = static_cast<TeskTabPanel*>(read.get());
    ASSERT_EQ(tabs->PageCount(), 3u);
    EXPECT_EQ(std::u16string(tabs->PageName(0)), u"A");
    EXPECT_EQ(std::u16string(tabs->PageName(2)), u"C");
    EXPECT_EQ(tabs->GetCurrentPage(), tabs->PageAt(0));
  }
  EXPECT_EQ(kivo::LiveObjectCount(), live);
}

TEST_F(WidgetStream, RemovingPagesDestroysThemAndMovesTheCurrentPageToPageZeroOrNone) {
  const int32_t live = kivo::LiveObjectCount();
  {
    TeskTabPanel tabs;
    tabs.AddPage(u"Two");
    ASSERT_EQ(tabs.GetCurrentPage(), tabs.PageAt(1));
    tabs.PageAt(1)->AddChild(new TeskButton());
    tabs.RemovePage(1);
    EXPECT_EQ(tabs.GetCurrentPage(), tabs.PageAt(0));
    tabs.RemovePage(0);
    EXPECT_EQ(tabs.PageCount(), 0u);
    EXPECT_EQ(tabs.GetCurrentPage(), nullptr);
    EXPECT_EQ(tabs.Mouse(0, 0, 5, 30, 1), nullptr);
  }
  EXPECT_EQ(kivo::LiveObjectCount(), live);
}

// Panels nested `depth` deep, the outermost first.
std::string NestedPanels(int depth) {
  StreamBytes b;
  for (int level = 0; level < depth; ++level)
    BaseBlock(Header(b, 2), u"P", 0, 0, 1, 1).U32(0x605).Wide(u"").U32(level + 1 < depth ? 1 : 0);
  for (int level = 0; level < depth; ++level) b.U32(3).U32(256);
  return b.bytes();
}

TEST_F(WidgetStream, WidgetsNestedBeyondThirtyTwoLevelsAreRefusedWithNothingLeft) {
  const Owned deepest(Read(NestedPanels(32)));
  EXPECT_NE(deepest, nullptr);
  const int32_t live = kivo::LiveObjectCount();
  EXPECT_EQ(Read(NestedPanels(33)), nullptr);
  EXPECT_NE(NewErrors().find("StreamWidgetIn() -- Widgets are nested too deeply"), std::string::npos);
  EXPECT_EQ(kivo::LiveObjectCount(), live);
}

}  // namespace
}  // namespace guitest
