// How every rasterizer operation runs: it finds the instance's state, checks that a window
// context exists when the operation draws or changes drawing state, runs, and is recorded with
// the arguments it lists (read after it ran, so out arguments show what it handed back).
#pragma once

#include "call_log.h"
#include "rasterizer_state.h"

namespace rasterizer {

enum class Needs { kContext, kNothing };

template <class Body, class... Logged>
RTSuccess Run(RTInstance self, Needs needs, const char* name, Body&& body, const Logged&... logged) {
  State* state = StateOf(self);
  if (!state) return kRTFailure;
  const bool done = (needs == Needs::kNothing || state->target) && body(*state);
  if (state->log.active()) state->log.Write(CallLine(name, done, logged...));
  return done ? kRTSuccess : kRTFailure;
}

// An operation on the drawing context.
template <class Body, class... Logged>
RTSuccess Drawing(RTInstance self, const char* name, Body&& body, const Logged&... logged) {
  return Run(self, Needs::kContext, name, body, logged...);
}

// An operation that needs no context.
template <class Body, class... Logged>
RTSuccess Anytime(RTInstance self, const char* name, Body&& body, const Logged&... logged) {
  return Run(self, Needs::kNothing, name, body, logged...);
}

// A primitive argument, logged by its content when this rasterizer made it (a stranger's pointer
// is never followed).
struct PrimitiveRef {
  const State* state;
  const RTPrimitive* value;
};
struct PrimitiveRefs {
  const State* state;
  const RTPrimitive* const* values;
  uint32_t count;
};

inline void Append(std::string& line, PrimitiveRef ref) {
  if (ref.value && !(ref.state && ref.state->primitives.count(ref.value))) {
    line += "unknown primitive";
  } else {
    Append(line, ref.value);
  }
}

inline void Append(std::string& line, PrimitiveRefs refs) {
  if (!refs.values) {
    line += refs.count ? "null" : "[0]";
    return;
  }
  line += '[';
  Append(line, refs.count);
  line += refs.count ? ": " : "";
  for (uint32_t i = 0; i < refs.count; ++i) {
    if (i) line += ", ";
    Append(line, PrimitiveRef{refs.state, refs.values[i]});
  }
  line += ']';
}

}  // namespace rasterizer
