// Moeller-Trumbore with back faces culled. The edges and the offset of the origin are float
// differences; the sums are formed in extended precision and rounded to float, or, in the AVX2
// version, in double and settled on the same floats (avx2_lanes.h).
#include "kivo/support/geometry.h"

#include <limits>

#include "avx2_lanes.h"
#include "kivo/support/vector.h"

namespace kivo::ray_triangle {

namespace {

using Ext = long double;

constexpr double kTriangleTolerance = 1e-6;
constexpr float kInfinity = std::numeric_limits<float>::infinity();

// Whether a + b, rounded in extended precision, is at most limit (a and b not negative, none NaN):
// decided from the double sum unless that lies too near the limit.
bool SumAtMost(float a, float b, float limit) {
  const double sum = double{a} + b;
  const double error = sum * avx2::kSettleMargin;
  if (sum + error < limit) return true;
  if (sum - error > limit) return false;
  return Ext{a} + b <= limit;
}

// Whether the test certainly misses, decided in float from x, y and z of (e1, s, direction, e2)
// before any exact work. The float cross products and dot products (det, u, v) differ from the
// ones the test rounds (the extended ones) by at most about 7 x 2^-24 of the sum of the magnitudes
// of the products behind each dot product, plus 2^-147 per unit of the magnitudes of its
// coordinates (denormals). That sum is at most the product of the three vectors' sums of magnitudes
// (|e1| |direction| |e2| for det, say); the bound allows 16 x 2^-24 of it and 2^-100, leaving more
// than the roundings of the comparisons below, where nothing overflowed: a det, u or v that is
// not finite leaves the test to the exact path.
__attribute__((target("avx2,fma"), always_inline)) inline bool CertainMiss(__m128 x, __m128 y, __m128 z) {
  const __m128 sign = _mm_set1_ps(-0.0f);
  // First factors (s, direction), second (e1, e2), twice over: the cross products (q, p, q, p).
  const __m128 fx = _mm_shuffle_ps(x, x, 0x99), fy = _mm_shuffle_ps(y, y, 0x99), fz = _mm_shuffle_ps(z, z, 0x99);
  const __m128 gx = _mm_shuffle_ps(x, x, 0xCC), gy = _mm_shuffle_ps(y, y, 0xCC), gz = _mm_shuffle_ps(z, z, 0xCC);
  const __m128 crossX = _mm_sub_ps(_mm_mul_ps(fy, gz), _mm_mul_ps(fz, gy));
  const __m128 crossY = _mm_sub_ps(_mm_mul_ps(fz, gx), _mm_mul_ps(fx, gz));
  const __m128 crossZ = _mm_sub_ps(_mm_mul_ps(fx, gy), _mm_mul_ps(fy, gx));
  // (p, p, q, q) against (e1, s, direction, e2): (det, u, v, t).
  const __m128 dots = _mm_add_ps(_mm_add_ps(_mm_mul_ps(x, _mm_shuffle_ps(crossX, crossX, 0x05)),
                                            _mm_mul_ps(y, _mm_shuffle_ps(crossY, crossY, 0x05))),
                                 _mm_mul_ps(z, _mm_shuffle_ps(crossZ, crossZ, 0x05)));
  // Sums of magnitudes of (e1, s, direction, e2), and their products (e1 or s, direction, e2) and
  // (direction or e2, s, e1).
  const __m128 sizes = _mm_add_ps(_mm_add_ps(_mm_andnot_ps(sign, x), _mm_andnot_ps(sign, y)), _mm_andnot_ps(sign, z));
  const __m128 products = _mm_mul_ps(_mm_mul_ps(sizes, _mm_shuffle_ps(sizes, sizes, 0x5A)),
                                     _mm_shuffle_ps(sizes, sizes, 0x0F));
  const __m128 tiny = _mm_set1_ps(0x1p-100f);
  const __m128 bound =
      _mm_add_ps(_mm_mul_ps(products, _mm_set1_ps(0x1p-20f)), _mm_add_ps(_mm_mul_ps(sizes, tiny), tiny));
  const __m128 high = _mm_add_ps(dots, bound), low = _mm_sub_ps(dots, bound);
  // det below the tolerance (2^-21 < 1e-6), u or v below 0 (and not a zero's rounding).
  const __m128 below = _mm_cmplt_ps(high, _mm_setr_ps(0x1p-21f, -0x1p-100f, -0x1p-100f, -kInfinity));
  // u, and u + v, above det: (u, u, u + v, u) against det.
  const __m128 u = _mm_shuffle_ps(low, low, 0x55);
  const __m128 sums = _mm_add_ps(u, _mm_and_ps(low, _mm_castsi128_ps(_mm_setr_epi32(0, 0, -1, 0))));
  const __m128 above = _mm_cmpgt_ps(sums, _mm_shuffle_ps(high, high, 0x00));
  // A dot product that overflowed (or met an overflowed cross product) says nothing.
  const __m128 finite = _mm_cmplt_ps(_mm_andnot_ps(sign, dots), _mm_set1_ps(kInfinity));
  return _mm_movemask_ps(_mm_or_ps(below, above)) != 0 && (_mm_movemask_ps(finite) & 0x7) == 0x7;
}

}  // namespace

RTBool IntersectExtended(const RTFVector3D& origin, const RTFVector3D& direction, const RTFVector3D& v0,
                         const RTFVector3D& v1, const RTFVector3D& v2, float* t, float* u, float* v) {
  const RTFVector3D e1 = Vec3Subtract(v1, v0), e2 = Vec3Subtract(v2, v0);
  RTFVector3D p;
  Vec3Cross(direction, e2, &p);
  const float det = Vec3Dot(e1, p);
  if (!(det >= kTriangleTolerance)) return 0;  // back-facing, edge-on or degenerate

  const RTFVector3D s = Vec3Subtract(origin, v0);
  const float uu = Vec3Dot(s, p);
  if (!(uu >= 0.0f && uu <= det)) return 0;

  RTFVector3D q;
  Vec3Cross(s, e1, &q);
  const float vv = Vec3Dot(direction, q);
  if (!(vv >= 0.0f && Ext{uu} + vv <= det)) return 0;

  const Ext inverse = Ext{1} / det;
  *t = static_cast<float>(Vec3Dot(e2, q) * inverse);
  *u = static_cast<float>(uu * inverse);
  *v = static_cast<float>(vv * inverse);
  return 1;
}

// The four vectors the test works on sit in the lanes (e1, s, direction, e2), one register per
// coordinate. The cross products q = s x e1 and p = direction x e2 are formed in lanes 0 and 1
// (again in 2 and 3), the dot products (e1.p, s.p, direction.q, e2.q) = (det, u, v, t) in lanes 0
// to 3, and the scaled results in lanes 1 to 3.
__attribute__((target("avx2,fma"))) RTBool IntersectAvx2(const RTFVector3D& origin, const RTFVector3D& direction,
                                                     const RTFVector3D& v0, const RTFVector3D& v1,
                                                     const RTFVector3D& v2, float* t, float* u, float* v) {
  using namespace avx2;
  const __m128 corner = _mm_loadu_ps(&v0.x);
  __m128 xs = _mm_sub_ps(_mm_loadu_ps(&v1.x), corner);      // e1
  __m128 ys = _mm_sub_ps(_mm_loadu_ps(&origin.x), corner);  // s
  __m128 zs = _mm_loadu_ps(&direction.x);
  __m128 ws = _mm_sub_ps(_mm_loadu_ps(&v2.x), corner);  // e2
  _MM_TRANSPOSE4_PS(xs, ys, zs, ws);
  // Most misses end here, early, so that a mispredicted branch waits on a short chain.
  if (CertainMiss(xs, ys, zs)) return 0;
  const __m256d x = _mm256_cvtps_pd(xs), y = _mm256_cvtps_pd(ys), z = _mm256_cvtps_pd(zs);

  // First factors (s, direction), second (e1, e2), twice over, arranged in float.
  const __m256d fx = _mm256_cvtps_pd(_mm_shuffle_ps(xs, xs, 0x99));
  const __m256d fy = _mm256_cvtps_pd(_mm_shuffle_ps(ys, ys, 0x99));
  const __m256d fz = _mm256_cvtps_pd(_mm_shuffle_ps(zs, zs, 0x99));
  const __m256d gx = _mm256_cvtps_pd(_mm_shuffle_ps(xs, xs, 0xCC));
  const __m256d gy = _mm256_cvtps_pd(_mm_shuffle_ps(ys, ys, 0xCC));
  const __m256d gz = _mm256_cvtps_pd(_mm_shuffle_ps(zs, zs, 0xCC));
  const __m256d crossX = _mm256_sub_pd(_mm256_mul_pd(fy, gz), _mm256_mul_pd(fz, gy));
  const __m256d crossY = _mm256_sub_pd(_mm256_mul_pd(fz, gx), _mm256_mul_pd(fx, gz));
  const __m256d crossZ = _mm256_sub_pd(_mm256_mul_pd(fx, gy), _mm256_mul_pd(fy, gx));
  const __m256d crossXY = _mm256_permute2f128_pd(crossX, crossY, 0x20);  // (qx, px, qy, py)
  __m128i settled = _mm_set1_epi32(-1);
  const __m128 pq = SettledFloats(crossXY, Magnitude(crossXY), &settled);
  const __m128 pqz = SettledFloats(crossZ, Magnitude(crossZ), &settled);

  // (p, p, q, q) against (e1, s, direction, e2).
  const __m256d first = _mm256_add_pd(_mm256_mul_pd(x, _mm256_cvtps_pd(_mm_shuffle_ps(pq, pq, 0x05))),
                                      _mm256_mul_pd(y, _mm256_cvtps_pd(_mm_shuffle_ps(pq, pq, 0xAF))));
  const __m256d dots = _mm256_add_pd(first, _mm256_mul_pd(z, _mm256_cvtps_pd(_mm_shuffle_ps(pqz, pqz, 0x05))));
  const __m128 rounded = SettledFloats(dots, _mm256_add_pd(Magnitude(first), Magnitude(dots)), &settled);
  // One branch for the cross products and the dot products (the dot products of unsettled cross
  // products are formed but not used).
  if (_mm_movemask_ps(_mm_castsi128_ps(settled)) != 0xF)
    return IntersectExtended(origin, direction, v0, v1, v2, t, u, v);

  // The tests of the extended version, in double lanes (det, u, v, t) so that a hit costs one
  // branch: det at least the tolerance, u and v not below 0 (a NaN fails each), u at most det, and
  // u + v at most det where the double sum settles that (SumAtMost decides the rest). The scaled
  // results are formed meanwhile: each quotient rounds once, within the settle margin of the
  // extended product by the rounded reciprocal.
  const __m256d wide = _mm256_cvtps_pd(rounded);
  const __m256d det = _mm256_permute4x64_pd(wide, 0x00);
  const __m256d scaled = _mm256_div_pd(wide, det);
  const int below =
      _mm256_movemask_pd(_mm256_cmp_pd(wide, _mm256_setr_pd(kTriangleTolerance, 0, 0, 0), _CMP_NGE_UQ)) & 0x7;
  // (-inf, u, (u + v) raised by the margin, -inf) against det.
  const __m256d sum = _mm256_add_pd(wide, _mm256_permute4x64_pd(wide, 0x10));
  const __m256d raised = _mm256_fmadd_pd(sum, _mm256_set1_pd(kSettleMargin), sum);
  const __m256d minusInfinity = _mm256_set1_pd(-std::numeric_limits<double>::infinity());
  const __m256d ends = _mm256_blend_pd(_mm256_blend_pd(minusInfinity, wide, 0x2), raised, 0x4);
  const int above = _mm256_movemask_pd(_mm256_cmp_pd(ends, det, _CMP_NLE_UQ));
  if ((below | (above & 0x2)) != 0) return 0;
  if (above != 0) {
    const float uu = _mm_cvtss_f32(_mm_shuffle_ps(rounded, rounded, 1));
    const float vv = _mm_cvtss_f32(_mm_shuffle_ps(rounded, rounded, 2));
    if (!SumAtMost(uu, vv, _mm_cvtss_f32(rounded))) return 0;
  }
  __m128i scaledSettled = _mm_set1_epi32(-1);
  const __m128 results = SettledFloats(scaled, Magnitude(scaled), &scaledSettled);
  if ((_mm_movemask_ps(_mm_castsi128_ps(scaledSettled)) & 0xE) != 0xE)
    return IntersectExtended(origin, direction, v0, v1, v2, t, u, v);
  *t = _mm_cvtss_f32(_mm_shuffle_ps(results, results, 3));
  *u = _mm_cvtss_f32(_mm_shuffle_ps(results, results, 1));
  *v = _mm_cvtss_f32(_mm_shuffle_ps(results, results, 2));
  return 1;
}

}  // namespace kivo::ray_triangle
