// The scan of the component folders, kivoreg.db as it is written after a scan and read at the
// next start, and the copy of the registered libraries.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "db_bytes.h"
#include "registry_host.h"

namespace {

namespace fs = std::filesystem;
using namespace regtest;
using tesk::testing::ReadFile;
using tesk::testing::WriteFile;

std::u16string ComponentName(CoreTable& core, uint32_t index) {
  char16_t buffer[64] = u"stale";
  return core.GetComponentName(nullptr, index, buffer, 64) ? std::u16string(buffer) : u"(none)";
}

// A component folder with every kind of entry the scan meets, and an AdditionalPaths folder.
class Scan : public ::testing::Test {
 protected:
  Scan() {
    WriteFile(registry_.components() / "Junk.so", "not a library");
    fs::create_directories(registry_.components() / "sub");
    fs::create_symlink(FixtureLibrary("RTRegGrandchild"), registry_.components() / "sub/RTRegGrandchild.so");
    fs::create_directories(extra());
    fs::create_symlink(FixtureLibrary("RTRegHollow"), extra() / "RTRegHollow.so");
    fs::create_symlink(FixtureLibrary("RTRegHollowChild"), extra() / "RTRegHollowChild.so");
    // A linked folder is not followed: its libraries are found only through AdditionalPaths.
    fs::create_directory_symlink(extra(), registry_.components() / "linked");
    registry_.host().WriteRegistry("[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=" +
                                   registry_.host().root().string() + "\nAdditionalPaths=" + extra().string() +
                                   "/\n");
  }

  fs::path extra() const { return registry_.host().root().parent_path().parent_path() / "extra"; }
  fs::path db() const { return registry_.host().root() / "kivoreg.db"; }

  // Listed case-insensitively, subfolders depth first where they sort, then AdditionalPaths.
  std::vector<DbEntry> Expected() const {
    return {
        {u"RTComponent", registry_.ModulePath("RTComponent.so")},
        {u"RTMemoryStream", registry_.ModulePath("RTMemoryStream.so")},
        {u"RTRegChild", registry_.ModulePath("RTRegChild.so")},
        {u"RTRegLegacy", registry_.ModulePath("RTRegLegacyIdentify.so")},
        {u"RTRegParent", registry_.ModulePath("RTRegParent.so")},
        {u"RTRegSibling", registry_.ModulePath("RTRegSibling.so")},
        {u"RTStream", registry_.ModulePath("RTStream.so")},
        {u"RTRegGrandchild", registry_.ModulePath("sub/RTRegGrandchild.so")},
        {u"RTRegHollow", (extra() / "RTRegHollow.so").string()},
        {u"RTRegHollowChild", (extra() / "RTRegHollowChild.so").string()},
    };
  }

