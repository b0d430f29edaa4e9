// kivopack as its users run it: a pack built from a description, listed and extracted; a resource
// file read back by the core; descriptions it refuses with a message instead of failing hard.
#include <gtest/gtest.h>
#include <stb_image.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "host/core_host.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"

namespace {

using tesk::testing::ReadFile;

// A Kivo root with the framework components; kivopack starts a core of its own on it.
class Kivopack : public ::testing::Test {
 protected:
  // Runs kivopack through the shell; its exit status (128 + the signal when a signal ended it),
  // output and errors.
  int Run(const std::string& arguments, std::string* errors = nullptr, std::string* output = nullptr) {
    const std::string command = std::string(KIVOPACK) + " " + arguments + " >" + File("out.txt") + " 2>" +
                                File("errors.txt");
    const int status = std::system(command.c_str());
    if (errors) *errors = ReadFile(File("errors.txt"));
    if (output) *output = ReadFile(File("out.txt"));
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string File(const char* name) const { return (files_.path() / name).string(); }
  void Write(const char* name, std::string_view contents) { tesk::testing::WriteFile(File(name), contents); }

  tesk::testing::CoreHost host_;
  tesk::testing::TempDir files_;
};

TEST_F(Kivopack, PackIsListedAndAPathsDataExtracted) {
  Write("ward.bin", std::string("\x01\x00\x00\x00", 4));  // the RTComponent stream: version 1
  Write("pack.json", R"({"instances": [{"path": "Root:Tesk:Ward", "class": "RTComponent", "data": "ward.bin"}]})");
  std::string errors;
  ASSERT_EQ(Run("build " + File("pack.json") + " " + File("root.kivopack"), &errors), 0) << errors;

  std::string listing;
  ASSERT_EQ(Run("list " + File("root.kivopack"), &errors, &listing), 0) << errors;
  EXPECT_NE(listing.find("Root:Tesk:Ward\tRTComponent\t4 bytes\t0 children\n"), std::string::npos) << listing;
  EXPECT_NE(listing.find("Root:Tesk\tRTComponent\t4 bytes\t1 children\n"), std::string::npos) << listing;

  ASSERT_EQ(Run("extract " + File("root.kivopack") + " ROOT:TESK:WARD " + File("ward.out"), &errors), 0) << errors;
  EXPECT_EQ(ReadFile(File("ward.out")), ReadFile(File("ward.bin")));
  EXPECT_EQ(Run("extract " + File("root.kivopack") + " Root:Nowhere " + File("none.out"), &errors), 1);
  EXPECT_NE(errors.find("the pack holds no Root:Nowhere"), std::string::npos) << errors;
  EXPECT_FALSE(std::filesystem::exists(File("none.out")));
  EXPECT_EQ(Run("list " + File("ward.bin"), &errors), 1);
  EXPECT_NE(errors.find("is not a pack"), std::string::npos) << errors;
}

TEST_F(Kivopack, PacksHoldOnlyWhatTheyDescribeWhateverTheRootStores) {
  // The root's own store holds Root:Tesk:Ward; a new pack of Root:Tesk:Beds neither takes it in
  // nor trips over it, and the root's files are left as they were.
  Write("ward.json", R"({"instances": [{"path": "Root:Tesk:Ward", "class": "RTComponent"}]})");
  std::string errors;
  std::filesystem::create_directories(host_.root() / "store");
  const std::string rootStore = (host_.root() / "store/root.kivopack").string();
  ASSERT_EQ(Run("build " + File("ward.json") + " " + rootStore, &errors), 0) << errors;
  Write("beds.json", R"({"instances": [{"path": "Root:Tesk:Beds", "class": "RTComponent"}]})");
  ASSERT_EQ(Run("build " + File("beds.json") + " " + File("beds.kivopack"), &errors), 0) << errors;
  std::string listing;
  ASSERT_EQ(Run("list " + File("beds.kivopack"), &errors, &listing), 0) << errors;
  EXPECT_EQ(listing.find("Ward"), std::string::npos) << listing;
  EXPECT_NE(listing.find("Root:Tesk\tRTComponent\t4 bytes\t1 children\n"), std::string::npos) << listing;
  EXPECT_FALSE(std::filesystem::exists(host_.root() / "kivoreg.db")) << "the root's registry file is left alone";
}

TEST_F(Kivopack, ResourceReadsBackWithItsNamedStreams) {
  Write("panel.bin", "panel bytes");
  Write("resource.json", R"({"streams": [{"name": "tuning", "text": "42"}, {"name": "panel", "file": "panel.bin"},
                                         {"name": "radius", "utf16": "1.5\u00e9\u20ac"}]})");
  std::string errors;
  ASSERT_EQ(Run("resource " + File("resource.json") + " " + File("Test.resource"), &errors), 0) << errors;

