#include "font_description.h"

#include "font_data.h"
#include "tool_support.h"

namespace kivopack {

namespace {

using nlohmann::json;

bool Whole(const json& value, uint32_t* out) {
  if (!value.is_number_unsigned()) return false;
  *out = value.get<uint32_t>();
  return true;
}

bool Pair(const json& value, uint32_t* first, uint32_t* second) {
  return value.is_array() && value.size() == 2 && Whole(value[0], first) && Whole(value[1], second);
}

}  // namespace

bool WriteFontStream(const std::filesystem::path& metrics, RTInstance stream, std::string* error) {
  const auto description = ReadJson(metrics, error);
  if (!description) return false;
  const json& d = *description;
  font::FontData data;
  font::FontMetrics& m = data.metrics;
  auto field = [&](const char* key) -> const json& {
    static const json kNone;
    return d.is_object() && d.contains(key) ? d[key] : kNone;
  };
  const json& advances = field("advances");
  bool read = field("sheet").is_string() && Whole(field("size"), &m.sheetSize) &&
              Pair(field("cell"), &m.cellWidth, &m.cellHeight) &&
              Pair(field("texture"), &m.textureWidth, &m.textureHeight) &&
              Pair(field("origin"), &m.originX, &m.originY) && Whole(field("ascent"), &m.ascent) &&
              Whole(field("lineHeight"), &m.lineHeight) && advances.is_array() && advances.size() == font::kCodes;
  for (uint32_t code = 0; read && code < font::kCodes; ++code) {
    read = advances[code].is_number();
    if (read) m.advances[code] = advances[code].get<float>();
  }
  if (!read) {
    *error = metrics.string() + ": a font needs a \"sheet\", \"size\", \"cell\", \"texture\", \"origin\", "
             "\"ascent\", \"lineHeight\" and 256 \"advances\"";
    return false;
  }
  const std::filesystem::path sheet = metrics.parent_path() / field("sheet").get<std::string>();
  auto bytes = ReadFileBytes(sheet);
  if (!bytes) {
    *error = "cannot read " + sheet.string();
    return false;
  }
  data.sheet = std::move(*bytes);
  std::string why;
  if (!font::CheckFont(data, &why)) {
    *error = metrics.string() + ": " + why;
    return false;
  }
  if (font::WriteFontStream(stream, data)) return true;
  *error = "cannot write the font of " + metrics.string();
  return false;
}

}  // namespace kivopack
