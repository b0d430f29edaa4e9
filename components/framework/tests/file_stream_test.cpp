// RTBrellinFileStream through the staged component: the size and position it reports while a file
// is written and read back, and a reopened stream starting afresh.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "host/core_host.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"

namespace {

using namespace kivo;

class FileStream : public tesk::testing::StartedCore {
 protected:
  void SetUp() override {
    StartedCore::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(core().CreateInstanceByString(nullptr, u"RTBrellinFileStream", &stream_, 0, 0), kRTSuccess);
  }
  void TearDown() override {
    if (stream_) core().ReleaseInstance(nullptr, stream_);
    StartedCore::TearDown();
  }

  RTSuccess Open(uint32_t mode) {
    const std::u16string path = platform::FromUtf8((host_.root() / "data.bin").string());
    return file_stream::Open(stream_, path.c_str(), mode);
  }
  uint32_t Size() {
    uint32_t size = 0xFFFFFFFFu;
    EXPECT_EQ(stream::GetSize(stream_, &size), kRTSuccess);
    return size;
  }
  uint32_t Position() {
    uint32_t position = 0xFFFFFFFFu;
    EXPECT_EQ(stream::GetPosition(stream_, &position), kRTSuccess);
    return position;
  }
  std::string Read(uint32_t count) {
    std::string bytes(count, '\0');
    uint32_t read = 0;
    EXPECT_EQ(stream::Read(stream_, bytes.data(), count, &read), kRTSuccess);
    bytes.resize(read);
    return bytes;
  }

  RTInstance stream_ = nullptr;
};

TEST_F(FileStream, SizeAndPositionFollowWritesReadsAndSeeks) {
  ASSERT_EQ(Open(file_stream::kWriteNew), kRTSuccess);
  uint32_t written = 0;
  ASSERT_EQ(stream::Write(stream_, "hello, world", 12, &written), kRTSuccess);
  EXPECT_EQ(Size(), 12u) << "bytes still buffered count";
  EXPECT_EQ(Position(), 12u);
  ASSERT_EQ(stream::Seek(stream_, 5), kRTSuccess);
  EXPECT_EQ(Position(), 5u);
  ASSERT_EQ(stream::Write(stream_, ";", 1, &written), kRTSuccess);
  EXPECT_EQ(Size(), 12u) << "a write inside the file does not grow it";
  ASSERT_EQ(stream::Close(stream_), kRTSuccess);

  ASSERT_EQ(Open(file_stream::kReadExisting), kRTSuccess);
  EXPECT_EQ(Size(), 12u);
  EXPECT_EQ(Position(), 0u) << "a reopened stream starts at the beginning";
  EXPECT_EQ(Read(5), "hello");
  EXPECT_EQ(Position(), 5u);
  uint32_t remaining = 0;
  ASSERT_EQ(stream::Remaining(stream_, &remaining), kRTSuccess);
  EXPECT_EQ(remaining, 7u);
  EXPECT_EQ(Read(2), "; ") << "the size asked between reads leaves them where they were";
  EXPECT_EQ(stream::Seek(stream_, 13), kRTFailure);
  EXPECT_EQ(Position(), 7u) << "a refused seek keeps the position";
  ASSERT_EQ(stream::Seek(stream_, 12), kRTSuccess) << "the end itself";
  EXPECT_EQ(Read(4), "") << "nothing past the end";
  EXPECT_EQ(Position(), 12u);
  ASSERT_EQ(stream::Seek(stream_, 7), kRTSuccess);
  EXPECT_EQ(Read(8), "world") << "fewer bytes at the end of the file";
  EXPECT_EQ(Position(), 12u);
}

// Content larger than the stream's buffer, written in pieces of every size (one larger than the
// buffer), partly written over, read back in pieces that cross the buffer's edges: before the file
// closes and after it opens again.
TEST_F(FileStream, LargeContentWrittenOverAndReadInPiecesKeepsEveryByte) {
  std::string expected(200'000, '\0');
  for (size_t i = 0; i < expected.size(); ++i) expected[i] = static_cast<char>(i * 7 + i / 251);
  ASSERT_EQ(Open(file_stream::kWriteNew), kRTSuccess);
  uint32_t written = 0;
  for (size_t at = 0, piece = 1; at < expected.size(); at += piece, piece = piece * 3 + 1) {
    piece = std::min(piece, expected.size() - at);
    ASSERT_EQ(stream::Write(stream_, expected.data() + at, static_cast<uint32_t>(piece), &written), kRTSuccess);
    ASSERT_EQ(written, piece);
  }
  const std::string patch(70'000, 'x');
  expected.replace(60'000, patch.size(), patch);
  ASSERT_EQ(stream::Seek(stream_, 60'000), kRTSuccess);
  ASSERT_EQ(stream::Write(stream_, patch.data(), 10, &written), kRTSuccess);
  ASSERT_EQ(stream::Write(stream_, patch.data() + 10, static_cast<uint32_t>(patch.size() - 10), &written),
            kRTSuccess);
  EXPECT_EQ(Size(), expected.size());
  auto readAll = [&] {
    std::string back;
    for (uint32_t piece = 5; back.size() < expected.size(); piece = piece * 2 + 3) back += Read(piece);
    return back;
  };
  ASSERT_EQ(stream::Seek(stream_, 0), kRTSuccess);
  EXPECT_TRUE(readAll() == expected) << "read back before the file closes";
  ASSERT_EQ(stream::Close(stream_), kRTSuccess);

  ASSERT_EQ(Open(file_stream::kReadExisting), kRTSuccess);
  EXPECT_EQ(Size(), expected.size());
  EXPECT_TRUE(readAll() == expected);
  ASSERT_EQ(stream::Seek(stream_, 65'530), kRTSuccess);
  EXPECT_EQ(Read(12), expected.substr(65'530, 12)) << "a seek back into bytes already read";
}

}  // namespace
