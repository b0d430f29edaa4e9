// Script-visible handles: the 32-bit numbers that a script or a save file holds for an object that
// is a pointer here (scene nodes, rooms, vehicles). Ids start at 1 and only grow; 0 and 0xFFFFFFFF
// are never issued, and an id whose object has left the table resolves to none. No pointer is ever
// turned into a number by truncation.
//
// A table of instances holds one reference on each instance it lists and gives it back when the
// entry goes; a table of plain records holds nothing, and the owner of a record takes it out before
// the record goes.
#pragma once

#include <cstdint>
#include <unordered_map>

#include "kivo/types.h"

namespace kivo {

inline constexpr uint32_t kNoHandle = 0;
inline constexpr uint32_t kUnsetHandle = 0xFFFFFFFFu;

class HandleTable {
 public:
  enum class Holds { kRecords, kInstances };

  explicit HandleTable(Holds holds) : holds_(holds) {}
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;
  ~HandleTable() { Clear(); }

  // The object's id: the one it has, or a new one (an instance gains the table's reference then).
  // kNoHandle for a null object, or when no id or reference can be had.
  uint32_t Issue(void* object);
  // The object of the id, or null.
  void* Resolve(uint32_t id) const;
  // Takes the object out of the table; false when it was not listed.
  bool Forget(void* object);
  // Takes every object out; ids already issued stay unused.
  void Clear();
  size_t size() const { return objects_.size(); }

 private:
  void Release(void* object) const;

  Holds holds_;
  uint32_t lastId_ = kNoHandle;
  std::unordered_map<uint32_t, void*> objects_;
  std::unordered_map<void*, uint32_t> ids_;
};

}  // namespace kivo
