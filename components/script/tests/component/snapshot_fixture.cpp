#include "tests/component/snapshot_fixture.h"

#include <gtest/gtest.h>

#include "kivo/support/stream_calls.h"

namespace varno::testing {

void SnapshotTest::CompileBig() {
  WriteClass("Ticker", kTickerSource);
  WriteClass("Counter", kCounterSource);
  WriteClass("Guard", kGuardSource);
  WriteClass("Pinger", kPingerSource);
  WriteClass("Sleeper", kSleeperSource);
  ASSERT_GE(Compile("Big", kBigSource), 0);
}

RTInstance SnapshotTest::StreamOf(const std::string& bytes) {
  RTInstance stream = nullptr;
  EXPECT_TRUE(kivo::memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), &stream));
  return stream;
}

std::string SnapshotTest::BytesOf(RTInstance stream) {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  if (!kivo::memory_stream::GetBuffer(stream, &data) || !kivo::stream::GetSize(stream, &size) || !data) return {};
  return std::string(reinterpret_cast<const char*>(data), size);
}

std::string SnapshotTest::Save(calls::VM on) {
  RTInstance stream = nullptr;
  EXPECT_TRUE(kivo::memory_stream::Create(&stream));
  EXPECT_TRUE(calls::VNStreamOut(varno(), stream, on));
  EXPECT_TRUE(calls::VNDestroyPatchTable(varno()));
  std::string bytes = BytesOf(stream);
  core().ReleaseInstance(nullptr, stream);
  return bytes;
}

RTSuccess SnapshotTest::Load(calls::VM on, const std::string& snapshot) {
  RTInstance stream = StreamOf(snapshot);
  const RTSuccess loaded = calls::VNStreamIn(varno(), stream, on);
  calls::VNDestroyPatchTable(varno());
  core().ReleaseInstance(nullptr, stream);
  return loaded;
}

}  // namespace varno::testing
