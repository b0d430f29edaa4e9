// Defined particle systems and the managers that drive them: the definition language, a replay
// that repeats itself, motion in steps, when an effect ends, a full pool that allocates nothing,
// and RTBMPImage's refusals.
#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <string>
#include <vector>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "kivo/image/image_calls.h"
#include "kivo/particles/part_man_calls.h"
#include "kivo/particles/particle_system_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"

namespace {

using namespace kivo;
using tesk::testing::MemoryStreamWith;

class Particles : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTRenderable", "RTParticleSystem", "RTPartMan", "RTImage", "RTBMPImage"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }
  InstanceRef Make(const char16_t* className) {
    InstanceRef instance;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, instance.out(), 0, 1), kRTSuccess);
    return instance;
  }
  // A system defined by the emitter and look texts.
  InstanceRef System(const char* emitter, const char* look = "") {
    InstanceRef system = Make(particle_system::kClassName);
    uint32_t primary = 0, secondary = 0;
    EXPECT_EQ(particle_system::ParseText(system.get(), emitter, &primary), kRTSuccess);
    EXPECT_EQ(particle_system::SetPrimaryText(system.get(), primary), kRTSuccess);
    EXPECT_EQ(particle_system::ParseText(system.get(), look, &secondary), kRTSuccess);
    EXPECT_EQ(particle_system::SetSecondaryText(system.get(), secondary), kRTSuccess);
    return system;
  }
  static std::vector<RTLiveParticle> LiveParticles(RTInstance system) {
    const RTLiveParticle* particles = nullptr;
    uint32_t count = 0;
    EXPECT_EQ(particle_system::GetLiveParticles(system, &particles, &count), kRTSuccess);
    return std::vector<RTLiveParticle>(particles, particles + count);
  }
  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
};

TEST_F(Particles, ParseTextRefusesWhatTheLanguageDoesNotSayNamingTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"burst 10\n\nsparkle 3", "RTParticleSystem::ParseText(): line 3: unknown word \"sparkle\""},
      {"life 1", "RTParticleSystem::ParseText(): line 1: \"life\" takes 2 numbers"},
      {"rate 5\nmax 2000", "RTParticleSystem::ParseText(): line 2: \"max\" takes a whole number from 1 to 1024"},
      {"life 2 1", "RTParticleSystem::ParseText(): line 1: \"life\" takes two numbers not below 0, A up to B"},
      {"colour 1 0 0 2", "RTParticleSystem::ParseText(): line 1: \"colour\" takes channels from 0 to 1"},
      {"speed 1 x", "RTParticleSystem::ParseText(): line 1: \"speed\" takes 2 numbers"},
  };
  InstanceRef system = Make(particle_system::kClassName);
  for (const Case& c : cases) {
    uint32_t handle = 77;
    EXPECT_EQ(particle_system::ParseText(system.get(), c.text, &handle), kRTFailure) << c.text;
    EXPECT_EQ(handle, 77u) << c.text;
    EXPECT_TRUE(Logged(c.message)) << c.message;
  }
  uint32_t emitter = 0, look = 0;
  ASSERT_EQ(particle_system::ParseText(system.get(), "size 0.1 0.2\ncolour 1 1 1 1", &look), kRTSuccess);
  ASSERT_EQ(particle_system::ParseText(system.get(), "burst 3", &emitter), kRTSuccess);
  EXPECT_EQ(particle_system::SetPrimaryText(system.get(), look), kRTFailure) << "look words as the emitter";
  EXPECT_EQ(particle_system::SetSecondaryText(system.get(), emitter), kRTFailure) << "emitter words as the look";
  EXPECT_EQ(particle_system::SetPrimaryText(system.get(), 99), kRTFailure) << "a handle never given";
  EXPECT_EQ(particle_system::SetModes(system.get(), 3, 1), kRTFailure);
}

TEST_F(Particles, ABurstReplaysParticleForParticle) {
  const char* emitter = "burst 40\nlife 0.5 2\nspeed 1 3\nspread 60\nbox 1 0 1\ngravity 0 -2 0\ndrag 0.3";
  InstanceRef first = System(emitter), second = System(emitter);
  std::vector<RTLiveParticle> runs[3];
  RTBool live = 0;
  for (int run = 0; run < 3; ++run) {
    RTInstance system = run == 1 ? second.get() : first.get();
    ASSERT_EQ(particle_system::StartAt(system, 5000), kRTSuccess);
    for (uint32_t ms = 5000; ms <= 5700; ms += 35) ASSERT_EQ(particle_system::Advance(system, ms, &live), kRTSuccess);
    runs[run] = LiveParticles(system);
  }
  ASSERT_FALSE(runs[0].empty());
  ASSERT_LT(runs[0].size(), 40u) << "the shortest lives are over";
  for (int run = 1; run < 3; ++run) {
    ASSERT_EQ(runs[run].size(), runs[0].size());
    for (size_t i = 0; i < runs[0].size(); ++i) {
      EXPECT_EQ(runs[run][i].position.x, runs[0][i].position.x);
      EXPECT_EQ(runs[run][i].position.y, runs[0][i].position.y);
      EXPECT_EQ(runs[run][i].velocity.z, runs[0][i].velocity.z);
      EXPECT_EQ(runs[run][i].age, runs[0][i].age);
    }
  }
}

