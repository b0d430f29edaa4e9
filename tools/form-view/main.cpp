// form-view: loads a form of the game's resources (or of a given resource file) with the GUI skin
// of a screen width (at width 800 the form's 800 variant, when there is one), prints its widget
// tree, runs an event script on it and draws it offscreen into a PNG file as the events left it.
// The core runs on a Kivo root of its own with the staged components and store, the software
// rasterizer drawing into an offscreen frame of the screen's size.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core_session.h"
#include "event_script.h"
#include "form.h"
#include "form_definition.h"
#include "form_report.h"
#include "form_table.h"
#include "game_resource.h"
#include "gui_skin.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"
#include "raised_messages.h"
#include "screen_drawing.h"
#include "tesk/game_slots.h"
#include "tool_frame.h"
#include "widget_tree.h"

namespace {

namespace gui = tesk::game::gui;
namespace r = kivo::rasterizer;

struct Options {
  std::string form;
  bool all = false;  // every form of start-up's table
  std::string resource;  // a resource file to take the form from, in place of the game's
  std::string png;
  std::string events;  // an event script to run on the form
  int32_t width = 1024;
};

constexpr tesk::ToolText kText = {
    "usage: form-view [--verbose] FORM [--resource FILE] [--width 1024|800|640] [--png FILE] [--events FILE]\n"
    "       form-view [--verbose] --all [--width 1024|800|640]\n",
    "Loads the form named FORM from the game's resources (RTTeskGame.resource), with the GUI skin of\n"
    "the screen width, and prints its widget tree: a line a widget with its type, name, position,\n"
    "size, flags and text, indented by its depth.\n"
    "  --resource FILE  takes the form from this resource file instead\n"
    "  --width W        the screen width: 1024 (1024 x 768, the default), 800 (800 x 600) or\n"
    "                   640 (640 x 480); it chooses the skin's element sizes, and at 800 the form\n"
    "                   FORM_800 when the resources hold one\n"
    "  --png FILE       draws the form offscreen at the screen's size (after the events) and writes\n"
    "                   the picture to FILE\n"
    "  --events FILE    sends the form the events of FILE, a line each, and prints after each\n"
    "                   the control that answered, the focus and the form's sliders, list boxes and\n"
    "                   edit boxes: press X Y, hover X Y, drag X Y, move X Y (the pointer with the\n"
    "                   button held or not), key UNIT (a character, or its code: key 0x8 is a\n"
    "                   backspace), wait MS (advances the clocks)\n"
    "  --all            loads every form of the game's start-up, by the resource names start-up\n"
    "                   takes at the width, prints each tree after a line \"== NAME\" and names\n"
    "                   every form that does not load (then the result is 1)\n"};

bool ParseCommandLine(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    const bool hasValue = i + 1 < argc;
    if (word == "--all") {
      options.all = true;
    } else if (word == "--resource" && hasValue) {
      options.resource = argv[++i];
    } else if (word == "--png" && hasValue) {
      options.png = argv[++i];
    } else if (word == "--events" && hasValue) {
      options.events = argv[++i];
    } else if (word == "--width" && hasValue) {
      options.width = std::atoi(argv[++i]);
      int8_t variant = 0;
      if (!gui::SkinVariantForWidth(options.width, &variant)) return false;
    } else if (options.form.empty() && word.rfind("--", 0) != 0) {
      options.form = word;
    } else {
      return false;
    }
  }
  // --all takes the game's own resources and neither a form nor a picture nor events.
  if (options.all) return options.form.empty() && options.resource.empty() && options.png.empty() &&
                          options.events.empty();
  return !options.form.empty();
}

int32_t HeightOf(int32_t width) { return width * 3 / 4; }

// The names a form is looked for under, in order: at width 800 its 800 variant ("NAME_800") first.
std::vector<std::string> FormNames(const Options& options) {
  std::vector<std::string> names;
  const std::string suffix = "_800";
  const bool variant = options.form.size() > suffix.size() &&
                       options.form.compare(options.form.size() - suffix.size(), suffix.size(), suffix) == 0;
  if (options.width == 800 && !variant) names.push_back(options.form + suffix);
  names.push_back(options.form);
  return names;
}

// The form out of the first of its names the resource file holds.
bool LoadFromFile(CoreTable& core, const Options& options, gui::TeskForm* form, std::string* error) {
  kivo::InstanceRef file;
  kivo::InstanceRef resource;
  const std::u16string path = platform::FromUtf8(options.resource);
  if (!core.CreateInstanceByString(nullptr, u"RTBrellinFileStream", file.out(), 0, 0) ||
      !kivo::file_stream::Open(file.get(), path.c_str(), kivo::file_stream::kReadExisting) ||
      !core.CreateInstanceByString(nullptr, u"RTResource", resource.out(), 0, 0) ||
      !kivo::component::StreamIn(resource.get(), kivo::component::kStreamWhole, file.get())) {
    *error = "cannot read the resource file " + options.resource;
    return false;
  }
  uint32_t count = 0;
  core.GetChildCount(nullptr, resource.get(), &count);
  for (const std::string& wanted : FormNames(options)) {
    for (uint32_t i = 0; i < count; ++i) {
      kivo::InstanceRef child;
      char16_t name[256] = {};
      if (!core.GetChild(nullptr, resource.get(), i, child.out()) ||
          !core.GetInstanceName(nullptr, child.get(), name, 256) || platform::ToUtf8(name) != wanted)
        continue;
      kivo::stream::Seek(child.get(), 0);
      if (gui::ReadFormDefinition(child.get(), form)) return true;
      *error = "the stream " + wanted + " of " + options.resource + " holds no form";
      return false;
    }
  }
  *error = options.resource + " holds no " + options.form;
  return false;
}

