// Calls on the rasterizer (class RTRasterizer, a singleton), by their byte offsets in the slot table
// of its class level; every call returns 1 on success and 0 on failure. This is the one header
// that names the rasterizer's operations: the offsets below 0x300 are those that callers number,
// the others (from 0x300) are the framework's own.
//
// Conventions:
// - Colours are floats 0 to 1. Matrices are RTFMatrix4x4: row-major, row vectors, translation in
//   row 3. Vectors are 16-byte RTFVector3D; only x, y and z are read.
// - Flags are 0 (off) or any other value (on). Blend, depth, stencil, wrap and filter values are
//   the OpenGL enumerants.
// - Textures are OpenGL texture names; 0 is no texture.
// - Operations that draw or change drawing state need a window context (CreateWindowContext);
//   without one they fail and change nothing. Primitive operations, GetImageSize and Record work
//   without one.
//
// Names the game's callers use for the same operations are given beside each slot.
#pragma once

#include <cstddef>
#include <cstdint>

#include "kivo/slots.h"
#include "kivo/support/math_types.h"

// A primitive made, stored and destroyed by the rasterizer. Callers read the material index,
// the count and the index array, and write indices into an array sized by ResizePrimitiveList.
struct RTPrimitive {
  uint32_t kind;           // kGeneralList, kTriangleStrip or kTriangleList
  uint32_t serial;         // the rasterizer's own: its number among the primitives made
  uint32_t capacity;       // the rasterizer's own: indices the array holds
  uint32_t materialIndex;
  uint32_t count;          // triangles of a list; indices of a strip or a general list
  uint32_t* indices;       // vertex indices into the vertex array; three per triangle of a list
};
static_assert(offsetof(RTPrimitive, materialIndex) == 12);
static_assert(offsetof(RTPrimitive, count) == 16);
static_assert(offsetof(RTPrimitive, indices) == 20 || sizeof(void*) == 8);

