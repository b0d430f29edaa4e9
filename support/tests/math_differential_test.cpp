// The float math against its extended-precision form (extended_reference.h), bit for bit: every
// float out (the signs of zeros too; a NaN need only be a NaN, see SameFloat), the hit flags, and
// outputs left alone. Each
// function gets random inputs from a mix that reaches zeros, denormals, huge and tiny magnitudes,
// infinities, NaNs and sums lying on or next to float rounding boundaries, then a table of edge
// inputs. The extended and the AVX2 kernels are each checked (AVX2 where the processor has it).
//
// Random inputs per function: 10^7 in an optimised build, 2 x 10^5 under the sanitizers, whose
// instrumentation slows the extended arithmetic (the release tree runs the full count:
// ctest --test-dir build/release -R Differential).
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "extended_reference.h"
#include "kivo/support/geometry.h"
#include "kivo/support/matrix.h"
#include "kivo/support/processor.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/random.h"
#include "kivo/support/vector.h"

namespace {

using namespace kivo;

#if defined(__SANITIZE_ADDRESS__)
constexpr uint64_t kInputs = 200'000;
#else
constexpr uint64_t kInputs = 10'000'000;
#endif

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kMax = std::numeric_limits<float>::max();
constexpr float kDenormal = std::numeric_limits<float>::denorm_min();
const float kNaN = std::bit_cast<float>(0x7FC00001u);
const float kNegativeNaN = std::bit_cast<float>(0xFFA00002u);  // signalling, sign set

// Random floats of one of four mixes, chosen per input set.
class Floats {
 public:
  explicit Floats(uint32_t seed) : random_(seed) {}

  void NextMix() { mix_ = random_() % 10; }

  float Next() {
    const uint64_t bits = random_();
    switch (mix_) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
        return Ordinary(bits);
      case 6:
      case 7:
        return bits & 1 ? NearTie(bits) : Ordinary(bits);
      case 8:
        return AnyFinite(bits);
      default:
        return bits & 63 ? AnyFinite(bits) : Special(bits);
    }
  }

  RTFVector3D Vector() { return {Next(), Next(), Next(), Next()}; }

 private:
  static float Make(uint64_t sign, int exponent, uint32_t significand) {
    return std::bit_cast<float>(static_cast<uint32_t>(sign & 1) << 31 | static_cast<uint32_t>(exponent + 127) << 23 |
                                (significand & 0x7FFFFF));
  }
  // A random significand, exponent within [-8, 8].
  static float Ordinary(uint64_t bits) { return Make(bits >> 63, static_cast<int>((bits >> 32) % 17) - 8, bits); }
  // Few significant bits over a wide exponent range: products and sums of these fall on float
  // rounding midpoints and a tiny term away from them.
  static float NearTie(uint64_t bits) {
    return Make(bits >> 63, static_cast<int>((bits >> 32) % 81) - 40, static_cast<uint32_t>(bits >> 1) & 3);
  }
  static float AnyFinite(uint64_t bits) {
    const auto word = static_cast<uint32_t>(bits >> 8);
    return (word & 0x7F800000u) == 0x7F800000u ? 0.0f : std::bit_cast<float>(word);
  }
  static float Special(uint64_t bits) {
    const float specials[] = {0.0f, -0.0f, kInf, -kInf, kNaN, kNegativeNaN, kMax, -kMax, kDenormal, -kDenormal};
    return specials[(bits >> 8) % std::size(specials)];
  }

  std::mt19937_64 random_;
  uint32_t mix_ = 0;
};

// The same bits, or both NaN: which NaN the extended code gives depends on the x87 instructions the
// compiler picks (a signalling NaN loaded on its own is quieted first; as a memory operand it
// yields to a quiet one), so only NaN itself is part of the behaviour.
bool SameFloat(float a, float b) {
  return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b) || (std::isnan(a) && std::isnan(b));
}

