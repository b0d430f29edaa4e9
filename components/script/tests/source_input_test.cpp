// ReadSourceChunk over the input kinds: text in memory, files (with their CR LF pairs joined) and
// the failures that end the input.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <string>

#include "host/core_host.h"
#include "host/temp_dir.h"
#include "tests/script_test_support.h"

namespace {

using namespace varno;
using varno::testing::ScopedSource;
using SourceInputTest = tesk::testing::StartedCore;
using tesk::testing::TempDir;
using tesk::testing::WriteFile;

std::string Read(size_t maximum) {
  char buffer[64] = {};
  const size_t count = ReadSourceChunk(buffer, std::min(maximum, sizeof buffer));
  return std::string(buffer, count);
}

TEST_F(SourceInputTest, TextIsCopiedInPiecesOfAtMostTheMaximum) {
  ScopedSource source("abcdefg");
  const char* start = source.input().text;
  EXPECT_EQ(Read(3), "abc");
  EXPECT_EQ(source.input().position, 3u);
  EXPECT_EQ(source.input().text, start + 3);
  EXPECT_EQ(Read(10), "defg");
  EXPECT_EQ(Read(10), "");
  EXPECT_EQ(Read(10), "");
  EXPECT_EQ(host_.ErrorLog().find("stream"), std::string::npos);
}

TEST_F(SourceInputTest, FileLineEndsArriveAsLineFeeds) {
  TempDir dir;
  // A pair split by the read's end is still one line feed; a CR before a pair stays.
  WriteFile(dir.path() / "a.varno", "a\r\nbc\r\nd\re\r\r\nf");
  ScopedSource source;
  ASSERT_TRUE(source.OpenFile(dir.path() / "a.varno"));
  EXPECT_EQ(source.input().mode, kInputFile);
  EXPECT_EQ(source.input().size, 14u);
  EXPECT_EQ(Read(2), "a\n");
  EXPECT_EQ(Read(5), "bc\nd");
  EXPECT_EQ(Read(64), "\re\r\nf");
  EXPECT_EQ(Read(64), "");
}

TEST_F(SourceInputTest, FileReadsStopAtTheSizeRecordedWhenOpened) {
  TempDir dir;
  const auto file = dir.path() / "grow.varno";
  WriteFile(file, "abc");
  ScopedSource source;
  ASSERT_TRUE(source.OpenFile(file));
  std::FILE* append = std::fopen(file.c_str(), "ab");
  std::fputs("def", append);
  std::fclose(append);
  EXPECT_EQ(Read(64), "abc");
  EXPECT_EQ(Read(64), "");
}

TEST_F(SourceInputTest, FilePathsAreSystemPaths) {
  TempDir dir;
  WriteFile(dir.path() / "Classes" / "Foo.varno", "x");
  ScopedSource source;
  const std::string path = (dir.path() / "classes\\FOO.varno").string();
  EXPECT_TRUE(source.OpenFile(path)) << "backslashes and letter case as the system writes them";
  EXPECT_EQ(Read(64), "x");
  ScopedSource missing;
  EXPECT_FALSE(missing.OpenFile(dir.path() / "none.varno"));
  EXPECT_EQ(missing.input().mode, 0);
}

struct Failure {
  const char* name;
  void (*arrange)(SourceInput& input, int pipe[2]);
  const char* message;
};

TEST_F(SourceInputTest, UnreadableInputsReportAndEnd) {
  const Failure failures[] = {
      {"file without a handle", [](SourceInput& input, int*) { input.mode = kInputFile; }, "Bad file pointer?"},
      {"pipe",
       [](SourceInput& input, int* ends) {
         input.mode = kInputFile;
         input.size = 100;
         input.file = fdopen(ends[0], "rb");
         ends[0] = -1;
       },
       "Illegal seek on device?"},
      {"unknown mode", [](SourceInput& input, int*) { input.mode = 1; }, "[VARNO Lexer] Invalid input stream?"},
      {"text without a pointer", [](SourceInput& input, int*) { SetSourceText(&input, nullptr, 5); },
       "[VARNO Lexer] Invalid input stream?"},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.name);
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    {
      ScopedSource source;
      failure.arrange(source.input(), ends);
      const size_t before = host_.ErrorLog().size();
      EXPECT_EQ(Read(64), "");
      EXPECT_EQ(host_.ErrorLog().substr(before).find(std::string(") ") + failure.message + "\n") != std::string::npos,
                true)
          << host_.ErrorLog();
    }
    if (ends[0] >= 0) close(ends[0]);
    close(ends[1]);
  }
}

TEST_F(SourceInputTest, WithoutACurrentInputTheScannerSeesTheEnd) {
  SetCurrentSourceInput(nullptr);
  Scanner scanner;
  VarnoValue value{};
  EXPECT_EQ(scanner.Scan(&value), 0);
  EXPECT_NE(host_.ErrorLog().find("[VARNO Lexer] Invalid input stream?"), std::string::npos);
}

}  // namespace
