#include "tool_support.h"

#include <cmath>
#include <fstream>
#include <iterator>

#include "platform/utf.h"

namespace kivopack {

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::optional<nlohmann::json> ReadJson(const std::filesystem::path& file, std::string* error) {
  std::ifstream in(file);
  if (!in) {
    *error = "cannot open " + file.string();
    return std::nullopt;
  }
  nlohmann::json json = nlohmann::json::parse(in, nullptr, false);
  if (json.is_discarded()) {
    *error = file.string() + " is not valid JSON";
    return std::nullopt;
  }
  return json;
}

bool FiniteFloat(const nlohmann::json& value, float* out) {
  if (!value.is_number()) return false;
  *out = static_cast<float>(value.get<double>());
  return std::isfinite(*out);
}

bool ReadVector(const nlohmann::json& value, RTFVector3D* out) {
  RTFVector3D v{};
  if (!value.is_array() || value.size() != 3 || !FiniteFloat(value[0], &v.x) || !FiniteFloat(value[1], &v.y) ||
      !FiniteFloat(value[2], &v.z))
    return false;
  *out = v;
  return true;
}

bool ReadColour(const nlohmann::json& value, RTFColorRGB* out) {
  if (!value.is_array() || (value.size() != 3 && value.size() != 4)) return false;
  float channels[4] = {0, 0, 0, 1};
  for (size_t i = 0; i < value.size(); ++i)
    if (!FiniteFloat(value[i], &channels[i])) return false;
  *out = RTFColorRGB{channels[0], channels[1], channels[2], channels[3]};
  return true;
}

std::u16string Wide(const std::string& utf8) { return platform::FromUtf8(utf8); }

std::string Narrow(std::u16string_view text) { return platform::ToUtf8(text); }

bool Fail(std::string* error, std::string message) {
  *error = std::move(message);
  return false;
}

}  // namespace kivopack
