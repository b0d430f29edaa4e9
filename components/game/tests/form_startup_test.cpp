// Start-up's forms over the fixture's resource file (every form the fixture's form, holding every
// control the steps name): the names each width opens, a table of forms left out (or cut short),
// what each row does once its form is loaded, the HUD's widgets and boost icons, the reset and
// the boost setters, the forms' end with the game, and frames drawn with the forms loaded.
#include <algorithm>
#include <set>
#include <utility>

#include "edit_box.h"
#include "form.h"
#include "form_definition.h"
#include "game_fixture.h"
#include "host/stream_bytes.h"
#include "icon.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/core_memory.h"
#include "label.h"
#include "list_box.h"
#include "panel.h"
#include "platform/utf.h"
#include "recorded_calls.h"
#include "tab_panel.h"
#include "tesk/game_slots.h"
#include "widget_tree.h"

namespace {

using namespace gametest;
namespace game = tesk::game;
namespace gui = tesk::game::gui;
namespace r = kivo::rasterizer;
using Forms = game::ScreenForms;

constexpr size_t kTextureCount = 35;  // the resources start-up opens before the forms

std::vector<std::string> Narrow(const std::vector<std::u16string>& names) {
  std::vector<std::string> narrow;
  for (const std::u16string& name : names) narrow.push_back(platform::ToUtf8(name));
  return narrow;
}

template <class Widget>
Widget* Named(const gui::TeskForm* form, const char16_t* name) {
  return form ? static_cast<Widget*>(form->FindWidgetByName(name)) : nullptr;
}

struct WidthRow {
  int32_t width;
  int32_t debugKeys;
  bool narrow;     // the 800 names
  bool debugIcons;  // "MENU_MAIN_ICONS_DEBUG" in place of "MENU_MAIN_ICONS"
};

class FormWidths : public GameTest, public ::testing::WithParamInterface<WidthRow> {};

TEST_P(FormWidths, OpenTheNamesOfTheirColumn) {
  const WidthRow& row = GetParam();
  GiveWindow(row.width, 640, 480, row.debugKeys);
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  std::vector<std::string> expected = row.narrow ? FormNames800() : FormNames1024();
  if (row.debugIcons) std::replace(expected.begin(), expected.end(), std::string("MENU_MAIN_ICONS"),
                                   std::string("MENU_MAIN_ICONS_DEBUG"));
  const std::vector<std::string> opened = Narrow(OpenedResources());
  ASSERT_GE(opened.size(), kTextureCount);
  EXPECT_EQ(std::vector<std::string>(opened.begin() + kTextureCount, opened.end()), expected);
  EXPECT_EQ(Logged("Cannot load"), 0u) << host_.ErrorLog();
  EXPECT_EQ(Logged("Startup()... Loaded all menus"), 1u);
  EXPECT_EQ(LiveResourceStreams(), 0);
}

INSTANTIATE_TEST_SUITE_P(Widths, FormWidths,
                         ::testing::Values(WidthRow{0, 0, false, false}, WidthRow{1024, 0, false, false},
                                           WidthRow{640, 0, false, false}, WidthRow{1280, 0, false, false},
                                           WidthRow{800, 0, true, false}, WidthRow{1024, 1, false, true},
                                           WidthRow{800, 1, true, false}),
                         [](const ::testing::TestParamInfo<WidthRow>& info) {
                           return "width_" + std::to_string(info.param.width) +
                                  (info.param.debugKeys ? "_debug_keys" : "");
                         });

// One form resource left out: the messages of the rows that read it, once each.
struct MissingRow {
  const char* resource;
  int32_t width;
  std::vector<gui::TeskForm* Forms::*> forms;
  std::vector<const char*> messages;
};

std::string Label(const MissingRow& row) {
  return std::string(row.resource) + (row.width == 800 ? "_at_800" : "");
}
void PrintTo(const MissingRow& row, std::ostream* os) { *os << Label(row); }

const MissingRow kMissing[] = {
    {"MENU_SECURITY", 1024, {&Forms::security}, {"Cannot load security menu from resource!"}},
    {"MENU_CHAR_SCREEN", 1024, {&Forms::characterScreen}, {"Cannot load character generation menu from resource!"}},
    {"MENU_BBALL_SETUP", 1024, {&Forms::bballSetup}, {"Cannot load basketball setup form from resource!"}},
    {"MENU_MAIN", 1024, {&Forms::mainMenu, &Forms::frontEndMenu},
     {"Cannot load main form from resource!", "Cannot load main menu screen from resource!"}},
    {"MENU_LOAD", 1024, {&Forms::load}, {"Cannot load load form from resource!"}},
    {"MENU_SAVE", 1024, {&Forms::save}, {"Cannot load save form from resource!"}},
    {"PERK_SWAP", 1024, {&Forms::perkSwap}, {"Cannot load perk swap form from resource!"}},
    {"MM_DOCTOR", 1024, {&Forms::doctorMenu}, {"Cannot load doctor menu form from resource!"}},
    {"MM_PATIENT", 1024, {&Forms::patientMenu}, {"Cannot load patient menu form from resource!"}},
    {"MENU_INFO_SCREEN", 1024, {&Forms::info}, {"Cannot load exp spender screenfrom resource!"}},
    {"MENU_TOPICS_SCREEN", 1024, {&Forms::topics}, {"Cannot load topics screen from resource!"}},
    {"MENU_GAME_OPTIONS_SCREEN", 1024, {&Forms::gameOptions}, {"Cannot load game options screen from resource!"}},
    {"MENU_QUICK_SAVE", 1024, {&Forms::quickSave}, {"Cannot load quick save menu from resource!"}},
    {"MENU_START_GAME", 1024, {&Forms::startGame}, {"Cannot load main menu screen from resource!"}},
    {"MENU_MAIN_ICONS", 1024, {&Forms::mainIcons}, {"Cannot load main icons from resource!"}},
    {"MENU_CURBSIDE_SCREEN", 1024, {&Forms::curbside}, {"Cannot load curbside screen from resource!"}},
    {"MENU_CURBSIDE_POPUP", 1024, {&Forms::curbsidePopup}, {"Cannot load curbside screen from resource!"}},
    {"MENU_PICK_STAFF_SCREEN", 1024, {&Forms::pickStaff}, {"Cannot load pick staff screen from resource!"}},
    {"MENU_PATIENT_DATA", 1024, {&Forms::patientData}, {"Cannot load patient data item from resource!"}},
    {"MENU_SPECIALS", 1024, {&Forms::specials}, {"Cannot load specials menu from resource!"}},
    {"MENU_GAME_OVER", 1024, {&Forms::gameOver}, {"Cannot load game over menu from resource!"}},
    {"MENU_BETWEEN_EP", 1024, {&Forms::betweenEpisodes}, {"Cannot load between episode screen from resource!"}},
    {"MENU_GENERIC", 1024, {&Forms::generic}, {"Cannot load generic form from resource!"}},
    {"MENU_CONFIRMATION", 1024, {&Forms::confirmation}, {"Cannot load confirmation form from resource!"}},
    {"MENU_STAFF_MGT_1", 1024, {&Forms::staffManagement1}, {"Cannot load staff management form 1 resource!"}},
    {"MENU_STAFF_MGT_2", 1024, {&Forms::staffManagement2}, {"Cannot load staff management form 2 resource!"}},
    {"MENU_STAFF_MGT_3", 1024, {&Forms::staffManagement3}, {"Cannot load staff management form 3 resource!"}},
    {"MENU_CHEAT", 1024, {&Forms::cheat}, {"Cannot load cheat menu from resource!"}},
    {"MENU_PAT_TOOLTIP", 1024, {&Forms::patientToolTip}, {"Cannot load patient tool tip from resource!"}},
    {"MENU_DOC_TOOLTIP", 1024, {&Forms::doctorToolTip}, {"Cannot load doctor tool tip from resource!"}},
    {"MENU_ICONS_1", 1024, {&Forms::icons}, {"Cannot load master icons 1 from resource!"}},
    {"MENU_EDICT_BOX", 1024, {&Forms::edict}, {"Cannot load edict form from resource!"}},
    {"MENU_WARNING", 1024, {&Forms::warning}, {"Cannot load warning form from resource!"}},
    {"MENU_TUT_CONT", 1024, {&Forms::tutorialContinue}, {"Cannot load warning form from resource!"}},
    {"HUD_PANEL_1024", 1024, {&Forms::hud}, {"Cannot load hud panel 1024 from resource!"}},
    {"MENU_GOSSIP", 1024, {&Forms::gossip}, {"Cannot load gossip screen from resource!"}},
    {"MENU_EPILOGUE", 1024, {&Forms::epilogue}, {"Cannot load epilogue form from resource!"}},
    {"MENU_HESTLOW_FIRE", 1024, {&Forms::hestlowFire}, {"Cannot load Hestlow Fire form from resource!"}},
    {"HUD_CONVO_1024", 1024, {&Forms::conversationHud}, {"Cannot load conversation form from resource!"}},
    {"MENU_GOSSIP_800", 800, {&Forms::gossip}, {"Cannot load gossip screen (800) from resource!"}},
    {"MENU_ICONS_800", 800, {&Forms::icons}, {"Cannot load master icons 1 from resource!"}},
};

class MissingForm : public GameTest, public ::testing::WithParamInterface<MissingRow> {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = CompleteResources();
    std::erase_if(items, [&](const ResourceItem& item) { return item.name == GetParam().resource; });
    return items;
  }
};

