// IntersectRayTriangle (geometry.h) in two versions that give the same results: sums in extended
// precision (long double), as the system forms them, and AVX2 that forms the two cross products, the
// four dot products and the three scaled results a vector at a time in double, checks that each
// settles on the float extended precision gives (avx2_lanes.h), and passes a test with any
// unsettled value to the extended version. geometry.cpp picks the AVX2 version when the processor
// has it.
#pragma once

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace kivo::ray_triangle {

RTBool IntersectExtended(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                         const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v);
// Only where ProcessorHasAvx2().
RTBool IntersectAvx2(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                     const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v);

}  // namespace kivo::ray_triangle
