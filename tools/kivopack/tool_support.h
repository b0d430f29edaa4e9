// Small pieces the kivopack operations share.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "kivo/core_table.h"

namespace kivopack {

// An instance handle released with its scope.
class Held {
 public:
  explicit Held(CoreTable& core) : core_(core) {}
  ~Held() {
    if (instance_) core_.ReleaseInstance(nullptr, instance_);
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;
  RTInstance* out() { return &instance_; }
  RTInstance get() const { return instance_; }

 private:
  CoreTable& core_;
  RTInstance instance_ = nullptr;
};

std::optional<std::vector<uint8_t>> ReadFileBytes(const std::filesystem::path& file);
std::optional<nlohmann::json> ReadJson(const std::filesystem::path& file, std::string* error);
// A new memory stream holding the bytes, positioned at its start.
bool StreamWithBytes(const std::vector<uint8_t>& bytes, RTInstance* out);
std::u16string Wide(const std::string& utf8);
std::string Narrow(std::u16string_view text);

}  // namespace kivopack