// The form out of the first of its names the game's resources hold.
bool LoadFromGame(const Options& options, gui::TeskForm* form, std::string* error) {
  for (const std::string& wanted : FormNames(options)) {
    const std::u16string name = platform::FromUtf8(wanted);
    if (!gui::OpenGameResource(name.c_str()).get()) continue;
    if (gui::LoadFromResource(name.c_str(), form)) return true;
    *error = "the game's resource " + wanted + " holds no form";
    return false;
  }
  *error = "the game's resources hold no form " + options.form;
  return false;
}

// Draws the form over a black screen and writes the picture.
bool Draw(RTInstance rasterizer, r::WindowContext context, const Options& options, gui::TeskForm* form,
          std::string* error) {
  if (!r::BeginFrame(rasterizer, context)) {
    *error = "cannot make an offscreen frame";
    return false;
  }
  r::SetClearColor(rasterizer, 0.0f, 0.0f, 0.0f, 1.0f);
  r::SetClearMask(rasterizer, r::kClearColour | r::kClearDepth);
  r::BeginScene(rasterizer);
  gui::SavedProjection saved{};
  gui::BeginScreenDrawingOn(rasterizer, context, &saved);
  form->Draw(0, 0, rasterizer);
  gui::EndScreenDrawingOn(rasterizer, saved);
  r::EndScene(rasterizer);
  r::PresentFrame(rasterizer);
  if (!r::Screenshot(rasterizer, platform::FromUtf8(options.png).c_str())) {
    *error = "cannot write " + options.png;
    return false;
  }
  return true;
}

// The event script's report on standard output, as far as it runs.
bool RunEvents(const Options& options, gui::TeskForm* form, std::string* error) {
  std::ifstream script(options.events);
  if (!script) {
    *error = "cannot read " + options.events;
    return false;
  }
  std::string report;
  const bool ran = formview::RunEventScript(script, form, &report, error);
  std::fputs(report.c_str(), stdout);
  return ran;
}

// Every form of start-up's table by the name start-up takes at the width; false when one fails.
bool ViewAll(const Options& options) {
  bool all = true;
  for (const tesk::game::FormRow& row : tesk::game::FormTable()) {
    const char16_t* name = tesk::game::FormResource(row, options.width, false);
    auto* form = new gui::TeskForm();
    if (gui::LoadFromResource(name, form)) {
      std::printf("== %s\n%s", platform::ToUtf8(name).c_str(), formview::WidgetTree(*form).c_str());
    } else {
      tesk::PrintError("form-view: the form %s does not load\n", platform::ToUtf8(name).c_str());
      all = false;
    }
    gui::DestroyWidgetTree(form);
  }
  return all;
}

int View(CoreTable& core, const Options& options) {
  tesk::RaisedMessages raised(core);
  kivo::InstanceRef rasterizer;
  kivo::InstanceRef game;  // held, so that the skin finds the game it draws for
  if (!core.GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr) ||
      !core.GetFirstInstanceByString(nullptr, tesk::game::kClassName, game.out(), 1, nullptr)) {
    tesk::PrintError("form-view: the rasterizer or the game component is missing\n");
    return 1;
  }
  // The errors raised about the skin and the form; the game's construction reports its progress.
  raised.Print(true);
  int8_t variant = 0;
  gui::SkinVariantForWidth(options.width, &variant);
  // Textures are made for the current window context: it comes before the skin.
  const auto width = static_cast<uint32_t>(options.width);
  const uint32_t descriptor[r::kDescriptorWords] = {
      0, 0, 0, static_cast<uint32_t>(HeightOf(options.width)), width, 32, 24, 8, 0, 0, 0, 1};
  r::WindowContext context = nullptr;
  if (!r::CreateWindowContext(rasterizer.get(), nullptr, descriptor, &context)) {
    tesk::PrintError("form-view: cannot make an offscreen frame\n");
    return 1;
  }
  if (!options.events.empty()) formview::UseScriptClock();
  if (!gui::LoadGuiSkin(variant)) tesk::PrintError("form-view: the skin did not load whole\n");
  if (options.all) {
    const bool loaded = ViewAll(options);
    gui::ReleaseGuiSkin();
    return loaded ? 0 : 1;
  }
  auto* form = new gui::TeskForm();
  std::string error;
  const bool loaded = options.resource.empty() ? LoadFromGame(options, form, &error)
                                               : LoadFromFile(core, options, form, &error);
  if (loaded) std::fputs(formview::WidgetTree(*form).c_str(), stdout);
  // The picture shows the form as the events left it.
  const bool done = loaded && (options.events.empty() || RunEvents(options, form, &error)) &&
                    (options.png.empty() || Draw(rasterizer.get(), context, options, form, &error));
  gui::DestroyWidgetTree(form);
  gui::ReleaseGuiSkin();
  if (!done) tesk::PrintError("form-view: %s\n", error.c_str());
  return done ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  Options options;
  if (!ParseCommandLine(argc, argv, options)) return tesk::RefuseCommandLine(kText);
  setenv("ALSOFT_DRIVERS", "null", 0);
  std::string error;
  auto session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kRootsOwnRoot);
  if (!session) {
    tesk::PrintError("form-view: %s\n", error.c_str());
    return 1;
  }
  return View(session->core(), options);
}
