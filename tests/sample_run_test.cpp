// The sample game as ./tesk run plays it headless: the staged Tesk on the staged components, store
// and game directory (laid out again in a temporary folder, so the run writes nothing into the
// staged tree), frames offscreen and a screenshot. The game starts up with its resources and fonts
// and loads the hospital, whose elevator mats, exam room and lobby spawn point it prints; the
// screenshot shows the exam room from the camera that follows the doctor, walled and with props of
// different colours and the magenta glow over the doctor; the music, the speeches one after the other and the rooms' ambience play; the doctor and the patients, whose places the game prints every pass, keep
// out of each other and of the props; a gurney and a wheelchair drive off; and the rasterizer's
// recording shows the loading screen first, then every frame whole, its floors drawn with their
// baked lightmaps.
#include <gtest/gtest.h>
#include <stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/run_command.h"
#include "host/staged_game.h"
#include "host/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using tesk::testing::Quoted;

constexpr int kWidth = 1024;  // the sample's tesk.ini
constexpr int kHeight = 768;
constexpr uint32_t kClearColour = 0x000000;
const std::string kIdentity = "[1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1]";  // the screen stages' view

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
  static Image Load(const fs::path& png) {
    Image image;
    int channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), &image.width, &image.height, &channels, 4);
    if (pixels) image.rgba.assign(pixels, pixels + size_t(image.width) * image.height * 4);
    stbi_image_free(pixels);
    return image;
  }
  const uint8_t* At(int x, int y) const { return rgba.data() + (size_t(y) * width + x) * 4; }
};

uint32_t Rgb(const uint8_t* pixel) { return uint32_t{pixel[0]} << 16 | uint32_t{pixel[1]} << 8 | pixel[2]; }

// Whether two pixels differ by at most a few steps in each channel (the sprites' filtering).
bool Near(const uint8_t* a, const uint8_t* b) {
  for (int channel = 0; channel < 3; ++channel)
    if (std::abs(int{a[channel]} - int{b[channel]}) > 4) return false;
  return true;
}

// The HUD after the first dialog's answer, at 1024 x 768: the hint icon (the skin's cell 59, 48
// pixels square, 20 in from the right at y 145) with its count, the right prestige wing rebuilt
// from the bronze template (cell 132, 64 x 48 at (602, 683)), and the subtitle box across the
// bottom (x 190 to 834 from y 543), one fill from side to side. A sprite's pixel near its top-left
// corner shows its cell's fill, as the skin's character image holds it (32-texel cells).
void TheHudShowsTheAnswersNotices(const Image& picture) {
  const Image character = Image::Load(fs::path(GAME_ART_DIR) / "CHARACTER_A.png");
  ASSERT_EQ(character.width, 512);
  auto cellFill = [&](int cell) { return character.At(cell % 16 * 32 + 6, cell / 16 * 32 + 6); };
  const struct {
    const char* what;
    int x, y, cell;
  } sprites[] = {{"the hint icon", 956 + 9, 145 + 9, 59}, {"the bronze wing", 602 + 12, 683 + 9, 132}};
  for (const auto& sprite : sprites)
    EXPECT_TRUE(Near(picture.At(sprite.x, sprite.y), cellFill(sprite.cell)))
        << sprite.what << std::hex << " " << Rgb(picture.At(sprite.x, sprite.y)) << " against "
        << Rgb(cellFill(sprite.cell));
  const uint32_t box = Rgb(picture.At(200, 590));
  for (int x = 200; x <= 820; x += 20) EXPECT_EQ(Rgb(picture.At(x, 590)), box) << "the subtitle box at x " << x;
  EXPECT_NE(box, kClearColour);
}

// Where the game printed its people after one pass: the game clock and the x-z places of the doctor
// and the two patients.
struct Pass {
  float clock = 0;
  std::array<std::array<float, 2>, 3> at{};
};
constexpr const char* kPeople[] = {"the doctor", "the first patient", "the second patient"};
constexpr float kActorRadius = 0.3f;  // every character's, as the actor component makes it

