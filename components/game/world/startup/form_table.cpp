#include "form_table.h"

namespace tesk::game {

namespace {

using F = ScreenForms;
using S = FormStep;

constexpr AfterLoading kInactive[] = {{S::kDisableForm, nullptr}};
constexpr AfterLoading kCharacterScreen[] = {{S::kCentreLabel, u"NEU_AFF"}, {S::kCentreLabel, u"CAR_AFF"},
                                             {S::kCentreLabel, u"TOX_AFF"}, {S::kCentreLabel, u"PED_AFF"},
                                             {S::kCentreLabel, u"ORT_AFF"}, {S::kCentreLabel, u"GEN_AFF"}};
constexpr AfterLoading kMainForm[] = {
    {S::kDisableForm, nullptr}, {S::kHidePanel, u"CONFIRM_PANEL"}, {S::kHidePanel, u"TQ_DROP"}};
constexpr AfterLoading kLoadScreen[] = {{S::kHidePanel, u"CONFIRM_PANEL"},     {S::kDisableForm, nullptr},
                                        {S::kCentreLabel, u"LG_FILE_DOC_NAME"}, {S::kCentreLabel, u"LG_FILE_EPI_NUM"},
                                        {S::kCentreLabel, u"LG_FILE_EPI_NAME"}, {S::kCentreLabel, u"LG_FILE_SHIFT_TIME"},
                                        {S::kEpisodeLabel, u"LG_FILE_EPI_NUM"}};
constexpr AfterLoading kSaveScreen[] = {{S::kHidePanel, u"CONFIRM_PANEL"},     {S::kDisableForm, nullptr},
                                        {S::kCentreLabel, u"SG_FILE_DOC_NAME"}, {S::kCentreLabel, u"SG_FILE_EPI_NUM"},
                                        {S::kCentreLabel, u"SG_FILE_EPI_NAME"}, {S::kCentreLabel, u"SG_FILE_SHIFT_TIME"},
                                        {S::kEpisodeLabel, u"SG_FILE_EPI_NUM"}, {S::kLimitEditBox, u"SS_SSG_EDIT_BOX"}};
constexpr AfterLoading kPerkSwap[] = {
    {S::kDisableForm, nullptr}, {S::kHidePanel, u"PS_HINT_PNL"}, {S::kHidePanel, u"PS_HINT_PNL2"}};
constexpr AfterLoading kInfoScreen[] = {{S::kDisableForm, nullptr},
                                        {S::kDisable, u"IN_TAB_EXP_REQ_PB_1"},
                                        {S::kDisable, u"IN_TAB_EXP_REQ_PB_2"},
                                        {S::kDisable, u"IN_TAB_EXP_REQ_PB_3"},
                                        {S::kCentreLabel, u"SP_PRES_LEVEL"},
                                        {S::kCentreLabel, u"EXP_TOX_AFF_LBL"},
                                        {S::kCentreLabel, u"EXP_CAR_AFF_LBL"},
                                        {S::kCentreLabel, u"EXP_PED_AFF_LBL"},
                                        {S::kCentreLabel, u"EXP_GEN_AFF_LBL"},
                                        {S::kCentreLabel, u"EXP_ORT_AFF_LBL"},
                                        {S::kCentreLabel, u"EXP_NEU_AFF_LBL"},
                                        {S::kGreyIcon, u"SP_PERK_01"},
                                        {S::kGreyIcon, u"SP_PERK_02"},
                                        {S::kGreyIcon, u"SP_PERK_03"},
                                        {S::kGreyIcon, u"SP_PERK_04"},
                                        {S::kHidePanel, u"TI_HINT_PNL"},
                                        {S::kHidePanel, u"CONFIRM_PANEL"}};
constexpr AfterLoading kFrontEndMenu[] = {{S::kDisableForm, nullptr}, {S::kHidePanel, u"CONFIRM_PANEL"}};
constexpr AfterLoading kMainIcons[] = {
    {S::kDisableForm, nullptr}, {S::kHidePanel, u"CONFIRM_PANEL"}, {S::kHidePanel, u"SCENARIO_PANEL"}};
constexpr AfterLoading kPatientData[] = {{S::kDisableForm, nullptr},       {S::kCentreLabel, u"STD_CARDIO"},
                                         {S::kCentreLabel, u"STD_PEDIA"},  {S::kCentreLabel, u"STD_ORTH"},
                                         {S::kCentreLabel, u"STD_NEURO"},  {S::kCentreLabel, u"STD_TOX"},
                                         {S::kCentreLabel, u"STD_GENSURG"}};
constexpr AfterLoading kSpecials[] = {{S::kDisableForm, nullptr}, {S::kGlowIcon, u"BOLT_ICON"}};
constexpr AfterLoading kTutorialContinue[] = {{S::kDisableForm, nullptr}, {S::kCameraRotation, nullptr}};
constexpr AfterLoading kConversationHud[] = {{S::kDisableForm, nullptr},
                                             {S::kDisable, u"CONV_BG_BAR_R1"},
                                             {S::kDisable, u"CONV_BG_BAR_R2"},
                                             {S::kDisable, u"CONV_BG_BAR_L1"},
                                             {S::kDisable, u"CONV_BG_BAR_L2"}};
constexpr std::span<const AfterLoading> kNothing;

// The HUD panel's and the gossip screen's own steps come after the last menu, in start-up's order.
constexpr FormRow kRows[] = {
    {&F::security, u"MENU_SECURITY", u"MENU_SECURITY_800", nullptr, u"Cannot load security menu from resource!",
     nullptr, kInactive},
    {&F::characterScreen, u"MENU_CHAR_SCREEN", u"MENU_CHAR_SCREEN_800", nullptr,
     u"Cannot load character generation menu from resource!", nullptr, kCharacterScreen},
    {&F::bballSetup, u"MENU_BBALL_SETUP", nullptr, nullptr, u"Cannot load basketball setup form from resource!",
     nullptr, kNothing},
    {&F::mainMenu, u"MENU_MAIN", u"MENU_MAIN_800", nullptr, u"Cannot load main form from resource!", nullptr,
     kMainForm},
    {&F::load, u"MENU_LOAD", u"MENU_LOAD_800", nullptr, u"Cannot load load form from resource!", nullptr, kLoadScreen},
    {&F::save, u"MENU_SAVE", u"MENU_SAVE_800", nullptr, u"Cannot load save form from resource!", nullptr, kSaveScreen},
    {&F::perkSwap, u"PERK_SWAP", u"PERK_SWAP_800", nullptr, u"Cannot load perk swap form from resource!", nullptr,
     kPerkSwap},
    {&F::doctorMenu, u"MM_DOCTOR", u"MM_DOCTOR_800", nullptr, u"Cannot load doctor menu form from resource!", nullptr,
     kInactive},
    {&F::patientMenu, u"MM_PATIENT", u"MM_PATIENT_800", nullptr, u"Cannot load patient menu form from resource!",
     nullptr, kInactive},
    {&F::info, u"MENU_INFO_SCREEN", u"MENU_INFO_SCREEN_800", nullptr, u"Cannot load exp spender screenfrom resource!",
     nullptr, kInfoScreen},
    {&F::topics, u"MENU_TOPICS_SCREEN", u"MENU_TOPICS_SCREEN_800", nullptr, u"Cannot load topics screen from resource!",
     nullptr, kInactive},
    {&F::gameOptions, u"MENU_GAME_OPTIONS_SCREEN", u"MENU_GAME_OPTIONS_SCREEN_800", nullptr,
     u"Cannot load game options screen from resource!", nullptr, kInactive},
    {&F::frontEndMenu, u"MENU_MAIN", u"MENU_MAIN_800", nullptr, u"Cannot load main menu screen from resource!", nullptr,
     kFrontEndMenu},
    {&F::quickSave, u"MENU_QUICK_SAVE", u"MENU_QUICK_SAVE_800", nullptr, u"Cannot load quick save menu from resource!",
     nullptr, kInactive},
    {&F::startGame, u"MENU_START_GAME", u"MENU_START_GAME_800", nullptr, u"Cannot load main menu screen from resource!",
     nullptr, kInactive},
    {&F::mainIcons, u"MENU_MAIN_ICONS", u"MENU_MAIN_ICONS_800", u"MENU_MAIN_ICONS_DEBUG",
     u"Cannot load main icons from resource!", nullptr, kMainIcons},
    {&F::curbside, u"MENU_CURBSIDE_SCREEN", u"MENU_CURBSIDE_SCREEN_800", nullptr,
     u"Cannot load curbside screen from resource!", nullptr, kInactive},
    {&F::curbsidePopup, u"MENU_CURBSIDE_POPUP", u"MENU_CURBSIDE_POPUP_800", nullptr,
     u"Cannot load curbside screen from resource!", nullptr, kInactive},
    {&F::pickStaff, u"MENU_PICK_STAFF_SCREEN", u"MENU_PICK_STAFF_SCREEN_800", nullptr,
     u"Cannot load pick staff screen from resource!", nullptr, kInactive},
    {&F::patientData, u"MENU_PATIENT_DATA", u"MENU_PATIENT_DATA_800", nullptr,
     u"Cannot load patient data item from resource!", nullptr, kPatientData},
    {&F::specials, u"MENU_SPECIALS", u"MENU_SPECIALS_800", nullptr, u"Cannot load specials menu from resource!",
     nullptr, kSpecials},
    {&F::gameOver, u"MENU_GAME_OVER", u"MENU_GAME_OVER_800", nullptr, u"Cannot load game over menu from resource!",
     nullptr, kInactive},
    {&F::betweenEpisodes, u"MENU_BETWEEN_EP", u"MENU_BETWEEN_EP_800", nullptr,
     u"Cannot load between episode screen from resource!", nullptr, kInactive},
    {&F::generic, u"MENU_GENERIC", u"MENU_GENERIC_800", nullptr, u"Cannot load generic form from resource!", nullptr,
     kInactive},
    {&F::confirmation, u"MENU_CONFIRMATION", u"MENU_CONFIRMATION_800", nullptr,
     u"Cannot load confirmation form from resource!", nullptr, kInactive},
    {&F::staffManagement1, u"MENU_STAFF_MGT_1", u"MENU_STAFF_MGT_1_800", nullptr,
     u"Cannot load staff management form 1 resource!", nullptr, kInactive},
    {&F::staffManagement2, u"MENU_STAFF_MGT_2", u"MENU_STAFF_MGT_2_800", nullptr,
     u"Cannot load staff management form 2 resource!", nullptr, kInactive},
    {&F::staffManagement3, u"MENU_STAFF_MGT_3", u"MENU_STAFF_MGT_3_800", nullptr,
     u"Cannot load staff management form 3 resource!", nullptr, kInactive},
    {&F::cheat, u"MENU_CHEAT", nullptr, nullptr, u"Cannot load cheat menu from resource!", nullptr, kInactive},
    {&F::patientToolTip, u"MENU_PAT_TOOLTIP", u"MENU_PAT_TOOLTIP_800", nullptr,
     u"Cannot load patient tool tip from resource!", nullptr, kInactive},
    {&F::doctorToolTip, u"MENU_DOC_TOOLTIP", u"MENU_DOC_TOOLTIP_800", nullptr,
     u"Cannot load doctor tool tip from resource!", nullptr, kInactive},
    {&F::icons, u"MENU_ICONS_1", u"MENU_ICONS_800", nullptr, u"Cannot load master icons 1 from resource!", nullptr,
     kNothing},
    {&F::edict, u"MENU_EDICT_BOX", u"MENU_EDICT_BOX_800", nullptr, u"Cannot load edict form from resource!", nullptr,
     kNothing},
    {&F::warning, u"MENU_WARNING", u"MENU_WARNING_800", nullptr, u"Cannot load warning form from resource!", nullptr,
     kInactive},
    {&F::tutorialContinue, u"MENU_TUT_CONT", u"MENU_TUT_CONT_800", nullptr, u"Cannot load warning form from resource!",
     nullptr, kTutorialContinue},
    {&F::hud, u"HUD_PANEL_1024", u"HUD_PANEL_800", nullptr, u"Cannot load hud panel 1024 from resource!", nullptr,
     kNothing},
    {&F::gossip, u"MENU_GOSSIP", u"MENU_GOSSIP_800", nullptr, u"Cannot load gossip screen from resource!",
     u"Cannot load gossip screen (800) from resource!", kNothing},
    {&F::epilogue, u"MENU_EPILOGUE", u"MENU_EPILOGUE_800", nullptr, u"Cannot load epilogue form from resource!",
     nullptr, kInactive},
    {&F::hestlowFire, u"MENU_HESTLOW_FIRE", u"MENU_HESTLOW_FIRE_800", nullptr,
     u"Cannot load Hestlow Fire form from resource!", nullptr, kInactive},
    {&F::conversationHud, u"HUD_CONVO_1024", u"HUD_CONVO_800", nullptr, u"Cannot load conversation form from resource!",
     nullptr, kConversationHud},
};
static_assert(std::size(kRows) == 40);

}  // namespace

std::span<const FormRow> FormTable() { return kRows; }

const char16_t* FormResource(const FormRow& row, int32_t width, bool debugIcons) {
  if (width == kNarrowScreenWidth) return row.name800 ? row.name800 : row.name;
  return debugIcons && row.debugName ? row.debugName : row.name;
}

const char16_t* FormMessage(const FormRow& row, int32_t width) {
  return width == kNarrowScreenWidth && row.message800 ? row.message800 : row.message;
}

}  // namespace tesk::game
