#include "actor_fixture.h"

#include <map>
#include <set>

#include "host/run_command.h"
#include "host/temp_dir.h"
#include "kivo/actor/actor_calls.h"
#include "platform/utf.h"

namespace actortest {

namespace {

using tesk::testing::Quoted;

constexpr std::string_view kComponents[] = {
    "RTVarno", "RTVarnoController", "RTTeskTimer", "RTTeskActor", "RTFont", "RTImage", "RTEditable", "RTAnimTrack",
    "RTRenderable", "RTPolyModel", "RTMaterial", "RTBoneModel", "RTTeskSkin", "RTRigid", "RTArticulated",
    "RTSceneNode", "RTTeskSceneNode", "RTParticleSystem", "RTBrellinRoom", "RTTeskSceneTree"};

// A 2 x 2 uncompressed true-colour TGA of one colour (blue, green, red).
std::string Tga(uint8_t blue, uint8_t green, uint8_t red) {
  std::string bytes = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 2, 0, 24, 0};
  for (int pixel = 0; pixel < 4; ++pixel)
    bytes += {static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
  return bytes;
}

std::string Instance(const std::string& path, const std::string& className, const std::string& fields) {
  return R"({"path": ")" + path + R"(", "class": ")" + className + "\", " + fields + "}";
}

std::string Skin(const std::string& path, const std::string& skeleton) {
  return Instance(path, "RTTeskSkin", R"("skin": {"skeleton": ")" + skeleton + R"(", "materials": ["Root:Cloth"],
      "limbs": [{"bone": "Bip01 Spine", "capsule": 0.1}, {"bone": "Bip01 L Hand", "box": [0.1, 0.1, 0.1]}]})");
}

// Writes the description of the pack without the instance at `leftOut`, with `more` instances, and
// builds it.
std::filesystem::path BuildPack(const std::filesystem::path& dir, const std::string& leftOut,
                                const std::string& more) {
  const std::string arms = R"({"name": "Bip01", "offset": [0, 1, 0]},
      {"name": "Bip01 Spine", "parent": "Bip01", "offset": [0, 0.3, 0]},
      {"name": "Bip01 L UpperArm", "parent": "Bip01 Spine", "offset": [0.2, 0, 0]},
      {"name": "Bip01 L Hand", "parent": "Bip01 L UpperArm", "offset": [0, -0.5, 0]})";
  tesk::testing::WriteFile(dir / "handless.json", "{\"bones\": [" + arms + "]}");
  tesk::testing::WriteFile(dir / "body.json", "{\"bones\": [" + arms + R"(,
      {"name": "Bip01 R UpperArm", "parent": "Bip01 Spine", "offset": [-0.2, 0, 0]},
      {"name": "Bip01 R Hand", "parent": "Bip01 R UpperArm", "offset": [0, -0.5, 0]}]})");
  tesk::testing::WriteFile(dir / "still.json", R"({"duration": 1, "keysPerSecond": 1, "continuous": false,
                                                  "curves": []})");
  tesk::testing::WriteFile(dir / "smith.tga", Tga(0, 0, 255));
  tesk::testing::WriteFile(dir / "smithf.tga", Tga(255, 0, 0));
  std::vector<std::string> instances;
  for (const char* font : {"Verdana", "Verdana19"})
    instances.push_back(Instance(std::string("Root:Fonts:") + font, "RTFont",
                                 "\"font\": \"" + std::string(SAMPLE_FONT_DIR) + "/" + font + ".json\""));
  instances.push_back(Instance("Root:HeadRenders:SMITH.tga", "RTImage", R"("image": "smith.tga")"));
  instances.push_back(Instance("Root:HeadRenders:SMITHF.tga", "RTImage", R"("image": "smithf.tga")"));
  instances.push_back(Instance("Root:HeadRenders:Doctor.tga", "RTImage", R"("image": "smith.tga")"));
  instances.push_back(Instance("Root:Cloth", "RTMaterial", R"("material": {"color": [0.2, 0.5, 0.5]})"));
  instances.push_back(Skin(std::string(kSkinFolder) + "Doctor", "body.json"));
  instances.push_back(Skin(std::string(kSkinFolder) + "Nurse", "body.json"));
  instances.push_back(Skin(std::string(kSkinFolder) + "Stump", "handless.json"));
  instances.push_back(Skin("Root:Bodies:Player", "body.json"));
  instances.push_back(Skin("Root:Bodies:Handless", "handless.json"));
  instances.push_back(Instance(kSceneTree, "RTTeskSceneTree",
                               R"("sceneTree": {"rooms": ["Root:Level:Ward", "Root:Level:Hall"]})"));
  instances.push_back(Instance("Root:Level:Ward", "RTBrellinRoom", R"("room": {"box": [[-5, 0, -5], [5, 3, 5]],
      "openings": [1], "neighbours": ["Hall"]})"));
  instances.push_back(Instance("Root:Level:Hall", "RTBrellinRoom", R"("room": {"box": [[5, 0, -5], [15, 3, 5]],
      "openings": [3], "neighbours": ["Ward"]})"));
  std::set<std::string> motions(std::begin(kMotionTable), std::end(kMotionTable));
  for (const std::string& name : motions)
    instances.push_back(Instance(kMotionFolder + name, "RTAnimTrack",
                                 R"("motion": {"skeleton": "body.json", "family": "still.json"})"));
  std::string description = "{\"instances\": [\n";
  for (const std::string& instance : instances) {
    if (!leftOut.empty() && instance.find("\"" + leftOut + "\"") != std::string::npos) continue;
    description += (description.back() == '\n' ? "" : ",\n") + instance;
  }
  if (!more.empty()) description += ",\n" + more;
  tesk::testing::WriteFile(dir / "pack.json", description + "\n]}\n");
  const std::filesystem::path pack = dir / "fixture.kivopack";
  const auto built = tesk::testing::RunCommand(
      std::string(KIVOPACK) + " build " + Quoted((dir / "pack.json").string()) + " " + Quoted(pack.string()), dir);
  EXPECT_EQ(built.status, 0) << built.err;
  return pack;
}

