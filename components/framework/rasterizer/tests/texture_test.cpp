// Textures from image streams: one picture as PNG, TGA and BMP draws the same pixels and has the
// same size; the texture outlives its stream; cut-off, damaged and oversized images are refused.
#include <gtest/gtest.h>
#include <GL/gl.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstring>

#include "kivo/support/stream_calls.h"
#include "software_rasterizer.h"

namespace {

namespace r = kivo::rasterizer;
using Bytes = std::vector<uint8_t>;

constexpr int kSide = 4;

// A 4 x 4 picture, every texel its own colour; row 0 is the top.
uint32_t Texel(int x, int y) { return (uint32_t(x * 60 + 20) << 16) | (uint32_t(y * 60 + 20) << 8) | uint32_t(x * 16 + y * 40); }

void Collect(void* context, void* data, int size) {
  auto* bytes = static_cast<Bytes*>(context);
  bytes->insert(bytes->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

Bytes Encode(const std::string& format) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      for (int shift : {16, 8, 0}) rgb.push_back(static_cast<uint8_t>(Texel(x, y) >> shift));
  Bytes file;
  if (format == "png") stbi_write_png_to_func(Collect, &file, kSide, kSide, 3, rgb.data(), kSide * 3);
  if (format == "tga") stbi_write_tga_to_func(Collect, &file, kSide, kSide, 3, rgb.data());
  if (format == "bmp") stbi_write_bmp_to_func(Collect, &file, kSide, kSide, 3, rgb.data());
  return file;
}

// The largest block allocated since the count was set to 0; allocations are seen only under
// AddressSanitizer, whose hooks report them (elsewhere the count stays 0).
size_t& LargestAllocation() {
  static size_t largest = 0;
  return largest;
}
#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocation hooks (GCC ships no header that declares them).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, size_t),
                                                         void (*)(const volatile void*));
void NoteAllocation(const volatile void*, size_t size) { LargestAllocation() = std::max(LargestAllocation(), size); }
void NoteFree(const volatile void*) {}
const int kHooksInstalled = __sanitizer_install_malloc_and_free_hooks(NoteAllocation, NoteFree);
#endif

class Textures : public tesk::testing::SoftwareRasterizer {
 protected:
  kivo::InstanceRef Stream(const Bytes& bytes) {
    kivo::InstanceRef stream;
    EXPECT_EQ(kivo::memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), stream.out()),
              kRTSuccess);
    return stream;
  }
  // The texture over the whole buffer, nearest texels; each texel covers 16 x 12 pixels.
  tesk::testing::Picture DrawFullScreen(r::Texture texture) {
    BeginClearedFrame(0x000000);
    ScreenBox();
    EXPECT_EQ(r::EnableTexturing(rasterizer(), 1), kRTSuccess);
    EXPECT_EQ(r::BindTexture(rasterizer(), texture), kRTSuccess);
    EXPECT_EQ(r::BeginPrimitive(rasterizer(), r::kBatchQuads), kRTSuccess);
    const float w = kWidth, h = kHeight;
    for (const auto& [s, t, x, y] : {std::array{0.0f, 1.0f, 0.0f, 0.0f}, std::array{0.0f, 0.0f, 0.0f, h},
                                     std::array{1.0f, 0.0f, w, h}, std::array{1.0f, 1.0f, w, 0.0f}}) {
      EXPECT_EQ(r::TexCoord(rasterizer(), 0, s, t), kRTSuccess);
      EXPECT_EQ(r::Vertex3(rasterizer(), x, y, 0.0f), kRTSuccess);
    }
    EXPECT_EQ(r::EndPrimitive(rasterizer()), kRTSuccess);
    EXPECT_EQ(r::EnableTexturing(rasterizer(), 0), kRTSuccess);
    return Shoot();
  }
  // Made from a stream released before the texture is drawn.
  r::Texture FromImage(const Bytes& file) {
    kivo::InstanceRef stream = Stream(file);
    r::Texture texture = 0;
    EXPECT_EQ(r::CreateTextureFromImage(rasterizer(), stream.get(), &texture, GL_CLAMP, GL_CLAMP, GL_NEAREST,
                                        GL_NEAREST_MIPMAP_NEAREST, 1),
              kRTSuccess)
        << host_.ErrorLog();
    return texture;
  }
};

