#include "actor_random.h"

#include <cmath>
#include <numbers>

#include "kivo/support/random.h"

namespace tesk::actor {

double RandomRange(double a, double b) { return a + (b - a) * kivo::RandomReal(); }

void RandomUnitVector(RTFVector3D* v) {
  const double s = RandomRange(-1, 1);
  const double r = std::sqrt(1 - s * s);
  const double angle = RandomRange(-std::numbers::pi, std::numbers::pi);
  v->x = static_cast<float>(r * std::cos(angle));
  v->y = static_cast<float>(r * std::sin(angle));
  v->z = static_cast<float>(s);
}

}  // namespace tesk::actor
