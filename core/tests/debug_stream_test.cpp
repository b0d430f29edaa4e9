// The debug stream: a stream instance that collects every debug line as a wide string.
#include <gtest/gtest.h>

#include <string>

#include "host/core_host.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"
#include "platform/clock.h"

namespace {

using DebugStream = tesk::testing::StartedCore;

std::u16string ReadWide(RTInstance stream) {
  char16_t* text = nullptr;
  if (!kivo::StreamReadWString(stream, &text) || !text) return u"<none>";
  std::u16string copy(text);
  kivo::ModuleCore()->ArrayFree(nullptr, text);
  return copy;
}

TEST_F(DebugStream, CollectsRaisedErrorsAndCopiesThem) {
  RTInstance debug = nullptr;
  RTInstance copy = nullptr;
  ASSERT_EQ(kivo::memory_stream::Create(&debug), kRTSuccess);
  ASSERT_EQ(kivo::memory_stream::Create(&copy), kRTSuccess);
  ASSERT_EQ(core().SetDebugStream(nullptr, debug), kRTSuccess);  // the core takes over the reference
  platform::SetManualClock(0);
  core().RaiseError(nullptr, u"first", 5);
  core().DebugPrint(nullptr, u"plain line");
  platform::UseRealClock();
  EXPECT_EQ(core().FlushDebugStream(), kRTSuccess);

  ASSERT_EQ(core().CopyDebugStream(nullptr, copy), kRTSuccess);
  uint32_t debugSize = 0;
  uint32_t copySize = 0;
  kivo::stream::GetSize(debug, &debugSize);
  kivo::stream::GetSize(copy, &copySize);
  EXPECT_EQ(copySize, debugSize);
  kivo::stream::Seek(copy, 0);
  const std::u16string first = ReadWide(copy);
  EXPECT_EQ(first.substr(0, 17), u"[ERROR RAISED]: (");
  EXPECT_EQ(first.substr(first.size() - 7), u") first");
  EXPECT_EQ(ReadWide(copy), u"plain line");
  EXPECT_EQ(core().CopyDebugStream(nullptr, nullptr), kRTFailure);
  core().ReleaseInstance(nullptr, copy);

  // Replacing the stream releases the old one; a non-stream is refused.
  RTInstance component = nullptr;
  core().CreateInstanceByString(nullptr, u"RTComponent", &component, 0, 1);
  EXPECT_EQ(core().SetDebugStream(nullptr, component), kRTFailure);
  core().ReleaseInstance(nullptr, component);
  RTInstance replacement = nullptr;
  kivo::memory_stream::Create(&replacement);
  EXPECT_EQ(core().SetDebugStream(nullptr, replacement), kRTSuccess);
}

TEST_F(DebugStream, WithoutAStreamCopyingSucceedsAndMovesNothing) {
  RTInstance copy = nullptr;
  ASSERT_EQ(kivo::memory_stream::Create(&copy), kRTSuccess);
  EXPECT_EQ(core().CopyDebugStream(nullptr, copy), kRTSuccess);
  uint32_t size = 1;
  kivo::stream::GetSize(copy, &size);
  EXPECT_EQ(size, 0u);
  EXPECT_EQ(core().FlushDebugStream(), kRTSuccess);
  core().ReleaseInstance(nullptr, copy);
}

}  // namespace
