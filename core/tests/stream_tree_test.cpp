// Instance trees streamed out and back in: the index, the headers, misbehaving components,
// references inside a tree, and damaged input.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "instance_test_base.h"
#include "kivo/support/pack_index.h"
#include "kivo/support/store_calls.h"
#include "kivo/support/stream_calls.h"

namespace {

using StreamTree = tesk::testing::InstanceTest;

uint32_t U32(const std::vector<uint8_t>& bytes, size_t at) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

void PutU32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) { std::memcpy(bytes.data() + at, &value, 4); }

// Bytes of a wide string on the wire.
size_t WireSize(std::u16string_view text) { return text.empty() ? 4 : 4 + 2 * (text.size() + 1); }

std::vector<uint8_t> Bytes(RTInstance stream) {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
  kivo::stream::GetSize(stream, &size);
  kivo::memory_stream::GetBuffer(stream, &data);
  return std::vector<uint8_t>(data, data + size);
}

class TreeStreams : public StreamTree {
 protected:
  // A memory stream outside Root's tree, so that streaming Root does not include it: its parent
  // is destroyed under it, which leaves it unattached.
  RTInstance NewStream() {
    RTInstance holder = Create(u"RTComponent");
    RTInstance stream = Create(u"RTMemoryStream", holder, 0);
    EXPECT_EQ(kivo::memory_stream::Open(stream, kivo::memory_stream::kReadWrite), kRTSuccess);
    core().ForceReleaseInstance(nullptr, holder);
    return stream;
  }

  RTInstance StreamWith(const std::vector<uint8_t>& bytes) {
    RTInstance stream = NewStream();
    uint32_t written = 0;
    kivo::stream::Write(stream, bytes.data(), static_cast<uint32_t>(bytes.size()), &written);
    kivo::stream::Seek(stream, 0);
    return stream;
  }

  std::vector<uint8_t> TreeBytes(RTInstance top) {
    RTInstance stream = NewStream();
    EXPECT_EQ(core().StreamTreeOut(nullptr, top, stream), kRTSuccess);
    std::vector<uint8_t> bytes = Bytes(stream);
    Release(stream);
    return bytes;
  }

  // Streams the bytes in under Root; the stream is released again.
  RTInstance TreeIn(const std::vector<uint8_t>& bytes, RTSuccess expected = kRTSuccess) {
    RTInstance stream = StreamWith(bytes);
    RTInstance top = reinterpret_cast<RTInstance>(1);
    EXPECT_EQ(core().StreamTreeIn(nullptr, nullptr, &top, stream), expected);
    Release(stream);
    return top;
  }
};

TEST_F(TreeStreams, RootWithTwoChildrenHasAThreeEntryIndex) {
  RTInstance a = CreateNamed(u"RTDatum", u"A");
  RTInstance b = CreateNamed(u"RTDatum", u"B");
  const std::vector<uint8_t> bytes = TreeBytes(Root());

  ASSERT_GE(bytes.size(), 40u);
  EXPECT_EQ(U32(bytes, 0), 36u);
  EXPECT_EQ(U32(bytes, 4), 0x07228292u) << "the path key of \"Root\"";
  EXPECT_EQ(U32(bytes, 4), kivo::PathKey(u"Root"));
  EXPECT_EQ(U32(bytes, 16), kivo::PathKey(u"Root:A"));
  EXPECT_EQ(U32(bytes, 28), kivo::PathKey(u"Root:B"));
  const uint32_t rootLength = U32(bytes, 12);
  const uint32_t aLength = U32(bytes, 24);
  EXPECT_EQ(U32(bytes, 8), 0u);
  EXPECT_EQ(U32(bytes, 20), rootLength);
  EXPECT_EQ(U32(bytes, 32), rootLength + aLength);
  EXPECT_EQ(40u + rootLength + aLength + U32(bytes, 36), bytes.size());

  // Root's header: its own length at byte 8, an empty parent path, then version, size word and
  // 16 zero bytes.
  const size_t data = 40;
  const uint32_t headerLength = U32(bytes, data + 8);
  ASSERT_LT(headerLength, rootLength);
  EXPECT_EQ(U32(bytes, data), 0x0EA5F001u);
  const std::vector<uint8_t> trailer(bytes.begin() + data + headerLength - 16, bytes.begin() + data + headerLength);
  EXPECT_EQ(trailer, std::vector<uint8_t>(16, 0));
  EXPECT_EQ(U32(bytes, data + headerLength - 16 - 4), 0xFFFFFFFFu) << "size word";
  EXPECT_EQ(U32(bytes, data + headerLength - 16 - 12), 0u) << "empty parent path";
  Release(a);
  Release(b);
}

