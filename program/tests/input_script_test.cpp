// Input files: what each command line reads as, and the refusals, each naming its line.
#include "input_script.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "host/temp_dir.h"

namespace tesk {
namespace {

using Kind = InputCommandKind;
using platform::MouseButton;

TEST(InputScript, ReadsEveryCommand) {
  std::string error;
  const auto script = ParseInputScript(
      "# the start menu\n"
      "\n"
      "wait-line  front end  \n"
      "wait 3\r\n"
      "sleep 0\n"
      "move 1 2\n"
      "press right 3 4\n"
      "release left 5 6\n"
      "click 7 8\n"
      "click right 9 10\n"
      "drag left 1 2 30 40 5\n"
      "key Escape\n"
      "key Keypad 0 shift\n"
      "type Ab 1,\n"
      "wheel -2\n"
      "shot start\n"
      "shot world.png",
      &error);
  ASSERT_TRUE(script) << error;
  ASSERT_EQ(script->size(), 15u);
  const InputScript& s = *script;
  EXPECT_EQ(s[0].kind, Kind::kWaitLine);
  EXPECT_EQ(s[0].text, "front end");
  EXPECT_EQ(s[0].line, 3u);
  EXPECT_EQ(s[0].source, "wait-line  front end");
  EXPECT_EQ(s[1].kind, Kind::kWait);
  EXPECT_EQ(s[1].count, 3u);
  EXPECT_EQ(s[2].kind, Kind::kSleep);
  EXPECT_EQ(s[3].kind, Kind::kMove);
  EXPECT_EQ(std::make_pair(s[3].x, s[3].y), std::make_pair(1, 2));
  EXPECT_EQ(s[4].kind, Kind::kPress);
  EXPECT_EQ(s[4].button, MouseButton::kRight);
  EXPECT_EQ(s[5].kind, Kind::kRelease);
  EXPECT_EQ(s[5].button, MouseButton::kLeft);
  EXPECT_EQ(s[6].button, MouseButton::kLeft);  // left unless named
  EXPECT_EQ(s[7].button, MouseButton::kRight);
  EXPECT_EQ(s[8].kind, Kind::kDrag);
  EXPECT_EQ(std::make_tuple(s[8].x, s[8].y, s[8].x1, s[8].y1, s[8].count), std::make_tuple(1, 2, 30, 40, 5u));
  ASSERT_EQ(s[9].keys.size(), 1u);
  EXPECT_EQ(s[9].keys[0].sdlKey, SDLK_ESCAPE);
  EXPECT_FALSE(s[9].keys[0].shift);
  ASSERT_EQ(s[10].keys.size(), 1u);
  EXPECT_EQ(s[10].keys[0].sdlKey, SDLK_KP_0);
  EXPECT_TRUE(s[10].keys[0].shift);
  // A key per character, shift for capitals.
  ASSERT_EQ(s[11].keys.size(), 5u);
  const std::pair<int32_t, bool> typed[] = {{SDLK_a, true}, {SDLK_b, false}, {SDLK_SPACE, false},
                                            {SDLK_1, false}, {SDLK_COMMA, false}};
  for (size_t i = 0; i < 5; ++i)
    EXPECT_EQ(std::make_pair(s[11].keys[i].sdlKey, s[11].keys[i].shift), typed[i]) << i;
  EXPECT_EQ(s[12].notches, -2);
  EXPECT_EQ(s[13].text, "start.png");
  EXPECT_EQ(s[14].text, "world.png");
}

TEST(InputScript, RefusesAMalformedLineNamingIt) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"wait 1\n\njump 1 2", "line 3: unknown command \"jump\""},
      {"move 10", "line 1: move needs a number for Y"},
      {"click left", "line 1: click needs a number for X"},
      {"wait x", "line 1: wait needs a number of passes from 1 to 4294967295, not \"x\""},
      {"wait 0", "line 1: wait needs a number of passes from 1 to 4294967295, not \"0\""},
      {"move -1 5", "line 1: move needs a number for X from 0 to 32767, not \"-1\""},
      {"press middle 1 2", "line 1: press needs left or right, not \"middle\""},
      {"drag left 1 2 3 4", "line 1: drag needs a number of steps"},
      {"click 1 2 3", "line 1: too many arguments for click"},
      {"# note\nkey Nokey", "line 2: unknown key name \"Nokey\""},
      {"key", "line 1: key needs a key name"},
      {"type a!", "line 1: no key types \"!\""},
      {"wheel 0", "line 1: wheel needs a number of notches other than 0"},
      {"wait-line", "line 1: wait-line needs a text"},
      {"shot ../up", "line 1: shot needs a file name without a folder, not \"../up\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::string error;
    EXPECT_FALSE(ParseInputScript(c.text, &error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(InputScript, AFileIsRefusedWithItsName) {
  testing::TempDir dir;
  std::string error;
  EXPECT_FALSE(LoadInputScript(dir.path() / "none.events", &error));
  EXPECT_EQ(error, (dir.path() / "none.events").string() + ": no such file");
  testing::WriteFile(dir.path() / "bad.events", "click 1 2\nwheel\n");
  EXPECT_FALSE(LoadInputScript(dir.path() / "bad.events", &error));
  EXPECT_EQ(error, (dir.path() / "bad.events").string() + ": line 2: wheel needs a number of notches");
  testing::WriteFile(dir.path() / "empty.events", "");
  const auto empty = LoadInputScript(dir.path() / "empty.events", &error);
  ASSERT_TRUE(empty);
  EXPECT_TRUE(empty->empty());
}

}  // namespace
}  // namespace tesk
