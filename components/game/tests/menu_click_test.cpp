// The click dispatcher over the game's own forms (the resource descriptions of the front end, the
// dialogs and the in-game menu), a started game whose script objects are probes that write down
// the events and calls they hear, and host options kept in a map: the gates, the load and save
// screens over a fake store, the options, the start menu and the start screen, the in-game menu,
// the dialogs pressed where the frame draws them. The descriptions of every centred screen keep
// its panel at the form's origin.
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>

#include "click_routes.h"
#include "form.h"
#include "form_drawing.h"
#include "form_table.h"
#include "game_fixture.h"
#include "list_box.h"
#include "menu_screens.h"
#include "panel.h"
#include "button.h"
#include "edit_box.h"
#include "label.h"
#include "text_box.h"
#include "platform/utf.h"
#include "screen_forms.h"
#include "tesk/game_slots.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace gui = tesk::game::gui;

std::string ReadText(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The forms of the game's resource file that these screens use, by resource name.
const std::pair<const char*, const char*> kRealForms[] = {
    {"MENU_MAIN", "menu_main.json"},
    {"MENU_MAIN_ICONS", "menu_main_icons.json"},
    {"MENU_LOAD", "menu_load.json"},
    {"MENU_SAVE", "menu_save.json"},
    {"MENU_GAME_OPTIONS_SCREEN", "menu_game_options_screen.json"},
    {"MENU_START_GAME", "menu_start_game.json"},
    {"MENU_GENERIC", "menu_generic.json"},
    {"MENU_CONFIRMATION", "menu_confirmation.json"},
    {"MENU_CHAR_SCREEN", "menu_char_screen.json"},
};
constexpr char kTopicsForm[] = R"({"type": "form", "name": "MENU_TOPICS_SCREEN", "width": 1024, "height": 768,
  "children": [{"type": "listbox", "name": "TM_STAFFLIST", "x": 10, "y": 10, "width": 200, "height": 300,
  "rowHeight": 20, "items": [{"text": "stale"}]}]})";

std::map<int32_t, int32_t> gOptions;
int32_t SetOption(int32_t id, int32_t value) {
  gOptions[id] = value;
  return 1;
}
int32_t GetOption(int32_t id, int32_t* value) {
  *value = gOptions.count(id) ? gOptions[id] : 0;
  return 1;
}

// A fake store of saved games: the slots that hold one, by slot, and what was asked of it.
struct FakeStore {
  std::map<int32_t, std::u16string> saves;
  bool saveWorks = true;
  std::vector<std::string> calls;
};
FakeStore gStore;

RTSuccess FakeHeader(game::GamePrivateData&, int32_t slot, game::SaveHeader* header, uint32_t) {
  if (!gStore.saves.count(slot)) return kRTFailure;
  *header = game::SaveHeader{};
  const std::u16string& name = gStore.saves[slot];
  std::copy(name.begin(), name.end(), header->saveName);
  return kRTSuccess;
}
RTSuccess FakeLoad(game::GamePrivateData&, int32_t slot) {
  gStore.calls.push_back("load " + std::to_string(slot));
  return gStore.saves.count(slot) ? kRTSuccess : kRTFailure;
}
RTSuccess FakeSave(game::GamePrivateData&, int32_t slot, const char16_t* name) {
  gStore.calls.push_back("save " + std::to_string(slot) + " " + platform::ToUtf8(name));
  if (!gStore.saveWorks) return kRTFailure;
  gStore.saves[slot] = name;
  return kRTSuccess;
}
RTSuccess FakeDelete(game::GamePrivateData&, int32_t slot) {
  gStore.calls.push_back("delete " + std::to_string(slot));
  return gStore.saves.erase(slot) ? kRTSuccess : kRTFailure;
}