namespace kivo::rasterizer {

inline constexpr char16_t kClassName[] = u"RTRasterizer";
inline constexpr uint32_t kLevel = 0x08;

// Window and transforms.
using WindowContext = void*;
using Texture = uint32_t;

inline constexpr MethodSlot<void*, uint32_t*> kGetWindowRect{0x10};  // GetWindowInfo
inline constexpr MethodSlot<WindowContext*> kGetCurrentWindow{0x18};
inline constexpr MethodSlot<const RTFMatrix4x4*> kPushViewMatrix{0x28};  // PushMatrixA
inline constexpr MethodSlot<> kPopViewMatrix{0x30};  // PopMatrixA; pops only, never ends a frame
inline constexpr MethodSlot<const RTFMatrix4x4*> kPushWorldMatrix{0x34};  // PushMatrixB
inline constexpr MethodSlot<> kPopWorldMatrix{0x3c};  // PopMatrixB
// Arrays and primitives.
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetVertexArray{0x48};
inline constexpr MethodSlot<const RTFVector2D*, uint32_t> kSetTexCoordArray{0x50};
inline constexpr MethodSlot<const RTFColorRGB*, uint32_t> kSetColorArray{0x58};
inline constexpr MethodSlot<uint32_t, RTPrimitive**> kCreatePrimitive{0x5c};  // CreatePrimitiveList
inline constexpr MethodSlot<RTPrimitive*> kDestroyPrimitive{0x60};
inline constexpr MethodSlot<RTPrimitive*> kRegisterPrimitive{0x64};
inline constexpr MethodSlot<RTInstance, RTPrimitive**> kReadPrimitive{0x68};
inline constexpr MethodSlot<RTInstance, const RTPrimitive*> kWritePrimitive{0x6c};
// Immediate batches.
inline constexpr MethodSlot<uint32_t> kBeginPrimitive{0x84};
inline constexpr MethodSlot<> kEndPrimitive{0x88};
inline constexpr MethodSlot<float, float, float> kVertex3{0x8c};  // Vertex
inline constexpr MethodSlot<uint32_t, float, float> kTexCoord{0x9c};  // TexCoord2
// Projection.
inline constexpr MethodSlot<uint32_t> kSetProjectionMode{0xb4};  // BeginOrthographic
inline constexpr MethodSlot<> kRestoreProjectionMode{0xb8};  // EndOrthographic
inline constexpr MethodSlot<float, float, float, float, float, float> kSetProjection{0xbc};  // SetProjectionBox, SetOrtho
inline constexpr MethodSlot<float*, float*, float*, float*, float*, float*> kGetProjection{0xc0};  // GetProjectionBox, GetOrtho
inline constexpr MethodSlot<uint32_t> kEnableCulling{0xd8};
inline constexpr MethodSlot<uint32_t> kSetCullMode{0xdc};
inline constexpr MethodSlot<RTPrimitive* const*, uint32_t> kDrawStrips{0xe4};  // DrawTriangleList
inline constexpr MethodSlot<const RTPrimitive*> kDrawPrimitive{0xe8};  // DrawStrip, DrawPrimitiveList
// Textures.
inline constexpr MethodSlot<RTInstance, Texture*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t> kCreateTextureFromImage{0xf0};  // CreateTexture
inline constexpr MethodSlot<uint32_t> kSelectTextureUnit{0xf4};
inline constexpr MethodSlot<Texture> kBindTexture{0xf8};
inline constexpr MethodSlot<uint32_t> kEnableTexturing{0xfc};
inline constexpr MethodSlot<RTPrimitive*, uint32_t> kResizePrimitiveList{0x100};
// Colours.
inline constexpr MethodSlot<float, float, float> kSetColor{0x104};  // SetColorRGB, SetColor3
inline constexpr MethodSlot<const float*> kSetColorFromArray{0x108};
inline constexpr MethodSlot<uint32_t> kEnableColorArray{0x10c};
inline constexpr MethodSlot<uint32_t> kEnableTexCoordArray{0x110};
// Vertex and fragment programs.
inline constexpr MethodSlot<const char*, uint32_t*> kLoadArbVertexProgram{0x114};
inline constexpr MethodSlot<const char*, uint32_t*> kLoadNvVertexProgram{0x118};
inline constexpr MethodSlot<uint32_t> kEnableArbVertexProgram{0x124};
inline constexpr MethodSlot<uint32_t> kEnableNvVertexProgram{0x128};
inline constexpr MethodSlot<uint32_t> kClear{0x148};
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetNormalArray{0x150};
// Depth, stencil, colour writes and blending.
inline constexpr MethodSlot<uint32_t> kEnableDepthWrite{0x15c};  // SetSceneSwitchB
inline constexpr MethodSlot<uint32_t, uint32_t, uint32_t, uint32_t> kSetColorMask{0x160};
inline constexpr MethodSlot<uint32_t> kSetStencilMask{0x164};
inline constexpr MethodSlot<uint32_t> kEnableBlending{0x168};
inline constexpr MethodSlot<uint32_t, uint32_t> kSetBlendFunc{0x16c};  // SetBlendFunction
inline constexpr MethodSlot<uint32_t> kSetDepthFunc{0x170};
inline constexpr MethodSlot<uint32_t, uint32_t, uint32_t> kSetStencilFunc{0x174};
inline constexpr MethodSlot<uint32_t, uint32_t, uint32_t> kSetStencilOp{0x178};
inline constexpr MethodSlot<uint32_t> kEnableDepthTest{0x17c};  // SetSceneSwitchA
inline constexpr MethodSlot<const RTFVector3D*, uint32_t> kSetTangentArray{0x184};
inline constexpr MethodSlot<const char*, uint32_t*> kLoadNvFragmentProgram{0x194};
inline constexpr MethodSlot<uint32_t> kEnableNvFragmentProgram{0x1a4};
inline constexpr MethodSlot<float, float, float> kSetVertexColor{0x1c0};
inline constexpr MethodSlot<const RTFVector3D*> kVertexVector{0x1c8};  // Vertex3v
inline constexpr MethodSlot<float> kSetLineWidth{0x1f0};
inline constexpr MethodSlot<uint32_t> kEnableStencilTest{0x208};
inline constexpr MethodSlot<float, float, float, float> kSetColorRGBA{0x218};  // SetColorAlpha, SetColor4
inline constexpr MethodSlot<const float*> kSetColorRGBAArray{0x21c};  // SetColor4v
inline constexpr MethodSlot<const char*, uint32_t*> kLoadArbFragmentProgram{0x284};
inline constexpr MethodSlot<uint32_t> kEnableArbFragmentProgram{0x28c};
inline constexpr MethodSlot<uint32_t*> kGetProjectionMode{0x298};
inline constexpr MethodSlot<uint32_t> kSetOverlayMode{0x2a8};

// The framework's own operations.
inline constexpr MethodSlot<void*, const uint32_t*, WindowContext*> kCreateWindowContext{0x300};
inline constexpr MethodSlot<void*> kBeginFrame{0x304};
inline constexpr MethodSlot<> kBeginScene{0x308};
inline constexpr MethodSlot<> kEndScene{0x30c};
inline constexpr MethodSlot<> kPresentFrame{0x310};
inline constexpr MethodSlot<const char16_t*> kScreenshot{0x314};
inline constexpr MethodSlot<const char16_t*> kRecord{0x318};
inline constexpr MethodSlot<float, float, float, float> kSetClearColor{0x31c};
inline constexpr MethodSlot<uint32_t> kSetClearMask{0x320};
inline constexpr MethodSlot<uint32_t> kSetClearStencil{0x324};
inline constexpr MethodSlot<uint32_t, uint32_t> kResizeViewport{0x328};
inline constexpr MethodSlot<int32_t, int32_t, int32_t, int32_t> kSetViewport{0x32c};
inline constexpr MethodSlot<uint32_t> kEnableScissor{0x330};
inline constexpr MethodSlot<int32_t, int32_t, int32_t, int32_t> kSetScissor{0x334};
inline constexpr MethodSlot<const RTFMatrix4x4*, const RTFVector3D*, float*, float*, float*> kProjectPoint{0x338};
inline constexpr MethodSlot<uint32_t, const RTFVector2D*> kTexCoordVector{0x33c};
inline constexpr MethodSlot<uint32_t, uint32_t, uint32_t, uint32_t> kDrawIndexedQuad{0x340};
inline constexpr MethodSlot<uint32_t, uint32_t, const uint32_t*> kDrawIndexedPrimitive{0x344};  // DrawIndexedTriangles (kind, count, indices)
inline constexpr MethodSlot<uint32_t, const uint32_t*> kDrawIndexedTriangles{0x348};  // DrawIndexedTriangles (count, indices)
inline constexpr MethodSlot<const uint8_t*, uint32_t, uint32_t, uint32_t, Texture*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t> kCreateTextureFromPixels{0x34c};
inline constexpr MethodSlot<Texture> kDestroyTexture{0x350};
inline constexpr MethodSlot<RTInstance, uint32_t*, uint32_t*> kGetImageSize{0x354};
inline constexpr MethodSlot<uint32_t> kEnableLighting{0x358};
inline constexpr MethodSlot<uint32_t> kEnableFog{0x35c};
inline constexpr MethodSlot<float, float, float, float> kSetFogColor{0x360};
inline constexpr MethodSlot<uint32_t> kEnableSmoothing{0x364};
inline constexpr MethodSlot<uint32_t> kEnableEffectState{0x368};
inline constexpr MethodSlot<uint32_t> kSetRenderSwitchA{0x36c};
inline constexpr MethodSlot<uint32_t> kSetRenderSwitchB{0x370};
inline constexpr MethodSlot<uint32_t> kSetRenderSwitchC{0x374};
inline constexpr MethodSlot<uint32_t> kSetRenderSwitchD{0x378};
inline constexpr MethodSlot<RTInstance*> kGetCurrentCamera{0x37c};
inline constexpr MethodSlot<RTInstance> kSetCurrentCamera{0x380};
inline constexpr MethodSlot<float*, float*, float*, float*, float*, float*> kGetViewVolume{0x384};
inline constexpr MethodSlot<float, float, float, float, float, float> kSetViewVolume{0x388};
inline constexpr uint32_t kSlotTableSize = kSetViewVolume + 4;

// Primitive kinds: a general list draws its indices as points.
inline constexpr uint32_t kGeneralList = 0x100;
inline constexpr uint32_t kTriangleStrip = 0x102;
inline constexpr uint32_t kTriangleList = 0x104;
// Immediate batch kinds.
inline constexpr uint32_t kBatchQuads = 0x101;
inline constexpr uint32_t kBatchTriangles = 0x104;
inline constexpr uint32_t kBatchLines = 0x105;
inline constexpr uint32_t kBatchLineStrip = 0x106;

// Projection modes: perspective of the current projection values, or the orthographic box.
inline constexpr uint32_t kPerspective = 0;
inline constexpr uint32_t kOrthographic = 1;

// Cull modes, for content wound counter-clockwise seen from outside: 1 culls back faces (the
// state meshes draw in), 2 culls front faces.
inline constexpr uint32_t kCullBack = 1;
inline constexpr uint32_t kCullFront = 2;

// Clear bits (SetClearMask, Clear): 7 clears all three buffers.
inline constexpr uint32_t kClearColour = 1;
inline constexpr uint32_t kClearDepth = 2;
inline constexpr uint32_t kClearStencil = 4;

// The pixel layouts of CreateTextureFromPixels: three bytes a pixel, red, green, blue; or four,
// with alpha last.
inline constexpr uint32_t kPixelsRgb = 0x1800;
inline constexpr uint32_t kPixelsRgba = 0x1908;

// Texture wrap and filter values (CreateTextureFromImage, CreateTextureFromPixels).
inline constexpr uint32_t kClampToEdge = 0x812F;
inline constexpr uint32_t kLinear = 0x2601;

// Blend factors (SetBlendFunc).
inline constexpr uint32_t kOne = 1;
inline constexpr uint32_t kSourceAlpha = 0x302;
inline constexpr uint32_t kOneMinusSourceAlpha = 0x303;

// Depth and stencil functions (SetDepthFunc, SetStencilFunc) and stencil operations (SetStencilOp).
inline constexpr uint32_t kLess = 0x201;
inline constexpr uint32_t kEqual = 0x202;
inline constexpr uint32_t kGreater = 0x204;
inline constexpr uint32_t kNotEqual = 0x205;
inline constexpr uint32_t kAlways = 0x207;
inline constexpr uint32_t kStencilKeep = 0x1E00;
inline constexpr uint32_t kStencilReplace = 0x1E01;
inline constexpr uint32_t kStencilIncrement = 0x1E02;
inline constexpr uint32_t kStencilDecrement = 0x1E03;
inline constexpr uint32_t kAllStencilBits = 0xFFFFFFFFu;

// The window record of GetWindowRect: five 32-bit words. Width and height are never 0.
inline constexpr size_t kWindowRectWords = 5;
enum WindowRectWord : size_t {
  kRectTop = 1,
  kRectLeft = 2,
  kRectHeight = 3,
  kRectWidth = 4,
};

// The window-context descriptor: twelve 32-bit words; word 0 is not read.
inline constexpr size_t kDescriptorWords = 12;
enum DescriptorWord : size_t {
  kDescriptorHeight = 3,
  kDescriptorWidth = 4,
  kDescriptorColourBits = 5,
  kDescriptorDepthBits = 6,
  kDescriptorStencilBits = 7,
  kDescriptorDoubleBuffer = 11,
};

// --- Window and frames -------------------------------------------------------------------------

// Makes the drawing context on a program window (null: an offscreen buffer of the descriptor's
// size, in the software module only). The context is current afterwards.
inline RTSuccess CreateWindowContext(RTInstance r, void* window, const uint32_t* descriptor, WindowContext* out) {
  return CallMethod(r, kLevel, kCreateWindowContext, window, descriptor, out);
}
// The context or its window: 1 when the frame can be drawn (the context is then current).
inline RTSuccess BeginFrame(RTInstance r, void* contextOrWindow) {
  return CallMethod(r, kLevel, kBeginFrame, contextOrWindow);
}
// Clears the buffers of the clear mask.
inline RTSuccess BeginScene(RTInstance r) { return CallMethod(r, kLevel, kBeginScene); }
inline RTSuccess EndScene(RTInstance r) { return CallMethod(r, kLevel, kEndScene); }
inline RTSuccess PresentFrame(RTInstance r) { return CallMethod(r, kLevel, kPresentFrame); }
// The frame last shown, as a PNG file.
inline RTSuccess Screenshot(RTInstance r, const char16_t* path) { return CallMethod(r, kLevel, kScreenshot, path); }
// Records every later call of this rasterizer into the file (appended), one line a call:
// "Name(arguments) -> result", arguments by value (matrices as 16 floats, arrays as "[count:
// values]", out arguments as "out value" after the call). Null stops recording. Starting with
// $TESK_RASTERIZER_RECORD naming a file records from the rasterizer's creation.
inline RTSuccess Record(RTInstance r, const char16_t* path) { return CallMethod(r, kLevel, kRecord, path); }
// Fills the five words: 0, top 0, left 0, height, width of the context's (or window's) drawing
// area.
inline RTSuccess GetWindowRect(RTInstance r, void* contextOrWindow, uint32_t* rect) {
  return CallMethod(r, kLevel, kGetWindowRect, contextOrWindow, rect);
}
inline RTSuccess GetCurrentWindow(RTInstance r, WindowContext* out) {
  return CallMethod(r, kLevel, kGetCurrentWindow, out);
}
inline RTSuccess SetClearColor(RTInstance r, float red, float green, float blue, float alpha) {
  return CallMethod(r, kLevel, kSetClearColor, red, green, blue, alpha);
}
inline RTSuccess SetClearMask(RTInstance r, uint32_t bits) { return CallMethod(r, kLevel, kSetClearMask, bits); }
inline RTSuccess SetClearStencil(RTInstance r, uint32_t value) {
  return CallMethod(r, kLevel, kSetClearStencil, value);
}
// Clears the buffers the bits name (inside the scissor rectangle when it is on).
inline RTSuccess Clear(RTInstance r, uint32_t bits) { return CallMethod(r, kLevel, kClear, bits); }
// The drawing area's new size (the window was resized); the viewport becomes all of it.
inline RTSuccess ResizeViewport(RTInstance r, uint32_t width, uint32_t height) {
  return CallMethod(r, kLevel, kResizeViewport, width, height);
}
// x from the left, y from the bottom, in pixels.
inline RTSuccess SetViewport(RTInstance r, int32_t x, int32_t y, int32_t width, int32_t height) {
  return CallMethod(r, kLevel, kSetViewport, x, y, width, height);
}
inline RTSuccess EnableScissor(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableScissor, flag); }
// x from the left, y from the bottom, in pixels.
inline RTSuccess SetScissor(RTInstance r, int32_t x, int32_t y, int32_t width, int32_t height) {
  return CallMethod(r, kLevel, kSetScissor, x, y, width, height);
}
// Mode 0 draws as usual; any other mode draws overlays, which fog never touches.
inline RTSuccess SetOverlayMode(RTInstance r, uint32_t mode) { return CallMethod(r, kLevel, kSetOverlayMode, mode); }

