#include "tests/component/component_fixture.h"

#include "kivo/support/module_core.h"
#include "platform/clock.h"
#include "platform/utf.h"
#include "vm/symbol.h"

namespace varno::testing {

namespace {

ComponentTest* gCurrent = nullptr;

// The core clock starts here (far from 0, so that nothing depends on the real clock).
constexpr uint64_t kClockStart = 1'000'000 * platform::kTicksPerSecond;
constexpr uint64_t kTicksPerMs = platform::kTicksPerSecond / 1000;
constexpr int kMaxPasses = 5000;

std::string Line(const char16_t* text) {
  std::string line = text ? platform::ToUtf8(text) : std::string();
  while (!line.empty() && line.back() == '\n') line.pop_back();
  return line;
}

}  // namespace

std::string Utf8(std::u16string_view text) { return platform::ToUtf8(std::u16string(text).c_str()); }
std::u16string Wide(std::string_view text) { return platform::FromUtf8(std::string(text)); }

void ComponentTest::InstallComponents(tesk::testing::CoreHost& host) {
  host.InstallComponent(tesk::testing::CoreHost::StagedComponent("RTVarno"));
  host.InstallComponent(VARNO_TEST_NATIVE);
}

RTSuccess ComponentTest::CaptureDebugPrint(RTInstance context, const char16_t* text) {
  if (gCurrent) gCurrent->output_.push_back(Line(text));
  return gCurrent ? gCurrent->debugPrint_(context, text) : kRTSuccess;
}

RTSuccess ComponentTest::CaptureRaiseError(RTInstance context, const char16_t* text, uint32_t level) {
  if (gCurrent) gCurrent->messages_.push_back(Line(text));
  return gCurrent ? gCurrent->raiseError_(context, text, level) : kRTSuccess;
}

int32_t ComponentTest::HostCallback(RTInstance) {
  if (!gCurrent) return 0;
  // A script that never ends its run fails the test instead of running on.
  if (++gCurrent->passes_ > kMaxPasses) {
    ADD_FAILURE() << "the run did not end within " << kMaxPasses << " passes";
    return 0;
  }
  return gCurrent->onPass_ ? gCurrent->onPass_(gCurrent->passes_) : 1;
}

void ComponentTest::SetUp() {
  platform::SetManualClock(kClockStart);
  StartedCore::SetUp();
  gCurrent = this;
  debugPrint_ = core().DebugPrint;
  raiseError_ = core().RaiseError;
  core().DebugPrint = CaptureDebugPrint;
  core().RaiseError = CaptureRaiseError;
  ASSERT_TRUE(core().GetFirstInstanceByString(nullptr, calls::kClassName, &varno_, 1, nullptr));
  WriteClass("Thing", kThingSource);
  const std::u16string folder = Wide((dir() / "classes/").string());
  ASSERT_TRUE(calls::AddSearchPath(varno_, folder.c_str()));
  ASSERT_TRUE(calls::TypeTableFactory(varno_, &table_));
  ASSERT_TRUE(calls::VarnoVMFactory(varno_, &vm_));
  ASSERT_TRUE(calls::VarnoVMSetTypeTable(varno_, vm_, table_));
  ASSERT_TRUE(calls::VarnoVMSetHostCallback(varno_, vm_, HostCallback, nullptr));
}

void ComponentTest::TearDown() {
  if (varno_) {
    for (calls::VM other : extraVms_) calls::VarnoVMDestructor(varno_, other);
    if (vm_) calls::VarnoVMDestructor(varno_, vm_);
    if (table_) calls::TypeTableDestructor(varno_, table_);
    // The last instance: the component gives back what it holds.
    core().ReleaseInstance(nullptr, varno_);
  }
  core().DebugPrint = debugPrint_;
  core().RaiseError = raiseError_;
  gCurrent = nullptr;
  StartedCore::TearDown();
  platform::UseRealClock();
}

calls::VM ComponentTest::NewVM() {
  calls::VM other = nullptr;
  EXPECT_TRUE(calls::VarnoVMFactory(varno_, &other));
  calls::VarnoVMSetTypeTable(varno_, other, table_);
  calls::VarnoVMSetHostCallback(varno_, other, HostCallback, nullptr);
  extraVms_.push_back(other);
  return other;
}

void ComponentTest::WriteClass(std::string_view name, std::string_view source) {
  tesk::testing::WriteFile(dir() / "classes" / (std::string(name) + ".varno"), source);
}

int ComponentTest::Compile(std::string_view name) {
  const std::u16string file = Wide((dir() / "classes" / (std::string(name) + ".varno")).string());
  uint32_t index = 0;
  calls::TypeTable out = nullptr;
  const size_t reported = messages_.size();
  if (!calls::VarnoParseBrellinAnsiFile(varno_, file.c_str(), &index, &out, table_) ||
      !calls::TypeTableGenerateCode(varno_, table_)) {
    std::string reports;
    for (size_t i = reported; i < messages_.size(); ++i) reports += "\n  " + messages_[i];
    ADD_FAILURE() << name << " does not compile:" << reports;
    return -1;
  }
  return static_cast<int>(index);
}

int ComponentTest::Compile(std::string_view name, std::string_view source) {
  WriteClass(name, source);
  return Compile(name);
}

calls::Symbol ComponentTest::Construct(std::string_view name) {
  uint32_t index = 0;
  const std::u16string wide = Wide(name);
  calls::Symbol object = nullptr;
  if (!calls::TypeTableRetrieveTypeIdxByName(varno_, table_, wide.c_str(), &index) ||
      !calls::VarnoVMConstructObject(varno_, vm_, index, &object)) {
    return nullptr;
  }
  return object;
}

calls::Symbol ComponentTest::Start(std::string_view name, calls::VM on) {
  calls::Symbol object = Construct(name);
  if (!object || !calls::VarnoVMSetNewContext(varno_, on ? on : vm_, object, u"Switchboard", 1)) return nullptr;
  return object;
}

uint32_t ComponentTest::Run(calls::VM on) { return calls::VarnoVMRun(varno_, on ? on : vm_); }

std::vector<std::string> ComponentTest::TakeOutput() {
  std::vector<std::string> lines(output_.begin() + static_cast<std::ptrdiff_t>(taken_), output_.end());
  taken_ = output_.size();
  return lines;
}

std::vector<std::string> ComponentTest::MessagesWith(std::string_view part) const {
  std::vector<std::string> found;
  for (const std::string& message : messages_) {
    if (message.find(part) != std::string::npos) found.push_back(message);
  }
  return found;
}

std::vector<std::string> ComponentTest::TakeMessages() {
  std::vector<std::string> lines(messages_.begin() + static_cast<std::ptrdiff_t>(messagesTaken_), messages_.end());
  messagesTaken_ = messages_.size();
  return lines;
}

uint32_t ComponentTest::SymbolCount() {
  uint32_t count = 0;
  EXPECT_TRUE(calls::VMCollectorGetSymbolCount(varno_, vm_, &count));
  return count;
}

uint32_t ComponentTest::ContextCount(calls::VM on) {
  uint32_t count = 0;
  EXPECT_TRUE(calls::VMGetContextCount(varno_, on ? on : vm_, &count));
  return count;
}

void ComponentTest::Advance(uint32_t milliseconds) { platform::AdvanceClock(milliseconds * kTicksPerMs); }

uint32_t ComponentTest::CoreTime() {
  uint32_t now = 0;
  core().GetTime(nullptr, &now);
  return now;
}

std::string ComponentTest::Text(calls::Symbol object, std::u16string_view attribute) {
  calls::Symbol value = nullptr;
  const std::u16string name(attribute);
  if (!calls::SymbolRetrieveAttributeByName(varno_, vm_, object, name.c_str(), &value) || !value ||
      value->typeIndex != kTypeString) {
    return "<none>";
  }
  return value->value.value.text ? Utf8(value->value.value.text) : "<missing>";
}

int32_t ComponentTest::Number(calls::Symbol object, std::u16string_view attribute) {
  calls::Symbol value = nullptr;
  const std::u16string name(attribute);
  if (!calls::SymbolRetrieveAttributeByName(varno_, vm_, object, name.c_str(), &value) || !value) return -99999;
  return value->value.value.number;
}

}  // namespace varno::testing