gui::TeskIWidget* Find(gui::TeskForm* form, const char16_t* name) {
  return form ? form->FindWidgetByName(name) : nullptr;
}
template <class W>
W* Typed(gui::TeskForm* form, const char16_t* name, gui::WidgetType type) {
  gui::TeskIWidget* widget = Find(form, name);
  return widget && widget->GetType() == type ? static_cast<W*>(widget) : nullptr;
}
bool Lit(gui::TeskForm* form, const char16_t* name) {
  const gui::TeskButton* button = Typed<gui::TeskButton>(form, name, gui::kWidgetButton);
  return button && button->IsHighlighted();
}

game::LocalTime FourthOfJuly() { return game::LocalTime{2003, 7, 4, 14, 5}; }

class MenuClicks : public GameTest {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = CompleteResources();
    for (const auto& [name, file] : kRealForms)
      for (ResourceItem& item : items)
        if (item.name == name) item.bytes = CompiledForm(ReadText(std::filesystem::path(GAME_FORMS_DIR) / file));
    for (ResourceItem& item : items)
      if (item.name == "MENU_TOPICS_SCREEN") item.bytes = CompiledForm(kTopicsForm);
    return items;
  }

  void SetUp() override {
    GameTest::SetUp();
    GiveWindow(1024, 1024, 768);
    gOptions = {{1, 1024}, {3, 1}, {4, 5}, {5, 5}, {6, 5}, {8, 1}, {9, 12}};
    ASSERT_TRUE(kivo::CallMethod(game(), game::kLevel, game::kSetOptionCallbacks, SetOption, GetOption));
    ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
    gStore = FakeStore{};
    standIns_ = record().menus.saves;
    record().menus.saves = game::SaveCalls{FakeHeader, FakeLoad, FakeSave, FakeDelete};
    record().menus.localTime = FourthOfJuly;
    gameObject_ = NewProbe();
    player_ = NewProbe();
    record().vm = vm();
    record().gameObject = gameObject_;
    record().playerObject = player_;
    SetText(gameObject_, u"heard", u"");
    SetText(player_, u"heard", u"");
    Listen();
  }
  // Each script object has a context that hears its events and holds the arguments of its calls.
  void Listen() {
    for (scripting::Symbol object : {gameObject_, player_})
      ASSERT_TRUE(scripting::VarnoVMSetNewContext(varno(), vm(), object, u"Switchboard", 0));
  }

  // A left press at the middle of the form's named control; the dispatcher's result.
  RTSuccess Press(gui::TeskForm* form, const char16_t* name) {
    const gui::TeskIWidget* control = Find(form, name);
    EXPECT_NE(control, nullptr) << platform::ToUtf8(name);
    if (!control) return 99;
    const int32_t x = control->LocalToAbsoluteX(control->GetX()) + control->GetWidth() / 2;
    const int32_t y = control->LocalToAbsoluteY(control->GetY()) + control->GetHeight() / 2;
    return kivo::CallMethod(game(), game::kLevel, game::kMouseClick, 1u, 0u, x, y);
  }
  // What the game's and the player's script objects heard, once their queued events have run.
  std::string Heard() {
    RunOnePass(gameObject_);
    RunOnePass(player_);
    Listen();
    return Text(gameObject_) + Text(player_);
  }
  std::string Text(scripting::Symbol object) {
    Cell value{};
    if (!scripting::SymbolReadAttribute(varno(), vm(), object, u"heard", scripting::kWholeAttribute, varno::kTypeString,
                                        &value) ||
        !value.value.text)
      return "";
    const std::string text = platform::ToUtf8(value.value.text);
    core().ArrayFree(nullptr, value.value.text);
    return text;
  }
  std::string Label(gui::TeskForm* form, const char16_t* name) {
    const gui::TeskIWidget* widget = Find(form, name);
    if (!widget) return "(none)";
    if (widget->GetType() == gui::kWidgetTextBox)
      return platform::ToUtf8(static_cast<const gui::TeskTextBox*>(widget)->GetText());
    if (widget->GetType() == gui::kWidgetEditBox)
      return platform::ToUtf8(static_cast<const gui::TeskEditBox*>(widget)->GetText());
    return platform::ToUtf8(static_cast<const gui::TeskLabel*>(widget)->GetText());
  }
  bool Shown(gui::TeskForm* form, const char16_t* name) {
    const gui::TeskPanel* panel = Typed<gui::TeskPanel>(form, name, gui::kWidgetPanel);
    return panel && panel->IsVisible();
  }
  uint8_t Mode() { return record().ScreenMode; }
  void SetMode(uint8_t mode, uint8_t previous) {
    record().ScreenMode = mode;
    record().previousScreenMode = previous;
  }
  game::ScreenForms& forms() { return record().forms; }
  // The save screen, opened from the in-game menu over the world.
  void OpenSaveScreen() {
    SetMode(game::ScreenGameMenu, game::ScreenWorld);
    Press(forms().mainMenu, u"SL_SEL_SVG_ICN");
  }
  gui::TeskListBox* List(gui::TeskForm* form, const char16_t* name) {
    return Typed<gui::TeskListBox>(form, name, gui::kWidgetListBox);
  }

  game::SaveCalls standIns_{};  // the game's own save calls, before the fake store
  scripting::Symbol gameObject_ = nullptr;
  scripting::Symbol player_ = nullptr;
};

