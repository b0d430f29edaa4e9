// Moeller-Trumbore with back faces culled. The edges and the offset of the origin are float
// differences; the sums are formed in extended precision and rounded to float, or, in the AVX2
// version, in double and settled on the same floats (avx2_lanes.h).
#include "ray_triangle.h"

#include "avx2_lanes.h"
#include "kivo/support/vector.h"

namespace kivo::ray_triangle {

namespace {

using Ext = long double;

constexpr double kTriangleTolerance = 1e-6;

// Whether a + b, rounded in extended precision, is at most limit (a and b not negative, none NaN):
// decided from the double sum unless that lies too near the limit.
bool SumAtMost(float a, float b, float limit) {
  const double sum = double{a} + b;
  const double error = sum * avx2::kSettleMargin;
  if (sum + error < limit) return true;
  if (sum - error > limit) return false;
  return Ext{a} + b <= limit;
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
  const __m256d x = _mm256_cvtps_pd(xs), y = _mm256_cvtps_pd(ys), z = _mm256_cvtps_pd(zs);

  // First factors (s, direction), second (e1, e2), twice over.
  const __m256d fx = _mm256_permute4x64_pd(x, 0x99), fy = _mm256_permute4x64_pd(y, 0x99);
  const __m256d fz = _mm256_permute4x64_pd(z, 0x99);
  const __m256d gx = _mm256_permute4x64_pd(x, 0xCC), gy = _mm256_permute4x64_pd(y, 0xCC);
  const __m256d gz = _mm256_permute4x64_pd(z, 0xCC);
  const __m256d crossX = _mm256_sub_pd(_mm256_mul_pd(fy, gz), _mm256_mul_pd(fz, gy));
  const __m256d crossY = _mm256_sub_pd(_mm256_mul_pd(fz, gx), _mm256_mul_pd(fx, gz));
  const __m256d crossZ = _mm256_sub_pd(_mm256_mul_pd(fx, gy), _mm256_mul_pd(fy, gx));
  const __m256d crossXY = _mm256_permute2f128_pd(crossX, crossY, 0x20);  // (qx, px, qy, py)
  if (SettledLanes(crossXY, Magnitude(crossXY)) != 0xF || SettledLanes(crossZ, Magnitude(crossZ)) != 0xF)
    return IntersectExtended(origin, direction, v0, v1, v2, t, u, v);
  const __m256d pq = _mm256_cvtps_pd(_mm256_cvtpd_ps(crossXY));
  const __m256d pqz = _mm256_cvtps_pd(_mm256_cvtpd_ps(crossZ));

  // (p, p, q, q) against (e1, s, direction, e2).
  const __m256d first = _mm256_add_pd(_mm256_mul_pd(x, _mm256_permute4x64_pd(pq, 0x05)),
                                      _mm256_mul_pd(y, _mm256_permute4x64_pd(pq, 0xAF)));
  const __m256d dots = _mm256_add_pd(first, _mm256_mul_pd(z, _mm256_permute4x64_pd(pqz, 0x05)));
  if (SettledLanes(dots, _mm256_add_pd(Magnitude(first), Magnitude(dots))) != 0xF)
    return IntersectExtended(origin, direction, v0, v1, v2, t, u, v);
  const __m128 settled = _mm256_cvtpd_ps(dots);
  const float det = _mm_cvtss_f32(settled);
  const float uu = _mm_cvtss_f32(_mm_shuffle_ps(settled, settled, 1));
  const float vv = _mm_cvtss_f32(_mm_shuffle_ps(settled, settled, 2));

  // The tests of the extended version, taken together so that a miss costs one branch: the
  // triangle faces the ray (det), and u, v and u + v lie within [0, det]. The scaled results are
  // formed meanwhile.
  const __m256d scaled = _mm256_mul_pd(_mm256_cvtps_pd(settled), _mm256_set1_pd(1.0 / det));
  const bool within = (det >= kTriangleTolerance) & (uu >= 0.0f) & (uu <= det) & (vv >= 0.0f);
  if (!within || !SumAtMost(uu, vv, det)) return 0;
  if ((SettledLanes(scaled, Magnitude(scaled)) & 0xE) != 0xE)
    return IntersectExtended(origin, direction, v0, v1, v2, t, u, v);
  const __m128 results = _mm256_cvtpd_ps(scaled);
  *t = _mm_cvtss_f32(_mm_shuffle_ps(results, results, 3));
  *u = _mm_cvtss_f32(_mm_shuffle_ps(results, results, 1));
  *v = _mm_cvtss_f32(_mm_shuffle_ps(results, results, 2));
  return 1;
}

}  // namespace kivo::ray_triangle
