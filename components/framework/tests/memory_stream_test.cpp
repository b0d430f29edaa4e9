// RTMemoryStream through the staged component: its data calls at the RTStream level, its own level,
// and the bounds it keeps. A plain RTStream holds no data.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "host/core_host.h"
#include "kivo/slots.h"
#include "kivo/support/stream_calls.h"

namespace {

using namespace kivo;

class MemoryStream : public tesk::testing::StartedCore {
 protected:
  void SetUp() override {
    StartedCore::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(memory_stream::Create(&stream_), kRTSuccess);
  }
  void TearDown() override {
    if (stream_) core().ReleaseInstance(nullptr, stream_);
    StartedCore::TearDown();
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
  void Write(const std::string& text) {
    uint32_t written = 0;
    ASSERT_EQ(stream::Write(stream_, text.data(), static_cast<uint32_t>(text.size()), &written), kRTSuccess);
    ASSERT_EQ(written, text.size());
  }

  RTInstance stream_ = nullptr;
};

TEST_F(MemoryStream, WritesAndReadsMoveThePosition) {
  EXPECT_EQ(Size(), 0u) << "a new stream is empty";
  Write("hello");
  Write("!");
  EXPECT_EQ(Size(), 6u);
  EXPECT_EQ(Position(), 6u);

  ASSERT_EQ(stream::Seek(stream_, 1), kRTSuccess);
  char buffer[8] = {};
  uint32_t read = 0;
  EXPECT_EQ(stream::Read(stream_, buffer, 8, &read), kRTSuccess);
  EXPECT_EQ(read, 5u) << "fewer bytes at the end of the data";
  EXPECT_EQ(std::string(buffer, read), "ello!");
  EXPECT_EQ(stream::Read(stream_, buffer, 8, &read), kRTSuccess);
  EXPECT_EQ(read, 0u);

  // Writing inside the data overwrites and grows only past the end.
  ASSERT_EQ(stream::Seek(stream_, 4), kRTSuccess);
  Write("o, world");
  EXPECT_EQ(Size(), 12u);
  const uint8_t* data = nullptr;
  ASSERT_EQ(memory_stream::GetBuffer(stream_, &data), kRTSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 12), "hello, world");
}

TEST_F(MemoryStream, SeeksStayWithinTheData) {
  Write("abcd");
  EXPECT_EQ(stream::Seek(stream_, 4), kRTSuccess) << "the end itself";
  EXPECT_EQ(stream::Seek(stream_, 5), kRTFailure);
  EXPECT_EQ(Position(), 4u) << "a refused seek keeps the position";
  EXPECT_EQ(stream::Seek(stream_, 0xFFFFFFFFu), kRTFailure);
}

TEST_F(MemoryStream, ReadPointerHandsOutBytesInPlaceUntilTheEnd) {
  Write("abcdef");
  ASSERT_EQ(stream::Seek(stream_, 2), kRTSuccess);
  const uint8_t* buffer = nullptr;
  const uint8_t* bytes = nullptr;
  ASSERT_EQ(memory_stream::GetBuffer(stream_, &buffer), kRTSuccess);
  EXPECT_EQ(memory_stream::ReadPointer(stream_, 3, &bytes), kRTSuccess);
  EXPECT_EQ(bytes, buffer + 2);
  EXPECT_EQ(Position(), 5u);
  bytes = nullptr;
  EXPECT_EQ(memory_stream::ReadPointer(stream_, 2, &bytes), kRTFailure) << "only one byte remains";
  EXPECT_EQ(bytes, nullptr);
  EXPECT_EQ(Position(), 5u);
  EXPECT_EQ(memory_stream::ReadPointer(stream_, 0xFFFFFFFFu, &bytes), kRTFailure);
  EXPECT_EQ(memory_stream::ReadPointer(stream_, 1, &bytes), kRTSuccess);
  EXPECT_EQ(*bytes, 'f');
  EXPECT_EQ(memory_stream::ReadPointer(stream_, 1, &bytes), kRTFailure) << "at the end";
}

TEST_F(MemoryStream, AWriteBeyondWhatTheStreamCanHoldIsRefused) {
  Write("ab");
  const char source[4] = {};
  uint32_t written = 7;
  EXPECT_EQ(stream::Write(stream_, source, 0xFFFFFFFFu, &written), kRTFailure);
  EXPECT_EQ(written, 0u);
  EXPECT_EQ(Size(), 2u);
  EXPECT_EQ(stream::Write(stream_, nullptr, 1, &written), kRTFailure);
}

TEST_F(MemoryStream, CloseEmptiesAndOpenStartsAfresh) {
  Write("data");
  EXPECT_EQ(stream::Close(stream_), kRTSuccess);
  uint32_t size = 0;
  EXPECT_EQ(stream::GetSize(stream_, &size), kRTFailure) << "closed";
  char buffer[4];
  uint32_t read = 0;
  EXPECT_EQ(stream::Read(stream_, buffer, 4, &read), kRTFailure);
  EXPECT_EQ(stream::Write(stream_, "x", 1, &read), kRTFailure);
  EXPECT_EQ(memory_stream::Open(stream_, 1), kRTFailure) << "only modes 2 and 3 are known";
  for (uint32_t mode : {memory_stream::kEmptyReadWrite, memory_stream::kReadWrite}) {
    ASSERT_EQ(memory_stream::Open(stream_, mode), kRTSuccess) << mode;
    EXPECT_EQ(Size(), 0u);
    EXPECT_EQ(Position(), 0u);
    Write("data");
    ASSERT_EQ(stream::Seek(stream_, 1), kRTSuccess);
    char buffer[3] = {};
    uint32_t read = 0;
    EXPECT_EQ(stream::Read(stream_, buffer, 3, &read), kRTSuccess);
    EXPECT_EQ(std::string(buffer, read), "ata") << mode;
    EXPECT_EQ(stream::Close(stream_), kRTSuccess);
  }
}

TEST_F(MemoryStream, BothLevelsReachTheSameOverrides) {
  // The RTStream level's data slots hold the memory stream's functions, and the memory stream's
  // own level agrees with them.
  ObjectWord* object = ComponentObject(stream_);
  const SlotTable streamLevel = LevelTable(object, stream::kLevel);
  const SlotTable ownLevel = LevelTable(object, memory_stream::kLevel);
  ASSERT_NE(streamLevel, nullptr);
  ASSERT_NE(ownLevel, nullptr);
  const struct {
    uint32_t streamSlot;
    uint32_t ownSlot;
  } pairs[] = {
      {stream::kClose, memory_stream::kClose}, {stream::kWrite, 0x1C},
      {stream::kRead, 0x20},                   {stream::kSeek, memory_stream::kSeek},
      {stream::kGetPosition, memory_stream::kGetPosition}, {stream::kGetSize, memory_stream::kGetSize},
      {stream::kFlush, 0x24},
  };
  for (const auto& pair : pairs) {
    EXPECT_NE(SlotEntry(streamLevel, pair.streamSlot), nullptr) << pair.streamSlot;
    EXPECT_EQ(SlotEntry(streamLevel, pair.streamSlot), SlotEntry(ownLevel, pair.ownSlot)) << pair.streamSlot;
  }

  Write("0123456789");
  EXPECT_EQ(CallMethod(stream_, memory_stream::kLevel, memory_stream::kSeek, uint32_t{3}), kRTSuccess);
  EXPECT_EQ(Position(), 3u);
  uint32_t size = 0;
  EXPECT_EQ(CallMethod(stream_, memory_stream::kLevel, memory_stream::kGetSize, &size), kRTSuccess);
  EXPECT_EQ(size, 10u);
}

TEST_F(MemoryStream, WriteFromStreamCopiesFromTheSourcePosition) {
  RTInstance source = nullptr;
  ASSERT_EQ(memory_stream::Create(&source), kRTSuccess);
  uint32_t moved = 0;
  ASSERT_EQ(stream::Write(source, "abcdefgh", 8, &moved), kRTSuccess);
  ASSERT_EQ(stream::Seek(source, 5), kRTSuccess);
  uint32_t copied = 0;
  EXPECT_EQ(stream::WriteFromStream(stream_, source, 10, &copied), kRTSuccess);
  EXPECT_EQ(copied, 3u) << "the source ends after three bytes";
  EXPECT_EQ(Size(), 3u);
  const uint8_t* data = nullptr;
  ASSERT_EQ(memory_stream::GetBuffer(stream_, &data), kRTSuccess);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(data), 3), "fgh");
  EXPECT_EQ(stream::WriteFromStream(stream_, nullptr, 1, &copied), kRTFailure);
  core().ReleaseInstance(nullptr, source);
}

TEST_F(MemoryStream, APlainStreamHoldsNoData) {
  RTInstance plain = nullptr;
  ASSERT_EQ(core().CreateInstanceByString(nullptr, u"RTStream", &plain, 0, 0), kRTSuccess);
  uint32_t count = 7;
  char buffer[2] = {};
  EXPECT_EQ(stream::Write(plain, "ab", 2, &count), kRTFailure);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(stream::Read(plain, buffer, 2, &count), kRTFailure);
  EXPECT_EQ(stream::Seek(plain, 0), kRTFailure);
  EXPECT_EQ(stream::GetSize(plain, &count), kRTFailure);
  EXPECT_EQ(stream::Flush(plain), kRTSuccess);
  core().ReleaseInstance(nullptr, plain);
}

}  // namespace
