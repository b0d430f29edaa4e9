// Random values of the actor component, all from the library's own generator (RandomReal).
#pragma once

#include "kivo/support/math_types.h"

namespace tesk::actor {

// a + (b - a) x RandomReal.
double RandomRange(double a, double b);
// A point of the unit sphere into x, y and z; the fourth float is left as it was.
void RandomUnitVector(RTFVector3D* v);

}  // namespace tesk::actor
