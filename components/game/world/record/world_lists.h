// The world lists of the game record: made by Startup, emptied by ResetC and the world teardown.
#pragma once

#include <span>

#include "game_record.h"

namespace tesk::game {

// The thirteen lists as one span, in record order.
std::span<kivo::List*, kWorldListCount> WorldListSlots(GamePrivateData& game);
// Makes each of the thirteen lists that does not exist yet; false when one cannot be made.
bool CreateMissingWorldLists(GamePrivateData& game);
// Destroys the thirteen lists, the patient entries and roster names with them.
void DestroyWorldLists(GamePrivateData& game);

// A patient entry of patientList: a PatientListEntry (patient_entry.h), whose first word is the
// patient's wrapper.
RTTeskActorWrapper* PatientWrapper(const void* entry);
// Empties patientList, freeing its entries.
void ClearPatients(GamePrivateData& game);
// Takes every entry of the wrapper out of patientList, freeing it.
void RemovePatientsOf(GamePrivateData& game, const RTTeskActorWrapper* wrapper);

// RemoveActor gives the wrapper it unregisters a script object of the game's own that no script
// object has, so no lookup by object finds the wrapper again and holders of the live wrapper can
// tell that its actor is gone.
void MarkActorRemoved(RTTeskActorWrapper* wrapper);
bool ActorRemoved(const RTTeskActorWrapper* wrapper);

}  // namespace tesk::game