TEST_P(MissingForm, LogsItsMessageOnceAndStartUpGoesOnWithTheFormEmpty) {
  const MissingRow& row = GetParam();
  GiveWindow(row.width, 640, 480);
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  EXPECT_EQ(Started(), 1u);
  for (const char* message : row.messages) EXPECT_EQ(Logged(message), 1u) << message;
  EXPECT_EQ(Logged("Cannot load"), row.messages.size()) << host_.ErrorLog();
  game::GamePrivateData& g = record();
  for (gui::TeskForm* Forms::*form : row.forms) {
    ASSERT_NE(g.forms.*form, nullptr) << "the form stays";
    EXPECT_EQ((g.forms.*form)->Children().Count(), 0u) << "and is empty";
  }
  // The later steps take nothing from an empty form.
  const bool noIcons = row.forms.front() == &Forms::icons;
  const bool noGossip = row.forms.front() == &Forms::gossip;
  EXPECT_EQ(g.widgets.cameraRotateLeft == nullptr, noIcons);
  EXPECT_EQ(g.widgets.cameraRotateRight == nullptr, noIcons);
  EXPECT_EQ(g.widgets.conversationIcons[0] == nullptr, noIcons);
  EXPECT_EQ(g.widgets.topicIcons[5] == nullptr, noIcons);
  EXPECT_EQ(g.widgets.dislikeHeadBackground == nullptr, noIcons);
  EXPECT_EQ(g.lists.boostIconList->count, noIcons ? 0u : 4u);
  for (gui::TeskIWidget* gossip : g.widgets.gossip) EXPECT_EQ(gossip == nullptr, noGossip);
  EXPECT_EQ(LiveResourceStreams(), 0) << "every stream opened is given back";
}

