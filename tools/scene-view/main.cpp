// scene-view: loads a scene tree out of a pack, loads a scenario into it and builds its quad tree,
// then prints its rooms, the quad tree's leaves, the room under each point asked for, the answers
// of ray and sphere tests and the room changes of nodes it moves frame by frame, and draws the
// scene from a camera into PNG files, one a frame time (its lightmaps baked, its stencil shadows
// cast, a particle effect played, when asked); or loads a motion out of a pack and prints its nodes at the times asked for.
// The core runs on a Kivo root of its own whose store is the pack; messages the scene raises while
// it loads and moves go to standard error.
//
// The command line is one table of options; each option fills Options, and each section of the
// report is printed from them in turn.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "core_session.h"
#include "kivo/scene/motion_calls.h"
#include "kivo/support/instance_ref.h"
#include "motion_report.h"
#include "platform/utf.h"
#include "raised_messages.h"
#include "render_shot.h"
#include "scene_report.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tool_frame.h"
#include "tracking_report.h"

namespace {

struct Options {
  std::string pack;
  std::string tree;
  uint32_t scenario = tesk::scene_tree::kAllScenarios;
  std::vector<RTFVector3D> points;
  std::vector<sceneview::Probe> probes;
  std::vector<sceneview::Move> moves;
  std::string motion;  // in place of TREE: the motion printed at `times`
  std::vector<float> times;
  sceneview::Shot shot;  // drawn when it names a PNG file
  bool atGiven = false;
  bool framesGiven = false;  // --frames or --step

  bool AsksOfTheTree() const { return !points.empty() || !probes.empty() || !moves.empty() || Draws(); }
  bool Draws() const { return !shot.png.empty(); }
};

constexpr tesk::ToolText kText = {
    "usage: scene-view [--verbose] PACK TREE [--scenario N] [--point X,Y,Z]... [--ray X,Y,Z DX,DY,DZ]...\n"
    "                  [--sphere X,Y,Z MX,MY,MZ R]... [--move NODE DX,DZ FRAMES]...\n"
    "                  [--png FILE (--camera NODE | --eye X,Y,Z --at X,Y,Z) [--frames N --step MS] [--bones]\n"
    "                   [--bake] [--shadows LIGHTNODE] [--effect CLASS X,Y,Z]]\n"
    "       scene-view [--verbose] PACK --motion MOTION --times T1,T2,...\n",
    "Loads the scene tree at the instance path TREE out of PACK, loads a scenario into it and builds\n"
    "its quad tree, then prints its rooms with their flags, the quad tree's leaves with their rooms\n"
    "and neighbour leaves, the room under each point, the answer of each ray and sphere test, and\n"
    "each move; with --png, then draws the scene offscreen into 640 x 480 PNG files. With --motion,\n"
    "loads the motion at the instance path MOTION instead and prints each\n"
    "node's position and rotation at each time.\n"
    "  --scenario N    the scenario: 0 to 9 (any other number loads every room); every room when left out\n"
    "  --point X,Y,Z   a point to find the room of; repeat it for more points\n"
    "  --ray X,Y,Z DX,DY,DZ\n"
    "                  a ray test from the point along the direction, in the room under the point\n"
    "  --sphere X,Y,Z MX,MY,MZ R\n"
    "                  a sphere test: a sphere of radius R moving from the point by the movement\n"
    "  --move NODE DX,DZ FRAMES\n"
    "                  steps the node at the instance path NODE by (DX, 0, DZ) each frame and runs the\n"
    "                  transform update, printing every room change (moves run after the tests)\n"
    "  --png FILE      draws the scene (after the moves) from a camera and writes the picture to FILE\n"
    "  --camera NODE   the instance path of a scene node whose entity is a camera\n"
    "  --eye X,Y,Z     in place of --camera: a camera standing at the point ...\n"
    "  --at X,Y,Z      ... looking at this point\n"
    "  --frames N      draws N pictures (1 to 10000), the frame time going up by --step each; FILE then\n"
    "                  names them with the frame's number: walk.png gives walk-0.png, walk-1.png, ...\n"
    "  --step MS       the milliseconds between two pictures (0 when left out)\n"
    "  --bones         the skins of the rooms' nodes draw their bones\n"
    "  --bake          bakes the rooms' lightmaps (in design mode) before the pictures are drawn\n"
    "  --shadows LIGHTNODE\n"
    "                  darkens the pictures where the meshes of the rooms' nodes cast their stencil\n"
    "                  shadows from the scene node at the instance path LIGHTNODE\n"
    "  --effect CLASS X,Y,Z\n"
    "                  plays the pack's particle effect \"Root:FX:CLASS.peffect\" at the point from the\n"
    "                  first picture on, with the pictures' frame times\n"
    "  --motion MOTION the instance path of the motion to print\n"
    "  --times T,...   the times in seconds to evaluate the motion at\n"
    "  --verbose       the core's debug output on standard error\n"
    "Exit status: 0 done, 1 the pack, the tree, a moved node, the camera, the effect or the motion cannot be\n"
    "loaded or the picture cannot be drawn, 2 bad arguments.\n",
};

bool ReadVector(const char* text, RTFVector3D* vector) {
  char tail = 0;
  return std::sscanf(text, "%f,%f,%f%c", &vector->x, &vector->y, &vector->z, &tail) == 3;
}

// A whole number in 0 to UINT32_MAX.
bool ReadWord(const char* text, uint32_t* word) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  if (!*text || *end || value > UINT32_MAX || text[0] == '-') return false;
  *word = static_cast<uint32_t>(value);
  return true;
}

