// Vectors, matrices, quaternions and the scalar wrappers: conventions (row vectors, translation in
// row 3, untouched fourth floats) and the stated special cases.
#include <gtest/gtest.h>

#include <cmath>

#include "kivo/support/matrix.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/scalar_math.h"
#include "kivo/support/vector.h"

namespace {

using namespace kivo;

constexpr float kSentinel = -77.0f;
constexpr float kPi = 3.14159265358979f;

RTFVector3D V(float x, float y, float z, float w = kSentinel) { return {x, y, z, w}; }

void ExpectVector(const RTFVector3D& actual, float x, float y, float z, float w, float tolerance = 1e-6f) {
  EXPECT_NEAR(actual.x, x, tolerance);
  EXPECT_NEAR(actual.y, y, tolerance);
  EXPECT_NEAR(actual.z, z, tolerance);
  EXPECT_EQ(actual.w, w) << "fourth float";
}

RTFMatrix4x4 Translation(float x, float y, float z) {
  RTFMatrix4x4 m;
  Mat4Identity(&m);
  Mat4SetTranslation(&m, V(x, y, z));
  return m;
}

// Every entry distinct, so a transposed index shows.
RTFMatrix4x4 Numbered() {
  RTFMatrix4x4 m;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) m.m[i][j] = static_cast<float>(i * 4 + j + 1);
  return m;
}

TEST(Matrix, TransformTreatsPointsAsRowVectorsWithTranslationInRowThree) {
  const RTFMatrix4x4 shift = Translation(10, 20, 30);
  RTFVector3D out = V(0, 0, 0);
  Mat4TransformPoint(shift, V(1, 2, 3), &out);
  ExpectVector(out, 11, 22, 33, 1.0f);
  out = V(0, 0, 0);
  Mat4RotateVector(shift, V(1, 2, 3), &out);
  ExpectVector(out, 1, 2, 3, 1.0f);

  // p x M with M = [[1 2 3 4] [5 6 7 8] [9 10 11 12] [13 14 15 16]].
  const RTFMatrix4x4 m = Numbered();
  Mat4TransformPoint(m, V(1, 1, 2), &out);
  ExpectVector(out, 1 + 5 + 18 + 13, 2 + 6 + 20 + 14, 3 + 7 + 22 + 15, 1.0f);
  Mat4RotateVector(m, V(1, 1, 2), &out);
  ExpectVector(out, 1 + 5 + 18, 2 + 6 + 20, 3 + 7 + 22, 1.0f);

  RTFVector3D inPlace = V(1, 2, 3);
  Mat4TransformPoint(shift, inPlace, &inPlace);
  ExpectVector(inPlace, 11, 22, 33, 1.0f);
}

TEST(Matrix, RotationsFollowTheRowVectorConvention) {
  RTFMatrix4x4 m;
  RTFVector3D out;
  Mat4RotationX(&m, kPi / 2);
  Mat4TransformPoint(m, V(0, 1, 0), &out);
  ExpectVector(out, 0, 0, 1, 1.0f);

  Mat4RotationY(&m, kPi / 2);
  Mat4TransformPoint(m, V(1, 0, 0), &out);
  ExpectVector(out, 0, 0, -1, 1.0f);
  Mat4TransformPoint(m, V(0, 0, 1), &out);
  ExpectVector(out, 1, 0, 0, 1.0f);
  EXPECT_EQ(m.m[3][3], 1.0f);
  EXPECT_EQ(m.m[3][0], 0.0f) << "rotation starts from the identity";
}

TEST(Matrix, InverseUndoesAPlacementAndRefusesASingularMatrix) {
  RTFMatrix4x4 turn, placement, inverse, product;
  Mat4RotationY(&turn, 0.7f);
  Mat4Multiply(turn, Translation(3, -2, 8), &placement);
  placement.m[0][0] *= 2.0f;  // a scale too, so a transpose would not do
  ASSERT_TRUE(Mat4Inverse(placement, &inverse));
  Mat4Multiply(placement, inverse, &product);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) EXPECT_NEAR(product.m[i][j], i == j ? 1.0f : 0.0f, 1e-6f) << i << j;
  RTFMatrix4x4 inPlace = placement;
  ASSERT_TRUE(Mat4Inverse(inPlace, &inPlace));
  EXPECT_EQ(inPlace.m[3][0], inverse.m[3][0]);

  RTFMatrix4x4 untouched = Numbered();  // rows in arithmetic progression: singular
  EXPECT_FALSE(Mat4Inverse(Numbered(), &untouched));
  EXPECT_EQ(untouched.m[0][0], 1.0f);
}