TEST_F(Textures, OnePictureInEachFormatDrawsTheSamePixels) {
  for (const std::string format : {"png", "tga", "bmp"}) {
    SCOPED_TRACE(format);
    const Bytes file = Encode(format);
    kivo::InstanceRef stream = Stream(file);
    ASSERT_EQ(kivo::stream::Seek(stream.get(), 0), kRTSuccess);
    uint32_t width = 0, height = 0, position = 99;
    ASSERT_EQ(r::GetImageSize(rasterizer(), stream.get(), &width, &height), kRTSuccess);
    EXPECT_EQ(width, uint32_t{kSide});
    EXPECT_EQ(height, uint32_t{kSide});
    ASSERT_EQ(kivo::stream::GetPosition(stream.get(), &position), kRTSuccess);
    EXPECT_EQ(position, 0u) << "the size is read in place";
    for (int made = 1; made <= 2; ++made) {
      r::Texture texture = 0;
      ASSERT_EQ(r::CreateTextureFromImage(rasterizer(), stream.get(), &texture, GL_CLAMP, GL_CLAMP, GL_NEAREST,
                                          GL_NEAREST, 0),
                kRTSuccess)
          << "texture " << made << " of one image";
      EXPECT_EQ(r::DestroyTexture(rasterizer(), texture), kRTSuccess);
    }
    stream.Reset();

    const r::Texture texture = FromImage(file);
    ASSERT_NE(texture, 0u);
    const tesk::testing::Picture picture = DrawFullScreen(texture);
    for (int y = 0; y < kSide; ++y)
      for (int x = 0; x < kSide; ++x) EXPECT_EQ(picture.At(x * 16 + 8, y * 12 + 6), Texel(x, y)) << x << ", " << y;
    EXPECT_EQ(r::DestroyTexture(rasterizer(), texture), kRTSuccess);
  }
}

TEST_F(Textures, PixelsMakeATextureAsAnImageDoes) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < kSide; ++y)
    for (int x = 0; x < kSide; ++x)
      for (int shift : {16, 8, 0}) rgb.push_back(static_cast<uint8_t>(Texel(x, y) >> shift));
  r::Texture texture = 0;
  ASSERT_EQ(r::CreateTextureFromPixels(rasterizer(), rgb.data(), r::kPixelsRgb, kSide, kSide, &texture, GL_REPEAT,
                                       GL_REPEAT, GL_NEAREST, GL_NEAREST, 0),
            kRTSuccess);
  const tesk::testing::Picture picture = DrawFullScreen(texture);
  EXPECT_EQ(picture.At(8, 6), Texel(0, 0));
  EXPECT_EQ(picture.At(56, 42), Texel(3, 3));
  EXPECT_EQ(r::CreateTextureFromPixels(rasterizer(), rgb.data(), 0x1907, kSide, kSide, &texture, GL_REPEAT, GL_REPEAT,
                                       GL_NEAREST, GL_NEAREST, 0),
            0u)
      << "only three bytes a pixel";
  EXPECT_EQ(texture, 0u);
}

