// The method table of the game's level: the header against the offsets the system publishes (the
// test's own list), and the definition record the library hands the core against the header.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "host/core_host.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"

namespace {

namespace game = tesk::game;

// The offsets the system publishes, by method name: those the program, the scripts and the other
// components call the game at.
const std::map<std::string, uint32_t> kPublished = {
    {"Create", 0x000}, {"Destroy", 0x004}, {"Startup", 0x008}, {"ShutDown", 0x00c}, {"Main", 0x010},
    {"SetMainWindowHandle", 0x020}, {"ResizeMainWindow", 0x024}, {"MouseMove", 0x028}, {"SetInitialMousePos", 0x02c},
    {"MouseClick", 0x03c}, {"GetCurrentTime", 0x044}, {"SetPlayer", 0x048}, {"AddActor", 0x04c},
    {"GetCurrentTimeC", 0x058}, {"GetPathfindingObject", 0x06c}, {"GetActorList", 0x074}, {"GetVM", 0x094},
    {"GetSceneTree", 0x098}, {"RenderAOI", 0x0c0}, {"GetGameTime", 0x0c4}, {"KeyDown", 0x0e4},
    {"GetGameTimeC", 0x0f0}, {"ResetGameTime", 0x110}, {"ResetWorld", 0x174}, {"SetGameTime", 0x1b8},
    {"StartPerkSwap", 472}, {"SetPerkSwapReaction", 476}, {"GetScreenSize", 480}, {"MouseDblClick", 548},
    {"ScreenFadeToColor", 0x2f0}, {"PlayBink", 0x37c}, {"StartRecievePerk", 912}, {"SetMouseCursorCallback", 0x39c},
    {"SetOptionCallbacks", 0x408}, {"SetRegistryCallbacks", 0x40c}, {"MouseWheel", 1044}, {"BinkPlaying", 0x418},
    {"SetIdleCallback", 0x420}, {"ShowHud", 0x430}, {"GetPerkSwapPartner", 1088}, {"ShowPerkSwapHint", 1268},
    {"RefreshSuperPowersC", 1284}, {"SetPendingPerkSwapMode", 1300}, {"ShowPerkSwapHint2", 1364},
    {"DisplayBMPList", 0x588},
};

struct HeaderSlots {
  std::map<std::string, uint32_t> all;
  std::set<std::string> published;
};

HeaderSlots ReadHeader() {
  HeaderSlots slots;
#define GAME_TEST_PUBLISHED(name, offset, ...) slots.all[#name] = offset, slots.published.insert(#name);
#define GAME_TEST_OWN(name, offset, ...) slots.all[#name] = offset;
  TESK_GAME_METHODS(GAME_TEST_PUBLISHED, GAME_TEST_OWN)
#undef GAME_TEST_OWN
#undef GAME_TEST_PUBLISHED
  return slots;
}

TEST(GameMethodTable, TheHeaderKeepsEveryPublishedOffsetAndGivesEachMethodItsOwn) {
  ASSERT_EQ(kPublished.size(), 45u);
  const HeaderSlots slots = ReadHeader();
  EXPECT_EQ(slots.all.size(), size_t{game::kMethodCount});
  for (const auto& [name, offset] : kPublished) {
    ASSERT_EQ(slots.all.count(name), 1u) << name;
    EXPECT_EQ(slots.all.at(name), offset) << name;
  }
  // The header marks as published exactly those.
  std::set<std::string> published;
  for (const auto& [name, offset] : kPublished) published.insert(name);
  EXPECT_EQ(slots.published, published);
  std::set<uint32_t> offsets;
  for (const auto& [name, offset] : slots.all) {
    EXPECT_TRUE(offsets.insert(offset).second) << name << " shares " << offset;
    EXPECT_EQ(offset % 4, 0u) << name;
    EXPECT_LT(offset, game::kResolveSceneHandle) << name;
  }
  EXPECT_EQ(offsets.count(0x3d4), 0u) << "the entry no method takes";
}

using GameDefinition = tesk::testing::StagedDefinition;

TEST_F(GameDefinition, EveryRecordTakesItsOffsetFromTheHeaderAndNoTwoShareOne) {
  const RTComponentDef* definition = Definition("RTTeskGame");
  ASSERT_NE(definition, nullptr);
  const HeaderSlots slots = ReadHeader();
  std::set<uint32_t> offsets;
  size_t records = 0;
  for (const RTMethodRecord* record = definition->methods; record->name; ++record, ++records) {
    const std::string name = platform::ToUtf8(record->name);
    if (name == "ResolveSceneHandle" || name == "IssueSceneHandle") {
      EXPECT_EQ(record->slotOffset, name == "IssueSceneHandle" ? game::kIssueSceneHandle : game::kResolveSceneHandle);
      continue;
    }
    ASSERT_EQ(slots.all.count(name), 1u) << name << " is not in the header";
    EXPECT_EQ(record->slotOffset, slots.all.at(name)) << name;
    EXPECT_TRUE(offsets.insert(record->slotOffset).second) << name << " shares " << record->slotOffset;
  }
  EXPECT_GT(records, 0u);
}

}  // namespace