TEST(Matrix, ProductAppliesLeftOperandFirst) {
  RTFMatrix4x4 turn, product;
  Mat4RotationX(&turn, kPi / 2);
  const RTFMatrix4x4 shift = Translation(0, 5, 0);
  RTFVector3D out;

  Mat4Multiply(turn, shift, &product);  // turn, then shift
  Mat4TransformPoint(product, V(0, 1, 0), &out);
  ExpectVector(out, 0, 5, 1, 1.0f);

  Mat4Multiply(shift, turn, &product);  // shift, then turn
  Mat4TransformPoint(product, V(0, 1, 0), &out);
  ExpectVector(out, 0, 0, 6, 1.0f, 1e-5f);

  // Products written over an operand match the product into a third matrix.
  const RTFMatrix4x4 a = Numbered();
  RTFMatrix4x4 b = Numbered();
  b.m[0][0] = -3;
  RTFMatrix4x4 expected, left = a, right = b;
  Mat4Multiply(a, b, &expected);
  EXPECT_EQ(expected.m[1][2], 5 * 3 + 6 * 7 + 7 * 11 + 8 * 15);
  Mat4Multiply(left, b, &left);
  Mat4Multiply(a, right, &right);
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      EXPECT_EQ(left.m[i][j], expected.m[i][j]);
      EXPECT_EQ(right.m[i][j], expected.m[i][j]);
    }
}

// A look-at placement sends `at` to the camera's -z axis, keeps its rows orthonormal with up above
// the side axis, and refuses a view with no direction or one along up.
TEST(Matrix, LookAtPlacesACameraLookingAlongMinusZ) {
  RTFMatrix4x4 placement, view;
  ASSERT_TRUE(Mat4LookAt(V(5, 2, 5), V(0, 2, 0), V(0, 1, 0), &placement));
  ASSERT_TRUE(Mat4Inverse(placement, &view));
  RTFVector3D seen;
  Mat4TransformPoint(view, V(0, 2, 0), &seen);
  ExpectVector(seen, 0, 0, -std::sqrt(50.0f), 1.0f, 1e-5f);
  Mat4TransformPoint(view, V(0, 3, 0), &seen);
  EXPECT_NEAR(seen.y, 1.0f, 1e-5f) << "world up stays up";
  for (int a = 0; a < 3; ++a)
    for (int b = 0; b < 3; ++b) {
      const float dot = placement.m[a][0] * placement.m[b][0] + placement.m[a][1] * placement.m[b][1] +
                        placement.m[a][2] * placement.m[b][2];
      EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-6f) << "rows " << a << " and " << b;
    }

  RTFMatrix4x4 untouched = Numbered();
  EXPECT_FALSE(Mat4LookAt(V(1, 1, 1), V(1, 1, 1), V(0, 1, 0), &untouched));
  EXPECT_FALSE(Mat4LookAt(V(0, 5, 0), V(0, 0, 0), V(0, 1, 0), &untouched));
  EXPECT_EQ(untouched.m[2][3], Numbered().m[2][3]);
  EXPECT_EQ(untouched.m[0][0], Numbered().m[0][0]);
}

TEST(Matrix, ThreeByThreeFormLeavesEachRowsFourthFloat) {
  RTFMatrix3x3 a, b, out;
  for (RTFMatrix3x3* m : {&a, &b, &out})
    for (auto& row : m->m) row[3] = kSentinel;
  Mat3Identity(&a);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) b.m[i][j] = static_cast<float>(i * 3 + j + 1);
  a.m[0][1] = 2;  // a = identity with a shear
  Mat3Multiply(a, b, &out);
  EXPECT_EQ(out.m[0][0], 1 + 2 * 4);
  EXPECT_EQ(out.m[0][2], 3 + 2 * 6);
  EXPECT_EQ(out.m[2][1], 8);
  for (const RTFMatrix3x3* m : {&a, &b, &out})
    for (const auto& row : m->m) EXPECT_EQ(row[3], kSentinel);
}

