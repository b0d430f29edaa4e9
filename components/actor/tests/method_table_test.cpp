// The method table of the actor's level: the header against the published offsets (the test's own
// list), and the definition record the library hands the core against the header.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "host/core_host.h"
#include "kivo/actor/actor_calls.h"
#include "platform/utf.h"

namespace {

namespace calls = kivo::actor;

// The offsets the system publishes, by method name.
const std::map<std::string, uint32_t> kPublished = {
    {"MoveTo", 16}, {"ActorDrawing", 44}, {"Say", 48}, {"GetDistanceToGoal", 132}, {"StartWonder", 160},
    {"StopWonder", 164}, {"SetFloor", 188}, {"FinalizePath", 192}, {"GetFuturePosition", 212},
    {"SteerToArrive", 216}, {"SteerToSeek", 220}, {"SteerToFlee", 224}, {"SteerToPursue", 228},
    {"SteerToFollowPath", 232}, {"SteerToAvoidObstacles", 236}, {"SteerToAvoidActors", 240}, {"AddWheelchair", 248},
    {"AddGurney", 260}, {"FindWheelchairClicked", 272}, {"FindGurneyClicked", 276}, {"CanUseWheelchairN", 280},
    {"UseWheelchairN", 284}, {"CanUseGurneyN", 288}, {"UseGurneyN", 292}, {"ReleaseVehicle", 296},
    {"SetStaffer", 300}, {"ReplanPath", 304}, {"SendGambit", 308}, {"ActorWrapperStreamOut", 316},
    {"ActorWrapperStreamIn", 320}, {"ActorWrapperFactory", 324}, {"ProcessC", 328}, {"Signal", 336},
    {"AttachLHObject", 344}, {"AttachRHObject", 348}, {"LocalToWorld", 360}, {"FixPosition", 364},
    {"UseAmbulance", 372}, {"ShowAmbulance", 376}, {"HideAmbulance", 380}, {"GetAmbulancePosition", 384},
    {"SetAmbulancePosition", 388}, {"GetAmbulanceAheadVector", 392}, {"GetAmbulanceSideVector", 396},
    {"SetDriverInAmbulance", 400}, {"GetNeighborhood", 412}, {"EnableExtendedBV", 416}, {"ClearSignal", 420},
    {"GetVehiclePositionC", 424}, {"SetVehiclePositionC", 428}, {"GetVehicleAheadVectorC", 432},
    {"GetVehicleRightVectorC", 436}, {"VehicleLocalToWorldC", 440}, {"SetTargetActor", 444},
    {"ClearTargetActor", 448}, {"SetBoundingRadius", 452}, {"GetBoundingRadius", 456},
    {"CheckLocationForActors", 460}, {"IsGoalInCorner", 464}, {"IsGoalTooCloseToWall", 468},
    {"ToggleDebuggingInfo", 472}, {"Carry", 476}, {"LetGo", 480}, {"GetDistanceOnPathToGoal", 492},
    {"SetVehicleOrientationC", 496}, {"RemoveVehicle", 500}, {"GetLastSteeringState", 508}, {"TranslateToAnim", 512},
    {"ShowExclamationIcon", 516}, {"EnableUFG", 520}, {"GetVehicle", 524}, {"SetAmbulanceOrientation", 528},
    {"AmbulanceLocalToWorld", 532}, {"OpenActorPatientMenu", 536}, {"ReleaseGambit", 540},
    {"SetSlowingDistance", 544}, {"GetSlowingDistance", 548}, {"ShowTalkIcon", 552}, {"GetMass", 556},
    {"SetMass", 560}, {"GetPathfollowingPredictionDistance", 564}, {"SetPathfollowingPredictionDistance", 568},
    {"GetVehicleType", 572}, {"OpenPatientToolTip", 576}, {"SetTargetNode", 580}, {"EnableIdles", 584},
    {"IdlesEnabled", 588}, {"ActorTextDrawing", 592}, {"StreamVehiclesOut", 596}, {"StreamVehiclesIn", 600},
    {"RemoveAllVehicles", 604}, {"GetVehicleN", 608}, {"GetVehicleIndex", 612}, {"ActorWrapperStreamInBind", 616},
    {"RetrieveHead", 620}, {"SendGossip", 624}, {"SetVehicleObject", 644}, {"CreateAmbulance", 648}, {"SetVM", 652},
    {"GetVehicleMovementState", 656}, {"CaptureVehicleMovementState", 660}, {"ReleaseVehicleMovementState", 664},
    {"ShowPerkIcon", 668}, {"SetPlayer", 672}, {"SetVehicleZone", 676}, {"Hide", 680}, {"Show", 684},
    {"IsVisible", 688}, {"GetFloor", 692}, {"ResetAmbulance", 696}, {"UnhookAttachments", 700},
    {"HookAttachments", 704}, {"Reset", 712}, {"ResetStates", 716}, {"GetVehicleNode", 720},
    {"ResetGurneyLocalSpace", 724}, {"SetDriverOutAmbulance", 728}, {"GetLookAtPoint", 736}, {"EnableLookAt", 740},
};

std::map<std::string, uint32_t> HeaderSlots() {
  std::map<std::string, uint32_t> slots;
#define ACTOR_TEST_SLOT(name, offset, ...) slots[#name] = offset;
  KIVO_ACTOR_METHODS(ACTOR_TEST_SLOT)
#undef ACTOR_TEST_SLOT
  return slots;
}

TEST(ActorMethodTable, TheHeaderKeepsEveryPublishedOffsetAndGivesEachMethodItsOwn) {
  ASSERT_EQ(kPublished.size(), 119u);
  const std::map<std::string, uint32_t> slots = HeaderSlots();
  EXPECT_EQ(slots.size(), 175u);
  for (const auto& [name, offset] : kPublished) EXPECT_EQ(slots.at(name), offset) << name;
  std::set<uint32_t> offsets;
  for (const auto& [name, offset] : slots) {
    EXPECT_TRUE(offsets.insert(offset).second) << name << " shares " << offset;
    EXPECT_EQ(offset % 4, 0u) << name;
    EXPECT_LT(offset, calls::kSlotTableSize) << name;
  }
  EXPECT_EQ(calls::kSlotTableSize, 744u);
  // The methods without a published offset take the lowest free ones.
  EXPECT_EQ(slots.at("Create"), 0u);
  EXPECT_EQ(slots.at("InitPlayerC"), 12u);
  EXPECT_EQ(slots.at("CanMove"), 368u);
}

using ActorDefinition = tesk::testing::StagedDefinition;

TEST_F(ActorDefinition, EveryRecordTakesItsOffsetFromTheHeader) {
  const RTComponentDef* definition = Definition("RTTeskActor");
  ASSERT_NE(definition, nullptr);
  EXPECT_EQ(std::u16string(definition->fpParentClassName), kivo::varno_controller::kClassName);
  EXPECT_EQ(definition->objectSize, 88u);
  EXPECT_EQ(definition->singleton, 0u);
  const std::map<std::string, uint32_t> slots = HeaderSlots();
  std::map<std::string, int> seen;
  size_t records = 0;
  for (const RTMethodRecord* record = definition->methods; record->name; ++record, ++records) {
    const std::string name = platform::ToUtf8(record->name);
    ++seen[name];
    EXPECT_EQ(record->slotOffset, slots.at(name)) << name;
    EXPECT_EQ(std::u16string(record->returnType), u"RTSuccess") << name;
    const bool drawing = name == "ActorDrawing" || name == "ActorTextDrawing";
    EXPECT_EQ(std::u16string(record->parameters),
              drawing ? u"RTInstance ahCameraNode, RTTeskActorWrapper in apWrapper" : u"")
        << name;
  }
  EXPECT_EQ(records, 176u);
  EXPECT_EQ(seen.size(), 175u);
  EXPECT_EQ(seen["CheckLocationForActors"], 2);
}

}  // namespace