std::vector<Pass> PrintedPasses(const std::string& output) {
  std::vector<Pass> passes;
  std::istringstream lines(output);
  for (std::string text; std::getline(lines, text);) {
    Pass pass;
    float y[3];
    if (std::sscanf(text.c_str(), "positions %f <%f, %f, %f> <%f, %f, %f> <%f, %f, %f>", &pass.clock, &pass.at[0][0],
                    &y[0], &pass.at[0][1], &pass.at[1][0], &y[1], &pass.at[1][1], &pass.at[2][0], &y[2],
                    &pass.at[2][1]) == 10)
      passes.push_back(pass);
  }
  return passes;
}

// The x-z extent (min x, max x, min z, max z) of every obstacle box of the hospital's rooms, as the
// sample's store describes them, by node name.
std::vector<std::pair<std::string, std::array<float, 4>>> HospitalObstacles() {
  std::ifstream in(SAMPLE_STORE_DESCRIPTION);
  const nlohmann::json store = nlohmann::json::parse(in);
  std::vector<std::pair<std::string, std::array<float, 4>>> boxes;
  for (const nlohmann::json& instance : store.at("instances")) {
    if (instance.at("path").get<std::string>().rfind("Root:Tesk:Assets:Rooms:", 0) != 0) continue;
    for (const nlohmann::json& node : instance.at("room").value("nodes", nlohmann::json::array())) {
      if (!node.contains("obstacle")) continue;
      const nlohmann::json& at = node.at("position");  // placed without a turn
      const nlohmann::json& box = node.at("obstacle");
      boxes.push_back({node.at("name").get<std::string>(),
                       {at[0].get<float>() + box[0][0].get<float>(), at[0].get<float>() + box[1][0].get<float>(),
                        at[2].get<float>() + box[0][2].get<float>(), at[2].get<float>() + box[1][2].get<float>()}});
    }
  }
  return boxes;
}

// No two people stand closer than the sum of their radii (less a centimetre) for more than a fifth
// of a second of game time at a stretch (a few frames), and none ever stands inside a prop's
// obstacle box.
void PeopleKeepOutOfEachOtherAndOfTheProps(const std::string& output) {
  constexpr float kSlack = 0.01f;
  constexpr float kLongestOverlap = 0.2f;  // seconds of game time
  const std::vector<Pass> passes = PrintedPasses(output);
  ASSERT_GT(passes.size(), 100u) << output;
  EXPECT_GT(passes.back().clock, 4.0f) << "the run lasts until the people have met";
  const auto boxes = HospitalObstacles();
  EXPECT_GE(boxes.size(), 4u);
  for (size_t a = 0; a < 3; ++a) {
    for (size_t b = a + 1; b < 3; ++b) {
      float since = -1;  // the clock at which the present overlap began
      for (const Pass& pass : passes) {
        const float apart = std::hypot(pass.at[a][0] - pass.at[b][0], pass.at[a][1] - pass.at[b][1]);
        if (apart >= 2 * kActorRadius - kSlack) {
          since = -1;
          continue;
        }
        if (since < 0) since = pass.clock;
        EXPECT_LE(pass.clock - since, kLongestOverlap)
            << kPeople[a] << " and " << kPeople[b] << " " << apart << " apart at " << pass.clock;
        if (pass.clock - since > kLongestOverlap) break;
      }
    }
  }
  for (size_t person = 0; person < 3; ++person)
    for (const auto& [name, box] : boxes) {
      const auto inside = std::find_if(passes.begin(), passes.end(), [&, &box = box](const Pass& pass) {
        const auto& [x, z] = pass.at[person];
        return x > box[0] && x < box[1] && z > box[2] && z < box[3];
      });
      EXPECT_TRUE(inside == passes.end()) << kPeople[person] << " inside " << name << " at " << inside->clock;
    }
}

// The places printed after "<what> at " (the wheelchair's or the gurney's, one a second of game
// time).
std::vector<std::array<float, 3>> PrintedPlaces(const std::string& output, const std::string& what) {
  std::vector<std::array<float, 3>> places;
  std::istringstream lines(output);
  const std::string format = what + " at <%f, %f, %f>";
  for (std::string text; std::getline(lines, text);) {
    std::array<float, 3> at{};
    if (std::sscanf(text.c_str(), format.c_str(), &at[0], &at[1], &at[2]) == 3) places.push_back(at);
  }
  return places;
}