INSTANTIATE_TEST_SUITE_P(Rows, MissingForm, ::testing::ValuesIn(kMissing),
                         [](const ::testing::TestParamInfo<MissingRow>& info) { return Label(info.param); });

// A form of four children, cut where its fourth begins.
std::string FormCutAfterThirdChild() {
  const std::string head = R"({"type": "form", "name": "CUT", "children": [)";
  const std::string children[] = {R"({"type": "panel", "name": "MAIN_PANEL"})", R"({"type": "label", "name": "A"})",
                                  R"({"type": "icon", "name": "B"})", R"({"type": "label", "name": "C"})"};
  const std::string whole =
      CompiledForm(head + children[0] + "," + children[1] + "," + children[2] + "," + children[3] + "]}");
  const size_t fourth = CompiledForm(head + children[3] + "]}").size() - CompiledForm(head + "]}").size();
  return whole.substr(0, whole.size() - fourth);
}

class CutForm : public GameTest {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = CompleteResources();
    for (ResourceItem& item : items)
      if (item.name == "HUD_PANEL_1024") item.bytes = FormCutAfterThirdChild();
    return items;
  }
};

TEST_F(CutForm, LoadsEmptyAndKeepsNoWidgetItRead) {
  GiveWindow(1024, 640, 480);
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  EXPECT_EQ(Logged("Cannot load hud panel 1024 from resource!"), 1u);
  ASSERT_NE(record().forms.hud, nullptr);
  EXPECT_EQ(record().forms.hud->Children().Count(), 0u);
  EXPECT_EQ(LiveResourceStreams(), 0);
  // The toolkit's own count, read in this process over the same bytes.
  const int32_t live = kivo::LiveObjectCount();
  auto* form = new gui::TeskForm();
  const kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(FormCutAfterThirdChild());
  EXPECT_EQ(gui::ReadFormDefinition(stream.get(), form), kRTFailure);
  EXPECT_EQ(form->Children().Count(), 0u);
  gui::DestroyWidgetTree(form);
  EXPECT_EQ(kivo::LiveObjectCount(), live);
}

