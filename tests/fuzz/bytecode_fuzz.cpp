// Bytecode: instructions run through the VM's code-stream entry in the current context of a
// running console object (tests/fuzz/classes/Console.varno), as a host runs code it was handed
// between passes; the VM decodes and checks the code before it runs it. A loop that never ends is
// broken by the watchdog.
#include <string>

#include "fuzz_host.h"
#include "fuzz_varno.h"
#include "host/stream_bytes.h"

namespace {

using namespace tesk::fuzz;

// The console's class, compiled once into a table the inputs share.
vcalls::TypeTable ConsoleTable(uint32_t* console) {
  static uint32_t index = 0;
  static vcalls::TypeTable table = [] {
    vcalls::TypeTable made = nullptr;
    char16_t file[512];
    if (!vcalls::TypeTableFactory(Varno(), &made) || !vcalls::VarnoFindClass(Varno(), u"Console", file, 512) ||
        !vcalls::VarnoParseBrellinAnsiFile(Varno(), file, &index, nullptr, made) ||
        !vcalls::TypeTableGenerateCode(Varno(), made)) {
      Fail("the console class does not compile");
    }
    return made;
  }();
  *console = index;
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  uint32_t console = 0;
  vcalls::TypeTable table = ConsoleTable(&console);
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  RunInput([&] {
    ScriptWorld world(table);
    vcalls::Symbol object = nullptr;
    if (!vcalls::VarnoVMConstructObject(Varno(), world.vm(), console, &object) ||
        !vcalls::VarnoVMSetNewContext(Varno(), world.vm(), object, u"Switchboard", 1)) {
      Fail("the console does not start");
    }
    kivo::InstanceRef code = tesk::testing::MemoryStreamWith(bytes);
    world.Run(0, [&] { vcalls::VarnoVMExecuteStream(Varno(), world.vm(), code.get()); });
  });
  return 0;
}
