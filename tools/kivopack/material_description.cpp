#include "material_description.h"

#include "image_description.h"
#include "kivo/material/material_calls.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;
namespace m = kivo::material;

bool Switch(RTInstance material, const json& description, const char* field,
            RTSuccess (*set)(RTInstance, RTBool), std::string* error) {
  if (!description.contains(field)) return true;
  if (!description[field].is_boolean()) {
    *error = std::string("\"") + field + "\" is true or false";
    return false;
  }
  return set(material, description[field].get<bool>() ? 1 : 0) != 0;
}

bool Image(RTInstance material, const json& description, const char* field, uint32_t image,
           const std::filesystem::path& folder, std::string* error) {
  if (!description.contains(field)) return true;
  if (!description[field].is_string()) {
    *error = std::string("\"") + field + "\" names an image file";
    return false;
  }
  const std::filesystem::path file = folder / description[field].get<std::string>();
  const auto bytes = ReadImageFile(file, error);
  if (!bytes) return false;
  if (bytes->size() > m::kMaxImageBytes ||
      !m::SetImage(material, image, bytes->data(), static_cast<uint32_t>(bytes->size()))) {
    *error = file.string() + " is larger than a material holds";
    return false;
  }
  return true;
}

}  // namespace

bool FillMaterial(RTInstance material, const json& description, const std::filesystem::path& folder,
                  std::string* error) {
  if (!description.is_object()) {
    *error = "a \"material\" is an object";
    return false;
  }
  RTFColorRGB colour{};
  if (description.contains("color") &&
      (!ReadColour(description["color"], &colour) || !m::SetColor(material, &colour))) {
    *error = "\"color\" is three or four finite numbers";
    return false;
  }
  float amount = 0;
  if (description.contains("selfIllumination") &&
      (!FiniteFloat(description["selfIllumination"], &amount) || !m::SetSelfIllumination(material, amount))) {
    *error = "\"selfIllumination\" is a finite number";
    return false;
  }
  return Switch(material, description, "visible", m::SetVisible, error) &&
         Switch(material, description, "alpha", m::SetAlpha, error) &&
         Switch(material, description, "twoSided", m::SetTwoSided, error) &&
         Image(material, description, "diffuse", m::kDiffuseImage, folder, error) &&
         Image(material, description, "normalMap", m::kNormalMapImage, folder, error);
}

}  // namespace kivopack
