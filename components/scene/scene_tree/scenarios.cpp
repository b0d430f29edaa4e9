// Scenarios: LoadScenarioN registers the rooms of scenario n and disables the registered rooms
// outside it, reference by reference, then refreshes every listed room.
//
// A reference "PATH@N" places the room in scenario n when bit n of N is set (the tag follows the
// last "@", so a room's own name may hold one); bit 15 disables it in scenario 5 even then; an
// untagged reference, and any reference when n is 0xFFFFFFFF or above 9, is in. A room is looked
// up by the path before the tag: in the path table when registered, else fetched by path
// (GetInstanceByName) and registered with AddRoom.
#include <string>
#include <string_view>

#include "kivo/scene/room_calls.h"
#include "kivo/support/raise.h"
#include "kivo/support/wide_string.h"
#include "scene_tree_methods.h"

namespace tesk::scene_tree {

namespace {

using namespace kivo;

constexpr uint32_t kLastScenario = 9;
constexpr uint32_t kDisabledInScenario5 = 1u << 15;

struct Placement {
  bool fetch = true;
  bool disable = false;
};

Placement PlacementIn(const char16_t* tag, uint32_t scenario) {
  Placement placement;
  if (!tag || scenario > kLastScenario) return placement;
  const auto mask = static_cast<uint32_t>(WideStrToInt(tag + 1));
  if ((mask & kDisabledInScenario5) && scenario == 5) placement.disable = true;
  if (!(mask & (1u << scenario))) {
    placement.fetch = false;
    placement.disable = true;
  }
  return placement;
}

void SetScenarioFlags(RTInstance room, bool disable) {
  uint32_t flags = 0;
  room::GetFlags(room, &flags);
  flags = disable ? flags | room::kDisabled : flags & ~room::kDisabled;
  room::SetFlags(room, flags & ~room::kScenarioChanged);
}

}  // namespace

namespace method {

RTSuccess LoadScenarioN(RTInstance self, uint32_t scenario) {
  SceneTreeState* tree = StateOf(self);
  if (!tree) return kRTFailure;
  for (const char16_t* reference : ListItems<char16_t>(tree->roomReferences)) {
    // The tag follows the last "@": a room's own name may hold one ("gym@4031").
    const std::u16string_view whole(reference);
    const size_t at = whole.rfind(u'@');
    const char16_t* tag = at == std::u16string_view::npos ? nullptr : reference + at;
    const std::u16string path(whole.substr(0, at));
    const Placement placement = PlacementIn(tag, scenario);
    if (RTInstance registered = RegisteredRoomAt(*tree, path)) {
      SetScenarioFlags(registered, placement.disable);
      continue;
    }
    if (!placement.fetch) continue;
    RTInstance room = nullptr;
    if (!ModuleCore()->GetInstanceByName(nullptr, path.c_str(), &room, 0)) {
      ModuleCore()->RaiseError(nullptr, u"RTTeskSceneTree::LoadScenarioN(): Unable to load room.", kLevelError);
      continue;
    }
    // AddRoom refuses, with its message, an instance that is no room; only a room is flagged.
    if (ModuleCore()->IsKindOfByName(nullptr, room, room::kClassName)) SetScenarioFlags(room, placement.disable);
    AddRoom(self, room);
    ModuleCore()->ReleaseInstance(nullptr, room);
  }
  for (RTInstance room : ListItems<RTInstanceRecord>(tree->rooms)) {
    room::RefreshNodes(room);
    room::RefreshLights(room);
  }
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::scene_tree
