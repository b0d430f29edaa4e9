#include "tool_support.h"

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

std::u16string Wide(const std::string& utf8) { return platform::FromUtf8(utf8); }

std::string Narrow(std::u16string_view text) { return platform::ToUtf8(text); }

}  // namespace kivopack
