// The methods of RTPolyModel, as its definition record declares them (rt_poly_model.cpp).
#pragma once

#include "kivo/scene/poly_model_calls.h"

namespace kivo::mesh {

// Vertex lists, bounds and display (vertex_lists.cpp).
RTSuccess SetVectorListF(RTInstance self, const RTFVector3D* vectors, uint32_t n);
RTSuccess GetVectorListF(RTInstance self, RTFVector3D** vectors, uint32_t* n);
RTSuccess SetUVListF(RTInstance self, uint32_t layer, const RTFVector2D* coordinates, uint32_t n);
RTSuccess GetUVListF(RTInstance self, uint32_t layer, RTFVector2D** coordinates, uint32_t* n);
RTSuccess SetNormalListF(RTInstance self, const RTFVector3D* normals, uint32_t n);
RTSuccess GetNormalListF(RTInstance self, RTFVector3D** normals, uint32_t* n);
RTSuccess GetTangentListF(RTInstance self, RTFVector3D** tangents, uint32_t* n);
RTSuccess GetColorListF(RTInstance self, RTFColorRGB** colours, uint32_t* n);
RTSuccess GetBoundingBox(RTInstance self, RTFVector3D* min, RTFVector3D* max);
RTSuccess GetBoundingSphere(RTInstance self, float* radius);
RTSuccess SetColorMultiplierFVRGBA(RTInstance self, const RTFColorRGB* colour);
RTSuccess GetColorMultiplierFVRGBA(RTInstance self, RTFColorRGB* colour);
RTSuccess DisplayNormals(RTInstance self, RTBool enable);
RTSuccess DisplayTangents(RTInstance self, RTBool enable);
RTSuccess DisplayNormalLength(RTInstance self, float length);

// Materials, groups and primitives (material_groups.cpp).
RTSuccess SetMaterialList(RTInstance self, const RTInstance* materials, uint32_t n);
RTSuccess GetMaterialList(RTInstance self, RTInstance** materials, uint32_t* n);
RTSuccess AddPrimitive(RTInstance self, uint32_t kind, RTPrimitive* primitive);
RTSuccess SetPrimitiveListCount(RTInstance self, uint32_t kind, uint32_t n);
RTSuccess GetPrimitiveList(RTInstance self, uint32_t kind, RTPrimitive** copies, uint32_t* n);
RTSuccess GetPrimitiveListByMaterialIndex(RTInstance self, uint32_t material, uint32_t kind, RTPrimitive*** primitives,
                                          uint32_t* n);
RTSuccess HasAlpha(RTInstance self, RTBool* hasAlpha);
RTSuccess UpdateAlphaInfo(RTInstance self);

// Shadow geometry (shadow_geometry.cpp).
RTSuccess ComputeShadowGeometry(RTInstance self);
RTSuccess CleanGeometry(RTInstance self);
RTSuccess GetTriangles(RTInstance self, uint32_t* n, RTPolyModelTriangle** triangles);
RTSuccess GetFlatTriangleList(RTInstance self, RTTriangleList3D** list);

// Stencil shadow volumes (shadow_volume.cpp).
RTSuccess CastShadowVolume(RTInstance self, const RTSceneNodeEntityFrameInformation* frame,
                           const RTFVector3D* lightPosition);

// T-junction removal (t_junctions.cpp).
RTSuccess EliminateTJunctions(RTInstance self);

// Drawing (process_frame.cpp).
RTSuccess ProcessFrame(RTInstance self, uint32_t milliseconds, const RTSceneNodeEntityFrameInformation* frame);

// Stream (mesh_stream_write.cpp, mesh_stream_read.cpp).
RTSuccess StreamOut(RTInstance self, uint32_t stage, RTInstance stream);
RTSuccess StreamIn(RTInstance self, uint32_t stage, RTInstance stream);

}  // namespace kivo::mesh
