// The instance store: instances written to a pack file, fetched lazily, unloaded and fetched again;
// Root from the store; component resources; changing an instance's class.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "instance_test_base.h"
#include "kivo/support/component_calls.h"
#include "kivo/support/store_calls.h"
#include "kivo/support/stream_calls.h"
#include "platform/utf.h"

namespace {

using InstanceStore = tesk::testing::InstanceTest;

class StoredInstances : public InstanceStore {
 protected:
  RTBool Stored(RTInstance instance) {
    RTBool stored = 0;
    core().IsInstanceStored(nullptr, instance, &stored);
    return stored;
  }

  RTInstance Store() {
    RTInstance store = nullptr;
    EXPECT_EQ(core().GetFirstInstanceByString(nullptr, kivo::instance_store::kClassName, &store, 1, nullptr),
              kRTSuccess);
    return store;
  }

  void Restart() {
    ASSERT_EQ(host_.Shutdown(), kRTSuccess);
    ASSERT_EQ(host_.Start(), kRTSuccess);
  }

};

TEST_F(StoredInstances, StoredTreeComesBackLazilyUnderAStoredRoot) {
  RTInstance tesk = CreateNamed(u"RTDatum", u"Tesk");
  RTInstance assets = CreateNamed(u"RTDatum", u"Assets", tesk);
  RTInstance room = CreateNamed(u"RTDatum", u"Room", assets);
  SetNumber(room, 5);
  RTInstance store = Store();
  ASSERT_EQ(core().StoreInstance(nullptr, tesk, 0xFFFFFFFF, 1), kRTSuccess);
  EXPECT_EQ(Stored(tesk), 1u);
  ASSERT_EQ(kivo::instance_store::Save(store), kRTSuccess);
  for (RTInstance i : {store, room, assets, tesk}) Release(i);
  Restart();

  EXPECT_EQ(Stored(Root()), 1u) << "Root came from the store";
  EXPECT_EQ(ChildCount(Root()), 1u);
  RTInstance loaded = Lookup(u"Root:Tesk:Assets:Room");
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(Number(loaded), 5u);
  EXPECT_EQ(Path(loaded), u"Root:Tesk:Assets:Room");

  // Released to zero, a stored instance keeps its place and comes back fresh from the store.
  SetNumber(loaded, 9);
  RTInstance parent = nullptr;
  core().GetParent(nullptr, loaded, &parent);
  Release(loaded);
  EXPECT_EQ(ChildCount(parent), 1u);
  RTInstance again = Lookup(u"Root:Tesk:Assets:Room");
  ASSERT_EQ(again, loaded) << "the same record";
  EXPECT_EQ(Number(again), 5u);
  Release(again);
  Release(parent);
}

TEST_F(StoredInstances, EachPathIsWrittenOncePerSweepAndAncestorsAreStoredToo) {
  RTInstance top = CreateNamed(u"RTDatum", u"Top");
  RTInstance child = CreateNamed(u"RTDatum", u"Child", top);
  RTInstance store = Store();
  ASSERT_EQ(core().StoreInstance(nullptr, child, 0xFFFFFFFF, 0), kRTSuccess);
  for (const char16_t* path : {u"Root:Top:Child", u"Root:Top", u"Root"}) {
    RTBool holds = 0;
    kivo::instance_store::Holds(store, path, &holds);
    EXPECT_EQ(holds, 1u) << "ancestors are stored with the instance";
  }
  // A second store of changed data in another sweep is written again.
  SetNumber(child, 3);
  ASSERT_EQ(core().StoreInstance(nullptr, child, 0xFFFFFFFF, 0), kRTSuccess);
  RTInstance data = nullptr;
  ASSERT_EQ(kivo::instance_store::DataStream(store, u"Root:Top:Child", &data), kRTSuccess);
  uint32_t version = 0;
  uint32_t number = 0;
  kivo::stream::Read(data, &version, 4, nullptr);
  kivo::stream::Read(data, &number, 4, nullptr);
  EXPECT_EQ(number, 3u);
  Release(data);

  ASSERT_EQ(core().UnstoreInstance(nullptr, child), kRTSuccess);
  EXPECT_EQ(Stored(child), 0u);
  RTBool holds = 1;
  kivo::instance_store::Holds(store, u"Root:Top:Child", &holds);
  EXPECT_EQ(holds, 0u);
  for (RTInstance i : {store, child, top}) Release(i);
}

// A store built by the pack tool before the core starts, in the place the store opens by default.
class PackFromTool : public StoredInstances {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override {
    StoredInstances::InstallComponents(host);
    const auto dir = host.root().parent_path().parent_path() / "content";
    const uint8_t data[] = {1, 0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0};  // version 1, number 7, no reference
    tesk::testing::WriteFile(dir / "ward.bin", std::string(reinterpret_cast<const char*>(data), sizeof data));
    tesk::testing::WriteFile(dir / "pack.json",
                             R"({"instances": [{"path": "Root:Tesk:Ward", "class": "RTDatum", "data": "ward.bin"}]})");
    std::filesystem::create_directories(host.root() / "store");
    const std::string command = std::string(KIVOPACK) + " build " + (dir / "pack.json").string() + " " +
                                (host.root() / "store/root.kivopack").string() + " 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
};

TEST_F(PackFromTool, OpensWithRootAndLoadsInstancesByPath) {
  EXPECT_EQ(Stored(Root()), 1u);
  RTInstance ward = Lookup(u"Root:Tesk:Ward");
  ASSERT_NE(ward, nullptr);
  EXPECT_EQ(Number(ward), 7u);
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, ward, u"RTDatum"), 1u);
  RTInstance tesk = Lookup(u"Root:Tesk");
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, tesk, u"RTComponent"), 1u) << "a parent the description left out";
  Release(ward);
  Release(tesk);
}

