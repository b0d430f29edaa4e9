// The model blocks of the vehicle kinds: what a vehicle keeps of its loaded tree besides its
// record. Each block owns its TeskAnimObject and holds one reference on its model root and each
// named node found.
#pragma once

#include "anim_object.h"
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

}  // namespace tesk::actor
