// The options by id in tesk.ini: reading with defaults, setting with the width's height, the
// invalid ids and widths refused with their reports, the file's other content kept.
#include "kivo_loader.h"
#include "options.h"
#include "program_test.h"

namespace tesk::testing {
namespace {

using ::testing::ElementsAre;

constexpr char kOptions[] =
    "; player's options\n[Video Resolution]\nWidth=800\n\n[Misc]\nClock=24\nTESK_CHEAT_DEATH=1\n[Unknown]\nKey=1\n";

class OptionsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Prepare();
    WriteOptions(kOptions);
    ASSERT_EQ(StartKivo(), 1);
  }
  std::vector<std::string> Reports() {
    std::vector<std::string> reports;
    for (const std::string& entry : Trace())
      if (entry.rfind("raise: ", 0) == 0 && entry.find("/") == std::string::npos) reports.push_back(entry);
    return reports;
  }
};

TEST_F(OptionsTest, EachIdReadsItsKeyOrDefault) {
  const int32_t expected[] = {800, 32, 1, 20, 20, 20, 0, 1, 24, 1};
  for (int32_t id = 1; id <= 10; ++id) {
    int32_t value = -7;
    EXPECT_EQ(GetOptionI(id, &value), 1) << id;
    EXPECT_EQ(value, expected[id - 1]) << id;
  }
  EXPECT_EQ(Options(), kOptions);
}

TEST_F(OptionsTest, IdsOutsideTheTableAreRefusedWithBothReports) {
  const size_t before = Reports().size();
  for (int32_t id : {0, 11}) {
    int32_t value = -7;
    EXPECT_EQ(GetOptionI(id, &value), 0);
    EXPECT_EQ(value, -7);
  }
  const auto reports = Reports();
  EXPECT_THAT(std::vector<std::string>(reports.begin() + static_cast<long>(before), reports.end()),
              ElementsAre("raise: Invalid option sent to GetOptionI()...", "raise: Couldn't retrieve option specified",
                          "raise: Invalid option sent to GetOptionI()...", "raise: Couldn't retrieve option specified"));
}

TEST_F(OptionsTest, WidthSetsItsHeightAndOtherWidthsAreRefused) {
  struct Row {
    int32_t width;
    int32_t result;
    const char* lines;
  };
  const Row rows[] = {
      {640, 1, "Width=640\nHeight=480\n"},
      {800, 1, "Width=800\nHeight=600\n"},
      {1024, 1, "Width=1024\nHeight=768\n"},
      {1280, 0, "Width=1024\nHeight=768\n"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(SetOptionI(1, row.width), row.result) << row.width;
    EXPECT_EQ(Options(), std::string("; player's options\n[Video Resolution]\n") + row.lines +
                             "\n[Misc]\nClock=24\nTESK_CHEAT_DEATH=1\n[Unknown]\nKey=1\n")
        << row.width;
  }
  const auto reports = Reports();
  EXPECT_THAT(std::vector<std::string>(reports.end() - 2, reports.end()),
              ElementsAre("raise: Invalid video resolution specified!", "raise: tesk.ini NOT updated, invalid option set!"));
}

TEST_F(OptionsTest, SettableIdsWriteTheirKeys) {
  EXPECT_EQ(SetOptionI(2, 16), 1);
  EXPECT_EQ(Options(), kOptions);
  for (int32_t id = 3; id <= 9; ++id) EXPECT_EQ(SetOptionI(id, 100 + id), 1) << id;
  EXPECT_EQ(Options(),
            "; player's options\n[Video Resolution]\nWidth=800\n\n[Misc]\nClock=109\nTESK_CHEAT_DEATH=1\n"
            "Movie Skip=107\nSubtitles=108\n[Unknown]\nKey=1\n[Video Driver]\nDriver=103\n[Audio]\n"
            "Master Volume=104\nEffects Volume=105\nMusic Volume=106\n");
  for (int32_t id = 3; id <= 9; ++id) {
    int32_t value = 0;
    EXPECT_EQ(GetOptionI(id, &value), 1);
    EXPECT_EQ(value, 100 + id);
  }
}

TEST_F(OptionsTest, CheatAndOutOfRangeIdsCannotBeSet) {
  for (int32_t id : {0, 10, 11}) EXPECT_EQ(SetOptionI(id, 1), 0) << id;
  EXPECT_EQ(Options(), kOptions);
  const auto reports = Reports();
  EXPECT_THAT(std::vector<std::string>(reports.end() - 2, reports.end()),
              ElementsAre("raise: Invalid option sent to SetOptionI()...", "raise: tesk.ini NOT updated, invalid option set!"));
}

TEST_F(OptionsTest, AnUnwritableFileIsNotReportedAsWritten) {
  std::filesystem::remove_all(gameDir());
  EXPECT_EQ(SetOptionI(9, 24), 0);
  const auto reports = Reports();
  EXPECT_EQ(reports.back(), "raise: tesk.ini NOT updated, the file cannot be written!");
  int32_t value = 0;
  EXPECT_EQ(GetOptionI(9, &value), 1);
  EXPECT_EQ(value, 12);
}

}  // namespace
}  // namespace tesk::testing
