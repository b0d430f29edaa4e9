#include "image_pattern.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>

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

bool TwoColours(const json& pattern, RTFColorRGB (&colours)[2]) {
  return pattern.contains("colours") && pattern["colours"].is_array() && pattern["colours"].size() == 2 &&
         ReadColour(pattern["colours"][0], &colours[0]) && ReadColour(pattern["colours"][1], &colours[1]);
}

void Put(std::vector<uint8_t>& pixels, size_t at, const RTFColorRGB& c) {
  pixels[at * 4] = Byte(c.r);
  pixels[at * 4 + 1] = Byte(c.g);
  pixels[at * 4 + 2] = Byte(c.b);
  pixels[at * 4 + 3] = Byte(c.a);
}

RTFColorRGB Mix(const RTFColorRGB& a, const RTFColorRGB& b, float t) {
  return RTFColorRGB{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

}  // namespace

std::optional<std::vector<uint8_t>> DrawPattern(const json& description, std::string* error) {
  uint32_t width = 0, height = 0, cell = 0;
  RTFColorRGB colours[2] = {};
  const bool object = description.is_object();
  const json* checker = object && description.contains("checker") ? &description["checker"] : nullptr;
  const json* disc = object && description.contains("disc") ? &description["disc"] : nullptr;
  if (!Side(description, "width", &width) || !Side(description, "height", &height)) {
    *error = "an image's \"width\" and \"height\" are whole numbers from 1 to " + std::to_string(kMaxPatternSide);
    return std::nullopt;
  }
  std::vector<uint8_t> pixels(size_t{width} * height * 4);
  if (disc && disc->is_object() && TwoColours(*disc, colours)) {
    const float cx = width * 0.5f, cy = height * 0.5f, radius = std::min(cx, cy);
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x) {
        const float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
        const float t = std::sqrt(dx * dx + dy * dy) / radius;
        Put(pixels, size_t{y} * width + x, t <= 1.0f ? Mix(colours[0], colours[1], t) : RTFColorRGB{});
      }
  } else if (checker && checker->is_object() && Side(*checker, "cell", &cell) && TwoColours(*checker, colours)) {
    for (uint32_t y = 0; y < height; ++y)
      for (uint32_t x = 0; x < width; ++x) Put(pixels, size_t{y} * width + x, colours[(x / cell + y / cell) % 2]);
  } else {
    *error = "an image's \"checker\" has a \"cell\" size in pixels and two \"colours\"; a \"disc\" has two "
             "\"colours\"";
    return std::nullopt;
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
