#include "image_description.h"

#include "kivo/image/image_calls.h"
#include "kivo/support/stream_values.h"
#include "tool_support.h"

namespace kivopack {

bool WriteImageStream(const std::filesystem::path& file, RTInstance stream, std::string* error) {
  const auto bytes = ReadFileBytes(file);
  if (!bytes || bytes->size() > UINT32_MAX) {
    *error = "cannot read " + file.string();
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
