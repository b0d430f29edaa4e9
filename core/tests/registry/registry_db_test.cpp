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
