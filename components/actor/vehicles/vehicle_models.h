// The model blocks of the vehicle kinds: what a vehicle keeps of its loaded tree besides its
// record. Each block owns its TeskAnimObject and holds one reference on its model root and each
// named node found.
#pragma once

#include "anim_object.h"
#include "kivo/actor/vehicle_record.h"
#include "kivo/support/math_types.h"

namespace tesk::actor {

inline constexpr uint32_t kWheelchairNodes = 6;
inline constexpr uint32_t kGurneyNodes = 6;
inline constexpr uint32_t kAmbulanceNodes = 3;

// The block's head, alike for every loaded kind.
struct LoadedModel {
  TeskAnimObject* object;
  RTInstance modelRoot;
};

enum WheelchairNode : uint32_t { kBigWheelLeft, kBigWheelRight, kCasterLeft, kCasterRight, kLittleWheelLeft,
                                 kLittleWheelRight };

struct WheelchairModel {
  LoadedModel loaded;
  RTInstance nodes[kWheelchairNodes];  // null for a name no node carries
  float values[6];                     // saved with the vehicle
};

enum GurneyNode : uint32_t { kFrontWheels, kLeftRearStrut, kLeftRearWheel, kRightRearStrut, kRightRearWheel,
                             kGurneyBody };

struct GurneyModel {
  LoadedModel loaded;
  RTInstance nodes[kGurneyNodes];
  RTFMatrix4x4 matrix;  // saved with the vehicle
  RTFMatrix4x4 leftGrip;   // the hand targets of a driver's arms, in the gurney's space
  RTFMatrix4x4 rightGrip;
  float values[2];  // saved with the vehicle
};

struct AmbulanceModel {
  LoadedModel loaded;
  RTInstance nodes[kAmbulanceNodes];
  uint32_t state;  // 1 when made; saved as a byte
};

// The block of a record of the kind; null for another kind.
inline WheelchairModel* WheelchairOf(const VehicleRecord& record) {
  return record.kind == kivo::actor::kWheelchairKind ? static_cast<WheelchairModel*>(record.model) : nullptr;
}
inline GurneyModel* GurneyOf(const VehicleRecord& record) {
  return record.kind == kivo::actor::kGurneyKind ? static_cast<GurneyModel*>(record.model) : nullptr;
}

}  // namespace tesk::actor
