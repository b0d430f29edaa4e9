// Both rasterizer modules as the core loads them: a window context (the program's window for
// "ogl", a software context for "pix"), cleared and shown frames, the screenshot of the frame
// shown, and the recording of every call.
#include <stb_image.h>

#include <cstdlib>

#include "host/core_host.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "platform/window.h"

namespace {

namespace r = kivo::rasterizer;
using tesk::testing::ReadFile;

class RasterizerTest : public tesk::testing::StartedCore {
 protected:
  void InstallModule(const char* module) {
    std::filesystem::create_symlink(module, host_.root() / "components/rtrasterizer.so");
  }
  // The centre pixel of a PNG file as 0xRRGGBB, and its size.
  static uint32_t Centre(const std::filesystem::path& png, int* width, int* height) {
    int channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), width, height, &channels, 3);
    if (!pixels) return 0xFFFFFFFFu;
    const unsigned char* p = pixels + ((*height / 2) * *width + *width / 2) * 3;
    const uint32_t colour = (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
    stbi_image_free(pixels);
    return colour;
  }
  static std::vector<uint32_t> Descriptor(uint32_t width, uint32_t height) {
    return {0xDEADBEEF, 0, 0, height, width, 32, 24, 8, 0, 0, 0, 1};
  }
  // One frame cleared to `colour`, then the screenshot.
  uint32_t DrawAndShoot(RTInstance rasterizer, r::WindowContext context, uint32_t colour, int* width, int* height) {
    EXPECT_EQ(r::BeginFrame(rasterizer, context), kRTSuccess);
    auto channel = [colour](int shift) { return ((colour >> shift) & 0xFF) / 255.0f; };
    EXPECT_EQ(r::SetClearColor(rasterizer, channel(16), channel(8), channel(0), channel(24)), kRTSuccess);
    EXPECT_EQ(r::Clear(rasterizer, r::kClearColour | r::kClearDepth), kRTSuccess);
    EXPECT_EQ(r::EndScene(rasterizer), kRTSuccess);
    EXPECT_EQ(r::PresentFrame(rasterizer), kRTSuccess);
    const std::filesystem::path shot = host_.root() / "shot.png";
    EXPECT_EQ(r::Screenshot(rasterizer, shot.u16string().c_str()), kRTSuccess);
    return Centre(shot, width, height);
  }
};

class SoftwareModule : public RasterizerTest {
  void InstallComponents(tesk::testing::CoreHost&) override { InstallModule(RASTERIZER_PIX); }
};

class WindowModule : public RasterizerTest {
  void InstallComponents(tesk::testing::CoreHost&) override {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    InstallModule(RASTERIZER_OGL);
  }
};

TEST_F(SoftwareModule, DrawsOffscreenAndRecordsItsCalls) {
  const std::filesystem::path record = host_.root() / "calls.txt";
  setenv("TESK_RASTERIZER_RECORD", record.c_str(), 1);
  kivo::InstanceRef rasterizer;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr), kRTSuccess);
  unsetenv("TESK_RASTERIZER_RECORD");
  const auto descriptor = Descriptor(64, 32);
  r::WindowContext context = nullptr;
  ASSERT_EQ(r::CreateWindowContext(rasterizer.get(), nullptr, descriptor.data(), &context), kRTSuccess);
  ASSERT_NE(context, nullptr);
  int width = 0;
  int height = 0;
  EXPECT_EQ(DrawAndShoot(rasterizer.get(), context, 0xFF336699, &width, &height), 0x336699u);
  EXPECT_EQ(width, 64);
  EXPECT_EQ(height, 32);
  EXPECT_EQ(r::SetClearMask(rasterizer.get(), 1), kRTSuccess);
  EXPECT_EQ(r::BeginScene(rasterizer.get()), kRTSuccess);
  int stranger = 0;
  EXPECT_EQ(r::BeginFrame(rasterizer.get(), &stranger), 0u);
  EXPECT_EQ(ReadFile(record),
            "CreateWindowContext(null, [12: 0, 0, 0, 32, 64, 32, 24, 8, 0, 0, 0, 1], out context) -> 1\n"
            "BeginFrame(context) -> 1\nSetClearColor(0.2, 0.4, 0.6, 1) -> 1\nClear(3) -> 1\nEndScene() -> 1\n"
            "PresentFrame() -> 1\nScreenshot(\"" + (host_.root() / "shot.png").string() + "\") -> 1\n"
            "SetClearMask(1) -> 1\nBeginScene() -> 1\nBeginFrame(unknown) -> 0\n");
}