// Each step of dt: v += g dt, then p += v dt; after n steps from rest y = g dt^2 n (n + 1) / 2.
TEST_F(Particles, GravityMovesAParticleByTheStepFormula) {
  InstanceRef system = System("burst 1\nlife 5 5\ngravity 0 -9.8 0");
  ASSERT_EQ(particle_system::StartAt(system.get(), 0), kRTSuccess);
  RTBool live = 0;
  for (uint32_t ms = 50; ms <= 1000; ms += 50) ASSERT_EQ(particle_system::Advance(system.get(), ms, &live), kRTSuccess);
  const auto particles = LiveParticles(system.get());
  ASSERT_EQ(particles.size(), 1u);
  float v = 0, y = 0;
  for (int step = 0; step < 20; ++step) {
    v += -9.8f * 0.05f;
    y += v * 0.05f;
  }
  EXPECT_FLOAT_EQ(particles[0].position.y, y);
  EXPECT_NEAR(particles[0].position.y, -9.8 * 0.05 * 0.05 * 20 * 21 / 2, 1e-4);
  EXPECT_EQ(particles[0].position.x, 0.0f);

  // One update of a whole second is taken in steps of 0.1 s.
  InstanceRef leap = System("burst 1\nlife 5 5\ngravity 0 -9.8 0");
  ASSERT_EQ(particle_system::StartAt(leap.get(), 0), kRTSuccess);
  ASSERT_EQ(particle_system::Advance(leap.get(), 1000, &live), kRTSuccess);
  EXPECT_NEAR(LiveParticles(leap.get())[0].position.y, -9.8 * 0.1 * 0.1 * 10 * 11 / 2, 1e-4);
}

TEST_F(Particles, AnEffectEndsWhenItsSystemsAreDoneOrItsDurationIsOver) {
  struct Case {
    const char* what;
    const char* emitter;
    const char* options;
    bool stop;  // Stop before the last update
    uint32_t goesOnAt;
    uint32_t endedAt;
  };
  const Case cases[] = {
      {"a burst, after its life", "burst 10\nlife 0.5 0.5", "", false, 1400, 1600},
      {"a continuous one, only after Stop", "rate 20\nlife 0.5 0.5", "", true, 60000, 60100},
      {"a duration, whatever the systems do", "rate 20\nlife 0.5 0.5", "duration 1.5", false, 2499, 2500},
  };
  for (const Case& c : cases) {
    InstanceRef manager = Make(part_man::kClassName);
    InstanceRef system = System(c.emitter);
    ASSERT_EQ(part_man::SetTextB(manager.get(), c.options), kRTSuccess) << c.what;
    ASSERT_EQ(part_man::AddSystem(manager.get(), system.get()), kRTSuccess);
    int32_t result = 0;
    ASSERT_EQ(part_man::Start(manager.get(), 1000, &result), kRTSuccess);
    EXPECT_EQ(result, part_man::kGoesOn) << c.what;
    ASSERT_EQ(part_man::Update(manager.get(), c.goesOnAt, &result), kRTSuccess);
    EXPECT_EQ(result, part_man::kGoesOn) << c.what;
    if (c.stop) {
      ASSERT_EQ(part_man::Stop(manager.get()), kRTSuccess);
    }
    ASSERT_EQ(part_man::Update(manager.get(), c.endedAt, &result), kRTSuccess);
    EXPECT_EQ(static_cast<uint32_t>(result), 0xFFFFFFFFu) << c.what;
    EXPECT_TRUE(LiveParticles(system.get()).empty()) << c.what << ": a finished effect draws nothing";
  }
  InstanceRef manager = Make(part_man::kClassName);
  EXPECT_EQ(part_man::SetTextB(manager.get(), "duration -1"), kRTFailure);
  EXPECT_EQ(part_man::SetTextB(manager.get(), "speed 2"), kRTFailure);
  EXPECT_TRUE(Logged("RTPartMan::SetTextB(): line 1: an option is \"duration S\" with S above 0"));
  int32_t result = 0;
  ASSERT_EQ(part_man::Start(manager.get(), 0, &result), kRTSuccess);
  EXPECT_EQ(result, part_man::kFinished) << "an effect of no systems is over at once";
}