// --- Transforms and projection -----------------------------------------------------------------

// Saves the view and replaces it: the matrix is the camera's placement (camera to world; the
// camera looks along -z of it, row 2 points back), and points are drawn through its inverse.
inline RTSuccess PushViewMatrix(RTInstance r, const RTFMatrix4x4* placement) {
  return CallMethod(r, kLevel, kPushViewMatrix, placement);
}
inline RTSuccess PopViewMatrix(RTInstance r) { return CallMethod(r, kLevel, kPopViewMatrix); }
// Saves the world transform and multiplies the matrix onto it (the matrix applies first).
inline RTSuccess PushWorldMatrix(RTInstance r, const RTFMatrix4x4* matrix) {
  return CallMethod(r, kLevel, kPushWorldMatrix, matrix);
}
inline RTSuccess PopWorldMatrix(RTInstance r) { return CallMethod(r, kLevel, kPopWorldMatrix); }
// Remembers the mode in force and sets another: one remembered mode, no stack. The orthographic
// mode turns lighting off until the mode changes back.
inline RTSuccess SetProjectionMode(RTInstance r, uint32_t mode) {
  return CallMethod(r, kLevel, kSetProjectionMode, mode);
}
inline RTSuccess RestoreProjectionMode(RTInstance r) { return CallMethod(r, kLevel, kRestoreProjectionMode); }
// 1 in the orthographic mode, 0 in perspective.
inline RTSuccess GetProjectionMode(RTInstance r, uint32_t* mode) {
  return CallMethod(r, kLevel, kGetProjectionMode, mode);
}
// The six projection values. Orthographic: the box from (left, top) to (right, bottom) between
// near and far; (0, 0, -1, width, height, 1) puts pixel (0, 0) top left. Perspective, in the view
// space of a camera looking along -z: the view volume from (left * a, top) to (right * a, bottom)
// on the near plane z = nearZ, the far plane at z = farZ, with left < right, top < bottom (y up)
// and both z negative, a being the viewport's width / height: a camera's frustum
// (x1, y1, near, x2, y2, far) as it is read (camera_calls.h).
inline RTSuccess SetProjection(RTInstance r, float left, float top, float nearZ, float right, float bottom,
                               float farZ) {
  return CallMethod(r, kLevel, kSetProjection, left, top, nearZ, right, bottom, farZ);
}
// The values SetProjection received, in the same order.
inline RTSuccess GetProjection(RTInstance r, float* left, float* top, float* nearZ, float* right, float* bottom,
                               float* farZ) {
  return CallMethod(r, kLevel, kGetProjection, left, top, nearZ, right, bottom, farZ);
}
// The same six values as a view volume of the current camera: minimum corner (left, bottom,
// near) and maximum corner (right, top, far).
inline RTSuccess GetViewVolume(RTInstance r, float* left, float* bottom, float* nearZ, float* right, float* top,
                               float* farZ) {
  return CallMethod(r, kLevel, kGetViewVolume, left, bottom, nearZ, right, top, farZ);
}
inline RTSuccess SetViewVolume(RTInstance r, float left, float right, float bottom, float top, float nearZ,
                               float farZ) {
  return CallMethod(r, kLevel, kSetViewVolume, left, right, bottom, top, nearZ, farZ);
}
// The current camera instance (the caller gets a reference), and setting it (the rasterizer keeps
// one).
inline RTSuccess GetCurrentCamera(RTInstance r, RTInstance* camera) {
  return CallMethod(r, kLevel, kGetCurrentCamera, camera);
}
inline RTSuccess SetCurrentCamera(RTInstance r, RTInstance camera) {
  return CallMethod(r, kLevel, kSetCurrentCamera, camera);
}
// Where a world point lands through the camera placement and the current projection and
// viewport: x and y in pixels from the top left of the drawing area, z the depth from 0 to 1.
inline RTSuccess ProjectPoint(RTInstance r, const RTFMatrix4x4* placement, const RTFVector3D* point, float* x,
                              float* y, float* z) {
  return CallMethod(r, kLevel, kProjectPoint, placement, point, x, y, z);
}

