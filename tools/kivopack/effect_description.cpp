#include "effect_description.h"

#include <algorithm>
#include <nlohmann/json.hpp>

#include "image_description.h"
#include "kivo/image/stored_data_calls.h"
#include "kivo/support/stream_values.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;

constexpr uint32_t kEffectVersion = 0x500;
constexpr uint32_t kSystemVersion = 0x605;

struct Bytes {
  std::vector<uint8_t> out;

  void UInt(uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>(value >> shift));
  }
  void Narrow(const std::string& text) {
    UInt(static_cast<uint32_t>(text.size()));
    if (text.empty()) return;
    out.insert(out.end(), text.begin(), text.end());
    out.push_back(0);
  }
  void Wide(const std::u16string& text) {
    UInt(static_cast<uint32_t>(text.size()));
    if (text.empty()) return;
    for (char16_t unit : text + u'\0') {
      out.push_back(static_cast<uint8_t>(unit));
      out.push_back(static_cast<uint8_t>(unit >> 8));
    }
  }
};

// A text field: a string, or a list of lines joined with line ends; empty when left out.
bool Text(const json& object, const char* field, std::string* text, std::string* error) {
  text->clear();
  if (!object.contains(field)) return true;
  const json& value = object[field];
  if (value.is_string()) {
    *text = value.get<std::string>();
    return true;
  }
  const bool lines = value.is_array() && std::all_of(value.begin(), value.end(), [](const json& line) {
    return line.is_string();
  });
  if (lines) {
    for (const json& line : value) *text += line.get<std::string>() + "\n";
    return true;
  }
  *error = std::string("\"") + field + "\" is a text or a list of lines";
  return false;
}

bool Word(const json& object, const char* field, uint32_t fallback, uint32_t* value, std::string* error) {
  *value = fallback;
  if (!object.contains(field)) return true;
  if (object[field].is_number_unsigned() && object[field].get<uint64_t>() <= UINT32_MAX) {
    *value = static_cast<uint32_t>(object[field].get<uint64_t>());
    return true;
  }
  *error = std::string("\"") + field + "\" is a whole number from 0 to 4294967295";
  return false;
}

bool System(const json& system, const std::filesystem::path& folder, Bytes& bytes, std::string* error) {
  if (!system.is_object()) {
    *error = "every system is an object";
    return false;
  }
  uint32_t version = 0, blend = 0, space = 0;
  std::string emitter, look;
  if (!Word(system, "version", kSystemVersion, &version, error) || !Word(system, "blend", 1, &blend, error) ||
      !Word(system, "space", 1, &space, error) || !Text(system, "emitter", &emitter, error) ||
      !Text(system, "look", &look, error))
    return false;
  bytes.UInt(version);
  if (version < 0x500) return true;
  bytes.UInt(0);
  bytes.Narrow(look);
  bytes.Narrow(emitter);
  if (version < 0x600) return true;
  const bool hasImage = system.contains("image");
  if (hasImage && !system["image"].is_string()) {
    *error = "\"image\" names an image file or description";
    return false;
  }
  bytes.out.push_back(hasImage ? 1 : 0);
  if (hasImage) {
    if (system.contains("imageClass") && !system["imageClass"].is_string()) {
      *error = "\"imageClass\" names a class";
      return false;
    }
    if (version >= 0x605) bytes.Wide(Wide(system.value("imageClass", std::string("RTBMPImage"))));
    const auto image = ReadImageFile(folder / system["image"].get<std::string>(), error);
    if (!image) return false;
    bytes.UInt(kivo::image::kStreamVersion);
    bytes.UInt(static_cast<uint32_t>(image->size()));
    bytes.out.insert(bytes.out.end(), image->begin(), image->end());
  }
  if (version < 0x605) return true;
  bytes.UInt(blend);
  bytes.UInt(space);
  return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> CompileEffect(const std::filesystem::path& file, std::string* error) {
  const auto description = ReadJson(file, error);
  if (!description) return std::nullopt;
  const auto refuse = [&]() -> std::optional<std::vector<uint8_t>> {
    *error = file.string() + ": " + *error;
    return std::nullopt;
  };
  if (!description->is_object() || !description->contains("systems") || !(*description)["systems"].is_array()) {
    *error = "an effect has a list \"systems\"";
    return refuse();
  }
  Bytes bytes;
  uint32_t version = 0;
  std::string title, options;
  if (!Word(*description, "version", kEffectVersion, &version, error) ||
      !Text(*description, "title", &title, error) || !Text(*description, "options", &options, error))
    return refuse();
  bytes.UInt(version);
  if (version < kEffectVersion) return bytes.out;
  bytes.Narrow(title);
  bytes.Narrow(options);
  bytes.UInt(static_cast<uint32_t>((*description)["systems"].size()));
  for (const json& system : (*description)["systems"])
    if (!System(system, file.parent_path(), bytes, error)) return refuse();
  return bytes.out;
}

bool WriteEffectStream(const std::filesystem::path& file, RTInstance stream, std::string* error) {
  const auto bytes = CompileEffect(file, error);
  if (!bytes) return false;
  const auto size = static_cast<uint32_t>(bytes->size());
  if (kivo::StreamWriteUInt(stream, kivo::stored_data::kStreamVersion) && kivo::StreamWriteUInt(stream, size) &&
      kivo::StreamWriteBytes(stream, bytes->data(), size))
    return true;
  *error = "cannot write the effect of " + file.string();
  return false;
}

}  // namespace kivopack
