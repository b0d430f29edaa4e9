// The game component through the real core: its definition and parent level, construction and
// properties, the clock, Main, Startup's skeleton, the world teardown, the registries and pause.
#include <bit>
#include <cstring>

#include "game_fixture.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/audio/audio_service_calls.h"
#include "kivo/varno_game/varno_game_calls.h"
#include "patient_entry.h"
#include "platform/clock.h"
#include "search_paths.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
using tesk::game::GamePrivateData;

constexpr uint64_t kTicksPerMs = platform::kTicksPerSecond / 1000;

void AdvanceMs(uint32_t ms) { platform::AdvanceClock(ms * kTicksPerMs); }

int32_t GetOption(int32_t id, int32_t* value) {
  *value = id == 9 ? 12 : 0;
  return 1;
}
int32_t SetOption(int32_t, int32_t) { return 1; }

class Game : public GameTest {};

TEST_F(Game, RecordsSitAtTheHeaderOffsetsAndMainReachesTheGameThroughItsParentLevel) {
  RTMethodRecord* record = nullptr;
  ASSERT_TRUE(core().FindMethod(nullptr, game(), u"GetPathfindingObject", &record));
  EXPECT_EQ(record->slotOffset, game::kGetPathfindingObject);
  ASSERT_TRUE(core().FindMethod(nullptr, game(), u"SetMainWindowHandle", &record));
  EXPECT_EQ(record->slotOffset, 0x20u);
  EXPECT_EQ(record->overrides, 1u);
  // The parent's own Main would succeed; the game's refuses an argument.
  Cell argument = NumberCell(1);
  Cell result{};
  EXPECT_EQ(kivo::CallMethod(game(), kivo::varno_game::kLevel, kivo::varno_game::kMain, nullptr, 1u, &argument, &result,
                             vm()),
            kRTFailure);
  EXPECT_EQ(Logged("RTTeskGame::Main()... Too many parameters sent in"), 1u);
}

TEST_F(Game, ConstructionLogsInOrderAndSetsItsDefaults) {
  const std::vector<std::string> expected = {"Creating RTTeskActor", "Creating RTVarno", "Creating RTTeskTimer",
                                             "Done Creating Private Data"};
  size_t next = 0;
  for (const std::string& line : LogLines())
    if (next < expected.size() && line.find(expected[next]) != std::string::npos) ++next;
  EXPECT_EQ(next, expected.size());
  const GamePrivateData& g = record();
  EXPECT_EQ(g.gameClock, 0.0);
  EXPECT_EQ(g.timeDilation, 1.0);
  EXPECT_FLOAT_EQ(g.cameraZoom, 8.1f);
  EXPECT_FLOAT_EQ(g.cameraHeight, 0.95f);
  EXPECT_EQ(g.ScreenMode, 3);
  EXPECT_EQ(g.frontEndActive, -1);
  EXPECT_EQ(g.returnToFrontEnd, 1u);
  EXPECT_EQ(g.scenarioIndex, -1);
  EXPECT_EQ(std::bit_cast<uint32_t>(g.miniMapScale), 0x3EE8B439u);
  EXPECT_FLOAT_EQ(g.freeCamera.axes[game::kPitchAxis].position, -0.7853982f);
  EXPECT_EQ(g.roomAmbience->entryCount, 38u);
  EXPECT_NE(g.audioService, nullptr);
}

TEST_F(Game, PropertiesCopyTheirBytesAndLeaveTheirNeighbours) {
  struct Case {
    const char16_t* name;
    size_t bytes;
  };
  for (const Case& c : {Case{u"FogStart", 4}, Case{u"FogColor", 16}, Case{u"MiniMapScale", 4},
                        Case{u"MiniMapCenter", 16}, Case{u"CameraHeight", 4}}) {
    RTPropertyRecord* property = nullptr;
    ASSERT_TRUE(core().FindProperty(nullptr, game(), c.name, &property));
    unsigned char in[20];
    std::memset(in, 0x5A, sizeof in);
    auto set = reinterpret_cast<RTSuccess (*)(RTInstance, const void*)>(property->setter);
    auto get = reinterpret_cast<RTSuccess (*)(RTInstance, void*)>(property->getter);
    ASSERT_EQ(set(game(), in), kRTSuccess);
    unsigned char out[20];
    std::memset(out, 0, sizeof out);
    ASSERT_EQ(get(game(), out), kRTSuccess);
    for (size_t i = 0; i < sizeof out; ++i) EXPECT_EQ(out[i], i < c.bytes ? 0x5A : 0) << "byte " << i;
  }
}