// The main icons of a form without "SCENARIO_PANEL": nothing to hide, no failure.
class IconsWithoutScenario : public GameTest {
 protected:
  std::vector<ResourceItem> Resources() const override {
    std::vector<ResourceItem> items = CompleteResources();
    for (ResourceItem& item : items)
      if (item.name == "MENU_MAIN_ICONS")
        item.bytes = CompiledForm(R"({"type": "form", "name": "ICONS", "children": [
          {"type": "panel", "name": "CONFIRM_PANEL"}]})");
    return items;
  }
};

TEST_F(IconsWithoutScenario, LoadWithTheirConfirmationHidden) {
  GiveWindow(1024, 640, 480);
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  EXPECT_EQ(Logged("Cannot load"), 0u);
  EXPECT_EQ(Named<gui::TeskPanel>(record().forms.mainIcons, u"SCENARIO_PANEL"), nullptr);
  EXPECT_FALSE(Named<gui::TeskPanel>(record().forms.mainIcons, u"CONFIRM_PANEL")->IsVisible());
  EXPECT_TRUE(record().forms.mainIcons->IsInactive());
}

class StartedForms : public GameTest {
 protected:
  void Start(int32_t width, uint32_t windowWidth, uint32_t windowHeight) {
    GiveWindow(width, windowWidth, windowHeight);
    ASSERT_EQ(CallScript(game::kStartup), kRTSuccess) << host_.ErrorLog();
  }
  game::GamePrivateData& g() { return record(); }
  gui::TeskIcon* MasterIcon(const char16_t* name) { return Named<gui::TeskIcon>(g().forms.icons, name); }
  std::vector<gui::TeskIcon*> BoostList() {
    std::vector<gui::TeskIcon*> icons;
    for (gui::TeskIcon* icon : kivo::ListItems<gui::TeskIcon>(g().lists.boostIconList)) icons.push_back(icon);
    return icons;
  }
};

