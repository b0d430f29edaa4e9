// The VM snapshot's wire form: a tag and version, the type names, the contexts with their stacks
// and call frames, then every script object. Values are the typed stream values (little-endian
// u32, f32, bytes, wide strings) and stream copies (a u32 byte count and the bytes). References to
// objects are 1-based positions in the snapshot's object list; 0 is no object.
#pragma once

#include <cstdint>

namespace varno {

inline constexpr char16_t kSnapshotTag[] = u"VARNO";
inline constexpr uint32_t kSnapshotVersion = 0x900;
inline constexpr uint32_t kContextVersion = 0x600;
inline constexpr uint32_t kOldestContextVersion = 0x501;
inline constexpr uint32_t kFrameVersion = 0x500;

// Type, attribute, method and event names are at most this long; file names at most
// kSnapshotFileNameUnits.
inline constexpr uint32_t kSnapshotNameUnits = 511;
inline constexpr uint32_t kSnapshotFileNameUnits = 4095;
// Strings and database keys are bounded only by the bytes left.
inline constexpr uint32_t kSnapshotStringUnits = 0x7FFFFFFEu;

// The fewest bytes each record can take, by which counts are checked against the bytes left.
inline constexpr uint32_t kMinElementBytes = 4;    // a tag
inline constexpr uint32_t kMinValueBytes = 4;      // a type code
inline constexpr uint32_t kMinEntryBytes = 10;     // attribute: name, type, two flags
inline constexpr uint32_t kMinTypeNameBytes = 4;   // a length
inline constexpr uint32_t kMinKeyedValueBytes = 8; // database entry: key length, type code
inline constexpr uint32_t kMinListenerBytes = 16;  // event name, reference, class, method name
inline constexpr uint32_t kMinEventBytes = 12;     // name, count, one element
inline constexpr uint32_t kMinEvalBytes = 8;       // stream copy, position
inline constexpr uint32_t kMinFrameBytes = 48;     // version .. balance mark, one argument element
inline constexpr uint32_t kMinContextBytes = 63;   // version .. deafened, two operand elements
inline constexpr uint32_t kMinObjectBytes = 21;    // identity, type, table, stored, two counts

}  // namespace varno
