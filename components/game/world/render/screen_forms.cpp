#include "screen_forms.h"

namespace tesk::game {

namespace {

using F = ScreenForms;
using P = FormPlacement;
using S = FormStage;
constexpr uint8_t kConfirmationMode = 21;
constexpr uint8_t kBetweenEpisodesMode = 18;
constexpr uint8_t kNoPause = 0;
constexpr uint8_t kPause = 1;

// The screens over the world in their drawing order, then the forms of the HUD stage. The
// confirmation comes three times among the screens: each of its rows draws it.
constexpr ScreenFormRow kRows[] = {
    {S::kScreens, 4, 0, &F::bballSetup, nullptr, 0, P::kOrigin, kNoPause},
    {S::kScreens, 11, 0, &F::mainMenu, u"MM_PNL", 0, P::kCentred, kNoPause},
    {S::kScreens, 5, 0, &F::load, u"LS_SSG_PNL", 0, P::kCentred, kNoPause},
    {S::kScreens, 6, 1, &F::save, u"SS_SSG_PNL", 0, P::kCentred, kNoPause},
    {S::kScreens, kConfirmationMode, 0, &F::confirmation, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 13, 0, &F::curbside, u"CURB_MAIN", 0, P::kCentred, kNoPause},
    {S::kScreens, 17, 0, &F::perkSwap, u"PS_MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 15, 1, &F::info, u"IN_TAB_PANEL", -20, P::kCentred, kNoPause},
    {S::kScreens, kConfirmationMode, 0, &F::confirmation, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 28, 0, &F::topics, u"TM_MAINPANEL", -100, P::kCentred, kNoPause},
    {S::kScreens, kAnyMode, 0, &F::antidote, u"VL_PNL", 0, P::kCentred, kNoPause},
    {S::kScreens, 14, 0, &F::pickStaff, u"CS_PNL", 0, P::kCentred, kNoPause},
    {S::kScreens, 25, 0, &F::staffManagement3, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 24, 0, &F::staffManagement2, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 23, 0, &F::staffManagement1, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 8, 1, &F::gameOptions, u"GO_VID_MAIN", 0, P::kCentred, kNoPause},
    {S::kScreens, kConfirmationMode, 0, &F::confirmation, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 12, 0, &F::quickSave, u"SL_PNL", 0, P::kCentred, kNoPause},
    {S::kScreens, 19, 0, &F::gameOver, u"GAME_OVER_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, kBetweenEpisodesMode, 0, &F::betweenEpisodes, u"PL_MAIN_PNL", 0, P::kCentred, kPause},
    {S::kScreens, 30, 0, &F::warning, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 29, 0, &F::tutorialContinue, u"TC_MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 31, 0, &F::epilogue, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kScreens, 32, 0, &F::hestlowFire, u"FIRE_MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kHud, 16, 1, &F::specials, nullptr, 0, P::kSpecialsButton, kNoPause},
    {S::kHud, 20, 0, &F::generic, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kHud, 26, 0, &F::cheat, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
    {S::kHud, 2, 0, &F::security, u"SC_PNL", 30, P::kCentred, kNoPause},
    {S::kHudEnd, kConfirmationMode, 0, &F::confirmation, u"MAIN_PANEL", 0, P::kCentred, kNoPause},
};

bool Chosen(const ScreenFormRow& row, uint8_t mode, uint8_t previousMode, uint32_t antidoteOpen) {
  if (row.mode == kAnyMode) return antidoteOpen != 0;
  if (mode == row.mode) return true;
  return row.underConfirmation && mode == kConfirmationMode && previousMode == row.mode;
}

}  // namespace

size_t SelectScreenForms(FormStage stage, uint8_t mode, uint8_t previousMode, uint32_t antidoteOpen,
                         const ScreenFormRow** chosen) {
  size_t count = 0;
  for (const ScreenFormRow& row : kRows)
    if (row.stage == stage && Chosen(row, mode, previousMode, antidoteOpen) && count < kMaxChosenForms)
      chosen[count++] = &row;
  return count;
}

int32_t CentredX(uint32_t screenWidth, int32_t panelWidth) {
  return static_cast<int32_t>(screenWidth / 2) - panelWidth / 2;
}

int32_t CentredY(uint32_t screenHeight, int32_t panelHeight, int32_t shift) {
  return static_cast<int32_t>(screenHeight / 2) - panelHeight / 2 + shift;
}

}  // namespace tesk::game
