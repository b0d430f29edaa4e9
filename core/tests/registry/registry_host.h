// A core host for the registry tests: a framework root holding the framework components and the
// chosen fixture libraries, instances created by class name and released before shutdown, and
// the error log read from a mark on.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "host/core_host.h"

namespace regtest {

// The staged framework components every registry test root holds: RTComponent for Root, and the
// two stream classes.
inline constexpr std::string_view kRegistryFramework[] = {"RTComponent", "RTStream", "RTMemoryStream"};

// The fixture classes of fixture_classes.h and the class of signature_cases.h.
inline const std::initializer_list<std::string_view> kClassFixtures = {
    "RTRegParent", "RTRegChild",       "RTRegGrandchild", "RTRegSibling",
    "RTRegHollow", "RTRegHollowChild", "RTRegSignatures",
};

std::filesystem::path FixtureLibrary(std::string_view name);
// Whether the process has the fixture library loaded (without loading it).
bool IsFixtureLoaded(std::string_view name);

std::string Utf8(std::u16string_view text);

class RegistryHost {
 public:
  explicit RegistryHost(std::initializer_list<std::string_view> fixtures = {});
  ~RegistryHost();

  tesk::testing::CoreHost& host() { return host_; }
  const tesk::testing::CoreHost& host() const { return host_; }
  CoreTable& core() { return host_.table(); }
  std::filesystem::path components() const { return host_.root() / "components"; }
  // The module path the scan gives a library of the component folder.
  std::string ModulePath(std::string_view file) const { return (components() / file).string(); }

  RTSuccess Start();
  // Releases the instances made by Create, shuts the core down and gives the number of core
  // memory blocks it reported as remaining (-1 when it reported none).
  long Stop();

  // A new instance, or null; released by Stop.
  RTInstance Create(std::u16string_view className);
  void Release(RTInstance instance);
  RTComponentHandle Handle(std::u16string_view className);

  // The error log from the last Mark on.
  void Mark() { mark_ = host_.ErrorLog().size(); }
  std::string NewLog() const { return host_.ErrorLog().substr(mark_); }

 private:
  tesk::testing::CoreHost host_;
  std::vector<RTInstance> instances_;
  size_t mark_ = 0;
  bool started_ = false;
};

// A test over a started core with the class fixtures; on teardown every instance is released
// and the shutdown must leave no core memory block behind.
class ClassTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  RegistryHost registry_{kClassFixtures};
};

}  // namespace regtest
