// Tesk's command line: the options it takes and the ones it refuses.
#include "command_line.h"

#include <gtest/gtest.h>

#include <vector>

namespace tesk {
namespace {

std::optional<CommandLine> Parse(std::vector<const char*> arguments) {
  arguments.insert(arguments.begin(), "Tesk");
  return ParseCommandLine(static_cast<int>(arguments.size()), arguments.data());
}

TEST(CommandLine, TakesEveryOptionInAnyOrder) {
  const auto none = Parse({});
  ASSERT_TRUE(none);
  EXPECT_EQ(none->limits.frames, 0u);
  EXPECT_TRUE(none->limits.screenshot.empty());
  EXPECT_FALSE(none->verbose);
  EXPECT_FALSE(none->help);
  EXPECT_TRUE(none->input.empty());

  const auto all =
      Parse({"--verbose", "--screenshot", "shot.png", "--frames", "4294967295", "--input", "a.events", "--help"});
  ASSERT_TRUE(all);
  EXPECT_EQ(all->limits.frames, 4294967295u);
  EXPECT_EQ(all->limits.screenshot, u"shot.png");
  EXPECT_TRUE(all->verbose);
  EXPECT_TRUE(all->help);
  EXPECT_EQ(all->input, "a.events");
}

TEST(CommandLine, RefusesWhatItCannotUse) {
  const std::vector<std::vector<const char*>> refused = {
      {"--frames"},       {"--frames", "0"},  {"--frames", "x"},          {"--frames", "5x"},
      {"--frames", "-1"}, {"--frames", "+3"}, {"--frames", "4294967296"}, {"--frames", "-4294967295"},
      {"--screenshot"},   {"--what"},         {"shot.png"},               {"--verbose", "--"},
      {"--input"},
  };
  for (const auto& arguments : refused) {
    SCOPED_TRACE(arguments.front());
    EXPECT_FALSE(Parse(arguments));
  }
}

// One line an option in the help, each naming its option first.
TEST(CommandLine, TheHelpHasALineForEveryOption) {
  const std::string help = kOptions;
  for (const char* option : {"\n  --frames N ", "\n  --screenshot FILE ", "\n  --input FILE ", "\n  --verbose ", "\n  --help "})
    EXPECT_NE(help.find(option), std::string::npos) << option;
  EXPECT_EQ(std::string(kUsage),
            "usage: Tesk [--frames N] [--screenshot FILE.png] [--input FILE] [--verbose] [--help]\n");
}

}  // namespace
}  // namespace tesk
