// The rasterizer's operations as its method table lists them; each takes the instance first and
// the arguments that rasterizer_calls.h passes, in the same types.
#pragma once

#include "kivo/rasterizer/rasterizer_calls.h"
#include "rasterizer_state.h"

namespace rasterizer {

using kivo::rasterizer::Texture;
using kivo::rasterizer::WindowContext;

// Window and frames (frame_ops.cpp).
RTSuccess CreateWindowContext(RTInstance self, void* window, const uint32_t* descriptor, WindowContext* out);
RTSuccess BeginFrame(RTInstance self, void* contextOrWindow);
RTSuccess BeginScene(RTInstance self);
RTSuccess EndScene(RTInstance self);
RTSuccess PresentFrame(RTInstance self);
RTSuccess Screenshot(RTInstance self, const char16_t* path);
RTSuccess Record(RTInstance self, const char16_t* path);
RTSuccess GetWindowRect(RTInstance self, void* contextOrWindow, uint32_t* rect);
RTSuccess GetCurrentWindow(RTInstance self, WindowContext* out);
RTSuccess SetClearColor(RTInstance self, float red, float green, float blue, float alpha);
RTSuccess SetClearMask(RTInstance self, uint32_t bits);
RTSuccess SetClearStencil(RTInstance self, uint32_t value);
RTSuccess Clear(RTInstance self, uint32_t bits);
RTSuccess ResizeViewport(RTInstance self, uint32_t width, uint32_t height);
RTSuccess SetViewport(RTInstance self, int32_t x, int32_t y, int32_t width, int32_t height);
RTSuccess EnableScissor(RTInstance self, uint32_t flag);
RTSuccess SetScissor(RTInstance self, int32_t x, int32_t y, int32_t width, int32_t height);
RTSuccess SetOverlayMode(RTInstance self, uint32_t mode);

// Transforms and projection (transform_ops.cpp).
RTSuccess PushViewMatrix(RTInstance self, const RTFMatrix4x4* placement);
RTSuccess PopViewMatrix(RTInstance self);
RTSuccess PushWorldMatrix(RTInstance self, const RTFMatrix4x4* matrix);
RTSuccess PopWorldMatrix(RTInstance self);
RTSuccess SetProjectionMode(RTInstance self, uint32_t mode);
RTSuccess RestoreProjectionMode(RTInstance self);
RTSuccess GetProjectionMode(RTInstance self, uint32_t* mode);
RTSuccess SetProjection(RTInstance self, float left, float top, float nearZ, float right, float bottom, float farZ);
RTSuccess GetProjection(RTInstance self, float* left, float* top, float* nearZ, float* right, float* bottom,
                        float* farZ);
RTSuccess GetViewVolume(RTInstance self, float* left, float* bottom, float* nearZ, float* right, float* top,
                        float* farZ);
RTSuccess SetViewVolume(RTInstance self, float left, float right, float bottom, float top, float nearZ, float farZ);
RTSuccess GetCurrentCamera(RTInstance self, RTInstance* camera);
RTSuccess SetCurrentCamera(RTInstance self, RTInstance camera);
RTSuccess ProjectPoint(RTInstance self, const RTFMatrix4x4* placement, const RTFVector3D* point, float* x, float* y,
                       float* z);
// Gives the current camera's reference back (the instance's end).
void ReleaseCamera(State& state);

// Immediate batches and colours (batch_ops.cpp).
RTSuccess BeginPrimitive(RTInstance self, uint32_t kind);
RTSuccess EndPrimitive(RTInstance self);
RTSuccess Vertex3(RTInstance self, float x, float y, float z);
RTSuccess VertexVector(RTInstance self, const RTFVector3D* point);
RTSuccess TexCoord(RTInstance self, uint32_t unit, float s, float t);
RTSuccess TexCoordVector(RTInstance self, uint32_t unit, const RTFVector2D* st);
RTSuccess SetColor(RTInstance self, float red, float green, float blue);
RTSuccess SetColorFromArray(RTInstance self, const float* rgb);
RTSuccess SetVertexColor(RTInstance self, float red, float green, float blue);
RTSuccess SetColorRGBA(RTInstance self, float red, float green, float blue, float alpha);
RTSuccess SetColorRGBAArray(RTInstance self, const float* rgba);

// Arrays and their draws (array_ops.cpp).
RTSuccess SetVertexArray(RTInstance self, const RTFVector3D* points, uint32_t count);
RTSuccess SetTexCoordArray(RTInstance self, const RTFVector2D* pairs, uint32_t count);
RTSuccess SetColorArray(RTInstance self, const RTFColorRGB* colours, uint32_t count);
RTSuccess SetNormalArray(RTInstance self, const RTFVector3D* normals, uint32_t count);
RTSuccess SetTangentArray(RTInstance self, const RTFVector3D* tangents, uint32_t count);
RTSuccess EnableColorArray(RTInstance self, uint32_t flag);
RTSuccess EnableTexCoordArray(RTInstance self, uint32_t flag);
RTSuccess DrawStrips(RTInstance self, RTPrimitive* const* strips, uint32_t count);
RTSuccess DrawPrimitive(RTInstance self, const RTPrimitive* primitive);
RTSuccess DrawIndexedQuad(RTInstance self, uint32_t a, uint32_t b, uint32_t c, uint32_t d);
RTSuccess DrawIndexedPrimitive(RTInstance self, uint32_t kind, uint32_t count, const uint32_t* indices);
RTSuccess DrawIndexedTriangles(RTInstance self, uint32_t count, const uint32_t* indices);

// Primitive records and their stream form (primitive_ops.cpp).
RTSuccess CreatePrimitive(RTInstance self, uint32_t kind, RTPrimitive** out);
RTSuccess DestroyPrimitive(RTInstance self, RTPrimitive* primitive);
RTSuccess RegisterPrimitive(RTInstance self, RTPrimitive* primitive);
RTSuccess ResizePrimitiveList(RTInstance self, RTPrimitive* primitive, uint32_t n);
RTSuccess ReadPrimitive(RTInstance self, RTInstance stream, RTPrimitive** out);
RTSuccess WritePrimitive(RTInstance self, RTInstance stream, const RTPrimitive* primitive);
// Frees every primitive still made (the instance's end).
void DestroyAllPrimitives(State& state);

// Textures (texture_ops.cpp).
RTSuccess CreateTextureFromImage(RTInstance self, RTInstance image, Texture* out, uint32_t wrapS, uint32_t wrapT,
                                 uint32_t magnify, uint32_t minify, uint32_t mipmaps);
RTSuccess CreateTextureFromPixels(RTInstance self, const uint8_t* pixels, uint32_t layout, uint32_t width,
                                  uint32_t height, Texture* out, uint32_t wrapS, uint32_t wrapT, uint32_t magnify,
                                  uint32_t minify, uint32_t mipmaps);
RTSuccess DestroyTexture(RTInstance self, Texture texture);
RTSuccess GetImageSize(RTInstance self, RTInstance image, uint32_t* width, uint32_t* height);
RTSuccess SelectTextureUnit(RTInstance self, uint32_t unit);
RTSuccess BindTexture(RTInstance self, Texture texture);
RTSuccess EnableTexturing(RTInstance self, uint32_t flag);

// Switches and render states (state_ops.cpp).
RTSuccess EnableCulling(RTInstance self, uint32_t flag);
RTSuccess SetCullMode(RTInstance self, uint32_t mode);
RTSuccess EnableDepthTest(RTInstance self, uint32_t flag);
RTSuccess EnableDepthWrite(RTInstance self, uint32_t flag);
RTSuccess SetDepthFunc(RTInstance self, uint32_t function);
RTSuccess SetColorMask(RTInstance self, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);
RTSuccess EnableBlending(RTInstance self, uint32_t flag);
RTSuccess SetBlendFunc(RTInstance self, uint32_t source, uint32_t destination);
RTSuccess EnableStencilTest(RTInstance self, uint32_t flag);
RTSuccess SetStencilMask(RTInstance self, uint32_t mask);
RTSuccess SetStencilFunc(RTInstance self, uint32_t function, uint32_t reference, uint32_t mask);
RTSuccess SetStencilOp(RTInstance self, uint32_t stencilFail, uint32_t depthFail, uint32_t pass);
RTSuccess SetLineWidth(RTInstance self, float width);
RTSuccess EnableLighting(RTInstance self, uint32_t flag);
RTSuccess EnableFog(RTInstance self, uint32_t flag);
RTSuccess SetFogColor(RTInstance self, float red, float green, float blue, float alpha);
RTSuccess EnableSmoothing(RTInstance self, uint32_t flag);
RTSuccess EnableEffectState(RTInstance self, uint32_t flag);
RTSuccess SetRenderSwitchA(RTInstance self, uint32_t flag);
RTSuccess SetRenderSwitchB(RTInstance self, uint32_t flag);
RTSuccess SetRenderSwitchC(RTInstance self, uint32_t flag);
RTSuccess SetRenderSwitchD(RTInstance self, uint32_t flag);

// Vertex and fragment programs (program_ops.cpp).
RTSuccess LoadArbVertexProgram(RTInstance self, const char* text, uint32_t* handle);
RTSuccess LoadNvVertexProgram(RTInstance self, const char* text, uint32_t* handle);
RTSuccess LoadNvFragmentProgram(RTInstance self, const char* text, uint32_t* handle);
RTSuccess LoadArbFragmentProgram(RTInstance self, const char* text, uint32_t* handle);
RTSuccess EnableArbVertexProgram(RTInstance self, uint32_t handle);
RTSuccess EnableNvVertexProgram(RTInstance self, uint32_t handle);
RTSuccess EnableNvFragmentProgram(RTInstance self, uint32_t handle);
RTSuccess EnableArbFragmentProgram(RTInstance self, uint32_t handle);

}  // namespace rasterizer