// The pack of each left-out path and further instances, built on first use in a folder that lives
// as long as the process.
const std::filesystem::path& PackWithout(const std::string& leftOut, const std::string& more) {
  static tesk::testing::TempDir* packs = new tesk::testing::TempDir();
  static std::map<std::pair<std::string, std::string>, std::filesystem::path> built;
  const auto key = std::make_pair(leftOut, more);
  auto found = built.find(key);
  if (found != built.end()) return found->second;
  const std::filesystem::path dir = packs->path() / std::to_string(built.size());
  std::filesystem::create_directories(dir);
  return built.emplace(key, BuildPack(dir, leftOut, more)).first->second;
}

}  // namespace

void ActorTest::InstallMore(tesk::testing::CoreHost& host) {
  for (std::string_view name : kComponents) host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  host.InstallComponent(GAME_STANDIN);
  std::filesystem::create_directories(host.root() / "store");
  std::filesystem::create_symlink(PackWithout(LeftOut(), MoreInstances()), host.root() / "store/root.kivopack");
}

kivo::InstanceRef ActorTest::NewController() {
  kivo::InstanceRef actor;
  EXPECT_EQ(core().CreateInstanceByString(nullptr, kivo::actor::kClassName, actor.out(), 0, 0), kRTSuccess);
  return actor;
}

uint32_t ActorTest::RefCount(RTInstance instance) {
  uint32_t count = 0;
  core().GetRefCount(nullptr, instance, &count);
  return count;
}

int ActorTest::HeldReferences(const std::string& path) {
  kivo::InstanceRef instance;
  const std::u16string wide = platform::FromUtf8(path);
  if (!core().GetInstanceByName(nullptr, wide.c_str(), instance.out(), 0)) return -1;
  return static_cast<int>(RefCount(instance.get())) - 1;
}

size_t ActorTest::Logged(const std::string& text) const {
  const std::string log = host_.ErrorLog();
  size_t count = 0;
  for (size_t at = log.find(text); at != std::string::npos; at = log.find(text, at + text.size())) ++count;
  return count;
}

}  // namespace actortest
