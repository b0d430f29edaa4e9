// RTBoneModel, the skinned mesh, as its callers see it: the bone record, the hierarchy view, the
// level and method slots of the class, and one calling wrapper per method.
//
// A skin is a mesh (RTPolyModel, its parent class) whose vertices and normals follow a tree of
// bones. It keeps the bind-pose lists as they were last set or loaded; each Deform poses the bones
// from an evaluated motion (RTAnimTrack) whose node tree has the bone tree's shape, child by
// child, bends the active inverse-kinematics chains toward their targets, and writes every vertex
// and normal back into the mesh's own lists as the weighted sum of its bind-pose value carried by
// each bone that influences it (p x inverse bind x world). The mesh then draws and measures those
// lists.
//
// Bones are handed out as pointers into the skin, valid until the skin is streamed in again or
// destroyed; a bone's name, world and motion matrices are handed out as pointers into it. Matrices
// are row-major with row vectors and the translation in row 3; angles at this interface are
// degrees.
//
// Inverse kinematics: a chain runs from an end-effector bone (link 0) up through its ancestors to
// a chain root. An active chain pins its links (their custom flags are set and they take their
// rest pose); each Deform solves every active chain that changed since its last solve by cyclic
// coordinate descent, one link turned per step, until the end effector lies within the goal
// distance of the target's translation or the iteration limit is spent. Each bone may limit its
// twist about its own x axis and, for DOF 2 and 3, the swing of that axis to a ring at its cone
// length along its rest x axis.
#pragma once

#include <cstdint>

#include "kivo/scene/poly_model_calls.h"
#include "kivo/slots.h"
#include "kivo/support/math_types.h"

// One bone. Matrices are local to the parent bone except the world matrix, which is in the skin's
// model space.
struct RTBoneNode {
  char16_t* name;
  uint32_t custom;            // 1: the custom matrix stands in for the motion's
  kivo::Quaternion rotation;  // of the custom matrix, kept in step with it by the operations below
  RTFMatrix4x4 customMatrix;
  RTFMatrix4x4 worldMatrix;   // local x parent's world (the root: x the skin's model matrix)
  RTFMatrix4x4 motionMatrix;  // the local matrix the motion gave at the last pose
  RTFMatrix4x4 inverseBind;   // bind-pose model space into the bone's space
  RTFMatrix4x4 restLocal;
  RTFMatrix4x4 inverseRestLocal;
  RTFVector3D pivot;  // handed to the motion with each read of the bone's matrix
  uint32_t childCount;
  uint32_t influenceCount;
  uint32_t* vertexIndices;   // below the vertex count of the mesh
  float* weights;            // used as given, not normalised
  float coneLength;          // along the bone's rest x axis: where its swing ring lies
  uint32_t dof;              // 1, 2 or 3
  RTFVector3D sweepOffset;   // centre of the swing ring
  RTFVector3D* coneSamples;  // the swing ring in the bone's rest frame (none for leaves and DOF 1)
  uint32_t coneSampleCount;
  float radiusA;
  float radiusB;
  float arcMin;  // degrees
  float arcMax;
  float twistMin;  // degrees
  float twistMax;
  RTBoneNode* parent;     // null for the root
  RTBoneNode** children;  // in insertion (or stream) order
};