// --- Immediate batches -------------------------------------------------------------------------

// A batch of kBatchQuads, kBatchTriangles, kBatchLines or kBatchLineStrip, drawn at its end with
// the states then in force. An end without an open batch does nothing.
inline RTSuccess BeginPrimitive(RTInstance r, uint32_t kind) { return CallMethod(r, kLevel, kBeginPrimitive, kind); }
inline RTSuccess EndPrimitive(RTInstance r) { return CallMethod(r, kLevel, kEndPrimitive); }
// A vertex with the current colour and texture coordinates.
inline RTSuccess Vertex3(RTInstance r, float x, float y, float z) { return CallMethod(r, kLevel, kVertex3, x, y, z); }
inline RTSuccess VertexVector(RTInstance r, const RTFVector3D* point) {
  return CallMethod(r, kLevel, kVertexVector, point);
}
// The texture coordinate of the next vertices on a texture unit.
inline RTSuccess TexCoord(RTInstance r, uint32_t unit, float s, float t) {
  return CallMethod(r, kLevel, kTexCoord, unit, s, t);
}
inline RTSuccess TexCoordVector(RTInstance r, uint32_t unit, const RTFVector2D* st) {
  return CallMethod(r, kLevel, kTexCoordVector, unit, st);
}

// --- Colours -----------------------------------------------------------------------------------

