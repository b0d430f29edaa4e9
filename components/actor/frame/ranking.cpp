#include "ranking.h"

namespace tesk::actor {

namespace {

using kivo::actor::kOnFoot;

}  // namespace

bool RanksAbove(const RTTeskActorWrapper& w, const RTTeskActorWrapper& other) {
  if (w.AvoidPriority == 0) return other.VehicleMode != kOnFoot;
  if (w.VehicleMode == kOnFoot && other.VehicleMode == kOnFoot && other.AvoidPriority != w.AvoidPriority)
    return static_cast<uint32_t>(other.AvoidPriority) < static_cast<uint32_t>(w.AvoidPriority);
  if (w.VehicleMode == other.VehicleMode) return other.Serial < w.Serial;
  return other.VehicleMode < w.VehicleMode;
}

}  // namespace tesk::actor
