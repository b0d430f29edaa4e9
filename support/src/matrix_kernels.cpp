#include "matrix_kernels.h"

#include "avx2_lanes.h"

namespace kivo::matrix_kernels {

using namespace avx2;

using Ext = long double;

void MultiplyExtended(const float (*a)[4], const float (*b)[4], int size, float (*out)[4]) {
  // Computed in full before anything is stored, so out may be a or b.
  float result[4][4];
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j) {
      Ext sum = 0;
      for (int k = 0; k < size; ++k) sum += Ext{a[i][k]} * b[k][j];
      result[i][j] = static_cast<float>(sum);
    }
  for (int i = 0; i < size; ++i)
    for (int j = 0; j < size; ++j) out[i][j] = result[i][j];
}

void TransformExtended(const RTFMatrix4x4& m, const RTFVector3D& p, bool translate, RTFVector3D* out) {
  float result[3];
  for (int j = 0; j < 3; ++j) {
    Ext sum = Ext{p.x} * m.m[0][j] + Ext{p.y} * m.m[1][j] + Ext{p.z} * m.m[2][j];
    if (translate) sum += m.m[3][j];
    result[j] = static_cast<float>(sum);
  }
  out->x = result[0];
  out->y = result[1];
  out->z = result[2];
  out->w = 1.0f;
}

// Products of floats are exact in double, so each fused multiply-add rounds once, as the addition
// of the product would.
__attribute__((target("avx2,fma"))) void Mat4MultiplyAvx2(const RTFMatrix4x4& a, const RTFMatrix4x4& b,
                                                          RTFMatrix4x4* out) {
  const __m256d b0 = Widen(b.m[0]), b1 = Widen(b.m[1]), b2 = Widen(b.m[2]), b3 = Widen(b.m[3]);
  alignas(32) double wide[4][4];
#pragma GCC unroll 4
  for (int i = 0; i < 4; ++i) _mm256_store_pd(wide[i], Widen(a.m[i]));
  __m128 rows[4];
  __m128i settled = _mm_set1_epi32(-1);
#pragma GCC unroll 4
  for (int i = 0; i < 4; ++i) {
    // The extended sum starts from +0, so a sum of negative zeros is +0: so does this one.
    const __m256d s1 = _mm256_fmadd_pd(_mm256_broadcast_sd(&wide[i][0]), b0, _mm256_setzero_pd());
    const __m256d s2 = _mm256_fmadd_pd(_mm256_broadcast_sd(&wide[i][1]), b1, s1);
    const __m256d s3 = _mm256_fmadd_pd(_mm256_broadcast_sd(&wide[i][2]), b2, s2);
    const __m256d s4 = _mm256_fmadd_pd(_mm256_broadcast_sd(&wide[i][3]), b3, s3);
    rows[i] = SettledFloats(s4, _mm256_add_pd(_mm256_add_pd(Magnitude(s2), Magnitude(s3)), Magnitude(s4)), &settled,
                            false);
  }
  if (_mm_movemask_ps(_mm_castsi128_ps(settled)) != 0xF) {
    MultiplyExtended(a.m, b.m, 4, out->m);
    return;
  }
#pragma GCC unroll 4
  for (int i = 0; i < 4; ++i) _mm_storeu_ps(out->m[i], rows[i]);
}

__attribute__((target("avx2,fma"), always_inline)) inline void TransformAvx2Lanes(const RTFMatrix4x4& m,
                                                                                  const RTFVector3D& p,
                                                                                  bool translate, RTFVector3D* out) {
  const __m256d point = Widen(&p.x);
  const __m256d s2 = _mm256_fmadd_pd(_mm256_permute4x64_pd(point, 0x55), Widen(m.m[1]),
                                     _mm256_mul_pd(_mm256_permute4x64_pd(point, 0x00), Widen(m.m[0])));
  __m256d sum = _mm256_fmadd_pd(_mm256_permute4x64_pd(point, 0xAA), Widen(m.m[2]), s2);
  __m256d bound = _mm256_add_pd(Magnitude(s2), Magnitude(sum));
  if (translate) {
    sum = _mm256_add_pd(sum, Widen(m.m[3]));
    bound = _mm256_add_pd(bound, Magnitude(sum));
  }
  __m128i settled = _mm_set1_epi32(-1);
  const __m128 result = SettledFloats(sum, bound, &settled);
  // The fourth lane (column 3) is not part of the result.
  if ((_mm_movemask_ps(_mm_castsi128_ps(settled)) & 0x7) != 0x7) {
    TransformExtended(m, p, translate, out);
    return;
  }
  _mm_storeu_ps(&out->x, _mm_blend_ps(result, _mm_set1_ps(1.0f), 0x8));
}

__attribute__((target("avx2,fma"))) void TransformPointAvx2(const RTFMatrix4x4& m, const RTFVector3D& p,
                                                            RTFVector3D* out) {
  TransformAvx2Lanes(m, p, true, out);
}

__attribute__((target("avx2,fma"))) void RotateVectorAvx2(const RTFMatrix4x4& m, const RTFVector3D& p,
                                                          RTFVector3D* out) {
  TransformAvx2Lanes(m, p, false, out);
}

void Mat4MultiplyExtended(const RTFMatrix4x4& a, const RTFMatrix4x4& b, RTFMatrix4x4* out) {
  MultiplyExtended(a.m, b.m, 4, out->m);
}

void TransformPointExtended(const RTFMatrix4x4& m, const RTFVector3D& p, RTFVector3D* out) {
  TransformExtended(m, p, true, out);
}

void RotateVectorExtended(const RTFMatrix4x4& m, const RTFVector3D& p, RTFVector3D* out) {
  TransformExtended(m, p, false, out);
}

}  // namespace kivo::matrix_kernels
