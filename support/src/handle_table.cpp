#include "kivo/support/handle_table.h"

#include "kivo/support/module_core.h"

namespace kivo {

uint32_t HandleTable::Issue(void* object) {
  if (!object) return kNoHandle;
  if (const auto found = ids_.find(object); found != ids_.end()) return found->second;
  // The next id that is neither reserved value; after a full turn of the counter ids would repeat,
  // so the table refuses further objects instead.
  if (lastId_ + 1 >= kUnsetHandle) return kNoHandle;
  if (holds_ == Holds::kInstances && !ModuleCore()->ResolveHandle(nullptr, static_cast<RTInstance>(object)))
    return kNoHandle;
  const uint32_t id = ++lastId_;
  objects_.emplace(id, object);
  ids_.emplace(object, id);
  return id;
}

void* HandleTable::Resolve(uint32_t id) const {
  const auto found = objects_.find(id);
  return found == objects_.end() ? nullptr : found->second;
}

bool HandleTable::Forget(void* object) {
  const auto found = ids_.find(object);
  if (found == ids_.end()) return false;
  objects_.erase(found->second);
  ids_.erase(found);
  Release(object);
  return true;
}

void HandleTable::Clear() {
  for (const auto& [object, id] : ids_) Release(object);
  objects_.clear();
  ids_.clear();
}

void HandleTable::Release(void* object) const {
  if (holds_ == Holds::kInstances) ModuleCore()->ReleaseInstance(nullptr, static_cast<RTInstance>(object));
}

}  // namespace kivo
