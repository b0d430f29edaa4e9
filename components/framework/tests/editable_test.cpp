// RTEditable and the parent-call helper: RTEditable's own stream part and stage count, and a
// derived class (RTEditableProbe) whose overrides are reached through every ancestor level's first
// table while its calls to RTEditable's versions go through RTEditable's second table.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "host/core_host.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/editable_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/stream_calls.h"

namespace {

using namespace kivo;

std::string U32(uint32_t value) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &value, 4);
  return bytes;
}

class Editable : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTEditable"));
    host.InstallComponent(std::filesystem::path(FRAMEWORK_FIXTURE_DIR) / "RTEditableProbe.so");
  }

  InstanceRef Make(const char16_t* className) {
    InstanceRef instance;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, className, instance.out(), 0, 0), kRTSuccess);
    return instance;
  }

  static InstanceRef StreamOf(const std::string& bytes) {
    InstanceRef stream;
    EXPECT_EQ(memory_stream::CreateWith(bytes.data(), static_cast<uint32_t>(bytes.size()), stream.out()), kRTSuccess);
    return stream;
  }

  static std::string Contents(RTInstance stream) {
    uint32_t size = 0;
    const uint8_t* data = nullptr;
    if (!stream::GetSize(stream, &size) || !memory_stream::GetBuffer(stream, &data)) return "<none>";
    return std::string(reinterpret_cast<const char*>(data), size);
  }

  // What a stream-out call writes into a fresh stream, or "<failed>".
  template <class Call>
  static std::string Written(Call call) {
    InstanceRef stream = StreamOf("");
    return call(stream.get()) ? Contents(stream.get()) : "<failed>";
  }

  bool Logged(const std::string& text) const { return host_.DebugLog().find(text) != std::string::npos; }
};

TEST_F(Editable, StreamsItsVersionAlone) {
  InstanceRef editable = Make(editable::kClassName);
  uint32_t stages = 0;
  EXPECT_EQ(editable::GetStageCount(editable.get(), &stages), kRTSuccess);
  EXPECT_EQ(stages, 1u);
  const std::string expected = U32(editable::kStreamVersion);
  EXPECT_EQ(Written([&](RTInstance s) { return editable::StreamOut(editable.get(), 0, s); }), expected);
  EXPECT_EQ(Written([&](RTInstance s) { return component::StreamOut(editable.get(), component::kStreamWhole, s); }),
            expected)
      << "RTEditable's part replaces RTComponent's";

  EXPECT_EQ(editable::StreamIn(editable.get(), 0, StreamOf(expected).get()), kRTSuccess);
  EXPECT_EQ(editable::StreamIn(editable.get(), 0, StreamOf(U32(0)).get()), kRTSuccess) << "an older version";
  const struct {
    const char* what;
    std::string bytes;
  } refused[] = {{"a newer version", U32(2)}, {"no version", ""}, {"a cut version", U32(1).substr(0, 3)}};
  for (const auto& c : refused) {
    EXPECT_EQ(editable::StreamIn(editable.get(), 0, StreamOf(c.bytes).get()), kRTFailure) << c.what;
  }
  EXPECT_TRUE(Logged("RTEditable::StreamIn(): the stream holds no version of 1 or older"));
}

TEST_F(Editable, OverridesAreReachedThroughEveryAncestorLevel) {
  InstanceRef probe = Make(u"RTEditableProbe");
  uint32_t stages = 0;
  EXPECT_EQ(editable::GetStageCount(probe.get(), &stages), kRTSuccess);
  EXPECT_EQ(stages, 2u) << "the derived class's count through RTEditable's first table";

  ASSERT_EQ(editable::StreamIn(probe.get(), 0, StreamOf(U32(1) + U32(77)).get()), kRTSuccess);
  const std::string expected = U32(editable::kStreamVersion) + U32(77);
  EXPECT_EQ(Written([&](RTInstance s) { return editable::StreamOut(probe.get(), 0, s); }), expected)
      << "RTEditable's part first, then the probe's word";
  EXPECT_EQ(Written([&](RTInstance s) { return component::StreamOut(probe.get(), component::kStreamWhole, s); }),
            expected)
      << "through RTComponent's first table as the core streams instances";
  EXPECT_EQ(Written([&](RTInstance s) {
              return CallParentMethod(probe.get(), editable::kOwnTable, editable::kStreamOut, 0u, s);
            }),
            U32(editable::kStreamVersion))
      << "RTEditable's own version, not the override";
}

TEST_F(Editable, ADerivedReadStopsWhenTheParentPartIsRefused) {
  InstanceRef probe = Make(u"RTEditableProbe");
  ASSERT_EQ(editable::StreamIn(probe.get(), 0, StreamOf(U32(1) + U32(5)).get()), kRTSuccess);
  EXPECT_EQ(component::StreamIn(probe.get(), component::kStreamWhole, StreamOf(U32(2) + U32(9)).get()), kRTFailure);
  EXPECT_EQ(Written([&](RTInstance s) { return editable::StreamOut(probe.get(), 0, s); }), U32(1) + U32(5))
      << "the probe's word is kept";
}

}  // namespace
