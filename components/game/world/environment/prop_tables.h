// The names by which the environment loader knows its props: node names and model names, in the
// order they are tried (first match wins), compared without case.
#pragma once

#include <cstdint>
#include <span>

#include "environment_record.h"

namespace tesk::game {

// What a node or model name makes of its node.
enum class PropKind : uint8_t {
  kNone,
  kBed,
  kMainEntranceLeft,
  kMainEntranceRight,
  kGlueTruck,
  kMaleStallDoor,
  kFemaleStallDoor,
  kSink,
  kElevatorUp,
  kElevatorDown,
  kVendingMachine,
  kElliptical,
  kShoulderPress,
  kRowingMachine,
  kYogaMat,
  kBench,
  kScale,
  kCot,
  kSecurityChair,
  kWaitingChair,
  kSigChair,
  kPediatricChair,
  kTray,
  kGameMachine,
  kCafeteriaChair,
  kLinenCart,
  kDeconChamber,
};

struct ModelRow {
  const char16_t* name;
  PropKind kind;
};

// 1 when `text` begins with `prefix` under WideStrEqualNoCase, else 0 (also for a prefix longer
// than the text, or longer than 255 units).
int WideStrStartsWithNoCase(const char16_t* text, const char16_t* prefix);

// The kind a node's name gives it (beds by the prefix "bed", the rest by whole names).
PropKind KindOfNodeName(const char16_t* name);
// The kind a model's name gives its node; kNone for a null name.
PropKind KindOfModelName(const char16_t* name);
// The model rows in the order they are tried.
std::span<const ModelRow> ModelRows();

// The list a kind's nodes go to (null for kinds kept otherwise), and whether the kind has the
// mouse-over outline and joins the highlightable props.
kivo::List** ListOfKind(PropLists& lists, PropKind kind);
bool IsOutlined(PropKind kind);

}  // namespace tesk::game
