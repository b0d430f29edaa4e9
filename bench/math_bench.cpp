// The hot math against GLM: 4x4 multiply, point transform and ray-triangle, and RandomReal
// against the standard library's twisted GFSR engine set up as TT800.
//
// Our matrices are row-major with row vectors (p' = p x M); GLM's are column-major with column
// vectors (p' = M p). The same 16 floats read as a GLM matrix are the transpose, so a point
// transform is G * p, and a x b becomes gb * ga with the same floats as the result. Before any
// benchmark runs, every pair is checked to compute the same values.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <vector>

#define GLM_ENABLE_EXPERIMENTAL  // glm/gtx/intersect.hpp is an extension
#include <glm/glm.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <glm/gtx/intersect.hpp>

#include "kivo/support/geometry.h"
#include "kivo/support/matrix.h"
#include "kivo/support/random.h"

namespace {

constexpr size_t kBatch = 1024;

// TT800 is the Mersenne-twister recurrence with no lower bits taken from the next word (r = 0):
// N = 25, M = 7, twist 0x8EBFD028, tempering shifts 7 and 15 with their masks, then 16.
using TT800Engine = std::mersenne_twister_engine<uint32_t, 32, 25, 7, 0, 0x8EBFD028u, 0, 0, 7, 0x2B5B2500u, 15,
                                                 0xDB8B0000u, 16, 1812433253u>;

// Hands the engine the published initial state as its 25 words. The engine regenerates before
// its first output, so its output k is the reference generator's output 25 + k.
struct PublishedState {
  using result_type = uint32_t;
  template <class It>
  void generate(It begin, It end) const {
    const kivo::RandomState initial = kivo::RandomInitialState();
    for (size_t i = 0; begin != end; ++begin, ++i) *begin = initial.words[i % 25];
  }
};

TT800Engine PublishedEngine() {
  TT800Engine engine;
  PublishedState state;
  engine.seed(state);
  return engine;
}

double ToReal(uint32_t word) { return word / 4294967295.0; }

kivo::RandomState SkippedState() {
  kivo::RandomState state = kivo::RandomInitialState();
  for (int i = 0; i < 25; ++i) kivo::RandomReal(&state);
  return state;
}

glm::mat4 ToGlm(const RTFMatrix4x4& m) { return glm::make_mat4(&m.m[0][0]); }
glm::vec3 ToGlm(const RTFVector3D& v) { return {v.x, v.y, v.z}; }

struct Ray {
  RTFVector3D origin, direction;
  RTFVector3D v0, v1, v2;
};

// Inputs shared by both sides of every pair, from a fixed seed.
struct Data {
  std::vector<RTFMatrix4x4> left, right;
  RTFMatrix4x4 transform;
  std::vector<RTFVector3D> points;
  std::vector<Ray> rays;

  Data() {
    std::mt19937 random(20240517u);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    auto vector = [&](float scale) {
      const float x = unit(random) * scale, y = unit(random) * scale, z = unit(random) * scale;
      return RTFVector3D{x, y, z, 1.0f};
    };
    auto matrix = [&] {
      RTFMatrix4x4 m;
      for (auto& row : m.m)
        for (float& value : row) value = unit(random) * 2.0f;
      return m;
    };
    for (size_t i = 0; i < kBatch; ++i) {
      left.push_back(matrix());
      right.push_back(matrix());
    }
    // A rotation with a translation, as a scene transform looks.
    RTFMatrix4x4 rx, ry;
    kivo::Mat4RotationX(&rx, 0.7f);
    kivo::Mat4RotationY(&ry, -1.3f);
    kivo::Mat4Multiply(rx, ry, &transform);
    kivo::Mat4SetTranslation(&transform, {3.0f, -2.0f, 5.0f, 1.0f});
    for (size_t i = 0; i < kBatch; ++i) points.push_back(vector(100.0f));

    // Triangles near the origin, each ray aimed at v0 + s e1 + r e2 with s and r in [0, 1]: inside
    // the triangle when s + r <= 1, so about half of them hit. The culled side is never exercised:
    // each triangle is wound to face its ray, since GLM's test reports hits on both sides.
    std::uniform_real_distribution<float> fraction(0.0f, 1.0f);
    for (size_t i = 0; i < kBatch; ++i) {
      Ray ray;
      const RTFVector3D centre = vector(5.0f);
      ray.v0 = Add(centre, vector(2.0f));
      ray.v1 = Add(centre, vector(2.0f));
      ray.v2 = Add(centre, vector(2.0f));
      ray.origin = vector(20.0f);
      const float s = fraction(random), r = fraction(random);
      const RTFVector3D target = {ray.v0.x + s * (ray.v1.x - ray.v0.x) + r * (ray.v2.x - ray.v0.x),
                                  ray.v0.y + s * (ray.v1.y - ray.v0.y) + r * (ray.v2.y - ray.v0.y),
                                  ray.v0.z + s * (ray.v1.z - ray.v0.z) + r * (ray.v2.z - ray.v0.z), 1.0f};
      ray.direction = {target.x - ray.origin.x, target.y - ray.origin.y, target.z - ray.origin.z, 0.0f};
      const glm::vec3 e1 = ToGlm(ray.v1) - ToGlm(ray.v0), e2 = ToGlm(ray.v2) - ToGlm(ray.v0);
      const float det = glm::dot(e1, glm::cross(ToGlm(ray.direction), e2));
      if (std::fabs(det) < 1e-2f) {  // nearly edge-on: draw again
        --i;
        continue;
      }
      if (det < 0) std::swap(ray.v1, ray.v2);
      rays.push_back(ray);
    }
  }