TEST_F(SoftwareModule, ASecondContextReplacesTheFirstAndIsCurrent) {
  kivo::InstanceRef rasterizer;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr), kRTSuccess);
  r::WindowContext first = nullptr;
  r::WindowContext second = nullptr;
  ASSERT_EQ(r::CreateWindowContext(rasterizer.get(), nullptr, Descriptor(16, 16).data(), &first), kRTSuccess);
  ASSERT_EQ(r::CreateWindowContext(rasterizer.get(), nullptr, Descriptor(40, 30).data(), &second), kRTSuccess);
  // Drawing goes on without a BeginFrame: the new context is the current one.
  ASSERT_EQ(r::SetClearColor(rasterizer.get(), 0.0f, 0.5f, 1.0f, 1.0f), kRTSuccess);
  ASSERT_EQ(r::Clear(rasterizer.get(), r::kClearColour), kRTSuccess);
  const std::vector<uint8_t> rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  r::Texture texture = 0;
  EXPECT_EQ(r::CreateTextureFromPixels(rasterizer.get(), rgb.data(), r::kPixelsRgb, 2, 2, &texture, 0x2901, 0x2901,
                                       0x2601, 0x2703, 1),
            kRTSuccess)
      << host_.ErrorLog();
  ASSERT_EQ(r::PresentFrame(rasterizer.get()), kRTSuccess);
  const std::filesystem::path shot = host_.root() / "second.png";
  ASSERT_EQ(r::Screenshot(rasterizer.get(), shot.u16string().c_str()), kRTSuccess);
  int width = 0;
  int height = 0;
  EXPECT_EQ(Centre(shot, &width, &height), 0x0080FFu);
  EXPECT_EQ(width, 40);
  EXPECT_EQ(height, 30);
}

TEST_F(SoftwareModule, NothingDrawsWithoutAContext) {
  kivo::InstanceRef rasterizer;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr), kRTSuccess);
  EXPECT_EQ(r::BeginFrame(rasterizer.get(), nullptr), 0u);
  EXPECT_EQ(r::BeginScene(rasterizer.get()), 0u);
  EXPECT_EQ(r::PresentFrame(rasterizer.get()), 0u);
  EXPECT_EQ(r::Screenshot(rasterizer.get(), u"/nowhere/shot.png"), 0u);
  const auto empty = Descriptor(0, 0);
  r::WindowContext context = nullptr;
  EXPECT_EQ(r::CreateWindowContext(rasterizer.get(), nullptr, empty.data(), &context), 0u);
  EXPECT_EQ(r::CreateWindowContext(rasterizer.get(), nullptr, nullptr, &context), 0u);
  EXPECT_NE(host_.ErrorLog().find("RTRasterizer::CreateWindowContext()... no size for the offscreen buffer"),
            std::string::npos);
}

TEST_F(WindowModule, DrawsOnTheProgramsWindow) {
  std::string error;
  platform::Window* window = platform::Window::Create(u"test", 160, 120, &error);
  ASSERT_NE(window, nullptr) << error;
  {
    kivo::InstanceRef rasterizer;
    ASSERT_EQ(core().GetFirstInstanceByString(nullptr, r::kClassName, rasterizer.out(), 1, nullptr), kRTSuccess);
    r::WindowContext context = nullptr;
    const auto descriptor = Descriptor(0, 0);  // the window's own size
    int stranger = 0;
    EXPECT_EQ(r::CreateWindowContext(rasterizer.get(), &stranger, descriptor.data(), &context), 0u);
    ASSERT_EQ(r::CreateWindowContext(rasterizer.get(), window->handle(), descriptor.data(), &context), kRTSuccess);
    int width = 0;
    int height = 0;
    EXPECT_EQ(DrawAndShoot(rasterizer.get(), context, 0xFF10E020, &width, &height), 0x10E020u);
    EXPECT_EQ(width, 160);
    EXPECT_EQ(height, 120);
    EXPECT_NE(host_.ErrorLog().find("the window handle names no window"), std::string::npos);
  }
  window->Destroy();
}

}  // namespace
