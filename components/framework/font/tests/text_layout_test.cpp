// Breaking texts into lines and the subtitle queue, with advances chosen so widths are plain
// numbers: every code 10 pixels wide, the space 5.
#include <gtest/gtest.h>

#include "subtitle_queue.h"
#include "text_layout.h"

namespace {

using namespace font;

std::array<float, 256> Advances() {
  std::array<float, 256> advances;
  advances.fill(10.0f);
  advances[' '] = 5.0f;
  return advances;
}

// The lines as texts.
std::vector<std::string> Texts(const char16_t* text, int32_t wrap, float scale = 1.0f) {
  const auto advances = Advances();
  const Codes codes = ToCodes(text);
  std::vector<std::string> texts;
  for (const Line& line : Layout(advances, scale).Break(codes, wrap))
    texts.emplace_back(codes.begin() + line.begin, codes.begin() + line.end);
  return texts;
}

TEST(TextLayout, CodesAreLatin1WithAQuestionMarkForTheRest) {
  EXPECT_EQ(ToCodes(u"A\u00e9\u20ac\U0001F600z"), (Codes{'A', 0xE9, '?', '?', 'z'})) << "a surrogate pair is one";
  EXPECT_TRUE(ToCodes(nullptr).empty());
}

TEST(TextLayout, LinesBreakBetweenWordsAndInsideOnlyTooLongOnes) {
  const struct {
    const char16_t* text;
    int32_t wrap;
    std::vector<std::string> lines;
  } cases[] = {
      {u"", 100, {}},
      {u"ab cd", 0, {"ab cd"}},
      {u"ab cd", 45, {"ab cd"}},              // 20 + 5 + 20 fits exactly
      {u"ab cd", 44, {"ab", "cd"}},
      {u"ab  cd ef", 50, {"ab  cd", "ef"}},   // inner spaces kept, the spaces at a break dropped
      {u"abcdefg", 30, {"abc", "def", "g"}},  // one word too wide breaks between letters
      {u"ab\ncd", 0, {"ab", "cd"}},
      {u"ab\n\ncd\n", 0, {"ab", "", "cd", ""}},
      {u"x abcdefgh", 35, {"x", "abc", "def", "gh"}},
      {u"abc", 5, {"a", "b", "c"}},           // narrower than a letter: one letter a line
  };
  for (const auto& c : cases) EXPECT_EQ(Texts(c.text, c.wrap), c.lines) << c.wrap;
  EXPECT_EQ(Texts(u"ab cd", 60, 1.5f), (std::vector<std::string>{"ab", "cd"})) << "advances scale with the size";
}

TEST(TextLayout, WidthsLeaveTrailingSpacesOutAndHeightsCountWholeLines) {
  const auto advances = Advances();
  const std::vector<Line> lines = Layout(advances, 1.0f).Break(ToCodes(u"ab  \ncde"), 0);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].width, 20.0f);
  EXPECT_EQ(lines[1].width, 30.0f);
  EXPECT_EQ(LinesThatFit(5, 12, 9999), 5u);
  EXPECT_EQ(LinesThatFit(5, 12, 35), 2u);
  EXPECT_EQ(LinesThatFit(5, 12, 11), 0u);
  EXPECT_EQ(LinesThatFit(5, 12, 0), 5u) << "no limit";
  EXPECT_EQ(CoveringPixels(20.0f), 20);
  EXPECT_EQ(CoveringPixels(20.25f), 21);
}

// Each entry's text is its line count, as a digit.
size_t LinesOf(const std::u16string& text) { return text.empty() ? 0 : static_cast<size_t>(text[0] - u'0'); }

using ShownLines = std::vector<std::pair<std::u16string, size_t>>;

ShownLines Due(SubtitleQueue& queue, float time, size_t room) {
  ShownLines shown;
  for (const auto& entry : queue.Due(time, room, LinesOf)) shown.emplace_back(entry.text, entry.firstLine);
  return shown;
}

TEST(SubtitleQueue, ShowsLinesFromTheirTimeNewestLastAndDropsFromTheTop) {
  const struct {
    const char* what;
    std::vector<std::pair<std::u16string, float>> added;
    float time;
    size_t room;
    ShownLines shown;
    size_t left;
  } cases[] = {
      {"none due yet", {{u"1a", 2.0f}}, 1.0f, 4, {}, 1},
      {"due at their time", {{u"1a", 1.0f}, {u"1b", 2.0f}, {u"1c", 3.0f}}, 2.0f, 4, {{u"1a", 0}, {u"1b", 0}}, 3},
      {"the oldest leaves", {{u"2a", 1.0f}, {u"1b", 2.0f}, {u"2c", 2.5f}}, 3.0f, 3, {{u"1b", 0}, {u"2c", 0}}, 2},
      {"part of an entry leaves", {{u"3a", 1.0f}, {u"2b", 2.0f}}, 3.0f, 4, {{u"3a", 1}, {u"2b", 0}}, 2},
      {"a later entry waits", {{u"2a", 1.0f}, {u"2b", 9.0f}, {u"2c", 2.0f}}, 3.0f, 2, {{u"2c", 0}}, 2},
      {"no room at all", {{u"1a", 1.0f}}, 1.0f, 0, {}, 0},
  };
  for (const auto& c : cases) {
    SubtitleQueue queue;
    for (const auto& [text, time] : c.added) queue.Add(text, time);
    EXPECT_EQ(Due(queue, c.time, c.room), c.shown) << c.what;
    EXPECT_EQ(queue.size(), c.left) << c.what;
  }
  SubtitleQueue queue;
  queue.Add(u"1a", 0.0f);
  queue.Clear();
  EXPECT_EQ(Due(queue, 5.0f, 4), ShownLines{}) << "cleared";
}

}  // namespace
