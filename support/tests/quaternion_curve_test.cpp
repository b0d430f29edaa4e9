// Slerp, squad and their parts: end points, the two special weight rules, and identities that a
// wrong formula breaks (log and exp undo each other, a control point of evenly spaced rotations
// about one axis lies on that axis).
#include "kivo/support/quaternion_curve.h"

#include <gtest/gtest.h>

#include <cmath>

#include "kivo/support/quaternion.h"

namespace {

using namespace kivo;

constexpr double kPi = 3.14159265358979323846;

// A rotation by `degrees` about the unit axis (x, y, z).
Quaternion Turn(double degrees, double x, double y, double z) {
  const double half = degrees * kPi / 360;
  return {static_cast<float>(std::cos(half)), static_cast<float>(x * std::sin(half)),
          static_cast<float>(y * std::sin(half)), static_cast<float>(z * std::sin(half))};
}

void ExpectQuat(const Quaternion& actual, const Quaternion& expected, float tolerance = 2e-6f) {
  EXPECT_NEAR(actual.w, expected.w, tolerance);
  EXPECT_NEAR(actual.x, expected.x, tolerance);
  EXPECT_NEAR(actual.y, expected.y, tolerance);
  EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(QuaternionCurve, SlerpWeights) {
  const Quaternion a = Turn(10, 0, 0, 1), b = Turn(70, 0, 0, 1);
  Quaternion out;
  QuatSlerp(a, b, 0, &out);
  EXPECT_EQ(out.w, a.w);
  EXPECT_EQ(out.z, a.z) << "t = 0 is q0 exactly";
  QuatSlerp(a, b, 1, &out);
  ExpectQuat(out, b);
  QuatSlerp(a, b, 0.5f, &out);
  ExpectQuat(out, Turn(40, 0, 0, 1));
  QuatSlerp(a, b, 1.5f, &out);
  ExpectQuat(out, Turn(100, 0, 0, 1));  // beyond the segment the arc goes on

  // Nearly equal quaternions blend linearly; the result is not normalised.
  const Quaternion c{1, 0, 0, 0}, d{0.9999999f, 0.0004f, 0, 0};
  QuatSlerp(c, d, 0.25f, &out);
  ExpectQuat(out, {0.75f * 1 + 0.25f * 0.9999999f, 0.0001f, 0, 0}, 1e-9f);

  // Opposite quaternions keep q1 itself with the weights of a right angle.
  const Quaternion e = Turn(30, 1, 0, 0), f{-e.w, -e.x, -e.y, -e.z};
  QuatSlerp(e, f, 0.5f, &out);
  const float h = std::sin(0.5f * 1.570796325f);
  ExpectQuat(out, {h * e.w + h * f.w, h * e.x + h * f.x, 0, 0});
  EXPECT_NEAR(out.w, 0, 1e-6f) << "the written rule meets a zero quaternion half way";
}

TEST(QuaternionCurve, AlignAndDot) {
  Quaternion q = Turn(20, 0, 1, 0);
  const Quaternion reference{-1, 0, 0, 0};
  EXPECT_LT(QuatDot(q, reference), 0);
  QuatAlign(&q, reference);
  ExpectQuat(q, {-Turn(20, 0, 1, 0).w, 0, -Turn(20, 0, 1, 0).y, 0});
  const Quaternion kept = q;
  QuatAlign(&q, reference);
  ExpectQuat(q, kept);  // already on the reference's side
}

TEST(QuaternionCurve, InverseLogAndExp) {
  const Quaternion q{2, -1, 0.5f, 3};
  Quaternion inverse, product;
  QuatInverse(q, &inverse);
  QuatMultiply(q, inverse, &product);
  ExpectQuat(product, {1, 0, 0, 0});
  QuatInverse({0, 0, 0, 0}, &inverse);
  ExpectQuat(inverse, {0, 0, 0, 0});  // a zero norm counts as 1

  const Quaternion turn = Turn(100, 0.6, 0, 0.8);
  Quaternion log, back;
  QuatLog(turn, &log);
  ExpectQuat(log, {0, static_cast<float>(0.6 * 50 * kPi / 180), 0, static_cast<float>(0.8 * 50 * kPi / 180)});
  QuatExp(log, &back);
  ExpectQuat(back, turn);

  QuatLog({1, 0, 0, 0}, &log);
  ExpectQuat(log, {0, 0, 0, 0});
  QuatExp({5, 1e-7f, 0, 0}, &back);
  ExpectQuat(back, {1, 1e-7f, 0, 0}, 0);  // a tiny vector keeps factor 1; w is not read
}

TEST(QuaternionCurve, SquadThroughEvenTurnsAboutOneAxis) {
  // Keys at 0, 40 and 80 degrees about y: the middle control point is the key itself and the end
  // controls lie a quarter step outside.
  const Quaternion q0 = Turn(0, 0, 1, 0), q1 = Turn(40, 0, 1, 0), q2 = Turn(80, 0, 1, 0);
  Quaternion c0, c1, c2;
  SquadControl(q1, q1, q2, &c1);  // previous = the key itself at an open end
  ExpectQuat(c1, Turn(30, 0, 1, 0));
  SquadControl(q0, q1, q2, &c1);
  ExpectQuat(c1, q1);
  SquadControl(q0, q0, q1, &c0);
  SquadControl(q1, q2, q2, &c2);
  ExpectQuat(c0, Turn(-10, 0, 1, 0));
  ExpectQuat(c2, Turn(90, 0, 1, 0));

  Quaternion out;
  // Half way: the keys' slerp gives 20 degrees, the controls' 15, and 2t(1 - t) = 0.5 between them.
  QuatSquad(q0, c0, c1, q1, 0.5f, &out);
  ExpectQuat(out, Turn(17.5, 0, 1, 0));
  QuatSquad(q0, c0, c1, q1, 0, &out);
  ExpectQuat(out, q0);
  QuatSquad(q0, c0, c1, q1, 1, &out);
  ExpectQuat(out, q1);
}

}  // namespace