// Each action of the table's last column, on the form of its row and not on a form without it.
TEST_F(StartedForms, EveryRowDoesWhatItsLastColumnSays) {
  Start(1024, 640, 480);
  const Forms& f = g().forms;
  const std::vector<gui::TeskForm* Forms::*> active = {&Forms::characterScreen, &Forms::bballSetup, &Forms::icons,
                                                    &Forms::edict, &Forms::gossip, &Forms::antidote};
  const auto slots = game::FormSlots(g().forms);
  const Forms* base = &g().forms;
  for (gui::TeskForm* form : slots) {
    if (!form) continue;  // the antidote screen's, not loaded here
    bool expectActive = false;
    for (gui::TeskForm* Forms::*member : active) expectActive = expectActive || base->*member == form;
    EXPECT_EQ(form->IsInactive() == 0, expectActive) << platform::ToUtf8(form->GetName());
  }
  auto hidden = [](const gui::TeskForm* form, const char16_t* name) {
    return !Named<gui::TeskPanel>(form, name)->IsVisible();
  };
  for (const gui::TeskForm* form : {f.mainMenu, f.load, f.save, f.info, f.frontEndMenu, f.mainIcons})
    EXPECT_TRUE(hidden(form, u"CONFIRM_PANEL"));
  EXPECT_FALSE(hidden(f.confirmation, u"CONFIRM_PANEL"));
  EXPECT_TRUE(hidden(f.mainMenu, u"TQ_DROP"));
  EXPECT_FALSE(hidden(f.frontEndMenu, u"TQ_DROP")) << "the second copy keeps it";
  EXPECT_TRUE(hidden(f.perkSwap, u"PS_HINT_PNL"));
  EXPECT_TRUE(hidden(f.perkSwap, u"PS_HINT_PNL2"));
  EXPECT_TRUE(hidden(f.info, u"TI_HINT_PNL"));
  EXPECT_TRUE(hidden(f.mainIcons, u"SCENARIO_PANEL"));
  for (const char16_t* name : {u"IN_TAB_EXP_REQ_PB_1", u"IN_TAB_EXP_REQ_PB_2", u"IN_TAB_EXP_REQ_PB_3"}) {
    EXPECT_TRUE(f.info->FindWidgetByName(name)->IsInactive());
    EXPECT_FALSE(f.load->FindWidgetByName(name)->IsInactive());
  }
  const struct {
    const gui::TeskForm* form;
    std::vector<const char16_t*> labels;
  } centred[] = {
      {f.characterScreen, {u"NEU_AFF", u"CAR_AFF", u"TOX_AFF", u"PED_AFF", u"ORT_AFF", u"GEN_AFF"}},
      {f.load, {u"LG_FILE_DOC_NAME", u"LG_FILE_EPI_NUM", u"LG_FILE_EPI_NAME", u"LG_FILE_SHIFT_TIME"}},
      {f.save, {u"SG_FILE_DOC_NAME", u"SG_FILE_EPI_NUM", u"SG_FILE_EPI_NAME", u"SG_FILE_SHIFT_TIME"}},
      {f.info,
       {u"SP_PRES_LEVEL", u"EXP_TOX_AFF_LBL", u"EXP_CAR_AFF_LBL", u"EXP_PED_AFF_LBL", u"EXP_GEN_AFF_LBL",
        u"EXP_ORT_AFF_LBL", u"EXP_NEU_AFF_LBL"}},
      {f.patientData, {u"STD_CARDIO", u"STD_PEDIA", u"STD_ORTH", u"STD_NEURO", u"STD_TOX", u"STD_GENSURG"}},
  };
  for (const auto& row : centred)
    for (const char16_t* name : row.labels) {
      EXPECT_TRUE(Named<gui::TeskLabel>(row.form, name)->IsCentred()) << platform::ToUtf8(name);
      EXPECT_FALSE(Named<gui::TeskLabel>(f.generic, name)->IsCentred()) << platform::ToUtf8(name);
    }
  EXPECT_EQ(std::u16string(Named<gui::TeskLabel>(f.load, u"LG_FILE_EPI_NUM")->GetText()), u"Episode:");
  EXPECT_EQ(std::u16string(Named<gui::TeskLabel>(f.save, u"SG_FILE_EPI_NUM")->GetText()), u"Episode:");
  EXPECT_EQ(std::u16string(Named<gui::TeskLabel>(f.load, u"SG_FILE_EPI_NUM")->GetText()), u"text");

  auto* name = Named<gui::TeskEditBox>(f.save, u"SS_SSG_EDIT_BOX");
  for (int i = 0; i < 33; ++i) name->CharEvent(u'a');
  EXPECT_EQ(std::u16string(name->GetText()), std::u16string(32, u'a')) << "the 33rd is refused";

  for (const char16_t* perk : {u"SP_PERK_01", u"SP_PERK_02", u"SP_PERK_03", u"SP_PERK_04"}) {
    const gui::Colour& tint = gui::TeskIconGetColor(Named<gui::TeskIcon>(f.info, perk));
    EXPECT_EQ((std::array{tint.r, tint.g, tint.b, tint.a}), (std::array{0.65f, 0.65f, 0.65f, 0.0f}));
  }
  EXPECT_EQ(Named<gui::TeskIcon>(f.specials, u"BOLT_ICON")->IsGlowing(), 1u);
  EXPECT_EQ(Named<gui::TeskIcon>(f.generic, u"BOLT_ICON")->IsGlowing(), 0u);
}

