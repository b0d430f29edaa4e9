// Primitive records without a window context: sizing keeps earlier indices, the stream form
// round-trips byte for byte, and damaged streams make nothing.
#include <gtest/gtest.h>

#include "host/core_host.h"
#include "kivo/rasterizer/rasterizer_calls.h"
#include "kivo/support/instance_ref.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/stream_values.h"

namespace {

namespace r = kivo::rasterizer;
using Words = std::vector<uint32_t>;

class Primitives : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    std::filesystem::create_symlink(RASTERIZER_PIX, host.root() / "components/rtrasterizer.so");
  }
  void SetUp() override {
    StartedCore::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(core().GetFirstInstanceByString(nullptr, r::kClassName, rasterizer_.out(), 1, nullptr), kRTSuccess);
  }
  void TearDown() override {
    rasterizer_.Reset();
    StartedCore::TearDown();
  }
  static Words IndicesOf(const RTPrimitive* p, size_t n) { return Words(p->indices, p->indices + n); }
  static kivo::InstanceRef StreamOf(const Words& words) {
    kivo::InstanceRef stream;
    EXPECT_EQ(kivo::memory_stream::CreateWith(words.data(), static_cast<uint32_t>(words.size() * 4), stream.out()),
              kRTSuccess);
    return stream;
  }
  static std::vector<uint8_t> BytesOf(RTInstance stream) {
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    EXPECT_EQ(kivo::memory_stream::GetBuffer(stream, &data), kRTSuccess);
    EXPECT_EQ(kivo::stream::GetSize(stream, &size), kRTSuccess);
    return std::vector<uint8_t>(data, data + size);
  }

  kivo::InstanceRef rasterizer_;
};

TEST_F(Primitives, SizingKeepsTheIndicesAlreadyThere) {
  RTPrimitive* list = nullptr;
  ASSERT_EQ(r::CreatePrimitive(rasterizer_.get(), r::kTriangleList, &list), kRTSuccess);
  EXPECT_EQ(list->count, 0u);
  EXPECT_EQ(r::RegisterPrimitive(rasterizer_.get(), list), kRTSuccess);
  ASSERT_EQ(r::ResizePrimitiveList(rasterizer_.get(), list, 1), kRTSuccess);
  std::copy_n(Words{7, 8, 9}.begin(), 3, list->indices);
  ASSERT_EQ(r::ResizePrimitiveList(rasterizer_.get(), list, 3), kRTSuccess);
  EXPECT_EQ(list->count, 3u);
  EXPECT_EQ(IndicesOf(list, 9), (Words{7, 8, 9, 0, 0, 0, 0, 0, 0})) << "appended after the earlier triangle";

  RTPrimitive* strip = nullptr;
  ASSERT_EQ(r::CreatePrimitive(rasterizer_.get(), r::kTriangleStrip, &strip), kRTSuccess);
  ASSERT_EQ(r::ResizePrimitiveList(rasterizer_.get(), strip, 5), kRTSuccess);
  EXPECT_EQ(strip->count, 5u) << "a strip counts indices";
  RTPrimitive* points = nullptr;
  ASSERT_EQ(r::CreatePrimitive(rasterizer_.get(), r::kGeneralList, &points), kRTSuccess);
  EXPECT_EQ(r::RegisterPrimitive(rasterizer_.get(), points), 0u) << "only strips and lists are drawn by meshes";
  EXPECT_NE(strip->serial, list->serial);

  RTPrimitive* none = reinterpret_cast<RTPrimitive*>(this);
  EXPECT_EQ(r::CreatePrimitive(rasterizer_.get(), 0x103, &none), 0u);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(r::ResizePrimitiveList(rasterizer_.get(), list, 0x40000000u), 0u) << "past the index limit";
  EXPECT_EQ(list->count, 3u);
  for (RTPrimitive* p : {list, strip, points}) EXPECT_EQ(r::DestroyPrimitive(rasterizer_.get(), p), kRTSuccess);
  EXPECT_EQ(r::DestroyPrimitive(rasterizer_.get(), list), 0u) << "already destroyed";
}

TEST_F(Primitives, StreamFormRoundTripsByteForByte) {
  const Words stored = {r::kTriangleList, 2, 2, 0, 1, 2, 2, 1, 3, /* then a strip */ r::kTriangleStrip, 5, 4,
                        9, 8, 7, 6};
  kivo::InstanceRef in = StreamOf(stored);
  RTPrimitive* list = nullptr;
  RTPrimitive* strip = nullptr;
  ASSERT_EQ(r::ReadPrimitive(rasterizer_.get(), in.get(), &list), kRTSuccess);
  ASSERT_EQ(r::ReadPrimitive(rasterizer_.get(), in.get(), &strip), kRTSuccess);
  EXPECT_EQ(list->materialIndex, 2u);
  EXPECT_EQ(list->count, 2u);
  EXPECT_EQ(IndicesOf(list, 6), (Words{0, 1, 2, 2, 1, 3}));
  EXPECT_EQ(strip->kind, r::kTriangleStrip);
  EXPECT_EQ(IndicesOf(strip, 4), (Words{9, 8, 7, 6}));

  kivo::InstanceRef out;
  ASSERT_EQ(kivo::memory_stream::Create(out.out()), kRTSuccess);
  ASSERT_EQ(r::WritePrimitive(rasterizer_.get(), out.get(), list), kRTSuccess);
  ASSERT_EQ(r::WritePrimitive(rasterizer_.get(), out.get(), strip), kRTSuccess);
  EXPECT_EQ(BytesOf(out.get()), BytesOf(in.get()));
  for (RTPrimitive* p : {list, strip}) EXPECT_EQ(r::DestroyPrimitive(rasterizer_.get(), p), kRTSuccess);
}

TEST_F(Primitives, DamagedStreamsMakeNothing) {
  const struct {
    const char* what;
    Words words;
    const char* message;
  } cases[] = {
      {"an empty stream", {}, "the stream ends inside the primitive's header"},
      {"a header cut off", {r::kTriangleList, 0}, "the stream ends inside the primitive's header"},
      {"an unknown kind", {0x105, 0, 0}, "unknown primitive kind 0x105"},
      {"a count past the data", {r::kTriangleList, 0, 1000, 1, 2, 3}, "a count of 1000 is more than the stream holds"},
      {"a count past any limit", {r::kTriangleStrip, 0, 0xFFFFFFFFu}, "a count of 4294967295 is more than"},
      {"indices cut off", {r::kTriangleList, 0, 1, 1, 2}, "a count of 1 is more than the stream holds"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    kivo::InstanceRef stream = StreamOf(c.words);
    RTPrimitive* made = reinterpret_cast<RTPrimitive*>(this);
    const auto before = MemoryStats();
    EXPECT_EQ(r::ReadPrimitive(rasterizer_.get(), stream.get(), &made), 0u);
    EXPECT_EQ(MemoryStats(), before) << "no record or index array is left behind";
    EXPECT_EQ(made, nullptr);
    EXPECT_NE(host_.ErrorLog().find(std::string("RTRasterizer::ReadPrimitive()... ") + c.message), std::string::npos)
        << host_.ErrorLog();
  }
}

}  // namespace
