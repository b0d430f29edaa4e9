// The head-render cache over the fixture pack's two head images ("SMITH" and "SMITHF"): keys in
// any case, the alternate head, a missing image, and the texture calls through the rasterizer.
#include <algorithm>

#include "actor_fixture.h"
#include "head_render_cache.h"

namespace {

using namespace actortest;
using tesk::actor::HeadRenderCache;

class HeadRenders : public ActorTest {
 protected:
  void SetUp() override {
    ActorTest::SetUp();
    ASSERT_TRUE(cache_.Create());
  }
  void TearDown() override {
    cache_.Destroy();
    ActorTest::TearDown();
  }
  HeadRenderCache cache_;
};

TEST_F(HeadRenders, AKeyFindsItsHeadInAnyCaseAndTheAlternateWhenThereIsOne) {
  StartRecording();
  cache_.Add(rasterizer(), u"SMITH", u"SMITH", nullptr);
  cache_.Add(rasterizer(), u"JONES", u"SMITH", u"SMITHF");
  cache_.Add(rasterizer(), u"GHOST", u"GHOST", u"SMITHF");
  const std::vector<std::string> calls = Recorded();
  ASSERT_EQ(calls.size(), 3u) << "SMITH; SMITH and SMITHF; GHOST's alternate is not tried";
  for (const std::string& call : calls)
    EXPECT_NE(call.find(", 0x2901, 0x2901, 0x2601, 0x2703, 1) -> 1"), std::string::npos) << call;
  EXPECT_EQ(Logged(") Can't retrieve a head render!\n"), 1u);

  // Textures are made in order: SMITH's head, JONES's head and JONES's alternate.
  constexpr uint32_t smith = 1;
  constexpr uint32_t jones = 2;
  constexpr uint32_t jonesAlternate = 3;
  const std::u16string overlong(200, u'S');
  const struct {
    const char16_t* key;
    RTBool alternate;
    RTSuccess result;
    uint32_t texture;
  } cases[] = {
      {u"smith", 0, kRTSuccess, smith},         // upper-cased before the look-up
      {u"Smith", 1, kRTSuccess, smith},         // no alternate: the primary
      {u"jones", 0, kRTSuccess, jones},         // the alternate only when asked for
      {u"JONES", 1, kRTSuccess, jonesAlternate},  // the alternate
      {u"GHOST", 1, kRTSuccess, 0},             // its image was missing
      {u"NOBODY", 0, kRTFailure, 0},            // no entry
      {overlong.c_str(), 0, kRTFailure, 0},     // longer than a key can be
      {nullptr, 0, kRTFailure, 0},
  };
  for (const auto& c : cases) {
    uint32_t texture = 7;
    EXPECT_EQ(cache_.Retrieve(c.key, c.alternate, &texture), c.result);
    EXPECT_EQ(texture, c.texture);
  }
}

}  // namespace
