// RTMaterial through the staged component: its values and switches, its stream and the damaged
// streams it refuses with the material unchanged. Textures are drawn in material_texture_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "kivo/material/material_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"

namespace {

using namespace kivo;
using tesk::testing::StreamBytes;

class Material : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTMaterial"));
  }

  InstanceRef NewMaterial() {
    InstanceRef made;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, material::kClassName, made.out(), 0, 1), kRTSuccess);
    return made;
  }
  std::string StreamedOut(RTInstance m) {
    InstanceRef stream = tesk::testing::MemoryStreamWith("");
    if (!component::StreamOut(m, component::kStreamWhole, stream.get())) return "<failed>";
    return tesk::testing::MemoryStreamBytes(stream.get());
  }
  RTSuccess StreamIn(RTInstance m, const std::string& bytes) {
    InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
    return component::StreamIn(m, component::kStreamWhole, stream.get());
  }
  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
};

// Self-illumination 0.5, colour (0.25, 0.5, 0.75, 0.5), invisible, alpha, two-sided, a three-byte
// diffuse image and no normal map.
StreamBytes Dressed() {
  StreamBytes bytes;
  bytes.U32(1).F32(0.5f).F32(0.25f).F32(0.5f).F32(0.75f).F32(0.5f).U8(0).U8(1).U8(1).U32(3).Raw("PNG").U32(0);
  return bytes;
}

void Dress(RTInstance m) {
  const RTFColorRGB colour{0.25f, 0.5f, 0.75f, 0.5f};
  const uint8_t image[] = {'P', 'N', 'G'};
  ASSERT_EQ(material::SetSelfIllumination(m, 0.5f), kRTSuccess);
  ASSERT_EQ(material::SetColor(m, &colour), kRTSuccess);
  ASSERT_EQ(material::SetVisible(m, 0), kRTSuccess);
  ASSERT_EQ(material::SetAlpha(m, 1), kRTSuccess);
  ASSERT_EQ(material::SetTwoSided(m, 7), kRTSuccess);
  ASSERT_EQ(material::SetImage(m, material::kDiffuseImage, image, 3), kRTSuccess);
}

TEST_F(Material, StartsOpaqueWhiteVisibleAndOneSidedAndTakesItsSettings) {
  InstanceRef m = NewMaterial();
  float amount = -1;
  RTFColorRGB colour{};
  uint32_t flags = 9, alpha = 9;
  RTBool visible = 9, twoSided = 9;
  auto read = [&] {
    EXPECT_EQ(material::GetSelfIllumination(m.get(), &amount), kRTSuccess);
    EXPECT_EQ(material::GetColor(m.get(), &colour), kRTSuccess);
    EXPECT_EQ(material::GetTextureFlags(m.get(), &flags), kRTSuccess);
    EXPECT_EQ(material::IsVisible(m.get(), &visible), kRTSuccess);
    EXPECT_EQ(material::HasAlpha(m.get(), &alpha), kRTSuccess);
    EXPECT_EQ(material::IsTwoSided(m.get(), &twoSided), kRTSuccess);
  };
  read();
  EXPECT_EQ(amount, 0.0f);
  EXPECT_EQ(colour.r + colour.g + colour.b + colour.a, 4.0f);
  EXPECT_EQ(flags, 0u);
  EXPECT_EQ(visible, 1u);
  EXPECT_EQ(alpha, 0u);
  EXPECT_EQ(twoSided, 0u);

  Dress(m.get());
  const uint8_t normalMap[] = {1};
  ASSERT_EQ(material::SetImage(m.get(), material::kNormalMapImage, normalMap, 1), kRTSuccess);
  read();
  EXPECT_EQ(amount, 0.5f);
  EXPECT_EQ(colour.b, 0.75f);
  EXPECT_EQ(flags, material::kDiffuseTextureFlag | material::kNormalMapTextureFlag);
  EXPECT_EQ(visible, 0u);
  EXPECT_EQ(alpha, 1u);
  EXPECT_EQ(twoSided, 1u) << "switches are 0 or 1";

  ASSERT_EQ(material::SetImage(m.get(), material::kDiffuseImage, nullptr, 0), kRTSuccess);
  read();
  EXPECT_EQ(flags, material::kNormalMapTextureFlag) << "count 0 removes the image";
  EXPECT_EQ(material::SetImage(m.get(), 2, normalMap, 1), kRTFailure) << "no third image";
  EXPECT_EQ(material::SetImage(m.get(), material::kDiffuseImage, normalMap, material::kMaxImageBytes + 1), kRTFailure);
  material::Texture texture = 0;
  EXPECT_EQ(material::GetDiffuseTexture(m.get(), &texture), kRTFailure) << "no diffuse image";
}

TEST_F(Material, StreamHoldsEveryValueAndReadsBackWhole) {
  InstanceRef m = NewMaterial();
  Dress(m.get());
  EXPECT_EQ(StreamedOut(m.get()), Dressed().bytes());

  InstanceRef copy = NewMaterial();
  ASSERT_EQ(StreamIn(copy.get(), Dressed().bytes()), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy.get()), Dressed().bytes());
  uint32_t flags = 0;
  EXPECT_EQ(material::GetTextureFlags(copy.get(), &flags), kRTSuccess);
  EXPECT_EQ(flags, material::kDiffuseTextureFlag);
}

TEST_F(Material, DamagedStreamsChangeNothing) {
  auto head = [] { return StreamBytes().U32(1).F32(0).F32(1).F32(1).F32(1).F32(1).U8(1).U8(0).U8(0); };
  const struct {
    const char* what;
    std::string bytes;
    std::string message;
  } cases[] = {
      {"a newer version", StreamBytes().U32(2).bytes() + Dressed().bytes().substr(4),
       "the stream holds no material of version 1 or older"},
      {"an image longer than the stream", head().U32(1000).Raw("PNG").U32(0).bytes(),
       "the length of the diffuse image is missing, above 16777216 or larger than the stream"},
      {"an image above the limit", head().U32(0).U32(0xFFFFFFFFu).bytes(),
       "the length of the normal map is missing, above 16777216 or larger than the stream"},
      {"cut switches", head().bytes().substr(0, 22), "the colour or the switches are cut short"},
  };
  InstanceRef m = NewMaterial();
  Dress(m.get());
  const std::string before = StreamedOut(m.get());
  for (const auto& c : cases) {
    EXPECT_EQ(StreamIn(m.get(), c.bytes), kRTFailure) << c.what;
    EXPECT_TRUE(Logged("RTMaterial::StreamIn(): " + c.message + "; the material is left as it was")) << c.what;
    EXPECT_EQ(StreamedOut(m.get()), before) << c.what;
  }
  const std::string whole = Dressed().bytes();
  for (size_t length = 0; length < whole.size(); ++length) {
    EXPECT_EQ(StreamIn(m.get(), whole.substr(0, length)), kRTFailure) << length << " bytes";
    EXPECT_EQ(StreamedOut(m.get()), before) << length << " bytes";
  }
  EXPECT_FALSE(Logged("Couldn't satisfy request")) << "no length was trusted with an allocation";
}

}  // namespace