TEST_F(Game, TheClockFollowsResetsSetsDilationPausesAndTheWrap) {
  GamePrivateData& g = record();
  g.gameObject = NewProbe();
  Cell time{};
  ASSERT_TRUE(CallScript(game::kResetGameTime));
  ASSERT_TRUE(CallScript(game::kGetCurrentTime, {}, &time));
  EXPECT_EQ(time.value.real, 0.0f);

  ASSERT_TRUE(CallScript(game::kSetGameTime, {RealCell(10.0f)}));
  CallScript(game::kGetCurrentTime, {}, &time);
  EXPECT_EQ(time.value.real, 20.0f);
  CallScript(game::kGetGameTime, {}, &time);
  EXPECT_EQ(time.value.real, 10.0f);
  const std::vector<std::string> lines = LogLines();
  const auto script = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return l.find("GAME TIME SET TO (in VARNO Code): 10.000000") != std::string::npos;
  });
  ASSERT_NE(script, lines.end());
  EXPECT_NE(std::find_if(script, lines.end(),
                         [](const std::string& l) {
                           return l.find("GAME TIME SET TO (in C Code): 10.000000") != std::string::npos;
                         }),
            lines.end());

  ASSERT_TRUE(CallScript(game::kResetGameTime));
  g.timeDilation = 2.0;
  AdvanceMs(40);
  ASSERT_TRUE(CallScript(game::kMain));
  EXPECT_NEAR(g.gameClock, 0.08, 1e-12);

  g.paused = 1;
  AdvanceMs(500);
  CallScript(game::kMain);
  g.paused = 0;
  CallScript(game::kMain);
  EXPECT_NEAR(g.gameClock, 0.08, 1e-12) << "a pause adds nothing and no jump follows";

  g.timeDilation = 1.0;
  CallScript(game::kSetRelativeTimeDilation, {RealCell(0.5f)});
  CallScript(game::kSetRelativeTimeDilation, {RealCell(0.5f)});
  EXPECT_EQ(g.timeDilation, 0.25);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kResetC));
  EXPECT_EQ(g.timeDilation, 1.0);

  const double kept = g.gameClock;
  AdvanceMs(100);
  EXPECT_EQ(CallScript(game::kMain, {NumberCell(1)}), kRTFailure);
  EXPECT_EQ(g.gameClock, kept);
}

TEST_F(Game, StartupRefusesArgumentsRunsItsSkeletonOnceAndReadsTheClockOption) {
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kSetOptionCallbacks, SetOption, GetOption));
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kSetMainWindowHandle, static_cast<void*>(nullptr),
                               uint32_t{kWidth}, uint32_t{kHeight}));
  EXPECT_EQ(CallScript(game::kStartup, {NumberCell(1)}), kRTFailure);
  EXPECT_EQ(Logged("RTTeskGame::Startup()... Too many parameters sent in"), 1u);
  EXPECT_EQ(record().lists.actorList, nullptr) << "nothing before the audio device";

  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess);
  const std::vector<std::string> expected = {
      "In Startup()...",       "[Polyline before]**** Heap:",   "[Polyline after]",
      "[Polyline after free]", "RTTeskActor.CreateAmbulance()", "Startup()... Loaded the ambulance"};
  size_t next = 0;
  std::string firstHeap;
  for (const std::string& line : LogLines()) {
    if (firstHeap.empty() && line.find("[Polyline before]") != std::string::npos) firstHeap = line;
    if (next < expected.size() && line.find(expected[next]) != std::string::npos) ++next;
  }
  EXPECT_EQ(next, expected.size());
  uint32_t blocks = 0, bytes = 0, symbols = 0, dBlocks = 0, dBytes = 0, dSymbols = 0;
  ASSERT_EQ(std::sscanf(firstHeap.c_str(),
                        "[Polyline before]**** Heap: %u blocks, %u bytes, %u symbols. Delta: %u blocks, %u bytes, %u "
                        "symbols",
                        &blocks, &bytes, &symbols, &dBlocks, &dBytes, &dSymbols),
            6);
  EXPECT_EQ(std::make_tuple(blocks, bytes, symbols), std::make_tuple(dBlocks, dBytes, dSymbols));
  EXPECT_EQ(record().clockStyle, 0u) << "option 9 = 12 clears the 24-hour flag";

  kivo::List* actors = record().lists.actorList;
  RTTeskActorWrapper wrapper{};
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kAddActor, &wrapper));
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess);
  EXPECT_EQ(record().lists.actorList, actors);
  EXPECT_EQ(actors->count, 1u);
  kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, &wrapper);
}

