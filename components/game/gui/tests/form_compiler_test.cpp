// kivopack's forms: the nested form's JSON compiles to the hand-written bytes; descriptions it
// refuses name the file and the widget's path.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "gui_test_support.h"
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
      {R"({"type": "form", "name": "F", "children": [{"type": "slider", "name": "S"}]})",
       "form.json: F/S: unknown type \"slider\""},
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

}  // namespace
}  // namespace guitest
