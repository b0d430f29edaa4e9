// The staff screens: picking a nurse, and the staff management pages of one to three columns of
// names with their heads.
#include "game_context.h"
#include "game_methods.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/format.h"
#include "list_box_item.h"
#include "menu_screens.h"
#include "screen_controls.h"

namespace tesk::game {

namespace {

namespace scripting = varno::scripting;

constexpr int32_t kNurse = 2;

// A 32 x 32 icon of the name's head, when the actor component has one.
gui::TeskIcon* HeadIcon(const GamePrivateData& game, const char16_t* name) {
  uint32_t texture = 0;
  if (!game.actorComponent || !kivo::actor::RetrieveHead(game.actorComponent, name, 0, &texture) || !texture)
    return nullptr;
  return HeadPicture(texture);
}

// Column n of a staff management page: its type, an empty choice, its button made inactive and
// its list box the script list's names with their heads, then "None".
void FillColumn(const GamePrivateData& game, const gui::TeskForm* form, uint32_t column, const char16_t* type,
                scripting::List names) {
  SetLabel(form, kivo::Format(u"STAFF_TYPE_%d", column).c_str(), type);
  SetLabel(form, kivo::Format(u"SELECTED_%d", column).c_str(), u"");
  EnableControls(form, {kivo::Format(u"BUTTON_%d", column).c_str()}, false);
  gui::TeskListBox* list = Control<gui::TeskListBox>(form, kivo::Format(u"STAFF_LIST_%d", column).c_str());
  if (!list) return;
  list->Clear();
  list->DeselectAll();
  uint32_t count = 0;
  if (names && game.varno) scripting::ListGetElementCount(game.varno, names, &count);
  for (uint32_t i = 0; i < count; ++i) {
    varno::RTVarnoConstantValue* element = nullptr;
    if (!scripting::ListRetrieveElementN(game.varno, names, i, &element) || !element ||
        element->type != varno::kTypeString)
      continue;
    const char16_t* name = element->value.text ? element->value.text : u"";
    gui::TeskListBoxItem* item = list->AddItem(name);
    if (gui::TeskIcon* head = item ? HeadIcon(game, name) : nullptr) item->SetIcon(head);
  }
  list->AddItem(u"None");
}

// Page n: arguments 1 to n are the columns' types, n + 1 to 2n their lists of names.
void OpenStaffManagement(RTInstance self, uint32_t count, const Cell* arguments, uint32_t columns) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return;
  static constexpr ScreenModeId kModes[] = {ScreenStaffMgt1, ScreenStaffMgt2, ScreenStaffMgt3};
  gui::TeskForm* const forms[] = {game->forms.staffManagement1, game->forms.staffManagement2,
                                  game->forms.staffManagement3};
  game->ScreenMode = kModes[columns - 1];
  method::PauseC(self);
  const gui::TeskForm* form = forms[columns - 1];
  for (uint32_t column = 1; column <= columns; ++column) {
    const uint32_t list = columns + column - 1;
    FillColumn(*game, form, column, TextArgument(count, arguments, column - 1),
               list < count && arguments[list].type == varno::kTypeList
                   ? static_cast<scripting::List>(arguments[list].value.pointer)
                   : nullptr);
  }
  for (uint32_t column = 1; column <= columns; ++column)
    ShowPanel(form, kivo::Format(u"LIST_PANEL_%d", column).c_str(), false);
}

}  // namespace

namespace method {

TESK_GAME_SCRIPT_METHOD(OpenPickStaffScreen) {
  GamePrivateData* game = RecordOf(self);
  if (!game) return kRTSuccess;
  game->ScreenMode = ScreenPickStaff;
  PauseC(self);
  const gui::TeskForm* form = game->forms.pickStaff;
  ShowPanel(form, u"CS_DOC_LIST_PANEL", false);
  ShowPanel(form, u"CS_NURSE_LIST_PANEL", false);
  gui::TeskListBox* nurses = Control<gui::TeskListBox>(form, u"CS_NURSE_LIST");
  if (!nurses) return kRTSuccess;
  nurses->Clear();
  for (RTTeskActorWrapper* member : kivo::ListItems<RTTeskActorWrapper>(game->lists.staffList)) {
    const auto object = static_cast<ScriptObject>(member->ScriptObject);
    int32_t staffClass = -1;
    if (ReadWholeNumber(*game, object, u"staffClass", scripting::kWholeAttribute, &staffClass) && staffClass == kNurse)
      nurses->AddItem(ReadText(*game, object, u"name").c_str());
  }
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenStaffManagementScreen1) {
  OpenStaffManagement(self, count, arguments, 1);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenStaffManagementScreen2) {
  OpenStaffManagement(self, count, arguments, 2);
  return kRTSuccess;
}

TESK_GAME_SCRIPT_METHOD(OpenStaffManagementScreen3) {
  OpenStaffManagement(self, count, arguments, 3);
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