TEST_F(Game, TheWorldTeardownResetsScreensMinimapCameraAndActors) {
  struct Case {
    uint8_t mode;
    int32_t argument;
    uint8_t modeAfter;
    int32_t frontEndAfter;  // the reset inside the teardown reopens the front end when asked
  };
  ASSERT_TRUE(kivo::ListCreate(&record().lists.actorList));
  for (const Case& c : {Case{5, 0, 5, 7}, Case{5, 1, 3, -1}, Case{9, 1, 9, -1}, Case{9, 0, 9, 7}}) {
    GamePrivateData& g = record();
    g.ScreenMode = c.mode;
    g.frontEndActive = 7;
    g.miniMapCenter[2] = 3.0f;
    g.fadeColor[0] = 0.25f;
    ASSERT_TRUE(CallScript(game::kResetWorld, {NumberCell(c.argument)}));
    EXPECT_EQ(g.ScreenMode, c.modeAfter) << int(c.mode) << " " << c.argument;
    EXPECT_EQ(g.frontEndActive, c.frontEndAfter) << int(c.mode) << " " << c.argument;
    EXPECT_EQ(g.returnToFrontEnd, 1u);
    EXPECT_EQ(std::bit_cast<uint32_t>(g.miniMapScale), 0x3EE8B439u);
    EXPECT_EQ(g.miniMapCenter[0], -1.0f);
    EXPECT_EQ(g.miniMapCenter[1], -10.0f);
    EXPECT_EQ(g.miniMapCenter[2], 3.0f);
    EXPECT_EQ(g.freeCamera.axes[game::kZoomAxis].position, 7.0f);
    EXPECT_EQ(g.freeCamera.axes[game::kPitchAxis].position, -0.7853982f);
    EXPECT_EQ(g.fadeTarget[0], 0.25f);
  }
  // Each actor's script object loses its native reference, and no other object does: a collector
  // run then takes the two actors' objects, and the third only once its holder lets it go. The
  // list goes before the actor component hears of it, once.
  const auto symbolsLeft = [&] {
    uint32_t count = 0;
    EXPECT_TRUE(scripting::VMCollectorCollect(varno(), vm()));
    EXPECT_TRUE(scripting::VMCollectorGetSymbolCount(varno(), vm(), &count));
    return count;
  };
  scripting::Symbol held = NewProbe();
  ASSERT_TRUE(scripting::CollectorReferenceObjectC(varno(), held));
  RTTeskActorWrapper first{};
  RTTeskActorWrapper second{};
  first.ScriptObject = NewProbe();
  second.ScriptObject = NewProbe();
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kAddActor, &first));
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kAddActor, &second));
  const uint32_t allThree = symbolsLeft();
  const std::string kAfterTheList = "RTTeskActor.FreeWorld() after the game's actor list is gone";
  const size_t freed = Logged(kAfterTheList);
  ASSERT_TRUE(CallScript(game::kShutDown));
  EXPECT_EQ(Logged(kAfterTheList), freed + 1);
  EXPECT_EQ(Logged("RTTeskActor.FreeWorld() while the game holds its actor list"), 0u);
  EXPECT_EQ(record().lists.actorList->count, 0u);
  const uint32_t heldOnly = symbolsLeft();
  ASSERT_TRUE(scripting::CollectorReleaseObjectC(varno(), held));
  const uint32_t none = symbolsLeft();
  EXPECT_GT(heldOnly, none);
  EXPECT_EQ(allThree - heldOnly, 2 * (heldOnly - none));
  ASSERT_TRUE(CallScript(game::kShutDown)) << "a second shutdown finds an empty list";
  EXPECT_EQ(record().lists.actorList->count, 0u);
}

