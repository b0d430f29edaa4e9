// The notices the script posts: the edict list's order, its panels and texts, active perks,
// curbside requests and replies, hints and the start of perk targeting.
#include <gtest/gtest.h>

#include "game_fixture.h"
#include "notice_forms.h"
#include "notices.h"
#include "platform/utf.h"
#include "tesk/game_slots.h"
#include "widget_tree.h"

namespace gametest {
namespace {

namespace game = tesk::game;
namespace gui = tesk::game::gui;

class Notices : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    if (HasFatalFailure()) return;
    record().vm = vm();
    record().forms.edict = Form({Panel(u"EDICT_NOFIRE_PNL",
                                       {Control<gui::TeskLabel>(u"EDICT_NOFIRE"), Control<gui::TeskLabel>(u"EDICT_NOFIRE_EXP"),
                                        Control<gui::TeskLabel>(u"EDICT_NOFIRE_COLOR"), Control<gui::TeskLabel>(u"EDICT_DESC"),
                                        Control<gui::TeskLabel>(u"EDICT_EXP"), Control<gui::TeskLabel>(u"EDICT_FIRE_STATE"),
                                        Panel(u"EDICT_DESC_PNL", {}), Panel(u"EDICT_FAIL_PNL", {}),
                                        Panel(u"EDICT_COMP_PNL", {})})});
  }
  void AddEdict(const char16_t* title, const char16_t* description, float expiry, int32_t fireable = 0) {
    ASSERT_EQ(CallScript(game::kAddEdict, {TextCell(title), TextCell(description), RealCell(expiry),
                                           NumberCell(fireable), NumberCell(7)}),
              kRTSuccess);
  }
  std::vector<std::string> Titles() {
    std::vector<std::string> titles;
    for (game::EdictEntry* edict : kivo::ListItems<game::EdictEntry>(record().edictList))
      titles.push_back(platform::ToUtf8(edict->title) + (edict->finished ? "*" : ""));
    return titles;
  }
  static std::string Label(const gui::TeskPanel* panel, const char16_t* name) {
    const gui::TeskIWidget* widget = panel->FindWidgetByName(name);
    return widget ? platform::ToUtf8(static_cast<const gui::TeskLabel*>(widget)->GetText()) : "(missing)";
  }
  uint32_t CoreBlocks() {
    uint32_t blocks = 0, bytes = 0;
    EXPECT_TRUE(core().GetMemoryStats(nullptr, &blocks, &bytes));
    return blocks;
  }
  static bool Shown(const gui::TeskPanel* panel, const char16_t* name) {
    return static_cast<const gui::TeskPanel*>(panel->FindWidgetByName(name))->IsVisible() != 0;
  }
};

TEST_F(Notices, EdictsStandByExpiryInArrivalOrderAndClosedOnesMoveBehindTheOpenOnesOnce) {
  AddEdict(u"late", u"d-late", 300.0f);
  AddEdict(u"first", u"d-first", 100.0f);
  AddEdict(u"second", u"d-second", 100.0f);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"first", "second", "late"}));
  record().gameClock = 40.0;
  ASSERT_EQ(CallScript(game::kRemoveEdict, {TextCell(u"D-FIRST"), NumberCell(1)}), kRTSuccess);
  game::EdictEntry* closed = game::FindEdict(record(), u"d-first");
  ASSERT_NE(closed, nullptr);
  EXPECT_FLOAT_EQ(closed->finishTime, 40.0f);
  EXPECT_EQ(closed->failed, 0u);
  EXPECT_TRUE(Shown(closed->panel, u"EDICT_COMP_PNL"));
  EXPECT_FALSE(Shown(closed->panel, u"EDICT_FAIL_PNL"));
  // Added after it closed, a later edict still goes before the closed one.
  AddEdict(u"after", u"d-after", 500.0f);
  EXPECT_EQ(Titles(), (std::vector<std::string>{"after", "first", "second", "late"}));
  // Sorting moves the closed ones, in their order, behind the open ones, once.
  ASSERT_EQ(CallScript(game::kRemoveEdict, {TextCell(u"d-late"), NumberCell(0)}), kRTSuccess);
  game::SortEdictList(record());
  EXPECT_EQ(Titles(), (std::vector<std::string>{"after", "second", "late*", "first*"}));
  game::SortEdictList(record());
  EXPECT_EQ(Titles(), (std::vector<std::string>{"after", "second", "late*", "first*"}));
  const game::EdictEntry* failed = game::FindEdict(record(), u"d-late");
  EXPECT_EQ(failed->failed, 1u);
  EXPECT_EQ(platform::ToUtf8(failed->failReason), "Time Expired");
  EXPECT_TRUE(Shown(failed->panel, u"EDICT_FAIL_PNL"));
}

