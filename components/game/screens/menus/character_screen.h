// The character creation screen as the menus call it. Until the screen itself is built these
// stand in: the reset, the preview hooks and the preview states do nothing; the preview draws
// the "MENU_CHAR_SCREEN" form at (0, 0); a press on "CD_OK" plays "INTERFACE_OK" and goes on (1),
// one on "CD_CANCEL" goes back (-1), any other stays (0).
#pragma once

#include <cstdint>

#include "game_record.h"

namespace tesk::game {

void ResetCharacterScreen(GamePrivateData& game);
int32_t CharacterScreenClick(GamePrivateData& game, int32_t x, int32_t y);
void CharScreenRenderPreview(GamePrivateData& game);
// The preview hook a panel runs after its frame, with the character screen as its argument.
void CharacterPreviewHook(uintptr_t characterScreen);
// Installs the hook on the panel (with the character screen), or takes it away.
void SetPreviewHook(GamePrivateData& game, gui::TeskForm* form, const char16_t* panel, bool installed);
// The first is called when the load screen opens from the in-game menu and when it is cancelled
// (the save screen's opener too), the second before every save and when the save screen is
// cancelled.
void SnapshotCharacterPreview(GamePrivateData& game);
void RestoreCharacterPreview(GamePrivateData& game);

}  // namespace tesk::game