TEST_F(Game, TheAdvanceCountsTheUnsignedMillisecondsAcrossTheCounterWrap) {
  GamePrivateData& g = record();
  g.gameObject = NewProbe();
  AdvanceMs(0x10);
  uint32_t now = 0;
  core().GetTime(nullptr, &now);
  ASSERT_EQ(now, 0x10u);
  g.lastTick = 0xFFFFFFF0u;
  ASSERT_TRUE(CallScript(game::kMain));
  EXPECT_NEAR(g.gameClock, 0.032, 1e-12);
}

TEST(SearchPaths, SplitAtSemicolonsSkippingBlanksAfterThem) {
  using V = std::vector<std::u16string>;
  EXPECT_EQ(tesk::game::SplitSearchPaths(u"a; b; "), (V{u"a/", u"b/", u"/"}));
  EXPECT_EQ(tesk::game::SplitSearchPaths(u"a;;  b"), (V{u"a/", u"b/"}));
  EXPECT_EQ(tesk::game::SplitSearchPaths(u"classes"), (V{u"classes/"}));
}

class Registries : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    for (kivo::List** list : {&record().lists.actorList, &record().lists.doctorList, &record().lists.newbieList,
                              &record().lists.staffList, &record().lists.patientList, &record().lists.rosterList})
      ASSERT_TRUE(kivo::ListCreate(list));
  }
  // A registered actor of a new probe object.
  RTTeskActorWrapper* NewActor(const char16_t* lastName = u"") {
    wrappers_.push_back(std::make_unique<RTTeskActorWrapper>());
    RTTeskActorWrapper* wrapper = wrappers_.back().get();
    wrapper->ScriptObject = NewProbe();
    SetText(static_cast<scripting::Symbol>(wrapper->ScriptObject), u"lastName", lastName);
    EXPECT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kAddActor, wrapper));
    return wrapper;
  }
  // What the actor component does when an actor's script object goes: the game forgets the
  // wrapper, then the wrapper is freed.
  void DestroyActor(RTTeskActorWrapper* wrapper) {
    ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, wrapper));
    std::erase_if(wrappers_, [wrapper](const auto& held) { return held.get() == wrapper; });
  }
  void TearDown() override {
    for (auto& wrapper : wrappers_) kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, wrapper.get());
    GameTest::TearDown();
  }
  std::vector<RTTeskActorWrapper*> Listed(kivo::List* list) {
    std::vector<RTTeskActorWrapper*> listed;
    for (RTTeskActorWrapper* wrapper : kivo::ListItems<RTTeskActorWrapper>(list)) listed.push_back(wrapper);
    return listed;
  }
  std::vector<std::unique_ptr<RTTeskActorWrapper>> wrappers_;
};

TEST_F(Registries, StaffSortByLastNameKeepingArrivalOrderAndEachObjectOnce) {
  record().vm = vm();
  RTTeskActorWrapper* b1 = NewActor(u"B");
  RTTeskActorWrapper* a = NewActor(u"A");
  RTTeskActorWrapper* b2 = NewActor(u"B");
  for (RTTeskActorWrapper* w : {b1, a, b2, a}) ASSERT_TRUE(CallScript(game::kAddStaff, {PointerCell(w->ScriptObject)}));
  EXPECT_EQ(Listed(record().lists.staffList), (std::vector<RTTeskActorWrapper*>{a, b1, b2}));
}

TEST_F(Registries, TheRosterKeepsNamesSortedOnceWhateverTheirCase) {
  for (const char16_t* name : {u"Moss", u"adams", u"MOSS", u"unnamed ACTOR", u"Baker"})
    ASSERT_TRUE(CallScript(game::kAddToRoster, {PointerCell(const_cast<char16_t*>(name))}));
  std::vector<std::u16string> roster;
  for (char16_t* name : kivo::ListItems<char16_t>(record().lists.rosterList)) roster.emplace_back(name);
  EXPECT_EQ(roster, (std::vector<std::u16string>{u"Baker", u"Moss", u"adams"}));
  ASSERT_TRUE(CallScript(game::kClearRoster));
  EXPECT_EQ(record().lists.rosterList->count, 0u);
}

