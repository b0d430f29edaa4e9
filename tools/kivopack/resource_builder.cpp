#include <string>

#include "kivo/support/component_calls.h"
#include "kivo/support/stream_calls.h"
#include "pack_tool.h"
#include "tool_support.h"

namespace kivopack {

bool BuildResource(CoreTable& core, const std::filesystem::path& description, const std::filesystem::path& resource,
                   std::string* error) {
  const auto json = ReadJson(description, error);
  if (!json) return false;
  if (!json->contains("streams") || !(*json)["streams"].is_array()) {
    *error = description.string() + ": \"streams\" must be a list";
    return false;
  }
  kivo::InstanceRef container;
  if (!core.CreateInstanceByString(nullptr, u"RTResource", container.out(), 0, 0)) {
    *error = "the resource component is not installed";
    return false;
  }
  for (const auto& item : (*json)["streams"]) {
    if (!item.is_object() || !item.contains("name") || !item["name"].is_string() ||
        !(item.contains("file") || item.contains("text"))) {
      *error = description.string() + ": every stream needs a \"name\" and a \"file\" or \"text\"";
      return false;
    }
    std::vector<uint8_t> bytes;
    if (item.contains("text")) {
      const std::string text = item["text"].get<std::string>();
      bytes.assign(text.begin(), text.end());
    } else {
      const auto file = ReadFileBytes(description.parent_path() / item["file"].get<std::string>());
      if (!file) {
        *error = "cannot read " + item["file"].get<std::string>();
        return false;
      }
      bytes = *file;
    }
    RTInstance stream = nullptr;
    const std::u16string name = Wide(item["name"].get<std::string>());
    // Streams made under the resource become its named streams.
    if (!core.CreateInstanceByString(container.get(), u"RTMemoryStream", &stream, 0, 0) ||
        !kivo::memory_stream::Open(stream, kivo::memory_stream::kReadWrite) ||
        !kivo::component::SetName(stream, name.c_str())) {
      *error = "cannot add the stream " + Narrow(name);
      return false;
    }
    uint32_t written = 0;
    kivo::stream::Write(stream, bytes.data(), static_cast<uint32_t>(bytes.size()), &written);
  }
  kivo::InstanceRef file;
  const std::u16string path = Wide(std::filesystem::absolute(resource).string());
  if (!core.CreateInstanceByString(nullptr, u"RTBrellinFileStream", file.out(), 0, 0) ||
      !kivo::file_stream::Open(file.get(), path.c_str(), kivo::file_stream::kWriteNew) ||
      !kivo::component::StreamOut(container.get(), kivo::component::kStreamWhole, file.get()) ||
      !kivo::stream::Close(file.get())) {
    *error = "cannot write " + resource.string();
    return false;
  }
  return true;
}

}  // namespace kivopack
