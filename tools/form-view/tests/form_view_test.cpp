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
  EXPECT_EQ(run.err, "") << "the result alone, without the core's debug output";
  EXPECT_EQ(run.out,
            "form MENU_GENERIC 0,0 1024x768 inactive\n"
            "  panel MAIN_PANEL 0,0 400x200 frame 0 \"\"\n"
            "    textbox TEXT_BOX 20,30 360x110 \"\"\n"
            "    button OK 60,150 110x30 \"OK\"\n"
            "    button CANCEL 230,150 110x30 \"Cancel\"\n");
  const tesk::testing::Picture picture = tesk::testing::Picture::Load(File("generic.png"));
  ASSERT_EQ(picture.width(), 1024);
  ASSERT_EQ(picture.height(), 768);
  EXPECT_EQ(picture.At(200, 46), 0x006893u);  // the panel's fill
  EXPECT_EQ(picture.At(0, 0), 0xFFFFFFu);     // its corner's marker
  EXPECT_EQ(picture.At(600, 400), 0u);        // the inactive form draws no background
}

// At width 800 the form's 800 variant is taken.
TEST_F(FormView, TheNarrowVariantLoadsAtWidth800) {
  const auto run = Run("MENU_GENERIC --width 800 --png " + Quoted(File("narrow.png")));
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
  // The file has no 800 variant: the form is taken as named.
  const auto run = Run("TABS_FORM --width 800 --resource " + Quoted(File("Forms.resource")));
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

// A variant made with a scale takes every position and size times the scale, truncated toward zero.
TEST_F(FormView, AScaledVariantTakesScaledPositionsAndSizes) {
  tesk::testing::WriteFile(File("bar.json"), R"({"type": "form", "name": "BAR", "width": 1024, "height": 768,
    "children": [{"type": "panel", "name": "MAIN_PANEL", "x": -509, "y": 3, "width": 1023, "height": 91}]})");
  tesk::testing::WriteFile(File("forms.json"), R"({"streams": [{"name": "BAR", "form": "bar.json"},
    {"name": "BAR_800", "form": "bar.json", "scale": 0.78125}]})");
  const auto packed = Run("resource " + Quoted(File("forms.json")) + " " + Quoted(File("Forms.resource")), "kivopack");
  ASSERT_EQ(packed.status, 0) << packed.err;
  const auto run = Run("BAR --width 800 --resource " + Quoted(File("Forms.resource")));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out,
            "form BAR 0,0 800x600\n"
            "  panel MAIN_PANEL -397,2 799x71 frame 3 \"Panel\"\n");
}

