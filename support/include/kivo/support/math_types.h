// The float value types that components hand each other. The RT* types are interface types of the
// whole framework (the core's type table names them), so they sit beside RTSuccess at global scope;
// the support-only records are in namespace kivo.
//
// Conventions: points and vectors are row vectors multiplied from the left (p' = p x M), matrices
// are row-major m[row][column] with the translation in row 3, and every 3D vector takes 16 bytes
// so arrays of vectors have a 16-byte stride.
#pragma once

#include <cstddef>

// x, y, z and a fourth float that only the operations that say so touch.
struct RTFVector3D {
  float x;
  float y;
  float z;
  float w;
};
static_assert(sizeof(RTFVector3D) == 16);

struct RTFVector2D {
  float x;
  float y;
};
static_assert(sizeof(RTFVector2D) == 8);

// Red, green, blue and a fourth float; handled like a vector.
struct RTFColorRGB {
  float r;
  float g;
  float b;
  float a;
};
static_assert(sizeof(RTFColorRGB) == 16);

// Three rows of four floats; the fourth float of each row is never touched.
struct RTFMatrix3x3 {
  float m[3][4];
};
static_assert(sizeof(RTFMatrix3x3) == 48);

struct RTFMatrix4x4 {
  float m[4][4];
};
static_assert(sizeof(RTFMatrix4x4) == 64);

namespace kivo {

// {w, x, y, z}, w first in memory.
struct Quaternion {
  float w;
  float x;
  float y;
  float z;
};
static_assert(sizeof(Quaternion) == 16);

// A point p lies on the plane when dot(normal, p) = d.
struct Plane {
  RTFVector3D normal;
  float d;
};
static_assert(sizeof(Plane) == 20);
static_assert(offsetof(Plane, d) == 16);

}  // namespace kivo
