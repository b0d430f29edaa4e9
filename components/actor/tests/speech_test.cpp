// Say: the speech list keeps the three newest texts, newest first, each with the game clock it was
// said at and its duration.
#include <string>
#include <vector>

#include "speech_text.h"
#include "tesk/game_standin_calls.h"
#include "wrapper_fixture.h"

namespace {

using namespace actortest;
namespace calls = kivo::actor;
using tesk::actor::SpeechText;

class Speech : public WrapperTest {
 protected:
  void SetUp() override {
    WrapperTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(Create(&actor_, u"Doctor"), kRTSuccess);
  }
  RTSuccess Say(const char16_t* text, float duration) {
    return Call(calls::kSay, &actor_, {Text(text), Real(duration)});
  }
  std::vector<SpeechText> Texts() {
    std::vector<SpeechText> texts;
    for (SpeechText* text : kivo::ListItems<SpeechText>(WrapperOf(&actor_)->SpeechList)) texts.push_back(*text);
    return texts;
  }

  int actor_ = 0;
};

TEST_F(Speech, KeepsTheThreeNewestTextsNewestFirstAndFreesTheOldest) {
  ASSERT_EQ(tesk::game_standin::SetClock(game(), 12.5f), kRTSuccess);
  ASSERT_EQ(Say(u"one", 2.0f), kRTSuccess);
  ASSERT_EQ(Say(u"two", 3.0f), kRTSuccess);
  ASSERT_EQ(Say(u"three", 0.0f), kRTSuccess);
  const uint32_t blocks = MemoryStats().first;
  ASSERT_EQ(tesk::game_standin::SetClock(game(), 14.0f), kRTSuccess);
  ASSERT_EQ(Say(u"four", -1.0f), kRTSuccess);
  EXPECT_EQ(MemoryStats().first, blocks) << "the text dropped is freed";
  const std::vector<SpeechText> texts = Texts();
  ASSERT_EQ(texts.size(), 3u);
  const struct {
    const char16_t* text;
    float start;
    float duration;
  } expected[] = {{u"four", 14.0f, 5.0f}, {u"three", 12.5f, 5.0f}, {u"two", 12.5f, 3.0f}};
  for (size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(std::u16string(texts[i].Text), expected[i].text) << i;
    EXPECT_EQ(texts[i].StartTime, expected[i].start) << i;
    EXPECT_EQ(texts[i].Duration, expected[i].duration) << i;
  }
}

TEST_F(Speech, AMissingOrMistypedArgumentOrAnObjectWithoutAWrapperSaysNothing) {
  int stranger = 0;
  EXPECT_EQ(Call(calls::kSay, &actor_, {Text(u"hello")}), kRTFailure);
  EXPECT_EQ(Call(calls::kSay, &actor_, {Text(u"hello"), Number(2)}), kRTFailure);
  EXPECT_EQ(Call(calls::kSay, &actor_, {Number(2), Real(2.0f)}), kRTFailure);
  EXPECT_EQ(Call(calls::kSay, &stranger, {Text(u"hello"), Real(2.0f)}), kRTFailure);
  EXPECT_TRUE(Texts().empty());
}

}  // namespace
