// The values of the game record's screen mode: which screen is open. Input, clicks and the frame
// render all branch on it. 1 and 7 are never used.
#pragma once

#include <cstdint>

namespace tesk::game {

enum ScreenModeId : uint8_t {
  ScreenWorld = 0,  // no screen: the 3-D world and the HUD
  ScreenSecurity = 2,
  ScreenMainMenu = 3,  // the front end's start menu
  ScreenBBallSetup = 4,
  ScreenLoad = 5,
  ScreenSave = 6,  // takes typed text
  ScreenOptions = 8,
  ScreenStartGame = 9,
  ScreenCharCreate = 10,  // takes typed text
  ScreenGameMenu = 11,
  ScreenSaveLoadChooser = 12,
  ScreenCurbside = 13,
  ScreenPickStaff = 14,
  ScreenInfo = 15,
  ScreenSpecials = 16,
  ScreenPerkSwap = 17,
  ScreenBetweenEpisodes = 18,
  ScreenGameOver = 19,
  ScreenGenericDialog = 20,
  ScreenConfirmation = 21,  // drawn over the previous screen
  ScreenConversation = 22,
  ScreenStaffMgt1 = 23,
  ScreenStaffMgt2 = 24,
  ScreenStaffMgt3 = 25,
  ScreenCheat = 26,
  ScreenBBallPlay = 27,
  ScreenTopics = 28,
  ScreenTutorialCont = 29,
  ScreenWarning = 30,
  ScreenEpilogue = 31,
  ScreenFire = 32,
};

}  // namespace tesk::game
