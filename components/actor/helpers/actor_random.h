// Random values of the actor component, all from the library's own generator (RandomReal).
#pragma once

#include <cstdint>

#include "kivo/support/math_types.h"

namespace tesk::actor {

// trunc(RandomReal x n): 0 to n - 1, and n itself only when RandomReal gives exactly 1.
uint32_t RandomIndex(uint32_t n);
// a + (b - a) x RandomReal.
double RandomRange(double a, double b);
// A point of the unit sphere into x, y and z; the fourth float is left as it was.
void RandomUnitVector(RTFVector3D* v);
// A unit direction on the ground plane (y 0) into x, y and z; the fourth float is left as it was.
void RandomDirectionXZ(RTFVector3D* v);

}  // namespace tesk::actor