TEST_F(MenuClicks, PressesWhileLoadingBeforeStartUpOrDuringAMovieDoNothing) {
  struct Gate {
    const char* what;
    void (*close)(game::GamePrivateData& game);
  };
  const Gate gates[] = {
      {"loading", [](game::GamePrivateData& g) { g.library->loading = 1; }},
      {"before start-up", [](game::GamePrivateData& g) { g.library->started = 0; }},
      {"movie", [](game::GamePrivateData& g) { g.moviePlaying = 1; }},
  };
  for (const Gate& gate : gates) {
    SetMode(game::ScreenMainMenu, 0);
    record().library->loading = 0;
    record().library->started = 1;
    record().moviePlaying = 0;
    gate.close(record());
    EXPECT_EQ(Press(forms().mainIcons, u"MS_EG_BTN"), kRTSuccess) << gate.what;
    EXPECT_FALSE(Shown(forms().mainIcons, u"CONFIRM_PANEL")) << gate.what;
  }
  record().library->loading = 0;
  record().library->started = 1;
  record().moviePlaying = 0;
  EXPECT_EQ(Press(forms().mainIcons, u"MS_EG_BTN"), kRTSuccess);
  EXPECT_TRUE(Shown(forms().mainIcons, u"CONFIRM_PANEL"));
}

TEST_F(MenuClicks, TheSlotListHasTenRowsAndTheSaveBoxTheLocalTime) {
  gStore.saves[3] = u"Ward B";
  OpenSaveScreen();
  gui::TeskListBox* list = List(forms().save, u"SS_SSG_LISTBOX");
  ASSERT_EQ(list->ItemCount(), 10u);
  for (uint32_t row = 0; row < 10; ++row)
    EXPECT_EQ(platform::ToUtf8(list->ItemAt(row)->GetText()), row == 3 ? "Ward B" : "Empty") << row;
  EXPECT_EQ(Label(forms().save, u"SS_SSG_EDIT_BOX"), "07-04-03 14:05");
  EXPECT_EQ(record().menus.selectedSaveSlot, -1);

  // The stand-ins know no saved game: every row reads "Empty".
  record().menus.saves = standIns_;
  SetMode(game::ScreenMainMenu, 0);
  Press(forms().mainIcons, u"MS_LG_BTN");
  gui::TeskListBox* load = List(forms().load, u"LS_SSG_LISTBOX");
  ASSERT_EQ(load->ItemCount(), 10u);
  for (uint32_t row = 0; row < 10; ++row) EXPECT_EQ(platform::ToUtf8(load->ItemAt(row)->GetText()), "Empty");
}

