#include "release_vehicle.h"

namespace tesk::actor {

RTSuccess ReleaseVehicle(RTInstance, RTTeskActorWrapper*) { return kRTSuccess; }

}  // namespace tesk::actor
