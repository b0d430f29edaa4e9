// The scene tree's stream: its exact bytes, round trips, and every damaged stream refused whole.
#include "kivo/support/component_calls.h"
#include "scene_test.h"
#include "tesk/scene/scene_tree_calls.h"

namespace {

using namespace scenetest;
using namespace kivo;
namespace tree_calls = tesk::scene_tree;

constexpr uint32_t kEditableVersion = 1;

std::string Bytes(uint32_t version, const std::vector<std::u16string>& references, const std::string& tail) {
  std::string bytes = U32(kEditableVersion) + U32(version) + U32(static_cast<uint32_t>(references.size()));
  for (const auto& reference : references) bytes += WString(reference);
  return bytes + tail;
}

class TreeStream : public SceneTest {
 protected:
  // A tree holding two references, flags 5 and one room.
  InstanceRef KnownTree() {
    InstanceRef tree = MakeTree();
    EXPECT_EQ(tree_calls::AddRoomByName(tree.get(), u"Root:Rooms:A@6"), kRTSuccess);
    EXPECT_EQ(tree_calls::AddRoomByName(tree.get(), u"Root:Rooms:B"), kRTSuccess);
    EXPECT_EQ(tree_calls::SetDesigningFlags(tree.get(), 5), kRTSuccess);
    EXPECT_EQ(tree_calls::AddRoom(tree.get(), room_.get()), kRTSuccess);
    return tree;
  }
  // What a reader must leave alone: the stream, the rooms and the flags.
  std::string Snapshot(RTInstance tree) {
    uint32_t rooms = 0;
    tree_calls::GetRoomCount(tree, &rooms);
    return StreamedOut(tree) + "|rooms " + std::to_string(rooms);
  }
  std::vector<std::u16string> References(RTInstance tree) {
    List* list = nullptr;
    EXPECT_EQ(tree_calls::GetRoomNameList(tree, &list), kRTSuccess);
    std::vector<std::u16string> references;
    for (const char16_t* reference : ListItems<char16_t>(list)) references.emplace_back(reference);
    return references;
  }
  RTSuccess Read(RTInstance tree, const std::string& bytes, uint32_t stage = component::kStreamWhole) {
    return component::StreamIn(tree, stage, StreamOf(bytes).get());
  }

  void SetUp() override {
    SceneTest::SetUp();
    room_ = MakeRoom(u"Lobby", At(0, 0, 0), At(4, 3, 4));
  }
  void TearDown() override {
    room_.Reset();
    SceneTest::TearDown();
  }

  InstanceRef room_;
};

TEST_F(TreeStream, WritesItsReferencesAndFlagsAndReadsThemBack) {
  InstanceRef tree = KnownTree();
  const std::string expected = Bytes(512, {u"Root:Rooms:A@6", u"Root:Rooms:B"}, U32(5));
  EXPECT_EQ(StreamedOut(tree.get()), expected);
  uint32_t stages = 0;
  EXPECT_EQ(tree_calls::GetStageCount(tree.get(), &stages), kRTSuccess);
  EXPECT_EQ(stages, 1u);

  InstanceRef copy = MakeTree();
  ASSERT_EQ(Read(copy.get(), expected), kRTSuccess);
  EXPECT_EQ(StreamedOut(copy.get()), expected) << "out, in, out: equal bytes";

  EXPECT_EQ(StreamedOut(tree.get(), 2), "<failed>");
  InstanceRef partial = StreamOf("");
  EXPECT_EQ(tree_calls::StreamOut(tree.get(), 2, partial.get()), kRTFailure);
  EXPECT_EQ(Contents(partial.get()), U32(kEditableVersion) + U32(512)) << "stage 2 writes the version, then fails";
}

TEST_F(TreeStream, ReadsAsTheFormatsEdgeCasesSay) {
  const struct {
    const char* what;
    std::string stream;
    RTSuccess result;
    std::vector<std::u16string> references;  // after the read
    uint32_t flags;
    uint32_t rooms;
    const char* message;  // expected in the debug output, or empty
  } cases[] = {
      {"version 511 with count 0 keeps the flags",
       Bytes(511, {}, ""),
       kRTSuccess,
       {u"Root:Rooms:A@6", u"Root:Rooms:B"},
       5,
       0,
       ""},
      {"version 513 is refused before any change",
       Bytes(513, {}, U32(1)),
       kRTFailure,
       {u"Root:Rooms:A@6", u"Root:Rooms:B"},
       5,
       1,
       "the stream holds no scene tree of version 512 or older"},
      {"references equal but for case leave one",
       Bytes(512, {u"A:b", u"a:B"}, U32(9)),
       kRTSuccess,
       {u"Root:Rooms:A@6", u"Root:Rooms:B", u"A:b"},
       9,
       0,
       "Duplicate room reference removed (a:B)."},
      {"a reference read again is a duplicate",
       Bytes(512, {u"root:rooms:b"}, U32(9)),
       kRTSuccess,
       {u"Root:Rooms:A@6", u"Root:Rooms:B"},
       9,
       0,
       "Duplicate room reference removed (root:rooms:b)."},
      {"a reference of length 0 is none",
       Bytes(512, {u""}, U32(2)),
       kRTSuccess,
       {u"Root:Rooms:A@6", u"Root:Rooms:B"},
       2,
       0,
       ""},
  };
  for (const auto& c : cases) {
    InstanceRef tree = KnownTree();
    EXPECT_EQ(Read(tree.get(), c.stream), c.result) << c.what;
    EXPECT_EQ(References(tree.get()), c.references) << c.what;
    uint32_t flags = 0, rooms = 0;
    tree_calls::GetDesigningFlags(tree.get(), &flags);
    tree_calls::GetRoomCount(tree.get(), &rooms);
    EXPECT_EQ(flags, c.flags) << c.what;
    EXPECT_EQ(rooms, c.rooms) << c.what;
    if (*c.message) {
      EXPECT_EQ(Occurrences(c.message), 1u) << c.what;
    }
  }
  EXPECT_FALSE(Logged("Duplicate room reference removed ()")) << "an empty reference is never one";
  InstanceRef tree = KnownTree();
  EXPECT_EQ(Read(tree.get(), Bytes(512, {}, U32(0)), 2), kRTFailure) << "stage 2 is refused";
  EXPECT_EQ(References(tree.get()).size(), 2u);
}

TEST_F(TreeStream, RefusesEveryTruncationAndAnOversizedCountWithTheTreeUnchanged) {
  const std::string whole = Bytes(512, {u"Root:Rooms:C", u"Root:Rooms:D@3"}, U32(1));
  InstanceRef tree = KnownTree();
  const std::string before = Snapshot(tree.get());
  for (size_t length = 0; length < whole.size(); ++length) {
    EXPECT_EQ(Read(tree.get(), whole.substr(0, length)), kRTFailure) << length << " bytes";
    EXPECT_EQ(Snapshot(tree.get()), before) << length << " bytes";
  }
  std::string oversized = whole;
  oversized.replace(8, 4, U32(0x7FFFFFFF));
  EXPECT_EQ(Read(tree.get(), oversized), kRTFailure);
  EXPECT_EQ(Snapshot(tree.get()), before);
  for (const char* message : {"the count of room references is missing or larger than the stream",
                              "Unable to stream in room reference string 2 of 2", "the designing flags are cut short"})
    EXPECT_TRUE(Logged(message)) << message;
  ASSERT_EQ(Read(tree.get(), whole), kRTSuccess);
  EXPECT_EQ(References(tree.get()).size(), 4u) << "appended to those held";
}

}  // namespace
