// The small services the game's components lean on: RTVarnoController's table of native records,
// RTTeskTimer's count and stream, and RTImage's stream of an encoded image.
#include <gtest/gtest.h>

#include <string>

#include "host/core_host.h"
#include "host/stream_bytes.h"
#include "kivo/image/image_calls.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/timer/timer_calls.h"
#include "kivo/varno_controller/varno_controller_calls.h"

namespace {

using namespace kivo;
using tesk::testing::MemoryStreamBytes;
using tesk::testing::MemoryStreamWith;
using tesk::testing::StreamBytes;
namespace vc = kivo::varno_controller;

class GameServices : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    for (const char* name : {"RTVarnoController", "RTTeskTimer", "RTImage"})
      host.InstallComponent(tesk::testing::CoreHost::StagedComponent(name));
  }
  InstanceRef Make(const char16_t* className) {
    InstanceRef instance;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, instance.out(), 0, 0), kRTSuccess);
    return instance;
  }
  // The instance's whole stream, or "<failed>".
  static std::string StreamedOut(RTInstance instance) {
    InstanceRef stream = MemoryStreamWith("");
    return component::StreamOut(instance, component::kStreamWhole, stream.get()) ? MemoryStreamBytes(stream.get())
                                                                                  : "<failed>";
  }
  static RTSuccess StreamedIn(RTInstance instance, const std::string& bytes) {
    InstanceRef stream = MemoryStreamWith(bytes);
    return component::StreamIn(instance, component::kStreamWhole, stream.get());
  }
};

TEST_F(GameServices, EachControllerMapsScriptObjectsToRecordsOfItsOwn) {
  InstanceRef first = Make(vc::kClassName);
  InstanceRef second = Make(vc::kClassName);
  int objectA = 0, objectB = 0, recordA = 0, recordB = 0;
  void* found = &objectA;
  EXPECT_EQ(vc::FindNativeRecord(first.get(), &objectA, &found), kRTFailure);
  EXPECT_EQ(found, nullptr) << "out null when none";
  ASSERT_EQ(vc::AttachNativeRecord(first.get(), &objectA, &recordA), kRTSuccess);
  ASSERT_EQ(vc::AttachNativeRecord(second.get(), &objectA, &recordB), kRTSuccess);
  EXPECT_EQ(vc::AttachNativeRecord(first.get(), &objectB, nullptr), kRTFailure);
  EXPECT_EQ(vc::AttachNativeRecord(first.get(), nullptr, &recordB), kRTFailure);
  ASSERT_EQ(vc::FindNativeRecord(first.get(), &objectA, &found), kRTSuccess);
  EXPECT_EQ(found, &recordA);
  ASSERT_EQ(vc::FindNativeRecord(second.get(), &objectA, &found), kRTSuccess);
  EXPECT_EQ(found, &recordB) << "controllers apart";

  EXPECT_EQ(vc::FreeWorld(first.get()), kRTSuccess);
  EXPECT_EQ(vc::FindNativeRecord(first.get(), &objectA, &found), kRTSuccess) << "records outlive the world";
  ASSERT_EQ(vc::AttachNativeRecord(first.get(), &objectA, &recordB), kRTSuccess);
  EXPECT_EQ(vc::FindNativeRecord(first.get(), &objectA, &found), kRTSuccess);
  EXPECT_EQ(found, &recordB) << "attaching again replaces";
  EXPECT_EQ(vc::DetachNativeRecord(first.get(), &objectA), kRTSuccess);
  EXPECT_EQ(vc::DetachNativeRecord(first.get(), &objectA), kRTFailure);
  EXPECT_EQ(vc::FindNativeRecord(first.get(), &objectA, &found), kRTFailure);
  EXPECT_EQ(vc::FindNativeRecord(second.get(), &objectA, &found), kRTSuccess);
}

TEST_F(GameServices, TheTimerCountsTicksSinceItsResetAndStreamsTheCount) {
  InstanceRef timer = Make(timer::kClassName);
  InstanceRef again = Make(timer::kClassName);
  EXPECT_EQ(again.get(), timer.get()) << "a singleton";
  for (int tick = 0; tick < 3; ++tick) ASSERT_EQ(timer::Tick(timer.get(), nullptr), kRTSuccess);
  uint32_t ticks = 0;
  ASSERT_EQ(timer::GetTicks(timer.get(), &ticks), kRTSuccess);
  EXPECT_EQ(ticks, 3u);
  const std::string stream = StreamBytes().U32(1).U32(3).bytes();
  EXPECT_EQ(StreamedOut(timer.get()), stream);
  ASSERT_EQ(timer::Reset(timer.get()), kRTSuccess);
  ASSERT_EQ(StreamedIn(timer.get(), stream), kRTSuccess);
  ASSERT_EQ(timer::GetTicks(timer.get(), &ticks), kRTSuccess);
  EXPECT_EQ(ticks, 3u);
  for (const std::string& damaged : {StreamBytes().U32(2).U32(9).bytes(), StreamBytes().U32(1).bytes(),
                                     StreamBytes().U32(1).U8(9).bytes(), std::string()}) {
    EXPECT_EQ(StreamedIn(timer.get(), damaged), kRTFailure);
    ASSERT_EQ(timer::GetTicks(timer.get(), &ticks), kRTSuccess);
    EXPECT_EQ(ticks, 3u) << "the count is kept";
  }
  EXPECT_NE(host_.ErrorLog().find("RTTeskTimer::StreamIn(): the timer's stream is damaged"), std::string::npos);
}

TEST_F(GameServices, AnImageStreamsItsBytesAndStandsAtTheirStartWhenRead) {
  InstanceRef image = Make(image::kClassName);
  const std::string bytes = "not really an image";
  const std::string stream = StreamBytes().U32(1).U32(static_cast<uint32_t>(bytes.size())).bytes() + bytes;
  ASSERT_EQ(StreamedIn(image.get(), stream), kRTSuccess);
  uint32_t position = 7;
  ASSERT_EQ(stream::GetPosition(image.get(), &position), kRTSuccess);
  EXPECT_EQ(position, 0u);
  EXPECT_EQ(MemoryStreamBytes(image.get()), bytes);
  EXPECT_EQ(StreamedOut(image.get()), stream);
  for (const std::string& damaged : {StreamBytes().U32(2).U32(0).bytes(), StreamBytes().U32(1).U32(100).bytes() + bytes,
                                     StreamBytes().U32(1).bytes()}) {
    EXPECT_EQ(StreamedIn(image.get(), damaged), kRTFailure);
    EXPECT_EQ(MemoryStreamBytes(image.get()), bytes) << "the image keeps what it held";
  }
}

}  // namespace
