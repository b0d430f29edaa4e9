#include "model_streams.h"

#include <algorithm>

#include "kivo/support/stream_values.h"
#include "vehicle_models.h"

namespace tesk::actor {

namespace {

using namespace kivo;

constexpr uint32_t kVersion = 1;

bool WriteFloats(RTInstance stream, const float* values, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i)
    if (!StreamWriteFloat(stream, values[i])) return false;
  return true;
}

bool ReadFloats(RTInstance stream, float* values, uint32_t count) {
  for (uint32_t i = 0; i < count; ++i)
    if (!StreamReadFloat(stream, &values[i])) return false;
  return true;
}

bool ReadVersion(RTInstance stream) {
  uint32_t version = 0;
  return StreamReadUIntUnchecked(stream, &version) && version != 0;
}

}  // namespace

RTSuccess StreamWheelchairModelOut(RTInstance, VehicleRecord* vehicle, RTInstance stream) {
  const WheelchairModel* chair = vehicle ? WheelchairOf(*vehicle) : nullptr;
  return chair && StreamWriteUInt(stream, kVersion) && WriteFloats(stream, chair->values, 6) ? kRTSuccess
                                                                                             : kRTFailure;
}

RTSuccess StreamWheelchairModelIn(RTInstance, VehicleRecord* vehicle, RTInstance stream) {
  WheelchairModel* chair = vehicle ? WheelchairOf(*vehicle) : nullptr;
  float values[6] = {};
  if (!chair || !ReadVersion(stream) || !ReadFloats(stream, values, 6)) return kRTFailure;
  std::copy(values, values + 6, chair->values);
  return kRTSuccess;
}

RTSuccess StreamGurneyModelOut(RTInstance, VehicleRecord* vehicle, RTInstance stream) {
  const GurneyModel* gurney = vehicle ? GurneyOf(*vehicle) : nullptr;
  return gurney && StreamWriteUInt(stream, kVersion) && StreamWriteMatrix4(stream, gurney->matrix) &&
                 StreamWriteMatrix4(stream, gurney->leftGrip) && StreamWriteMatrix4(stream, gurney->rightGrip) &&
                 WriteFloats(stream, gurney->values, 2)
             ? kRTSuccess
             : kRTFailure;
}

RTSuccess StreamGurneyModelIn(RTInstance, VehicleRecord* vehicle, RTInstance stream) {
  GurneyModel* gurney = vehicle ? GurneyOf(*vehicle) : nullptr;
  RTFMatrix4x4 matrix, left, right;
  float values[2] = {};
  if (!gurney || !ReadVersion(stream) || !StreamReadMatrix4(stream, &matrix) || !StreamReadMatrix4(stream, &left) ||
      !StreamReadMatrix4(stream, &right) || !ReadFloats(stream, values, 2))
    return kRTFailure;
  gurney->matrix = matrix;
  gurney->leftGrip = left;
  gurney->rightGrip = right;
  std::copy(values, values + 2, gurney->values);
  return kRTSuccess;
}

}  // namespace tesk::actor
