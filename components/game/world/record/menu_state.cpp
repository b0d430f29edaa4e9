#include "menu_state.h"

#include <ctime>

namespace tesk::game {

namespace {

// Until saved games come, no slot holds one and nothing can be loaded, saved or deleted.
RTSuccess NoHeader(GamePrivateData&, int32_t, SaveHeader*, uint32_t) { return kRTFailure; }
RTSuccess NoLoad(GamePrivateData&, int32_t) { return kRTFailure; }
RTSuccess NoSave(GamePrivateData&, int32_t, const char16_t*) { return kRTFailure; }
RTSuccess NoDelete(GamePrivateData&, int32_t) { return kRTFailure; }

}  // namespace

SaveCalls StandInSaveCalls() { return SaveCalls{NoHeader, NoLoad, NoSave, NoDelete}; }

LocalTime SystemLocalTime() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return LocalTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

void InitMenuState(MenuState& menus) {
  menus.selectedSaveSlot = -1;
  menus.saves = StandInSaveCalls();
  menus.localTime = SystemLocalTime;
}

}  // namespace tesk::game