  ASSERT_EQ(host_.Start(), kRTSuccess);
  kivo::SetModuleCore(&host_.table());
  CoreTable& core = host_.table();
  {
    kivo::InstanceRef file;
    kivo::InstanceRef resource;
    const std::u16string path = platform::FromUtf8(File("Test.resource"));
    ASSERT_EQ(core.CreateInstanceByString(nullptr, u"RTBrellinFileStream", file.out(), 0, 0), kRTSuccess);
    ASSERT_EQ(kivo::file_stream::Open(file.get(), path.c_str(), kivo::file_stream::kReadExisting), kRTSuccess);
    ASSERT_EQ(core.CreateInstanceByString(nullptr, u"RTResource", resource.out(), 0, 0), kRTSuccess);
    ASSERT_EQ(kivo::component::StreamIn(resource.get(), kivo::component::kStreamWhole, file.get()), kRTSuccess);
    std::vector<std::pair<std::u16string, std::string>> streams;
    uint32_t count = 0;
    core.GetChildCount(nullptr, resource.get(), &count);
    for (uint32_t i = 0; i < count; ++i) {
      kivo::InstanceRef child;
      ASSERT_EQ(core.GetChild(nullptr, resource.get(), i, child.out()), kRTSuccess);
      char16_t name[64] = {};
      core.GetInstanceName(nullptr, child.get(), name, 64);
      const uint8_t* data = nullptr;
      uint32_t size = 0;
      kivo::memory_stream::GetBuffer(child.get(), &data);
      kivo::stream::GetSize(child.get(), &size);
      streams.emplace_back(name, std::string(reinterpret_cast<const char*>(data), size));
    }
    // The UTF-16 text: its units little-endian, no terminator.
    const std::vector<std::pair<std::u16string, std::string>> expected = {
        {u"tuning", "42"}, {u"panel", "panel bytes"}, {u"radius", std::string("1\0.\0" "5\0\xE9\0\xAC\x20", 10)}};
    EXPECT_EQ(streams, expected);
  }
  ASSERT_EQ(host_.Shutdown(), kRTSuccess);
  const std::string log = host_.DebugLog();
  const size_t report = log.rfind("Memory Blocks Remaining on Core Shutdown: ");
  ASSERT_NE(report, std::string::npos);
  EXPECT_EQ(log.substr(report, 44), "Memory Blocks Remaining on Core Shutdown: 0\n");
}

// An image description becomes a PNG of its checkerboard, stored in the RTImage as its file would
// be (version, byte count, bytes); one that describes no image is refused.
TEST_F(Kivopack, DrawsCheckerImagesFromTheirDescriptions) {
  host_.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTImage"));
  Write("tiles.json", R"({"width": 6, "height": 4, "checker": {"cell": 2, "colours": [[1, 0, 0], [0, 0, 1, 0.5]]}})");
  Write("pack.json", R"({"instances": [{"path": "Root:Tiles", "class": "RTImage", "image": "tiles.json"}]})");
  std::string errors;
  ASSERT_EQ(Run("build " + File("pack.json") + " " + File("root.kivopack"), &errors), 0) << errors;
  ASSERT_EQ(Run("extract " + File("root.kivopack") + " Root:Tiles " + File("tiles.bin"), &errors), 0) << errors;
  const std::string stored = ReadFile(File("tiles.bin"));
  ASSERT_GT(stored.size(), 8u);
  const std::string png = stored.substr(8);
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(png.data()), static_cast<int>(png.size()),
                                          &width, &height, &channels, 4);
  ASSERT_NE(pixels, nullptr);
  EXPECT_EQ(width, 6);
  EXPECT_EQ(height, 4);
  const auto at = [&](int x, int y) {
    const stbi_uc* p = pixels + (y * width + x) * 4;
    return std::vector<int>{p[0], p[1], p[2], p[3]};
  };
  EXPECT_EQ(at(0, 0), (std::vector<int>{255, 0, 0, 255}));
  EXPECT_EQ(at(2, 0), (std::vector<int>{0, 0, 255, 128}));
  EXPECT_EQ(at(2, 2), (std::vector<int>{255, 0, 0, 255}));
  stbi_image_free(pixels);

  for (const char* bad : {R"({"width": 0, "height": 4, "checker": {"cell": 2, "colours": [[1, 0, 0], [0, 0, 1]]}})",
                          R"({"width": 4, "height": 4, "checker": {"cell": 2, "colours": [[1, 0, 0]]}})"}) {
    Write("tiles.json", bad);
    EXPECT_EQ(Run("build " + File("pack.json") + " " + File("bad.kivopack"), &errors), 1) << bad;
    EXPECT_NE(errors.find("tiles.json: an image's"), std::string::npos) << errors;
    EXPECT_FALSE(std::filesystem::exists(File("bad.kivopack")));
  }
}

