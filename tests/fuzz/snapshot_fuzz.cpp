// VM snapshots: a saved VM read into a fresh one (its classes compiled from the fuzz classes as
// the snapshot names them), as varno-run --load reads one; a snapshot that reads is then run for
// a few passes, as the loading program goes on with it.
#include "fuzz_host.h"
#include "fuzz_varno.h"
#include "host/stream_bytes.h"

namespace {

constexpr int kPassesAfterLoad = 3;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tesk::fuzz;
  RTInstance varno = Varno();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  RunInput([&] {
    ScriptWorld world;
    kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
    const RTSuccess loaded = vcalls::VNStreamIn(varno, stream.get(), world.vm());
    vcalls::VNDestroyPatchTable(varno);
    if (loaded) world.Run(kPassesAfterLoad);
  });
  return 0;
}
