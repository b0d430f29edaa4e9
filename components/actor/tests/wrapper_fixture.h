// A controller on the actor fixture with the game's stand-in as its game, whose scene tree is the
// pack's (its rooms loaded and its quad tree built, so that it files nodes), and the calls of the
// controller's methods as the script and the game make them. Script objects are any addresses: the
// controller only maps them to wrappers.
#pragma once

#include <string>
#include <vector>

#include "actor_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "varno/call_cells.h"

namespace actortest {

using Cell = varno::RTVarnoCallArg;

Cell Text(const char16_t* text);
Cell Number(int32_t value);
Cell Real(float value);

class WrapperTest : public ActorTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  RTInstance controller() const { return controller_.get(); }
  RTInstance game() const { return game_.get(); }
  RTInstance tree() const { return tree_.get(); }

  // A script method of the controller at the slot, called for the object; the result cell (cleared
  // first) into *result when given.
  RTSuccess Call(varno::NativeMethodSlot slot, void* object, std::vector<Cell> arguments = {}, Cell* result = nullptr);
  // Create for the object; the wrappers left are destroyed at the end of the test.
  RTSuccess Create(void* object, const char16_t* skin);
  RTSuccess Destroy(void* object);
  // The wrapper attached to the object; null when there is none.
  RTTeskActorWrapper* WrapperOf(void* object);
  // The motion the wrapper's player plays.
  uint32_t CurrentMotion(const RTTeskActorWrapper* wrapper);

  // The calls the game's stand-in printed since the last time they were asked for, without the
  // "RTTeskGame." before each.
  std::vector<std::string> GameCalls();
  // How many instances of the class are alive.
  uint32_t Alive(const char16_t* className);

 private:
  kivo::InstanceRef controller_;
  kivo::InstanceRef game_;
  kivo::InstanceRef tree_;
  std::vector<void*> created_;
  size_t callsRead_ = 0;
};

}  // namespace actortest
