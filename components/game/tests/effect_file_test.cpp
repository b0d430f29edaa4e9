// The effect file reader over files kivopack builds from effect descriptions (and one golden file
// written here by hand): its version gates, the image class check, bounded texts, and truncation
// at every byte, after which no instance and no core block made by the read is left (the core's
// own arrays may change size as instances come and go: blocks are counted, not bytes).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "effect_file.h"
#include "host/core_host.h"
#include "host/run_command.h"
#include "host/stream_bytes.h"
#include "host/temp_dir.h"
#include "kivo/image/stored_data_calls.h"
#include "kivo/particles/part_man_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/scene/scene_node_calls.h"
#include "kivo/support/format.h"
#include "kivo/support/instance_ref.h"

namespace {

using namespace kivo;
using tesk::testing::MemoryStreamWith;
using tesk::testing::StreamBytes;
namespace effects = tesk::effects;

constexpr char kDisc[] = R"({"width": 8, "height": 8, "disc": {"colours": [[1, 1, 1], [0.2, 0.2, 0.2]]}})";

// Every case's description, by class name.
const std::pair<const char*, std::string> kEffects[] = {
    {"golden", R"({"title": "Pop", "options": "duration 2",
                   "systems": [{"emitter": "burst 5", "look": "size 0.5 0.5", "blend": 2, "space": 1}]})"},
    {"empty", R"({"version": 1279, "systems": [{}]})"},
    {"newer_effect", R"({"version": 1281, "systems": []})"},
    {"bare_system", R"({"systems": [{"version": 1279}]})"},
    {"texts_only", R"({"systems": [{"version": 1280, "emitter": "burst 3\nlife 1 1", "look": "colour 1 0 0 1"}]})"},
    {"old_image", R"({"systems": [{"version": 1536, "emitter": "burst 3", "image": "disc.json"}]})"},
    {"named_image", R"({"systems": [{"emitter": "rate 4", "image": "disc.json", "imageClass": "RTImage",
                                     "blend": 2, "space": 2}]})"},
    {"newer_system", R"({"systems": [{"emitter": "burst 1"}, {"version": 1542, "emitter": "burst 1"}]})"},
    {"component_image", R"({"systems": [{"emitter": "burst 1", "image": "disc.json", "imageClass": "RTComponent"}]})"},
    {"game_image", R"({"systems": [{"emitter": "burst 1", "image": "disc.json", "imageClass": "RTTeskGame"}]})"},
};

const std::filesystem::path& Pack() {
  static tesk::testing::TempDir* dir = new tesk::testing::TempDir();
  static const std::filesystem::path pack = [] {
    std::string instances;
    for (const auto& [name, description] : kEffects) {
      tesk::testing::WriteFile(dir->path() / (std::string(name) + ".json"), description);
      instances += std::string(instances.empty() ? "" : ",\n") + R"({"path": "Root:FX:)" + name +
                   R"(.peffect", "class": "RTStoredData", "peffect": ")" + name + R"(.json"})";
    }
    tesk::testing::WriteFile(dir->path() / "disc.json", kDisc);
    tesk::testing::WriteFile(dir->path() / "pack.json", "{\"instances\": [" + instances + "]}");
    const std::filesystem::path built = dir->path() / "effects.kivopack";
    const auto run = tesk::testing::RunCommand(std::string(KIVOPACK) + " build " +
                                                   tesk::testing::Quoted((dir->path() / "pack.json").string()) + " " +
                                                   tesk::testing::Quoted(built.string()),
                                               dir->path());
    EXPECT_EQ(run.status, 0) << run.err;
    return built;
  }();
  return pack;
}

class EffectFile : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTEditable", "RTRenderable", "RTSceneNode", "RTTeskSceneNode", "RTParticleSystem",
                             "RTPartMan", "RTImage", "RTBMPImage", "RTStoredData", "RTTeskGame"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
    std::filesystem::create_directories(host.root() / "store");
    std::filesystem::create_symlink(Pack(), host.root() / "store/root.kivopack");
  }
  void SetUp() override {
    StartedCore::SetUp();
    ASSERT_TRUE(core().CreateInstanceByString(nullptr, u"RTComponent", folder_.out(), 0, 1));
    ASSERT_TRUE(core().CreateInstanceByString(folder_.get(), part_man::kClassName, manager_.out(), 0, 1));
    ASSERT_TRUE(core().CreateInstanceByString(folder_.get(), tesk_scene_node::kClassName, node_.out(), 0, 1));
  }
  void TearDown() override {
    node_.Reset();
    manager_.Reset();
    folder_.Reset();
    StartedCore::TearDown();
  }
  // The effect file's bytes as the store keeps them.
  std::string Bytes(const char* name) {
    InstanceRef stored;
    const std::u16string path = Format(u"Root:FX:%s.peffect", name);
    EXPECT_TRUE(core().GetInstanceByName(nullptr, path.c_str(), stored.out(), 0)) << name;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    EXPECT_TRUE(stored_data::GetData(stored.get(), &data, &size));
    return std::string(reinterpret_cast<const char*>(data), size);
  }
  bool Read(const std::string& bytes) {
    InstanceRef stream = MemoryStreamWith(bytes);
    return effects::ReadParticleEffect(stream.get(), manager_.get(), node_.get(), folder_.get());
  }
  uint32_t Children(RTInstance instance) {
    uint32_t count = 0;
    core().GetChildCount(nullptr, instance, &count);
    return count;
  }
  // The scene nodes hung under the effect's node.
  uint32_t Hung() {
    uint32_t count = 0;
    RTInstance child = nullptr;
    scene_node::GetFirstChild(node_.get(), &child);
    while (child) {
      ++count;
      RTInstance next = nullptr;
      scene_node::GetNextSibling(child, &next);
      core().ReleaseInstance(nullptr, child);
      child = next;
    }
    return count;
  }
  uint32_t Systems() {
    uint32_t count = 0;
    part_man::GetSystemCount(manager_.get(), &count);
    return count;
  }
  int32_t StartResult() {
    int32_t result = 0;
    part_man::Start(manager_.get(), 0, &result);
    return result;
  }
  // The manager and the effect's node as they were made.
  void Empty() {
    ASSERT_TRUE(part_man::Clear(manager_.get()));
    for (RTInstance child = nullptr; scene_node::GetFirstChild(node_.get(), &child) && child;) {
      scene_node::Detach(child);
      core().ReleaseInstance(nullptr, child);
    }
  }
  size_t LogSize() const { return host_.DebugLog().size(); }
  bool LoggedSince(size_t from, const std::string& text) const {
    return host_.DebugLog().find(text, from) != std::string::npos;
  }

  InstanceRef folder_, manager_, node_;
};

