// Instances and the instance tree through the core table: creation, names, paths, lookups,
// references and destruction.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "instance_test_base.h"
#include "kivo/slots.h"

namespace {

using Instances = tesk::testing::InstanceTest;

TEST_F(Instances, CoreStartCreatesRoot) {
  RTInstance root = nullptr;
  ASSERT_EQ(core().GetRoot(nullptr, &root), kRTSuccess);
  EXPECT_EQ(Name(root), u"Root");
  EXPECT_EQ(Path(root), u"Root");
  EXPECT_EQ(core().IsInstanceOfByName(nullptr, root, u"RTComponent"), 1u);
  RTInstance parent = root;
  EXPECT_EQ(core().GetParent(nullptr, root, &parent), kRTSuccess);
  EXPECT_EQ(parent, nullptr);
  Release(root);
}

// At shutdown the last child of Root goes first; a destroy hook that then takes and gives back a
// reference to it destroys its kept record a second time, which is still freed once.
TEST_F(Instances, AtShutdownARecordDestroyedTwiceIsFreedOnce) {
  RTInstance holder = Create(u"RTDatum");
  RTInstance held = Create(u"RTComponent");
  SetReference(holder, held);
  SetNumber(holder, 0xD1E);
  ASSERT_EQ(host_.Shutdown(), kRTSuccess);
}

TEST_F(Instances, UniqueNamesCountFromOneAndPlainNamesArePlaceholders) {
  RTInstance first = Create(u"RTVarno");
  RTInstance second = Create(u"RTVarno");
  RTInstance plain = Create(u"RTVarno", nullptr, 0);
  RTInstance other = Create(u"RTVarno", nullptr, 0);
  EXPECT_EQ(Path(first), u"Root:Varno1");
  EXPECT_EQ(Path(second), u"Root:Varno2");
  EXPECT_EQ(Name(plain), u"???");
  EXPECT_EQ(Name(other), u"???");
  // Releasing one placeholder leaves the other findable under the shared name.
  Release(other);
  RTInstance found = Lookup(u"Root:???");
  EXPECT_EQ(found, plain);
  Release(found);
  Release(first);
  RTInstance third = Create(u"RTVarno");
  EXPECT_EQ(Name(third), u"Varno1") << "the lowest free number is taken";
  for (RTInstance i : {second, plain, third}) Release(i);
}

// Automatic names keep taking the lowest free number while siblings are renamed to and away
// from automatic names.
TEST_F(Instances, UniqueNamesFollowRenames) {
  std::vector<RTInstance> made;
  auto next = [&] {
    made.push_back(Create(u"RTVarno"));
    return Name(made.back());
  };
  for (const char16_t* expected : {u"Varno1", u"Varno2", u"Varno3"}) EXPECT_EQ(next(), expected);
  ASSERT_EQ(core().SetInstanceName(nullptr, made[1], u"Other"), kRTSuccess);
  EXPECT_EQ(next(), u"Varno2") << "a name given up by a rename is free again";
  ASSERT_EQ(core().SetInstanceName(nullptr, made[0], u"VARNO5"), kRTSuccess);
  for (const char16_t* expected : {u"Varno1", u"Varno4", u"Varno6"}) EXPECT_EQ(next(), expected);
  for (RTInstance i : made) Release(i);
}

TEST_F(Instances, SingletonIsCreatedOnce) {
  RTInstance a = Create(u"RTSingle");
  RTInstance b = Create(u"rtsingle");
  EXPECT_EQ(a, b);
  EXPECT_EQ(Count(a), 2u);
  RTInstance first = nullptr;
  EXPECT_EQ(core().GetFirstInstanceByString(nullptr, u"RTSingle", &first, 0, nullptr), kRTSuccess);
  EXPECT_EQ(first, a);
  for (RTInstance i : {a, b, first}) Release(i);
}

TEST_F(Instances, PathsAndLookups) {
  RTInstance tesk = Create(u"RTVarno");
  ASSERT_EQ(core().SetInstanceName(nullptr, tesk, u"Tesk"), kRTSuccess);
  RTInstance assets = Create(u"RTVarno", tesk);
  ASSERT_EQ(core().SetInstanceName(nullptr, assets, u"Assets"), kRTSuccess);
  EXPECT_EQ(Path(assets), u"Root:Tesk:Assets");

  const struct {
    const char16_t* path;
    RTInstance expected;
  } cases[] = {
      {u"Root:Tesk:Assets", assets},
      {u"Anything:TESK:assets", assets},  // the first segment is not examined; names ignore case
      {u"Root:Tesk", tesk},
      {u"Root", nullptr},
      {u"Root:", nullptr},
      {u"Root::Tesk", nullptr},
      {u"Root:Tesk:", nullptr},
      {u"Root:Missing", nullptr},
      {u"//host:Root:Tesk", nullptr},
      {u"localroot:Tesk", nullptr},
  };
  for (const auto& c : cases) {
    RTInstance found = Lookup(c.path);
    EXPECT_EQ(found, c.expected) << std::string(c.path, c.path + std::char_traits<char16_t>::length(c.path));
    if (found) Release(found);
  }

  RTInstance child = nullptr;
  EXPECT_EQ(core().FindChild(nullptr, tesk, u"ASSETS", &child), kRTSuccess);
  EXPECT_EQ(child, assets);
  Release(child);
  RTBool exists = 0;
  core().ChildNameExists(nullptr, nullptr, u"tesk", &exists);
  EXPECT_EQ(exists, 1u) << "a null parent means Root";

  char16_t exact[17];  // "Root:Tesk:Assets" is 16 units
  EXPECT_EQ(core().GetInstancePath(nullptr, assets, exact, 16), kRTFailure);
  EXPECT_EQ(core().GetInstancePath(nullptr, assets, exact, 17), kRTSuccess);
  Release(assets);
  Release(tesk);
}

TEST_F(Instances, SegmentsAreAtMost255Units) {
  RTInstance instance = Create(u"RTVarno");
  const std::u16string longest(255, u'n');
  ASSERT_EQ(core().SetInstanceName(nullptr, instance, longest.c_str()), kRTSuccess);
  RTInstance found = Lookup((u"Root:" + longest).c_str());
  EXPECT_EQ(found, instance);
  Release(found);
  EXPECT_EQ(Lookup((u"Root:" + longest + u"n").c_str()), nullptr);
  Release(instance);
}

TEST_F(Instances, RemoteLookupWithoutClientReports) {
  RTInstance found = reinterpret_cast<RTInstance>(1);
  EXPECT_EQ(core().GetInstanceByName(nullptr, u"//host:Root:Tesk", &found, 1), kRTFailure);
  EXPECT_EQ(found, nullptr);
  EXPECT_TRUE(Logged("GetInstanceByName: Unable to get the instance space client instance."));
  EXPECT_EQ(core().CreateInstanceByString(nullptr, u"RTVarno", &found, 1, 1), kRTFailure);
  EXPECT_TRUE(Logged("CreateInstanceByString: Unable to get the instance space client instance."));
}

TEST_F(Instances, RenameClashesIgnoreCase) {
  RTInstance a = Create(u"RTVarno");
  RTInstance b = Create(u"RTVarno");
  ASSERT_EQ(core().SetInstanceName(nullptr, a, u"Tesk"), kRTSuccess);
  EXPECT_EQ(core().SetInstanceName(nullptr, b, u"tESK"), kRTFailure);
  EXPECT_TRUE(Logged("Name (tESK) already exists in parent's (Root) namespace!"));
  EXPECT_EQ(Name(b), u"Varno2");
  EXPECT_EQ(core().SetInstanceName(nullptr, a, u"TESK"), kRTSuccess) << "renaming to its own name in other case";
  RTInstance found = Lookup(u"Root:tesk");
  EXPECT_EQ(found, a);
  Release(found);
  Release(a);
  Release(b);
}

TEST_F(Instances, ReleaseCascadesUpTheTree) {
  RTInstance root = nullptr;
  core().GetRoot(nullptr, &root);
  uint32_t rootChildren = 0;
  core().GetChildCount(nullptr, root, &rootChildren);

  RTInstance parent = Create(u"RTVarno");
  RTInstance child = Create(u"RTVarno", parent);
  EXPECT_EQ(Count(parent), 2u) << "the child holds a reference on its parent";
  Release(parent);
  EXPECT_EQ(Count(parent), 1u);
  Release(child);  // destroys the child, whose detach releases and destroys the parent

  uint32_t after = 0;
  core().GetChildCount(nullptr, root, &after);
  EXPECT_EQ(after, rootChildren);
  Release(root);
}

TEST_F(Instances, ForceReleaseOrphansTheChildren) {
  RTInstance parent = Create(u"RTVarno");
  RTInstance child = Create(u"RTVarno", parent);
  ASSERT_EQ(core().SetInstanceName(nullptr, child, u"Kid"), kRTSuccess);
  EXPECT_EQ(core().ForceReleaseInstance(nullptr, parent), kRTSuccess);
  RTInstance up = reinterpret_cast<RTInstance>(1);
  EXPECT_EQ(core().GetParent(nullptr, child, &up), kRTSuccess);
  EXPECT_EQ(up, nullptr);
  EXPECT_EQ(Path(child), u"Kid");
  EXPECT_EQ(core().ForceReleaseInstance(nullptr, nullptr), kRTFailure);
  Release(child);
}

TEST_F(Instances, GetChildAddsNoReferenceForTheCallerItself) {
  RTInstance parent = Create(u"RTVarno");
  RTInstance child = Create(u"RTVarno", parent);
  RTInstance got = nullptr;
  ASSERT_EQ(core().GetChild(child, parent, 0, &got), kRTSuccess);
  EXPECT_EQ(got, child);
  EXPECT_EQ(Count(child), 1u);
  ASSERT_EQ(core().GetChild(nullptr, parent, 0, &got), kRTSuccess);
  EXPECT_EQ(Count(child), 2u);
  EXPECT_EQ(core().GetChild(nullptr, parent, 1, &got), kRTFailure);
  Release(got);
  Release(child);
  Release(parent);
}

TEST_F(Instances, IteratorsWalkLiveInstancesOldestFirst) {
  RTInstance none = nullptr;
  EXPECT_EQ(core().GetFirstInstanceByString(nullptr, u"RTVarno", &none, 0, nullptr), kRTFailure);
  RTInstance made = nullptr;
  EXPECT_EQ(core().GetFirstInstanceByString(nullptr, u"RTVarno", &made, 1, nullptr), kRTSuccess);
  ASSERT_NE(made, nullptr) << "the create flag makes the first instance";
  RTInstance second = Create(u"RTVarno");

  RTInstanceIterator* iterator = nullptr;
  RTInstance first = nullptr;
  RTInstance next = nullptr;
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, u"RTVarno", &first, 0, &iterator), kRTSuccess);
  EXPECT_EQ(first, made);
  EXPECT_EQ(core().GetNextInstance(nullptr, &iterator, &next), kRTSuccess);
  EXPECT_EQ(next, second);
  RTInstance end = reinterpret_cast<RTInstance>(1);
  EXPECT_EQ(core().GetNextInstance(nullptr, &iterator, &end), kRTFailure);
  EXPECT_EQ(end, nullptr);
  for (RTInstance i : {made, second, first, next}) Release(i);
}