// The gurney and the wheelchair are taken without a refusal, the gurney's pool index printed once,
// and each drives off: some printed place lies 0.5 m or more from its first.
void TheVehiclesDriveOff(const std::string& output, const std::string& log) {
  EXPECT_EQ(log.find("Unable to use"), std::string::npos) << log;
  const size_t index = output.find("gurney pool index ");
  ASSERT_NE(index, std::string::npos) << output;
  EXPECT_EQ(output.find("gurney pool index ", index + 1), std::string::npos) << "printed once";
  for (const char* vehicle : {"wheelchair", "gurney"}) {
    const std::vector<std::array<float, 3>> places = PrintedPlaces(output, vehicle);
    ASSERT_GE(places.size(), 2u) << vehicle << " in\n" << output;
    float farthest = 0;
    for (const auto& at : places)
      farthest = std::max(farthest, std::hypot(at[0] - places[0][0], at[1] - places[0][1], at[2] - places[0][2]));
    EXPECT_GE(farthest, 0.5f) << "the " << vehicle << " drives off";
  }
}

// A quiet run: standard output holds the script's prints alone (each also a line of the debug
// log) and standard error nothing (no device left open for OpenAL Soft to complain of); the debug
// log holds the rest, the silent sound device reported once among it.
void RunIsQuiet(const tesk::testing::CommandOutcome& run, const std::string& debugLog) {
  EXPECT_EQ(run.err, "");
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_NE(("\n" + debugLog).find("\n" + line + "\n"), std::string::npos) << line;
    for (const char* debug : {"[ERROR RAISED]", "Start with module binding", "************ QuadTree"})
      EXPECT_EQ(line.find(debug), std::string::npos) << line;
  }
  EXPECT_NE(debugLog.find("Start with module binding\n"), std::string::npos);
  EXPECT_NE(debugLog.find("[ERROR RAISED]: ("), std::string::npos);
  const std::string silent = "no sound device could be opened; the game goes on without sound";
  const size_t first = debugLog.find(silent);
  EXPECT_NE(first, std::string::npos);
  EXPECT_EQ(debugLog.find(silent, first + 1), std::string::npos) << "reported once";
}

class SampleRun : public ::testing::Test {
 protected:
  fs::path game() const { return staged_.game(); }
  fs::path debugLog() const { return staged_.dir() / "debug.log"; }

  // Under the sanitizers, leaks are not looked for in this run: the GL driver loses small blocks it
  // makes inside glTexImage2D (valgrind shows them allocated in the driver), which would fail every
  // run that makes a texture. The libraries' own tests look for leaks of ours. `more` is put before
  // the environment's own variables. The run plays the staged input file, as ./tesk run does.
  tesk::testing::CommandOutcome Play(const fs::path& shot, int frames, const std::string& more = "",
                                     const char* input = "first-path.events") {
    const std::string environment =
        "env TESK_DEBUG_LOG=" + Quoted(debugLog().string()) + " " + more +
        "ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0\" TESK_REGISTRY=" +
        Quoted(staged_.registry().string()) + " TESK_DRIVE_C=" + Quoted(staged_.driveC().string()) +
        " XDG_RUNTIME_DIR=" + Quoted(staged_.runtime().string()) +
        " SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null ";
    return tesk::testing::RunCommand("cd " + Quoted(game().string()) + " && " + environment +
                                         Quoted((fs::path(TESK_STAGE_DIR) / "game/Tesk").string()) +
                                         " --frames " + std::to_string(frames) + " --screenshot " +
                                         Quoted(shot.string()) + " --input " +
                                         Quoted((fs::path(TESK_STAGE_DIR) / "game/input" / input).string()),
                                     staged_.dir());
  }

  tesk::testing::StagedGame staged_{TESK_STAGE_DIR};
};

