// Small pieces the kivopack operations share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "kivo/core_table.h"
#include "kivo/support/instance_ref.h"

namespace kivopack {

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& file);
std::optional<nlohmann::json> ReadJson(const std::filesystem::path& file, std::string* error);
std::u16string Wide(const std::string& utf8);
std::string Narrow(std::u16string_view text);

}  // namespace kivopack
