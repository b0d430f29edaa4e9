// Call frame blocks kept by their context once their call has returned, for the next call that
// needs as many local slots: a call takes a kept block when there is one and only sets what the
// frame's users read. A kept block holds no values. A context's kept blocks go when the context is
// destroyed.
#pragma once

#include <cstdint>

#include "kivo/types.h"

namespace varno {

struct CallFrame;
struct RTVarnoContext;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoVM;

// Kept blocks of the room classes 0 .. kFrameRoomClasses - 2 have exactly that room; the last
// class holds blocks of that room and more.
inline constexpr uint32_t kFrameRoomClasses = 17;

struct FramePool {
  CallFrame* free[kFrameRoomClasses];
  uint32_t count;
};

// A frame for a call of the method on the object: a kept block made ready, or a new frame (the
// inline steps are in call_path.h).
RTSuccess AcquireCallFrame(RTVarnoVM* vm, RTVarnoContext* context, RTVarnoMethod* method, RTVarnoSymbol* object,
                           CallFrame** out);
// Frees every kept block of the context.
void EmptyFramePool(RTVarnoContext* context);

}  // namespace varno