TEST_F(Registries, ActorsRegisterOnceAndLeaveEveryList) {
  RTTeskActorWrapper* player = NewActor();
  RTTeskActorWrapper* other = NewActor();
  EXPECT_EQ(player->AvoidPriority, 0);
  EXPECT_EQ(other->AvoidPriority, -1);
  EXPECT_EQ(record().firstActor, player);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kAddActor, player));
  EXPECT_EQ(player->AvoidPriority, 0) << "a listed wrapper is left as it is";
  EXPECT_EQ(record().lists.actorList->count, 2u);

  ASSERT_TRUE(CallScript(game::kAddDoctor, {PointerCell(other->ScriptObject)}));
  ASSERT_TRUE(CallScript(game::kAddNewbie, {PointerCell(other->ScriptObject)}));
  record().vm = vm();
  ASSERT_TRUE(CallScript(game::kAddStaff, {PointerCell(other->ScriptObject)}));
  EXPECT_EQ(other->AvoidPriority, 1);
  void* entry = nullptr;
  ASSERT_TRUE(core().MemAlloc(nullptr, sizeof(game::PatientListEntry), &entry, 1));
  *static_cast<RTTeskActorWrapper**>(entry) = other;
  kivo::ListAppend(record().lists.patientList, entry);
  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kRemoveActor, other));
  for (kivo::List* list : {record().lists.actorList, record().lists.doctorList, record().lists.newbieList,
                           record().lists.staffList, record().lists.patientList})
    for (void* held : kivo::ListItems<void>(list)) EXPECT_NE(held, other);
  EXPECT_EQ(record().lists.patientList->count, 0u);
  EXPECT_NE(other->ScriptObject, nullptr);
}

TEST_F(Registries, LookupsByObjectPassOverAnActorRemovedAndFreed) {
  record().vm = vm();
  RTTeskActorWrapper* kept = NewActor(u"A");
  RTTeskActorWrapper* gone = NewActor(u"B");
  void* goneObject = gone->ScriptObject;
  // The doctor and newbie lists take an actor twice.
  for (varno::NativeMethodSlot slot : {game::kAddDoctor, game::kAddDoctor, game::kAddNewbie, game::kAddNewbie, game::kAddStaff})
    for (RTTeskActorWrapper* w : {kept, gone}) ASSERT_TRUE(CallScript(slot, {PointerCell(w->ScriptObject)}));
  DestroyActor(gone);
  for (varno::NativeMethodSlot slot : {game::kAddDoctor, game::kAddNewbie, game::kAddStaff, game::kRemoveDoctor, game::kRemoveNewbie})
    ASSERT_TRUE(CallScript(slot, {PointerCell(goneObject)}));
  RTTeskActorWrapper* late = NewActor(u"C");
  ASSERT_TRUE(CallScript(game::kAddStaff, {PointerCell(late->ScriptObject)}));
  ASSERT_TRUE(CallScript(game::kRemoveDoctor, {PointerCell(kept->ScriptObject)}));
  ASSERT_TRUE(CallScript(game::kRemoveNewbie, {PointerCell(kept->ScriptObject)}));
  using Wrappers = std::vector<RTTeskActorWrapper*>;
  EXPECT_EQ(Listed(record().lists.actorList), (Wrappers{kept, late}));
  EXPECT_EQ(Listed(record().lists.doctorList), (Wrappers{kept}));
  EXPECT_EQ(Listed(record().lists.newbieList), (Wrappers{kept}));
  EXPECT_EQ(Listed(record().lists.staffList), (Wrappers{kept, late}));
}

