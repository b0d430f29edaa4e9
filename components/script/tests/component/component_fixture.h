// A started core with the scripting component and the native test component installed, the core
// clock under the test's control, and a VM with a type table made through the component's slot
// table. Classes are written to a folder on the search path; what scripts print (debug output) and
// every message raised are captured. A host callback runs a function of the test once per pass.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/core_host.h"
#include "host/temp_dir.h"
#include "varno/scripting_calls.h"

namespace varno::testing {

namespace calls = varno::scripting;

std::string Utf8(std::u16string_view text);
std::u16string Wide(std::string_view text);

// The root of the test classes: a name and a constructor.
inline constexpr std::string_view kThingSource =
    "Thing is nothing;\n"
    "attributes { name is string; }\n"
    "method Constructor() { }\n";

class ComponentTest : public tesk::testing::StartedCore {
 protected:
  void InstallComponents(tesk::testing::CoreHost& host) override;
  void SetUp() override;
  void TearDown() override;

  RTInstance varno() const { return varno_; }
  calls::VM vm() const { return vm_; }
  calls::TypeTable table() const { return table_; }
  // Another VM on the same table, destroyed at the end.
  calls::VM NewVM();

  // Writes classes/<name>.varno.
  void WriteClass(std::string_view name, std::string_view source);
  // Compiles the class (written before) into the table and generates code; its type index, or -1.
  int Compile(std::string_view name);
  // Writes and compiles.
  int Compile(std::string_view name, std::string_view source);
  // A constructed object of the class (compiled before).
  calls::Symbol Construct(std::string_view name);
  // A constructed object with a context at "Switchboard".
  calls::Symbol Start(std::string_view name, calls::VM on = nullptr);

  // The host callback: `pass` is called with the pass number (from 1) and its result is returned
  // to the VM. Without one, the callback returns 1 (up to a limit that fails the test).
  // Counting starts again from 1.
  void OnPass(std::function<int32_t(int)> pass) {
    onPass_ = std::move(pass);
    passes_ = 0;
  }
  int passes() const { return passes_; }
  uint32_t Run(calls::VM on = nullptr);

  // Lines printed (debug output) since the last call.
  std::vector<std::string> TakeOutput();
  std::vector<std::string> Messages() const { return messages_; }
  std::vector<std::string> MessagesWith(std::string_view part) const;
  // Messages raised since the last call.
  std::vector<std::string> TakeMessages();

  uint32_t SymbolCount();
  uint32_t ContextCount(calls::VM on = nullptr);
  // The core clock.
  void Advance(uint32_t milliseconds);
  uint32_t CoreTime();
  // A string attribute of a script object (".!p@@p!." when never assigned), "<none>" when missing.
  std::string Text(calls::Symbol object, std::u16string_view attribute);
  int32_t Number(calls::Symbol object, std::u16string_view attribute);

  const std::filesystem::path& dir() const { return dir_.path(); }

 private:
  static RTSuccess CaptureDebugPrint(RTInstance context, const char16_t* text);
  static RTSuccess CaptureRaiseError(RTInstance context, const char16_t* text, uint32_t level);
  static int32_t HostCallback(RTInstance host);

  tesk::testing::TempDir dir_;
  RTInstance varno_ = nullptr;
  calls::VM vm_ = nullptr;
  std::vector<calls::VM> extraVms_;
  calls::TypeTable table_ = nullptr;
  std::function<int32_t(int)> onPass_;
  int passes_ = 0;
  std::vector<std::string> output_;
  size_t taken_ = 0;
  std::vector<std::string> messages_;
  size_t messagesTaken_ = 0;
  RTSuccess (*debugPrint_)(RTInstance, const char16_t*) = nullptr;
  RTSuccess (*raiseError_)(RTInstance, const char16_t*, uint32_t) = nullptr;
};

}  // namespace varno::testing
