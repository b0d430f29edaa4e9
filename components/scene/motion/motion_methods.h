// The methods of RTAnimTrack, as its definition record declares them (rt_anim_track.cpp).
#pragma once

#include "kivo/scene/motion_calls.h"

namespace kivo::anim_track {

// Nodes and queries (motion_nodes.cpp).
RTSuccess AddNode(RTInstance self, const char16_t* name, const RTKeyPos* positions, const RTKeyRot* rotations,
                  const RTKeyScl* scales, uint32_t positionCount, uint32_t rotationCount, uint32_t scaleCount,
                  const RTFVector3D* pivot, MotionNode* parent, MotionNode** node);
RTSuccess GetRootNode(RTInstance self, MotionNode** root);
RTSuccess GetNodeChild(RTInstance self, const MotionNode* node, MotionNode** child, uint32_t index);
RTSuccess GetNodeTMAdjusted(RTInstance self, const MotionNode* node, const RTFVector3D* skinPivot,
                            RTFMatrix4x4* matrix);
RTSuccess GetNodeTM(RTInstance self, const MotionNode* node, RTFMatrix4x4* matrix);
RTSuccess FindNode(RTInstance self, const char16_t* name, MotionNode** node);
RTSuccess GetNode(RTInstance self, const char16_t* name, MotionNode** node);
RTSuccess AdjustNode(RTInstance self, MotionNode* node, const RTFVector3D* adjust, uint32_t tag);
RTSuccess GetMemory(RTInstance self, uint32_t* bytes);
RTSuccess GetInfo(RTInstance self, float* start, float* end);
RTSuccess SetInfo(RTInstance self, float start, float end);
RTSuccess GetContinuous(RTInstance self, RTBool* continuous);
RTSuccess GetThreshold(RTInstance self, float* threshold);
RTSuccess GetPeriod(RTInstance self, float* period);
RTSuccess Commit(RTInstance self);

// Evaluation (motion_evaluate.cpp).
RTSuccess UpdateFrame(RTInstance self, float time, RTBool looped, RTBool reverse);
RTSuccess TweenFrame(RTInstance self, float time, float percent, RTBool looped, RTBool reverse, RTInstance other);

// Key processing (key_processing.cpp).
RTSuccess SetContinuous(RTInstance self, RTBool continuous);
RTSuccess SetThreshold(RTInstance self, float threshold);
RTSuccess SetPeriod(RTInstance self, float period);
// Rebuilds the squad control points of every node's rotation keys.
void RebuildControlQuats(MotionNode* node, bool continuous);

// Stream (motion_stream.cpp).
RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream);
RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream);

}  // namespace kivo::anim_track