TEST_F(TreeStreams, MisbehavingComponentsAreSkippedAndTheirSiblingsRead) {
  RTInstance top = CreateNamed(u"RTDatum", u"Top");
  RTInstance failing = CreateNamed(u"RTDatum", u"Failing", top);
  RTInstance shortReader = CreateNamed(u"RTDatum", u"Short", top);
  RTInstance good = CreateNamed(u"RTDatum", u"Good", top);
  SetNumber(failing, 0xBAD);
  SetNumber(shortReader, 0x5401);
  SetNumber(good, 7);
  const std::vector<uint8_t> bytes = TreeBytes(top);
  for (RTInstance i : {failing, shortReader, good, top}) Release(i);
  ASSERT_EQ(Lookup(u"Root:Top"), nullptr);

  RTInstance read = TreeIn(bytes);
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(Path(read), u"Root:Top");
  EXPECT_EQ(ChildCount(read), 3u);
  RTInstance readGood = Lookup(u"Root:Top:Good");
  ASSERT_NE(readGood, nullptr);
  EXPECT_EQ(Number(readGood), 7u);
  EXPECT_TRUE(Logged("Component (Root:Top:Failing) StreamIn() returned FAILURE. Attempting to continue."));
  EXPECT_TRUE(Logged("Component (Root:Top:Short) StreamIn() did not stream in the expected size of data."));

  // Read again: the live instances at those paths are reused, nothing new is made.
  RTInstance again = TreeIn(bytes);
  EXPECT_EQ(again, read);
  EXPECT_EQ(ChildCount(read), 3u);
  Release(again);
  Release(readGood);
}

// A resource makes its named streams as it streams in, and the tree holds them as its children
// too: read under another parent each stream is there once, with its bytes.
TEST_F(TreeStreams, AResourceReadUnderAnotherParentHoldsEachStreamOnce) {
  RTInstance resource = CreateNamed(u"RTResource", u"Sheets");
  std::vector<RTInstance> made{resource};
  for (const auto& [name, bytes] : {std::pair{u"alpha", std::string("first")}, {u"beta", std::string("second")}}) {
    RTInstance child = made.emplace_back(CreateNamed(u"RTMemoryStream", name, resource));
    kivo::memory_stream::Open(child, kivo::memory_stream::kReadWrite);
    uint32_t written = 0;
    kivo::stream::Write(child, bytes.data(), static_cast<uint32_t>(bytes.size()), &written);
  }
  const std::vector<uint8_t> bytes = TreeBytes(resource);
  for (RTInstance instance : made) Release(instance);
  ASSERT_EQ(Lookup(u"Root:Sheets"), nullptr);

  RTInstance elsewhere = CreateNamed(u"RTComponent", u"Elsewhere");
  RTInstance stream = StreamWith(bytes);
  RTInstance read = nullptr;
  ASSERT_EQ(core().StreamTreeIn(nullptr, elsewhere, &read, stream), kRTSuccess) << host_.ErrorLog();
  Release(stream);
  EXPECT_EQ(Path(read), u"Root:Elsewhere:Sheets");
  EXPECT_EQ(ChildCount(read), 2u);
  RTInstance beta = Lookup(u"Root:Elsewhere:Sheets:beta");
  ASSERT_NE(beta, nullptr);
  char text[8] = {};
  uint32_t got = 0;
  kivo::stream::Seek(beta, 0);
  kivo::stream::Read(beta, text, sizeof text, &got);
  EXPECT_EQ(std::string(text, got), "second");
  for (RTInstance held : {beta, read, elsewhere}) Release(held);
}

