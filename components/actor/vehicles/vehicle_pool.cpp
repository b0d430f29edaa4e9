#include "vehicle_pool.h"

#include "vehicle_making.h"

namespace tesk::actor {

namespace {

using namespace kivo;

bool Pooled(const ActorControllerData& actor, const VehicleRecord* record) {
  ListLink* link = nullptr;
  return record && ListFind(actor.vehicles, record, &link, nullptr) && link;
}

}  // namespace

uint32_t PoolVehicle(ActorControllerData& actor, VehicleRecord* record) {
  const uint32_t handle = actor.vehicleHandles.Issue(record);
  if (handle == kNoHandle) return kivo::actor::kNoVehicle;
  if (!ListAppend(actor.vehicles, record)) {
    actor.vehicleHandles.Forget(record);
    return kivo::actor::kNoVehicle;
  }
  return handle;
}

void UnpoolVehicle(ActorControllerData& actor, VehicleRecord* record) {
  ListRemove(actor.vehicles, record);
  actor.vehicleHandles.Forget(record);
}

VehicleRecord* PooledVehicle(const ActorControllerData& actor, uint32_t handle) {
  if (handle == kivo::actor::kNoVehicle) return nullptr;
  auto* record = static_cast<VehicleRecord*>(actor.vehicleHandles.Resolve(handle));
  return Pooled(actor, record) ? record : nullptr;
}

uint32_t HandleOf(ActorControllerData& actor, VehicleRecord* record) {
  return Pooled(actor, record) ? actor.vehicleHandles.Issue(record) : kivo::actor::kNoVehicle;
}

std::optional<uint32_t> PoolIndexOf(const ActorControllerData& actor, const VehicleRecord* record) {
  ListLink* link = nullptr;
  uint32_t index = 0;
  if (!record || !ListFind(actor.vehicles, record, &link, &index) || !link) return std::nullopt;
  return index;
}

void DestroyVehicles(ActorControllerData& actor) {
  for (VehicleRecord* record : ListItems<VehicleRecord>(actor.vehicles)) DestroyVehicle(record);
  ListClear(actor.vehicles);
  actor.vehicleHandles.Clear();
  DestroyVehicle(actor.ambulance);
  actor.ambulance = nullptr;
}

}  // namespace tesk::actor
