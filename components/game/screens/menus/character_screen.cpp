#include "character_screen.h"

#include "screen_controls.h"

namespace tesk::game {

void ResetCharacterScreen(GamePrivateData&) {}

int32_t CharacterScreenClick(GamePrivateData& game, int32_t x, int32_t y) {
  const std::u16string hit = HitControl(game.forms.characterScreen, x, y);
  if (Is(hit, u"CD_OK")) {
    PlayInterfaceSound(game, u"INTERFACE_OK");
    return 1;
  }
  return Is(hit, u"CD_CANCEL") ? -1 : 0;
}

void CharScreenRenderPreview(GamePrivateData& game) {
  gui::TeskForm* form = game.forms.characterScreen;
  if (!form) return;
  form->SetX(0);
  form->SetY(0);
  form->Draw(0, 0, game.rasterizer);
}

void CharacterPreviewHook(uintptr_t) {}

void SetPreviewHook(GamePrivateData& game, gui::TeskForm* form, const char16_t* panel, bool installed) {
  gui::TeskPanel* target = Control<gui::TeskPanel>(form, panel);
  if (!target) return;
  const uintptr_t screen = reinterpret_cast<uintptr_t>(&game.menus.characterScreen);
  target->SetAfterDrawCallback(installed ? CharacterPreviewHook : nullptr, screen);
}

void SnapshotCharacterPreview(GamePrivateData&) {}
void RestoreCharacterPreview(GamePrivateData&) {}

}  // namespace tesk::game
