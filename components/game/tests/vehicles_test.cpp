// The game's vehicle methods over the recording actor: a failed add answers -1, a handle of no
// vehicle reaches the actor component as a null vehicle, and the type is the record's first byte,
// signed, or the result left alone.
#include "game_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;

using VehicleMethods = GameTest;

Cell VectorCell(RTFVector3D* v) {
  Cell cell{};
  cell.type = varno::kTypeVector3;
  cell.value.vector = v;
  return cell;
}

TEST_F(VehicleMethods, AFailedAddAnswersMinusOneAndSucceeds) {
  RTFVector3D at{1.0f, 0.0f, 2.0f, 0.0f};
  for (const auto slot : {game::kAddGurney, game::kAddWheelchair}) {
    Cell result{};
    EXPECT_EQ(CallScript(slot, {VectorCell(&at)}, &result), kRTSuccess);
    EXPECT_EQ(result.value.word, kivo::actor::kNoVehicle);
    result = Cell{};
    EXPECT_EQ(CallScript(slot, {NumberCell(3)}, &result), kRTSuccess) << "a point that is no vector";
    EXPECT_EQ(result.value.word, kivo::actor::kNoVehicle);
  }
}

TEST_F(VehicleMethods, TheTypeIsTheSignedFirstByteOrTheResultLeftAlone) {
  for (const auto& [handle, want] : {std::pair{-1, 55}, std::pair{999, 55}, std::pair{7, -2}}) {
    Cell result{};
    result.value.number = 55;
    EXPECT_EQ(CallScript(game::kGetVehicleType, {NumberCell(handle)}, &result), kRTSuccess);
    EXPECT_EQ(result.value.number, want) << handle;
  }
}

TEST_F(VehicleMethods, AHandleOfNoVehicleReachesTheActorComponentAsANullVehicle) {
  RTFVector3D position{};
  Cell result = VectorCell(&position);
  EXPECT_EQ(CallScript(game::kGetVehiclePosition, {NumberCell(999)}, &result), kRTFailure);
  EXPECT_EQ(CallScript(game::kGetVehiclePosition, {TextCell(u"7")}, &result), kRTFailure) << "a mistyped handle";
  EXPECT_EQ(Logged("RTTeskActor.GetVehiclePositionC(null)"), 2u);
  EXPECT_EQ(CallScript(game::kGetVehiclePosition, {NumberCell(7)}, &result), kRTSuccess);
  EXPECT_EQ(position.z, 3.0f);
}

}  // namespace