TEST(Matrix, EulerAnglesOfRotationsAndPoles) {
  RTFMatrix4x4 m;
  float ax = 9, ay = 9, az = 9;
  Mat4RotationX(&m, 0.3f);
  MatToEuler(m, &ax, &ay, &az);
  EXPECT_NEAR(ax, 0.3f, 1e-6f);
  EXPECT_EQ(ay, 0.0f);
  EXPECT_EQ(az, 0.0f);
  Mat4RotationY(&m, 0.4f);
  MatToEuler(m, &ax, &ay, &az);
  EXPECT_EQ(ax, 0.0f);
  EXPECT_NEAR(ay, 0.4f, 1e-6f);

  // At the poles the rotation about x takes everything.
  Mat4Identity(&m);
  m.m[2][0] = 1.0f;
  m.m[0][1] = 1.0f;
  m.m[1][1] = 1.0f;
  MatToEuler(m, &ax, &ay, &az);
  EXPECT_FLOAT_EQ(ax, kPi / 4);
  EXPECT_EQ(ay, 1.5707964f);
  EXPECT_EQ(az, 0.0f);
  m.m[2][0] = -1.5f;
  MatToEuler(m, &ax, &ay, &az);
  EXPECT_FLOAT_EQ(ax, -kPi / 4);
  EXPECT_EQ(ay, -1.5707964f);

  // The 3x3 form reads the same rows.
  RTFMatrix3x3 small;
  Mat4RotationX(&m, 0.2f);
  m.m[2][0] = 0.5f;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 4; ++j) small.m[i][j] = m.m[i][j];
  float bx, by, bz;
  MatToEuler(m, &ax, &ay, &az);
  MatToEuler(small, &bx, &by, &bz);
  EXPECT_EQ(ax, bx);
  EXPECT_EQ(ay, by);
  EXPECT_EQ(az, bz);
}

TEST(Quaternion, ToMatrixSpecialCasesAndScaleInvariance) {
  RTFMatrix3x3 m;
  for (auto& row : m.m)
    for (float& f : row) f = kSentinel;
  QuatToMat3({1, 0, 0, 0}, &m);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_EQ(m.m[i][j], i == j ? 1.0f : 0.0f);
    EXPECT_EQ(m.m[i][3], kSentinel);
  }
  QuatToMat3({0, 0, 0, 0}, &m);  // scale 1 in place of a division by zero
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(m.m[i][j], i == j ? 1.0f : 0.0f);

  const float h = std::sqrt(0.5f);
  QuatToMat3({h, 0, 0, h}, &m);  // a quarter turn about z
  EXPECT_NEAR(m.m[0][1], -1.0f, 1e-6f);
  EXPECT_NEAR(m.m[1][0], 1.0f, 1e-6f);
  EXPECT_NEAR(m.m[0][0], 0.0f, 1e-6f);
  EXPECT_NEAR(m.m[2][2], 1.0f, 1e-6f);

  const Quaternion unit{0.5f, 0.5f, -0.5f, 0.5f}, doubled{1.0f, 1.0f, -1.0f, 1.0f};
  RTFMatrix3x3 fromUnit, fromDoubled;
  QuatToMat3(unit, &fromUnit);
  QuatToMat3(doubled, &fromDoubled);
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(fromUnit.m[i][j], fromDoubled.m[i][j]) << i << "," << j;

  RTFMatrix4x4 full;
  for (auto& row : full.m)
    for (float& f : row) f = kSentinel;
  QuatToMat4(unit, &full);
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) EXPECT_EQ(full.m[i][j], fromUnit.m[i][j]);
    EXPECT_EQ(full.m[i][3], 0.0f);
    EXPECT_EQ(full.m[3][i], 0.0f);
  }
  EXPECT_EQ(full.m[3][3], 1.0f);
}

