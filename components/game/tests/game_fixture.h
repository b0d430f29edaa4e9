// A started core with the game component, its parent, the scripting component, the timer, the
// audio service and sources, the route planner and a recording stand-in for the actor component,
// the software rasterizer, the manual core clock and OpenAL's null device; a VM with a small probe
// class whose objects stand in for the game's and the actors' script objects (step 1 has its
// Switchboard pause the game, step 2 resume it; its events count the pauses and resumes).
#pragma once

#include <string>
#include <vector>

#include "game_record.h"
#include "kivo/support/instance_ref.h"
#include "software_rasterizer.h"
#include "varno/scripting_calls.h"

namespace gametest {

namespace scripting = varno::scripting;
using Cell = varno::RTVarnoConstantValue;

class GameTest : public tesk::testing::SoftwareRasterizer {
 protected:
  // Components left out of the root (a class name), for fixtures without one.
  virtual std::vector<std::string> LeftOut() const { return {}; }
  void InstallMore(tesk::testing::CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  RTInstance game() const { return game_.get(); }
  tesk::game::GamePrivateData& record() { return *tesk::game::RecordOf(game_.get()); }
  RTInstance varno() const { return varno_; }
  scripting::VM vm() const { return vm_; }
  // A new object of the probe class.
  scripting::Symbol NewProbe();
  // A script method of the game: the result cell's value comes back in `result`.
  RTSuccess CallScript(uint32_t slot, std::vector<Cell> arguments = {}, Cell* result = nullptr,
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
  static Cell PointerCell(void* p);

 private:
  kivo::InstanceRef game_;
  RTInstance varno_ = nullptr;
  scripting::TypeTable table_ = nullptr;
  scripting::VM vm_ = nullptr;
  uint32_t probeType_ = 0;
};

}  // namespace gametest