// SameFloat for every float of two records.
template <class T>
bool SameFloats(const T& a, const T& b) {
  static_assert(sizeof(T) % sizeof(float) == 0);
  float x[sizeof(T) / sizeof(float)], y[sizeof(T) / sizeof(float)];
  std::memcpy(x, &a, sizeof(T));
  std::memcpy(y, &b, sizeof(T));
  for (size_t i = 0; i < std::size(x); ++i)
    if (!SameFloat(x[i], y[i])) return false;
  return true;
}

bool SameBits(double a, double b) { return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b); }

std::string BitsText(const float* values, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i) text += (i ? " " : "") + std::to_string(std::bit_cast<uint32_t>(values[i]));
  return text;
}

template <class T>
std::string BitsOf(const T& value) {
  return BitsText(reinterpret_cast<const float*>(&value), sizeof(T) / sizeof(float));
}

// Runs `check` (which draws its inputs and compares) kInputs times; stops at the first difference.
void OnRandomInputs(uint32_t seed, const std::function<bool(Floats&, std::string*)>& check) {
  Floats floats(seed);
  std::string failure;
  for (uint64_t i = 0; i < kInputs; ++i) {
    floats.NextMix();
    if (!check(floats, &failure)) {
      ADD_FAILURE() << "input " << i << ": " << failure;
      return;
    }
  }
}

// Edge inputs: the counterexample of plain double accumulation first (1 + 2^-24 lies halfway
// between two floats, and only extended precision keeps the 2^-60 that decides the rounding), then
// zeros of both signs, infinities, NaNs, denormals and the largest floats.
const std::vector<std::vector<float>>& EdgeRows() {
  static const std::vector<std::vector<float>> rows = {
      {1.0f, 0x1p-12f, 0x1p-30f, 0.0f},
      {1.0f, 0x1p-12f, -0x1p-30f, 0.0f},
      {1.0f + 0x1p-12f, 0x1p-30f, 0x1p-45f, 0.0f},
      {0.0f, -0.0f, 0.0f, -0.0f},
      {-0.0f, -0.0f, -0.0f, -0.0f},
      {kInf, 1.0f, -kInf, 2.0f},
      {kNaN, kNegativeNaN, 1.0f, -1.0f},
      {kDenormal, -kDenormal, 0x1p-140f, 0x1p-75f},
      {kMax, kMax, -kMax, 1.0f},
      {0x1p-75f, 0x1p-105f, -0x1p-75f, 0.0f},
  };
  return rows;
}

RTFVector3D FromRow(const std::vector<float>& row) { return {row[0], row[1], row[2], row[3]}; }

TEST(Differential, VectorOperations) {
  auto check = [](const RTFVector3D& a, const RTFVector3D& b, std::string* failure) {
    auto fail = [&](const char* what) {
      *failure = "a " + BitsOf(a) + " b " + BitsOf(b) + " " + what;
      return false;
    };
    if (!SameFloats(Vec3Dot(a, b), reference::Vec3Dot(a, b))) return fail("Vec3Dot");
    RTFVector3D ours = a, theirs = a;
    Vec3Cross(a, b, &ours);
    reference::Vec3Cross(a, b, &theirs);
    RTFVector3D aliased = a;
    Vec3Cross(aliased, b, &aliased);
    if (!SameFloats(ours, theirs) || !SameFloats(aliased, theirs)) return fail("Vec3Cross");
    if (!SameFloats(Vec3Length(a), reference::Vec3Length(a))) return fail("Vec3Length");
    ours = theirs = a;
    if (!SameFloats(Vec3Normalize(&ours), reference::Vec3Normalize(&theirs)) || !SameFloats(ours, theirs))
      return fail("Vec3Normalize");
    if (!SameFloats(Vec3Distance(a, b), reference::Vec3Distance(a, b))) return fail("Vec3Distance");
    if (!SameFloats(Vec3DistanceSquared(a, b), reference::Vec3DistanceSquared(a, b)))
      return fail("Vec3DistanceSquared");
    const Plane plane{a, b.w};
    if (!SameFloats(PlaneDistance(plane, b), reference::PlaneDistance(plane, b))) return fail("PlaneDistance");
    return true;
  };
  OnRandomInputs(1, [&](Floats& f, std::string* failure) { return check(f.Vector(), f.Vector(), failure); });
  std::string failure;
  for (const auto& a : EdgeRows())
    for (const auto& b : EdgeRows()) EXPECT_TRUE(check(FromRow(a), FromRow(b), &failure)) << failure;
  // 2 - (1 - 2^-24) = 1 + 2^-24, a float midpoint, and 2^-28 squared tips the extended sum over it.
  EXPECT_TRUE(check({2.0f, 0x1p-28f, 0.0f, 0.0f}, {1.0f - 0x1p-24f, 0.0f, 0.0f, 0.0f}, &failure)) << failure;
}