TEST_F(Notices, AnEdictsPanelShowsItsTextsColourAndCountDown) {
  struct Case {
    float expiry;
    double clock;
    int32_t fireable;
    const char* remaining;
    const char* state;
    float green;
  };
  for (const Case& c : {Case{59.5f, 0.0, 1, "Remaining: 0:59", "Fireable? Yes", 0.5f},
                        Case{71.0f, 20.0, 0, "Remaining: 1:01", "Fireable? No", 1.0f}}) {
    record().gameClock = c.clock;
    AddEdict(u"Title", u"Desc", c.expiry, c.fireable);
    const game::EdictEntry* edict = static_cast<game::EdictEntry*>(record().edictList->last->data);
    ASSERT_NE(edict->panel, nullptr);
    EXPECT_EQ(Label(edict->panel, u"EDICT_NOFIRE_EXP"), c.remaining);
    EXPECT_EQ(Label(edict->panel, u"EDICT_FIRE_STATE"), c.state);
    EXPECT_EQ(Label(edict->panel, u"EDICT_NOFIRE"), "Title");
    EXPECT_EQ(Label(edict->panel, u"EDICT_DESC"), "Desc");
    const auto* colour = static_cast<const gui::TeskLabel*>(edict->panel->FindWidgetByName(u"EDICT_NOFIRE_COLOR"));
    EXPECT_FLOAT_EQ(colour->GetBackgroundColour().g, c.green);
    for (const char16_t* part : {u"EDICT_DESC_PNL", u"EDICT_FAIL_PNL", u"EDICT_COMP_PNL"})
      EXPECT_FALSE(Shown(edict->panel, part));
    EXPECT_FLOAT_EQ(edict->finishTime, -1.0f);
    EXPECT_EQ(edict->extraValue, 7u);
  }
}

TEST_F(Notices, StatusAndFailReasonGoToTheFirstMatchAndTheMarkerLeavesAnEmptyStatus) {
  AddEdict(u"a", u"same", 10.0f);
  AddEdict(u"b", u"same", 20.0f);
  AddEdict(u"c", nullptr, 30.0f);
  ASSERT_EQ(CallScript(game::kUpdateEdictStatus, {TextCell(u"SAME"), TextCell(u"half way")}), kRTSuccess);
  const game::EdictEntry* first = game::FindEdict(record(), u"same");
  EXPECT_EQ(platform::ToUtf8(first->statusText), "half way");
  ASSERT_EQ(CallScript(game::kUpdateEdictStatus, {TextCell(u"same"), TextCell(u".!p@@p!.")}), kRTSuccess);
  EXPECT_EQ(platform::ToUtf8(first->statusText), "");
  ASSERT_EQ(CallScript(game::kSetEdictFailReason, {TextCell(u"same"), TextCell(u"Too slow")}), kRTSuccess);
  EXPECT_EQ(platform::ToUtf8(first->failReason), "Too slow");
  const game::EdictEntry* second = static_cast<game::EdictEntry*>(record().edictList->first->next->data);
  EXPECT_EQ(platform::ToUtf8(second->failReason), "");
  // A null description finds the edict that has none; an unknown one changes nothing.
  ASSERT_EQ(CallScript(game::kRemoveEdict, {PointerCell(nullptr), NumberCell(1)}), kRTSuccess);
  EXPECT_GT(static_cast<game::EdictEntry*>(record().edictList->last->data)->finishTime, -1.0f);
  ASSERT_EQ(CallScript(game::kRemoveEdict, {TextCell(u"nothing"), NumberCell(1)}), kRTSuccess);
  EXPECT_FLOAT_EQ(first->finishTime, -1.0f);
}

TEST_F(Notices, WithoutItsTemplateAnEdictIsAddedWithoutAPanelAndClearingReleasesEverything) {
  AddEdict(u"zero", u"d0", 5.0f);  // the list itself is made by the first edict
  game::ClearEdictList(record());
  const uint32_t before = CoreBlocks();
  AddEdict(u"one", u"d1", 10.0f);
  AddEdict(u"two", u"d2", 20.0f);
  ASSERT_EQ(CallScript(game::kUpdateEdictStatus, {TextCell(u"d1"), TextCell(u"status")}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kRemoveEdict, {TextCell(u"d2"), NumberCell(0)}), kRTSuccess);
  EXPECT_GT(CoreBlocks(), before);
  game::ClearEdictList(record());
  EXPECT_EQ(record().edictList->count, 0u);
  EXPECT_EQ(CoreBlocks(), before) << "texts, panels and entries all released";
  gui::DestroyWidgetTree(record().forms.edict);
  record().forms.edict = nullptr;
  AddEdict(u"bare", u"d3", 10.0f);
  ASSERT_EQ(record().edictList->count, 1u);
  EXPECT_EQ(static_cast<game::EdictEntry*>(record().edictList->first->data)->panel, nullptr);
  ASSERT_EQ(CallScript(game::kRemoveEdict, {TextCell(u"d3"), NumberCell(0)}), kRTSuccess);
}

