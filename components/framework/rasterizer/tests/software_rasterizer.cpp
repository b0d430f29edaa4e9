#include "software_rasterizer.h"

#include <stb_image.h>
#include <stb_image_write.h>

#include <sstream>

namespace tesk::testing {

namespace r = kivo::rasterizer;

namespace {

void Collect(void* context, void* data, int size) {
  auto* bytes = static_cast<std::vector<uint8_t>*>(context);
  bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

}  // namespace

std::vector<uint8_t> TinyPng() {
  const uint8_t rgb[12] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  std::vector<uint8_t> file;
  stbi_write_png_to_func(Collect, &file, 2, 2, 3, rgb, 6);
  return file;
}

std::vector<uint8_t> BlankPng(int width, int height) {
  const std::vector<uint8_t> rgb(size_t(width) * height * 3, 0);
  std::vector<uint8_t> file;
  stbi_write_png_to_func(Collect, &file, width, height, 3, rgb.data(), width * 3);
  return file;
}

Picture Picture::Load(const std::filesystem::path& png) {
  Picture picture;
  int channels = 0;
  unsigned char* pixels = stbi_load(png.c_str(), &picture.width_, &picture.height_, &channels, 3);
  if (!pixels) return picture;
  picture.rgb_.assign(pixels, pixels + size_t(picture.width_) * picture.height_ * 3);
  stbi_image_free(pixels);
  return picture;
}

uint32_t Picture::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0xFFFFFFFFu;
  const uint8_t* p = rgb_.data() + (size_t(y) * width_ + x) * 3;
  return (uint32_t{p[0]} << 16) | (uint32_t{p[1]} << 8) | p[2];
}

int Picture::CountOther(uint32_t background, int left, int top, int right, int bottom) const {
  int count = 0;
  for (int y = std::max(top, 0); y < std::min(bottom, height_); ++y)
    for (int x = std::max(left, 0); x < std::min(right, width_); ++x) count += At(x, y) != background;
  return count;
}

void SoftwareRasterizer::InstallComponents(CoreHost& host) {
  std::filesystem::create_symlink(RASTERIZER_PIX, host.root() / "components/rtrasterizer.so");
  InstallMore(host);
}

bool OffscreenWindow::Open(CoreHost& host) {
  host_ = &host;
  EXPECT_EQ(host.table().GetFirstInstanceByString(nullptr, r::kClassName, rasterizer_.out(), 1, nullptr), kRTSuccess);
  if (!rasterizer_.get()) return false;
  const uint32_t descriptor[r::kDescriptorWords] = {0, 0, 0, kHeight, kWidth, 32, 24, 8, 0, 0, 0, 1};
  EXPECT_EQ(r::CreateWindowContext(rasterizer(), nullptr, descriptor, &context_), kRTSuccess) << host.ErrorLog();
  return context_ != nullptr;
}

void OffscreenWindow::Close() { rasterizer_.Reset(); }

void OffscreenWindow::BeginClearedFrame(uint32_t colour) {
  ASSERT_EQ(r::BeginFrame(rasterizer(), context_), kRTSuccess);
  auto channel = [colour](int shift) { return static_cast<float>((colour >> shift) & 0xFF) / 255.0f; };
  ASSERT_EQ(r::SetClearColor(rasterizer(), channel(16), channel(8), channel(0), 1.0f), kRTSuccess);
  ASSERT_EQ(r::SetClearMask(rasterizer(), r::kClearColour | r::kClearDepth | r::kClearStencil), kRTSuccess);
  ASSERT_EQ(r::BeginScene(rasterizer()), kRTSuccess);
}

Picture OffscreenWindow::Shoot() {
  EXPECT_EQ(r::EndScene(rasterizer()), kRTSuccess);
  EXPECT_EQ(r::PresentFrame(rasterizer()), kRTSuccess);
  const std::filesystem::path shot = host_->root() / ("shot" + std::to_string(++files_) + ".png");
  EXPECT_EQ(r::Screenshot(rasterizer(), shot.u16string().c_str()), kRTSuccess);
  return Picture::Load(shot);
}

void OffscreenWindow::ScreenBox() {
  ASSERT_EQ(r::SetProjectionMode(rasterizer(), r::kOrthographic), kRTSuccess);
  ASSERT_EQ(r::SetProjection(rasterizer(), 0.0f, 0.0f, -1.0f, float{kWidth}, float{kHeight}, 1.0f), kRTSuccess);
}

void OffscreenWindow::StartRecording() {
  record_ = host_->root() / ("record" + std::to_string(++files_) + ".txt");
  ASSERT_EQ(r::Record(rasterizer(), record_.u16string().c_str()), kRTSuccess);
}

std::vector<std::string> OffscreenWindow::Recorded() {
  EXPECT_EQ(r::Record(rasterizer(), nullptr), kRTSuccess);
  std::vector<std::string> lines;
  std::istringstream text(ReadFile(record_));
  for (std::string line; std::getline(text, line);) lines.push_back(line);
  return lines;
}

void SoftwareRasterizer::SetUp() {
  StartedCore::SetUp();
  if (HasFatalFailure()) return;
  ASSERT_TRUE(window_.Open(host_));
}

void SoftwareRasterizer::TearDown() {
  window_.Close();
  StartedCore::TearDown();
}

}  // namespace tesk::testing