struct ScreenRow {
  int32_t width;
  uint32_t windowWidth;
  uint32_t windowHeight;
};

class CameraRotation : public StartedForms, public ::testing::WithParamInterface<ScreenRow> {};

// The two copies of "CAM_ROT_ICON" (40 x 30) in the bottom corners, the left one mirrored.
TEST_P(CameraRotation, CopiesSitInTheBottomCorners) {
  const ScreenRow& row = GetParam();
  Start(row.width, row.windowWidth, row.windowHeight);
  const gui::TeskIcon* left = g().widgets.cameraRotateLeft;
  const gui::TeskIcon* right = g().widgets.cameraRotateRight;
  ASSERT_TRUE(left && right);
  EXPECT_NE(left, MasterIcon(u"CAM_ROT_ICON"));
  EXPECT_EQ(std::u16string(left->GetName()), u"CAM_ROT_ICON");
  const auto height = static_cast<int32_t>(row.windowHeight);
  EXPECT_EQ((std::array{left->GetX(), left->GetY()}), (std::array{0, height - 30}));
  EXPECT_EQ((std::array{right->GetX(), right->GetY()}), (std::array{static_cast<int32_t>(row.windowWidth) - 40, height - 30}));
  EXPECT_EQ(gui::TeskIconGetFlag(left), 2);
  EXPECT_EQ(gui::TeskIconGetFlag(right), 0);
}

INSTANTIATE_TEST_SUITE_P(Screens, CameraRotation,
                         ::testing::Values(ScreenRow{1024, 1024, 768}, ScreenRow{800, 800, 600}),
                         [](const ::testing::TestParamInfo<ScreenRow>& info) {
                           return "width_" + std::to_string(info.param.width);
                         });

