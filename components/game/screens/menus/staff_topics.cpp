// The topics screen's staff list: a row for each name of the game's staff roster, with the head
// render of that member when the actor component has one.
#include "game_context.h"
#include "icon.h"
#include "kivo/actor/actor_calls.h"
#include "menu_screens.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

constexpr int32_t kRowIndent = 32;
constexpr int32_t kRowHeight = 48;

}  // namespace

gui::TeskIcon* HeadPicture(uint32_t texture) {
  auto* icon = new gui::TeskIcon();
  if (!icon) return nullptr;
  icon->SetWidth(32);
  icon->SetHeight(32);
  icon->SetTexture(texture);
  icon->SetUVRect(0.001f, 0.001f, 0.999f, 0.999f);
  return icon;
}

void FillStaffTopicList(GamePrivateData& game) {
  gui::TeskListBox* list = Control<gui::TeskListBox>(game.forms.topics, u"TM_STAFFLIST");
  if (!list) return;
  list->Clear();
  list->SetIconColumnWidth(kRowIndent);
  list->SetRowHeight(kRowHeight);
  list->CountVisibleRows();
  varno::RTVarnoConstantValue gender{};
  if (game.playerObject) ReadAttribute(game, game.playerObject, u"gender", varno::kTypeNumber, &gender);
  for (const char16_t* name : kivo::ListItems<const char16_t>(game.lists.rosterList)) {
    gui::TeskListBoxItem* row = list->AddItem(name);
    uint32_t texture = 0;
    if (!row || !game.actorComponent ||
        !kivo::actor::RetrieveHead(game.actorComponent, name, gender.value.number != 0 ? 1 : 0, &texture))
      continue;
    row->SetIcon(HeadPicture(texture));
  }
}

}  // namespace tesk::game