// The hospital loads, the Switchboard prints what it found, the screenshot shows the walled exam
// room and its coloured props from the camera that follows the doctor, its people keep out of each
// other and of the props, and the gurney and the wheelchair drive off.
TEST_F(SampleRun, TheHospitalLoadsAndShowsFromTheFollowCamera) {
  const fs::path shot = staged_.dir() / "shot.png";
  // Frames enough for the second patient to pass the doctor and meet the first, who comes
  // round the trolley.
  const tesk::testing::CommandOutcome run = Play(shot, 1500);
  const std::string log = tesk::testing::ReadFile(staged_.kivo() / "kivo-error-log.txt");
  ASSERT_EQ(run.status, 0) << run.err << log;
  size_t at = 0;
  for (const char* line : {"Startup()... Loaded all fonts and resources", "Startup()... Loaded FX objects",
                           "Startup()... Loaded all SFX objects",
                           "Startup()... Loaded the ambulance",
                           "LoadEnvironment()", "Getting first room", "Done getting the first room",
                           "Done LoadEnvironment()"}) {
    at = log.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << " in order in\n" << log;
  }
  EXPECT_EQ(log.find("Cannot locate the environment's scenetree"), std::string::npos);
  EXPECT_EQ(log.find("Unable to find the PAUSE buffer"), std::string::npos) << "the bank has the pause tune";
  // The speeches follow each other as each ends on the sound device, and the first patient's room
  // gives the ambience.
  size_t spoken = 0;
  for (const char* line : {"speech D_WELCOME\n", "speech P_PAIN\n", "speeches done\n"}) {
    spoken = run.out.find(line, spoken);
    ASSERT_NE(spoken, std::string::npos) << line << " in order in\n" << run.out;
  }
  EXPECT_NE(run.out.find("\nambience ENV_"), std::string::npos) << run.out;
  // The patient bar: the keeper is refused, the newbie has one patient; later the player's dead
  // patient leaves the player's list and the newbie's patient passes to the player.
  EXPECT_NE(log.find("Trying to add a patient who doesn't exist in the actor list."), std::string::npos);
  size_t bar = 0;
  for (const char* line : {"newbie patients 1\n", "doctor RemoveFromPatList patient\n",
                           "newbie RemoveFromPatList fourth patient\n", "doctor AddToPatList fourth patient\n"}) {
    bar = run.out.find(line, bar);
    ASSERT_NE(bar, std::string::npos) << line << " in order in\n" << run.out;
  }
  for (const char* printed : {"elevator mats 2", "core-exam-2 centre <3.000000, 0.000000, 3.000000>",
                              "spawn_lobby at <15.000000, 0.000000, 3.000000>", "beds 4\n",
                              "bed bed_t1 severity 10\n", "bed bed_e2 severity 7\n", "bed bed_m1 severity 4\n",
                              "vending type 0\n", "\nexplosion 1\nexplosion refused\n",
                              "\nno_such_effect 0\n"})
    EXPECT_NE(run.out.find(printed), std::string::npos) << printed << " in\n" << run.out;
  // The elliptical trainer swings: its heading 100 passes after it started differs.
  std::vector<std::string> headings;
  for (size_t at = run.out.find("elliptical ahead "); at != std::string::npos;
       at = run.out.find("elliptical ahead ", at + 1))
    headings.push_back(run.out.substr(at, run.out.find('\n', at) - at));
  ASSERT_EQ(headings.size(), 2u) << run.out;
  EXPECT_NE(headings[0], headings[1]);
  const std::string debug = tesk::testing::ReadFile(debugLog());
  RunIsQuiet(run, debug);
  TheVehiclesDriveOff(run.out, log + debug);

  const Image picture = Image::Load(shot);
  ASSERT_EQ(picture.width, kWidth) << run.err;
  ASSERT_EQ(picture.height, kHeight);
  // Not blank: many colours, and the middle (where the doctor stands) is not the clear colour. The
  // walls rise round the room where the clear colour showed beyond its far edge (a third of the
  // picture without them), and the props show their materials' images: the scale red (its top
  // under the subtitle box that stays), the beds blue.
  std::set<uint32_t> colours;
  int clear = 0, red = 0, blue = 0, magenta = 0, samples = 0;
  for (int y = 0; y < kHeight; y += 4)
    for (int x = 0; x < kWidth; x += 4) {
      const uint8_t* pixel = picture.At(x, y);
      const int r = pixel[0], g = pixel[1], b = pixel[2];
      colours.insert(Rgb(pixel));
      ++samples;
      clear += Rgb(pixel) == kClearColour ? 1 : 0;
      red += r > g + 60 && r > b + 60 ? 1 : 0;
      blue += b > r + 50 && b > g + 20 ? 1 : 0;
      magenta += y < kHeight / 2 && r > g + 80 && b > g + 80 ? 1 : 0;
    }
  EXPECT_GT(colours.size(), 50u);
  EXPECT_NE(Rgb(picture.At(kWidth / 2, kHeight / 2)), kClearColour);
  EXPECT_LT(clear, samples / 4) << "the walls stand round the room";
  EXPECT_GT(red, samples / 250) << "a red prop";
  EXPECT_GT(blue, samples / 200) << "a blue prop";
  EXPECT_GT(magenta, 3) << "the glow over the doctor";

  PeopleKeepOutOfEachOtherAndOfTheProps(run.out);
  // The second patient's tour passes the main entrance, within reach of its doors' sensor.
  const std::vector<Pass> passes = PrintedPasses(run.out);
  EXPECT_TRUE(std::any_of(passes.begin(), passes.end(), [](const Pass& pass) {
    return std::hypot(pass.at[2][0] - 13.8f, pass.at[2][1] - 8.5f) < 3.0f;
  })) << "the second patient comes near the entrance";
}

