// Class files: a compiled Varno class (".varnoc") read into a fresh type table through the
// component's compile entry, as the compiler takes a class file in place of its source; its code
// is then generated as for every class read.
#include "fuzz_host.h"
#include "fuzz_varno.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tesk::fuzz;
  RTInstance varno = Varno();
  const std::u16string file = ScratchFile("Input.varnoc", data, size);
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
