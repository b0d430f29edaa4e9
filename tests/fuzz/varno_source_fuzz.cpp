// Varno source: a class's text through the compiler front end (scanner, parser, checker) into a
// fresh type table, then its code generated, as varnoc and the game compile a class.
#include "fuzz_varno.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  tesk::fuzz::CompileAsInput("Input.varno", data, size);
  return 0;
}