bool ReadScenario(char** values, Options& options) { return ReadWord(values[0], &options.scenario); }

bool ReadPoint(char** values, Options& options) {
  RTFVector3D point{};
  if (!ReadVector(values[0], &point)) return false;
  options.points.push_back(point);
  return true;
}

bool ReadRay(char** values, Options& options) {
  sceneview::Probe ray;
  if (!ReadVector(values[0], &ray.start) || !ReadVector(values[1], &ray.vector)) return false;
  options.probes.push_back(ray);
  return true;
}

bool ReadSphere(char** values, Options& options) {
  sceneview::Probe sphere{.sphere = true};
  char* end = nullptr;
  sphere.radius = std::strtof(values[2], &end);
  if (!ReadVector(values[0], &sphere.start) || !ReadVector(values[1], &sphere.vector) || end == values[2] || *end ||
      !(sphere.radius >= 0) || !std::isfinite(sphere.radius))
    return false;
  options.probes.push_back(sphere);
  return true;
}

bool ReadMove(char** values, Options& options) {
  sceneview::Move move{.node = values[0]};
  char tail = 0;
  if (move.node.empty() || std::sscanf(values[1], "%f,%f%c", &move.dx, &move.dz, &tail) != 2 ||
      !ReadWord(values[2], &move.frames))
    return false;
  options.moves.push_back(move);
  return true;
}

bool ReadPng(char** values, Options& options) {
  options.shot.png = values[0];
  return !options.shot.png.empty();
}

bool ReadCamera(char** values, Options& options) {
  options.shot.cameraNode = values[0];
  return !options.shot.cameraNode.empty();
}

bool ReadEye(char** values, Options& options) {
  RTFVector3D eye{};
  if (!ReadVector(values[0], &eye)) return false;
  options.shot.eye = eye;
  return true;
}

bool ReadAt(char** values, Options& options) {
  options.atGiven = true;
  return ReadVector(values[0], &options.shot.at);
}

bool ReadFrames(char** values, Options& options) {
  options.framesGiven = true;
  return ReadWord(values[0], &options.shot.frames) && options.shot.frames >= 1 &&
         options.shot.frames <= sceneview::kMostFrames;
}

bool ReadStep(char** values, Options& options) {
  options.framesGiven = true;
  return ReadWord(values[0], &options.shot.step);
}

bool ReadBones(char**, Options& options) {
  options.shot.bones = true;
  return true;
}

bool ReadBake(char**, Options& options) {
  options.shot.bake = true;
  return true;
}

bool ReadShadows(char** values, Options& options) {
  options.shot.shadowLight = values[0];
  return !options.shot.shadowLight.empty();
}

bool ReadEffect(char** values, Options& options) {
  options.shot.effect = values[0];
  return !options.shot.effect.empty() && ReadVector(values[1], &options.shot.effectAt);
}

bool ReadMotion(char** values, Options& options) {
  options.motion = values[0];
  return !options.motion.empty();
}

// Finite numbers separated by commas.
bool ReadTimes(char** values, Options& options) {
  for (const char* at = values[0];; ++at) {
    char* end = nullptr;
    const float time = std::strtof(at, &end);
    if (end == at || !std::isfinite(time) || (*end != ',' && *end != 0)) return false;
    options.times.push_back(time);
    at = end;
    if (*at == 0) return true;
  }
}

// Options and the values each takes; the positional arguments are PACK and, without --motion, TREE.
const struct {
  const char* name;
  int values;
  bool (*read)(char** values, Options& options);
} kOptions[] = {
    {"--scenario", 1, ReadScenario}, {"--point", 1, ReadPoint}, {"--ray", 2, ReadRay},
    {"--sphere", 3, ReadSphere},     {"--move", 3, ReadMove},   {"--png", 1, ReadPng},
    {"--camera", 1, ReadCamera},     {"--eye", 1, ReadEye},     {"--at", 1, ReadAt},
    {"--frames", 1, ReadFrames},     {"--step", 1, ReadStep},   {"--bones", 0, ReadBones},
    {"--motion", 1, ReadMotion},     {"--times", 1, ReadTimes},  {"--bake", 0, ReadBake},
    {"--shadows", 1, ReadShadows},   {"--effect", 2, ReadEffect},
};

