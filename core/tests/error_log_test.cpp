// RaiseError's two outputs, the error log file and the error queue.
#include <gtest/gtest.h>

#include "host/core_host.h"
#include "platform/clock.h"

namespace {

using tesk::testing::CoreHost;

constexpr char kLogHeader[] = "Kivo Error Log\n--------------\n";

// Each test starts after core start-up, whose own reports (the registry scan) are already logged.
class ErrorLog : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::SetManualClock(0);
    ASSERT_EQ(host_.Start(), kRTSuccess);
    startLog_ = host_.ErrorLog();
    startDebug_ = host_.DebugLog();
  }
  void TearDown() override { platform::UseRealClock(); }

  std::string NewLogLines() { return host_.ErrorLog().substr(startLog_.size()); }
  std::string NewDebugLines() { return host_.DebugLog().substr(startDebug_.size()); }

  CoreHost host_;
  std::string startLog_;
  std::string startDebug_;
};

TEST_F(ErrorLog, OneLogLineAndOneDebugLinePerRaiseWithTheSameTime) {
  EXPECT_EQ(startLog_.substr(0, sizeof kLogHeader - 1), kLogHeader);
  platform::AdvanceClock(42'000'000);
  EXPECT_EQ(host_.table().RaiseError(nullptr, u"RTTeskGame::Main()... failed", 5), kRTSuccess);
  platform::AdvanceClock(1'000'000'000);
  EXPECT_EQ(host_.table().RaiseError(nullptr, u"second \u00e9", 8), kRTSuccess);

  EXPECT_EQ(NewLogLines(), "(42) RTTeskGame::Main()... failed\n(1042) second \xE9\n");
  EXPECT_EQ(NewDebugLines(),
            "[ERROR RAISED]: (42) RTTeskGame::Main()... failed\n[ERROR RAISED]: (1042) second \xC3\xA9\n");
}

TEST_F(ErrorLog, RaiseOfNullTextDoesNothing) {
  EXPECT_EQ(host_.table().RaiseError(nullptr, nullptr, 5), kRTSuccess);
  EXPECT_EQ(NewLogLines(), "");
  EXPECT_EQ(NewDebugLines(), "");
}

TEST_F(ErrorLog, EmptyQueueGivesNoNextError) {
  char16_t buffer[16] = u"stale";
  uint32_t word = 7;
  EXPECT_EQ(host_.table().GetNextError(nullptr, buffer, 16, &word), kRTFailure);
  EXPECT_EQ(buffer[0], 0);
  EXPECT_EQ(word, 0u);
}

TEST_F(ErrorLog, LogIsClosedAtShutdownAndRecreatedAtNextStart) {
  host_.table().RaiseError(nullptr, u"before", 5);
  ASSERT_EQ(host_.Shutdown(), kRTSuccess);
  host_.table().RaiseError(nullptr, u"while stopped", 5);
  EXPECT_EQ(NewLogLines(), "(0) before\n");
  ASSERT_EQ(host_.Start(), kRTSuccess);
  EXPECT_EQ(host_.ErrorLog(), kLogHeader) << "the second start reads kivoreg.db: nothing to report";
}

}  // namespace