TEST_F(Notices, PerksMatchTheirNameIgnoringCaseAndActOnTheFirstOnly) {
  for (const char16_t* name : {u"Coffee", u"coffee", u"Golf"})
    ASSERT_EQ(CallScript(game::kAddActivePerk, {TextCell(name), NumberCell(5)}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kUpdateActivePerk, {TextCell(u"COFFEE"), NumberCell(40)}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kRemoveActivePerk, {TextCell(u"golf")}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kRemoveActivePerk, {TextCell(u"nothing")}), kRTSuccess);
  std::vector<std::pair<std::string, uint32_t>> perks;
  for (game::ActivePerkEntry* perk : kivo::ListItems<game::ActivePerkEntry>(record().activePerkList)) {
    perks.emplace_back(platform::ToUtf8(perk->name), perk->currentValue);
    EXPECT_EQ(perk->startValue, 5u);
  }
  EXPECT_EQ(perks, (std::vector<std::pair<std::string, uint32_t>>{{"Coffee", 40}, {"coffee", 0}}));
}

TEST_F(Notices, CurbsideRequestsAreKeptByTheirWholeRequesterAndHintsByTheClock) {
  const scripting::Symbol a = NewProbe();
  const scripting::Symbol b = NewProbe();
  for (scripting::Symbol requester : {a, b, a})
    ASSERT_EQ(CallScript(game::kAddIncomingCurbside, {PointerCell(requester), NumberCell(3)}), kRTSuccess);
  ASSERT_EQ(CallScript(game::kRemoveIncomingCurbside, {PointerCell(a)}), kRTSuccess);
  std::vector<scripting::Symbol> left;
  for (game::IncomingCurbsideEntry* request : kivo::ListItems<game::IncomingCurbsideEntry>(record().curbsideList))
    left.push_back(request->requester);
  EXPECT_EQ(left, (std::vector<scripting::Symbol>{b, a}));
  record().gameClock = 12.5;
  ASSERT_EQ(CallScript(game::kAddGameHint, {TextCell(u"Wash your hands")}), kRTSuccess);
  ASSERT_EQ(record().hintList->count, 1u);
  const auto* hint = static_cast<game::HintEntry*>(record().hintList->first->data);
  EXPECT_EQ(platform::ToUtf8(hint->text), "Wash your hands");
  EXPECT_FLOAT_EQ(hint->createdAt, 12.5f);
}

TEST_F(Notices, PerkTargetingKeepsItsFourArgumentsWhole) {
  const scripting::Symbol target = NewProbe();
  record().perkTargeting.cleared = 9;
  ASSERT_EQ(CallScript(game::kDoPerkTargetting, {PointerCell(target), NumberCell(2), NumberCell(3), NumberCell(4)}),
            kRTSuccess);
  const game::PerkTargeting& targeting = record().perkTargeting;
  EXPECT_EQ(targeting.arguments[0], target);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(targeting.arguments[3]) & 0xFFFFFFFFu, 4u);
  EXPECT_EQ(targeting.cleared, 0u);
  EXPECT_EQ(targeting.active, 1u);
  EXPECT_EQ(targeting.pending, 1u);
}

// The reply pop-up: "Dr. <last name>: <reply>" fitted to its text, its panel at least 50 pixels
// high in the 1024 layout (39 in the 800 one: the layout is the component's skin), shown from the
// clock on.
TEST_F(Notices, ACurbsideReplyFitsItsTextAndShowsFromTheClock) {
  const scripting::Symbol doctor = NewProbe();
  SetText(doctor, u"lastName", u"House");
  record().forms.curbsidePopup = Form({Panel(u"CURB_ACK_PNL", {Control<gui::TeskLabel>(u"CURB_ACK_TXT", 400, 10)}),
                                       Control<gui::TeskIcon>(u"CURB_ACK_HEAD")});
  record().gameClock = 3.0;
  ASSERT_EQ(CallScript(game::kSetCurbsideResponse, {PointerCell(doctor), TextCell(u"Yes.")}), kRTSuccess);
  const gui::TeskForm* popup = record().forms.curbsidePopup;
  const auto* label = static_cast<const gui::TeskLabel*>(popup->FindWidgetByName(u"CURB_ACK_TXT"));
  EXPECT_EQ(platform::ToUtf8(label->GetText()), "Dr. House: Yes.");
  // Without a font the fitted label is one empty line, 24 pixels: the panel takes its least height.
  EXPECT_EQ(label->GetHeight(), 24);
  const int32_t panel = popup->FindWidgetByName(u"CURB_ACK_PNL")->GetHeight();
  EXPECT_TRUE(panel == 50 || panel == 39) << panel;
  EXPECT_EQ(record().curbsideReply.shown, 1u);
  EXPECT_FLOAT_EQ(record().curbsideReply.shownAt, 3.0f);
  EXPECT_EQ(record().curbsideReply.doctor, doctor);
}

}  // namespace
}  // namespace gametest
