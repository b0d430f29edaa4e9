// Start-up from a kivoreg.db written by hand: what it registers, and the scan that replaces a
// damaged file.
#include <gtest/gtest.h>

#include "db_bytes.h"
#include "registry_host.h"

namespace {

using namespace regtest;
using tesk::testing::ReadFile;
using tesk::testing::WriteFile;

std::string Db(RegistryHost& registry) { return ReadFile(registry.host().root() / "kivoreg.db"); }
void WriteDb(RegistryHost& registry, std::string_view bytes) {
  WriteFile(registry.host().root() / "kivoreg.db", bytes);
}

TEST(RegistryDb, CountZeroRegistersNothingAndDoesNotScan) {
  RegistryHost registry{"RTRegParent"};
  WriteDb(registry, std::string(4, '\0'));
  ASSERT_EQ(registry.Start(), kRTSuccess);
  uint32_t count = 99;
  EXPECT_EQ(registry.core().GetComponentCount(nullptr, &count), kRTSuccess);
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(registry.host().ErrorLog().find("RTRegParent.so"), std::string::npos) << "nothing was scanned";
  EXPECT_EQ(Db(registry), std::string(4, '\0'));
}

TEST(RegistryDb, EntriesAreRegisteredInFileOrderAndADuplicateConsumesASerial) {
  RegistryHost registry{"RTRegParent", "RTRegChild"};
  WriteDb(registry, DbBytes({{u"RTComponent", registry.ModulePath("RTComponent.so")},
                             {u"RTRegChild", registry.ModulePath("RTRegChild.so")},
                             {u"RTREGCHILD", registry.ModulePath("RTRegParent.so")},
                             {u"RTRegParent", registry.ModulePath("RTRegParent.so")}}));
  ASSERT_EQ(registry.Start(), kRTSuccess);
  EXPECT_EQ(registry.Handle(u"RTRegChild"), 1u);
  EXPECT_EQ(registry.Handle(u"RTRegParent"), 3u);
  uint32_t count = 0;
  registry.core().GetComponentCount(nullptr, &count);
  EXPECT_EQ(count, 3u);
  ASSERT_NE(registry.Create(u"RTRegChild"), nullptr);
}

// A class whose library is gone, or that names no library, stays registered; creating it fails.
TEST(RegistryDb, ClassWithoutItsLibraryFailsToLoad) {
  RegistryHost registry;
  const std::string gone = registry.ModulePath("RTRegGone.so");
  WriteDb(registry, DbBytes({{u"RTComponent", registry.ModulePath("RTComponent.so")},
                             {u"RTRegGone", gone},
                             {u"RTRegNoPath", ""}}));
  ASSERT_EQ(registry.Start(), kRTSuccess);
  EXPECT_EQ(registry.Handle(u"RTRegGone"), 1u);
  EXPECT_EQ(registry.Handle(u"RTRegNoPath"), 2u);

  EXPECT_EQ(registry.Create(u"RTRegGone"), nullptr);
  const std::u16string text = u"Cannot load component: " + platform::FromUtf8(gone);
  ASSERT_EQ(registry.host().messages().size(), 1u);
  EXPECT_EQ(registry.host().messages()[0].title, text);
  EXPECT_EQ(registry.host().messages()[0].text, text);
  EXPECT_NE(registry.NewLog().find(Utf8(text) + "\n"), std::string::npos);

  EXPECT_EQ(registry.Create(u"RTRegNoPath"), nullptr);
  EXPECT_NE(registry.NewLog().find("Cannot load component: RTRegNoPath\n"), std::string::npos);
}

// A flipped byte inside a library path: the first use of the class scans the folders once, finds
// the library and writes the file anew: the classes in the order registered, the ones the scan
// added last, and none that no folder holds. A second stale class then fails as before: the
// rescan is made once per start.
TEST(RegistryDb, AStaleLibraryPathHealsByOneRescan) {
  RegistryHost registry{"RTRegParent"};
  const std::string healed = DbBytes({{u"RTComponent", registry.ModulePath("RTComponent.so")},
                                      {u"RTRegParent", registry.ModulePath("RTRegParent.so")},
                                      {u"RTStream", registry.ModulePath("RTStream.so")},
                                      {u"RTMemoryStream", registry.ModulePath("RTMemoryStream.so")}});
  std::string stale = DbBytes({{u"RTComponent", registry.ModulePath("RTComponent.so")},
                               {u"RTRegParent", registry.ModulePath("RTRegParent.so")},
                               {u"RTRegGone", registry.ModulePath("RTRegGone.so")},
                               {u"RTStream", registry.ModulePath("RTStream.so")}});
  const size_t at = stale.find(std::string("P\0a\0r\0e\0n\0t\0.\0s\0o\0", 18));
  ASSERT_NE(at, std::string::npos);
  stale[at] ^= 0x01;  // "RTRegQarent.so": no such file
  WriteDb(registry, stale);
  ASSERT_EQ(registry.Start(), kRTSuccess);
  const RTComponentHandle parent = registry.Handle(u"RTRegParent");
  registry.Mark();
  ASSERT_NE(registry.Create(u"RTRegParent"), nullptr);
  EXPECT_EQ(registry.Handle(u"RTRegParent"), parent) << "the class keeps its handle";
  EXPECT_TRUE(registry.host().messages().empty());
  EXPECT_NE(registry.NewLog().find("The kivo component registry names a library that does not load (" +
                                   registry.ModulePath("RTRegQarent.so") +
                                   " for RTRegParent): the component folders are scanned again"),
            std::string::npos);
  EXPECT_EQ(Db(registry), healed);
  EXPECT_NE(registry.Handle(u"RTMemoryStream"), kNoComponent) << "a class the scan found is registered";

  EXPECT_EQ(registry.Create(u"RTRegGone"), nullptr);
  ASSERT_EQ(registry.host().messages().size(), 1u);
  EXPECT_EQ(registry.host().messages()[0].text,
            u"Cannot load component: " + platform::FromUtf8(registry.ModulePath("RTRegGone.so")));
  EXPECT_EQ(Db(registry), healed);
  EXPECT_EQ(registry.Stop(), 0);

  RegistryHost next{"RTRegParent"};
  WriteDb(next, Db(registry));
  ASSERT_EQ(next.Start(), kRTSuccess);
  EXPECT_NE(next.Create(u"RTRegParent"), nullptr);
  EXPECT_EQ(next.host().ErrorLog().find("scanned again"), std::string::npos);
}

TEST(RegistryDb, DamagedFileFallsBackToAScanAndIsWrittenAnew) {
  const std::string one = std::string("\x01\0\0\0", 4);
  const std::string ghost = DbBytes({{u"RTRegGhost", "/nowhere/RTRegGhost.so"}});
  const struct {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"empty file", ""},
      {"count cut short", std::string("\x01\0\0", 3)},
      {"no entry after the count", one},
      {"class name longer than the file", one + std::string("\x64\0\0\0A\0B\0\0\0", 10)},
      {"class name length 0xFFFFFFFF", one + std::string("\xFF\xFF\xFF\xFF" "A\0\0\0", 8)},
      {"class name without its zero unit", one + std::string("\x01\0\0\0A\0", 6)},
      {"module path missing", one + std::string("\x01\0\0\0A\0\0\0", 8)},
      {"module path cut short", ghost.substr(0, ghost.size() - 3)},
      {"second entry cut short", std::string("\x02", 1) + ghost.substr(1) + ghost.substr(4, 12)},
  };
  for (const auto& c : cases) {
    RegistryHost registry{"RTRegParent"};
    WriteDb(registry, c.bytes);
    ASSERT_EQ(registry.Start(), kRTSuccess) << c.what;
    EXPECT_NE(registry.host().ErrorLog().find("The kivo component registry is damaged: "), std::string::npos)
        << c.what;
    EXPECT_EQ(registry.Handle(u"RTRegGhost"), kNoComponent) << c.what << ": a damaged file registers nothing";
    EXPECT_EQ(registry.Handle(u"RTRegParent"), 2u) << c.what;
    EXPECT_EQ(Db(registry), DbBytes({{u"RTComponent", registry.ModulePath("RTComponent.so")},
                                     {u"RTMemoryStream", registry.ModulePath("RTMemoryStream.so")},
                                     {u"RTRegParent", registry.ModulePath("RTRegParent.so")},
                                     {u"RTStream", registry.ModulePath("RTStream.so")}}))
        << c.what;
    EXPECT_EQ(registry.Stop(), 0) << c.what;
  }
}

}  // namespace