TEST(Quaternion, HamiltonProduct) {
  const Quaternion q{0.1f, -0.2f, 0.3f, 0.4f};
  Quaternion out;
  QuatMultiply({1, 0, 0, 0}, q, &out);
  EXPECT_EQ(out.w, q.w);
  EXPECT_EQ(out.x, q.x);
  EXPECT_EQ(out.y, q.y);
  EXPECT_EQ(out.z, q.z);

  const struct {
    Quaternion a, b, expected;
  } cases[] = {
      {{0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}},   // i j = k
      {{0, 0, 1, 0}, {0, 1, 0, 0}, {0, 0, 0, -1}},  // j i = -k
      {{0, 0, 0, 1}, {0, 0, 0, 1}, {-1, 0, 0, 0}},  // k k = -1
      {{1, 2, 3, 4}, {5, 6, 7, 8}, {-60, 12, 30, 24}},
  };
  for (const auto& c : cases) {
    QuatMultiply(c.a, c.b, &out);
    EXPECT_EQ(out.w, c.expected.w);
    EXPECT_EQ(out.x, c.expected.x);
    EXPECT_EQ(out.y, c.expected.y);
    EXPECT_EQ(out.z, c.expected.z);
  }
  Quaternion inPlace{1, 2, 3, 4};
  QuatMultiply(inPlace, {5, 6, 7, 8}, &inPlace);
  EXPECT_EQ(inPlace.w, -60);
  EXPECT_EQ(inPlace.z, 24);
}

TEST(Vector, NormalizeUsesTheFloorAndReturnsTheDivisor) {
  const struct {
    RTFVector3D in;
    float divisor;
    RTFVector3D out;
  } cases[] = {
      {V(3, 4, 0), 5.0f, V(0.6f, 0.8f, 0)},
      {V(0, 0, 0), 0.0001f, V(0, 0, 0)},
      {V(0, -2, 0), 2.0f, V(0, -1, 0)},
      // At or below the floor the vector is divided by the floor, not made unit length.
      {V(0.00005f, 0, 0), 0.0001f, V(0.5f, 0, 0)},
      {V(0.0001f, 0, 0), 0.0001f, V(1, 0, 0)},
  };
  for (const auto& c : cases) {
    RTFVector3D v = c.in;
    EXPECT_EQ(Vec3Normalize(&v), c.divisor);
    ExpectVector(v, c.out.x, c.out.y, c.out.z, kSentinel);
  }
  RTFVector3D exact = V(3, 4, 0);
  Vec3Normalize(&exact);
  EXPECT_EQ(exact.x, 0.6f);
  EXPECT_EQ(exact.y, 0.8f);
}

TEST(Vector, ProductsLengthsAndPlaneDistance) {
  EXPECT_EQ(Vec3Dot(V(1, 2, 3), V(4, -5, 6)), 12.0f);
  EXPECT_EQ(Vec3Length(V(2, 3, 6)), 7.0f);
  EXPECT_EQ(Vec3Distance(V(1, 1, 1), V(3, 4, 7)), 7.0f);
  EXPECT_EQ(Vec3DistanceSquared(V(1, 1, 1), V(3, 4, 7)), 49.0f);

  RTFVector3D out = V(0, 0, 0);
  Vec3Cross(V(1, 0, 0), V(0, 1, 0), &out);
  ExpectVector(out, 0, 0, 1, kSentinel);
  RTFVector3D a = V(2, 3, 4);
  Vec3Cross(a, V(5, 6, 7), &a);
  ExpectVector(a, 3 * 7 - 4 * 6, 4 * 5 - 2 * 7, 2 * 6 - 3 * 5, kSentinel);

  const Plane floorAt2{V(0, 1, 0), 2.0f};
  EXPECT_EQ(PlaneDistance(floorAt2, V(9, 5, 9)), 3.0f);
  EXPECT_EQ(PlaneDistance(floorAt2, V(9, -1, 9)), -3.0f);
}

TEST(ScalarMath, WrappersAndProcessorTest) {
  float pair[2] = {0, 0};
  MathSinCos(0.5f, pair);
  EXPECT_EQ(pair[0], MathSin(0.5f));
  EXPECT_EQ(pair[1], MathCos(0.5f));
  EXPECT_FLOAT_EQ(pair[0], std::sin(0.5f));
  EXPECT_EQ(MathSqrt(2.25f), 1.5f);
  EXPECT_EQ(MathAsin(1.0f), kHalfPi);
  EXPECT_EQ(MathAcos(0.0f), kHalfPi);
  EXPECT_FLOAT_EQ(MathAtan2(1.0f, -1.0f), 3 * kPi / 4);
  EXPECT_EQ(HasSSE(), 1u) << "every x86-64 processor has SSE";
}

}  // namespace