// Every form of the game's start-up loads at both widths; the HUD panel's tree as kept.
TEST_F(FormView, EveryFormOfTheStartUpLoadsAtBothWidths) {
  for (const char* width : {"1024", "800"}) {
    const auto run = Run(std::string("--all --width ") + width);
    EXPECT_EQ(run.status, 0) << width << ": " << run.err;
    size_t forms = 0;
    for (size_t at = run.out.find("== "); at != std::string::npos; at = run.out.find("\n== ", at + 1)) ++forms;
    EXPECT_EQ(forms, 40u) << width;
    EXPECT_EQ(run.out.find("== MENU_MAIN_ICONS_DEBUG"), std::string::npos);
  }
  const auto run = Run("--all");
  const size_t hud = run.out.find("== HUD_PANEL_1024\n");
  ASSERT_NE(hud, std::string::npos);
  EXPECT_EQ(run.out.substr(hud, run.out.find("== ", hud + 1) - hud),
            "== HUD_PANEL_1024\n"
            "form HUD_PANEL_1024 0,0 1024x768\n"
            "  panel MAIN_PANEL -457,0 920x91 frame 0 \"\"\n"
            "    icon SPECIALS_BUTTON 420,10 48x48\n"
            "    icon DEFAULT_PORTAL 480,10 64x64\n"
            "    icon FLOOR_TOGGLE 10,10 32x32\n"
            "    icon 1_ICON 50,10 24x24\n"
            "    icon 2_ICON 80,10 24x24\n"
            "    icon A_ICON 110,10 24x24\n"
            "    label 1_LBL 50,40 24x20 \"1\"\n"
            "    label 2_LBL 80,40 24x20 \"2\"\n"
            "    label A_LBL 110,40 24x20 \"A\"\n"
            "    icon BG_BAR_1 150,60 120x12\n"
            "    icon BG_BAR_2 150,75 120x12\n"
            "    icon GEN_SKILL 620,20 40x40\n"
            "    icon TOX_SKILL 665,20 40x40\n"
            "    icon NEU_SKILL 710,20 40x40\n"
            "    icon CAR_SKILL 755,20 40x40\n"
            "    icon PED_SKILL 800,20 40x40\n"
            "    icon ORT_SKILL 845,20 40x40\n"
            "    icon LEFT_WING_WHOLE 410,6 64x48\n"
            "    icon RIGHT_WING_WHOLE 550,6 64x48\n"
            "    icon LEFT_FEATHER_1 410,56 12x24\n"
            "    icon RIGHT_FEATHER_1 550,56 12x24\n"
            "    icon LEFT_FEATHER_2 424,56 12x24\n"
            "    icon RIGHT_FEATHER_2 564,56 12x24\n"
            "    icon LEFT_FEATHER_3 438,56 12x24\n"
            "    icon RIGHT_FEATHER_3 578,56 12x24\n"
            "    icon LEFT_FEATHER_4 452,56 12x24\n"
            "    icon RIGHT_FEATHER_4 592,56 12x24\n"
            "    icon PORTAL_FRAME 476,6 72x72\n"
            "    label STAT_MARKER 150,48 120x8 \"\"\n");
  EXPECT_EQ(Run("--all MENU_GENERIC").status, 2);
}

TEST_F(FormView, UnknownFormsAndBadCommandLinesAreRefused) {
  // --verbose adds the core's debug output, the game's construction among it.
  const auto missing = Run("MENU_NOWHERE --verbose");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("Creating RTTeskActor"), std::string::npos) << missing.err;
  EXPECT_NE(missing.err.find("form-view: the game's resources hold no form MENU_NOWHERE\n"), std::string::npos)
      << missing.err;
  EXPECT_EQ(Run("MENU_GENERIC --width 1280").status, 2);
  EXPECT_EQ(Run("").status, 2);
}

// Pixels of the rows from `top` to `bottom` that differ between the pictures.
int Differing(const tesk::testing::Picture& a, const tesk::testing::Picture& b, int top, int bottom) {
  int differing = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = 0; x < a.width(); ++x) differing += a.At(x, y) != b.At(x, y) ? 1 : 0;
  return differing;
}

// The sample's options form: a press on the master-volume slider, then drags with the button held
// and a move without it; the picture shows the knob where the events left it.
TEST_F(FormView, AnEventScriptMovesASlidersKnobAndPrintsThePositions) {
  tesk::testing::WriteFile(File("options.events"), "press 280 61\ndrag 330 61\ndrag 449 61\ndrag 138 61\n"
                                                    "move 338 61\n");
  const auto run = Run("MENU_GAME_OPTIONS_SCREEN --events " + Quoted(File("options.events")) + " --png " +
                       Quoted(File("after.png")));
  ASSERT_EQ(run.status, 0) << run.err;
  ASSERT_EQ(Run("MENU_GAME_OPTIONS_SCREEN --png " + Quoted(File("before.png"))).status, 0);
  const auto before = tesk::testing::Picture::Load(File("before.png"));
  const auto after = tesk::testing::Picture::Load(File("after.png"));
  ASSERT_EQ(after.height(), 768);
  EXPECT_GT(Differing(before, after, 46, 76), 0) << "the slider's row";
  EXPECT_EQ(Differing(before, after, 0, 40), 0) << "above it";
  const std::string others = "  slider GO_AUD_SLDR_EFV_SLDR 5/10\n  slider GO_AUD_SLDR_MCV_SLDR 5/10\n";
  EXPECT_EQ(run.out.substr(run.out.find("press")),
            "press 280 61 -> GO_AUD_SLDR_GMV_SLDR, focus GO_AUD_SLDR_GMV_SLDR\n"
            "  slider GO_AUD_SLDR_GMV_SLDR 2/10\n" + others +
            "drag 330 61 -> -, focus GO_AUD_SLDR_GMV_SLDR\n"
            "  slider GO_AUD_SLDR_GMV_SLDR 4/10\n" + others +
            "drag 449 61 -> -, focus GO_AUD_SLDR_GMV_SLDR\n"
            "  slider GO_AUD_SLDR_GMV_SLDR 9/10\n" + others +
            "drag 138 61 -> -, focus GO_AUD_SLDR_GMV_SLDR\n"
            "  slider GO_AUD_SLDR_GMV_SLDR 0/10\n" + others +
            "move 338 61 -> -, focus GO_AUD_SLDR_GMV_SLDR\n"
            "  slider GO_AUD_SLDR_GMV_SLDR 0/10\n" + others);
}

