// Making and destroying the vehicles of the loaded kinds. A record holds one reference on its root,
// on each seat's node and, through its model block, on the model root and each named node, and
// owns its TeskAnimObject; destroying gives back exactly these.
#pragma once

#include "kivo/actor/vehicle_record.h"
#include "vehicle_models.h"

namespace tesk::actor {

inline constexpr char16_t kWheelchairTree[] = u"Root:Raririrer Objects:Assets:SceneTrees:Wheelchair01";
inline constexpr char16_t kGurneyTree[] = u"Root:Raririrer Objects:Assets:SceneTrees:Anbulance_gurney";
inline constexpr char16_t kAmbulanceTree[] = u"Root:Raririrer Objects:Assets:SceneTrees:Ambulance";

// Loads the stored tree at `path` into `model` (its object, model root with the tree's bounds and
// the RTRigid copies as its modifiers, and the nodes carrying the named objects: the later of two
// alike wins). Fails, with `model` as it was, when the path names no instance.
RTSuccess CreateVehicle(LoadedModel* model, const char16_t* path, const char16_t* const* names, uint32_t count,
                        RTInstance* namedNodes);

// An inactive record of the kind; fails with null when the stored tree is missing.
RTSuccess CreateWheelchair(VehicleRecord** record);
RTSuccess CreateGurney(VehicleRecord** record);
RTSuccess CreateAmbulanceVehicle(VehicleRecord** record);
// Gives back what the record holds and frees it (any kind but carry); null does nothing.
void DestroyVehicle(VehicleRecord* record);

}  // namespace tesk::actor
