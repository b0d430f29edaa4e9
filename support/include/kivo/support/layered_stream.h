// Reading a derived class level's stream, which follows its parent level's part, all or nothing:
// when the level's own part is refused after the parent's part was taken in, the parent's part is
// put back as it was, so a damaged stream leaves the whole instance unchanged. An instance whose
// parent level cannot write itself (a mesh without materials) has nothing a stream could keep:
// it is read all the same, and a refused own part leaves the parent's part as read.
#pragma once

#include "kivo/support/instance_ref.h"
#include "kivo/support/parent_call.h"
#include "kivo/support/stream_calls.h"

namespace kivo {

// The parent level's own stream methods: its second table's offset and the two slots.
struct ParentStream {
  uint32_t ownTable;
  MethodSlot<uint32_t, RTInstance> streamIn;
  MethodSlot<uint32_t, RTInstance> streamOut;
};

// Reads the parent's part through its own table, then this level's part with `readOwn` (which
// commits only when it succeeds).
template <class ReadOwn>
RTSuccess StreamInAfterParent(RTInstance self, const ParentStream& parent, uint32_t stage, RTInstance stream,
                              ReadOwn&& readOwn) {
  InstanceRef saved;
  if (!memory_stream::Create(saved.out())) return kRTFailure;
  const bool restorable = CallParentMethod(self, parent.ownTable, parent.streamOut, stage, saved.get()) &&
                          stream::Seek(saved.get(), 0);
  if (!CallParentMethod(self, parent.ownTable, parent.streamIn, stage, stream)) return kRTFailure;
  if (readOwn()) return kRTSuccess;
  if (restorable) CallParentMethod(self, parent.ownTable, parent.streamIn, stage, saved.get());
  return kRTFailure;
}

}  // namespace kivo
