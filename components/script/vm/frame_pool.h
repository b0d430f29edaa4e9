// Call frames kept by their context once their call has returned, for the next call of the same
// method: the frame record, its argument stack, its table of locals and the variable symbols stay
// allocated, so a call makes no new blocks for them. A kept frame holds no values: its arguments
// are released and its variables' values too, and its variables leave the collector's list of
// symbols until the frame is taken again, when each gets its first value back and rejoins the
// list in declaration order, as a new frame's variables would. A context's kept frames go when
// the context is destroyed.
#pragma once

#include "kivo/types.h"

namespace varno {

struct CallFrame;
struct RTVarnoContext;
struct RTVarnoMethod;
struct RTVarnoSymbol;
struct RTVarnoVM;

// A frame for a call of the method on the object: a kept one of the method's, or a new one.
RTSuccess AcquireCallFrame(RTVarnoVM* vm, RTVarnoContext* context, RTVarnoMethod* method, RTVarnoSymbol* object,
                           CallFrame** out);
// Keeps a frame that has left the context's frame stack, or destroys it.
void ReleaseCallFrame(RTVarnoContext* context, CallFrame* frame);
// Destroys every kept frame of the context.
void EmptyFramePool(RTVarnoContext* context);

}  // namespace varno
