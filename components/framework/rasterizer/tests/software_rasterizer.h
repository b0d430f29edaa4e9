// A started core with the software rasterizer module installed, its singleton fetched and a
// window context made on an offscreen buffer; frames are read back through screenshots.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "host/core_host.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"

namespace tesk::testing {

// A frame as its PNG screenshot holds it.
class Picture {
 public:
  static Picture Load(const std::filesystem::path& png);
  int width() const { return width_; }
  int height() const { return height_; }
  // 0xRRGGBB of the pixel x from the left, y from the top.
  uint32_t At(int x, int y) const;
  // Pixels inside and outside a rectangle that differ from `background`.
  int CountOther(uint32_t background, int left, int top, int right, int bottom) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint8_t> rgb_;
};

// A 2 x 2 PNG file: red, green, blue and white pixels.
std::vector<uint8_t> TinyPng();
// A black PNG file of the size.
std::vector<uint8_t> BlankPng(int width, int height);

// The rasterizer singleton and a window context on an offscreen buffer of kWidth by kHeight, for
// any fixture with a started core holding the rasterizer module.
class OffscreenWindow {
 public:
  static constexpr uint32_t kWidth = 64;
  static constexpr uint32_t kHeight = 48;

  // Fetches the singleton and makes the context; false, with a test failure, when either fails.
  bool Open(CoreHost& host);
  void Close();

  RTInstance rasterizer() const { return rasterizer_.get(); }
  kivo::rasterizer::WindowContext context() const { return context_; }

  // Begins a frame cleared to the colour (0xRRGGBB), depth cleared too.
  void BeginClearedFrame(uint32_t colour);
  // Ends and shows the frame and reads it back from a screenshot.
  Picture Shoot();
  // Switches to the screen box of the buffer: pixel (0, 0) top left.
  void ScreenBox();

  // Records the rasterizer's calls into a fresh file; Recorded() stops and gives the lines.
  void StartRecording();
  std::vector<std::string> Recorded();

 private:
  CoreHost* host_ = nullptr;
  kivo::InstanceRef rasterizer_;
  kivo::rasterizer::WindowContext context_ = nullptr;
  std::filesystem::path record_;
  int files_ = 0;
};

class SoftwareRasterizer : public StartedCore {
 protected:
  static constexpr uint32_t kWidth = OffscreenWindow::kWidth;
  static constexpr uint32_t kHeight = OffscreenWindow::kHeight;

  void InstallComponents(CoreHost& host) override;
  // Further components a derived fixture links into the root.
  virtual void InstallMore(CoreHost&) {}
  void SetUp() override;
  void TearDown() override;

  RTInstance rasterizer() const { return window_.rasterizer(); }
  kivo::rasterizer::WindowContext context() const { return window_.context(); }
  void BeginClearedFrame(uint32_t colour) { window_.BeginClearedFrame(colour); }
  Picture Shoot() { return window_.Shoot(); }
  void ScreenBox() { window_.ScreenBox(); }
  void StartRecording() { window_.StartRecording(); }
  std::vector<std::string> Recorded() { return window_.Recorded(); }

 private:
  OffscreenWindow window_;
};

}  // namespace tesk::testing
