// The definition record a library hands out is checked before the library is registered.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fixtures/fixture_classes.h"
#include "registry_host.h"

namespace {

using namespace regtest;

constexpr char kMissingField[] =
    "Debugging Error: A component's required field is not provided, and therefore the component cannot be "
    "used.\n\nComponent: %s\n\nMissing Field: RTComponentDef.%s\n";
constexpr char kBadVersion[] =
    "Debugging Error: A version field of a component is not acceptable by the Core, and therefore the component "
    "cannot be used.\n\nComponent: %s\n\nVersion Field: RTComponentDef.%s\n";

std::string Message(const char* format, const std::string& path, const char* field) {
  std::string text = format;
  text.replace(text.find("%s"), 2, path);
  text.replace(text.find("%s"), 2, field);
  return text;
}

class BrokenField : public ::testing::Test {
 protected:
  void TearDown() override { unsetenv(regfix::kBrokenFieldVariable); }
};

TEST_F(BrokenField, EachNullRequiredFieldAndWrongSizeOrVersionIsRefusedWithItsMessage) {
  const struct {
    const char* broken;
    const char* format;
    const char* field;
  } cases[] = {
      {"className", kMissingField, "fpClassName"},
      {"componentName", kMissingField, "fpComponentName"},
      {"vendorName", kMissingField, "fpVendorName"},
      {"processorArchitecture", kMissingField, "fpProcessorArchitecture"},
      {"platform", kMissingField, "fpPlatform"},
      {"sizeMethod", kBadVersion, "fSizeMethod"},
      {"sizeProperty", kBadVersion, "fSizeProperty"},
      {"sizeEvent", kBadVersion, "fSizeEvent"},
      {"coreVersion", kBadVersion, "fMinCompatibleCoreVersion"},
  };
  for (const auto& c : cases) {
    setenv(regfix::kBrokenFieldVariable, c.broken, 1);
    RegistryHost registry{"RTRegBroken"};
    ASSERT_EQ(registry.Start(), kRTSuccess) << c.broken;
    const std::string log = registry.host().ErrorLog();
    EXPECT_NE(log.find(Message(c.format, registry.ModulePath("RTRegBroken.so"), c.field)), std::string::npos)
        << c.broken << "\n" << log;
    EXPECT_EQ(log.find("Debugging Error"), log.rfind("Debugging Error")) << c.broken << ": one message";
    EXPECT_EQ(registry.Handle(u"RTRegBroken"), kNoComponent) << c.broken;
    EXPECT_FALSE(IsFixtureLoaded("RTRegBroken")) << c.broken;
  }
}

TEST_F(BrokenField, SoundDefinitionsAreRegistered) {
  for (const char* broken : {"", "coreVersion2309"}) {
    setenv(regfix::kBrokenFieldVariable, broken, 1);
    RegistryHost registry{"RTRegBroken"};
    ASSERT_EQ(registry.Start(), kRTSuccess);
    EXPECT_EQ(registry.host().ErrorLog().find("Debugging Error"), std::string::npos) << broken;
    EXPECT_EQ(registry.Handle(u"RTRegBroken"), 2u) << broken;
  }
}

TEST(Identify, UnderscoreLessExportIsAcceptedAndALibraryWithoutEitherIsNot) {
  RegistryHost registry{"RTRegLegacyIdentify", "RTRegNoIdentify"};
  ASSERT_EQ(registry.Start(), kRTSuccess);
  EXPECT_EQ(registry.Handle(u"RTRegLegacy"), 2u);
  EXPECT_EQ(registry.Handle(u"RTRegNoIdentify"), kNoComponent);
  uint32_t count = 0;
  registry.core().GetComponentCount(nullptr, &count);
  EXPECT_EQ(count, 4u);
  EXPECT_NE(registry.Create(u"RTRegLegacy"), nullptr) << "the class loads through the same export";
}

}  // namespace
