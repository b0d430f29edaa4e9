// hudview: draws pieces of the game's HUD offscreen into PNG files. The core runs on a Kivo root
// of its own with the staged components, the real game component and the software rasterizer;
// the game is started at the screen width and the pieces are drawn through its record with the
// HUD's code and through the game's method-table entries.
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "core_session.h"
#include "hud_game.h"
#include "hud_pictures.h"
#include "patient_bar_view.h"
#include "raised_messages.h"
#include "tool_frame.h"

namespace {

struct Picture {
  const char* flag;
  void (*draw)(hudview::HudGame&);
  std::string png;
};

constexpr tesk::ToolText kText = {
    "usage: hudview [--verbose] [--width 1024|800] [--icons FILE] [--tiles FILE] [--shapes FILE]\n"
    "               [--patient-bar DIR]\n",
    "Starts the game at the screen width (1024 x 768, or 800 x 600) and draws pieces of its HUD\n"
    "offscreen, each into its PNG file:\n"
    "  --icons FILE   every entry of the HUD icon table upright, then the digits -3 to 10 in the six\n"
    "                 digit styles; prints \"icon <n> sheet <code> <w>x<h>\" an entry\n"
    "  --tiles FILE   the four start-up tiles at (0, 0), (512, 0), (0, 512) and (512, 512)\n"
    "  --shapes FILE  arcs, thick lines of 0 to 4 pixels and bordered discs; prints the vertices\n"
    "                 each gave the rasterizer\n"
    "  --patient-bar DIR  the patient bar with the sample's kinds of patient at arrival frames 10,\n"
    "                 27 and 40, leaving frame 20, the shake and slot 1 hovered, a PNG each in DIR;\n"
    "                 prints the slot's X, look and colour (an animation's square by its corner)\n"
    "                 a square\n"};

bool ParseCommandLine(int argc, char** argv, int32_t* width, std::vector<Picture>& pictures,
                      std::string* patientBar) {
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string word = argv[i];
    if (word == "--width") {
      *width = std::atoi(argv[i + 1]);
      if (*width != 1024 && *width != 800) return false;
      continue;
    }
    if (word == "--patient-bar") {
      if (!patientBar->empty()) return false;
      *patientBar = argv[i + 1];
      continue;
    }
    Picture* picture = nullptr;
    for (Picture& p : pictures)
      if (word == p.flag) picture = &p;
    if (!picture || !picture->png.empty()) return false;
    picture->png = argv[i + 1];
  }
  if (argc % 2 == 0) return false;
  if (!patientBar->empty()) return true;
  for (const Picture& p : pictures)
    if (!p.png.empty()) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  int32_t width = 1024;
  std::vector<Picture> pictures = {
      {"--icons", hudview::DrawIcons, {}}, {"--tiles", hudview::DrawTiles, {}}, {"--shapes", hudview::DrawShapes, {}}};
  std::string patientBar;
  if (!ParseCommandLine(argc, argv, &width, pictures, &patientBar)) return tesk::RefuseCommandLine(kText);
  setenv("ALSOFT_DRIVERS", "null", 0);
  std::string error;
  auto session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kRootsOwnRoot);
  if (!session) {
    tesk::PrintError("hudview: %s\n", error.c_str());
    return 1;
  }
  // The errors raised while drawing; the game's start reports its progress.
  tesk::RaisedMessages raised(session->core());
  hudview::HudGame game;
  if (!game.Start(session->core(), width, &error)) {
    tesk::PrintError("hudview: %s\n", error.c_str());
    return 1;
  }
  raised.Print(true);
  for (const Picture& picture : pictures) {
    if (picture.png.empty()) continue;
    if (!game.Picture(picture.png, [&] { picture.draw(game); }, &error)) {
      tesk::PrintError("hudview: %s\n", error.c_str());
      return 1;
    }
  }
  if (!patientBar.empty() && !hudview::DrawPatientBar(game, patientBar, &error)) {
    tesk::PrintError("hudview: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
