#include "tool_support.h"

#include <fstream>
#include <iterator>

#include "kivo/support/stream_calls.h"
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

bool StreamWithBytes(const std::vector<uint8_t>& bytes, RTInstance* out) {
  uint32_t written = 0;
  return kivo::memory_stream::Create(out) &&
         kivo::stream::Write(*out, bytes.data(), static_cast<uint32_t>(bytes.size()), &written) &&
         kivo::stream::Seek(*out, 0);
}

std::u16string Wide(const std::string& utf8) { return platform::FromUtf8(utf8); }

std::string Narrow(std::u16string_view text) { return platform::ToUtf8(text); }

}  // namespace kivopack