  static RTFVector3D Add(const RTFVector3D& a, const RTFVector3D& b) {
    return {a.x + b.x, a.y + b.y, a.z + b.z, 1.0f};
  }
};

const Data& Inputs() {
  static const Data data;
  return data;
}

bool Near(float a, float b, float tolerance) { return std::fabs(a - b) <= tolerance * (1.0f + std::fabs(b)); }

bool MatricesAgree(const RTFMatrix4x4& ours, const glm::mat4& theirs) {
  const float* flat = glm::value_ptr(theirs);
  for (int k = 0; k < 16; ++k)
    if (!Near(ours.m[k / 4][k % 4], flat[k], 1e-5f)) return false;
  return true;
}

// Each pair computes the same values, within float rounding (our sums are formed in extended
// precision, GLM's in float).
bool PairsAgree() {
  const Data& data = Inputs();
  bool agree = true;
  auto fail = [&](const char* what, size_t index) {
    std::fprintf(stderr, "math_bench: %s differs from the anchor at %zu\n", what, index);
    agree = false;
  };

  for (size_t i = 0; i < kBatch; ++i) {
    RTFMatrix4x4 ours;
    kivo::Mat4Multiply(data.left[i], data.right[i], &ours);
    if (!MatricesAgree(ours, ToGlm(data.right[i]) * ToGlm(data.left[i]))) {
      fail("Mat4Multiply", i);
      break;
    }
  }

  const glm::mat4 transform = ToGlm(data.transform);
  for (size_t i = 0; i < kBatch; ++i) {
    RTFVector3D ours;
    kivo::Mat4TransformPoint(data.transform, data.points[i], &ours);
    const glm::vec4 theirs = transform * glm::vec4(ToGlm(data.points[i]), 1.0f);
    if (!Near(ours.x, theirs.x, 1e-5f) || !Near(ours.y, theirs.y, 1e-5f) || !Near(ours.z, theirs.z, 1e-5f)) {
      fail("Mat4TransformPoint", i);
      break;
    }
  }

  size_t hits = 0;
  for (size_t i = 0; i < kBatch; ++i) {
    const Ray& r = data.rays[i];
    float t = 0, u = 0, v = 0;
    const bool ours = kivo::IntersectRayTriangle(r.origin, r.direction, r.v0, r.v1, r.v2, &t, &u, &v);
    glm::vec2 bary;
    float distance = 0;
    const bool theirs = glm::intersectRayTriangle(ToGlm(r.origin), ToGlm(r.direction), ToGlm(r.v0), ToGlm(r.v1),
                                                  ToGlm(r.v2), bary, distance);
    const bool same = ours == theirs && (!ours || (Near(t, distance, 1e-4f) && Near(u, bary.x, 1e-4f) &&
                                                    Near(v, bary.y, 1e-4f)));
    if (!same) {
      fail("IntersectRayTriangle", i);
      break;
    }
    hits += ours;
  }
  if (hits < kBatch / 4 || hits > kBatch * 3 / 4) {
    std::fprintf(stderr, "math_bench: %zu of %zu rays hit; the data should mix hits and misses\n", hits, kBatch);
    agree = false;
  }

  kivo::RandomState state = SkippedState();
  TT800Engine engine = PublishedEngine();
  for (size_t i = 0; i < 10 * kBatch; ++i) {
    const double ours = kivo::RandomReal(&state), theirs = ToReal(engine());
    if (std::fabs(ours - theirs) > 0x1p-52) {
      fail("RandomReal", i);
      break;
    }
  }
  return agree;
}

// Checked once before main runs the benchmarks.
[[maybe_unused]] const bool kChecked = [] {
  if (!PairsAgree()) std::exit(1);
  return true;
}();

void BM_Mat4Multiply_Tesk(benchmark::State& state) {
  const Data& data = Inputs();
  std::vector<RTFMatrix4x4> out(kBatch);
  for (auto _ : state) {
    for (size_t i = 0; i < kBatch; ++i) kivo::Mat4Multiply(data.left[i], data.right[i], &out[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_Mat4Multiply_Tesk);

void BM_Mat4Multiply_Anchor(benchmark::State& state) {
  const Data& data = Inputs();
  std::vector<glm::mat4> left, right, out(kBatch);
  for (size_t i = 0; i < kBatch; ++i) {
    left.push_back(ToGlm(data.left[i]));
    right.push_back(ToGlm(data.right[i]));
  }
  for (auto _ : state) {
    for (size_t i = 0; i < kBatch; ++i) out[i] = right[i] * left[i];
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_Mat4Multiply_Anchor);

void BM_TransformPoint_Tesk(benchmark::State& state) {
  const Data& data = Inputs();
  std::vector<RTFVector3D> out(kBatch);
  for (auto _ : state) {
    for (size_t i = 0; i < kBatch; ++i) kivo::Mat4TransformPoint(data.transform, data.points[i], &out[i]);
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_TransformPoint_Tesk);

void BM_TransformPoint_Anchor(benchmark::State& state) {
  const Data& data = Inputs();
  const glm::mat4 transform = ToGlm(data.transform);
  std::vector<glm::vec4> points, out(kBatch);
  for (const RTFVector3D& p : data.points) points.emplace_back(p.x, p.y, p.z, 1.0f);
  for (auto _ : state) {
    for (size_t i = 0; i < kBatch; ++i) out[i] = transform * points[i];
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_TransformPoint_Anchor);

void BM_RayTriangle_Tesk(benchmark::State& state) {
  const Data& data = Inputs();
  for (auto _ : state) {
    uint32_t hits = 0;
    float t = 0, u = 0, v = 0;
    for (const Ray& r : data.rays)
      hits += kivo::IntersectRayTriangle(r.origin, r.direction, r.v0, r.v1, r.v2, &t, &u, &v);
    benchmark::DoNotOptimize(hits);
    benchmark::DoNotOptimize(t);
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_RayTriangle_Tesk);

void BM_RayTriangle_Anchor(benchmark::State& state) {
  struct GlmRay {
    glm::vec3 origin, direction, v0, v1, v2;
  };
  std::vector<GlmRay> rays;
  for (const Ray& r : Inputs().rays)
    rays.push_back({ToGlm(r.origin), ToGlm(r.direction), ToGlm(r.v0), ToGlm(r.v1), ToGlm(r.v2)});
  for (auto _ : state) {
    uint32_t hits = 0;
    glm::vec2 bary;
    float t = 0;
    for (const GlmRay& r : rays)
      hits += glm::intersectRayTriangle(r.origin, r.direction, r.v0, r.v1, r.v2, bary, t);
    benchmark::DoNotOptimize(hits);
    benchmark::DoNotOptimize(t);
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_RayTriangle_Anchor);

void BM_RandomReal_Tesk(benchmark::State& state) {
  kivo::RandomState generator = SkippedState();
  for (auto _ : state) {
    double sum = 0;
    for (size_t i = 0; i < kBatch; ++i) sum += kivo::RandomReal(&generator);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_RandomReal_Tesk);

void BM_RandomReal_Anchor(benchmark::State& state) {
  TT800Engine engine = PublishedEngine();
  for (auto _ : state) {
    double sum = 0;
    for (size_t i = 0; i < kBatch; ++i) sum += ToReal(engine());
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kBatch);
}
BENCHMARK(BM_RandomReal_Anchor);

}  // namespace
