// Class files: a compiled Varno class (".varnoc") read into a fresh type table through the
// component's compile entry, as the compiler takes a class file in place of its source; its code
// is then generated as for every class read.
#include "fuzz_varno.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::CompileAsInput("Input.varnoc", data, size);
  return 0;
}