// The sample's save form: a name typed into the edit box (a backspace among the keys), then
// presses on the slots' rows and a hover over one.
TEST_F(FormView, AnEventScriptTypesASaveNameAndSelectsASlot) {
  tesk::testing::WriteFile(File("save.events"), "# the name\npress 88 401\nkey S\nkey 0x8\nkey A\nwait 600\n"
                                                 "key 1\npress 138 116\nhover 138 166\npress 138 66\n");
  const auto run = Run("MENU_SAVE --events " + Quoted(File("save.events")));
  ASSERT_EQ(run.status, 0) << run.err;
  auto state = [](int selected, int hover, const char* text) {
    return "  listbox SS_SSG_LISTBOX selected " + std::to_string(selected) + " top 0 hover " + std::to_string(hover) +
           "\n  editbox SS_SSG_EDIT_BOX \"" + text + "\"\n";
  };
  EXPECT_EQ(run.out.substr(run.out.find("press")),
            "press 88 401 -> -, focus SS_SSG_EDIT_BOX\n" + state(-1, -1, "") +
            "key S -> -, focus SS_SSG_EDIT_BOX\n" + state(-1, -1, "S") +
            "key 0x8 -> -, focus SS_SSG_EDIT_BOX\n" + state(-1, -1, "") +
            "key A -> -, focus SS_SSG_EDIT_BOX\n" + state(-1, -1, "A") +
            "wait 600 -> -, focus SS_SSG_EDIT_BOX\n" + state(-1, -1, "A") +
            "key 1 -> -, focus SS_SSG_EDIT_BOX\n" + state(-1, -1, "A1") +
            "press 138 116 -> SS_SSG_LISTBOX, focus -\n" + state(1, -1, "A1") +
            "hover 138 166 -> SS_SSG_LISTBOX, focus -\n" + state(1, 2, "A1") +
            "press 138 66 -> SS_SSG_LISTBOX, focus -\n" + state(0, 2, "A1"));
}

TEST_F(FormView, AnEventScriptStopsAtALineThatIsNoEvent) {
  tesk::testing::WriteFile(File("bad.events"), "press 280 61\njump 1 2\npress 1 1\n");
  // Both streams into one: what was printed comes before the error.
  const auto run = tesk::testing::RunCommand("{ " + Quoted((fs::path(TESK_STAGE_DIR) / "tools/form-view").string()) +
                                                 " MENU_GAME_OPTIONS_SCREEN --events " + Quoted(File("bad.events")) +
                                                 " 2>&1; }",
                                             files_.path());
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("press 280 61 -> GO_AUD_SLDR_GMV_SLDR"), std::string::npos) << run.out;
  EXPECT_TRUE(run.out.ends_with("\nform-view: event line 2 (\"jump 1 2\") is not an event\n")) << run.out;
  EXPECT_EQ(run.out.find("press 1 1"), std::string::npos);
}

}  // namespace