RTFMatrix4x4 MatrixFrom(Floats& f) {
  RTFMatrix4x4 m;
  for (auto& row : m.m)
    for (float& value : row) value = f.Next();
  return m;
}

using Multiply4 = void (*)(const RTFMatrix4x4&, const RTFMatrix4x4&, RTFMatrix4x4*);
using Transform = void (*)(const RTFMatrix4x4&, const RTFVector3D&, RTFVector3D*);

struct MatrixVersions {
  const char* name;
  Multiply4 multiply;
  Transform transformPoint;
  Transform rotateVector;
};

// The kernels, and the public functions that pick one (edge inputs only).
std::vector<MatrixVersions> MatrixKernels() {
  std::vector<MatrixVersions> versions = {
      {"extended", matrix_kernels::Mat4MultiplyExtended, matrix_kernels::TransformPointExtended,
       matrix_kernels::RotateVectorExtended},
      {"public", Mat4Multiply, Mat4TransformPoint, Mat4RotateVector},
  };
  if (ProcessorHasAvx2())
    versions.push_back({"AVX2", matrix_kernels::Mat4MultiplyAvx2, matrix_kernels::TransformPointAvx2,
                        matrix_kernels::RotateVectorAvx2});
  return versions;
}

// Also with the output in place of an operand when `aliased`.
bool SameMatrixResults(const MatrixVersions& version, const RTFMatrix4x4& a, const RTFMatrix4x4& b,
                       const RTFVector3D& p, bool aliased, std::string* failure) {
  auto fail = [&](const char* what) {
    *failure = std::string(version.name) + " a " + BitsOf(a) + " b " + BitsOf(b) + " p " + BitsOf(p) + " " + what;
    return false;
  };
  RTFMatrix4x4 ours, theirs, left = a, right = b;
  version.multiply(a, b, &ours);
  reference::Mat4Multiply(a, b, &theirs);
  if (aliased) {
    version.multiply(left, b, &left);
    version.multiply(a, right, &right);
  }
  if (!SameFloats(ours, theirs) || (aliased && (!SameFloats(left, theirs) || !SameFloats(right, theirs))))
    return fail("Mat4Multiply");
  for (const bool translate : {true, false}) {
    const Transform transform = translate ? version.transformPoint : version.rotateVector;
    RTFVector3D mine = p, expected = p, inPlace = p;
    transform(a, p, &mine);
    if (aliased) transform(a, inPlace, &inPlace);
    (translate ? reference::Mat4TransformPoint : reference::Mat4RotateVector)(a, p, &expected);
    if (!SameFloats(mine, expected) || (aliased && !SameFloats(inPlace, expected)))
      return fail(translate ? "Mat4TransformPoint" : "Mat4RotateVector");
  }
  return true;
}

TEST(Differential, MatrixProductsAndTransforms) {
  for (const MatrixVersions& version : MatrixKernels()) {
    if (version.name != std::string("public")) {
      OnRandomInputs(2, [&](Floats& f, std::string* failure) {
        const RTFMatrix4x4 a = MatrixFrom(f), b = MatrixFrom(f);
        return SameMatrixResults(version, a, b, f.Vector(), false, failure);
      });
    }
    std::string failure;
    for (const auto& rowA : EdgeRows())
      for (const auto& rowB : EdgeRows()) {
        // Rows of a and columns of b, and the point, from the edge rows.
        RTFMatrix4x4 a, b;
        for (int i = 0; i < 4; ++i)
          for (int k = 0; k < 4; ++k) {
            a.m[i][k] = rowA[(k + i) % 4];
            b.m[k][i] = rowB[(k + 3 * i) % 4];
          }
        EXPECT_TRUE(SameMatrixResults(version, a, b, FromRow(rowB), true, &failure)) << failure;
      }
  }
}

