// Cameras and lights in pack descriptions, set on their instances through the components' own
// calls. Every field is optional; what is left out keeps the component's value when made.
//
//   "camera": {"fieldOfView": 0.8, "near": 0.1, "far": 500}
//       on an RTCamera: the field of view in radians, the near and far clip distances
//   "light": {"colour": [r, g, b], "range": 10, "cone": [penumbra, umbra]}
//       on an RTLight or a class of it (RTInfDirLight, RTPointLight, RTSpotLight): the colour, the
//       reach of a point or spot light, and a spot light's cone angles in radians
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "kivo/types.h"

namespace kivopack {

bool FillCamera(RTInstance camera, const nlohmann::json& description, std::string* error);
bool FillLight(RTInstance light, const nlohmann::json& description, std::string* error);

}  // namespace kivopack
