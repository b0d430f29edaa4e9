#include "prop_tables.h"

#include <algorithm>
#include <iterator>

#include "kivo/support/wide_string.h"

namespace tesk::game {

namespace {

constexpr size_t kMaxPrefixUnits = 255;

constexpr ModelRow kModelRows[] = {
    {u"tesk01-stm-generic-sink01", PropKind::kSink},
    {u"TESK01-stm-SINKtrauma1", PropKind::kSink},
    {u"elevator-mat-up", PropKind::kElevatorUp},
    {u"elevator-mat-down", PropKind::kElevatorDown},
    {u"TESK01-stm-cafeteria-sodamachine01", PropKind::kVendingMachine},
    {u"TESK01-stm-cafeteria-chipsmachine01", PropKind::kVendingMachine},
    {u"TESK01-stm-cafeteria-chipmachine02", PropKind::kVendingMachine},
    {u"tesk01-stm-gym-ellipticaltrainer", PropKind::kElliptical},
    {u"tesk01-stm-gym-shoulderpress", PropKind::kShoulderPress},
    {u"tesk01-stm-gym-rowingmachine", PropKind::kRowingMachine},
    {u"tesk01-stm-gym-yogamat01", PropKind::kYogaMat},
    {u"tesk01-stm-gym-yogamat02", PropKind::kYogaMat},
    {u"tesk01-stm-gym-bench", PropKind::kBench},
    {u"tesk01-stm-generic-scale01", PropKind::kScale},
    {u"TESK01-stm-generic-cot02", PropKind::kCot},
    {u"TESK01-stm-securityroom-securitychair", PropKind::kSecurityChair},
    {u"tesk01-stm-mwaitingroom-chairset-tileablechair", PropKind::kWaitingChair},
    {u"tesk01-stm-mwaitingroom-chairset-rtchair", PropKind::kWaitingChair},
    {u"tesk01-stm-mwaitingroom-chairset-leftchair", PropKind::kWaitingChair},
    {u"tesk01-stm-mwaitingroom-chairset-rtchair-sig", PropKind::kSigChair},
    {u"tesk01-stm-mwaitingroom-chairset-leftchair-sig", PropKind::kSigChair},
    {u"tesk01-stm-mwaitingroom-chairset-pediatric", PropKind::kPediatricChair},
    {u"tesk01-stm-cafeteria-traysStacked", PropKind::kTray},
    {u"TESK01-stm-fwaitingroom-entertainmentcenter", PropKind::kGameMachine},
    {u"TESK01-stm-cafeteria-maroonchair", PropKind::kCafeteriaChair},
    {u"tesk01-stm-generic-linencart-green-large", PropKind::kLinenCart},
    {u"tesk11-stm-roof-deconchamber", PropKind::kDeconChamber},
    {u"Male_Stall_Door", PropKind::kMaleStallDoor},
    {u"Female_Stall_Door", PropKind::kFemaleStallDoor},
};

constexpr ModelRow kNodeNames[] = {
    {u"tesk_mainentrance_door_left", PropKind::kMainEntranceLeft},
    {u"tesk_mainentrance_door_right", PropKind::kMainEntranceRight},
    {u"Gluetruck", PropKind::kGlueTruck},
    {u"Male_Stall_Door", PropKind::kMaleStallDoor},
    {u"Female_Stall_Door", PropKind::kFemaleStallDoor},
};

PropKind FirstMatch(std::span<const ModelRow> rows, const char16_t* name) {
  if (!name) return PropKind::kNone;
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const ModelRow& r) { return kivo::WideStrEqualNoCase(name, r.name) == 0; });
  return row == rows.end() ? PropKind::kNone : row->kind;
}

}  // namespace

int WideStrStartsWithNoCase(const char16_t* text, const char16_t* prefix) {
  if (!text || !prefix) return 0;
  const size_t length = kivo::WideStrLen(prefix);
  if (length > kMaxPrefixUnits || kivo::WideStrLen(text) < length) return 0;
  char16_t head[kMaxPrefixUnits + 1] = {};
  std::copy_n(text, length, head);
  return kivo::WideStrEqualNoCase(head, prefix) == 0 ? 1 : 0;
}

PropKind KindOfNodeName(const char16_t* name) {
  if (WideStrStartsWithNoCase(name, u"bed")) return PropKind::kBed;
  return FirstMatch(kNodeNames, name);
}

PropKind KindOfModelName(const char16_t* name) { return FirstMatch(kModelRows, name); }

std::span<const ModelRow> ModelRows() { return kModelRows; }

kivo::List** ListOfKind(PropLists& lists, PropKind kind) {
  switch (kind) {
    case PropKind::kBed:
      return &lists.beds;
    case PropKind::kSink:
      return &lists.sinks;
    case PropKind::kVendingMachine:
      return &lists.vendingMachines;
    case PropKind::kElliptical:
      return &lists.ellipticals;
    case PropKind::kShoulderPress:
      return &lists.shoulderPresses;
    case PropKind::kRowingMachine:
      return &lists.rowingMachines;
    case PropKind::kYogaMat:
      return &lists.yogaMats;
    case PropKind::kBench:
      return &lists.benches;
    case PropKind::kScale:
      return &lists.scales;
    case PropKind::kCot:
      return &lists.cots;
    case PropKind::kSecurityChair:
      return &lists.securityCameras;
    case PropKind::kWaitingChair:
      return &lists.waitingChairs;
    case PropKind::kSigChair:
      return &lists.sigChairs;
    case PropKind::kPediatricChair:
      return &lists.pediatricChairs;
    case PropKind::kTray:
      return &lists.cafeteriaTrays;
    case PropKind::kGameMachine:
      return &lists.gameMachines;
    case PropKind::kCafeteriaChair:
      return &lists.cafeteriaChairs;
    case PropKind::kLinenCart:
      return &lists.linenCarts;
    case PropKind::kElevatorUp:
    case PropKind::kElevatorDown:
      return &lists.elevatorMats;
    default:
      return nullptr;
  }
}

bool IsOutlined(PropKind kind) {
  switch (kind) {
    case PropKind::kBed:
    case PropKind::kWaitingChair:
    case PropKind::kSigChair:
    case PropKind::kPediatricChair:
    case PropKind::kLinenCart:
    case PropKind::kMaleStallDoor:
    case PropKind::kFemaleStallDoor:
    case PropKind::kMainEntranceLeft:
    case PropKind::kMainEntranceRight:
    case PropKind::kGlueTruck:
    case PropKind::kNone:
      return false;
    default:
      return true;
  }
}

}  // namespace tesk::game