// The loading screen's frames are presented without a frame begun and set the loading screen's fog
// colour: the sample pumps it while it starts the game and loads the hospital. The front end's
// frames come between, in screen space only: BeginFrame, BeginScene, EndScene and PresentFrame.
// Every frame after them is whole: BeginFrame, BeginScene, the scene's view pushed, the doctor's
// rings' view pushed inside it, both popped, EndScene and PresentFrame, in that order, and draws a
// floor with its lightmap; while a speech plays the talking head's view is pushed and popped after
// the scene's.
TEST_F(SampleRun, TheLoadingScreenShowsFirstThenEveryFrameIsWholeAndItsFloorsBaked) {
  constexpr int kPasses = 90;
  const fs::path record = staged_.dir() / "calls.txt";
  const tesk::testing::CommandOutcome run =
      Play(staged_.dir() / "shot.png", kPasses, "TESK_RASTERIZER_RECORD=" + Quoted(record.string()) + " ");
  ASSERT_EQ(run.status, 0) << run.err;
  std::ifstream calls(record);
  std::vector<std::string> frame;
  int loadingFrames = 0;
  int frontEndFrames = 0;
  int frames = 0;
  int litFrames = 0;  // the scene frames that drew a floor with its lightmap (only those draw indexed)
  int headFrames = 0;
  bool lit = false;
  bool loading = false;      // the frame set the loading screen's fog colour
  std::vector<bool> pushes;  // the view pushes still open, true for the scene's (not the identity)
  for (std::string line; std::getline(calls, line);) {
    if (line.rfind("BeginFrame(", 0) == 0) {
      frame.clear();
      lit = false;
    }
    if (line.rfind("DrawIndexedTriangles(", 0) == 0) lit = true;
    if (line.rfind("SetFogColor(0.003921569, 0.09019608, 0.1254902, 0)", 0) == 0) loading = true;
    for (const char* call : {"BeginFrame(", "BeginScene(", "EndScene(", "PresentFrame("})
      if (line.rfind(call, 0) == 0) frame.push_back(call);
    if (line.rfind("PushViewMatrix(", 0) == 0) {
      pushes.push_back(line.find(kIdentity) == std::string::npos);
      if (pushes.back()) frame.push_back("PushViewMatrix(");
    }
    if (line.rfind("PopViewMatrix(", 0) == 0 && !pushes.empty()) {
      if (pushes.back()) frame.push_back("PopViewMatrix(");
      pushes.pop_back();
    }
    if (line.rfind("PresentFrame(", 0) != 0) continue;
    if (frames == 0 && loading && frame == std::vector<std::string>{"PresentFrame("}) {
      ++loadingFrames;
    } else if (frames == 0 &&
               frame == std::vector<std::string>{"BeginFrame(", "BeginScene(", "EndScene(", "PresentFrame("}) {
      ++frontEndFrames;
    } else {
      const std::vector<std::string> expected = {"BeginFrame(",     "BeginScene(",    "PushViewMatrix(",
                                                 "PushViewMatrix(", "PopViewMatrix(",  "PopViewMatrix(",
                                                 "EndScene(",       "PresentFrame("};
      const std::vector<std::string> withHead = {"BeginFrame(",     "BeginScene(",    "PushViewMatrix(",
                                                 "PushViewMatrix(", "PopViewMatrix(",  "PopViewMatrix(",
                                                 "PushViewMatrix(", "PopViewMatrix(",  "EndScene(",
                                                 "PresentFrame("};
      if (frame == withHead)
        ++headFrames;
      else
        EXPECT_EQ(frame, expected) << "frame " << loadingFrames + frontEndFrames + frames;
      ++frames;
      litFrames += lit ? 1 : 0;
    }
    frame.clear();
    loading = false;
  }
  // One loading frame at least (the pump draws one at most every 67 ms: more on a busy machine), a
  // front-end frame a pass until the first path starts the episode; the rest of the run's passes
  // draw the hospital.
  EXPECT_GE(loadingFrames, 1);
  EXPECT_GT(frontEndFrames, 10);
  EXPECT_GT(frames, 0);
  EXPECT_LE(loadingFrames + frontEndFrames + frames, kPasses);
  EXPECT_EQ(litFrames, frames) << "the floors draw with the lightmaps the content build baked";
  EXPECT_GT(headFrames, 0) << "the sample's speeches show their talking heads";
}

