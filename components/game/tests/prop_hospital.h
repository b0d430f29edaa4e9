// A hospital with one prop of each kind the script asks for, packed by kivopack once per process:
// the environment "Tesk" with the room "core-exam-2" (beds "bed01", "bed_t1", "bed_e2" and
// "bed_m1", a sink, the three kinds of chair of the waiting rooms, a cafeteria chair, trays, the
// vending machines "chips02" (the chip machine 02's model name in lower case) and "chips01" (the
// chips machine 01's in upper case), a security chair, an elliptical trainer, a bench, a shoulder
// press, a rowing machine, a yoga mat, a game machine, a cot, a linen cart, the decontamination
// chamber and the two stall doors "Male_Stall_Door" and "Female_Stall_Door"), the main entrance
// "core-mainentrance" with its leaves closed at x 13.8 and the ambulance port
// "core-aport-2@3967" beyond them, a walking graph, the first shower stall with its door (closed at
// yaw 0.5), and the animated assets: the elliptical trainer's root carries a player of one looping
// yaw swing ("Swing", 4 seconds), the rowing machine and the linen cart are plain. The scenario is
// 0.
#pragma once

#include "environment_fixture.h"

namespace gametest {

class PropHospitalTest : public EnvironmentTest {
 protected:
  std::filesystem::path Store() const override;

  // The script's handle of the node (0 for null).
  uint32_t Handle(RTInstance node);
  // A script method with the arguments; the result cell as it comes back, from `result` in.
  Cell Call(varno::NativeMethodSlot slot, std::vector<Cell> arguments, Cell result = {});
  // The game clock, which GetCurrentTimeC reads, in seconds.
  void SetClock(double seconds);
};

}  // namespace gametest
