#include <string>
#include <string_view>

#include "kivo/support/component_calls.h"
#include "kivo/support/stream_calls.h"
#include "form_description.h"
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
    // A stream's bytes are its "text" as they are, or its "utf16" text as UTF-16 units
    // (little-endian, no terminator), or the widget stream of the "form" its file describes, or
    // else the content of its "file".
    const bool isObject = item.is_object();
    const std::string_view source = isObject && item.contains("text")    ? "text"
                                    : isObject && item.contains("utf16") ? "utf16"
                                    : isObject && item.contains("form")  ? "form"
                                                                         : "file";
    if (!isObject || !item.contains("name") || !item["name"].is_string() || !item.contains(source) ||
        !item[source].is_string()) {
      *error = description.string() +
               ": every stream needs a \"name\" and a \"file\", \"text\" or \"utf16\" (or a \"form\"), each a text";
      return false;
    }
    const std::string value = item[source].get<std::string>();
    std::vector<uint8_t> bytes(value.begin(), value.end());
    if (source == "utf16") {
      bytes.clear();
      for (const char16_t unit : Wide(value)) {
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
      }
    } else if (source == "form") {
      // A "scale" (a number above 0) multiplies the form's positions and sizes.
      const double scale = item.contains("scale") && item["scale"].is_number() ? item["scale"].get<double>() : 1.0;
      if (item.contains("scale") && !(item["scale"].is_number() && scale > 0.0)) {
        *error = description.string() + ": the stream " + item["name"].get<std::string>() +
                 ": \"scale\" must be a number above 0";
        return false;
      }
      if (!CompileForm(description.parent_path() / value, scale, &bytes, error)) return false;
    } else if (source == "file") {
      const auto file = ReadFileBytes(description.parent_path() / value);
      if (!file) {
        *error = "cannot read " + value;
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
    if (!kivo::stream::Write(stream, bytes.data(), static_cast<uint32_t>(bytes.size()), &written) ||
        written != bytes.size()) {
      *error = "cannot fill the stream " + Narrow(name);
      return false;
    }
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
