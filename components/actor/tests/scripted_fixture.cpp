#include "scripted_fixture.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "platform/utf.h"

namespace actortest {

namespace script = varno::scripting;

namespace {

constexpr char kThing[] = "Thing is nothing;\nattributes { name is string; }\nmethod Constructor() { }\n";

}  // namespace

void ScriptedTest::TearDown() {
  if (varno_.get()) {
    script::VarnoVMDestructor(varno_.get(), vm_);
    script::TypeTableDestructor(varno_.get(), table_);
  }
  varno_.Reset();
  WrapperTest::TearDown();
}

void ScriptedTest::Run(const char* className, const char* source, const std::vector<std::string>& folders) {
  tesk::testing::WriteFile(classes_.path() / "Thing.varno", kThing);
  const std::filesystem::path file = classes_.path() / (std::string(className) + ".varno");
  tesk::testing::WriteFile(file, source);
  const std::u16string path = platform::FromUtf8(file.string());
  ASSERT_EQ(core().GetFirstInstanceByString(nullptr, script::kClassName, varno_.out(), 1, nullptr), kRTSuccess);
  RTInstance v = varno_.get();
  std::vector<std::string> searched = folders;
  searched.push_back(classes_.path().string());
  for (const std::string& folder : searched) {
    const std::u16string wide = platform::FromUtf8(folder + "/");
    ASSERT_TRUE(script::AddSearchPath(v, wide.c_str()));
  }
  uint32_t type = 0;
  script::TypeTable parsed = nullptr;
  script::Symbol object = nullptr;
  ASSERT_TRUE(script::TypeTableFactory(v, &table_) && script::VarnoVMFactory(v, &vm_) &&
              script::VarnoParseBrellinAnsiFile(v, path.c_str(), &type, &parsed, table_) &&
              script::TypeTableGenerateCode(v, table_) && script::VarnoVMSetTypeTable(v, vm_, table_) &&
              script::VarnoVMConstructObject(v, vm_, type, &object) &&
              script::VarnoVMSetNewContext(v, vm_, object, u"Switchboard", 1))
      << host_.DebugLog();
  script::VarnoVMRun(v, vm_);
}

bool ScriptedTest::Printed(const std::string& line) const {
  return host_.DebugLog().find("\n" + line + "\n") != std::string::npos;
}

PrintedPoint PointIn(const std::string& line) {
  PrintedPoint p{NAN, NAN, NAN};
  const size_t at = line.find('<');
  if (at != std::string::npos) std::sscanf(line.c_str() + at, "<%f, %f, %f>", &p.x, &p.y, &p.z);
  return p;
}

std::vector<std::string> SampleClassFolders() { return {SAMPLE_CLASSES, std::string(SAMPLE_CLASSES) + "/tesk"}; }

std::vector<std::string> ScriptedTest::PrintedLines(const std::string& prefix) const {
  std::vector<std::string> lines;
  std::istringstream log(host_.DebugLog());
  for (std::string line; std::getline(log, line);)
    if (line.rfind(prefix, 0) == 0) lines.push_back(line);
  return lines;
}

}  // namespace actortest
