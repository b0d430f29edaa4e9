#include "image_pattern.h"

#include <stb_image_write.h>

#include <algorithm>

#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;

bool Side(const json& description, const char* field, uint32_t* side) {
  if (!description.contains(field) || !description[field].is_number_unsigned()) return false;
  const uint64_t value = description[field].get<uint64_t>();
  *side = static_cast<uint32_t>(value);
  return value >= 1 && value <= kMaxPatternSide;
}

uint8_t Byte(float channel) { return static_cast<uint8_t>(std::clamp(channel, 0.0f, 1.0f) * 255.0f + 0.5f); }

void AppendBytes(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<uint8_t>*>(context);
  out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

}  // namespace

std::optional<std::vector<uint8_t>> DrawPattern(const json& description, std::string* error) {
  uint32_t width = 0, height = 0, cell = 0;
  RTFColorRGB colours[2] = {};
  const json* checker = description.is_object() && description.contains("checker") ? &description["checker"] : nullptr;
  if (!Side(description, "width", &width) || !Side(description, "height", &height)) {
    *error = "an image's \"width\" and \"height\" are whole numbers from 1 to " + std::to_string(kMaxPatternSide);
    return std::nullopt;
  }
  if (!checker || !checker->is_object() || !Side(*checker, "cell", &cell) || !checker->contains("colours") ||
      !(*checker)["colours"].is_array() || (*checker)["colours"].size() != 2 ||
      !ReadColour((*checker)["colours"][0], &colours[0]) || !ReadColour((*checker)["colours"][1], &colours[1])) {
    *error = "an image's \"checker\" has a \"cell\" size in pixels and two \"colours\"";
    return std::nullopt;
  }
  std::vector<uint8_t> pixels(size_t{width} * height * 4);
  for (uint32_t y = 0; y < height; ++y)
    for (uint32_t x = 0; x < width; ++x) {
      const RTFColorRGB& c = colours[(x / cell + y / cell) % 2];
      uint8_t* pixel = &pixels[(size_t{y} * width + x) * 4];
      pixel[0] = Byte(c.r);
      pixel[1] = Byte(c.g);
      pixel[2] = Byte(c.b);
      pixel[3] = Byte(c.a);
    }
  std::vector<uint8_t> png;
  if (!stbi_write_png_to_func(AppendBytes, &png, static_cast<int>(width), static_cast<int>(height), 4, pixels.data(),
                              static_cast<int>(width * 4))) {
    *error = "cannot encode the image";
    return std::nullopt;
  }
  return png;
}

}  // namespace kivopack