TEST_F(StartedForms, TheHudsWidgetsAndBoostIconsAreKeptAndResetKeepsThem) {
  Start(1024, 640, 480);
  const gui::TeskForm* hud = g().forms.hud;
  EXPECT_TRUE(hud->IsInactive());
  auto icon = [&](const gui::TeskForm* form, const char16_t* name) { return Named<gui::TeskIcon>(form, name); };
  EXPECT_TRUE(icon(hud, u"FLOOR_TOGGLE")->IsHidden() && icon(hud, u"FLOOR_TOGGLE")->IsInactive());
  for (const char16_t* level : {u"1_ICON", u"2_ICON", u"A_ICON"})
    EXPECT_TRUE(icon(hud, level)->IsHidden() && icon(hud, level)->IsInactive());
  for (const char16_t* level : {u"1_LBL", u"2_LBL", u"A_LBL"}) EXPECT_FALSE(Named<gui::TeskLabel>(hud, level)->IsHidden());
  for (const char16_t* bar : {u"BG_BAR_1", u"BG_BAR_2"}) {
    EXPECT_TRUE(icon(hud, bar)->IsInactive());
    EXPECT_FALSE(icon(g().forms.generic, bar)->IsInactive());
  }
  const gui::TeskForm* conversation = g().forms.conversationHud;
  EXPECT_TRUE(conversation->IsInactive());
  for (const char16_t* bar : {u"CONV_BG_BAR_R1", u"CONV_BG_BAR_R2", u"CONV_BG_BAR_L1", u"CONV_BG_BAR_L2"})
    EXPECT_TRUE(icon(conversation, bar)->IsInactive());

  EXPECT_EQ(g().widgets.gossip[5], g().forms.gossip->FindWidgetByName(u"GOSSIP_TEXT"));
  EXPECT_EQ(g().widgets.conversationIcons[12], MasterIcon(u"CONV_DISLIKE"));
  EXPECT_EQ(g().widgets.topicIcons[0], MasterIcon(u"TOPICS_TV"));
  EXPECT_EQ(g().widgets.dislikeHeadBackground, MasterIcon(u"DISLIKE_HEAD_BG"));
  ASSERT_NE(g().widgets.freeIcon, nullptr);
  EXPECT_EQ(g().widgets.freeIcon->GetParent(), nullptr);

  const std::vector<gui::TeskIcon*> boosts = {MasterIcon(u"BOOST_FITNESS"), MasterIcon(u"BOOST_FITNESS_PENALTY"),
                                              MasterIcon(u"BOOST_GAMERS"), MasterIcon(u"PROX_ALERT")};
  EXPECT_EQ(BoostList(), boosts);
  const char16_t* tips[] = {u"Fitness Boost", u"Unfit Penalty", u"Gamers Boost", u"Proximity Icon"};
  for (size_t i = 0; i < boosts.size(); ++i) {
    EXPECT_TRUE(boosts[i]->IsHidden());
    EXPECT_EQ(std::u16string(boosts[i]->GetToolTip()), tips[i]);
  }
  // Each setter shows its entry for a non-zero flag and hides it for 0.
  const varno::NativeMethodSlot setters[] = {game::kSetFitnessBoost, game::kSetUnFitnessBoost, game::kSetGamersBoost,
                                                   game::kSetProximityIcon};
  for (size_t i = 0; i < 4; ++i) {
    ASSERT_EQ(CallScript(setters[i], {NumberCell(7)}), kRTSuccess);
    EXPECT_FALSE(boosts[i]->IsHidden());
    EXPECT_EQ(std::count_if(boosts.begin(), boosts.end(), [](gui::TeskIcon* b) { return !b->IsHidden(); }), 1);
    ASSERT_EQ(CallScript(setters[i], {NumberCell(0)}), kRTSuccess);
    EXPECT_TRUE(boosts[i]->IsHidden());
  }

  // The reset takes the same four again, hidden, and opens the information screen's first tab
  // on an empty log.
  CallScript(game::kSetGamersBoost, {NumberCell(1)});
  auto* tabs = Named<gui::TeskTabPanel>(g().forms.info, u"IN_TAB");
  tabs->SelectPage(1);
  ASSERT_EQ(Named<gui::TeskListBox>(g().forms.info, u"IN_TAB_LOG_LOG_LIST")->ItemCount(), 2u);
  ASSERT_EQ(kivo::CallMethod(game(), game::kLevel, game::kResetC), kRTSuccess);
  EXPECT_EQ(BoostList(), boosts);
  EXPECT_TRUE(boosts[2]->IsHidden());
  EXPECT_EQ(tabs->GetCurrentPage(), tabs->PageAt(0));
  EXPECT_EQ(Named<gui::TeskListBox>(g().forms.info, u"IN_TAB_LOG_LOG_LIST")->ItemCount(), 0u);
  ASSERT_EQ(CallScript(game::kSetGamersBoost, {NumberCell(1)}), kRTSuccess);
  EXPECT_FALSE(boosts[2]->IsHidden()) << "the setters still work after the reset";
}

// Every widget of a tree, tab pages included.
void Collect(gui::TeskIWidget* widget, std::set<void*>* widgets) {
  if (!widget) return;
  widgets->insert(widget);
  if (const gui::WidgetChildren* children = gui::ChildrenOf(*widget))
    for (gui::TeskIWidget* child : children->Items()) Collect(child, widgets);
  if (widget->GetType() == gui::kWidgetTabPanel) {
    auto* tabs = static_cast<gui::TeskTabPanel*>(widget);
    for (uint32_t i = 0; i < tabs->PageCount(); ++i) Collect(tabs->PageAt(i), widgets);
  }
}

std::set<void*>* gFreed = nullptr;
decltype(CoreTable::MemFree) gFree = nullptr;
RTSuccess TappedFree(RTInstance context, void* block) {
  if (gFreed) gFreed->insert(block);
  return gFree(context, block);
}

TEST_F(StartedForms, ASecondStartupLoadsNoFormAndTheGameTakesEveryWidgetWithIt) {
  Start(1024, 640, 480);
  const size_t opened = OpenedResources().size();
  gui::TeskForm* hud = g().forms.hud;
  ASSERT_EQ(CallScript(game::kStartup), kRTSuccess);
  EXPECT_EQ(OpenedResources().size(), opened);
  EXPECT_EQ(g().forms.hud, hud);

  std::set<void*> widgets;
  for (gui::TeskForm* form : game::FormSlots(g().forms)) Collect(form, &widgets);
  for (gui::TeskIcon* own : {g().widgets.cameraRotateLeft, g().widgets.cameraRotateRight, g().widgets.freeIcon})
    Collect(own, &widgets);
  EXPECT_GT(widgets.size(), 4000u);
  std::set<void*> freed;
  gFreed = &freed;
  gFree = core().MemFree;
  core().MemFree = TappedFree;
  ReleaseGame();
  core().MemFree = gFree;
  gFreed = nullptr;
  size_t left = 0;
  for (void* widget : widgets) left += freed.count(widget) == 0;
  EXPECT_EQ(left, 0u) << "widgets the game left behind";
}

