#include "room_ambience.h"

#include <iterator>

namespace tesk::game {

namespace {

struct AmbienceRow {
  const char16_t* room;
  const char16_t* sound;  // null: no ambience
};

constexpr AmbienceRow kRows[] = {
    {u"Doctor's Lounge", nullptr},
    {u"Cafeteria", u"ENV_CAFETERIA1"},
    {u"Dr. Halvorsen's Office", nullptr},
    {u"Dr. Okafor's Office", nullptr},
    {u"Gym", u"ENV_SHOULDERPRESS"},
    {u"Elevator 1", u"ENV_HUM3"},
    {u"Elevator 2", u"ENV_HUM3"},
    {u"2nd Floor Lobby", u"ENV_HALLWAY_LIGHT"},
    {u"Nurse's Station", u"ENV_TESKDESK1"},
    {u"Female Restroom", u"ENV_BATHROOM"},
    {u"Male Restroom", u"ENV_BATHROOM"},
    {u"Gym Restroom", u"ENV_BATHROOM"},
    {u"Restroom Hall", nullptr},
    {u"Cashier Room", nullptr},
    {u"Ambulance Port", u"ENV_CITYDAY"},
    {u"Main Entrance", nullptr},
    {u"Elevator Lobby", u"ENV_HALLWAY_LIGHT"},
    {u"East Hall", u"ENV_HALLWAY_LIGHT"},
    {u"West Hall", u"ENV_HALLWAY_LIGHT"},
    {u"South Hall", u"ENV_HALLWAY_LIGHT"},
    {u"North Hall", u"ENV_HALLWAY_LIGHT"},
    {u"Main Hall", u"ENV_HALLWAY_MEDIUM"},
    {u"Storage Room", nullptr},
    {u"Security", u"ENV_SECURROOM1"},
    {u"Doctor's Bathroom", u"ENV_BATHROOM"},
    {u"Drug Lockup", nullptr},
    {u"Linen Closet", nullptr},
    {u"Nurse's Desk", nullptr},
    {u"Trauma 1", u"ENV_TRAUMA1"},
    {u"Trauma 2", u"ENV_TRAUMA1"},
    {u"Main Exam", u"ENV_NURSESTAT1"},
    {u"Exam 1", u"ENV_BG_BUSIER2"},
    {u"Exam 2", u"ENV_BG_BUSIER2"},
    {u"Triage", u"ENV_BG_BUSIER1"},
    {u"Main Nurse's Station", u"ENV_TESKDESK1"},
    {u"Public Restroom", u"ENV_BATHROOM"},
    {u"Waiting Room", nullptr},
    {u"Players off-limit Rooms", nullptr},
};
static_assert(std::size(kRows) == kRoomAmbienceRows);

}  // namespace

RTSuccess BuildRoomAmbienceMap(kivo::StrHashTable** table) {
  if (!kivo::StrHashTableCreate(table, kRoomAmbienceBuckets, nullptr)) return kRTFailure;
  for (const AmbienceRow& row : kRows)
    if (!kivo::StrHashTableInsert(*table, row.room, const_cast<char16_t*>(row.sound))) return kRTFailure;
  return kRTSuccess;
}

}  // namespace tesk::game