TEST(Differential, ThreeByThreeProduct) {
  auto check = [](const RTFMatrix3x3& a, const RTFMatrix3x3& b, std::string* failure) {
    RTFMatrix3x3 ours = a, theirs = a;
    Mat3Multiply(a, b, &ours);
    reference::Mat3Multiply(a, b, &theirs);
    if (SameFloats(ours, theirs)) return true;
    *failure = "a " + BitsOf(a) + " b " + BitsOf(b);
    return false;
  };
  OnRandomInputs(3, [&](Floats& f, std::string* failure) {
    RTFMatrix3x3 a, b;
    for (RTFMatrix3x3* m : {&a, &b})
      for (auto& row : m->m)
        for (float& value : row) value = f.Next();
    return check(a, b, failure);
  });
  std::string failure;
  for (const auto& rowA : EdgeRows())
    for (const auto& rowB : EdgeRows()) {
      RTFMatrix3x3 a, b;
      for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 4; ++k) {
          a.m[i][k] = rowA[(k + i) % 4];
          b.m[i][k] = rowB[(k + 2 * i) % 4];
        }
      EXPECT_TRUE(check(a, b, &failure)) << failure;
    }
}

TEST(Differential, QuaternionProduct) {
  auto check = [](const Quaternion& a, const Quaternion& b, std::string* failure) {
    Quaternion ours, theirs, aliased = a;
    QuatMultiply(a, b, &ours);
    reference::QuatMultiply(a, b, &theirs);
    QuatMultiply(aliased, b, &aliased);
    if (SameFloats(ours, theirs) && SameFloats(aliased, theirs)) return true;
    *failure = "a " + BitsOf(a) + " b " + BitsOf(b);
    return false;
  };
  OnRandomInputs(4, [&](Floats& f, std::string* failure) {
    const Quaternion a{f.Next(), f.Next(), f.Next(), f.Next()}, b{f.Next(), f.Next(), f.Next(), f.Next()};
    return check(a, b, failure);
  });
  std::string failure;
  for (const auto& a : EdgeRows())
    for (const auto& b : EdgeRows())
      EXPECT_TRUE(check({a[0], a[1], a[2], a[3]}, {b[0], -b[1], b[2], -b[3]}, &failure)) << failure;
}

using RayTriangle = RTBool (*)(const RTFVector3D&, const RTFVector3D&, const RTFVector3D&, const RTFVector3D&,
                               const RTFVector3D&, float*, float*, float*);

struct Ray {
  RTFVector3D origin, direction, v0, v1, v2;
};

bool SameRayResults(const char* name, RayTriangle test, const Ray& r, std::string* failure) {
  float ours[3] = {-7.0f, -7.0f, -7.0f}, theirs[3] = {-7.0f, -7.0f, -7.0f};
  const RTBool hit = test(r.origin, r.direction, r.v0, r.v1, r.v2, &ours[0], &ours[1], &ours[2]);
  const RTBool expected =
      reference::IntersectRayTriangle(r.origin, r.direction, r.v0, r.v1, r.v2, &theirs[0], &theirs[1], &theirs[2]);
  if (hit == expected && SameFloats(ours, theirs)) return true;
  *failure = std::string(name) + " origin " + BitsOf(r.origin) + " direction " + BitsOf(r.direction) + " v0 " +
             BitsOf(r.v0) + " v1 " + BitsOf(r.v1) + " v2 " + BitsOf(r.v2);
  return false;
}

// A triangle with a ray aimed at a point of its plane: inside or just outside it, from either side.
Ray AimedRay(Floats& f) {
  Ray r{f.Vector(), {}, f.Vector(), f.Vector(), f.Vector()};
  const float s = f.Next(), t = f.Next();
  for (int k = 0; k < 3; ++k) {
    const float target = (&r.v0.x)[k] + s * ((&r.v1.x)[k] - (&r.v0.x)[k]) + t * ((&r.v2.x)[k] - (&r.v0.x)[k]);
    (&r.direction.x)[k] = target - (&r.origin.x)[k];
  }
  return r;
}

