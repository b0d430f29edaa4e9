// scene-view: loads a scene tree out of a pack, loads a scenario into it and builds its quad tree,
// then prints its rooms, the quad tree's leaves and the room under each point asked for; or loads
// a motion out of a pack and prints its nodes at the times asked for. The core runs on a Kivo root
// of its own whose store is the pack; messages the scene raises while it loads go to standard
// error.
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
#include "scene_report.h"
#include "tesk/scene/scene_tree_calls.h"
#include "tool_frame.h"

namespace {

struct Options {
  std::string pack;
  std::string tree;
  uint32_t scenario = tesk::scene_tree::kAllScenarios;
  std::vector<RTFVector3D> points;
  std::string motion;  // in place of TREE: the motion printed at `times`
  std::vector<float> times;
};

constexpr tesk::ToolText kText = {
    "usage: scene-view [--verbose] PACK TREE [--scenario N] [--point X,Y,Z]...\n"
    "       scene-view [--verbose] PACK --motion MOTION --times T1,T2,...\n",
    "Loads the scene tree at the instance path TREE out of PACK, loads a scenario into it and builds\n"
    "its quad tree, then prints its rooms with their flags, the quad tree's leaves with their rooms\n"
    "and neighbour leaves, and the room under each point. With --motion, loads the motion at the\n"
    "instance path MOTION instead and prints each node's position and rotation at each time.\n"
    "  --scenario N    the scenario: 0 to 9 (any other number loads every room); every room when left out\n"
    "  --point X,Y,Z   a point to find the room of; repeat it for more points\n"
    "  --motion MOTION the instance path of the motion to print\n"
    "  --times T,...   the times in seconds to evaluate the motion at\n"
    "  --verbose       the core's debug output on standard error\n"
    "Exit status: 0 done, 1 the pack, the tree or the motion cannot be loaded, 2 bad arguments.\n",
};

bool ReadScenario(const char* text, Options& options) {
  char* end = nullptr;
  const unsigned long value = std::strtoul(text, &end, 10);
  if (!*text || *end || value > UINT32_MAX || text[0] == '-') return false;
  options.scenario = static_cast<uint32_t>(value);
  return true;
}

bool ReadPoint(const char* text, Options& options) {
  RTFVector3D point{};
  char tail = 0;
  if (std::sscanf(text, "%f,%f,%f%c", &point.x, &point.y, &point.z, &tail) != 3) return false;
  options.points.push_back(point);
  return true;
}

bool ReadMotion(const char* text, Options& options) {
  options.motion = text;
  return *text != 0;
}

// Finite numbers separated by commas.
bool ReadTimes(const char* text, Options& options) {
  for (const char* at = text;; ++at) {
    char* end = nullptr;
    const float time = std::strtof(at, &end);
    if (end == at || !std::isfinite(time) || (*end != ',' && *end != 0)) return false;
    options.times.push_back(time);
    at = end;
    if (*at == 0) return true;
  }
}

// Options that take a value; the positional arguments are PACK and, without --motion, TREE.
const struct {
  const char* name;
  bool (*read)(const char* value, Options& options);
} kOptions[] = {
    {"--scenario", ReadScenario},
    {"--point", ReadPoint},
    {"--motion", ReadMotion},
    {"--times", ReadTimes},
};

bool ParseCommandLine(int argc, char** argv, Options& options) {
  std::vector<std::string> positional;
  for (int i = 1; i < argc; ++i) {
    const auto option = std::find_if(std::begin(kOptions), std::end(kOptions),
                                     [&](const auto& o) { return std::strcmp(o.name, argv[i]) == 0; });
    if (option == std::end(kOptions)) {
      if (argv[i][0] == '-') return false;
      positional.push_back(argv[i]);
    } else if (i + 1 >= argc || !option->read(argv[++i], options)) {
      return false;
    }
  }
  const bool motion = !options.motion.empty();
  if (motion ? positional.size() != 1 || options.times.empty() || !options.points.empty() ||
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
    std::fprintf(stderr, "scene-view: %s holds no motion at %s\n", options.pack.c_str(), options.motion.c_str());
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
    std::fprintf(stderr, "scene-view: %s holds no scene tree at %s\n", options.pack.c_str(), options.tree.c_str());
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
  std::fputs(report.c_str(), stdout);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (const auto done = tesk::StartTool(argc, argv, kText)) return *done;
  Options options;
  if (!ParseCommandLine(argc, argv, options)) return tesk::RefuseCommandLine(kText);
  std::error_code missing;
  if (!std::filesystem::is_regular_file(options.pack, missing)) {
    std::fprintf(stderr, "scene-view: cannot read %s\n", options.pack.c_str());
    return 1;
  }
  std::string error;
  auto session = tesk::CoreSession::Start(&error, tesk::StoredInstances::kPack, options.pack);
  if (!session) {
    std::fprintf(stderr, "scene-view: %s\n", error.c_str());
    return 1;
  }
  return options.motion.empty() ? Report(session->core(), options) : ReportMotion(session->core(), options);
}