// Opaque colour.
inline RTSuccess SetColor(RTInstance r, float red, float green, float blue) {
  return CallMethod(r, kLevel, kSetColor, red, green, blue);
}
// Red, green and blue of the caller's floats, drawn opaque (a fourth float is not read).
inline RTSuccess SetColorFromArray(RTInstance r, const float* rgb) {
  return CallMethod(r, kLevel, kSetColorFromArray, rgb);
}
// The colour of the next vertices; the alpha stays as it was.
inline RTSuccess SetVertexColor(RTInstance r, float red, float green, float blue) {
  return CallMethod(r, kLevel, kSetVertexColor, red, green, blue);
}
inline RTSuccess SetColorRGBA(RTInstance r, float red, float green, float blue, float alpha) {
  return CallMethod(r, kLevel, kSetColorRGBA, red, green, blue, alpha);
}
inline RTSuccess SetColorRGBAArray(RTInstance r, const float* rgba) {
  return CallMethod(r, kLevel, kSetColorRGBAArray, rgba);
}

// --- Arrays and primitives ---------------------------------------------------------------------

// The arrays stay the caller's and must live until the draws that use them; count 0 or a null
// array removes one. Texture coordinates go to the selected texture unit.
inline RTSuccess SetVertexArray(RTInstance r, const RTFVector3D* points, uint32_t count) {
  return CallMethod(r, kLevel, kSetVertexArray, points, count);
}
inline RTSuccess SetTexCoordArray(RTInstance r, const RTFVector2D* pairs, uint32_t count) {
  return CallMethod(r, kLevel, kSetTexCoordArray, pairs, count);
}
// Red, green, blue and alpha per vertex.
inline RTSuccess SetColorArray(RTInstance r, const RTFColorRGB* colours, uint32_t count) {
  return CallMethod(r, kLevel, kSetColorArray, colours, count);
}
inline RTSuccess SetNormalArray(RTInstance r, const RTFVector3D* normals, uint32_t count) {
  return CallMethod(r, kLevel, kSetNormalArray, normals, count);
}
// Tangents reach vertex programs as attribute 6.
inline RTSuccess SetTangentArray(RTInstance r, const RTFVector3D* tangents, uint32_t count) {
  return CallMethod(r, kLevel, kSetTangentArray, tangents, count);
}
inline RTSuccess EnableColorArray(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableColorArray, flag); }
inline RTSuccess EnableTexCoordArray(RTInstance r, uint32_t flag) {
  return CallMethod(r, kLevel, kEnableTexCoordArray, flag);
}
// A new empty primitive of a kind; it lives until DestroyPrimitive (or the rasterizer's end).
inline RTSuccess CreatePrimitive(RTInstance r, uint32_t kind, RTPrimitive** out) {
  return CallMethod(r, kLevel, kCreatePrimitive, kind, out);
}
inline RTSuccess DestroyPrimitive(RTInstance r, RTPrimitive* primitive) {
  return CallMethod(r, kLevel, kDestroyPrimitive, primitive);
}
// Accepts a drawable primitive (a strip or a list) that this rasterizer made.
inline RTSuccess RegisterPrimitive(RTInstance r, RTPrimitive* primitive) {
  return CallMethod(r, kLevel, kRegisterPrimitive, primitive);
}
// Sizes a list for n triangles or a strip or general list for n indices, keeping the indices
// already there (new ones are 0).
inline RTSuccess ResizePrimitiveList(RTInstance r, RTPrimitive* primitive, uint32_t n) {
  return CallMethod(r, kLevel, kResizePrimitiveList, primitive, n);
}
// A new primitive read from the stream, or failure with none made.
inline RTSuccess ReadPrimitive(RTInstance r, RTInstance stream, RTPrimitive** out) {
  return CallMethod(r, kLevel, kReadPrimitive, stream, out);
}
inline RTSuccess WritePrimitive(RTInstance r, RTInstance stream, const RTPrimitive* primitive) {
  return CallMethod(r, kLevel, kWritePrimitive, stream, primitive);
}
// Draws the primitives over the vertex array (with the other arrays that are on). A primitive
// whose indices reach past the vertex array is skipped and reported.
inline RTSuccess DrawStrips(RTInstance r, RTPrimitive* const* strips, uint32_t count) {
  return CallMethod(r, kLevel, kDrawStrips, strips, count);
}
inline RTSuccess DrawPrimitive(RTInstance r, const RTPrimitive* primitive) {
  return CallMethod(r, kLevel, kDrawPrimitive, primitive);
}
// Indices into the vertex array: a quad; count triangles (three indices each) of a list or count
// indices of a strip; count triangles.
inline RTSuccess DrawIndexedQuad(RTInstance r, uint32_t a, uint32_t b, uint32_t c, uint32_t d) {
  return CallMethod(r, kLevel, kDrawIndexedQuad, a, b, c, d);
}
inline RTSuccess DrawIndexedPrimitive(RTInstance r, uint32_t kind, uint32_t count, const uint32_t* indices) {
  return CallMethod(r, kLevel, kDrawIndexedPrimitive, kind, count, indices);
}
inline RTSuccess DrawIndexedTriangles(RTInstance r, uint32_t count, const uint32_t* indices) {
  return CallMethod(r, kLevel, kDrawIndexedTriangles, count, indices);
}

