// The methods of RTBoneModel, as its definition record declares them (rt_bone_model.cpp).
#pragma once

#include "kivo/scene/bone_model_calls.h"

namespace kivo::skin {

// Lists kept as the bind pose, and the mesh's methods the skin hands on (bind_lists.cpp).
RTSuccess SetVectorListF(RTInstance self, const RTFVector3D* vectors, uint32_t n);
RTSuccess SetNormalListF(RTInstance self, const RTFVector3D* normals, uint32_t n);
RTSuccess SetTangentListF(RTInstance self, const RTFVector3D* tangents, uint32_t n);
RTSuccess GetVectorListF(RTInstance self, RTFVector3D** vectors, uint32_t* n);
RTSuccess GetNormalListF(RTInstance self, RTFVector3D** normals, uint32_t* n);
RTSuccess ProcessFrame(RTInstance self, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame);
RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max);
RTSuccess HasAlpha(RTInstance self, RTBool* hasAlpha);

// The bone tree (bone_tree.cpp).
RTSuccess AddNode(RTInstance self, const char16_t* name, const RTFMatrix4x4* inverseBind, const RTFMatrix4x4* restLocal,
                  uint32_t n, const uint32_t* vertexIndices, const float* weights, const RTFVector3D* pivot,
                  float coneLength, RTBoneNode* parent, RTBoneNode** bone);
RTSuccess GetRootNode(RTInstance self, RTBoneNode** root);
RTSuccess GetNode(RTInstance self, const char16_t* name, RTBoneNode** bone);
RTSuccess GetNodeTM(RTInstance self, const RTBoneNode* bone, const RTFMatrix4x4** world);
RTSuccess GetLocalTM(RTInstance self, const RTBoneNode* bone, const RTFMatrix4x4** local);
RTSuccess GetNodeName(RTInstance self, const RTBoneNode* bone, const char16_t** name);
RTSuccess GetPivot(RTInstance self, const RTBoneNode* bone, RTFVector3D* pivot);
RTSuccess ManipulateNode(RTInstance self, RTBoneNode* bone, const RTFMatrix4x4* matrix);
RTSuccess ResetNode(RTInstance self, RTBoneNode* bone);
RTSuccess SetCustom(RTInstance self, RTBoneNode* bone, RTBool custom);
RTSuccess GetCustom(RTInstance self, const RTBoneNode* bone, RTBool* custom);
RTSuccess ResetCustom(RTInstance self, RTBoneNode* bone);
RTSuccess GetCustomTM(RTInstance self, const RTBoneNode* bone, RTFVector3D* euler);
RTSuccess FigureMode(RTInstance self, RTBool enable);
RTSuccess GetHierarchy(RTInstance self, BoneHierarchyNode** root);

// Posing and skinning (skinning.cpp).
RTSuccess Deform(RTInstance self, RTInstance motion);
RTSuccess UpdateXForm(RTInstance self, RTInstance motion);

// Bone drawing (bone_drawing.cpp).
RTSuccess SetRenderBone(RTInstance self, RTBool draw);
RTSuccess GetRenderBone(RTInstance self, RTBool* draw);
RTSuccess SetRenderAxis(RTInstance self, RTBool draw);
RTSuccess GetRenderAxis(RTInstance self, RTBool* draw);

// IK chains and settings (ik_chains.cpp).
RTSuccess GetIKChainsCount(RTInstance self, int32_t* count);
RTSuccess CreateIKChain(RTInstance self, const char16_t* root, const char16_t* endEffector, const char16_t* name,
                        int32_t* chain);
RTSuccess DeleteIKChain(RTInstance self, int32_t chain);
RTSuccess GetIKChain(RTInstance self, const char16_t** root, const char16_t** endEffector, const char16_t** name,
                     RTBool* active, int32_t chain);
RTSuccess SetIKChain(RTInstance self, const char16_t* root, const char16_t* endEffector, const char16_t* name,
                     RTBool active, int32_t chain);
RTSuccess GetIKChainLinkCount(RTInstance self, int32_t chain, int32_t* count);
RTSuccess GetIKChainLink(RTInstance self, int32_t chain, RTBoneNode** link, int32_t index);
RTSuccess SetIKTarget(RTInstance self, const RTFMatrix4x4* target, int32_t chain);
RTSuccess GetIKTarget(RTInstance self, RTFMatrix4x4* target, int32_t chain);
RTSuccess SetIKChainActive(RTInstance self, RTBool active, int32_t chain);
RTSuccess GetIKChainActive(RTInstance self, RTBool* active, int32_t chain);
RTSuccess SetIKDirty(RTInstance self, int32_t chain);
RTSuccess SetIKDamper(RTInstance self, float degrees);
RTSuccess GetIKDamper(RTInstance self, float* degrees);
RTSuccess SetIKIterations(RTInstance self, int32_t limit);
RTSuccess GetIKIterations(RTInstance self, int32_t* limit);
RTSuccess SetIKGoalDistance(RTInstance self, float distance);
RTSuccess GetIKGoalDistance(RTInstance self, float* distance);

// Limits of single bones (bone_limits.cpp).
RTSuccess SetIKTSConstraints(RTInstance self, RTBoneNode* bone, const RTFVector3D* sweepOffset, float radiusA,
                             float radiusB, float arc1, float arc2, float twist1, float twist2, uint32_t dof);
RTSuccess GetIKTSConstraints(RTInstance self, const RTBoneNode* bone, RTFVector3D* sweepOffset, float* radiusA,
                             float* radiusB, float* arcMin, float* arcMax, float* twistMin, float* twistMax,
                             uint32_t* dof);
RTSuccess SetEnableIKConstraints(RTInstance self, RTBool enable);
RTSuccess GetEnableIKConstraints(RTInstance self, RTBool* enable);
RTSuccess SetCustomTM(RTInstance self, RTBoneNode* bone, const RTFVector3D* euler);
RTSuccess SetIKRangeTest(RTInstance self, RTBoneNode* bone, float fraction);
RTSuccess CopyIK(RTInstance self, RTInstance other);

// Stream (bone_stream_write.cpp, bone_stream_read.cpp).
RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream);
RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream);

}  // namespace kivo::skin
