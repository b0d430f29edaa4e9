#include "kivo/support/store_calls.h"

#include "kivo/slots.h"
#include "kivo/support/module_core.h"

namespace kivo::instance_store {

RTSuccess HeaderStream(RTInstance store, const char16_t* path, RTInstance* stream) {
  return CallMethod(store, kLevel, kHeaderStream, path, stream);
}

RTSuccess DataStream(RTInstance store, const char16_t* path, RTInstance* stream) {
  return CallMethod(store, kLevel, kDataStream, path, stream);
}

RTSuccess StoreData(RTInstance store, const char16_t* path, RTInstance stream) {
  return CallMethod(store, kLevel, kStoreData, path, stream);
}

RTSuccess StoreHeader(RTInstance store, const char16_t* path, RTStreamHeader* header) {
  return CallMethod(store, kLevel, kStoreHeader, path, header);
}

RTSuccess Holds(RTInstance store, const char16_t* path, RTBool* holds) {
  return CallMethod(store, kLevel, kHolds, path, holds);
}

RTSuccess Remove(RTInstance store, const char16_t* path) { return CallMethod(store, kLevel, kRemove, path); }

RTSuccess Save(RTInstance store) { return CallMethod(store, kLevel, kSave); }

RTSuccess Open(RTInstance store, const char16_t* path) { return CallMethod(store, kLevel, kOpen, path); }

RTSuccess Hold(RTInstance* store) {
  *store = nullptr;
  return ModuleCore()->GetFirstInstanceByString(nullptr, kClassName, store, 1, nullptr) && *store ? kRTSuccess
                                                                                                  : kRTFailure;
}

}  // namespace kivo::instance_store