// --- Textures ----------------------------------------------------------------------------------

// Decodes the stream's remaining bytes (PNG, TGA or BMP) into a texture; the texture keeps
// nothing of the stream. Truncated, damaged and oversized images are refused with a message.
inline RTSuccess CreateTextureFromImage(RTInstance r, RTInstance image, Texture* out, uint32_t wrapS, uint32_t wrapT,
                                        uint32_t magnify, uint32_t minify, uint32_t mipmaps) {
  return CallMethod(r, kLevel, kCreateTextureFromImage, image, out, wrapS, wrapT, magnify, minify, mipmaps);
}
// Rows from the top, in the layout kPixelsRgb or kPixelsRgba.
inline RTSuccess CreateTextureFromPixels(RTInstance r, const uint8_t* pixels, uint32_t layout, uint32_t width,
                                         uint32_t height, Texture* out, uint32_t wrapS, uint32_t wrapT,
                                         uint32_t magnify, uint32_t minify, uint32_t mipmaps) {
  return CallMethod(r, kLevel, kCreateTextureFromPixels, pixels, layout, width, height, out, wrapS, wrapT, magnify,
                    minify, mipmaps);
}
inline RTSuccess DestroyTexture(RTInstance r, Texture texture) {
  return CallMethod(r, kLevel, kDestroyTexture, texture);
}
// The pixel size of the image in the stream, from its header; the stream's position is kept.
inline RTSuccess GetImageSize(RTInstance r, RTInstance image, uint32_t* width, uint32_t* height) {
  return CallMethod(r, kLevel, kGetImageSize, image, width, height);
}
inline RTSuccess SelectTextureUnit(RTInstance r, uint32_t unit) {
  return CallMethod(r, kLevel, kSelectTextureUnit, unit);
}
inline RTSuccess BindTexture(RTInstance r, Texture texture) { return CallMethod(r, kLevel, kBindTexture, texture); }
inline RTSuccess EnableTexturing(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableTexturing, flag); }

