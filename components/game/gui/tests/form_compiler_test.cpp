// kivopack's forms: the nested form's JSON compiles to the hand-written bytes; descriptions it
// refuses name the file and the widget's path.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "button.h"
#include "edit_box.h"
#include "form.h"
#include "gui_test_support.h"
#include "icon.h"
#include "list_box.h"
#include "panel.h"
#include "percent_bar.h"
#include "progress_bar.h"
#include "slider.h"
#include "widget_tree.h"
#include "host/temp_dir.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"

namespace guitest {
namespace {

constexpr char kNestedForm[] = R"({
  "type": "form", "name": "MENU", "width": 640, "height": 480,
  "children": [
    {"type": "panel", "name": "MAIN_PANEL", "x": 10, "y": 20, "width": 300, "height": 200, "caption": "Options",
     "frameStyle": 1,
     "children": [{"type": "button", "name": "OK", "x": 5, "y": 6, "width": 60, "height": 30, "caption": "Ok"}]},
    {"type": "label", "name": "TITLE", "x": 1, "y": 2, "font": 2, "text": "Hi", "background": true,
     "backgroundColor": [0.5, 0.25, 1.0]},
    {"type": "tabpanel", "name": "TABS", "pages": [{"name": "One"}, {"name": "Two", "panel": {}}]}
  ]
})";

class FormCompiler : public GuiTest {
 protected:
  // kivopack's exit status compiling the form into a resource; its errors.
  int Compile(const std::string& form, std::string* errors) {
    tesk::testing::WriteFile(File("form.json"), form);
    tesk::testing::WriteFile(File("resource.json"), R"({"streams": [{"name": "FORM", "form": "form.json"}]})");
    const std::string command = std::string(KIVOPACK) + " resource " + File("resource.json") + " " +
                                File("Test.resource") + " 2>" + File("errors.txt");
    const int status = std::system(command.c_str());
    *errors = tesk::testing::ReadFile(File("errors.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  // The bytes of the resource file's stream "FORM".
  std::string FormBytes() {
    kivo::InstanceRef file;
    kivo::InstanceRef resource;
    const std::u16string path = platform::FromUtf8(File("Test.resource"));
    EXPECT_EQ(core().CreateInstanceByString(nullptr, u"RTBrellinFileStream", file.out(), 0, 0), kRTSuccess);
    EXPECT_EQ(kivo::file_stream::Open(file.get(), path.c_str(), kivo::file_stream::kReadExisting), kRTSuccess);
    EXPECT_EQ(core().CreateInstanceByString(nullptr, u"RTResource", resource.out(), 0, 0), kRTSuccess);
    EXPECT_EQ(kivo::component::StreamIn(resource.get(), kivo::component::kStreamWhole, file.get()), kRTSuccess);
    kivo::InstanceRef stream;
    EXPECT_EQ(core().GetChild(nullptr, resource.get(), 0, stream.out()), kRTSuccess);
    return tesk::testing::MemoryStreamBytes(stream.get());
  }
  std::string File(const char* name) const { return (files_.path() / name).string(); }

  tesk::testing::TempDir files_;
};

TEST_F(FormCompiler, TheNestedFormCompilesToItsHandWrittenBytes) {
  std::string errors;
  ASSERT_EQ(Compile(kNestedForm, &errors), 0) << errors;
  EXPECT_EQ(FormBytes(), NestedFormBytes());
}

TEST_F(FormCompiler, BadDescriptionsAreRefusedNamingTheFileAndTheWidgetsPath) {
  const struct {
    const char* form;
    const char* message;
  } cases[] = {
      {R"({"type": "form", "name": "F", "children": [{"type": "scrollbar", "name": "S"}]})",
       "form.json: F/S: unknown type \"scrollbar\""},
      {R"({"type": "form", "name": "F", "children": [{"type": "button", "name": "B", "text": "x"}]})",
       "form.json: F/B: unknown key \"text\""},
      {R"({"type": "form", "name": "F", "children": [{"type": "panel", "name": "P", "frameStyle": "3"}]})",
       "form.json: F/P: \"frameStyle\" must be an integer from 0 to 255"},
      {R"({"type": "form", "name": "F", "x": 1.5})", "form.json: F: \"x\" must be an integer"},
      {R"({"type": "form", "name": "F", "children": [{"type": "label", "name": "L", "background": 1}]})",
       "form.json: F/L: \"background\" must be true or false"},
      {R"({"type": "form", "name": "F", "children": [{"type": "tabpanel", "name": "T", "pages": [{"name": "A",
          "panel": {"type": "panel"}}]}]})",
       "form.json: F/T/A: a page's panel has no \"type\""},
      {R"({"type": "panel", "name": "P"})", "form.json: the outermost widget must be a form"},
      {R"({"type": "form", "name": "F", "children": {}})", "form.json: F: \"children\" must be a list"},
  };
  for (const auto& c : cases) {
    std::string errors;
    EXPECT_NE(Compile(c.form, &errors), 0) << c.form;
    EXPECT_NE(errors.find(c.message), std::string::npos) << errors;
  }
}