TEST_F(MenuClicks, LoadingAnEmptyRowReturnsZeroWhileASaveNamedEmptyLoads) {
  gStore.saves[2] = u"Empty";
  SetMode(game::ScreenMainMenu, 0);
  ASSERT_EQ(Press(forms().mainIcons, u"MS_LG_BTN"), kRTSuccess);
  ASSERT_EQ(Mode(), game::ScreenLoad);
  EXPECT_EQ(Press(forms().load, u"LS_LOAD"), kRTSuccess) << "no row selected";
  List(forms().load, u"LS_SSG_LISTBOX")->SetSelectedIndex(1);
  EXPECT_EQ(Press(forms().load, u"LS_LOAD"), kRTFailure);
  EXPECT_TRUE(gStore.calls.empty());
  List(forms().load, u"LS_SSG_LISTBOX")->SetSelectedIndex(2);
  EXPECT_EQ(Press(forms().load, u"LS_LOAD"), kRTSuccess);
  EXPECT_EQ(gStore.calls, std::vector<std::string>{"load 2"});
  // A failed load shows its message over the load screen.
  List(forms().load, u"LS_SSG_LISTBOX")->SetSelectedIndex(2);
  gStore.saves.clear();
  List(forms().load, u"LS_SSG_LISTBOX")->ItemAt(2)->SetData(1);
  Press(forms().load, u"LS_LOAD");
  EXPECT_EQ(Mode(), game::ScreenConfirmation);
  EXPECT_EQ(Label(forms().confirmation, u"TEXT_BOX"), "Load Game failed!");
  EXPECT_EQ(Logged("Couldn't load game!"), 1u);
}

TEST_F(MenuClicks, SavingWithoutARowAsksForOneAndItsOkReturnsToTheSaveScreen) {
  OpenSaveScreen();
  ASSERT_EQ(Mode(), game::ScreenSave);
  ASSERT_EQ(record().previousScreenMode, game::ScreenGameMenu);
  EXPECT_EQ(Press(forms().save, u"SS_SAVE"), kRTSuccess);
  EXPECT_EQ(Mode(), game::ScreenConfirmation);
  EXPECT_EQ(Label(forms().confirmation, u"TEXT_BOX"), "You must select a save slot in order to save.");
  Press(forms().confirmation, u"OK");
  EXPECT_EQ(Mode(), game::ScreenSave);
  EXPECT_EQ(record().previousScreenMode, game::ScreenGameMenu) << "the save screen keeps its own previous mode";
  EXPECT_EQ(Heard(), "GenericConfirmationInput;");
}

TEST_F(MenuClicks, AnEmptySlotSavesAtOnceAUsedOneAsksFirst) {
  gStore.saves[4] = u"Old";
  OpenSaveScreen();
  gui::TeskListBox* list = List(forms().save, u"SS_SSG_LISTBOX");
  list->SetSelectedIndex(1);
  Press(forms().save, u"SS_SAVE");
  EXPECT_EQ(gStore.calls, std::vector<std::string>{"save 1 07-04-03 14:05"});
  EXPECT_EQ(Mode(), game::ScreenGameMenu);

  OpenSaveScreen();
  gStore.calls.clear();
  list->SetSelectedIndex(4);
  Press(forms().save, u"SS_SAVE");
  EXPECT_TRUE(gStore.calls.empty());
  EXPECT_TRUE(Shown(forms().save, u"CONFIRM_PANEL"));
  EXPECT_EQ(Label(forms().save, u"CONFIRM_TEXT"), "This will overwrite a saved game.  Do you want to continue?");
  Press(forms().save, u"CONFIRM_YES");
  EXPECT_EQ(gStore.calls, std::vector<std::string>{"save 4 07-04-03 14:05"}) << "any text but the delete question saves";
  EXPECT_FALSE(Shown(forms().save, u"CONFIRM_PANEL"));
}

