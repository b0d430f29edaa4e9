// What several operations put into GL from the state record: the transforms, the projection of
// the current mode, and the switches that the modes govern (lighting, fog).
#pragma once

#include "rasterizer_state.h"

namespace rasterizer {

// A fresh context: GL set to the rasterizer's starting state, the state record's values put in.
void ApplyNewContext(State& state, int width, int height);

// Modelview = world x view (row vectors: the world transform applies first).
void ApplyModelview(const State& state);
// The projection of the current mode and values; lighting and fog as the modes allow.
void ApplyProjection(const State& state);
void ApplyLighting(const State& state);
void ApplyFog(const State& state);

// The projection matrix (row vectors) of the state's mode, values and viewport.
RTFMatrix4x4 ProjectionMatrix(const State& state);

void SetCapability(GLenum capability, bool on);

}  // namespace rasterizer
