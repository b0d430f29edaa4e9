// A game whose record draws through the software rasterizer (the record's reference) on the
// fixture's offscreen window, for the HUD's routines run in the test's process; the calls they
// make, parsed, and the switches and colour those calls leave.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game_fixture.h"

namespace gametest {

// One recorded call: its name and every number among its arguments (hexadecimal ones too).
struct Call {
  std::string name;
  std::vector<double> args;
};
Call ParseCall(const std::string& line);
// The calls of the names, in order.
std::vector<Call> Named(const std::vector<Call>& calls, const std::vector<std::string>& names);

// The states the HUD's routines set, as the calls leave them.
struct HudStates {
  double blending;
  double texturing;
  double lighting;
  double depthTest;
  double smoothing;
  double colour[3];
};
// The states before any call: the opposite of what the HUD's routines leave, colour red.
inline constexpr HudStates kDirtyStates = {1, 1, 0, 0, 1, {1, 0, 0}};
// The HUD's resting states: blending, texturing and smoothing off, lighting and depth test on.
inline constexpr HudStates kRestingStates = {0, 0, 1, 1, 0, {1, 1, 1}};
HudStates Replay(const std::vector<Call>& calls, HudStates states);

class HudTest : public GameTest {
 protected:
  void SetUp() override;
  // The skin of the test's process (its shared stream copies widgets) goes before the core.
  void TearDown() override;
  // The calls `draw` makes.
  std::vector<Call> Calls(const std::function<void()>& draw);
};

}  // namespace gametest
