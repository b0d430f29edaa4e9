#include "image_description.h"

#include "kivo/image/image_calls.h"
#include "kivo/support/stream_values.h"
#include "image_pattern.h"
#include "tool_support.h"

namespace kivopack {

std::optional<std::vector<uint8_t>> ReadImageFile(const std::filesystem::path& file, std::string* error) {
  if (file.extension() == ".json") {
    const auto description = ReadJson(file, error);
    if (!description) return std::nullopt;
    auto png = DrawPattern(*description, error);
    if (!png) *error = file.string() + ": " + *error;
    return png;
  }
  auto bytes = ReadFileBytes(file);
  if (!bytes || bytes->empty()) *error = "cannot read " + file.string();
  return bytes && !bytes->empty() ? bytes : std::nullopt;
}

bool WriteImageStream(const std::filesystem::path& file, RTInstance stream, std::string* error) {
  const auto bytes = ReadImageFile(file, error);
  if (!bytes) return false;
  if (bytes->size() > UINT32_MAX) {
    *error = file.string() + " is too large";
    return false;
  }
  const auto size = static_cast<uint32_t>(bytes->size());
  if (kivo::StreamWriteUInt(stream, kivo::image::kStreamVersion) && kivo::StreamWriteUInt(stream, size) &&
      kivo::StreamWriteBytes(stream, bytes->data(), size))
    return true;
  *error = "cannot write the image of " + file.string();
  return false;
}

}  // namespace kivopack
