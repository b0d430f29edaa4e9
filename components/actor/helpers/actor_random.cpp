#include "actor_random.h"

#include <cmath>
#include <numbers>

#include "kivo/support/numeric.h"
#include "kivo/support/random.h"
#include "kivo/support/vector.h"

namespace tesk::actor {

uint32_t RandomIndex(uint32_t n) { return kivo::FloatToInt<uint32_t>(kivo::RandomReal() * n); }

double RandomRange(double a, double b) { return a + (b - a) * kivo::RandomReal(); }

void RandomUnitVector(RTFVector3D* v) {
  const double s = RandomRange(-1, 1);
  const double r = std::sqrt(1 - s * s);
  const double angle = RandomRange(-std::numbers::pi, std::numbers::pi);
  v->x = static_cast<float>(r * std::cos(angle));
  v->y = static_cast<float>(r * std::sin(angle));
  v->z = static_cast<float>(s);
}

void RandomDirectionXZ(RTFVector3D* v) {
  const double m = RandomRange(0, 1);
  const double angle = RandomRange(-std::numbers::pi, std::numbers::pi);
  v->x = static_cast<float>(m * std::cos(angle));
  v->y = 0.0f;
  v->z = static_cast<float>(m * std::sin(angle));
  kivo::Vec3Normalize(v);
}

}  // namespace tesk::actor