namespace kivo {

// The read-only view of a bone tree that GetHierarchy hands out: one node per bone, same shape.
struct BoneHierarchyNode {
  RTBoneNode* bone;
  uint32_t childCount;
  BoneHierarchyNode* parent;
  BoneHierarchyNode** children;
};

namespace bone_model {

inline constexpr char16_t kClassName[] = u"RTBoneModel";

inline constexpr MethodSlot<uint32_t*> kGetStageCount{0x00};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamIn{0x04};
inline constexpr MethodSlot<uint32_t, RTInstance> kStreamOut{0x08};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetVectorListF{0x0c};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetTangentListF{0x10};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetNormalListF{0x14};
inline constexpr MethodSlot<const char16_t*, const RTFMatrix4x4*, const RTFMatrix4x4*, uint32_t, const uint32_t*, const float*, const RTFVector3D*, float, RTBoneNode*, RTBoneNode**> kAddNode{0x18};
inline constexpr MethodSlot<RTBoneNode**> kGetRootNode{0x1c};
inline constexpr MethodSlot<RTInstance> kDeform{0x20};
inline constexpr MethodSlot<const char16_t*, RTBoneNode**> kGetNode{0x24};
inline constexpr MethodSlot<const RTBoneNode*, const RTFMatrix4x4**> kGetNodeTM{0x28};
inline constexpr MethodSlot<RTBoneNode*, const RTFMatrix4x4*> kManipulateNode{0x2c};
inline constexpr MethodSlot<RTBoneNode*> kResetNode{0x30};
inline constexpr MethodSlot<RTBool> kSetRenderAxis{0x34};
inline constexpr MethodSlot<RTBool*> kGetRenderAxis{0x38};
inline constexpr MethodSlot<RTBool> kSetRenderBone{0x3c};
inline constexpr MethodSlot<RTBool*> kGetRenderBone{0x40};
inline constexpr MethodSlot<int32_t*> kGetIKChainsCount{0x44};
inline constexpr MethodSlot<const char16_t*, const char16_t*, const char16_t*, int32_t*> kCreateIKChain{0x48};
inline constexpr MethodSlot<int32_t> kDeleteIKChain{0x4c};
inline constexpr MethodSlot<const char16_t**, const char16_t**, const char16_t**, RTBool*, int32_t> kGetIKChain{0x50};
inline constexpr MethodSlot<const char16_t*, const char16_t*, const char16_t*, RTBool, int32_t> kSetIKChain{0x54};
inline constexpr MethodSlot<int32_t, int32_t*> kGetIKChainLinkCount{0x58};
inline constexpr MethodSlot<int32_t, RTBoneNode**, int32_t> kGetIKChainLink{0x5c};
inline constexpr MethodSlot<const RTFMatrix4x4*, int32_t> kSetIKTarget{0x60};
inline constexpr MethodSlot<RTFMatrix4x4*, int32_t> kGetIKTarget{0x64};
inline constexpr MethodSlot<float> kSetIKDamper{0x68};
inline constexpr MethodSlot<float*> kGetIKDamper{0x6c};
inline constexpr MethodSlot<int32_t> kSetIKIterations{0x70};
inline constexpr MethodSlot<int32_t*> kGetIKIterations{0x74};
inline constexpr MethodSlot<float> kSetIKGoalDistance{0x78};
inline constexpr MethodSlot<float*> kGetIKGoalDistance{0x7c};
inline constexpr MethodSlot<RTBoneNode*, const RTFVector3D*, float, float, float, float, float, float, uint32_t> kSetIKTSConstraints{0x80};
inline constexpr MethodSlot<const RTBoneNode*, RTFVector3D*, float*, float*, float*, float*, float*, float*, uint32_t*> kGetIKTSConstraints{0x84};
inline constexpr MethodSlot<RTBool> kSetEnableIKConstraints{0x88};
inline constexpr MethodSlot<RTBool*> kGetEnableIKConstraints{0x8c};
inline constexpr MethodSlot<int32_t> kSetIKDirty{0x90};
inline constexpr MethodSlot<RTBoneNode*, float> kSetIKRangeTest{0x94};
inline constexpr MethodSlot<BoneHierarchyNode**> kGetHierarchy{0x98};
inline constexpr MethodSlot<const RTBoneNode*, const char16_t**> kGetNodeName{0x9c};
inline constexpr MethodSlot<uint32_t, const RTSceneNodeEntityFrameInformation*> kProcessFrame{0xa0};
inline constexpr MethodSlot<RTFVector3D*, RTFVector3D*> kGetBoundingBox{0xa4};
inline constexpr MethodSlot<RTBoneNode*, const RTFVector3D*> kSetCustomTM{0xa8};
inline constexpr MethodSlot<const RTBoneNode*, RTFVector3D*> kGetCustomTM{0xac};
inline constexpr MethodSlot<RTBoneNode*, RTBool> kSetCustom{0xb0};
inline constexpr MethodSlot<const RTBoneNode*, RTBool*> kGetCustom{0xb4};
inline constexpr MethodSlot<RTBoneNode*> kResetCustom{0xb8};
inline constexpr MethodSlot<RTBool> kFigureMode{0xbc};
inline constexpr MethodSlot<RTBool*> kHasAlpha{0xc0};
inline constexpr MethodSlot<RTInstance> kCopyIK{0xc4};
inline constexpr MethodSlot<RTFVector3D**, uint32_t*> kGetVectorListF{0xc8};
inline constexpr MethodSlot<RTFVector3D**, uint32_t*> kGetNormalListF{0xcc};
inline constexpr MethodSlot<RTBool, int32_t> kSetIKChainActive{0xd0};
inline constexpr MethodSlot<RTBool*, int32_t> kGetIKChainActive{0xd4};
inline constexpr MethodSlot<RTInstance> kUpdateXForm{0xd8};
inline constexpr MethodSlot<const RTBoneNode*, RTFVector3D*> kGetPivot{0xdc};
inline constexpr MethodSlot<const RTBoneNode*, const RTFMatrix4x4**> kGetLocalTM{0xe0};
inline constexpr uint32_t kLevel = poly_model::kObjectSize;  // first slot table: reaches a derived class's overrides
inline constexpr uint32_t kOwnTable = kLevel + 4;            // second slot table: the skin's own functions
inline constexpr uint32_t kStateWord = kLevel + 8;
inline constexpr uint32_t kObjectSize = kStateWord + 4;  // published bytes: a derived level starts here
inline constexpr uint32_t kSlotTableSize = kGetLocalTM + 4;
inline constexpr uint32_t kStreamVersion = 2816;

// --- Lists -------------------------------------------------------------------------------------

// The mesh's own setter, then the list is kept as the bind pose. The getters give the mesh's lists,
// which hold the skinned result after Deform.
inline RTSuccess SetVectorListF(RTInstance s, const RTFVector3D* vectors, uint32_t n) {
  return CallMethod(s, kLevel, kSetVectorListF, vectors, n);
}
inline RTSuccess SetNormalListF(RTInstance s, const RTFVector3D* normals, uint32_t n) {
  return CallMethod(s, kLevel, kSetNormalListF, normals, n);
}
// Kept by the skin (never skinned); the mesh stores no tangents.
inline RTSuccess SetTangentListF(RTInstance s, const RTFVector3D* tangents, uint32_t n) {
  return CallMethod(s, kLevel, kSetTangentListF, tangents, n);
}
inline RTSuccess GetVectorListF(RTInstance s, RTFVector3D** vectors, uint32_t* n) {
  return CallMethod(s, kLevel, kGetVectorListF, vectors, n);
}
inline RTSuccess GetNormalListF(RTInstance s, RTFVector3D** normals, uint32_t* n) {
  return CallMethod(s, kLevel, kGetNormalListF, normals, n);
}

// --- Bones -------------------------------------------------------------------------------------

// A new bone under `parent` (a bone of this skin), or, with a null parent, the new root (a tree it
// replaces stays the skin's, so its bones stay valid). The bone takes copies of the name, the
// matrices and the n influences; its custom matrix is the rest local matrix, its twist range
// -30..30, arc 0..360, radii 1, DOF 3. Refused: an influence index at or above the mesh's vertex
// count, influences counted but not given, a tree deeper than 256 bones.
inline RTSuccess AddNode(RTInstance s, const char16_t* name, const RTFMatrix4x4* inverseBind,
                         const RTFMatrix4x4* restLocal, uint32_t n, const uint32_t* vertexIndices, const float* weights,
                         const RTFVector3D* pivot, float coneLength, RTBoneNode* parent, RTBoneNode** bone) {
  return CallMethod(s, kLevel, kAddNode, name, inverseBind, restLocal, n, vertexIndices, weights, pivot, coneLength,
                    parent, bone);
}
// Null when the skin has no bones.
inline RTSuccess GetRootNode(RTInstance s, RTBoneNode** root) { return CallMethod(s, kLevel, kGetRootNode, root); }
// The first bone of exactly that name, a bone before its children; fails (bone untouched) when none.
inline RTSuccess GetNode(RTInstance s, const char16_t* name, RTBoneNode** bone) {
  return CallMethod(s, kLevel, kGetNode, name, bone);
}
// The bone's world matrix, motion matrix and name, as pointers into it; its pivot as a copy.
inline RTSuccess GetNodeTM(RTInstance s, const RTBoneNode* bone, const RTFMatrix4x4** world) {
  return CallMethod(s, kLevel, kGetNodeTM, bone, world);
}
inline RTSuccess GetLocalTM(RTInstance s, const RTBoneNode* bone, const RTFMatrix4x4** local) {
  return CallMethod(s, kLevel, kGetLocalTM, bone, local);
}
inline RTSuccess GetNodeName(RTInstance s, const RTBoneNode* bone, const char16_t** name) {
  return CallMethod(s, kLevel, kGetNodeName, bone, name);
}
inline RTSuccess GetPivot(RTInstance s, const RTBoneNode* bone, RTFVector3D* pivot) {
  return CallMethod(s, kLevel, kGetPivot, bone, pivot);
}
// Custom flag 1 and the custom matrix a copy of `matrix` (its rotation is not updated).
inline RTSuccess ManipulateNode(RTInstance s, RTBoneNode* bone, const RTFMatrix4x4* matrix) {
  return CallMethod(s, kLevel, kManipulateNode, bone, matrix);
}
// Custom flag 0.
inline RTSuccess ResetNode(RTInstance s, RTBoneNode* bone) { return CallMethod(s, kLevel, kResetNode, bone); }
inline RTSuccess SetCustom(RTInstance s, RTBoneNode* bone, RTBool custom) {
  return CallMethod(s, kLevel, kSetCustom, bone, custom);
}
inline RTSuccess GetCustom(RTInstance s, const RTBoneNode* bone, RTBool* custom) {
  return CallMethod(s, kLevel, kGetCustom, bone, custom);
}
// The custom matrix back to the rest local matrix; the custom flag is kept.
inline RTSuccess ResetCustom(RTInstance s, RTBoneNode* bone) { return CallMethod(s, kLevel, kResetCustom, bone); }
// Writes the rotation of the Euler angles (degrees; z, then y, then x on a row vector) into the
// custom matrix, limited by the bone's twist and swing when constraints are on; the translation
// and the custom flag are kept.
inline RTSuccess SetCustomTM(RTInstance s, RTBoneNode* bone, const RTFVector3D* euler) {
  return CallMethod(s, kLevel, kSetCustomTM, bone, euler);
}
inline RTSuccess GetCustomTM(RTInstance s, const RTBoneNode* bone, RTFVector3D* euler) {
  return CallMethod(s, kLevel, kGetCustomTM, bone, euler);
}
// Sets every bone's custom flag; switched on, it pins the skeleton in its rest pose.
inline RTSuccess FigureMode(RTInstance s, RTBool enable) { return CallMethod(s, kLevel, kFigureMode, enable); }
// The view of the tree as it stood at the first call; later calls give the same view until the
// skin is streamed in again.
inline RTSuccess GetHierarchy(RTInstance s, BoneHierarchyNode** root) {
  return CallMethod(s, kLevel, kGetHierarchy, root);
}

// --- Posing and skinning -----------------------------------------------------------------------

// Poses the bones from the motion as last evaluated (a motion with fewer children at some node
// than the bone tree is reported and the later bones keep their matrices), solves the changed
// chains and rewrites the mesh's vertices and normals; draws the bones and their axes when asked.
// Allocates nothing; always 1.
inline RTSuccess Deform(RTInstance s, RTInstance motion) { return CallMethod(s, kLevel, kDeform, motion); }
// Poses the bones only: no chains, no vertices. Always 1.
inline RTSuccess UpdateXForm(RTInstance s, RTInstance motion) { return CallMethod(s, kLevel, kUpdateXForm, motion); }

// --- Bone drawing ------------------------------------------------------------------------------

// Each Deform draws the posed skeleton through the RTRasterizer singleton in the skin's model
// space: yellow diamonds at the joints joined by lines, and a red, green and blue axis cross at
// every joint. Both off when made; not streamed.
inline RTSuccess SetRenderBone(RTInstance s, RTBool draw) { return CallMethod(s, kLevel, kSetRenderBone, draw); }
inline RTSuccess GetRenderBone(RTInstance s, RTBool* draw) { return CallMethod(s, kLevel, kGetRenderBone, draw); }
inline RTSuccess SetRenderAxis(RTInstance s, RTBool draw) { return CallMethod(s, kLevel, kSetRenderAxis, draw); }
inline RTSuccess GetRenderAxis(RTInstance s, RTBool* draw) { return CallMethod(s, kLevel, kGetRenderAxis, draw); }

// --- Inverse kinematics ------------------------------------------------------------------------

// Chains are numbered from 0 in creation order; an index out of range fails and changes nothing.
inline RTSuccess GetIKChainsCount(RTInstance s, int32_t* count) {
  return CallMethod(s, kLevel, kGetIKChainsCount, count);
}
// A new inactive chain from the end effector up to the bone named `root`, an ancestor of it.
// Refused: an unknown end effector, a root that is no ancestor, a chain of one bone.
inline RTSuccess CreateIKChain(RTInstance s, const char16_t* root, const char16_t* endEffector, const char16_t* name,
                               int32_t* chain) {
  return CallMethod(s, kLevel, kCreateIKChain, root, endEffector, name, chain);
}
// The later chains move down by one.
inline RTSuccess DeleteIKChain(RTInstance s, int32_t chain) { return CallMethod(s, kLevel, kDeleteIKChain, chain); }
// The chain's own strings, valid until it changes.
inline RTSuccess GetIKChain(RTInstance s, const char16_t** root, const char16_t** endEffector, const char16_t** name,
                            RTBool* active, int32_t chain) {
  return CallMethod(s, kLevel, kGetIKChain, root, endEffector, name, active, chain);
}
inline RTSuccess SetIKChain(RTInstance s, const char16_t* root, const char16_t* endEffector, const char16_t* name,
                            RTBool active, int32_t chain) {
  return CallMethod(s, kLevel, kSetIKChain, root, endEffector, name, active, chain);
}
inline RTSuccess GetIKChainLinkCount(RTInstance s, int32_t chain, int32_t* count) {
  return CallMethod(s, kLevel, kGetIKChainLinkCount, chain, count);
}
// Link 0 is the end effector, the last link the chain root.
inline RTSuccess GetIKChainLink(RTInstance s, int32_t chain, RTBoneNode** link, int32_t index) {
  return CallMethod(s, kLevel, kGetIKChainLink, chain, link, index);
}
// The target's translation is the goal, in the skin's model space.
inline RTSuccess SetIKTarget(RTInstance s, const RTFMatrix4x4* target, int32_t chain) {
  return CallMethod(s, kLevel, kSetIKTarget, target, chain);
}
inline RTSuccess GetIKTarget(RTInstance s, RTFMatrix4x4* target, int32_t chain) {
  return CallMethod(s, kLevel, kGetIKTarget, target, chain);
}
// Activation pins the links in their rest pose and marks the chain for a solve; deactivation
// hands the links back to the motion.
inline RTSuccess SetIKChainActive(RTInstance s, RTBool active, int32_t chain) {
  return CallMethod(s, kLevel, kSetIKChainActive, active, chain);
}
inline RTSuccess GetIKChainActive(RTInstance s, RTBool* active, int32_t chain) {
  return CallMethod(s, kLevel, kGetIKChainActive, active, chain);
}
inline RTSuccess SetIKDirty(RTInstance s, int32_t chain) { return CallMethod(s, kLevel, kSetIKDirty, chain); }
// The settings: the damper (degrees, 0.15 when made; kept and streamed, no solve reads it), the
// iteration limit (50) and the goal distance (0.001). Each setter marks every chain for a solve.
inline RTSuccess SetIKDamper(RTInstance s, float degrees) { return CallMethod(s, kLevel, kSetIKDamper, degrees); }
inline RTSuccess GetIKDamper(RTInstance s, float* degrees) { return CallMethod(s, kLevel, kGetIKDamper, degrees); }
inline RTSuccess SetIKIterations(RTInstance s, int32_t limit) { return CallMethod(s, kLevel, kSetIKIterations, limit); }
inline RTSuccess GetIKIterations(RTInstance s, int32_t* limit) {
  return CallMethod(s, kLevel, kGetIKIterations, limit);
}
inline RTSuccess SetIKGoalDistance(RTInstance s, float distance) {
  return CallMethod(s, kLevel, kSetIKGoalDistance, distance);
}
inline RTSuccess GetIKGoalDistance(RTInstance s, float* distance) {
  return CallMethod(s, kLevel, kGetIKGoalDistance, distance);
}
// A bone's limits: each pair is stored in ascending order; the swing ring is rebuilt.
inline RTSuccess SetIKTSConstraints(RTInstance s, RTBoneNode* bone, const RTFVector3D* sweepOffset, float radiusA,
                                    float radiusB, float arc1, float arc2, float twist1, float twist2, uint32_t dof) {
  return CallMethod(s, kLevel, kSetIKTSConstraints, bone, sweepOffset, radiusA, radiusB, arc1, arc2, twist1, twist2,
                    dof);
}
inline RTSuccess GetIKTSConstraints(RTInstance s, const RTBoneNode* bone, RTFVector3D* sweepOffset, float* radiusA,
                                    float* radiusB, float* arcMin, float* arcMax, float* twistMin, float* twistMax,
                                    uint32_t* dof) {
  return CallMethod(s, kLevel, kGetIKTSConstraints, bone, sweepOffset, radiusA, radiusB, arcMin, arcMax, twistMin,
                    twistMax, dof);
}
// The twist and swing limits of SetCustomTM, SetIKRangeTest and the solver's swing (the solver
// always limits the twist). On when made; no chain is marked.
inline RTSuccess SetEnableIKConstraints(RTInstance s, RTBool enable) {
  return CallMethod(s, kLevel, kSetEnableIKConstraints, enable);
}
inline RTSuccess GetEnableIKConstraints(RTInstance s, RTBool* enable) {
  return CallMethod(s, kLevel, kGetEnableIKConstraints, enable);
}
// Turns the bone's custom rotation toward the point of its swing ring at the fraction (0 to 1,
// held there) of the ring; a bone without a ring is left alone. The custom flag is kept.
inline RTSuccess SetIKRangeTest(RTInstance s, RTBoneNode* bone, float fraction) {
  return CallMethod(s, kLevel, kSetIKRangeTest, bone, fraction);
}
// The bones of the other skin take this skin's limits, bone by bone in the order of the walk over
// both trees (children paired up to the smaller count), and rebuild their swing rings.
inline RTSuccess CopyIK(RTInstance s, RTInstance other) { return CallMethod(s, kLevel, kCopyIK, other); }

}  // namespace bone_model

}  // namespace kivo