// --- States ------------------------------------------------------------------------------------

inline RTSuccess EnableCulling(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableCulling, flag); }
// kCullBack or kCullFront.
inline RTSuccess SetCullMode(RTInstance r, uint32_t mode) { return CallMethod(r, kLevel, kSetCullMode, mode); }
inline RTSuccess EnableDepthTest(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableDepthTest, flag); }
inline RTSuccess EnableDepthWrite(RTInstance r, uint32_t flag) {
  return CallMethod(r, kLevel, kEnableDepthWrite, flag);
}
inline RTSuccess SetDepthFunc(RTInstance r, uint32_t function) {
  return CallMethod(r, kLevel, kSetDepthFunc, function);
}
inline RTSuccess SetColorMask(RTInstance r, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
  return CallMethod(r, kLevel, kSetColorMask, red, green, blue, alpha);
}
inline RTSuccess EnableBlending(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableBlending, flag); }
inline RTSuccess SetBlendFunc(RTInstance r, uint32_t source, uint32_t destination) {
  return CallMethod(r, kLevel, kSetBlendFunc, source, destination);
}
inline RTSuccess EnableStencilTest(RTInstance r, uint32_t flag) {
  return CallMethod(r, kLevel, kEnableStencilTest, flag);
}
inline RTSuccess SetStencilMask(RTInstance r, uint32_t mask) { return CallMethod(r, kLevel, kSetStencilMask, mask); }
inline RTSuccess SetStencilFunc(RTInstance r, uint32_t function, uint32_t reference, uint32_t mask) {
  return CallMethod(r, kLevel, kSetStencilFunc, function, reference, mask);
}
inline RTSuccess SetStencilOp(RTInstance r, uint32_t stencilFail, uint32_t depthFail, uint32_t pass) {
  return CallMethod(r, kLevel, kSetStencilOp, stencilFail, depthFail, pass);
}
inline RTSuccess SetLineWidth(RTInstance r, float width) { return CallMethod(r, kLevel, kSetLineWidth, width); }
// Fixed-function lighting with one light at the eye, the current colour as the material.
inline RTSuccess EnableLighting(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableLighting, flag); }
// Linear fog from 50 to 200 units from the eye.
inline RTSuccess EnableFog(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableFog, flag); }
inline RTSuccess SetFogColor(RTInstance r, float red, float green, float blue, float alpha) {
  return CallMethod(r, kLevel, kSetFogColor, red, green, blue, alpha);
}
// Anti-aliased lines and polygon edges.
inline RTSuccess EnableSmoothing(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kEnableSmoothing, flag); }
// Draws pulled toward the eye (polygon offset), so a band laid over a surface wins the depth test.
inline RTSuccess EnableEffectState(RTInstance r, uint32_t flag) {
  return CallMethod(r, kLevel, kEnableEffectState, flag);
}
// A: alpha test (fragments of alpha 0 are dropped); B: dithering; C: normalising normals;
// D: two-sided lighting.
inline RTSuccess SetRenderSwitchA(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kSetRenderSwitchA, flag); }
inline RTSuccess SetRenderSwitchB(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kSetRenderSwitchB, flag); }
inline RTSuccess SetRenderSwitchC(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kSetRenderSwitchC, flag); }
inline RTSuccess SetRenderSwitchD(RTInstance r, uint32_t flag) { return CallMethod(r, kLevel, kSetRenderSwitchD, flag); }

