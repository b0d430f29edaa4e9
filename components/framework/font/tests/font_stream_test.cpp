// A font's stream through the RTFont component: it round-trips byte for byte, and a damaged one
// is refused with the font left as it was.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>

#include "font_data.h"
#include "host/core_host.h"
#include "kivo/font/font_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/stream_calls.h"

namespace {

namespace f = kivo::font;
using Bytes = std::vector<uint8_t>;

void Collect(void* context, void* data, int size) {
  auto* bytes = static_cast<Bytes*>(context);
  bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// A font of 4 x 4 cells in a 64 x 64 sheet.
font::FontData SmallFont() {
  font::FontData data;
  font::FontMetrics& m = data.metrics;
  m.sheetSize = 3;
  m.cellWidth = m.cellHeight = 4;
  m.textureWidth = m.textureHeight = 64;
  m.originX = 1;
  m.originY = 3;
  m.ascent = 3;
  m.lineHeight = 4;
  for (uint32_t code = 0; code < font::kCodes; ++code) m.advances[code] = float(code % 4);
  std::vector<uint8_t> rgba(64 * 64 * 4, 0xFF);
  stbi_write_png_to_func(Collect, &data.sheet, 64, 64, 4, rgba.data(), 64 * 4);
  return data;
}

class FontStream : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTFont"));
  }
  void SetUp() override {
    StartedCore::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(core().CreateInstanceByString(nullptr, f::kClassName, font_.out(), 0, 0), kRTSuccess);
  }
  void TearDown() override {
    font_.Reset();
    StartedCore::TearDown();
  }
  static Bytes Written(const font::FontData& data) {
    kivo::InstanceRef stream;
    EXPECT_EQ(kivo::memory_stream::Create(stream.out()), kRTSuccess);
    EXPECT_TRUE(font::WriteFontStream(stream.get(), data));
    return Contents(stream.get());
  }
  static Bytes Contents(RTInstance stream) {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(kivo::memory_stream::GetBuffer(stream, &data), kRTSuccess);
    EXPECT_EQ(kivo::stream::GetSize(stream, &size), kRTSuccess);
    return Bytes(data, data + size);
  }
  RTSuccess StreamIn(const Bytes& bytes) {
    kivo::InstanceRef stream;
    EXPECT_EQ(kivo::memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), stream.out()),
              kRTSuccess);
    return kivo::component::StreamIn(font_.get(), kivo::component::kStreamWhole, stream.get());
  }
  Bytes StreamOut() {
    kivo::InstanceRef stream;
    EXPECT_EQ(kivo::memory_stream::Create(stream.out()), kRTSuccess);
    EXPECT_EQ(kivo::component::StreamOut(font_.get(), kivo::component::kStreamWhole, stream.get()), kRTSuccess);
    return Contents(stream.get());
  }

  kivo::InstanceRef font_;
};

TEST_F(FontStream, RoundTripsByteForByteAndMeasuresWithoutAContext) {
  int32_t width = -1;
  EXPECT_EQ(f::MeasureWidth(font_.get(), u"ab", &width), 0u) << "no sheet yet";
  const Bytes bytes = Written(SmallFont());
  ASSERT_EQ(StreamIn(bytes), kRTSuccess) << host_.ErrorLog();
  EXPECT_EQ(StreamOut(), bytes);
  ASSERT_EQ(f::MeasureWidth(font_.get(), u"abc", &width), kRTSuccess);
  EXPECT_EQ(width, 1 + 2 + 3) << "a = 97, b = 98, c = 99: advances 1, 2, 3";
  ASSERT_EQ(f::SetSize(font_.get(), 6), kRTSuccess);
  ASSERT_EQ(f::MeasureWidth(font_.get(), u"abc", &width), kRTSuccess);
  EXPECT_EQ(width, 12) << "twice the sheet's size, twice the width";
  int32_t height = -1;
  ASSERT_EQ(f::MeasureHeight(font_.get(), u"a\nb", 0, 0, &height), kRTSuccess);
  EXPECT_EQ(height, 16);
  ASSERT_EQ(f::MeasureHeight(font_.get(), nullptr, 0, 0, &height), kRTSuccess);
  EXPECT_EQ(height, 0);
  ASSERT_EQ(f::MeasureWidth(font_.get(), nullptr, &width), kRTSuccess);
  EXPECT_EQ(width, 0);
  EXPECT_EQ(f::SetCellSize(font_.get(), 4, 4, 64, 64), kRTSuccess);
  EXPECT_EQ(f::SetCellSize(font_.get(), 8, 8, 64, 64), 0u) << "not the cells the sheet was made with";
  EXPECT_NE(host_.ErrorLog().find("RTFont::SetCellSize()... the sheet has cells of 4 x 4 in 64 x 64, not 8 x 8"),
            std::string::npos);
}

TEST_F(FontStream, DamagedFontsAreRefusedAndTheFontKeepsWhatItHad) {
  const font::FontData good = SmallFont();
  const Bytes before = Written(good);
  ASSERT_EQ(StreamIn(before), kRTSuccess);
  auto changed = [&](auto change) {
    font::FontData data = good;
    change(data);
    return Written(data);
  };
  auto cut = [&](size_t keep) { return Bytes(before.begin(), before.begin() + keep); };
  const size_t sheetAt = before.size() - good.sheet.size();
  const struct {
    const char* what;
    Bytes bytes;
    const char* message;
  } cases[] = {
      {"a newer version", [&] { Bytes b = before; b[0] = 2; return b; }(), "Version is newer than reader"},
      {"cut in the metrics", cut(20), "the stream ends inside the metrics"},
      {"cut in the advances", cut(100), "the stream ends inside the advances"},
      {"cut in the sheet", cut(before.size() - 1), "more than the stream holds"},
      {"no grid", changed([](auto& d) { d.metrics.cellWidth = 65; }), "make no grid of 256 in 64 x 64"},
      {"too few rows", changed([](auto& d) { d.metrics.cellHeight = 5; }), "make no grid of 256"},
      {"origin outside", changed([](auto& d) { d.metrics.originX = 4; }), "the pen's origin lies outside the cell"},
      {"no line height", changed([](auto& d) { d.metrics.lineHeight = 0; }), "the line height or ascent"},
      {"advance not finite", changed([](auto& d) { d.metrics.advances[65] = NAN; }), "an advance is not a width"},
      {"negative advance", changed([](auto& d) { d.metrics.advances[65] = -1; }), "an advance is not a width"},
      {"sheet no PNG", [&] { Bytes b = before; b[sheetAt + 1] = 'J'; return b; }(), "its sheet is no PNG"},
      {"sheet of another size", changed([](auto& d) { d.metrics.textureWidth = d.metrics.textureHeight = 128; }),
       "its sheet is not 128 x 128"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(StreamIn(c.bytes), 0u);
    const std::string log = host_.ErrorLog();
    const size_t last = log.rfind("RTFont::StreamIn() -- ");
    EXPECT_NE(last, std::string::npos);
    EXPECT_NE(log.find(c.message, last), std::string::npos) << log;
    EXPECT_EQ(StreamOut(), before);
  }
}

}  // namespace
