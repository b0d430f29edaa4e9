// A game with the patient bar's script class "Ward" (patients, doctors and beds in one class: each
// doctor's "heard" records the patients its list methods hear of), test-owned actor wrappers
// registered with the game, and the drawn quads of the bar read back from the recorded calls.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "hud_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "patient_entry.h"

namespace gametest {

// One quad of a frame: its top-left corner and size, the texture bound (0: texturing off) and the
// colour set for it.
struct Quad {
  double x, y, w, h;
  double texture;
  double colour[4];
};
std::vector<Quad> Quads(const std::vector<Call>& calls);

class PatientBarTest : public HudTest {
 protected:
  std::vector<std::pair<std::string, std::string>> MoreClasses() const override;
  void SetUp() override;

  // A registered actor of a new Ward named `name` (portrait texture `face`, 0 for none).
  scripting::Symbol Actor(const char16_t* name, uint32_t face = 0);
  // A patient of the doctor, diagnosed with the code and severity (severity -1: not diagnosed).
  scripting::Symbol Patient(const char16_t* name, scripting::Symbol doctor, int32_t severity, int32_t code = 0);
  RTTeskActorWrapper& WrapperOf(scripting::Symbol object);
  // The newbie list holds the doctor.
  void MakeNewbie(scripting::Symbol doctor);
  void SetFlag(scripting::Symbol object, const char16_t* name, bool flag);
  bool FlagOf(scripting::Symbol object, const char16_t* name);
  void Bind(scripting::Symbol object, const char16_t* name, scripting::Symbol value);
  scripting::Symbol Object(scripting::Symbol object, const char16_t* name);
  static scripting::Symbol Object(const RTTeskActorWrapper* wrapper) {
    return static_cast<scripting::Symbol>(wrapper->ScriptObject);
  }
  std::string Heard(scripting::Symbol doctor);
  // The script methods of the patient list through the game's slots.
  void Script(varno::NativeMethodSlot slot, std::vector<Cell> arguments = {});
  static Cell ObjectCell(scripting::Symbol object);
  // The entries' patients' names in list order.
  std::vector<std::string> Order();
  tesk::game::PatientListEntry& Entry(uint32_t index);
  // One frame of the bar (the game's own drawing through the HUD stage's hook).
  std::vector<Call> DrawBar();
  void AdvanceMs(uint64_t ms);

  scripting::Symbol player_ = nullptr;

 private:
  std::deque<RTTeskActorWrapper> wrappers_;
};

}  // namespace gametest