// A resource makes its named streams as it streams in; when a later record cannot be read, they go
// with the resource and the core holds no more than before the read.
TEST_F(TreeStreams, AFailedReadTakesBackWhatItsComponentsMade) {
  RTInstance resource = CreateNamed(u"RTResource", u"Sheets");
  std::vector<RTInstance> made{resource};
  for (const char16_t* name : {u"alpha", u"beta"}) {
    RTInstance child = made.emplace_back(CreateNamed(u"RTMemoryStream", name, resource));
    kivo::memory_stream::Open(child, kivo::memory_stream::kReadWrite);
  }
  std::vector<uint8_t> bytes = TreeBytes(resource);
  for (RTInstance instance : made) Release(instance);
  // Index entries: Sheets, alpha, beta; alpha's header loses its magic word.
  const size_t alphaRecord = 4 + U32(bytes, 0) + U32(bytes, 4 + 12 + 4);
  ASSERT_EQ(U32(bytes, alphaRecord), 0x0EA5F001u);
  PutU32(bytes, alphaRecord, 0);

  const auto before = MemoryStats();
  RTInstance elsewhere = CreateNamed(u"RTComponent", u"Elsewhere");
  RTInstance stream = StreamWith(bytes);
  RTInstance read = nullptr;
  EXPECT_EQ(core().StreamTreeIn(nullptr, elsewhere, &read, stream), kRTFailure);
  EXPECT_EQ(ChildCount(elsewhere), 0u);
  Release(stream);
  Release(elsewhere);
  EXPECT_EQ(MemoryStats(), before) << "the resource's streams are gone with it";
}

TEST_F(TreeStreams, AReferenceIntoTheTreeIsFetchedAheadOfItsTurn) {
  RTInstance top = CreateNamed(u"RTDatum", u"Top");
  RTInstance first = CreateNamed(u"RTDatum", u"First", top);
  RTInstance second = CreateNamed(u"RTDatum", u"Second", top);
  SetNumber(second, 2);
  SetReference(first, second);  // First is read before Second
  const std::vector<uint8_t> bytes = TreeBytes(top);
  for (RTInstance i : {first, second, top}) Release(i);
  // Index entries: Top, First, Second. Another path's record under the same key is passed over.
  std::vector<uint8_t> sharedKey = bytes;
  ASSERT_EQ(U32(sharedKey, 4 + 24), kivo::PathKey(u"Root:Top:Second"));
  PutU32(sharedKey, 4 + 12, kivo::PathKey(u"Root:Top:Second"));

  const std::pair<const char*, std::vector<uint8_t>> trees[] = {{"as written", bytes},
                                                                 {"First also under Second's key", sharedKey}};
  for (const auto& [what, tree] : trees) {
    RTInstance read = TreeIn(tree);
    ASSERT_NE(read, nullptr) << what;
    RTInstance readFirst = Lookup(u"Root:Top:First");
    RTInstance readSecond = Lookup(u"Root:Top:Second");
    ASSERT_NE(readSecond, nullptr) << what;
    EXPECT_EQ(Reference(readFirst), readSecond) << what;
    EXPECT_EQ(Number(readSecond), 2u) << what;
    EXPECT_EQ(ChildCount(read), 2u) << what << ": the fetched instance is reused when its own record comes";
    for (RTInstance i : {readFirst, readSecond}) Release(i);
    tesk::testing::ForceReleaseTree(core(), read);
  }
}