TEST_F(MenuClicks, ConfirmYesDeletesOnlyOnTheExactDeleteQuestion) {
  gStore.saves[5] = u"Five";
  OpenSaveScreen();
  gui::TeskListBox* list = List(forms().save, u"SS_SSG_LISTBOX");
  list->SetSelectedIndex(5);
  Press(forms().save, u"SS_SSG_DEL_BTN");
  EXPECT_EQ(Label(forms().save, u"CONFIRM_TEXT"), "Are you sure you want to delete this saved game?");
  Press(forms().save, u"CONFIRM_YES");
  EXPECT_EQ(gStore.calls, std::vector<std::string>{"delete 5"});
  EXPECT_EQ(platform::ToUtf8(list->ItemAt(5)->GetText()), "Empty");
  EXPECT_EQ(list->GetSelectedIndex(), -1);
}

TEST_F(MenuClicks, AFailedSaveShowsItsMessageAndDeletesNothing) {
  gStore.saves[6] = u"Kept";
  gStore.saveWorks = false;
  OpenSaveScreen();
  List(forms().save, u"SS_SSG_LISTBOX")->SetSelectedIndex(6);
  Press(forms().save, u"SS_SAVE");
  Press(forms().save, u"CONFIRM_YES");
  EXPECT_EQ(gStore.calls, std::vector<std::string>{"save 6 07-04-03 14:05"});
  EXPECT_EQ(gStore.saves[6], u"Kept");
  EXPECT_EQ(Mode(), game::ScreenConfirmation);
  EXPECT_EQ(Label(forms().confirmation, u"TEXT_BOX"), "Save Game failed!");
  EXPECT_EQ(Logged("Couldn't save game!"), 1u);
}

struct OptionsCase {
  const char* what;
  std::vector<const char16_t*> presses;
  bool restart;
  std::map<int32_t, int32_t> stored;  // options expected afterwards
};

TEST_F(MenuClicks, OptionsApplyAloneOrAskForARestart) {
  const OptionsCase cases[] = {
      {"clock", {u"GO_VID_32BIT"}, false, {{9, 24}}},
      {"subtitles", {u"GO_VID_OFF"}, false, {{8, 0}}},
      {"volumes", {u"GO_AUD_SLDR_EFV_SLDR"}, false, {{1, 1024}, {3, 1}, {5, 5}}},
      {"width", {u"GO_VID_800"}, true, {{1, 800}}},
      {"driver", {u"GO_VID_SOFT"}, true, {{3, 0}}},
  };
  for (const OptionsCase& c : cases) {
    gOptions = {{1, 1024}, {3, 1}, {4, 5}, {5, 2}, {6, 5}, {8, 1}, {9, 12}};
    for (const char16_t* pair : {u"GO_VID_HARD", u"GO_VID_SOFT", u"GO_VID_1024", u"GO_VID_800", u"GO_VID_32BIT",
                                 u"GO_VID_16BIT", u"GO_VID_ON", u"GO_VID_OFF"})
      Typed<gui::TeskButton>(forms().gameOptions, pair, gui::kWidgetButton)->SetHighlighted(0);
    SetMode(game::ScreenMainMenu, 0);
    Press(forms().mainIcons, u"MS_GO_BTN");
    ASSERT_EQ(Mode(), game::ScreenOptions) << c.what;
    for (const char16_t* press : c.presses) Press(forms().gameOptions, press);
    Press(forms().gameOptions, u"GO_OK");
    for (const auto& [id, value] : c.stored) EXPECT_EQ(gOptions[id], value) << c.what << " option " << id;
    if (!c.restart) {
      EXPECT_EQ(Mode(), game::ScreenMainMenu) << c.what;
      continue;
    }
    ASSERT_EQ(Mode(), game::ScreenConfirmation) << c.what;
    EXPECT_EQ(Label(forms().confirmation, u"TEXT_BOX"), "The game must be restarted for your changes to take effect.");
    Press(forms().confirmation, u"OK");
    EXPECT_EQ(Mode(), game::ScreenWorld) << c.what;
  }
}