  RegistryHost registry_{"RTRegSibling",    "RTRegParentCopy", "RTRegParent",
                         "RTRegNoIdentify", "RTRegChild",      "RTRegLegacyIdentify"};
};

TEST_F(Scan, RegistersEachFoundClassAndWritesKivoregDb) {
  ASSERT_EQ(registry_.Start(), kRTSuccess);
  EXPECT_NE(registry_.host().ErrorLog().find("Cannot open kivo component registry for reading!"),
            std::string::npos);

  const std::string bytes = ReadFile(db());
  EXPECT_EQ(bytes, DbBytes(Expected()));
  // The format itself, for the first entry: count 10, then 11 units of "RTComponent" and a zero.
  EXPECT_EQ(bytes.substr(0, 32), std::string("\x0A\0\0\0\x0B\0\0\0R\0T\0C\0o\0m\0p\0o\0n\0e\0n\0t\0\0\0", 32));

  uint32_t count = 0;
  ASSERT_EQ(registry_.core().GetComponentCount(nullptr, &count), kRTSuccess);
  ASSERT_EQ(count, Expected().size());
  for (uint32_t i = 0; i < count; ++i) EXPECT_EQ(ComponentName(registry_.core(), i), Expected()[i].className);

  // The second library declaring RTRegParent is not registered but consumed serial 5.
  const struct {
    const char16_t* className;
    RTComponentHandle handle;
  } handles[] = {{u"RTComponent", 0}, {u"RTRegChild", 2},  {u"RTRegLegacy", 3},      {u"RTRegParent", 4},
                 {u"RTRegSibling", 6}, {u"RTStream", 7},   {u"RTRegGrandchild", 8}, {u"RTRegHollowChild", 10}};
  for (const auto& h : handles) EXPECT_EQ(registry_.Handle(h.className), h.handle) << Utf8(h.className);
  EXPECT_EQ(registry_.Handle(u"RTRegNoIdentify"), kNoComponent);

  // The scan reports every library it tries, also those it does not register.
  const std::string log = registry_.host().ErrorLog();
  for (const char* file : {"Junk.so", "RTRegNoIdentify.so", "RTRegParentCopy.so", "RTRegChild.so"})
    EXPECT_NE(log.find(registry_.ModulePath(file) + "\n"), std::string::npos) << file;
  EXPECT_EQ(log.find("linked"), std::string::npos);
}

TEST_F(Scan, SecondStartReadsKivoregDbWithoutScanning) {
  ASSERT_EQ(registry_.Start(), kRTSuccess);
  EXPECT_EQ(registry_.Stop(), 0);
  const std::string written = ReadFile(db());
  registry_.host().InstallComponent(FixtureLibrary("RTRegSignatures"));

  ASSERT_EQ(registry_.Start(), kRTSuccess);
  EXPECT_EQ(registry_.host().ErrorLog().find(".so\n"), std::string::npos) << "no library was tried";
  EXPECT_EQ(ReadFile(db()), written);
  // Read entries take consecutive serials; a library added since is not found.
  EXPECT_EQ(registry_.Handle(u"RTRegSibling"), 5u);
  EXPECT_EQ(registry_.Handle(u"RTRegHollowChild"), 9u);
  EXPECT_EQ(registry_.Handle(u"RTRegSignatures"), kNoComponent);
  // Libraries are loaded on first use of their class.
  EXPECT_FALSE(IsFixtureLoaded("RTRegGrandchild"));
  RTInstance grandchild = registry_.Create(u"RTRegGrandchild");
  ASSERT_NE(grandchild, nullptr);
  EXPECT_TRUE(IsFixtureLoaded("RTRegGrandchild"));
  EXPECT_TRUE(IsFixtureLoaded("RTRegParent"));
}

TEST(Copy, CopiesEachLibraryAndTheResourceFoundAtRegistration) {
  RegistryHost registry{"RTRegParent", "RTRegChild"};
  WriteFile(registry.components() / "RTRegParent.resource", "parent resources");
  ASSERT_EQ(registry.Start(), kRTSuccess);
  // Written after registration: RTRegChild has no resource path.
  WriteFile(registry.components() / "RTRegChild.resource", "too late");

  const fs::path out = registry.host().root().parent_path().parent_path() / "out";
  const std::set<std::string> expected = {"RTComponent.so", "RTMemoryStream.so", "RTStream.so",
                                          "RTRegChild.so",  "RTRegParent.so",    "RTRegParent.resource"};
  for (const std::string folder : {"plain", "slashed/"}) {
    fs::create_directories(out / folder);
    const std::u16string destination = platform::FromUtf8((out / folder).string());
    ASSERT_EQ(registry.core().CopyComponent(nullptr, destination.c_str()), kRTSuccess) << folder;
    std::set<std::string> copied;
    for (const auto& item : fs::directory_iterator(out / folder)) copied.insert(item.path().filename().string());
    EXPECT_EQ(copied, expected) << folder;
    EXPECT_EQ(ReadFile(out / folder / "RTRegParent.resource"), "parent resources");
    EXPECT_EQ(fs::file_size(out / folder / "RTRegChild.so"), fs::file_size(FixtureLibrary("RTRegChild")));
  }

  registry.Mark();
  const std::u16string missing = platform::FromUtf8((out / "missing").string());
  EXPECT_EQ(registry.core().CopyComponent(nullptr, missing.c_str()), kRTFailure);
  EXPECT_EQ(registry.core().CopyComponent(nullptr, nullptr), kRTFailure);
  EXPECT_NE(registry.NewLog().find("Cannot open destination directory"), std::string::npos);
}

}  // namespace
