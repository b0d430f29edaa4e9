// Tree streams: an index and the records of an instance tree read through the core's StreamTreeIn
// under a parent of their own, as a tree stream handed to the core is read; the records may name
// the framework's classes.
#include "fuzz_host.h"
#include "host/stream_bytes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CoreTable& core = tesk::fuzz::StartCore({.components = {"RTEditable"}});
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  // A record may name a path that is there already: what it reads then joins the world's instances.
  tesk::fuzz::RunInput(
      [&] {
        kivo::InstanceRef parent;
        core.CreateInstanceByString(nullptr, u"RTComponent", parent.out(), 0, 1);
        kivo::InstanceRef stream = tesk::testing::MemoryStreamWith(bytes);
        kivo::InstanceRef read;
        core.StreamTreeIn(nullptr, parent.get(), read.out(), stream.get());
      },
      tesk::fuzz::LeftInstances::kTakenBack);
  return 0;
}