TEST_F(InstanceStore, ResourcesAreFoundIgnoringCase) {
  // Write a ".resource" beside the RTDatum library with two named streams.
  RTInstance resource = Create(u"RTResource");
  const std::vector<std::pair<const char16_t*, std::string>> streams = {{u"hud_panel_1024", "panel bytes"},
                                                                        {u"tuning", "42"}};
  for (const auto& [name, bytes] : streams) {
    RTInstance child = Create(u"RTMemoryStream", resource, 0);
    kivo::memory_stream::Open(child, kivo::memory_stream::kReadWrite);
    kivo::component::SetName(child, name);
    uint32_t written = 0;
    kivo::stream::Write(child, bytes.data(), static_cast<uint32_t>(bytes.size()), &written);
  }
  RTInstance file = Create(u"RTBrellinFileStream");
  const std::u16string path = platform::FromUtf8((host_.root() / "components/fixture_Datum.resource").string());
  ASSERT_EQ(kivo::file_stream::Open(file, path.c_str(), kivo::file_stream::kWriteNew), kRTSuccess);
  ASSERT_EQ(kivo::component::StreamOut(resource, kivo::component::kStreamWhole, file), kRTSuccess);
  ASSERT_EQ(kivo::stream::Close(file), kRTSuccess);
  Release(file);
  tesk::testing::ForceReleaseTree(core(), resource);
  ASSERT_EQ(host_.Shutdown(), kRTSuccess);
  ASSERT_EQ(host_.Start(), kRTSuccess);  // kivoreg.db now lists the resource path

  RTInstance found = nullptr;
  ASSERT_EQ(core().OpenResourceStream(nullptr, u"RTDatum", u"HUD_PANEL_1024", &found), kRTSuccess);
  char buffer[16] = {};
  uint32_t read = 0;
  kivo::stream::Read(found, buffer, sizeof buffer, &read);
  EXPECT_EQ(std::string(buffer, read), "panel bytes");
  Release(found);
  RTInstance missing = reinterpret_cast<RTInstance>(1);
  EXPECT_EQ(core().OpenResourceStream(nullptr, u"RTDatum", u"absent", &missing), kRTFailure);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(core().OpenResourceStream(nullptr, u"RTVarno", u"tuning", &missing), kRTFailure)
      << "a component without a resource file";
}

RTSuccess StreamInThroughNewClass(RTInstance instance, uint32_t stage, RTInstance stream) {
  return kivo::component::StreamIn(instance, stage, stream);
}

TEST_F(InstanceStore, ChangingClassKeepsTheStreamedState) {
  RTInstance datum = CreateNamed(u"RTDatum", u"Changing");
  SetNumber(datum, 42);
  EXPECT_EQ(core().ChangeInstanceClass(nullptr, datum, u"RTSingle", StreamInThroughNewClass), kRTFailure);
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, datum, u"RTDatum"), 1u);
  EXPECT_EQ(Number(datum), 42u);

  ASSERT_EQ(core().ChangeInstanceClass(nullptr, datum, u"RTDatumCopy", StreamInThroughNewClass), kRTSuccess);
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, datum, u"RTDatumCopy"), 1u);
  EXPECT_EQ(Number(datum), 42u);
  EXPECT_EQ(Path(datum), u"Root:Changing");
  uint32_t code = 9;
  EXPECT_EQ(core().ValidateInstance(nullptr, datum, &code), kRTSuccess);
  RTInstance first = nullptr;
  EXPECT_EQ(core().GetFirstInstanceByString(nullptr, u"RTDatumCopy", &first, 0, nullptr), kRTSuccess);
  EXPECT_EQ(first, datum) << "listed with its new class";
  Release(first);
  EXPECT_EQ(core().GetFirstInstanceByString(nullptr, u"RTDatum", &first, 0, nullptr), kRTFailure);
  Release(datum);
}

}  // namespace
