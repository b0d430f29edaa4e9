// Varno source: a class's text through the compiler front end (scanner, parser, checker) into a
// fresh type table, then its code generated, as varnoc and the game compile a class.
#include "fuzz_host.h"
#include "fuzz_varno.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tesk::fuzz;
  RTInstance varno = Varno();
  const std::u16string file = ScratchFile("Input.varno", data, size);
  RunInput([&] {
    ScriptWorld world;
    uint32_t index = 0;
    vcalls::TypeTable made = nullptr;
    if (vcalls::VarnoParseBrellinAnsiFile(varno, file.c_str(), &index, &made, world.table())) {
      vcalls::TypeTableGenerateCode(varno, world.table());
    }
  });
  return 0;
}
