// The sample's fonts as the game gets them: from the staged instance store by path, set up with
// the cell sizes and pixel sizes its callers pass, drawing and measuring through the software
// rasterizer.
#include <gtest/gtest.h>

#include "kivo/font/font_calls.h"
#include "software_rasterizer.h"

namespace {

namespace f = kivo::font;
namespace r = kivo::rasterizer;
using tesk::testing::Picture;

constexpr uint32_t kBlack = 0x000000;
constexpr float kRed[] = {1.0f, 0.0f, 0.0f};

class SampleFonts : public tesk::testing::SoftwareRasterizer {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTFont"));
    std::filesystem::create_directories(host.root() / "store");
    std::filesystem::create_symlink(SAMPLE_STORE, host.root() / "store/root.kivopack");
  }
  void TearDown() override {
    fonts_.clear();
    SoftwareRasterizer::TearDown();
  }
  RTInstance Font(const std::u16string& path) {
    RTInstance font = nullptr;
    EXPECT_EQ(core().GetInstanceByName(nullptr, path.c_str(), &font, 0), kRTSuccess) << host_.ErrorLog();
    return fonts_.emplace_back(font).get();
  }
  int32_t Width(RTInstance font, const char16_t* text) {
    int32_t width = -1;
    EXPECT_EQ(f::MeasureWidth(font, text, &width), kRTSuccess);
    return width;
  }
  int32_t Height(RTInstance font, const char16_t* text, int32_t wrap, int32_t limit) {
    int32_t height = -1;
    EXPECT_EQ(f::MeasureHeight(font, text, wrap, limit, &height), kRTSuccess);
    return height;
  }
  // A frame with only the text drawn at (x, y).
  Picture Drawn(RTInstance font, const char16_t* text, int32_t x, int32_t y) {
    BeginClearedFrame(kBlack);
    ScreenBox();
    EXPECT_EQ(f::DrawText(font, text, x, y, kRed), kRTSuccess);
    return Shoot();
  }

  std::vector<kivo::InstanceRef> fonts_;
};

TEST_F(SampleFonts, EveryFontTakesTheSizesItsCallersPass) {
  const struct {
    const char16_t* path;
    uint32_t cell;
    uint32_t texture;
    uint32_t size;
  } table[] = {
      {u"Root:Fonts:Verdana", 16, 256, 15},       {u"Root:Fonts:Verdana15b", 16, 256, 15},
      {u"Root:Fonts:Verdana17", 32, 512, 17},     {u"Root:Fonts:Verdana19", 32, 512, 19},
      {u"Root:Fonts:Verdana18o", 30, 512, 18},    {u"Root:Fonts:Verdana12b", 16, 256, 12},
      {u"Root:Fonts:Verdana23o", 32, 512, 23},    {u"Root:Fonts:Verdana7b", 16, 256, 7},
      {u"Root:Fonts:Verdana8", 16, 256, 8},       {u"Root:Fonts:Verdana9b", 16, 256, 9},
      {u"Root:Fonts:Verdana11", 16, 256, 11},     {u"Root:Fonts:Verdana11b", 16, 256, 11},
      {u"Root:Fonts:Verdana13", 16, 256, 13},     {u"Root:Fonts:Verdana14o", 15, 256, 14},
      {u"Root:Fonts:Monospaced32", 32, 512, 32},
  };
  for (const auto& row : table) {
    RTInstance font = Font(row.path);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(f::SetCellSize(font, row.cell, row.cell, row.texture, row.texture), kRTSuccess);
    EXPECT_EQ(f::SetSize(font, row.size), kRTSuccess);
    EXPECT_EQ(f::SetScreenSize(font, kWidth, kHeight), kRTSuccess);
    EXPECT_GT(Width(font, u"Hello"), int32_t(row.size)) << "five letters are wider than one is high";
    EXPECT_GE(Height(font, u"Hello", 0, 0), int32_t(row.size));
  }
  RTInstance mono = Font(u"Root:Fonts:Monospaced32");
  EXPECT_EQ(Width(mono, u"iiii"), Width(mono, u"WWWW"));
}