TEST_F(Particles, AFullPoolUpdatesWithoutAllocating) {
  InstanceRef system = System("rate 100000\nlife 1000 1000\nmax 1024\nspread 180\nspeed 1 2");
  RTBool live = 0;
  ASSERT_EQ(particle_system::StartAt(system.get(), 0), kRTSuccess);
  ASSERT_EQ(particle_system::Advance(system.get(), 100, &live), kRTSuccess);
  const RTLiveParticle* before = nullptr;
  uint32_t count = 0;
  ASSERT_EQ(particle_system::GetLiveParticles(system.get(), &before, &count), kRTSuccess);
  ASSERT_EQ(count, 1024u);
  const auto memory = MemoryStats();
  for (uint32_t ms = 110; ms < 110 + 1000 * 10; ms += 10)
    ASSERT_EQ(particle_system::Advance(system.get(), ms, &live), kRTSuccess);
  const RTLiveParticle* after = nullptr;
  ASSERT_EQ(particle_system::GetLiveParticles(system.get(), &after, &count), kRTSuccess);
  EXPECT_EQ(after, before) << "the pool stayed where it was";
  EXPECT_EQ(count, 1024u);
  EXPECT_EQ(MemoryStats(), memory);
}

// Counts of any finite size fill the pool and no more (the sanitizers watch the conversions).
TEST_F(Particles, HugeBurstsAndRatesFillThePoolAndNoMore) {
  for (const char* emitter : {"burst 1e30\nlife 9 9\nmax 8", "rate 1e30\nlife 9 9\nmax 8"}) {
    InstanceRef system = System(emitter);
    RTBool live = 0;
    ASSERT_EQ(particle_system::StartAt(system.get(), 0), kRTSuccess);
    for (uint32_t ms = 0; ms <= 300; ms += 100) ASSERT_EQ(particle_system::Advance(system.get(), ms, &live), kRTSuccess);
    EXPECT_EQ(LiveParticles(system.get()).size(), 8u) << emitter;
  }
}

std::string EncodedBmp(int width, int height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
  std::string out;
  stbi_write_bmp_to_func([](void* context, void* data, int size) {
    static_cast<std::string*>(context)->append(static_cast<char*>(data), size);
  }, &out, width, height, 3, rgb.data());
  return out;
}

TEST_F(Particles, ABmpImageGivesItsRowsTopFirstAndRefusesWhatItCannotDecode) {
  InstanceRef image = Make(bmp_image::kClassName);
  const std::string bmp = EncodedBmp(3, 2);
  InstanceRef good = MemoryStreamWith(bmp);
  ASSERT_EQ(bmp_image::Load(image.get(), good.get()), kRTSuccess);
  const uint8_t* rgb = nullptr;
  uint32_t width = 0, height = 0;
  ASSERT_EQ(bmp_image::GetPixels(image.get(), &rgb, &width, &height), kRTSuccess);
  EXPECT_EQ(width, 3u);
  EXPECT_EQ(height, 2u);
  EXPECT_EQ(rgb[0], 0);
  EXPECT_EQ(rgb[3 * 3 + 1], static_cast<uint8_t>(10 * 7)) << "second row, first pixel, green";

  std::string huge = bmp;
  huge[18] = static_cast<char>(9000 & 0xFF);
  huge[19] = static_cast<char>(9000 >> 8);
  const std::string refused[] = {bmp.substr(0, bmp.size() - 5), "just some words, no picture", huge};
  for (const std::string& bytes : refused) {
    InstanceRef stream = MemoryStreamWith(bytes);
    EXPECT_EQ(bmp_image::Load(image.get(), stream.get()), kRTFailure);
    ASSERT_EQ(bmp_image::GetPixels(image.get(), &rgb, &width, &height), kRTSuccess);
    EXPECT_EQ(width, 3u) << "the image keeps what it held";
    const auto size = static_cast<uint32_t>(bytes.size());
    InstanceRef streamed =
        MemoryStreamWith(tesk::testing::StreamBytes().U32(image::kStreamVersion).U32(size).Raw(bytes).bytes());
    EXPECT_EQ(component::StreamIn(image.get(), component::kStreamWhole, streamed.get()), kRTFailure);
    ASSERT_EQ(bmp_image::GetPixels(image.get(), &rgb, &width, &height), kRTSuccess);
    EXPECT_EQ(height, 2u);
  }
  EXPECT_TRUE(Logged("RTBMPImage::Load(): the image"));
  EXPECT_TRUE(Logged("RTBMPImage::StreamIn(): the image"));
}

}  // namespace