TEST_F(Registries, NodeZeroGivesTheInputBackAndPathfindersTheirCount) {
  RTFVector3D in{1.0f, 2.0f, 3.0f, 4.0f};
  RTFVector3D out{};
  Cell result = PointerCell(&out);
  ASSERT_TRUE(CallScript(game::kNodeLocalToWorld, {NumberCell(0), PointerCell(&in)}, &result));
  EXPECT_EQ(std::make_tuple(out.x, out.y, out.z), std::make_tuple(1.0f, 2.0f, 3.0f));
  EXPECT_EQ(result.value.pointer, &out) << "the result keeps its own block";

  RTInstance planner = reinterpret_cast<RTInstance>(0x1);
  EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kGetPathfindingObject, record().pathfinderCount, &planner),
            kRTFailure);
  EXPECT_EQ(planner, nullptr);
}

// A page names its sender; a page from no object, which has no name, leaves no page, the old one
// gone too. Each
// text keeps the whole seconds of the clock it came at.
TEST_F(Registries, PagesAndSystemMessagesKeepTheLastTextAndItsSecond) {
  GamePrivateData& g = record();
  g.vm = vm();
  g.gameClock = 12.75;
  const scripting::Symbol named = NewProbe();
  SetText(named, u"name", u"Dr. Moss");
  auto page = [&](scripting::Symbol from, const char16_t* text) {
    return CallScript(game::kPage, {PointerCell(from), PointerCell(const_cast<char16_t*>(text))});
  };
  ASSERT_TRUE(page(named, u"Bed 4, please"));
  ASSERT_NE(g.pageText, nullptr);
  EXPECT_EQ(std::u16string(g.pageText), u"Dr. Moss: Bed 4, please");
  EXPECT_EQ(g.pageTime, 12u);
  g.gameClock = 20.0;
  EXPECT_FALSE(page(nullptr, u"from nobody"));
  EXPECT_EQ(g.pageText, nullptr);
  EXPECT_EQ(g.pageTime, 12u);

  ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kSystemMessageC, u"Fire drill"));
  ASSERT_TRUE(CallScript(game::kSystemMessage, {PointerCell(const_cast<char16_t*>(u"Drill over"))}));
  ASSERT_NE(g.systemMessageText, nullptr);
  EXPECT_EQ(std::u16string(g.systemMessageText), u"Drill over");
  EXPECT_EQ(g.systemMessageTime, 20u);
}

TEST_F(Game, PauseAndResumeReachTheGameObjectAndTheServiceOnlyWithASpeechSource) {
  scripting::Symbol object = NewProbe();
  GamePrivateData& g = record();
  g.gameObject = object;
  g.vm = vm();
  ASSERT_TRUE(scripting::VarnoVMSetNewContext(varno(), vm(), object, u"Switchboard", 0));  // hears events
  kivo::CallMethod(game(), game::kLevel, game::kPauseC);
  RunOnePass(object);
  EXPECT_EQ(g.paused, 0u) << "without a speech source nothing happens";
  EXPECT_EQ(Number(object, u"pauses"), 0);

  ASSERT_TRUE(kivo::audio_service::InitDevice(g.audioService));
  ASSERT_TRUE(core().CreateInstanceByString(nullptr, kivo::audio_source::kClassName, &g.speechSource, 0, 1));
  EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kPauseC), kRTSuccess);
  RunOnePass(object);
  EXPECT_EQ(g.paused, 1u);
  EXPECT_EQ(Number(object, u"pauses"), 1);
  EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kUnPauseC), kRTSuccess);
  RunOnePass(object);
  EXPECT_EQ(g.paused, 0u);
  EXPECT_EQ(Number(object, u"resumes"), 1);
}

class WithoutTimer : public GameTest {
 protected:
  std::vector<std::string> LeftOut() const override { return {"RTTeskTimer"}; }
};

TEST_F(WithoutTimer, StartupReportsTheMissingSingletonAndTheRestRunsClean) {
  EXPECT_EQ(record().timer, nullptr);
  record().gameObject = NewProbe();
  EXPECT_EQ(CallScript(game::kStartup), kRTFailure);
  EXPECT_EQ(Logged("RTTeskGame::Startup(): the game has no RTTeskTimer instance and cannot start"), 1u);
  EXPECT_TRUE(CallScript(game::kMain));
  EXPECT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kResetC));
  EXPECT_TRUE(CallScript(game::kShutDown));
}

}  // namespace