// --- Vertex and fragment programs --------------------------------------------------------------

// Loads a program text and hands out its handle (NV programs fail where the driver lacks them).
inline RTSuccess LoadArbVertexProgram(RTInstance r, const char* text, uint32_t* handle) {
  return CallMethod(r, kLevel, kLoadArbVertexProgram, text, handle);
}
inline RTSuccess LoadNvVertexProgram(RTInstance r, const char* text, uint32_t* handle) {
  return CallMethod(r, kLevel, kLoadNvVertexProgram, text, handle);
}
inline RTSuccess LoadNvFragmentProgram(RTInstance r, const char* text, uint32_t* handle) {
  return CallMethod(r, kLevel, kLoadNvFragmentProgram, text, handle);
}
inline RTSuccess LoadArbFragmentProgram(RTInstance r, const char* text, uint32_t* handle) {
  return CallMethod(r, kLevel, kLoadArbFragmentProgram, text, handle);
}
// 0 turns the program kind off; a handle that kind's load gave binds that program and turns the
// kind on.
inline RTSuccess EnableArbVertexProgram(RTInstance r, uint32_t handle) {
  return CallMethod(r, kLevel, kEnableArbVertexProgram, handle);
}
inline RTSuccess EnableNvVertexProgram(RTInstance r, uint32_t handle) {
  return CallMethod(r, kLevel, kEnableNvVertexProgram, handle);
}
inline RTSuccess EnableNvFragmentProgram(RTInstance r, uint32_t handle) {
  return CallMethod(r, kLevel, kEnableNvFragmentProgram, handle);
}
inline RTSuccess EnableArbFragmentProgram(RTInstance r, uint32_t handle) {
  return CallMethod(r, kLevel, kEnableArbFragmentProgram, handle);
}

}  // namespace kivo::rasterizer