// Frames of a started game: its window is the rasterizer's offscreen context, its object a probe.
class FormFrames : public StartedForms {
 protected:
  void SetUp() override {
    StartedForms::SetUp();
    if (HasFatalFailure()) return;
    Start(1024, 640, 480);
    g().windowHandle = g().windowContext;
    g().gameObject = NewProbe();
    g().vm = vm();
  }
  std::vector<std::string> Frame(uint8_t mode, uint8_t previous) {
    g().ScreenMode = mode;
    g().previousScreenMode = previous;
    StartRecording();
    EXPECT_EQ(kivo::CallMethod(game(), game::kLevel, game::kRenderC), kRTSuccess);
    return Recorded();
  }
  uint32_t Mode() {
    uint32_t mode = 9;
    r::GetProjectionMode(g().rasterizer, &mode);
    return mode;
  }
};

TEST_F(FormFrames, TheWorldsModeDrawsTheHudFormInItsOwnBracketAndBothCopies) {
  const std::vector<std::string> frame = Frame(0, 0);
  EXPECT_EQ((std::array{g().forms.hud->GetX(), g().forms.hud->GetY()}), (std::array{320 - 3, 480 - 91}));
  EXPECT_EQ(Mode(), r::kPerspective) << "the next frame's world is drawn in perspective";
  // The HUD form's own bracket, inside the HUD stage's.
  gui::TeskForm* hud = std::exchange(g().forms.hud, nullptr);
  const std::vector<std::string> withoutHud = Frame(0, 0);
  g().forms.hud = hud;
  EXPECT_GT(CountStarting(frame, "SetProjectionMode(1)"), CountStarting(withoutHud, "SetProjectionMode(1)"));
  // The copies' quads: the left one at x 0, the right one ending at the screen's edge.
  EXPECT_GE(CountStarting(frame, "Vertex3(0, 480, 0)"), 1u);
  EXPECT_GE(CountStarting(frame, "Vertex3(600, 450, 0)"), 1u);
  const std::vector<std::string> none = Frame(3, 0);
  EXPECT_EQ(CountStarting(none, "Vertex3(600, 450, 0)"), 0u) << "not outside the HUD's modes";
}

TEST_F(FormFrames, TheBoostIconsPackFromY290) {
  CallScript(game::kSetGamersBoost, {NumberCell(1)});
  const std::vector<std::string> frame = Frame(0, 0);
  const gui::TeskIcon* gamers = MasterIcon(u"BOOST_GAMERS");
  EXPECT_EQ((std::array{gamers->GetX(), gamers->GetY()}), (std::array{640 - 70, 290}));
  EXPECT_GE(CountStarting(frame, "Vertex3(570, 290, 0)"), 1u);
}

// Over the save screen the confirmation comes three times among the screens; the generic dialog
// (the same fixture form, on the same centre) once.
TEST_F(FormFrames, TheSaveScreenIsCentredOnItsLoadedPanelUnderThreeConfirmations) {
  const std::vector<std::string> confirming = Frame(21, 6);
  EXPECT_EQ((std::array{g().forms.save->GetX(), g().forms.save->GetY()}), (std::array{320 - 150, 240 - 100}));
  const std::string centre = "Vertex3(" + std::to_string(320 - 25) + ", " + std::to_string(240 - 20) + ", 0)";
  const std::vector<std::string> generic = Frame(20, 0);
  ASSERT_GT(CountStarting(generic, centre), 0u);
  EXPECT_EQ(CountStarting(confirming, centre), 3 * CountStarting(generic, centre));
}

}  // namespace
