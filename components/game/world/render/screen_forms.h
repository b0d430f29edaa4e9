// The forms the frame draws over the world, by screen mode: one handle per form (null until the
// form is loaded), the table that chooses them, and the drawing of a chosen form.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "kivo/types.h"

namespace tesk::game {

namespace gui {
class TeskForm;
}  // namespace gui

// Every form of the game: those start-up loads (each resource with its "_800" variant at width
// 800) and the antidote screen's.
struct ScreenForms {
  gui::TeskForm* bballSetup;        // "MENU_BBALL_SETUP"
  gui::TeskForm* mainMenu;          // "MENU_MAIN", the in-game menu (its first copy)
  gui::TeskForm* frontEndMenu;      // "MENU_MAIN" again, the front end's start menu
  gui::TeskForm* startGame;         // "MENU_START_GAME"
  gui::TeskForm* mainIcons;         // "MENU_MAIN_ICONS" (or its debug variant)
  gui::TeskForm* characterScreen;   // "MENU_CHAR_SCREEN"
  gui::TeskForm* patientData;       // "MENU_PATIENT_DATA"
  gui::TeskForm* patientToolTip;    // "MENU_PAT_TOOLTIP"
  gui::TeskForm* doctorToolTip;     // "MENU_DOC_TOOLTIP"
  gui::TeskForm* edict;             // "MENU_EDICT_BOX"
  gui::TeskForm* gossip;            // "MENU_GOSSIP"
  gui::TeskForm* load;              // "MENU_LOAD"
  gui::TeskForm* save;              // "MENU_SAVE"
  gui::TeskForm* confirmation;      // "MENU_CONFIRMATION"
  gui::TeskForm* curbside;          // "MENU_CURBSIDE_SCREEN"
  gui::TeskForm* perkSwap;          // "PERK_SWAP"
  gui::TeskForm* info;              // "MENU_INFO_SCREEN"
  gui::TeskForm* topics;            // "MENU_TOPICS_SCREEN"
  gui::TeskForm* antidote;          // the antidote screen
  gui::TeskForm* pickStaff;         // "MENU_PICK_STAFF_SCREEN"
  gui::TeskForm* staffManagement1;  // "MENU_STAFF_MGT_1"
  gui::TeskForm* staffManagement2;  // "MENU_STAFF_MGT_2"
  gui::TeskForm* staffManagement3;  // "MENU_STAFF_MGT_3"
  gui::TeskForm* gameOptions;       // "MENU_GAME_OPTIONS_SCREEN"
  gui::TeskForm* quickSave;         // "MENU_QUICK_SAVE"
  gui::TeskForm* gameOver;          // "MENU_GAME_OVER"
  gui::TeskForm* betweenEpisodes;   // "MENU_BETWEEN_EP"
  gui::TeskForm* warning;           // "MENU_WARNING"
  gui::TeskForm* tutorialContinue;  // "MENU_TUT_CONT"
  gui::TeskForm* epilogue;          // "MENU_EPILOGUE"
  gui::TeskForm* hestlowFire;       // "MENU_HESTLOW_FIRE"
  gui::TeskForm* generic;           // "MENU_GENERIC"
  gui::TeskForm* cheat;             // "MENU_CHEAT"
  gui::TeskForm* security;          // "MENU_SECURITY"
  gui::TeskForm* specials;          // "MENU_SPECIALS"
  gui::TeskForm* hud;               // "HUD_PANEL_1024" / "HUD_PANEL_800"
  gui::TeskForm* conversationHud;   // "HUD_CONVO_1024" / "HUD_CONVO_800"
  gui::TeskForm* icons;             // "MENU_ICONS_1" / "MENU_ICONS_800", the master icons
  gui::TeskForm* curbsidePopup;     // "MENU_CURBSIDE_POPUP"
  gui::TeskForm* doctorMenu;        // "MM_DOCTOR"
  gui::TeskForm* patientMenu;       // "MM_PATIENT"
};
inline constexpr size_t kScreenFormCount = sizeof(ScreenForms) / sizeof(gui::TeskForm*);
static_assert(kScreenFormCount == 41);

// The form handles as one span, in record order.
inline std::span<gui::TeskForm*, kScreenFormCount> FormSlots(ScreenForms& forms) {
  return std::span<gui::TeskForm*, kScreenFormCount>(&forms.bballSetup, kScreenFormCount);
}

// Where a chosen form goes: centred on its panel (plus the shift), at (0, 0), or at the HUD's
// specials button.
enum class FormPlacement : uint8_t { kCentred, kOrigin, kSpecialsButton };

// The stages of the frame that draw forms: the screens over the world, the forms of the HUD stage
// and the confirmation the HUD stage ends with.
enum class FormStage : uint8_t { kScreens, kHud, kHudEnd };

inline constexpr uint8_t kAnyMode = 0xFF;

struct ScreenFormRow {
  FormStage stage;
  uint8_t mode;               // kAnyMode: the antidote row, chosen by its flag
  uint8_t underConfirmation;  // also chosen in mode 21 when the previous mode is `mode`
  gui::TeskForm* ScreenForms::*form;
  const char16_t* panel;  // the panel that centres the form
  int32_t shift;          // added to the centred y
  FormPlacement placement;
  uint8_t pauses;  // the game is paused every frame this row is chosen
};

inline constexpr size_t kMaxChosenForms = 8;

// The rows of the stage chosen for the screen mode, the previous mode and the antidote flag, in
// drawing order; their count.
size_t SelectScreenForms(FormStage stage, uint8_t mode, uint8_t previousMode, uint32_t antidoteOpen,
                         const ScreenFormRow** chosen);

// The x and y that centre a form on a panel of the size in the screen: the screen's halves are
// unsigned halvings, the panel's signed halvings rounded toward zero.
int32_t CentredX(uint32_t screenWidth, int32_t panelWidth);
int32_t CentredY(uint32_t screenHeight, int32_t panelHeight, int32_t shift);

}  // namespace tesk::game