TEST_F(Instances, ValidateNoticesAReplacedObject) {
  RTInstance instance = Create(u"RTVarno");
  uint32_t code = 9;
  EXPECT_EQ(core().ValidateInstance(nullptr, instance, &code), kRTSuccess);
  EXPECT_EQ(code, 0u);
  kivo::ObjectWord* object = kivo::ComponentObject(instance);
  kivo::ObjectWord other[4] = {};
  *reinterpret_cast<kivo::ObjectWord**>(instance) = other;
  EXPECT_EQ(core().ValidateInstance(nullptr, instance, &code), kRTFailure);
  EXPECT_EQ(code, 1u);
  EXPECT_EQ(core().RestoreInstanceObject(nullptr, instance), kRTSuccess);
  EXPECT_EQ(kivo::ComponentObject(instance), object);
  EXPECT_EQ(core().ValidateInstance(nullptr, nullptr, &code), kRTFailure);
  EXPECT_EQ(code, 2u);
  Release(instance);
}

TEST_F(Instances, UuidFindsTheInstanceUntilItIsDestroyed) {
  RTInstance instance = Create(u"RTVarno");
  RTUUID uuid{};
  ASSERT_EQ(core().GetInstanceUUID(nullptr, instance, &uuid), kRTSuccess);
  RTInstance found = nullptr;
  ASSERT_EQ(core().GetInstanceByUUID(nullptr, &uuid, &found), kRTSuccess);
  EXPECT_EQ(found, instance);
  Release(found);
  Release(instance);
  EXPECT_EQ(core().GetInstanceByUUID(nullptr, &uuid, &found), kRTFailure);
}

}  // namespace
