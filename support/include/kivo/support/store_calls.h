// Calls on the instance store (class RTInstanceStore): per instance path, a stream header and a
// stream of component data. The store keeps them in a pack file (see pack_index.h).
#pragma once

#include "kivo/support/stream_header.h"

namespace kivo::instance_store {

enum Slot : uint32_t {
  kHeaderStream = 0x00,  // (path, out stream): a new stream holding the stored header
  kDataStream = 0x04,    // (path, out stream): a new stream holding the stored data
  kStoreData = 0x08,     // (path, data stream): stores the stream's content
  kStoreHeader = 0x0C,   // (path, header record)
  kHolds = 0x10,         // (path, out flag)
  kRemove = 0x1C,        // (path)
  kSave = 0x20,          // (): writes the pack file the store was opened on
  kOpen = 0x24,          // (path): opens (or starts) the pack file
};
inline constexpr uint32_t kLevel = 0x28;  // word 10
inline constexpr char16_t kClassName[] = u"RTInstanceStore";

RTSuccess HeaderStream(RTInstance store, const char16_t* path, RTInstance* stream);
RTSuccess DataStream(RTInstance store, const char16_t* path, RTInstance* stream);
RTSuccess StoreData(RTInstance store, const char16_t* path, RTInstance stream);
RTSuccess StoreHeader(RTInstance store, const char16_t* path, RTStreamHeader* header);
RTSuccess Holds(RTInstance store, const char16_t* path, RTBool* holds);
RTSuccess Remove(RTInstance store, const char16_t* path);
RTSuccess Save(RTInstance store);
RTSuccess Open(RTInstance store, const char16_t* path);

// The store, created (its pack read) when there is none, with a reference for the caller. A host
// holds it for the life of its core: a store nobody holds goes with the last lookup that used it,
// and the next lookup by name reads the whole pack again.
RTSuccess Hold(RTInstance* store);

}  // namespace kivo::instance_store