// The round trip a player takes: the start menu, the options (a new effects volume, the 24-hour
// clock), the load screen, a new game into the hospital, its dialog answered (the doctor hears the
// answer, then the notice's OK), the in-game menu's way back to the front end and its exit, which
// ends the program from the script. The options go to the game's tesk.ini, the start menu's shot is
// not the world's, the world's shows the dialog and the next the HUD that its answer filled.
TEST_F(SampleRun, TheRoundTripEntersTheHospitalReturnsToTheFrontEndAndExits) {
  const fs::path shot = staged_.dir() / "shot.png";
  // A cap only: the script's exit ends the run, once the speeches (wall-clock long) are over.
  const tesk::testing::CommandOutcome run = Play(shot, 5000, "", "round-trip.events");
  const std::string debug = tesk::testing::ReadFile(debugLog());
  ASSERT_EQ(run.status, 0) << run.err << debug;
  size_t at = 0;
  for (const char* line : {"front end", "StartEpisode 1", "Done LoadEnvironment()", "dialog open",
                           "GenericDialogInput 1", "GenericConfirmationInput", "the game pauses", "DoReturnToMain",
                           "front end", "DoExit"}) {
    at = debug.find(line, at);
    ASSERT_NE(at, std::string::npos) << line << " in order in\n" << debug;
    at += std::string(line).size();
  }
  const std::string options = tesk::testing::ReadFile(game() / "tesk.ini");
  EXPECT_NE(options.find("Clock=24"), std::string::npos) << options;
  EXPECT_EQ(options.find("Effects Volume=20"), std::string::npos) << options;
  EXPECT_NE(options.find("Effects Volume="), std::string::npos) << options;
  const std::string startMenu = tesk::testing::ReadFile(staged_.dir() / "start-menu.png");
  const std::string world = tesk::testing::ReadFile(staged_.dir() / "world.png");
  ASSERT_FALSE(startMenu.empty());
  ASSERT_FALSE(world.empty());
  EXPECT_NE(startMenu, world);
  // The world's shot holds the dialog, centred: its panel's fill near its top and bottom edges.
  const Image dialog = Image::Load(staged_.dir() / "world.png");
  ASSERT_EQ(dialog.width, kWidth);
  EXPECT_EQ(Rgb(dialog.At(512, 300)), 0x006893u);
  EXPECT_EQ(Rgb(dialog.At(330, 470)), 0x006893u);
  TheHudShowsTheAnswersNotices(Image::Load(staged_.dir() / "notices.png"));
}

}  // namespace
