// The rotation helpers of skinning and inverse kinematics: rigid inverses, Euler rotations, the
// matrix-to-quaternion branches, axis-angle pairs and the half-way quaternion between two vectors.
#include <gtest/gtest.h>

#include <cmath>

#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/scalar_math.h"
#include "kivo/support/vector.h"

namespace {

using namespace kivo;

constexpr float kPi = 3.14159265358979f;
constexpr float kSentinel = -77.0f;

RTFVector3D V(float x, float y, float z) { return {x, y, z, kSentinel}; }

void ExpectQuat(const Quaternion& q, float w, float x, float y, float z, float tolerance = 1e-6f) {
  EXPECT_NEAR(q.w, w, tolerance);
  EXPECT_NEAR(q.x, x, tolerance);
  EXPECT_NEAR(q.y, y, tolerance);
  EXPECT_NEAR(q.z, z, tolerance);
}

RTFMatrix4x4 Turned(const Quaternion& q, const RTFVector3D& at) {
  RTFMatrix4x4 m;
  QuatToMat4(q, &m);
  Mat4SetTranslation(&m, at);
  return m;
}

TEST(Rotation, RigidInverseWorksInPlaceAndUndoesThePlacement) {
  const float h = std::sqrt(0.5f);
  const RTFMatrix4x4 placement = Turned({h, 0, h, 0}, V(1, 2, 3));  // a quarter turn about y
  RTFMatrix4x4 inverse = placement;
  Mat4InvertRigid(&inverse);
  RTFMatrix4x4 product;
  Mat4Multiply(placement, inverse, &product);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(product.m[i][j], i == j ? 1.0f : 0.0f, 1e-6f) << i << "," << j;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(inverse.m[i][j], placement.m[j][i]) << "transposed " << i << "," << j;

  RTFVector3D t = V(0, 0, 0);
  Mat4GetTranslation(inverse, &t);
  EXPECT_NEAR(t.x, -3, 1e-6f);  // -(t x R'): (1, 2, 3) x R' is (3, 2, -1)
  EXPECT_NEAR(t.y, -2, 1e-6f);
  EXPECT_NEAR(t.z, 1, 1e-6f);
  EXPECT_EQ(t.w, kSentinel);
}

TEST(Rotation, ZRotationAndEulerOrder) {
  RTFMatrix3x3 z;
  for (auto& row : z.m) row[3] = kSentinel;
  Mat3RotationZ(&z, kPi / 2);
  EXPECT_NEAR(z.m[0][1], 1, 1e-6f);
  EXPECT_NEAR(z.m[1][0], -1, 1e-6f);
  EXPECT_EQ(z.m[2][2], 1);
  EXPECT_EQ(z.m[0][3], kSentinel);

  // z first, then y, then x: (0, 1, 0) turns about z to (-1, 0, 0), about y to (0, 0, 1), about x
  // to (0, -1, 0).
  RTFMatrix3x3 euler;
  Mat3FromEuler(&euler, kPi / 2, kPi / 2, kPi / 2);
  RTFMatrix4x4 m;
  Mat4Identity(&m);
  Mat4SetRotation(&m, euler);
  RTFVector3D out;
  Mat4RotateVector(m, V(0, 1, 0), &out);
  EXPECT_NEAR(out.x, 0, 1e-6f);
  EXPECT_NEAR(out.y, -1, 1e-6f);
  EXPECT_NEAR(out.z, 0, 1e-6f);
  Mat4RotateVector(m, V(1, 0, 0), &out);  // (0, 1, 0), stays about y, (0, 0, 1)
  EXPECT_NEAR(out.z, 1, 1e-6f);
  EXPECT_EQ(m.m[3][3], 1) << "only the upper 3x3 is set";
}

// Each branch of MatToQuat gives back the quaternion its matrix was made from (up to sign).
TEST(Rotation, MatrixToQuaternionInEveryBranch) {
  const float s = std::sqrt(0.5f);
  const struct {
    const char* branch;
    Quaternion q;
  } cases[] = {
      {"positive trace", {0.9f, 0.1f, 0.3f, std::sqrt(1 - 0.81f - 0.01f - 0.09f)}},
      {"x leads", {0, 1, 0, 0}},
      {"y leads", {0, s, s * 1.2f, 0}},
      {"z leads", {0.1f, 0.2f, 0.3f, 0.9f}},
  };
  for (const auto& c : cases) {
    const float norm = std::sqrt(c.q.w * c.q.w + c.q.x * c.q.x + c.q.y * c.q.y + c.q.z * c.q.z);
    const Quaternion unit{c.q.w / norm, c.q.x / norm, c.q.y / norm, c.q.z / norm};
    Quaternion back{};
    MatToQuat(Turned(unit, V(0, 0, 0)), &back);
    const float sign = back.w * unit.w + back.x * unit.x + back.y * unit.y + back.z * unit.z < 0 ? -1.0f : 1.0f;
    SCOPED_TRACE(c.branch);
    ExpectQuat(back, sign * unit.w, sign * unit.x, sign * unit.y, sign * unit.z, 1e-6f);
  }
  // A half turn about x: m00 = 1 leads; w is 0 and y, z come from the zero off-diagonals.
  Quaternion half{};
  RTFMatrix4x4 flip;
  Mat4RotationX(&flip, kPi);
  MatToQuat(flip, &half);
  ExpectQuat(half, 0, 1, 0, 0);
  // A tie of m00 and m11 above m22 keeps x: the zero matrix gives sqrt(1) / 2 there.
  RTFMatrix4x4 zero{};
  MatToQuat(zero, &half);
  ExpectQuat(half, 0, 0.5f, 0, 0, 0);
}

TEST(Rotation, AxisAnglePairs) {
  RTFVector3D axis = V(0, 0, 2);
  Quaternion q{};
  QuatFromAxisAngle(kPi / 2, &axis, &q);
  EXPECT_EQ(axis.z, 1) << "the axis is normalised in place";
  ExpectQuat(q, std::sqrt(0.5f), 0, 0, std::sqrt(0.5f));

  float angle = 0;
  RTFVector3D back = V(0, 0, 0);
  QuatToAxisAngle(q, &angle, &back);
  EXPECT_NEAR(angle, kPi / 2, 1e-6f);
  EXPECT_NEAR(back.z, 1, 1e-6f);
  EXPECT_EQ(back.w, kSentinel);

  // No rotation, and a w rounded beyond 1: angle 0 and the x axis, never NaN.
  for (float w : {1.0f, 1.0000001f, 1.5f}) {
    QuatToAxisAngle({w, 0, 0, 0}, &angle, &back);
    EXPECT_EQ(angle, 0) << w;
    EXPECT_EQ(back.x, 1);
    EXPECT_EQ(back.y, 0);
  }
}

TEST(Rotation, QuaternionBetweenTwoVectorsIsNotNormalised) {
  Quaternion q{};
  QuatFromTwoVectors(V(1, 0, 0), V(0, 1, 0), &q);
  ExpectQuat(q, std::sqrt(0.5f), 0, 0, -std::sqrt(0.5f));
  RTFMatrix4x4 m;
  QuatToMat4(q, &m);
  RTFVector3D turned;
  Mat4RotateVector(m, V(1, 0, 0), &turned);
  EXPECT_NEAR(turned.y, 1, 1e-6f) << "the matrix of the result turns a onto b's direction";

  QuatFromTwoVectors(V(3, 0, 0), V(0, 1, 0), &q);
  EXPECT_NEAR(std::sqrt(q.w * q.w + q.x * q.x + q.y * q.y + q.z * q.z), 3, 1e-5f) << "the length of a";

  Quaternion conjugate{};
  QuatConjugate({0.1f, 0.2f, -0.3f, 0.4f}, &conjugate);
  ExpectQuat(conjugate, 0.1f, -0.2f, 0.3f, -0.4f, 0);
}

TEST(Rotation, ArcCosineHoldsItsArgument) {
  EXPECT_EQ(MathAcos(1.0000001f), 0);
  EXPECT_EQ(MathAcos(-1.5f), MathAcos(-1.0f));
  EXPECT_EQ(MathAcos(0.5f), static_cast<float>(std::acos(0.5)));
}

}  // namespace
