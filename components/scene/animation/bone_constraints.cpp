#include "bone_constraints.h"

#include <algorithm>
#include <cstdint>

#include "bone_model_state.h"
#include "kivo/support/core_arrays.h"
#include "kivo/support/geometry.h"
#include "kivo/support/matrix.h"
#include "kivo/support/numeric.h"
#include "kivo/support/quaternion.h"
#include "kivo/support/scalar_math.h"
#include "kivo/support/vector.h"

namespace kivo::skin {

namespace {

constexpr float kSamplesPerRadius = 20;
constexpr float kLeastSamples = 20;
constexpr float kMostSwing = 80;  // degrees between the cone axis and the swung axis
constexpr RTFVector3D kBoneAxis{1, 0, 0, 0};

bool LimitsSwing(const RTBoneNode& bone) { return bone.dof == 2 || bone.dof == 3; }

RTFMatrix4x4 WithoutTranslation(const RTFMatrix4x4& m) {
  RTFMatrix4x4 rotation = m;
  Mat4SetTranslation(&rotation, RTFVector3D{});
  return rotation;
}

RTFVector3D Transformed(const RTFMatrix4x4& m, const RTFVector3D& p) {
  RTFVector3D out{};
  Mat4TransformPoint(m, p, &out);
  return out;
}

RTFVector3D Normalized(RTFVector3D v) {
  Vec3Normalize(&v);
  return v;
}

// The angle between two unit vectors in degrees.
float DegreesBetween(const RTFVector3D& a, const RTFVector3D& b) { return Degrees(MathAcos(Vec3Dot(a, b))); }

// Strictly inside the open range between the two values, either order.
bool Inside(float value, float end1, float end2) {
  return std::min(end1, end2) < value && value < std::max(end1, end2);
}

}  // namespace

void BuildConeSamples(RTBoneNode* bone) {
  if (bone->childCount == 0 || !LimitsSwing(*bone)) return;
  const float radius = bone->dof == 2 ? std::max(bone->radiusA, bone->radiusB) : bone->radiusA;
  const uint32_t n =
      std::clamp<int64_t>(FloatToInt<int64_t>(radius * kSamplesPerRadius + kLeastSamples), 0, kMaxConeSamples);
  FreeArray(bone->coneSamples);
  bone->coneSampleCount = 0;
  if (n == 0 || !NewArray(n, &bone->coneSamples)) return;
  bone->coneSampleCount = n;
  const float radiusB = bone->dof == 2 ? bone->radiusB : bone->radiusA;
  const float step = Radians(bone->arcMax - bone->arcMin) / static_cast<float>(n);
  float angle = Radians(bone->arcMin);
  const RTFVector3D& sweep = bone->sweepOffset;
  for (uint32_t i = 0; i < n; ++i, angle += step)
    bone->coneSamples[i] = RTFVector3D{bone->coneLength + sweep.x, MathCos(angle) * bone->radiusA + sweep.y,
                                       MathSin(angle) * radiusB + sweep.z, 0};
}

SwingTwist SplitSwingTwist(const RTBoneNode& bone, const Quaternion& q) {
  RTFVector3D axis{};
  Mat4RotateVector(bone.customMatrix, kBoneAxis, &axis);
  SwingTwist parts{};
  QuatFromTwoVectors(kBoneAxis, axis, &parts.swing);
  Quaternion unswing{};
  QuatConjugate(parts.swing, &unswing);
  QuatMultiply(q, unswing, &parts.twist);
  return parts;
}

void ClampTwist(const RTBoneNode& bone, Quaternion* twist) {
  float angle = 0;
  RTFVector3D axis{};
  QuatToAxisAngle(*twist, &angle, &axis);
  const float low = Radians(bone.twistMin), high = Radians(bone.twistMax);
  if (low > angle) {
    angle = low;
  } else if (angle > high) {
    angle = high;
  }
  QuatFromAxisAngle(angle, &axis, twist);
}

void ApplySwingConstraint(const RTBoneNode& bone, Quaternion* swing) {
  if (!LimitsSwing(bone)) return;
  const RTFMatrix4x4 rest = WithoutTranslation(bone.restLocal);
  const RTFVector3D cone = Transformed(rest, RTFVector3D{bone.coneLength + bone.sweepOffset.x, 0, 0, 0});
  RTFMatrix4x4 swung;
  QuatToMat4(*swing, &swung);
  RTFVector3D axis = Transformed(swung, kBoneAxis);
  const RTFVector3D coneUnit = Normalized(cone);
  const RTFVector3D axisUnit = Normalized(axis);
  const float apart = DegreesBetween(coneUnit, axisUnit);
  if (apart > kMostSwing) {
    RTFVector3D turn{};
    Vec3Cross(coneUnit, axisUnit, &turn);
    Quaternion back{};
    QuatFromAxisAngle(Radians(apart - kMostSwing), &turn, &back);
    RTFMatrix4x4 turnBack;
    QuatToMat4(back, &turnBack);
    Mat4RotateVector(turnBack, axis, &axis);
  }
  RTFVector3D onPlane{};
  float t = 0;
  if (!IntersectLinePlane(cone, RTFVector3D{}, axis, coneUnit, &onPlane, &t)) return;
  RTFVector3D inBone = Transformed(WithoutTranslation(bone.inverseRestLocal), onPlane);
  LimitArc(bone, &inBone);
  const RTFVector2D centre{bone.sweepOffset.y, bone.sweepOffset.z};
  RTFVector2D crossing{}, other{};
  float t1 = 0, t2 = 0;
  RTFVector3D direction = onPlane;
  if (IntersectSegmentCircle2D(centre, bone.radiusA, RTFVector2D{inBone.y, inBone.z}, centre, &crossing, &other, &t1,
                               &t2) == 1)
    direction = Transformed(rest, RTFVector3D{inBone.x, crossing.x, crossing.y, 0});
  QuatFromTwoVectors(kBoneAxis, direction, swing);
}

void LimitArc(const RTBoneNode& bone, RTFVector3D* point) {
  const float arcMin = bone.arcMin, arcMax = bone.arcMax;
  const float half = arcMax >= arcMin ? (arcMax - arcMin) / 2 : (arcMax + 360 - arcMin) / 2;
  if (half == 180) return;
  float excluded = arcMin + half + 180;
  if (excluded > 360) excluded -= 360;
  float angle = DegreesBetween(Normalized(*point), kBoneAxis);
  if (point->z < 0) angle = 360 - angle;
  const auto within = [&](float end) { return Inside(angle, end, excluded) || Inside(angle + 360, end, excluded); };
  float limit = 0;
  if (within(arcMin)) {
    limit = arcMin;
  } else if (within(arcMax)) {
    limit = arcMax;
  } else {
    return;
  }
  RTFMatrix4x4 turn;
  Mat4RotationX(&turn, Radians(limit));
  Mat4RotateVector(turn, *point, point);
}

}  // namespace kivo::skin