TEST_F(MenuClicks, CancelPutsTheOptionsBackAndALitPairIsLeftAsItIs) {
  SetMode(game::ScreenMainMenu, 0);
  Press(forms().mainIcons, u"MS_GO_BTN");
  EXPECT_TRUE(Lit(forms().gameOptions, u"GO_VID_16BIT"));
  Press(forms().gameOptions, u"GO_VID_32BIT");
  Press(forms().gameOptions, u"GO_CANCEL");
  EXPECT_EQ(Mode(), game::ScreenMainMenu);
  EXPECT_TRUE(Lit(forms().gameOptions, u"GO_VID_16BIT"));
  EXPECT_FALSE(Lit(forms().gameOptions, u"GO_VID_32BIT"));
  EXPECT_EQ(gOptions[9], 12);

  // The pair already lit keeps its choice whatever the option says.
  gOptions[9] = 24;
  SetMode(game::ScreenMainMenu, 0);
  Press(forms().mainIcons, u"MS_GO_BTN");
  EXPECT_TRUE(Lit(forms().gameOptions, u"GO_VID_16BIT"));
}

TEST_F(MenuClicks, BehindTheExitQuestionOnlyYesAndNoAct) {
  SetMode(game::ScreenMainMenu, 0);
  Press(forms().mainIcons, u"MS_EG_BTN");
  ASSERT_TRUE(Shown(forms().mainIcons, u"CONFIRM_PANEL"));
  Press(forms().mainIcons, u"MS_GO_BTN");
  Press(forms().mainIcons, u"MS_NG_BTN");
  EXPECT_EQ(Mode(), game::ScreenMainMenu);
  Press(forms().mainIcons, u"CONFIRM_NO");
  EXPECT_FALSE(Shown(forms().mainIcons, u"CONFIRM_PANEL"));
  Press(forms().mainIcons, u"MS_EG_BTN");
  Press(forms().mainIcons, u"CONFIRM_YES");
  EXPECT_EQ(Heard(), "DoExit;");
}

TEST_F(MenuClicks, ANewGameGoesThroughTheCharacterScreenToTheStartScreen) {
  SetMode(game::ScreenMainMenu, 0);
  Press(forms().mainIcons, u"MS_NG_BTN");
  EXPECT_EQ(Mode(), game::ScreenCharCreate);
  Press(forms().characterScreen, u"CD_CANCEL");
  EXPECT_EQ(Mode(), game::ScreenMainMenu);
  Press(forms().mainIcons, u"MS_NG_BTN");
  Press(forms().characterScreen, u"CD_OK");
  EXPECT_EQ(Mode(), game::ScreenStartGame);
  Press(forms().startGame, u"SG_DIF_HARD_BTN");
  EXPECT_EQ(Label(forms().startGame, u"SG_DIF_DES"),
            "This setting offers significant challenges fit for attending doctors.  Are you up to it?");
  EXPECT_TRUE(Lit(forms().startGame, u"SG_DIF_HARD_BTN"));
  EXPECT_EQ(Text(gameObject_), "SetDifficulty 2;") << "run at once";
  record().frontEndActive = -1;
  Press(forms().startGame, u"SG_GO");
  EXPECT_EQ(Mode(), game::ScreenWorld);
  EXPECT_EQ(record().frontEndActive, 0);
  EXPECT_EQ(Heard(), "SetDifficulty 2;StartEpisode 1;");
}

