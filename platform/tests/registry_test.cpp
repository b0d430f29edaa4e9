#include "platform/registry.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "host/temp_dir.h"

namespace {

using platform::ReadRegistryValue;
using platform::RegistryResult;

constexpr char16_t kKivo[] = u"HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0\\";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { setenv("TESK_REGISTRY", (dir_.path() / "registry.ini").c_str(), 1); }
  void TearDown() override { unsetenv("TESK_REGISTRY"); }
  void Write(std::string_view contents) { tesk::testing::WriteFile(dir_.path() / "registry.ini", contents); }

  tesk::testing::TempDir dir_;
};

TEST_F(Registry, FindsValuesIgnoringCaseCommentsAndQuotes) {
  Write("; installation roots\n"
        "[hkey_local_machine\\SOFTWARE\\Ostrawen\\Kivo\\1.0]\n"
        "# comment\n"
        "  root = /opt/kivo/  \n"
        "AdditionalPaths=\" /with spaces \"\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk]\n"
        "Root=/opt/tesk/\n");
  std::u16string value;
  EXPECT_EQ(ReadRegistryValue(kKivo, u"Root", 256, value), RegistryResult::kOk);
  EXPECT_EQ(value, u"/opt/kivo/");
  EXPECT_EQ(ReadRegistryValue(kKivo, u"ADDITIONALPATHS", 512, value), RegistryResult::kOk);
  EXPECT_EQ(value, u" /with spaces ");
  EXPECT_EQ(ReadRegistryValue(u"HKEY_LOCAL_MACHINE\\Software\\Brellin Interactive\\Tesk", u"Root", 256, value),
            RegistryResult::kOk);
  EXPECT_EQ(value, u"/opt/tesk/");
}

TEST_F(Registry, ReportsMissingKeysValuesAndValuesTooLongForTheBuffer) {
  Write("[HKEY_LOCAL_MACHINE\\Software\\Ostrawen\\Kivo\\1.0]\nRoot=/" + std::string(126, 'r') + "\n");
  std::u16string value = u"unchanged";
  EXPECT_EQ(ReadRegistryValue(kKivo, u"Root", 256, value), RegistryResult::kOk) << "127 units and a zero fit 256 bytes";
  EXPECT_EQ(ReadRegistryValue(kKivo, u"Root", 254, value), RegistryResult::kTooLong);
  EXPECT_EQ(ReadRegistryValue(kKivo, u"AdditionalPaths", 512, value), RegistryResult::kValueMissing);
  EXPECT_EQ(ReadRegistryValue(u"HKEY_LOCAL_MACHINE\\Software\\Other", u"Root", 512, value),
            RegistryResult::kKeyMissing);
  std::filesystem::remove(dir_.path() / "registry.ini");
  EXPECT_EQ(ReadRegistryValue(kKivo, u"Root", 256, value), RegistryResult::kKeyMissing);
}

TEST_F(Registry, FileFallsBackToTheUserConfigFolder) {
  unsetenv("TESK_REGISTRY");
  setenv("XDG_CONFIG_HOME", "/config", 1);
  EXPECT_EQ(platform::RegistryFilePath(), "/config/tesk/registry.ini");
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
