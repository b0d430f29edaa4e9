// The scripting component for the Varno fuzz targets: the RTVarno singleton on the process's core,
// with the fuzz classes (tests/fuzz/classes) and the sample's classes on its search path; a type
// table and a VM made per input; runs ended after a few passes, and broken by a watchdog when one
// pass takes too long (a loop that never yields).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "varno/scripting_calls.h"

namespace tesk::fuzz {

namespace vcalls = varno::scripting;

// The component; the first call starts the core with it.
RTInstance Varno();

// A VM on a type table of its own (or on `shared`), made through the component and destroyed with
// the scope, the VM first.
class ScriptWorld {
 public:
  explicit ScriptWorld(vcalls::TypeTable shared = nullptr);
  ~ScriptWorld();
  ScriptWorld(const ScriptWorld&) = delete;
  ScriptWorld& operator=(const ScriptWorld&) = delete;

  vcalls::VM vm() const { return vm_; }
  vcalls::TypeTable table() const { return table_; }

  // Runs the VM for at most `passes` passes; `atFirstPass` runs in the host callback of the first
  // (a context is current then). The run's result.
  uint32_t Run(int passes, std::function<void()> atFirstPass = {});

 private:
  static int32_t CountPass(RTInstance);

  vcalls::VM vm_ = nullptr;
  vcalls::TypeTable table_ = nullptr;
  bool ownTable_ = false;
};

// Runs as an input: the bytes, as the scratch folder's class file of that name (a ".varno" source or
// a ".varnoc" compiled class), go through the component's compile entry into a fresh type table,
// and the table's code is generated, as the game and varnoc take a class.
void CompileAsInput(std::string_view fileName, const uint8_t* data, size_t size);

}  // namespace tesk::fuzz