TEST_F(Textures, CutOffDamagedAndOversizedImagesAreRefused) {
  const Bytes png = Encode("png");
  // The header's width and height (big-endian, bytes 16 to 23) patched.
  auto claiming = [&](uint8_t high, uint8_t low) {
    Bytes file = png;
    for (size_t at : {16u, 20u}) {
      const uint8_t side[4] = {0x00, 0x00, high, low};
      std::memcpy(file.data() + at, side, 4);
    }
    return file;
  };
  const Bytes huge = claiming(0xEA, 0x60);   // 60000 x 60000
  const Bytes large = claiming(0x27, 0x10);  // 10000 x 10000
  Bytes damagedData = png;
  for (size_t i = 41; i < damagedData.size() - 16; ++i) damagedData[i] ^= 0x5A;
  Bytes damagedHeader = Encode("bmp");
  damagedHeader[10] = 0xFF;  // the pixels' offset points past the file
  damagedHeader[11] = 0xFF;
  const struct {
    const char* what;
    Bytes file;
    const char* message;
  } cases[] = {
      {"a cut PNG", Bytes(png.begin(), png.end() - 20), "RTRasterizer::CreateTextureFromImage()... the image "},
      {"a PNG one byte short", Bytes(png.begin(), png.end() - 1), "the image ??? is cut off inside a chunk header"},
      {"a cut TGA", [] { Bytes b = Encode("tga"); b.resize(b.size() / 2); return b; }(), "is cut off"},
      {"a cut BMP", [] { Bytes b = Encode("bmp"); b.resize(b.size() - 10); return b; }(), "is cut off"},
      {"damaged compressed data", damagedData, "the image ??? cannot be decoded"},
      {"a damaged header", damagedHeader, "the image "},
      {"no image at all", Bytes(300, 0x58), "the image ??? cannot be read"},
      {"an empty stream", Bytes(), "the image ??? cannot be read"},
      {"a header claiming 60000 x 60000", huge, "the image ??? cannot be read"},
      {"a header claiming 10000 x 10000", large, "the image ??? is 10000 x 10000 pixels, more than a texture may have"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    kivo::InstanceRef stream = Stream(c.file);
    r::Texture texture = 77;
    EXPECT_EQ(r::CreateTextureFromImage(rasterizer(), stream.get(), &texture, GL_REPEAT, GL_REPEAT, GL_LINEAR,
                                        GL_LINEAR_MIPMAP_LINEAR, 1),
              0u);
    EXPECT_EQ(texture, 0u);
    EXPECT_NE(host_.ErrorLog().find(c.message), std::string::npos) << host_.ErrorLog();
  }
  // The header alone gives the claimed size; nothing is decoded for it.
  kivo::InstanceRef stream = Stream(large);
  uint32_t width = 0, height = 0;
  EXPECT_EQ(r::GetImageSize(rasterizer(), stream.get(), &width, &height), kRTSuccess);
  EXPECT_EQ(width, 10000u);
  r::Texture texture = 0;
  EXPECT_EQ(r::CreateTextureFromImage(rasterizer(), nullptr, &texture, GL_REPEAT, GL_REPEAT, GL_LINEAR, GL_LINEAR, 0),
            0u);
  EXPECT_EQ(r::CreateTextureFromImage(rasterizer(), stream.get(), &texture, 0x1234, GL_REPEAT, GL_LINEAR, GL_LINEAR,
                                      0),
            0u);
  EXPECT_NE(host_.ErrorLog().find("unknown wrap or filter values"), std::string::npos);
}

// A PNG whose data chunk declares 0x737A0057 bytes and holds four: refused from its chunk headers
// before the decoder allocates for it; likewise a chunk longer than the file and the pixels of a
// TGA or BMP that the file cannot hold. Each refusal names the image; under AddressSanitizer no
// block of a megabyte or more is allocated for any of them.
TEST_F(Textures, SizesAFileCannotHoldAreRefusedBeforeDecoding) {
  const Bytes png = Encode("png");
  constexpr size_t kAfterHeader = 33;  // the signature and the IHDR chunk
  auto withChunkLength = [](Bytes file, size_t at, uint32_t length) {
    for (int i = 0; i < 4; ++i) file[at + i] = static_cast<uint8_t>(length >> (24 - 8 * i));
    return file;
  };
  Bytes hugeChunk(png.begin(), png.begin() + kAfterHeader);
  const Bytes idat = {0x73, 0x7A, 0x00, 0x57, 'I', 'D', 'A', 'T', 0x78, 0x9C, 0x63, 0x60};
  hugeChunk.insert(hugeChunk.end(), idat.begin(), idat.end());
  const Bytes cutHeader(hugeChunk.begin(), hugeChunk.begin() + 41);
  const Bytes longChunk = withChunkLength(png, kAfterHeader, static_cast<uint32_t>(png.size()));
  // An uncompressed 4 x 4 TGA of 24-bit pixels, then its width patched to 255.
  Bytes tga = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24, 0};
  tga.resize(tga.size() + 4 * 4 * 3, 0x80);
  tga[12] = 0xFF;
  Bytes bmp = Encode("bmp");
  bmp[22] = 0x7F;  // 127 rows
  const struct {
    const char* what;
    Bytes file;
    const char* message;
  } cases[] = {
      {"a huge chunk without data", hugeChunk, "the image CHECKED has a chunk of 1937375319 bytes where 0 are left"},
      {"a chunk header cut off", cutHeader, "the image CHECKED is cut off inside a chunk header"},
      {"a chunk longer than the file", longChunk, "bytes where"},
      {"a TGA declaring more pixels", tga, "the image CHECKED is cut off: its header declares"},
      {"a BMP declaring more rows", bmp, "the image CHECKED is cut off: its header declares"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    kivo::InstanceRef stream = Stream(c.file);
    ASSERT_EQ(core().SetInstanceName(nullptr, stream.get(), u"CHECKED"), kRTSuccess);
    LargestAllocation() = 0;
    r::Texture texture = 77;
    EXPECT_EQ(r::CreateTextureFromImage(rasterizer(), stream.get(), &texture, GL_REPEAT, GL_REPEAT, GL_LINEAR,
                                        GL_LINEAR, 0),
              0u);
    EXPECT_EQ(texture, 0u);
    EXPECT_NE(host_.ErrorLog().find(c.message), std::string::npos) << host_.ErrorLog();
    EXPECT_LT(LargestAllocation(), size_t{1} << 20);
  }
}

}  // namespace
