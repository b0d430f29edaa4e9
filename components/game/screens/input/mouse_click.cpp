// MouseClick: the gates every press passes, then the first screen of the table whose test holds.
#include "click_routes.h"

namespace tesk::game {

namespace {

template <uint8_t Mode>
bool InMode(const GamePrivateData& game) {
  return game.ScreenMode == Mode;
}

constexpr ClickRoute kRoutes[] = {
    {InMode<ScreenGenericDialog>, ClickGenericDialog},
    {InMode<ScreenConfirmation>, ClickConfirmation},
    {InMode<ScreenLoad>, ClickLoadScreen},
    {InMode<ScreenSave>, ClickSaveScreen},
    {InMode<ScreenMainMenu>, ClickMainMenu},
    {InMode<ScreenOptions>, ClickOptions},
    {InMode<ScreenStartGame>, ClickStartGame},
    {InMode<ScreenCharCreate>, ClickCharacterCreation},
    {InMode<ScreenGameMenu>, ClickGameMenu},
};

}  // namespace

RTSuccess FinalClickStage(RTInstance, GamePrivateData&, bool, bool, const ClickPress&, uint32_t) {
  return kRTSuccess;
}

RTSuccess MouseClick(RTInstance self, uint32_t left, uint32_t right, int32_t x, int32_t y) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTFailure;
  const GameLibrary& library = *game->library;
  if (library.loading || !library.started || game->moviePlaying) return kRTSuccess;
  const uint32_t handOff = game->menus.handOff;
  game->menus.handOff = 0;
  const ClickPress press{x, y};
  if (left) {
    for (const ClickRoute& route : kRoutes)
      if (route.test(*game)) return route.handler(self, *game, press);
  }
  return FinalClickStage(self, *game, left != 0, right != 0, press, handOff);
}

}  // namespace tesk::game