constexpr char kValueWidgets[] = R"({
  "type": "form", "name": "F",
  "children": [
    {"type": "icon", "name": "I", "rect": [64, 0, 20, 20], "image": 16, "mirror": 1, "label": "L", "toolTip": "T",
     "hidden": true},
    {"type": "icon", "name": "U", "uv": [0, 0.5, 0.25, 1]},
    {"type": "editbox", "name": "E", "text": "Name", "maxLength": 32},
    {"type": "slider", "name": "S", "steps": 5, "position": 2},
    {"type": "progressbar", "name": "P", "capacity": 12, "max": 5},
    {"type": "percentbar", "name": "B", "percent": 40, "color": [1, 0, 0], "backgroundColor": [0, 0, 1],
     "vertical": true},
    {"type": "listbox", "name": "LIST", "rowHeight": 24, "iconColumnWidth": 36, "fitIcons": true,
     "items": [{"text": "Slot", "color": [1, 0, 0.5], "icon": {"name": "ARROW", "rect": [64, 0, 20, 20], "image": 16}},
               {"panel": {"name": "ROW", "height": 20, "children": [{"type": "button", "name": "X"}]}}]}
  ]
})";

// The same form built with the toolkit's classes.
TeskIWidget* ValueWidgetsForm() {
  using namespace tesk::game::gui;
  auto* form = new TeskForm();
  form->SetName(u"F");
  auto* icon = new TeskIcon();
  icon->SetName(u"I");
  icon->SetImageRect(64, 0, 20, 20);
  icon->SetImage(16);
  TeskIconSetFlag(icon, 1);
  icon->SetLabel(u"L");
  icon->SetToolTip(u"T");
  icon->SetHidden(1);
  form->AddChild(icon);
  auto* uv = new TeskIcon();
  uv->SetName(u"U");
  uv->SetUVRect(0.0f, 0.5f, 0.25f, 1.0f);
  form->AddChild(uv);
  auto* edit = new TeskEditBox();
  edit->SetName(u"E");
  edit->SetText(u"Name");
  edit->SetMaxLength(32);
  form->AddChild(edit);
  auto* slider = new TeskSlider();
  slider->SetName(u"S");
  slider->SetStepCount(5);
  slider->SetPosition(2);
  form->AddChild(slider);
  auto* progress = new TeskProgressBar();
  progress->SetName(u"P");
  progress->SetCapacity(12);
  progress->SetMax(5);
  form->AddChild(progress);
  auto* percent = new TeskPercentBar();
  percent->SetName(u"B");
  percent->SetPercent(40);
  percent->SetColor(1.0f, 0.0f, 0.0f);
  percent->SetBackgroundColor({0.0f, 0.0f, 1.0f, 1.0f});
  percent->SetVertical(1);
  form->AddChild(percent);
  auto* list = new TeskListBox();
  list->SetName(u"LIST");
  list->SetRowHeight(24);
  list->SetIconColumnWidth(36);
  list->SetFitIcons(1);
  TeskListBoxItem* slot = list->AddItem(u"Slot");
  slot->SetColor({1.0f, 0.0f, 0.5f, 1.0f});
  auto* arrow = new TeskIcon();
  arrow->SetName(u"ARROW");
  arrow->SetImageRect(64, 0, 20, 20);
  arrow->SetImage(16);
  slot->SetIcon(arrow);
  auto* row = new TeskPanel();
  row->SetName(u"ROW");
  row->SetHeight(20);
  auto* button = new TeskButton();
  button->SetName(u"X");
  row->AddChild(button);
  list->AddItem(nullptr)->SetPanel(row);
  form->AddChild(list);
  return form;
}

TEST_F(FormCompiler, IconsEditBoxesSlidersBarsAndListBoxesCompileToTheToolkitsBytes) {
  std::string errors;
  ASSERT_EQ(Compile(kValueWidgets, &errors), 0) << errors;
  TeskIWidget* form = ValueWidgetsForm();
  EXPECT_EQ(FormBytes(), Written(form));
  tesk::game::gui::DestroyWidgetTree(form);
}

TEST_F(FormCompiler, BadValueWidgetDescriptionsAreRefusedNamingThePath) {
  const struct {
    const char* form;
    const char* message;
  } cases[] = {
      {R"({"type": "form", "name": "F", "children": [{"type": "icon", "name": "I", "rect": [0, 0, 1, 1],
          "uv": [0, 0, 1, 1]}]})",
       "form.json: F/I: give \"rect\" or \"uv\", not both"},
      {R"({"type": "form", "name": "F", "children": [{"type": "icon", "name": "I", "rect": [0, 0, 1]}]})",
       "form.json: F/I: \"rect\" must be a list of 4 integers"},
      {R"({"type": "form", "name": "F", "children": [{"type": "slider", "name": "S", "steps": 0}]})",
       "form.json: F/S: \"steps\" must be an integer from 1 to 1000"},
      {R"({"type": "form", "name": "F", "children": [{"type": "listbox", "name": "L", "rowHeight": 70000}]})",
       "form.json: F/L: \"rowHeight\" must be an integer from 0 to 65535"},
      {R"({"type": "form", "name": "F", "children": [{"type": "listbox", "name": "L", "items": [{"txt": "a"}]}]})",
       "form.json: F/L/0: unknown key \"txt\""},
      {R"({"type": "form", "name": "F", "children": [{"type": "listbox", "name": "L",
          "items": [{"icon": {"type": "icon"}}]}]})",
       "form.json: F/L/0/icon: an item's icon or panel has no \"type\""},
  };
  for (const auto& c : cases) {
    std::string errors;
    EXPECT_NE(Compile(c.form, &errors), 0) << c.form;
    EXPECT_NE(errors.find(c.message), std::string::npos) << errors;
  }
}

}  // namespace
}  // namespace guitest
