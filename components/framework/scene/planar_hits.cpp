// Worked in double precision, so that grazing hits and long rays keep their digits; only the
// answers are narrowed to float.
//
// A circle of radius r touches a segment when its centre reaches the segment's capsule: the band
// of half-width r along the interior and the discs of radius r around the end points. The capsule
// is convex, so a centre outside it enters it at most once: the earliest of the band's entry (its
// side line met while the centre's projection lies on the segment) and the discs' entries.
#include "planar_hits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace room {

namespace {

struct Vec {
  double x;
  double y;
};

Vec Of(const RTFVector2D& v) { return {v.x, v.y}; }
RTFVector2D Narrowed(const Vec& v) { return {static_cast<float>(v.x), static_cast<float>(v.y)}; }
Vec operator+(const Vec& a, const Vec& b) { return {a.x + b.x, a.y + b.y}; }
Vec operator-(const Vec& a, const Vec& b) { return {a.x - b.x, a.y - b.y}; }
Vec operator*(const Vec& v, double s) { return {v.x * s, v.y * s}; }
double Dot(const Vec& a, const Vec& b) { return a.x * b.x + a.y * b.y; }
double Cross(const Vec& a, const Vec& b) { return a.x * b.y - a.y * b.x; }

// The float form of t when it lies in [0, limit).
bool Below(double t, float limit, float* out) {
  if (!(t >= 0 && t < limit && t <= std::numeric_limits<float>::max())) return false;
  const float narrowed = static_cast<float>(t);
  if (!(narrowed < limit)) return false;
  *out = narrowed;
  return true;
}

// A touch found along the way; `towardsCentre` is not yet of unit length.
struct Touch {
  double t = std::numeric_limits<double>::infinity();
  Vec point{};
  Vec towardsCentre{};

  void Keep(double at, const Vec& where, const Vec& towards) {
    if (at < t) *this = {at, where, towards};
  }
  bool Report(float limit, CircleContact* contact) const {
    const double length = std::sqrt(Dot(towardsCentre, towardsCentre));
    float narrowed = 0;
    if (!(length > 0) || !Below(t, limit, &narrowed)) return false;
    *contact = {narrowed, Narrowed(point), Narrowed(towardsCentre * (1 / length))};
    return true;
  }
};

}  // namespace

bool RayHitsSegment(const RTFVector2D& origin, const RTFVector2D& direction, const RTFVector2D& a, const RTFVector2D& b,
                    float limit, float* t) {
  const Vec d = Of(direction);
  const Vec edge = Of(b) - Of(a);
  const Vec toA = Of(a) - Of(origin);
  const double denominator = Cross(d, edge);
  if (denominator == 0) return false;
  const double along = Cross(toA, edge) / denominator;  // on the ray
  const double across = Cross(toA, d) / denominator;    // on the segment, 0 at a and 1 at b
  return across >= 0 && across <= 1 && Below(along, limit, t);
}

bool CircleHitsSegment(const RTFVector2D& start, const RTFVector2D& movement, float radius, const RTFVector2D& a,
                       const RTFVector2D& b, float limit, CircleContact* contact) {
  const Vec s = Of(start);
  const Vec m = Of(movement);
  const Vec from = Of(a);
  const Vec edge = Of(b) - from;
  const double r = radius;
  const double speed2 = Dot(m, m);
  const double edge2 = Dot(edge, edge);
  if (!(r > 0) || speed2 == 0) return false;

  Touch touch;
  const double nearestAlong = edge2 > 0 ? std::clamp(Dot(s - from, edge) / edge2, 0.0, 1.0) : 0.0;
  const Vec nearest = from + edge * nearestAlong;
  const Vec away = s - nearest;
  if (Dot(away, away) < r * r) {
    if (Dot(m, away) >= 0) return false;
    touch.Keep(0, nearest, away);
    return touch.Report(limit, contact);
  }

  if (edge2 > 0) {
    Vec normal = Vec{-edge.y, edge.x} * (1 / std::sqrt(edge2));
    double height = Dot(s - from, normal);
    if (height < 0) {
      normal = normal * -1;
      height = -height;
    }
    const double closing = -Dot(m, normal);
    if (closing > 0) {
      const double t = std::max(0.0, (height - r) / closing);
      const double along = Dot(s + m * t - from, edge) / edge2;
      if (along >= 0 && along <= 1) touch.Keep(t, from + edge * along, normal);
    }
  }
  for (const Vec& end : {from, from + edge}) {
    const Vec offset = s - end;
    const double half = Dot(m, offset);
    const double discriminant = half * half - speed2 * (Dot(offset, offset) - r * r);
    if (half >= 0 || discriminant < 0) continue;
    const double t = std::max(0.0, (-half - std::sqrt(discriminant)) / speed2);
    touch.Keep(t, end, s + m * t - end);
  }
  return touch.Report(limit, contact);
}

}  // namespace room
