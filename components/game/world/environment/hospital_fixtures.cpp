// The main hospital's fixed scene nodes: the security-camera views (resolved once per game, by the
// scenario) and the five shower stalls with their doors.
#include <iterator>
#include <string>

#include "environment.h"
#include "game_context.h"
#include "kivo/support/format.h"
#include "kivo/support/instance_ref.h"

namespace tesk::game {

namespace {

constexpr uint32_t kShowerBuckets = 13;
constexpr uint32_t kScenarioBits = 32;

struct CameraVariant {
  const char16_t* node;
  uint32_t mask;  // the scenarios the variant serves, by bit
};

struct SecurityCameraView {
  CameraVariant variants[2];
  uint32_t variantCount;
  const char16_t* control;  // the security-camera screen's control that shows the view
};

constexpr uint32_t kAll = 0xffff;

constexpr SecurityCameraView kCameraViews[kSecurityCameraCount] = {
    {{{u"cam-exam-1", kAll}}, 1, u"SC_CAM_0"},
    {{{u"cam-trauma-1", kAll}}, 1, u"SC_CAM_1"},
    {{{u"cam-trauma-2", kAll}}, 1, u"SC_CAM_2"},
    {{{u"cam-northhall-1", kAll}}, 1, u"SC_CAM_3"},
    {{{u"cam-triage-3", kAll}}, 1, u"SC_CAM_4"},
    {{{u"cam-mainexam-2", kAll}}, 1, u"SC_CAM_5"},
    {{{u"cam-midhall-1", kAll}}, 1, u"SC_CAM_6"},
    {{{u"cam-elv-lobby-1", kAll}}, 1, u"SC_CAM_7"},
    {{{u"cam-exam-2", kAll}}, 1, u"SC_CAM_8"},
    {{{u"cam-southhall-1", kAll}}, 1, u"SC_CAM_9"},
    {{{u"cam-doctor-lounge", kAll}}, 1, u"SC_CAM_0"},
    {{{u"cam-cafeteria", kAll}}, 1, u"SC_CAM_1"},
    {{{u"cam-gym-unwrecked", 0xff9f}, {u"cam-gym-wrecked", 0x0060}}, 2, u"SC_CAM_2"},
    {{{u"cam-doctor1-office", kAll}}, 1, u"SC_CAM_3"},
    {{{u"cam-doctor2-office", kAll}}, 1, u"SC_CAM_4"},
    {{{u"cam-floor2-nurse", kAll}}, 1, u"SC_CAM_5"},
    {{{u"cam-snowport-2", kAll}, {u"cam-snowport-2", 0x0000}}, 2, u"SC_CAM_0"},
    {{{u"cam-snowport-1", kAll}, {u"cam-snowport-1", 0x0000}}, 2, u"SC_CAM_1"},
};

constexpr const char16_t* kStallNames[kShowerStallCount] = {u"Shower-Stall-01", u"Shower-Stall-02", u"Shower-Stall-03",
                                                            u"Shower-Stall-04", u"Shower-Stall-05"};
constexpr const char16_t* kDoorNames[kShowerStallCount] = {u"Shower-Door-01", u"Shower-Door-02", u"Shower-Door-03",
                                                           u"Shower-Door-04", u"Shower-Door-05"};

std::u16string HospitalNodePath(const char16_t* name) {
  return kivo::Format(u"Root:Tesk:Assets:TeskSceneNodes:%s", name);
}

// Holds the node of the name in the field when there is one.
bool TakeHospitalNode(RTInstance& field, const char16_t* name) {
  kivo::InstanceRef found;
  Core().GetInstanceByName(nullptr, HospitalNodePath(name).c_str(), found.out(), 0);
  if (found.get()) Hold(field, found.get());
  return found.get() != nullptr;
}

// The last variant that serves the scenario; null when none does (a scenario of 16 or more).
const char16_t* ViewNodeFor(const SecurityCameraView& view, uint32_t scenario) {
  const char16_t* chosen = nullptr;
  for (uint32_t i = 0; i < view.variantCount; ++i)
    if (view.variants[i].mask & (1u << (scenario % kScenarioBits))) chosen = view.variants[i].node;
  return chosen;
}

}  // namespace

void ResolveSecurityCameras(GamePrivateData& game) {
  EnvironmentState& environment = game.environment;
  if (environment.cameraViewsResolved) return;
  for (size_t i = 0; i < std::size(kCameraViews); ++i) {
    Release(environment.cameraViews[i]);
    const char16_t* name = ViewNodeFor(kCameraViews[i], static_cast<uint32_t>(game.scenarioIndex));
    if (name && !TakeHospitalNode(environment.cameraViews[i], name)) Report(HospitalNodePath(name));
  }
  environment.cameraViewsResolved = 1;
}

// A stall that cannot be found is left out; its entry waits for a later load.
void SetUpShowerStalls(RTInstance self, GamePrivateData& game) {
  EnvironmentState& environment = game.environment;
  if (environment.showerTable) kivo::HashTableDestroy(environment.showerTable);
  environment.showerTable = nullptr;
  kivo::HashTableCreate(&environment.showerTable, kShowerBuckets, nullptr);
  for (size_t i = 0; i < kShowerStallCount; ++i) {
    ShowerStall& stall = environment.showers[i];
    stall.stallName = kStallNames[i];
    stall.doorName = kDoorNames[i];
    if (!stall.stall) TakeHospitalNode(stall.stall, stall.stallName);
    if (stall.door)
      DoorSwingReset(game, &stall);
    else if (TakeHospitalNode(stall.door, stall.doorName))
      DoorSwingSetup(game, &stall);
    if (!stall.stall) continue;
    SetNodeOutline(self, stall.stall, true);
    kivo::ListAppend(environment.lists.showers, stall.stall);
    kivo::ListAppend(game.highlightProps, stall.stall);
    const uint32_t key = game.sceneHandles ? game.sceneHandles->Issue(stall.stall) : kivo::kNoHandle;
    if (environment.showerTable && key != kivo::kNoHandle) kivo::HashTableInsert(environment.showerTable, key, &stall);
  }
}

}  // namespace tesk::game
