// form-view as a user runs it from the staged tree: the sample's generic dialog printed as a tree
// and drawn; the command lines and forms it refuses.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "software_rasterizer.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;

class FormView : public ::testing::Test {
 protected:
  tesk::testing::CommandOutcome Run(const std::string& arguments, const char* tool = "form-view") {
    return tesk::testing::RunCommand(Quoted((fs::path(TESK_STAGE_DIR) / "tools" / tool).string()) + " " + arguments,
                                     files_.path());
  }
  std::string File(const char* name) const { return (files_.path() / name).string(); }

  tesk::testing::TempDir files_;
};

TEST_F(FormView, TheGenericDialogIsPrintedAsATreeAndDrawnOnTheScreen) {
  const auto run = Run("MENU_GENERIC --png " + Quoted(File("generic.png")));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "form MENU_GENERIC 0,0 1024x768 inactive\n"
            "  panel MAIN_PANEL 312,284 400x200 frame 0 \"\"\n"
            "    textbox TEXT_BOX 20,30 360x110 \"\"\n"
            "    button OK 60,150 110x30 \"OK\"\n"
            "    button CANCEL 230,150 110x30 \"Cancel\"\n");
  const tesk::testing::Picture picture = tesk::testing::Picture::Load(File("generic.png"));
  ASSERT_EQ(picture.width(), 1024);
  ASSERT_EQ(picture.height(), 768);
  EXPECT_EQ(picture.At(512, 330), 0x006893u);  // the panel's fill
  EXPECT_EQ(picture.At(312, 284), 0xFFFFFFu);  // its corner's marker
  EXPECT_EQ(picture.At(100, 100), 0u);         // the inactive form draws no background
}

TEST_F(FormView, TheNarrowVariantLoadsAtWidth800) {
  const auto run = Run("MENU_GENERIC_800 --width 800 --png " + Quoted(File("narrow.png")));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')), "form MENU_GENERIC 0,0 800x600 inactive");
  EXPECT_EQ(tesk::testing::Picture::Load(File("narrow.png")).width(), 800);
}

TEST_F(FormView, AFormIsTakenFromAGivenResourceFile) {
  tesk::testing::WriteFile(File("tabs.json"), R"({"type": "form", "name": "TABS_FORM", "children": [
    {"type": "tabpanel", "name": "TABS", "x": 10, "pages": [{"name": "First"},
      {"name": "Second", "panel": {"children": [{"type": "label", "name": "NOTE", "text": "Hello", "font": 3}]}}]},
    {"type": "colorbox", "name": "SWATCH", "inactive": true}]})");
  tesk::testing::WriteFile(File("forms.json"), R"({"streams": [{"name": "TABS_FORM", "form": "tabs.json"}]})");
  const auto packed = Run("resource " + Quoted(File("forms.json")) + " " + Quoted(File("Forms.resource")), "kivopack");
  ASSERT_EQ(packed.status, 0) << packed.err;
  const auto run = Run("TABS_FORM --resource " + Quoted(File("Forms.resource")));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "form TABS_FORM 0,0 100x100\n"
            "  tabpanel TABS 10,24 320x240\n"
            "    page \"First\" current\n"
            "      panel Undefined 0,0 320x240 frame 4 \"\"\n"
            "    page \"Second\"\n"
            "      panel Undefined 0,0 320x240 frame 4 \"\"\n"
            "        label NOTE 0,0 100x30 font 3 \"Hello\"\n"
            "  colorbox SWATCH 0,0 18x18 inactive\n");
  EXPECT_EQ(Run("NOWHERE --resource " + Quoted(File("Forms.resource"))).status, 1);
}

TEST_F(FormView, UnknownFormsAndBadCommandLinesAreRefused) {
  const auto missing = Run("MENU_NOWHERE");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("the game's resources hold no form MENU_NOWHERE"), std::string::npos) << missing.err;
  EXPECT_EQ(Run("MENU_GENERIC --width 1280").status, 2);
  EXPECT_EQ(Run("").status, 2);
}

}  // namespace
