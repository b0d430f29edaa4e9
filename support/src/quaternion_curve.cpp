#include "kivo/support/quaternion_curve.h"

#include <cmath>

#include "kivo/support/quaternion.h"

namespace kivo {

namespace {

constexpr double kSlerpEpsilon = 1e-6;
constexpr double kOppositeHalfAngle = 1.570796325;
constexpr double kExpEpsilon = 1e-6;

double Dot(const Quaternion& a, const Quaternion& b) {
  return double{a.w} * b.w + double{a.x} * b.x + double{a.y} * b.y + double{a.z} * b.z;
}

double VectorLength(const Quaternion& q) {
  return std::sqrt(double{q.x} * q.x + double{q.y} * q.y + double{q.z} * q.z);
}

Quaternion Weighted(double w0, const Quaternion& q0, double w1, const Quaternion& q1) {
  return Quaternion{static_cast<float>(w0 * q0.w + w1 * q1.w), static_cast<float>(w0 * q0.x + w1 * q1.x),
                    static_cast<float>(w0 * q0.y + w1 * q1.y), static_cast<float>(w0 * q0.z + w1 * q1.z)};
}

}  // namespace

float QuatDot(const Quaternion& a, const Quaternion& b) { return static_cast<float>(Dot(a, b)); }

void QuatAlign(Quaternion* q, const Quaternion& reference) {
  if (Dot(*q, reference) < 0) *q = Quaternion{-q->w, -q->x, -q->y, -q->z};
}

void QuatSlerp(const Quaternion& q0, const Quaternion& q1, float t, Quaternion* out) {
  const double c = Dot(q0, q1);
  const double u = t;
  double w0 = 1 - u;
  double w1 = u;
  if (c + 1 > kSlerpEpsilon) {
    if (1 - c > kSlerpEpsilon) {
      const double angle = std::acos(c);
      const double sine = std::sqrt(1 - c * c);  // sin(acos c)
      w0 = std::sin((1 - u) * angle) / sine;
      w1 = std::sin(u * angle) / sine;
    }
  } else {
    w0 = std::sin((1 - u) * kOppositeHalfAngle);
    w1 = std::sin(u * kOppositeHalfAngle);
  }
  *out = Weighted(w0, q0, w1, q1);
}

void QuatSquad(const Quaternion& q0, const Quaternion& a, const Quaternion& b, const Quaternion& q1, float t,
               Quaternion* out) {
  Quaternion outer;
  Quaternion inner;
  QuatSlerp(q0, q1, t, &outer);
  QuatSlerp(a, b, t, &inner);
  const double u = t;
  QuatSlerp(outer, inner, static_cast<float>(2 * u * (1 - u)), out);
}

void SquadControl(const Quaternion& previous, const Quaternion& q, const Quaternion& next, Quaternion* out) {
  Quaternion inverse;
  QuatInverse(q, &inverse);
  Quaternion toPrevious;
  Quaternion toNext;
  QuatMultiply(inverse, previous, &toPrevious);
  QuatMultiply(inverse, next, &toNext);
  QuatLog(toPrevious, &toPrevious);
  QuatLog(toNext, &toNext);
  const Quaternion tangent{0, static_cast<float>(-(double{toPrevious.x} + toNext.x) / 4),
                           static_cast<float>(-(double{toPrevious.y} + toNext.y) / 4),
                           static_cast<float>(-(double{toPrevious.z} + toNext.z) / 4)};
  Quaternion step;
  QuatExp(tangent, &step);
  QuatMultiply(q, step, out);
}

void QuatInverse(const Quaternion& q, Quaternion* out) {
  double norm = Dot(q, q);
  if (norm == 0) norm = 1;
  *out = Quaternion{static_cast<float>(q.w / norm), static_cast<float>(-q.x / norm), static_cast<float>(-q.y / norm),
                    static_cast<float>(-q.z / norm)};
}

void QuatLog(const Quaternion& q, Quaternion* out) {
  const double length = VectorLength(q);
  const double factor = length == 0 ? 1 : std::atan2(length, double{q.w}) / length;
  *out = Quaternion{0, static_cast<float>(q.x * factor), static_cast<float>(q.y * factor),
                    static_cast<float>(q.z * factor)};
}

void QuatExp(const Quaternion& q, Quaternion* out) {
  const double length = VectorLength(q);
  const double factor = length <= kExpEpsilon ? 1 : std::sin(length) / length;
  *out = Quaternion{static_cast<float>(std::cos(length)), static_cast<float>(q.x * factor),
                    static_cast<float>(q.y * factor), static_cast<float>(q.z * factor)};
}

}  // namespace kivo
