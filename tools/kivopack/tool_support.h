// Small pieces the kivopack operations share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/math_types.h"

namespace kivopack {

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& file);
std::optional<nlohmann::json> ReadJson(const std::filesystem::path& file, std::string* error);
std::u16string Wide(const std::string& utf8);
// A JSON number that is a finite float.
bool FiniteFloat(const nlohmann::json& value, float* out);
// A JSON list of three finite numbers, into x, y and z (the fourth float becomes 0).
bool ReadVector(const nlohmann::json& value, RTFVector3D* out);
// A JSON list of three or four finite numbers, r, g, b and a (1 when left out).
bool ReadColour(const nlohmann::json& value, RTFColorRGB* out);
std::string Narrow(std::u16string_view text);
// Sets *error to the message and returns false: the shape of every refusal.
bool Fail(std::string* error, std::string message);

}  // namespace kivopack