TEST_F(EffectFile, KivopackWritesTheGoldenFileAndTheReaderReadsIt) {
  // Written by hand, field by field: the effect file the "golden" description makes.
  const std::string look = StreamBytes().U32(12).Raw(std::string("size 0.5 0.5", 13)).bytes();
  const std::string golden = StreamBytes()
                               .U32(0x500)
                               .U32(3).Raw(std::string("Pop", 4))
                               .U32(10).Raw(std::string("duration 2", 11))
                               .U32(1)
                               .U32(0x605).U32(0)
                               .Raw(look)
                               .U32(7).Raw(std::string("burst 5", 8))
                               .U8(0)
                               .U32(2).U32(1)
                               .bytes();
  ASSERT_EQ(Bytes("golden"), golden);
  ASSERT_TRUE(Read(golden));
  EXPECT_EQ(Systems(), 1u);
  EXPECT_EQ(Children(folder_.get()), 4u) << "the manager, the effect's node, a system and its node";
  EXPECT_EQ(StartResult(), part_man::kGoesOn);
  int32_t result = 0;
  ASSERT_EQ(part_man::Update(manager_.get(), 2000, &result), kRTSuccess);
  EXPECT_EQ(result, part_man::kFinished) << "its options say 2 seconds";
}

TEST_F(EffectFile, VersionsDecideWhatIsReadAndWhatIsRefused) {
  struct Case {
    const char* name;
    bool read;
    uint32_t systems;
    int32_t started;      // the manager's first result (for a read effect)
    const char* message;  // for a refused one; null: none
  };
  const Case cases[] = {
      {"empty", true, 0, part_man::kFinished, nullptr},
      {"newer_effect", false, 0, 0, nullptr},
      {"bare_system", true, 1, part_man::kFinished, nullptr},
      {"texts_only", true, 1, part_man::kGoesOn, nullptr},
      {"old_image", true, 1, part_man::kGoesOn, nullptr},
      {"named_image", true, 1, part_man::kGoesOn, nullptr},
      {"newer_system", false, 0, 0, "File version is newer than reader!"},
      {"component_image", false, 0, 0, "ReadParticleEffect(): RTComponent is no image class"},
      {"game_image", false, 0, 0, "ReadParticleEffect(): RTTeskGame is no image class"},
  };
  ASSERT_TRUE(Read(Bytes("named_image"))) << "once, so that every class's library has loaded";
  Empty();
  const uint32_t children = Children(folder_.get());
  for (const Case& c : cases) {
    const std::string bytes = Bytes(c.name);
    const size_t from = LogSize();
    const uint32_t blocks = MemoryStats().first;
    EXPECT_EQ(Read(bytes), c.read) << c.name;
    EXPECT_EQ(Systems(), c.systems) << c.name;
    if (c.read) {
      EXPECT_EQ(StartResult(), c.started) << c.name;
      EXPECT_EQ(Hung(), c.systems) << c.name << ": a node per system under the effect's";
    } else {
      EXPECT_EQ(Children(folder_.get()), children) << c.name << ": nothing made stays";
      EXPECT_EQ(MemoryStats().first, blocks) << c.name;
      if (c.message)
        EXPECT_TRUE(LoggedSince(from, c.message)) << c.message;
      else
        EXPECT_EQ(LogSize(), from) << c.name << ": refused without a message";
    }
    Empty();
  }
  RTInstance game = nullptr;
  EXPECT_FALSE(core().GetFirstInstanceByString(nullptr, u"RTTeskGame", &game, 0, nullptr) && game)
      << "no game was made";
}

TEST_F(EffectFile, ALongTextOrACutFileIsRefusedLeavingNothingBehind) {
  const std::string whole = Bytes("named_image");
  ASSERT_TRUE(Read(whole)) << "once, so that every class's library has loaded";
  Empty();
  const uint32_t children = Children(folder_.get());
  const uint32_t blocks = MemoryStats().first;
  std::string huge = whole;
  for (int i = 4; i < 8; ++i) huge[i] = '\xFF';  // the title's length: 0xFFFFFFFF
  EXPECT_FALSE(Read(huge));
  EXPECT_EQ(MemoryStats().first, blocks) << "nothing allocated for the text";
  for (size_t size = 0; size < whole.size(); ++size) {
    EXPECT_FALSE(Read(whole.substr(0, size))) << "cut at " << size;
    EXPECT_EQ(Systems(), 0u) << "cut at " << size;
    EXPECT_EQ(Hung(), 0u) << "cut at " << size;
    ASSERT_EQ(Children(folder_.get()), children) << "cut at " << size;
    ASSERT_EQ(MemoryStats().first, blocks) << "cut at " << size;
  }
  EXPECT_TRUE(Read(whole));
}

}  // namespace
