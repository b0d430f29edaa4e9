// The sample's class files against the component libraries they name: every method a class file
// declares `implemented "RTClass.Method"` has a record in that class's library, and a record with
// a function takes a script's call (a script entry), so that calling it from the class runs it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "host/core_host.h"
#include "platform/utf.h"

namespace {

namespace fs = std::filesystem;

// The method names that the sample's class files declare implemented by `className`.
std::set<std::string> ImplementedMethods(const std::string& className) {
  std::set<std::string> names;
  const std::string prefix = "implemented \"" + className + ".";
  for (const auto& entry : fs::recursive_directory_iterator(SAMPLE_CLASSES)) {
    if (entry.path().extension() != ".varno") continue;
    std::ifstream file(entry.path());
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    for (size_t at = text.find(prefix); at != std::string::npos; at = text.find(prefix, at + 1)) {
      const size_t name = at + prefix.size();
      names.insert(text.substr(name, text.find('"', name) - name));
    }
  }
  return names;
}

class SampleClasses : public tesk::testing::StagedDefinition, public ::testing::WithParamInterface<const char*> {};

TEST_P(SampleClasses, EveryImplementedMethodTakesAScriptCall) {
  const std::set<std::string> named = ImplementedMethods(GetParam());
  ASSERT_FALSE(named.empty());
  const RTComponentDef* definition = Definition(GetParam());
  ASSERT_NE(definition, nullptr);
  std::set<std::string> found;
  for (const RTMethodRecord* record = definition->methods; record->name; ++record) {
    const std::string name = platform::ToUtf8(record->name);
    if (!named.count(name)) continue;
    found.insert(name);
    if (record->function) {
      EXPECT_NE(record->scriptEntry, nullptr) << name << " is not a script method";
    }
  }
  EXPECT_EQ(found, named) << "a named method without a record";
}

INSTANTIATE_TEST_SUITE_P(Libraries, SampleClasses, ::testing::Values("RTTeskActor", "RTTeskGame"));

}  // namespace
