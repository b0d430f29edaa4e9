// A material's textures through the software rasterizer: made from its image on the first request
// only, repeated, linear and mipmapped, and given back when the image changes or the material goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kivo/material/material_calls.h"
#include "software_rasterizer.h"

namespace {

using namespace kivo;
using Lines = std::vector<std::string>;

class MaterialTextures : public tesk::testing::SoftwareRasterizer {
 protected:
  void InstallMore(tesk::testing::CoreHost& host) override {
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTMaterial"));
  }
};

TEST_F(MaterialTextures, AreMadeOnceFromTheImageAndGivenBack) {
  InstanceRef m;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, material::kClassName, m.out(), 0, 1), kRTSuccess);
  const std::vector<uint8_t> png = tesk::testing::TinyPng();
  ASSERT_EQ(material::SetImage(m.get(), material::kDiffuseImage, png.data(), static_cast<uint32_t>(png.size())),
            kRTSuccess);
  StartRecording();
  material::Texture first = 0, again = 0, renewed = 0;
  ASSERT_EQ(material::GetDiffuseTexture(m.get(), &first), kRTSuccess) << host_.ErrorLog();
  ASSERT_EQ(material::GetDiffuseTexture(m.get(), &again), kRTSuccess);
  EXPECT_NE(first, 0u);
  EXPECT_EQ(again, first) << "made on the first request only";
  EXPECT_EQ(material::GetNormalMapTexture(m.get(), &renewed), kRTFailure) << "no normal map";

  ASSERT_EQ(material::SetImage(m.get(), material::kDiffuseImage, png.data(), static_cast<uint32_t>(png.size())),
            kRTSuccess);
  ASSERT_EQ(material::GetDiffuseTexture(m.get(), &renewed), kRTSuccess);
  m.Reset();
  const std::string made = "CreateTextureFromImage(stream, out " + std::to_string(first) +
                           ", 0x2901, 0x2901, 0x2601, 0x2703, 1) -> 1";
  const std::string remade = "CreateTextureFromImage(stream, out " + std::to_string(renewed) +
                             ", 0x2901, 0x2901, 0x2601, 0x2703, 1) -> 1";
  EXPECT_EQ(Recorded(), (Lines{made, "DestroyTexture(" + std::to_string(first) + ") -> 1", remade,
                               "DestroyTexture(" + std::to_string(renewed) + ") -> 1"}));
}

}  // namespace
