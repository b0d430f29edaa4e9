// The patient list's section (little-endian, through the stream helpers):
//
//   u32   entry count n
//   per entry:
//     u32   position of the entry's actor in the actor list, or 0xFFFFFFFF (nothing follows)
//     u8    1: the entry has a nurse bar, else 0
//
// The reader checks the count against the bytes left, reads every entry into a temporary and
// changes the list only once the whole section has been read and checked.
#include "patient_section.h"

#include <vector>

#include "game_context.h"
#include "kivo/actor/actor_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/list.h"
#include "kivo/support/stream_values.h"
#include "patient_entry.h"

namespace tesk::game {

namespace {

constexpr uint32_t kNotListed = 0xFFFFFFFFu;
constexpr uint32_t kShortestEntryBytes = 4;

struct SavedEntry {
  RTTeskActorWrapper* actor;
  bool nurseBar;
};

uint32_t ActorPosition(const GamePrivateData& game, const RTTeskActorWrapper* actor) {
  kivo::ListLink* link = nullptr;
  uint32_t position = 0;
  return kivo::ListFind(game.lists.actorList, actor, &link, &position) ? position : kNotListed;
}

RTTeskActorWrapper* ActorAt(const GamePrivateData& game, uint32_t position) {
  void* data = nullptr;
  return kivo::ListDataAt(game.lists.actorList, position, &data) ? static_cast<RTTeskActorWrapper*>(data) : nullptr;
}

RTSuccess Fail(const char16_t* what) {
  Report(kivo::Format(u"RTTeskGame: patient list section: %s", what));
  return kRTFailure;
}

}  // namespace

RTSuccess WritePatientSection(const GamePrivateData& game, RTInstance stream) {
  if (!kivo::StreamWriteUInt(stream, PatientCount(game))) return kRTFailure;
  for (const PatientListEntry* entry : kivo::ListItems<PatientListEntry>(game.lists.patientList)) {
    const uint32_t position = entry->isRemoved ? kNotListed : ActorPosition(game, entry->actor);
    if (!kivo::StreamWriteUInt(stream, position)) return kRTFailure;
    if (position != kNotListed && !kivo::StreamWriteByte(stream, entry->nurseBar ? 1 : 0)) return kRTFailure;
  }
  return kRTSuccess;
}

RTSuccess ReadPatientSection(GamePrivateData& game, RTInstance stream) {
  uint32_t count = 0;
  if (!kivo::StreamReadUInt(stream, &count)) return Fail(u"no entry count");
  if (!kivo::StreamHolds(stream, uint64_t{count} * kShortestEntryBytes)) return Fail(u"shorter than its count");
  std::vector<SavedEntry> saved;
  for (uint32_t i = 0; i < count; ++i) {
    uint32_t position = 0, nurseBar = 0;
    if (!kivo::StreamReadUInt(stream, &position)) return Fail(u"an entry is cut short");
    if (position == kNotListed) continue;
    RTTeskActorWrapper* actor = ActorAt(game, position);
    if (!actor) return Fail(kivo::Format(u"entry %u names actor %u, which is not listed", i, position).c_str());
    if (!kivo::StreamReadByte(stream, &nurseBar)) return Fail(u"an entry is cut short");
    saved.push_back({actor, nurseBar != 0});
  }
  if (!game.lists.patientList) return Fail(u"no patient list");
  std::vector<PatientListEntry*> made;
  for (const SavedEntry& entry : saved) {
    PatientListEntry* fresh = NewPatientEntry(entry.actor, entry.nurseBar);
    if (!fresh) {
      for (PatientListEntry* undone : made) ReleasePatientEntry(undone);
      return Fail(u"out of memory");
    }
    fresh->animFrame = -1;
    made.push_back(fresh);
  }
  for (size_t i = 0; i < made.size(); ++i) {
    saved[i].actor->AvoidPriority = kPatientRole;
    if (!kivo::ListAppend(game.lists.patientList, made[i])) ReleasePatientEntry(made[i]);
  }
  game.newbiePatientCount = 0;
  return kRTSuccess;
}

}  // namespace tesk::game
