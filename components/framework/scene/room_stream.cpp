// The room's stream, all little-endian:
//
//   u32 version              3; a newer version is refused
//   3 x f32, 3 x f32         the box's minimum and maximum corners
//   u32                      the flag word
//   u32 n, n x (3 x f32)     the footprint's points (x, y, z; only x and z count)
//   n x u8                   from version 2, per footprint edge (edge i runs from point i to the
//                            next, the last back to the first): 1 a wall, 0 an opening; in a
//                            version 1 stream every edge is a wall
//   u32 n, n names           the neighbour rooms
//   u32 n, n names           the further rooms
//   u32 n, n names           the nodes: child instances of the room
//   u32 n, n names           the lights: child instances of the room
//   name                     the bounds node, a child instance of the room (length 0: none)
//   i32, i32                 from version 3: the pathfinding group (-1 every group) and the
//                            default pathfinding kind; an older stream gives -1 and 0
//
// A name is a wide string: u32 length in UTF-16 units (at most 512), then, when it is above 0,
// length + 1 units with the terminating 0. Every count is checked against the bytes left before
// anything is read for it; the reader fills a StoredRoom that its caller commits only whole.
#include "kivo/core_table.h"
#include "kivo/scene/room_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_values.h"
#include "room_state.h"

namespace room {

namespace {

using namespace kivo;

constexpr uint32_t kNameUnits = 512;
constexpr uint32_t kVectorBytes = 12;
constexpr uint32_t kNameBytes = 4;  // the least a name takes: its length word
constexpr uint32_t kMaxFootprint = 4096;
constexpr uint32_t kWallBytes = 1;
constexpr uint32_t kFirstVersionWithWalls = 2;
constexpr uint32_t kFirstVersionWithPathfinding = 3;

bool WriteNames(RTInstance stream, const std::vector<std::u16string>& names) {
  if (!StreamWriteUInt(stream, static_cast<uint32_t>(names.size()))) return false;
  for (const std::u16string& name : names)
    if (!StreamWriteWString(stream, name.c_str())) return false;
  return true;
}

bool ReadVector(RTInstance stream, RTFVector3D* v) {
  return StreamHolds(stream, kVectorBytes) && StreamReadVector(stream, v);
}

bool ReadNames(RTInstance stream, const char* what, std::vector<std::u16string>* names, std::u16string* why) {
  uint32_t count = 0;
  if (!StreamReadUInt(stream, &count) || !StreamHolds(stream, uint64_t{count} * kNameBytes)) {
    *why = Format(u"the count of %s is missing or larger than the stream", what);
    return false;
  }
  for (uint32_t i = 0; i < count; ++i) {
    char16_t* name = nullptr;
    if (!StreamReadWStringBounded(stream, kNameUnits, &name) || !name) {
      ModuleCore()->ArrayFree(nullptr, name);
      *why = Format(u"name %u of %u of %s is cut short, too long or empty", i + 1, count, what);
      return false;
    }
    names->emplace_back(name);
    ModuleCore()->ArrayFree(nullptr, name);
  }
  return true;
}

}  // namespace

bool WriteStoredRoom(RTInstance stream, const StoredRoom& room) {
  if (!StreamWriteUInt(stream, kivo::room::kStreamVersion) || !StreamWriteVector(stream, room.boxMin) ||
      !StreamWriteVector(stream, room.boxMax) || !StreamWriteUInt(stream, room.flags) ||
      !StreamWriteUInt(stream, static_cast<uint32_t>(room.footprint.size())))
    return false;
  for (const RTFVector3D& point : room.footprint)
    if (!StreamWriteVector(stream, point)) return false;
  for (RTBool wall : room.walls)
    if (!StreamWriteByte(stream, wall)) return false;
  return WriteNames(stream, room.neighbours) && WriteNames(stream, room.further) && WriteNames(stream, room.nodes) &&
         WriteNames(stream, room.lights) && StreamWriteWString(stream, room.boundsNode.c_str()) &&
         StreamWriteUInt(stream, static_cast<uint32_t>(room.pathfindingGroup)) &&
         StreamWriteUInt(stream, static_cast<uint32_t>(room.pathfindingKind));
}

bool ReadStoredRoom(RTInstance stream, StoredRoom* room, std::u16string* why) {
  uint32_t version = 0;
  if (!StreamReadVersion(stream, kivo::room::kStreamVersion, &version)) {
    *why = Format(u"the stream holds no room of version %u or older", kivo::room::kStreamVersion);
    return false;
  }
  uint32_t count = 0;
  if (!ReadVector(stream, &room->boxMin) || !ReadVector(stream, &room->boxMax) ||
      !StreamReadUInt(stream, &room->flags)) {
    *why = u"the box or the flags are cut short";
    return false;
  }
  const bool withWalls = version >= kFirstVersionWithWalls;
  const uint32_t edgeBytes = withWalls ? kVectorBytes + kWallBytes : kVectorBytes;
  if (!StreamReadUInt(stream, &count) || count > kMaxFootprint || !StreamHolds(stream, uint64_t{count} * edgeBytes)) {
    *why = Format(u"the footprint's count is missing, above %u or larger than the stream", kMaxFootprint);
    return false;
  }
  room->footprint.resize(count);
  for (RTFVector3D& point : room->footprint) StreamReadVector(stream, &point);
  room->walls.assign(count, 1);
  if (withWalls) {
    for (uint32_t i = 0; i < count; ++i) {
      if (!StreamReadByte(stream, &room->walls[i]) || room->walls[i] > 1) {
        *why = Format(u"the wall flag of edge %u is cut short or neither 0 nor 1", i);
        return false;
      }
    }
  }
  char16_t* bounds = nullptr;
  if (!ReadNames(stream, "the neighbour rooms", &room->neighbours, why) ||
      !ReadNames(stream, "the further rooms", &room->further, why) ||
      !ReadNames(stream, "the nodes", &room->nodes, why) || !ReadNames(stream, "the lights", &room->lights, why))
    return false;
  if (!StreamReadWStringBounded(stream, kNameUnits, &bounds)) {
    *why = u"the bounds node's name is cut short or too long";
    return false;
  }
  if (bounds) room->boundsNode = bounds;
  ModuleCore()->ArrayFree(nullptr, bounds);
  if (version < kFirstVersionWithPathfinding) return true;
  uint32_t group = 0, kind = 0;
  if (!StreamReadUInt(stream, &group) || !StreamReadUInt(stream, &kind)) {
    *why = u"the pathfinding group or kind is cut short";
    return false;
  }
  room->pathfindingGroup = static_cast<int32_t>(group);
  room->pathfindingKind = static_cast<int32_t>(kind);
  return true;
}

}  // namespace room
