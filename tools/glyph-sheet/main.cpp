// glyph-sheet: rasterises the fonts a description lists. The description formats are in
// docs/content.md:
//   {"fonts": [{"name": "Verdana17", "face": "DejaVuSans", "size": 17, "cell": [32, 32],
//               "texture": [512, 512], "outline": false}, ...]}
// Each becomes OUT-DIR/NAME.png (the sheet) and OUT-DIR/NAME.json (its metrics:
// {"sheet": "NAME.png", "size", "cell", "texture", "origin", "ascent", "lineHeight",
// "advances": [256 numbers]}), which kivopack packs as a font. Faces are TrueType files FACE.ttf
// in FACE-DIR (the DejaVu fonts of the system by default).
#include <stb_image_write.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>

#include "glyph_sheet.h"
#include "tool_frame.h"

namespace {

constexpr char kDefaultFaces[] = "/usr/share/fonts/truetype/dejavu";

constexpr tesk::ToolText kText = {
    "usage: glyph-sheet DESCRIPTION.json OUT-DIR [FACE-DIR]\n",
    "  DESCRIPTION.json  the fonts: {\"fonts\": [{\"name\", \"face\", \"size\", \"cell\": [w, h],\n"
    "                    \"texture\": [w, h], \"outline\"}]}\n"
    "  OUT-DIR           gets NAME.png (the sheet) and NAME.json (its metrics) of each font\n"
    "  FACE-DIR          where FACE.ttf lies (the system's DejaVu fonts by default)\n"
    "Exit status: 0 done, 1 the work failed (the message says why), 2 bad arguments.\n",
};

bool ReadRequest(const nlohmann::json& item, const std::filesystem::path& faces, glyphsheet::SheetRequest* request,
                 std::string* error) {
  auto pair = [&](const char* key, uint32_t* first, uint32_t* second) {
    if (!item.contains(key) || !item[key].is_array() || item[key].size() != 2 || !item[key][0].is_number_unsigned() ||
        !item[key][1].is_number_unsigned())
      return false;
    *first = item[key][0].get<uint32_t>();
    *second = item[key][1].get<uint32_t>();
    return true;
  };
  if (!item.is_object() || !item.contains("name") || !item["name"].is_string() || !item.contains("face") ||
      !item["face"].is_string() || !item.contains("size") || !item["size"].is_number_unsigned() ||
      !pair("cell", &request->cellWidth, &request->cellHeight) ||
      !pair("texture", &request->textureWidth, &request->textureHeight)) {
    *error = "every font needs a \"name\", a \"face\", a \"size\", a \"cell\" and a \"texture\"";
    return false;
  }
  request->name = item["name"].get<std::string>();
  request->face = faces / (item["face"].get<std::string>() + ".ttf");
  request->size = item["size"].get<uint32_t>();
  request->outline = item.value("outline", false);
  return true;
}

bool Write(const glyphsheet::SheetRequest& request, const glyphsheet::Sheet& sheet, const std::filesystem::path& out,
           std::string* error) {
  const std::string png = request.name + ".png";
  if (!stbi_write_png((out / png).c_str(), static_cast<int>(request.textureWidth),
                      static_cast<int>(request.textureHeight), 4, sheet.rgba.data(),
                      static_cast<int>(request.textureWidth * 4))) {
    *error = "cannot write " + (out / png).string();
    return false;
  }
  const nlohmann::json metrics = {
      {"sheet", png},
      {"size", sheet.size},
      {"cell", {request.cellWidth, request.cellHeight}},
      {"texture", {request.textureWidth, request.textureHeight}},
      {"origin", {sheet.originX, sheet.originY}},
      {"ascent", sheet.ascent},
      {"lineHeight", sheet.lineHeight},
      {"advances", sheet.advances},
  };
  std::ofstream file(out / (request.name + ".json"));
  file << metrics.dump(1) << '\n';
  if (!file) *error = "cannot write " + (out / (request.name + ".json")).string();
  return static_cast<bool>(file);
}

int Run(const std::filesystem::path& description, const std::filesystem::path& out,
        const std::filesystem::path& faces) {
  std::ifstream input(description);
  const nlohmann::json json = nlohmann::json::parse(input, nullptr, false);
  if (!input || json.is_discarded() || !json.contains("fonts") || !json["fonts"].is_array()) {
    tesk::PrintError("glyph-sheet: %s: no list of \"fonts\"\n", description.c_str());
    return 1;
  }
  std::error_code ignored;
  std::filesystem::create_directories(out, ignored);
  for (const auto& item : json["fonts"]) {
    glyphsheet::SheetRequest request;
    glyphsheet::Sheet sheet;
    std::string error;
    if (!ReadRequest(item, faces, &request, &error) || !glyphsheet::MakeSheet(request, &sheet, &error) ||
        !Write(request, sheet, out, &error)) {
      tesk::PrintError("glyph-sheet: %s: %s\n", description.c_str(), error.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  if (argc != 3 && argc != 4) return tesk::RefuseCommandLine(kText);
  return Run(argv[1], argv[2], argc == 4 ? argv[3] : kDefaultFaces);
}
