// Stores whose records a fuzzer damaged: each input is rebuilt here from a real store and the one
// change that hurt, and the core must load what is sound, refuse the rest and leave nothing behind
// at shutdown (the fixture's memory check).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "instance_test_base.h"
#include "kivo/support/module_core.h"
#include "kivo/support/stream_header.h"
#include "kivo/support/store_calls.h"
#include "kivo/support/stream_calls.h"
#include "kivo/support/wide_string.h"

namespace {

class DamagedStore : public tesk::testing::InstanceTest {
 protected:
  RTInstance Store() {
    RTInstance store = nullptr;
    EXPECT_EQ(core().GetFirstInstanceByString(nullptr, kivo::instance_store::kClassName, &store, 1, nullptr),
              kRTSuccess);
    return store;
  }

  // Stores `top` (with its subtree) as it is, then changes the stored header of `path`.
  void StoreAndEdit(RTInstance top, RTBool subtree, const char16_t* path,
                    const std::function<void(RTStreamHeader&)>& edit) {
    RTInstance store = Store();
    ASSERT_EQ(core().StoreInstance(nullptr, top, 0xFFFFFFFF, subtree), kRTSuccess);
    RTInstance stream = nullptr;
    RTStreamHeader* header = nullptr;
    ASSERT_EQ(kivo::instance_store::HeaderStream(store, path, &stream), kRTSuccess);
    ASSERT_EQ(core().ReadStreamHeader(nullptr, stream, &header), kRTSuccess);
    Release(stream);
    edit(*header);
    EXPECT_EQ(kivo::instance_store::StoreHeader(store, path, header), kRTSuccess);
    core().FreeStreamHeader(nullptr, header);
    ASSERT_EQ(kivo::instance_store::Save(store), kRTSuccess);
    Release(store);
  }

  static void SetChild(RTStreamHeader& header, uint32_t index, const char16_t* path) {
    kivo::ModuleCore()->ArrayFree(nullptr, header.childPaths[index]);
    kivo::WideStrDup(path, &header.childPaths[index]);
  }

  void Restart() {
    ASSERT_EQ(host_.Shutdown(), kRTSuccess);
    ASSERT_EQ(host_.Start(), kRTSuccess);
  }

  // The size of Root's tree stream.
  uint32_t TreeBytes() {
    RTInstance stream = nullptr;
    EXPECT_EQ(core().CreateInstanceByString(nullptr, u"RTMemoryStream", &stream, 0, 0), kRTSuccess);
    kivo::memory_stream::Open(stream, kivo::memory_stream::kReadWrite);
    EXPECT_EQ(core().StreamTreeOut(nullptr, Root(), stream), kRTSuccess);
    uint32_t size = 0;
    kivo::stream::GetSize(stream, &size);
    Release(stream);
    return size;
  }
};

// Root stored alone, or with a child whose class no library holds: Root has no child that loads,
// and its record once stayed behind at every shutdown.
TEST_F(DamagedStore, ARootWithoutChildrenGoesAtShutdown) {
  StoreAndEdit(Root(), 0, u"Root", [](RTStreamHeader&) {});
  Restart();
  RTBool stored = 0;
  core().IsInstanceStored(nullptr, Root(), &stored);
  EXPECT_EQ(stored, 1u);
  EXPECT_EQ(ChildCount(Root()), 0u);
}

TEST_F(DamagedStore, ARootWhoseOnlyChildCannotLoadGoesAtShutdown) {
  RTInstance child = CreateNamed(u"RTDatum", u"Lost");
  StoreAndEdit(child, 0, u"Root:Lost", [](RTStreamHeader& header) {
    kivo::ModuleCore()->ArrayFree(nullptr, header.className);
    kivo::WideStrDup(u"RTNoSuchClass", &header.className);
  });
  Release(child);
  Restart();
  EXPECT_EQ(ChildCount(Root()), 0u);
}

// A record that lists an ancestor's path as its child (three records: Root, Root:A, Root:A:B with
// B listing "Root") once made every walk of the tree go round for ever; one listing itself or a
// path further below is refused the same way.
TEST_F(DamagedStore, AChildKeyNotDirectlyBelowItsParentIsRefused) {
  const std::u16string suffixes[] = {u"", u":X", u":X:B", u":X:B:Z:W"};
  for (size_t i = 0; i < std::size(suffixes); ++i) {
    // Each case stores its own tree Root:Xi:B:Z:W and makes B list, in place of Z, an ancestor,
    // itself or its grandchild.
    const std::u16string top = u"X" + std::u16string(1, static_cast<char16_t>(u'0' + i));
    std::u16string key = u"Root" + suffixes[i];
    if (key.size() > 4) key.replace(5, 1, top);
    SCOPED_TRACE(std::string(key.begin(), key.end()));
    RTInstance x = CreateNamed(u"RTDatum", top.c_str());
    RTInstance b = CreateNamed(u"RTDatum", u"B", x);
    RTInstance z = CreateNamed(u"RTDatum", u"Z", b);
    RTInstance w = CreateNamed(u"RTDatum", u"W", z);
    const std::u16string bPath = u"Root:" + top + u":B";
    StoreAndEdit(x, 1, bPath.c_str(), [&key](RTStreamHeader& header) { SetChild(header, 0, key.c_str()); });
    for (RTInstance instance : {w, z, b, x}) Release(instance);
    Restart();
    RTInstance loaded = Lookup(bPath.c_str());
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(ChildCount(loaded), 0u);
    EXPECT_TRUE(Logged("The stored child " + std::string(key.begin(), key.end()) + " of " +
                       std::string(bPath.begin(), bPath.end()) + " is refused: it does not lie directly below it"));
    EXPECT_LT(TreeBytes(), 8192u);
    Release(loaded);
  }
}

// A path with a zero unit inside once matched the shorter record before it ("Root:A" for
// "Root:A\0B"): the header that holds it is refused, and with it the damaged pack.
TEST_F(DamagedStore, APathWithAZeroUnitInsideIsRefused) {
  RTInstance a = CreateNamed(u"RTDatum", u"A");
  StoreAndEdit(Root(), 1, u"Root", [](RTStreamHeader& header) { SetChild(header, 0, u"Root:A?B"); });
  Release(a);
  const auto pack = host_.root() / "store/root.kivopack";
  std::string bytes = tesk::testing::ReadFile(pack);
  const std::string marked("A\0?\0B\0", 6);
  const size_t at = bytes.find(marked);
  ASSERT_NE(at, std::string::npos);
  bytes[at + 2] = '\0';
  tesk::testing::WriteFile(pack, bytes);
  Restart();
  EXPECT_TRUE(Logged("is damaged; the store starts empty."));
  RTBool stored = 1;
  core().IsInstanceStored(nullptr, Root(), &stored);
  EXPECT_EQ(stored, 0u);
}

}  // namespace
