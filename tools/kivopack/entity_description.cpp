#include "entity_description.h"

#include "kivo/camera/camera_calls.h"
#include "kivo/light/light_calls.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;

// A number field, read into `value` when present.
bool ReadNumber(const json& description, const char* field, float* value, std::string* error) {
  if (!description.contains(field) || FiniteFloat(description[field], value)) return true;
  return Fail(error, std::string("\"") + field + "\" is a finite number");
}

}  // namespace

bool FillCamera(RTInstance camera, const json& description, std::string* error) {
  if (!description.is_object()) return Fail(error, "a \"camera\" is an object");
  float fieldOfView = 0, nearDistance = 0, farDistance = 0;
  float frustum[kivo::camera::kFrustumValues] = {};
  if (!kivo::camera::GetFieldOfView(camera, &fieldOfView) || !kivo::camera::GetFrustum(camera, frustum))
    return Fail(error, "the camera does not answer");
  nearDistance = -frustum[2];
  farDistance = -frustum[5];
  if (!ReadNumber(description, "fieldOfView", &fieldOfView, error) ||
      !ReadNumber(description, "near", &nearDistance, error) || !ReadNumber(description, "far", &farDistance, error))
    return false;
  if (!kivo::camera::SetFieldOfView(camera, fieldOfView))
    return Fail(error, "a camera's \"fieldOfView\" lies between 0 and pi radians");
  if (!kivo::camera::SetClipPlanes(camera, nearDistance, farDistance))
    return Fail(error, "a camera's \"near\" and \"far\" are distances with 0 < near < far");
  return true;
}

bool FillLight(RTInstance light, const json& description, std::string* error) {
  if (!description.is_object()) return Fail(error, "a \"light\" is an object");
  RTFColorRGB colour{};
  if (description.contains("colour") &&
      (!ReadColour(description["colour"], &colour) || !kivo::light::SetColor(light, &colour)))
    return Fail(error, "a light's \"colour\" is three or four finite numbers");
  float range = 0;
  if (!kivo::light::GetRange(light, &range) || !ReadNumber(description, "range", &range, error)) return false;
  if (!kivo::light::SetRange(light, range)) return Fail(error, "a light's \"range\" is above 0");
  if (!description.contains("cone")) return true;
  const json& cone = description["cone"];
  float penumbra = 0, umbra = 0;
  if (!cone.is_array() || cone.size() != 2 || !FiniteFloat(cone[0], &penumbra) || !FiniteFloat(cone[1], &umbra) ||
      !kivo::light::SetCone(light, penumbra, umbra))
    return Fail(error, "a light's \"cone\" is [penumbra, umbra] in radians, 0 <= penumbra <= umbra <= pi");
  return true;
}

}  // namespace kivopack