TEST_F(TreeStreams, DamagedTreesFailAndLeaveNothingBehind) {
  RTInstance top = CreateNamed(u"RTDatum", u"Top");
  RTInstance child = CreateNamed(u"RTDatum", u"Child", top);
  const std::vector<uint8_t> good = TreeBytes(top);
  Release(child);
  Release(top);
  const uint32_t rootChildren = ChildCount(Root());

  // Byte offset of the top header's child count.
  const size_t childCountAt = 4 + U32(good, 0) + 51 + WireSize(u"Top") + WireSize(u"Root:Top") +
                              WireSize(u"RTDatum") + WireSize(u"RTComponent") + WireSize(u"Ostrawen");
  ASSERT_EQ(U32(good, childCountAt), 1u);

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"truncated header", std::vector<uint8_t>(good.begin(), good.begin() + 4 + 24 + 30)});
  cases.push_back({"index length not a multiple of 12", good});
  PutU32(cases.back().bytes, 0, 25);
  cases.push_back({"index longer than the stream", good});
  PutU32(cases.back().bytes, 0, 0x7FFFFFF8);
  cases.push_back({"offset past the end", good});
  PutU32(cases.back().bytes, 4 + 12 + 4, 0x00FFFFFF);
  cases.push_back({"child count 0xFFFFFFFF", good});
  PutU32(cases.back().bytes, childCountAt, 0xFFFFFFFF);
  cases.push_back({"child missing", std::vector<uint8_t>(good.begin(), good.end() - 40)});

  for (const Case& c : cases) {
    EXPECT_EQ(TreeIn(c.bytes, kRTFailure), nullptr) << c.what;
    EXPECT_EQ(ChildCount(Root()), rootChildren) << c.what;
  }
  EXPECT_TRUE(Logged("[CORE.StreamTreeIn] The tree's index is damaged."));
  EXPECT_TRUE(Logged("[CORE.StreamTreeIn] StreamTreeInRecurse() returned FAILURE."));
  RTInstance none = nullptr;
  EXPECT_EQ(core().StreamTreeIn(nullptr, nullptr, &none, nullptr), kRTFailure);
}

// A damaged record deep in the tree: every instance made for the read, at every level, is taken
// back once.
TEST_F(TreeStreams, ADamagedGrandchildTakesBackEveryLevel) {
  RTInstance top = CreateNamed(u"RTDatum", u"Top");
  RTInstance middle = CreateNamed(u"RTDatum", u"Middle", top);
  RTInstance leaf = CreateNamed(u"RTDatum", u"Leaf", middle);
  std::vector<uint8_t> bytes = TreeBytes(top);
  for (RTInstance i : {leaf, middle, top}) Release(i);
  const uint32_t rootChildren = ChildCount(Root());
  // The index (Top, Middle, Leaf) stays sound; the magic word of Leaf's header is broken.
  const size_t leafRecord = 4 + U32(bytes, 0) + U32(bytes, 4 + 24 + 4);
  ASSERT_EQ(U32(bytes, leafRecord), 0x0EA5F001u);
  PutU32(bytes, leafRecord, 0);

  EXPECT_EQ(TreeIn(bytes, kRTFailure), nullptr);
  EXPECT_TRUE(Logged("[CORE.StreamTreeIn] Unable to stream IN child tree."));
  EXPECT_EQ(ChildCount(Root()), rootChildren);
  EXPECT_EQ(Lookup(u"Root:Top"), nullptr);
}

// A stored child whose record has gone from the store cannot be loaded: it is left out of the
// tree, and of its parent's header, so the tree still reads back.
TEST_F(TreeStreams, AChildThatCannotBeLoadedIsLeftOutOfItsParentsHeaderToo) {
  RTInstance top = CreateNamed(u"RTDatum", u"Top");
  RTInstance lost = CreateNamed(u"RTDatum", u"Lost", top);
  RTInstance kept = CreateNamed(u"RTDatum", u"Kept", top);
  SetNumber(kept, 4);
  RTInstance store = nullptr;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, kivo::instance_store::kClassName, &store, 1, nullptr), kRTSuccess);
  ASSERT_EQ(core().StoreInstance(nullptr, lost, 0xFFFFFFFF, 0), kRTSuccess);
  Release(lost);  // unloaded: a placeholder under Top
  ASSERT_EQ(kivo::instance_store::Remove(store, u"Root:Top:Lost"), kRTSuccess);
  const std::vector<uint8_t> bytes = TreeBytes(top);
  EXPECT_TRUE(Logged("[CORE.StreamTreeOut] Unable to load Root:Top:Lost; it is left out."));
  EXPECT_EQ(U32(bytes, 0), 24u) << "index entries of Top and Kept";
  Release(kept);

  RTInstance read = TreeIn(bytes);
  ASSERT_EQ(read, top) << "the live Top is reused";
  RTInstance readKept = Lookup(u"Root:Top:Kept");
  ASSERT_NE(readKept, nullptr);
  EXPECT_EQ(Number(readKept), 4u);
  for (RTInstance i : {readKept, read, store, top}) Release(i);
}

}  // namespace