TEST_F(MenuClicks, TheInGameMenuAsksByScenarioAndIgnoresResumeWhileItAsks) {
  scripting::Symbol persistents = NewProbe();
  ASSERT_TRUE(scripting::ArgPushObject(varno(), vm(), persistents));
  ASSERT_TRUE(scripting::RunMethodByName(varno(), vm(), gameObject_, u"KeepPersistents", 1));
  scripting::ArgPopStack(varno(), vm());
  for (int32_t scenario : {0, 1}) {
    SetNumber(persistents, u"scenario", scenario);
    SetMode(game::ScreenGameMenu, game::ScreenWorld);
    record().menuReturnScreenMode = game::ScreenWorld;
    Press(forms().mainMenu, u"MM_SEL_EXG_ICN");
    const char16_t* asked = scenario == 0 ? u"TQ_DROP" : u"CONFIRM_PANEL";
    const char16_t* other = scenario == 0 ? u"CONFIRM_PANEL" : u"TQ_DROP";
    EXPECT_TRUE(Shown(forms().mainMenu, asked)) << scenario;
    EXPECT_FALSE(Shown(forms().mainMenu, other)) << scenario;
    Press(forms().mainMenu, u"MM_RES");
    EXPECT_EQ(Mode(), game::ScreenGameMenu) << "ignored while the question shows";
    Press(forms().mainMenu, scenario == 0 ? u"TQ_CANCEL" : u"CONFIRM_NO");
    EXPECT_FALSE(Shown(forms().mainMenu, asked));
    Press(forms().mainMenu, u"MM_RES");
    EXPECT_EQ(Mode(), game::ScreenWorld);
  }
  SetMode(game::ScreenGameMenu, game::ScreenWorld);
  record().superPowerSlots[1].sprite = 4;
  Press(forms().mainMenu, u"MM_SEL_EXG_ICN");
  Press(forms().mainMenu, u"CONFIRM_YES");
  EXPECT_EQ(record().superPowerSlots[1].sprite, -1);
  EXPECT_EQ(Heard(), "DoReturnToMain;");
}

TEST_F(MenuClicks, TheTopicsStaffListHasARowForEachRosterNameWithItsHead) {
  for (const char16_t* name : {u"Baker", u"Adams"}) {
    Cell text{};
    text.type = varno::kTypeString;
    text.value.text = const_cast<char16_t*>(name);
    ASSERT_EQ(CallScript(game::kAddToRoster, {text}), kRTSuccess);
  }
  game::FillStaffTopicList(record());
  gui::TeskListBox* list = List(forms().topics, u"TM_STAFFLIST");
  ASSERT_EQ(list->ItemCount(), 2u);
  EXPECT_EQ(platform::ToUtf8(list->ItemAt(0)->GetText()), "Adams");
  EXPECT_EQ(platform::ToUtf8(list->ItemAt(1)->GetText()), "Baker");
  ASSERT_NE(list->ItemAt(0)->GetIcon(), nullptr) << "the actor component has Adams's head";
  EXPECT_EQ(list->ItemAt(0)->GetIcon()->GetWidth(), 32);
  EXPECT_EQ(list->ItemAt(1)->GetIcon(), nullptr);
  EXPECT_EQ(list->GetRowHeight(), 48);
  EXPECT_EQ(list->GetIconColumnWidth(), 32);
}

TEST(AffinityScore, TruncatesEachPartTowardZeroAndCapsAt200) {
  struct Case {
    int32_t base, a, b, c, score;
  };
  for (const Case& c : {Case{50, 100, 100, 100, 50}, Case{50, 101, 101, 103, 50}, Case{50, 99, 99, 97, 50},
                        Case{50, 96, 96, 96, 44}, Case{150, 200, 200, 200, 200}, Case{0, 0, 0, 0, -150}})
    EXPECT_EQ(tesk::game::AffinityScore(c.base, c.a, c.b, c.c), c.score) << c.base << " " << c.a;
}

