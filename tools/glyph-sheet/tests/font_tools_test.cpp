// glyph-sheet and kivopack as the build runs them: a font rasterised into a sheet and metrics,
// packed as an RTFont instance and listed; descriptions either tool refuses with a message and
// nothing written.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/wait.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "host/core_host.h"

namespace {

using tesk::testing::ReadFile;

constexpr std::string_view kComponents[] = {"RTComponent",   "RTStream",        "RTMemoryStream", "RTBrellinFileStream",
                                            "RTResource",    "RTInstanceStore", "RTFont"};

class FontTools : public ::testing::Test {
 protected:
  // A tool's exit status and what it wrote to standard error.
  int Run(const char* tool, const std::string& arguments, std::string* errors) {
    const std::string command = std::string(tool) + " " + arguments + " >/dev/null 2>" + File("errors.txt");
    const int status = std::system(command.c_str());
    *errors = ReadFile(File("errors.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string File(const std::string& name) const { return (files_.path() / name).string(); }
  void Write(const std::string& name, std::string_view contents) { tesk::testing::WriteFile(File(name), contents); }

  tesk::testing::CoreHost host_{kComponents};
  tesk::testing::TempDir files_;
};

TEST_F(FontTools, ASheetIsRasterisedPackedAndListed) {
  Write("fonts.json", R"({"fonts": [{"name": "Small", "face": "DejaVuSans", "size": 40, "cell": [16, 16],
                                     "texture": [256, 256], "outline": true}]})");
  std::string errors;
  ASSERT_EQ(Run(GLYPH_SHEET, File("fonts.json") + " " + File("fonts"), &errors), 0) << errors;
  const auto metrics = nlohmann::json::parse(ReadFile(File("fonts/Small.json")));
  EXPECT_LT(metrics["size"].get<int>(), 16) << "lowered until every glyph fits its cell";
  EXPECT_EQ(metrics["advances"].size(), 256u);
  EXPECT_EQ(metrics["advances"][' '].get<float>(), metrics["advances"][160].get<float>()) << "a space is a space";
  EXPECT_EQ(metrics["advances"][10].get<float>(), 0.0f) << "control codes take no room";
  int width = 0, height = 0, channels = 0;
  ASSERT_TRUE(stbi_info(File("fonts/Small.png").c_str(), &width, &height, &channels));
  EXPECT_EQ(width, 256);
  EXPECT_EQ(height, 256);

  Write("store.json", R"({"instances": [{"path": "Root:Fonts:Small", "class": "RTFont", "font": "fonts/Small.json"}]})");
  ASSERT_EQ(Run(KIVOPACK, "build " + File("store.json") + " " + File("root.kivopack"), &errors), 0) << errors;
  const std::string list = std::string(KIVOPACK) + " list " + File("root.kivopack") + " >" + File("list.txt");
  ASSERT_EQ(std::system(list.c_str()), 0);
  EXPECT_NE(ReadFile(File("list.txt")).find("Root:Fonts:Small\tRTFont\t"), std::string::npos);
}

TEST_F(FontTools, RefusalsSayWhyAndWriteNothing) {
  const struct {
    const char* what;
    const char* fonts;
    const char* message;
  } sheets[] = {
      {"no fonts", R"({"faces": []})", "no list of \"fonts\""},
      {"no cell", R"({"fonts": [{"name": "A", "face": "DejaVuSans", "size": 9, "texture": [64, 64]}]})",
       "every font needs a \"name\", a \"face\", a \"size\", a \"cell\" and a \"texture\""},
      {"no such face", R"({"fonts": [{"name": "A", "face": "Nowhere", "size": 9, "cell": [4, 4], "texture": [64, 64]}]})",
       "A: cannot read the face"},
      {"cells too small", R"({"fonts": [{"name": "A", "face": "DejaVuSans", "size": 9, "cell": [4, 4], "texture": [64, 64]}]})",
       "A: no size of the face fits cells of 4 x 4"},
      {"cells do not fit", R"({"fonts": [{"name": "A", "face": "DejaVuSans", "size": 9, "cell": [16, 16], "texture": [64, 64]}]})",
       "A: 256 cells do not fit the texture"},
  };
  for (const auto& c : sheets) {
    Write("fonts.json", c.fonts);
    std::string errors;
    EXPECT_EQ(Run(GLYPH_SHEET, File("fonts.json") + " " + File("out"), &errors), 1) << c.what;
    EXPECT_NE(errors.find(c.message), std::string::npos) << c.what << ": " << errors;
    EXPECT_FALSE(std::filesystem::exists(File("out/A.png"))) << c.what;
  }

  Write("fonts.json", R"({"fonts": [{"name": "A", "face": "DejaVuSans", "size": 9, "cell": [16, 16],
                                     "texture": [256, 256]}]})");
  std::string errors;
  ASSERT_EQ(Run(GLYPH_SHEET, File("fonts.json") + " " + File("fonts"), &errors), 0) << errors;
  const std::string good = ReadFile(File("fonts/A.json"));
  auto metrics = [&](const char* key, const nlohmann::json& value) {
    auto json = nlohmann::json::parse(good);
    if (value.is_null()) {
      json.erase(key);
    } else {
      json[key] = value;
    }
    return json.dump();
  };
  const struct {
    const char* what;
    std::string metrics;
    const char* entry;
    const char* message;
  } packs[] = {
      {"advances missing", metrics("advances", nullptr), "RTFont", "256 \"advances\""},
      {"sheet missing", metrics("sheet", "none.png"), "RTFont", "cannot read"},
      {"sheet of another size", metrics("texture", {512, 512}), "RTFont", "its sheet is not 512 x 512"},
      {"origin outside", metrics("origin", {16, 3}), "RTFont", "the pen's origin lies outside the cell"},
      {"not a font's class", good, "RTComponent", "a \"font\" names a metrics file for an RTFont instance"},
  };
  for (const auto& c : packs) {
    Write("fonts/B.json", c.metrics);
    Write("store.json", std::string(R"({"instances": [{"path": "Root:Fonts:B", "class": ")") + c.entry +
                            R"(", "font": "fonts/B.json"}]})");
    EXPECT_EQ(Run(KIVOPACK, "build " + File("store.json") + " " + File("root.kivopack"), &errors), 1) << c.what;
    EXPECT_NE(errors.find(c.message), std::string::npos) << c.what << ": " << errors;
    EXPECT_FALSE(std::filesystem::exists(File("root.kivopack"))) << c.what;
  }
}

}  // namespace
