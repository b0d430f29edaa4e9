// The rasterizer module choice: which module the driver option names, and a copy that never
// truncates the library a running program has loaded.
#include <fcntl.h>
#include <unistd.h>

#include "platform/utf.h"
#include "program_test.h"
#include "rasterizer_module.h"

namespace tesk::testing {
namespace {

class RasterizerModuleTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(Bin());
    WriteFile(Bin() / "rtrasterizer.pix", "software module");
    WriteFile(Bin() / "rtrasterizer.ogl", "window module");
  }
  std::filesystem::path Bin() const { return dir_.path() / "components/bin"; }
  std::u16string Root() const { return platform::FromUtf8(dir_.path().string() + "/"); }
  TempDir dir_;
};

TEST_F(RasterizerModuleTest, DriverZeroIsSoftwareAndEveryOtherValueTheWindowModule) {
  const std::pair<int32_t, const char*> rows[] = {{0, "software module"}, {1, "window module"}, {5, "window module"},
                                                  {-1, "window module"}};
  for (const auto& [driver, content] : rows) {
    EXPECT_TRUE(CopyRasterizerModule(Root(), driver)) << driver;
    EXPECT_EQ(ReadFile(Bin() / "rtrasterizer.so"), content) << driver;
  }
  // Nothing is left beside the module.
  size_t files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(Bin())) ++files;
  EXPECT_EQ(files, 3u);
}

TEST_F(RasterizerModuleTest, ALoadedCopyKeepsItsContent) {
  WriteFile(Bin() / "rtrasterizer.so", "the loaded module");
  const int loaded = open((Bin() / "rtrasterizer.so").c_str(), O_RDONLY);
  ASSERT_GE(loaded, 0);
  ASSERT_TRUE(CopyRasterizerModule(Root(), 0));
  char text[64] = {};
  EXPECT_EQ(pread(loaded, text, sizeof text - 1, 0), 17);
  EXPECT_STREQ(text, "the loaded module");
  close(loaded);
  EXPECT_EQ(ReadFile(Bin() / "rtrasterizer.so"), "software module");
}

TEST_F(RasterizerModuleTest, AMissingModuleLeavesTheLibraryAsItWas) {
  std::filesystem::remove(Bin() / "rtrasterizer.ogl");
  WriteFile(Bin() / "rtrasterizer.so", "earlier module");
  EXPECT_FALSE(CopyRasterizerModule(Root(), 1));
  EXPECT_EQ(ReadFile(Bin() / "rtrasterizer.so"), "earlier module");
  EXPECT_FALSE(CopyRasterizerModule(platform::FromUtf8((dir_.path() / "nowhere/").string()), 0));
}

}  // namespace
}  // namespace tesk::testing