TEST(Differential, RayTriangle) {
  // The kernels, and the public function that picks one (edge inputs only).
  std::vector<std::pair<const char*, RayTriangle>> versions = {{"extended", ray_triangle::IntersectExtended},
                                                               {"public", IntersectRayTriangle}};
  if (ProcessorHasAvx2()) versions.emplace_back("AVX2", ray_triangle::IntersectAvx2);
  for (const auto& version : versions) {
    const char* name = version.first;  // named copies: clang 14 cannot capture structured bindings
    const RayTriangle test = version.second;
    if (name != std::string("public"))
      OnRandomInputs(5, [&](Floats& f, std::string* failure) {
        const Ray aimed = AimedRay(f);
        const Ray loose{f.Vector(), f.Vector(), f.Vector(), f.Vector(), f.Vector()};
        return SameRayResults(name, test, aimed, failure) && SameRayResults(name, test, loose, failure);
      });
    std::string failure;
    const RTFVector3D corners[] = {{0, 0, 0, 0}, {1, 0, 0, 0}, {0, 1, 0, 0}, {-1, -1, 0, 0}};
    for (const auto& a : EdgeRows())
      for (const auto& b : EdgeRows()) {
        const Ray edges[] = {
            {FromRow(a), FromRow(b), corners[0], corners[1], corners[2]},
            {corners[3], FromRow(a), FromRow(b), corners[1], corners[2]},
            {FromRow(a), {0, 0, 1, 0}, corners[0], FromRow(b), corners[2]},
        };
        for (const Ray& ray : edges) EXPECT_TRUE(SameRayResults(name, test, ray, &failure)) << failure;
      }
    // Hits on the triangle's edges and corners, where u + v meets det exactly, and misses just off
    // its edges.
    for (const float x : {0.0f, 0.5f, 1.0f, 0x1p-24f, 1.0f - 0x1p-24f, -0x1p-24f, -kDenormal, 1.0f + 0x1p-23f})
      for (const float y : {0.0f, 0.5f, 1.0f - x, 0x1p-30f})
        EXPECT_TRUE(
            SameRayResults(name, test, {{x, y, -1, 0}, {0, 0, 1, 0}, corners[0], corners[1], corners[2]}, &failure))
            << failure;
    // A ray through a slanted triangle and one beside it, scaled so that the float products
    // underflow, or overflow while the extended ones do not (det infinite, the results NaN).
    for (const float scale : {0x1p-60f, 0x1p-45f, 0x1p-6f, 0x1p40f, 0x1p45f, 0x1p60f})
      for (const float x : {0.25f, -0.25f}) {
        auto scaled = [&](float a, float b, float c) { return RTFVector3D{a * scale, b * scale, c * scale, 0}; };
        const Ray ray{scaled(x, 0.25f, -1), scaled(0.1f, 0.2f, 3), scaled(0, 0, 0.5f), scaled(0, 1, 0.75f),
                      scaled(1, 0, 0.25f)};
        EXPECT_TRUE(SameRayResults(name, test, ray, &failure)) << failure;
      }
  }
}

TEST(Differential, RandomRealOverThreeSeeds) {
  std::mt19937 words(6);
  RandomState seeds[3] = {RandomInitialState(), {}, {}};
  for (RandomState* state : {&seeds[1], &seeds[2]}) {
    for (uint32_t& word : state->words) word = words();
    state->index = 25;
  }
  for (const RandomState& seed : seeds) {
    RandomState ours = seed, theirs = seed;
    for (uint64_t i = 0; i < 10'000'000; ++i) {
      const double mine = RandomReal(&ours), expected = reference::RandomReal(&theirs);
      if (!SameBits(mine, expected)) {
        ADD_FAILURE() << "output " << i << ": " << mine << " against " << expected;
        break;
      }
    }
  }
}

}  // namespace