TEST_F(SampleFonts, HelloLiesInsideItsMeasuredBox) {
  RTInstance font = Font(u"Root:Fonts:Verdana17");
  ASSERT_EQ(f::SetSize(font, 17), kRTSuccess);
  const int32_t width = Width(font, u"Hello");
  const int32_t line = Height(font, u"Hello", 0, 0);
  const Picture picture = Drawn(font, u"Hello", 6, 9);
  const int inside = picture.CountOther(kBlack, 6, 9, 6 + width, 9 + line);
  EXPECT_GT(inside, width * line / 10) << "the letters are drawn";
  EXPECT_EQ(picture.CountOther(kBlack, 0, 0, kWidth, kHeight), inside) << "and nothing outside their box";
  EXPECT_GT(picture.CountOther(kBlack, 6, 9, 6 + width / 5, 9 + line), 0) << "the H begins at x";
  EXPECT_GT(picture.CountOther(kBlack, 6 + width - width / 5, 9, 6 + width, 9 + line), 0) << "the o ends the width";
}

TEST_F(SampleFonts, WrappedTextIsAsHighAsMeasuredAndNullTextIsNothing) {
  RTInstance font = Font(u"Root:Fonts:Verdana8");
  ASSERT_EQ(f::SetSize(font, 8), kRTSuccess);
  const char16_t* text = u"one two three four";
  const int32_t line = Height(font, u"x", 0, 0);
  const int32_t height = Height(font, text, 30, 9999);
  ASSERT_GE(height, 3 * line) << "wrapped into several lines";
  ASSERT_EQ(f::SetBounds(font, 30, 9999), kRTSuccess);
  const Picture wrapped = Drawn(font, text, 2, 2);
  EXPECT_EQ(wrapped.CountOther(kBlack, 0, 2 + height, kWidth, kHeight), 0) << "nothing below the measured height";
  EXPECT_GT(wrapped.CountOther(kBlack, 0, 2 + height - line, kWidth, 2 + height), 0) << "the last line is drawn";
  EXPECT_EQ(wrapped.CountOther(kBlack, 2 + 30, 0, kWidth, kHeight), 0) << "nothing past the wrap width";
  EXPECT_EQ(Height(font, text, 30, 2 * line + 1), 2 * line) << "a limit keeps whole lines";

  ASSERT_EQ(f::SetBounds(font, 30, 2 * line + 1), kRTSuccess);
  const Picture clipped = Drawn(font, text, 2, 2);
  EXPECT_EQ(clipped.CountOther(kBlack, 0, 2 + 2 * line, kWidth, kHeight), 0) << "the clip height keeps whole lines";

  EXPECT_EQ(Width(font, nullptr), 0);
  EXPECT_EQ(Height(font, nullptr, 30, 9999), 0);
  const Picture nothing = Drawn(font, nullptr, 2, 2);
  EXPECT_EQ(nothing.CountOther(kBlack, 0, 0, kWidth, kHeight), 0);
  BeginClearedFrame(kBlack);
  EXPECT_EQ(f::DrawText(font, u"x", 2, 2, nullptr), 0u) << "no colour";
  Shoot();
}

TEST_F(SampleFonts, SubtitlesShowInTheirBoxFromTheirTime) {
  RTInstance font = Font(u"Root:Fonts:Verdana8");
  const int32_t line = Height(font, u"x", 0, 0);
  ASSERT_EQ(f::SetTextBox(font, 2, 4, 60, 2 * line, kWidth, kHeight), kRTSuccess);
  ASSERT_EQ(f::AddLine(font, u"one", 1.0f, 0), kRTSuccess);
  ASSERT_EQ(f::AddLine(font, u"two", 2.0f, 0), kRTSuccess);
  ASSERT_EQ(f::AddLine(font, u"three", 3.0f, 0), kRTSuccess);
  auto rows = [&](float time) {
    BeginClearedFrame(kBlack);
    ScreenBox();
    EXPECT_EQ(f::DrawLines(font, time), kRTSuccess);
    const Picture picture = Shoot();
    std::vector<bool> inked;
    for (int32_t row = 0; row < 3; ++row)
      inked.push_back(picture.CountOther(kBlack, 0, 4 + row * line, kWidth, 4 + (row + 1) * line) > 0);
    return std::pair{inked, picture.CountOther(kBlack, 0, 0, kWidth, 4)};
  };
  EXPECT_EQ(rows(1.5f), std::pair(std::vector<bool>{true, false, false}, 0));
  EXPECT_EQ(rows(2.5f), std::pair(std::vector<bool>{true, true, false}, 0));
  EXPECT_EQ(rows(3.5f), std::pair(std::vector<bool>{true, true, false}, 0)) << "the first line left the top";
  const int32_t threeWide = Width(font, u"three");
  EXPECT_GT(threeWide, Width(font, u"two"));
  ASSERT_EQ(f::ClearQueuedLines(font), kRTSuccess);
  EXPECT_EQ(rows(9.0f), std::pair(std::vector<bool>{false, false, false}, 0));
}

}  // namespace