// The frame draws the dialog and the notice over the world centred on their panels; a press at the
// middle of an OK where the player sees it (the screen's middle less half the panel, plus the
// button's place in the panel) answers them.
TEST_F(MenuClicks, APressOnAnOkWhereTheFrameDrawsItAnswersTheDialogAndTheNotice) {
  struct Dialog {
    game::FormStage stage;
    uint8_t mode;
    gui::TeskForm* form;
    const char* heard;
  };
  const Dialog dialogs[] = {{game::FormStage::kHud, game::ScreenGenericDialog, forms().generic, "GenericDialogInput 1;"},
                            {game::FormStage::kHudEnd, game::ScreenConfirmation, forms().confirmation,
                             "GenericConfirmationInput;"}};
  for (const Dialog& dialog : dialogs) {
    SetText(player_, u"heard", u"");
    SetMode(dialog.mode, game::ScreenWorld);
    const game::ScreenFormRow* rows[game::kMaxChosenForms] = {};
    ASSERT_EQ(game::SelectScreenForms(dialog.stage, dialog.mode, game::ScreenWorld, 0, rows), 1u) << dialog.heard;
    game::DrawChosenForm(record(), *rows[0]);
    const gui::TeskIWidget* panel = Find(dialog.form, rows[0]->panel);
    const gui::TeskIWidget* ok = Find(dialog.form, u"OK");
    ASSERT_TRUE(panel && ok) << dialog.heard;
    const int32_t x = 1024 / 2 - panel->GetWidth() / 2 + ok->GetX() + ok->GetWidth() / 2;
    const int32_t y = 768 / 2 - panel->GetHeight() / 2 + ok->GetY() + ok->GetHeight() / 2;
    ASSERT_EQ(kivo::CallMethod(game(), game::kLevel, game::kMouseClick, 1u, 0u, x, y), kRTSuccess);
    EXPECT_EQ(Heard(), dialog.heard) << "a press at " << x << ", " << y;
    EXPECT_EQ(Mode(), game::ScreenWorld);
  }
}

// The frame centres a form by its panel's size, so that panel stands at the form's origin in the
// description of every centred screen, at both widths.
TEST(CentredScreens, HaveTheirPanelAtTheirFormsOrigin) {
  const std::filesystem::path forms = GAME_FORMS_DIR;
  std::map<std::string, std::string> files;  // by resource name
  const nlohmann::json resources = nlohmann::json::parse(ReadText(forms / "../RTTeskGame.resource.json"));
  for (const nlohmann::json& stream : resources["streams"])
    if (stream.contains("form")) files[stream["name"].get<std::string>()] = stream["form"].get<std::string>();
  size_t checked = 0;
  for (const game::FormStage stage : {game::FormStage::kScreens, game::FormStage::kHud, game::FormStage::kHudEnd})
    for (uint32_t mode = 0; mode < 256; ++mode) {
      const game::ScreenFormRow* rows[game::kMaxChosenForms] = {};
      const size_t count = game::SelectScreenForms(stage, static_cast<uint8_t>(mode), 0, 0, rows);
      for (size_t i = 0; i < count; ++i) {
        if (rows[i]->placement != game::FormPlacement::kCentred) continue;
        for (const game::FormRow& form : game::FormTable()) {
          if (form.form != rows[i]->form) continue;
          for (const int32_t width : {1024, 800}) {
            const std::string resource = platform::ToUtf8(game::FormResource(form, width, false));
            ASSERT_TRUE(files.count(resource)) << resource;
            const nlohmann::json description = nlohmann::json::parse(ReadText(forms / ".." / files[resource]));
            const std::string panel = platform::ToUtf8(rows[i]->panel);
            bool found = false;
            for (const nlohmann::json& child : description["children"]) {
              if (child.value("name", "") != panel) continue;
              found = true;
              EXPECT_EQ(child.value("x", 0), 0) << resource << " " << panel;
              EXPECT_EQ(child.value("y", 0), 0) << resource << " " << panel;
              ++checked;
            }
            EXPECT_TRUE(found) << resource << " has no " << panel;
          }
        }
      }
    }
  EXPECT_GE(checked, 40u) << "the centred screens of the table, at both widths";
}

}  // namespace
