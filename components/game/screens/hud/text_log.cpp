// The info screen's text log: the newest line first.
#include "game_context.h"
#include "game_methods.h"
#include "hud_state.h"
#include "kivo/support/format.h"
#include "screen_controls.h"

namespace tesk::game {

void AddLogLine(RTInstance self, const char16_t* first, const char16_t* second) {
  GamePrivateData* game = RecordOf(self);
  gui::TeskListBox* log = game ? Control<gui::TeskListBox>(game->forms.info, u"IN_TAB_LOG_LOG_LIST") : nullptr;
  if (log) log->PrependItem(kivo::Format(u"%s: %s", OrEmpty(first), OrEmpty(second)).c_str());
}

namespace method {

TESK_GAME_SCRIPT_METHOD(AddTextToLog) {
  AddLogLine(self, TextArgument(count, arguments, 0), TextArgument(count, arguments, 1));
  return kRTSuccess;
}

}  // namespace method

}  // namespace tesk::game
