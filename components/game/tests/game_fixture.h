// A started core with the game component, its parent, the scripting component, the timer, the
// audio service, its sources and buffer infos, the route planner and recording stand-ins for the
// actor and font components, the software rasterizer, the manual core clock and OpenAL's null device; a VM with
// a small probe class whose objects stand in for the game's and the actors' script objects (its
// Switchboard state hears events; its events count the pauses and resumes). The game's resource file and the fonts under "Root:Fonts" are the fixture's: every
// resource Startup reads (each image a 2 x 2 PNG) and the four fonts, unless a fixture leaves
// some out. Every resource the game opens is tapped: its name is kept, and it counts as live
// until it is released.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "game_record.h"
#include "kivo/support/instance_ref.h"
#include "software_rasterizer.h"
#include "varno/scripting_calls.h"

namespace gametest {

namespace scripting = varno::scripting;
using Cell = varno::RTVarnoConstantValue;

// One named stream of a resource file.
struct ResourceItem {
  std::string name;
  std::string bytes;
};

// The text as UTF-16 units, little-endian, with no terminator: the form of the tuning numbers.
std::string Utf16(std::u16string_view text);
// Every resource that Startup reads: the images of the texture table with both start-up variants,
// every form resource of both widths and the debug icons (each the fixture's form), then the
// numbers AOI_RADIUS "1.5", BEAN_DISTANCE "0.6", BEAN_SIZE "0.25", BEAN_SPEED "2" and AOI_ADDITIVE
// "3.75".
std::vector<ResourceItem> CompleteResources();
// A form holding every control that start-up's steps and the frame name, each of its kind:
// "SS_SSG_PNL" 301 x 201 at (5, 6), "CAM_ROT_ICON" 40 x 30, the tab panel "IN_TAB" with the list
// box "IN_TAB_LOG_LOG_LIST" (two rows) on its second page, its first page current.
std::string FixtureFormJson();
// The widget stream of the form the JSON describes, compiled by kivopack (once per description).
std::string CompiledForm(const std::string& json);
// The form resources Startup opens in their order at width 1024 and at width 800.
std::vector<std::string> FormNames1024();
std::vector<std::string> FormNames800();
// The four fonts of Startup's font table, by instance name under "Root:Fonts".
std::vector<std::u16string> AllFonts();

class GameTest : public tesk::testing::SoftwareRasterizer {
 protected:
  // Components left out of the root (a class name), for fixtures without one.
  virtual std::vector<std::string> LeftOut() const { return {}; }
  // The game's resource file, written before the core starts.
  virtual std::vector<ResourceItem> Resources() const { return CompleteResources(); }
  // Further script classes of the fixture's table as (class name, source), compiled after the probe.
  virtual std::vector<std::pair<std::string, std::string>> MoreClasses() const { return {}; }
  // The fonts made under "Root:Fonts" once the core has started; with none, no "Root:Fonts" is
  // made (a store's own stays).
  virtual std::vector<std::u16string> Fonts() const { return AllFonts(); }
  void InstallMore(tesk::testing::CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  // Hands the game option callbacks that answer `width` for option 1, `debugKeys` for option 10
  // (12 for option 9, 0 for the others) and a window of the given size.
  void GiveWindow(int32_t width, uint32_t windowWidth, uint32_t windowHeight, int32_t debugKeys = 0);
  // The names of the game's resources opened so far, in order, and how many of the opened streams
  // have not been released.
  const std::vector<std::u16string>& OpenedResources() const;
  int LiveResourceStreams() const;
  uint32_t Started() { return record().library->started; }

  RTInstance game() const { return game_.get(); }
  // Gives up the fixture's game: the instance and its record go.
  void ReleaseGame() { game_.Reset(); }
  tesk::game::GamePrivateData& record() { return *tesk::game::RecordOf(game_.get()); }
  RTInstance varno() const { return varno_; }
  scripting::VM vm() const { return vm_; }
  // A new object of the probe class, and of its parent class, which has none of its attributes.
  scripting::Symbol NewProbe();
  scripting::Symbol NewThing();
  // A new object of a class of MoreClasses.
  scripting::Symbol NewObjectOf(const char16_t* className);
  // A probe whose lists are made (its method MakeLists, run on a context of its own).
  scripting::Symbol NewProbeWithLists();
  // A script method of the game: the result cell's value comes back in `result`.
  RTSuccess CallScript(varno::NativeMethodSlot slot, std::vector<Cell> arguments = {}, Cell* result = nullptr,
                       scripting::Symbol object = nullptr);
  // One pass of the scheduler over a context on the object: its queued events run.
  void RunOnePass(scripting::Symbol object);
  void SetText(scripting::Symbol object, const char16_t* name, const char16_t* text);
  int32_t Number(scripting::Symbol object, const char16_t* name);
  void SetNumber(scripting::Symbol object, const char16_t* name, int32_t number);
  // The debug output and error log lines since the fixture started, each as UTF-8.
  std::vector<std::string> LogLines() const;
  size_t Logged(const std::string& text) const;

  static Cell NumberCell(int32_t n);
  static Cell RealCell(float r);
  // A string cell over the caller's text (the game copies what it keeps).
  static Cell TextCell(const char16_t* text);
  // Element N of a list attribute; the probe's method MakeLists makes "skills", "baseSkills" and
  // "episodeStartSkills" six numbers, "problemList" and "problemSeverityList" five, and
  // "EdictsCompleted" and "EdictsFailed" two and one texts.
  void SetElement(scripting::Symbol object, const char16_t* name, uint32_t element, int32_t number);
  static Cell PointerCell(void* p);

 private:
  kivo::InstanceRef game_;
  std::vector<kivo::InstanceRef> fonts_;  // "Root:Fonts" last
  RTInstance varno_ = nullptr;
  scripting::TypeTable table_ = nullptr;
  scripting::VM vm_ = nullptr;
  uint32_t probeType_ = 0;
  uint32_t thingType_ = 0;
};

}  // namespace gametest