TEST_F(Kivopack, RefusesBadDescriptionsWithAMessage) {
  const struct {
    const char* command;
    const char* description;
    const char* message;
  } cases[] = {
      {"build", "not json", "is not valid JSON"},
      {"build", R"({"instances": {}})", "\"instances\" must be a list"},
      {"build", R"({"instances": [{"path": "Root:A", "class": 7}]})", "every instance needs a \"path\" and a \"class\""},
      {"build", R"({"instances": [{"path": "Root:A", "class": "RTComponent", "data": 5}]})", "\"data\" names a file"},
      {"build", R"({"instances": [{"path": "A", "class": "RTComponent"}]})", "instance paths start with \"Root:\""},
      {"build", R"({"instances": [{"path": "Root:I", "class": "RTComponent", "image": "a.tga"}]})",
       "Root:I: an \"image\" names an image file for an RTImage instance without \"data\""},
      {"build", R"({"instances": [{"path": "Root:T", "class": "RTComponent", "plainTree": {"root": {"name": "r"}}}]})",
       "Root:T: a \"plainTree\" is written only into an instance of RTSceneTree without \"data\""},
      {"resource", R"({"streams": [{"name": "a", "text": 5}]})", "every stream needs a \"name\""},
      {"resource", R"({"streams": [{"name": "a", "file": ["a.bin"]}]})", "every stream needs a \"name\""},
      {"resource", R"({"streams": [{"name": "a", "utf16": 1.5}]})", "a \"file\", \"text\" or \"utf16\""},
      {"resource", R"({"streams": [{"name": "a", "file": "missing.bin"}]})", "cannot read missing.bin"},
      {"resource", R"({"streams": [{"name": "F", "form": "f.json", "scale": 0}]})", "F: \"scale\" must be a number above 0"},
      {"resource", R"({"streams": [{"name": "F", "form": "f.json", "scale": -0.5}]})", "\"scale\" must be a number above 0"},
      {"resource", R"({"streams": [{"name": "F", "form": "f.json", "scale": "half"}]})", "\"scale\" must be a number above 0"},
      {"bank", R"({"sounds": [], "music": []})", "is {\"sounds\": [...]} and nothing else"},
      {"bank", R"({"sounds": [{"name": "a", "file": "a.wav", "chanels": 1}]})", "sound 0: unknown key \"chanels\""},
      {"bank", R"({"sounds": [{"name": "a", "file": "a.wav", "channels": 3}]})", "\"channels\" must be 1 or 2"},
      {"bank", R"({"sounds": [{"name": "a", "file": "a.wav"}, {"name": "A", "file": "b.ogg"}]})",
       "the name \"A\" is given twice"},
      {"bank", R"({"sounds": [{"name": "a", "file": "none.wav"}]})", "sound 0: none.wav is missing"},
      {"bank", R"({"sounds": [{"name": "a", "file": "description.json"}]})", "description.json is neither WAV nor Ogg"},
  };
  Write("a.wav", "RIFF0000WAVEfmt ");
  Write("b.ogg", "OggS");
  for (const auto& c : cases) {
    Write("description.json", c.description);
    std::string errors;
    EXPECT_EQ(Run(std::string(c.command) + " " + File("description.json") + " " + File("made"), &errors), 1)
        << c.description;
    EXPECT_NE(errors.find(c.message), std::string::npos) << c.description << ": " << errors;
    EXPECT_FALSE(std::filesystem::exists(File("made"))) << c.description;
  }
}

}  // namespace