bool ParseCommandLine(int argc, char** argv, Options& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const auto option = std::find_if(std::begin(kOptions), std::end(kOptions),
                                     [&](const auto& o) { return std::strcmp(o.name, argv[i]) == 0; });
    if (option == std::end(kOptions)) {
      if (argv[i][0] == '-') return false;
      positional.push_back(argv[i]);
    } else if (i + option->values >= argc || !option->read(argv + i + 1, options)) {
      return false;
    } else {
      i += option->values;
    }
  }
  // A picture needs its file and exactly one camera: a node, or an eye with the point it looks at.
  const bool camera = !options.shot.cameraNode.empty();
  const bool eye = options.shot.eye.has_value();
  const bool shotOptions = camera || eye || options.atGiven || options.framesGiven || options.shot.bones ||
                           options.shot.bake || !options.shot.shadowLight.empty() || !options.shot.effect.empty();
  if ((shotOptions || options.Draws()) && (!options.Draws() || camera == eye || eye != options.atGiven))
    return false;
  const bool motion = !options.motion.empty();
  if (motion ? positional.size() != 1 || options.times.empty() || options.AsksOfTheTree() ||
                   options.scenario != tesk::scene_tree::kAllScenarios
             : positional.size() != 2 || !options.times.empty())
    return false;
  options.pack = positional[0];
  if (!motion) options.tree = positional[1];
  return true;
}

int ReportMotion(CoreTable& core, const Options& options) {
  kivo::InstanceRef motion;
  const std::u16string path = platform::FromUtf8(options.motion);
  if (!core.GetInstanceByName(nullptr, path.c_str(), motion.out(), 0) ||
      !core.IsKindOfByName(nullptr, motion.get(), kivo::motion::kClassName)) {
    tesk::PrintError("scene-view: %s holds no motion at %s\n", options.pack.c_str(), options.motion.c_str());
    return 1;
  }
  const std::string report = "motion " + options.motion + "\n" + sceneview::MotionSection(motion.get(), options.times);
  std::fputs(report.c_str(), stdout);
  return 0;
}

int Report(CoreTable& core, const Options& options) {
  kivo::InstanceRef tree;
  const std::u16string path = platform::FromUtf8(options.tree);
  if (!core.GetInstanceByName(nullptr, path.c_str(), tree.out(), 0) ||
      !core.IsKindOfByName(nullptr, tree.get(), tesk::scene_tree::kClassName)) {
    tesk::PrintError("scene-view: %s holds no scene tree at %s\n", options.pack.c_str(), options.tree.c_str());
    return 1;
  }
  tesk::RaisedMessages messages(core);
  messages.Print(true);
  tesk::scene_tree::LoadScenarioN(tree.get(), options.scenario);
  tesk::scene_tree::UpdateQuadTree(tree.get());
  std::string report = "scene tree " + options.tree + ", scenario ";
  report += options.scenario == tesk::scene_tree::kAllScenarios ? "all" : std::to_string(options.scenario);
  report += "\n" + sceneview::RoomsSection(tree.get()) + sceneview::LeavesSection(tree.get()) +
            sceneview::PointsSection(tree.get(), options.points);
  if (!options.probes.empty()) report += "hits:\n";
  for (const sceneview::Probe& probe : options.probes) report += sceneview::ProbeLine(tree.get(), probe);
  for (const sceneview::Move& move : options.moves) {
    std::string error;
    const std::string section = sceneview::MoveSection(tree.get(), move, &error);
    if (section.empty()) {
      std::fputs(report.c_str(), stdout);
      tesk::PrintError("scene-view: %s\n", error.c_str());
      return 1;
    }
    report += section;
  }
  std::fputs(report.c_str(), stdout);
  // Drawing's notes (the mesh library's first start, the driver's missing program extensions) stay
  // in the debug output; a picture that cannot be drawn says why below.
  messages.Print(false);
  std::string error;
  if (options.Draws() && !sceneview::RenderShot(core, tree.get(), options.shot, &error)) {
    tesk::PrintError("scene-view: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  Options options;
  if (!ParseCommandLine(argc, argv, options)) return tesk::RefuseCommandLine(kText);
  std::error_code missing;
  if (!std::filesystem::is_regular_file(options.pack, missing)) {
    tesk::PrintError("scene-view: cannot read %s\n", options.pack.c_str());
    return 1;
  }
  std::string error;
  auto session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kPack, options.pack);
  if (!session) {
    tesk::PrintError("scene-view: %s\n", error.c_str());
    return 1;
  }
  return options.motion.empty() ? Report(session->core(), options) : ReportMotion(session->core(), options);
}
