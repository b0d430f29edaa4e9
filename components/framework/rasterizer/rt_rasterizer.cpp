// RTRasterizer: all drawing of the game, over OpenGL 1.x immediate mode and client arrays. One
// source builds two modules: "ogl" draws on the GL context of the program's window, "pix" on a
// software context of its own (see draw_target.h); the program copies the one its options name
// over "rtrasterizer.so". A singleton; it has no stream of its own. The operations live in the
// *_ops.cpp files; their slots and arguments are those of rasterizer_calls.h.
#include "kivo/support/component_kit.h"
#include "ops.h"

namespace rasterizer {

namespace {

using namespace kivo;
namespace slot = kivo::rasterizer;

constexpr uint32_t kStateWord = slot::kLevel + 8;

RTSuccess Construct(RTInstance self) { return MakeState<State>(self, kStateWord) ? kRTSuccess : kRTFailure; }

RTSuccess Destroy(RTInstance self) {
  if (State* state = StateOf(self)) {
    DestroyAllPrimitives(*state);
    ReleaseCamera(*state);
  }
  EndState<State>(self, kStateWord);
  return kRTSuccess;
}

RTMethodRecord gMethods[] = {
    Method(u"GetWindowRect", GetWindowRect, slot::kGetWindowRect, u"RTSuccess", u"uint ahContext, uint[] opRect"),
    Method(u"GetCurrentWindow", GetCurrentWindow, slot::kGetCurrentWindow, u"RTSuccess", u"uint out opContext"),
    Method(u"PushViewMatrix", PushViewMatrix, slot::kPushViewMatrix, u"RTSuccess", u"RTFMatrix4x4 in apMatrix"),
    Method(u"PopViewMatrix", PopViewMatrix, slot::kPopViewMatrix, u"RTSuccess", u""),
    Method(u"PushWorldMatrix", PushWorldMatrix, slot::kPushWorldMatrix, u"RTSuccess", u"RTFMatrix4x4 in apMatrix"),
    Method(u"PopWorldMatrix", PopWorldMatrix, slot::kPopWorldMatrix, u"RTSuccess", u""),
    Method(u"SetVertexArray", SetVertexArray, slot::kSetVertexArray, u"RTSuccess",
           u"RTFVector3D[] apVectors, uint anVectors"),
    Method(u"SetTexCoordArray", SetTexCoordArray, slot::kSetTexCoordArray, u"RTSuccess",
           u"RTFVector2D[] apVectors, uint anVectors"),
    Method(u"SetColorArray", SetColorArray, slot::kSetColorArray, u"RTSuccess",
           u"RTFColorRGB[] apColors, uint anColors"),
    Method(u"CreatePrimitive", CreatePrimitive, slot::kCreatePrimitive, u"RTSuccess",
           u"RTPrimitiveID aPrimitiveID, RTPrimitive out opPrimitive"),
    Method(u"DestroyPrimitive", DestroyPrimitive, slot::kDestroyPrimitive, u"RTSuccess", u"RTPrimitive aPrimitive"),
    Method(u"RegisterPrimitive", RegisterPrimitive, slot::kRegisterPrimitive, u"RTSuccess", u"RTPrimitive aPrimitive"),
    Method(u"ReadPrimitive", ReadPrimitive, slot::kReadPrimitive, u"RTSuccess",
           u"RTInstance ahStream, RTPrimitive out opPrimitive"),
    Method(u"WritePrimitive", WritePrimitive, slot::kWritePrimitive, u"RTSuccess",
           u"RTInstance ahStream, RTPrimitive aPrimitive"),
    Method(u"BeginPrimitive", BeginPrimitive, slot::kBeginPrimitive, u"RTSuccess", u"uint aKind"),
    Method(u"EndPrimitive", EndPrimitive, slot::kEndPrimitive, u"RTSuccess", u""),
    Method(u"Vertex3", Vertex3, slot::kVertex3, u"RTSuccess", u"float aX, float aY, float aZ"),
    Method(u"TexCoord", TexCoord, slot::kTexCoord, u"RTSuccess", u"uint aUnit, float aS, float aT"),
    Method(u"SetProjectionMode", SetProjectionMode, slot::kSetProjectionMode, u"RTSuccess", u"uint aMode"),
    Method(u"RestoreProjectionMode", RestoreProjectionMode, slot::kRestoreProjectionMode, u"RTSuccess", u""),
    Method(u"SetProjection", SetProjection, slot::kSetProjection, u"RTSuccess",
           u"float aLeft, float aTop, float aNear, float aRight, float aBottom, float aFar"),
    Method(u"GetProjection", GetProjection, slot::kGetProjection, u"RTSuccess",
           u"float out opLeft, float out opTop, float out opNear, float out opRight, float out opBottom, "
           u"float out opFar"),
    Method(u"EnableCulling", EnableCulling, slot::kEnableCulling, u"RTSuccess", u"uint aFlag"),
    Method(u"SetCullMode", SetCullMode, slot::kSetCullMode, u"RTSuccess", u"uint aMode"),
    Method(u"DrawStrips", DrawStrips, slot::kDrawStrips, u"RTSuccess", u"RTPrimitive[] apStrips, uint anStrips"),
    Method(u"DrawPrimitive", DrawPrimitive, slot::kDrawPrimitive, u"RTSuccess", u"RTPrimitive aPrimitive"),
    Method(u"CreateTextureFromImage", CreateTextureFromImage, slot::kCreateTextureFromImage, u"RTSuccess",
           u"RTInstance ahImage, uint out opTexture, uint aWrapS, uint aWrapT, uint aMagnify, uint aMinify, "
           u"uint aMipmaps"),
    Method(u"SelectTextureUnit", SelectTextureUnit, slot::kSelectTextureUnit, u"RTSuccess", u"uint aUnit"),
    Method(u"BindTexture", BindTexture, slot::kBindTexture, u"RTSuccess", u"uint aTexture"),
    Method(u"EnableTexturing", EnableTexturing, slot::kEnableTexturing, u"RTSuccess", u"uint aFlag"),
    Method(u"ResizePrimitiveList", ResizePrimitiveList, slot::kResizePrimitiveList, u"RTSuccess",
           u"RTPrimitive aPrimitive, uint anCount"),
    Method(u"SetColor", SetColor, slot::kSetColor, u"RTSuccess", u"float aRed, float aGreen, float aBlue"),
    Method(u"SetColorFromArray", SetColorFromArray, slot::kSetColorFromArray, u"RTSuccess", u"float[] apColor"),
    Method(u"EnableColorArray", EnableColorArray, slot::kEnableColorArray, u"RTSuccess", u"uint aFlag"),
    Method(u"EnableTexCoordArray", EnableTexCoordArray, slot::kEnableTexCoordArray, u"RTSuccess", u"uint aFlag"),
    Method(u"LoadArbVertexProgram", LoadArbVertexProgram, slot::kLoadArbVertexProgram, u"RTSuccess",
           u"char[] apText, uint out opHandle"),
    Method(u"LoadNvVertexProgram", LoadNvVertexProgram, slot::kLoadNvVertexProgram, u"RTSuccess",
           u"char[] apText, uint out opHandle"),
    Method(u"EnableArbVertexProgram", EnableArbVertexProgram, slot::kEnableArbVertexProgram, u"RTSuccess",
           u"uint aHandle"),
    Method(u"EnableNvVertexProgram", EnableNvVertexProgram, slot::kEnableNvVertexProgram, u"RTSuccess",
           u"uint aHandle"),
    Method(u"Clear", Clear, slot::kClear, u"RTSuccess", u"uint aBits"),
    Method(u"SetNormalArray", SetNormalArray, slot::kSetNormalArray, u"RTSuccess",
           u"RTFVector3D[] apVectors, uint anVectors"),
    Method(u"EnableDepthWrite", EnableDepthWrite, slot::kEnableDepthWrite, u"RTSuccess", u"uint aFlag"),
    Method(u"SetColorMask", SetColorMask, slot::kSetColorMask, u"RTSuccess",
           u"uint aRed, uint aGreen, uint aBlue, uint aAlpha"),
    Method(u"SetStencilMask", SetStencilMask, slot::kSetStencilMask, u"RTSuccess", u"uint aMask"),
    Method(u"EnableBlending", EnableBlending, slot::kEnableBlending, u"RTSuccess", u"uint aFlag"),
    Method(u"SetBlendFunc", SetBlendFunc, slot::kSetBlendFunc, u"RTSuccess", u"uint aSource, uint aDestination"),
    Method(u"SetDepthFunc", SetDepthFunc, slot::kSetDepthFunc, u"RTSuccess", u"uint aFunction"),
    Method(u"SetStencilFunc", SetStencilFunc, slot::kSetStencilFunc, u"RTSuccess",
           u"uint aFunction, uint aReference, uint aMask"),
    Method(u"SetStencilOp", SetStencilOp, slot::kSetStencilOp, u"RTSuccess",
           u"uint aStencilFail, uint aDepthFail, uint aPass"),
    Method(u"EnableDepthTest", EnableDepthTest, slot::kEnableDepthTest, u"RTSuccess", u"uint aFlag"),
    Method(u"SetTangentArray", SetTangentArray, slot::kSetTangentArray, u"RTSuccess",
           u"RTFVector3D[] apVectors, uint anVectors"),
    Method(u"LoadNvFragmentProgram", LoadNvFragmentProgram, slot::kLoadNvFragmentProgram, u"RTSuccess",
           u"char[] apText, uint out opHandle"),
    Method(u"EnableNvFragmentProgram", EnableNvFragmentProgram, slot::kEnableNvFragmentProgram, u"RTSuccess",
           u"uint aHandle"),
    Method(u"SetVertexColor", SetVertexColor, slot::kSetVertexColor, u"RTSuccess",
           u"float aRed, float aGreen, float aBlue"),
    Method(u"VertexVector", VertexVector, slot::kVertexVector, u"RTSuccess", u"RTFVector3D in apPoint"),
    Method(u"SetLineWidth", SetLineWidth, slot::kSetLineWidth, u"RTSuccess", u"float aWidth"),
    Method(u"EnableStencilTest", EnableStencilTest, slot::kEnableStencilTest, u"RTSuccess", u"uint aFlag"),
    Method(u"SetColorRGBA", SetColorRGBA, slot::kSetColorRGBA, u"RTSuccess",
           u"float aRed, float aGreen, float aBlue, float aAlpha"),
    Method(u"SetColorRGBAArray", SetColorRGBAArray, slot::kSetColorRGBAArray, u"RTSuccess", u"float[] apColor"),
    Method(u"LoadArbFragmentProgram", LoadArbFragmentProgram, slot::kLoadArbFragmentProgram, u"RTSuccess",
           u"char[] apText, uint out opHandle"),
    Method(u"EnableArbFragmentProgram", EnableArbFragmentProgram, slot::kEnableArbFragmentProgram, u"RTSuccess",
           u"uint aHandle"),
    Method(u"GetProjectionMode", GetProjectionMode, slot::kGetProjectionMode, u"RTSuccess", u"uint out opMode"),
    Method(u"SetOverlayMode", SetOverlayMode, slot::kSetOverlayMode, u"RTSuccess", u"uint aMode"),

    Method(u"CreateWindowContext", CreateWindowContext, slot::kCreateWindowContext, u"RTSuccess",
           u"uint ahWindow, uint[] apDescriptor, uint out opContext"),
    Method(u"BeginFrame", BeginFrame, slot::kBeginFrame, u"RTSuccess", u"uint ahContext"),
    Method(u"BeginScene", BeginScene, slot::kBeginScene, u"RTSuccess", u""),
    Method(u"EndScene", EndScene, slot::kEndScene, u"RTSuccess", u""),
    Method(u"PresentFrame", PresentFrame, slot::kPresentFrame, u"RTSuccess", u""),
    Method(u"Screenshot", Screenshot, slot::kScreenshot, u"RTSuccess", u"wchar[] apFilename"),
    Method(u"Record", Record, slot::kRecord, u"RTSuccess", u"wchar[] apFilename"),
    Method(u"SetClearColor", SetClearColor, slot::kSetClearColor, u"RTSuccess",
           u"float aRed, float aGreen, float aBlue, float aAlpha"),
    Method(u"SetClearMask", SetClearMask, slot::kSetClearMask, u"RTSuccess", u"uint aBits"),
    Method(u"SetClearStencil", SetClearStencil, slot::kSetClearStencil, u"RTSuccess", u"uint aValue"),
    Method(u"ResizeViewport", ResizeViewport, slot::kResizeViewport, u"RTSuccess", u"uint aWidth, uint aHeight"),
    Method(u"SetViewport", SetViewport, slot::kSetViewport, u"RTSuccess", u"sint aX, sint aY, sint aWidth, sint aHeight"),
    Method(u"EnableScissor", EnableScissor, slot::kEnableScissor, u"RTSuccess", u"uint aFlag"),
    Method(u"SetScissor", SetScissor, slot::kSetScissor, u"RTSuccess", u"sint aX, sint aY, sint aWidth, sint aHeight"),
    Method(u"ProjectPoint", ProjectPoint, slot::kProjectPoint, u"RTSuccess",
           u"RTFMatrix4x4 in apView, RTFVector3D in apPoint, float out opX, float out opY, float out opZ"),
    Method(u"TexCoordVector", TexCoordVector, slot::kTexCoordVector, u"RTSuccess",
           u"uint aUnit, RTFVector2D in apCoordinate"),
    Method(u"DrawIndexedQuad", DrawIndexedQuad, slot::kDrawIndexedQuad, u"RTSuccess", u"uint aA, uint aB, uint aC, uint aD"),
    Method(u"DrawIndexedPrimitive", DrawIndexedPrimitive, slot::kDrawIndexedPrimitive, u"RTSuccess",
           u"uint aKind, uint anCount, uint[] apIndices"),
    Method(u"DrawIndexedTriangles", DrawIndexedTriangles, slot::kDrawIndexedTriangles, u"RTSuccess",
           u"uint anCount, uint[] apIndices"),
    Method(u"CreateTextureFromPixels", CreateTextureFromPixels, slot::kCreateTextureFromPixels, u"RTSuccess",
           u"byte[] apPixels, uint aLayout, uint aWidth, uint aHeight, uint out opTexture, uint aWrapS, uint aWrapT, "
           u"uint aMagnify, uint aMinify, uint aMipmaps"),
    Method(u"DestroyTexture", DestroyTexture, slot::kDestroyTexture, u"RTSuccess", u"uint aTexture"),
    Method(u"GetImageSize", GetImageSize, slot::kGetImageSize, u"RTSuccess",
           u"RTInstance ahImage, uint out opWidth, uint out opHeight"),
    Method(u"EnableLighting", EnableLighting, slot::kEnableLighting, u"RTSuccess", u"uint aFlag"),
    Method(u"EnableFog", EnableFog, slot::kEnableFog, u"RTSuccess", u"uint aFlag"),
    Method(u"SetFogColor", SetFogColor, slot::kSetFogColor, u"RTSuccess",
           u"float aRed, float aGreen, float aBlue, float aAlpha"),
    Method(u"EnableSmoothing", EnableSmoothing, slot::kEnableSmoothing, u"RTSuccess", u"uint aFlag"),
    Method(u"EnableEffectState", EnableEffectState, slot::kEnableEffectState, u"RTSuccess", u"uint aFlag"),
    Method(u"SetRenderSwitchA", SetRenderSwitchA, slot::kSetRenderSwitchA, u"RTSuccess", u"uint aFlag"),
    Method(u"SetRenderSwitchB", SetRenderSwitchB, slot::kSetRenderSwitchB, u"RTSuccess", u"uint aFlag"),
    Method(u"SetRenderSwitchC", SetRenderSwitchC, slot::kSetRenderSwitchC, u"RTSuccess", u"uint aFlag"),
    Method(u"SetRenderSwitchD", SetRenderSwitchD, slot::kSetRenderSwitchD, u"RTSuccess", u"uint aFlag"),
    Method(u"GetCurrentCamera", GetCurrentCamera, slot::kGetCurrentCamera, u"RTSuccess", u"RTInstance out ophCamera"),
    Method(u"SetCurrentCamera", SetCurrentCamera, slot::kSetCurrentCamera, u"RTSuccess", u"RTInstance ahCamera"),
    Method(u"GetViewVolume", GetViewVolume, slot::kGetViewVolume, u"RTSuccess",
           u"float out opLeft, float out opBottom, float out opNear, float out opRight, float out opTop, "
           u"float out opFar"),
    Method(u"SetViewVolume", SetViewVolume, slot::kSetViewVolume, u"RTSuccess",
           u"float aLeft, float aRight, float aBottom, float aTop, float aNear, float aFar"),
    kEndOfMethods,
};

const RTComponentDef gDefinition = MakeComponentDef({
    .className = slot::kClassName,
    .parentClassName = u"RTComponent",
#ifdef TESK_SOFTWARE_RASTERIZER
    .description = u"Draws with OpenGL on a software context",
#else
    .description = u"Draws with OpenGL on the window's context",
#endif
    .singleton = true,
    .objectSize = kStateWord + 4,
    .slotTableSize = slot::kSlotTableSize,
    .firstSlotTableOffset = slot::kLevel,
    .secondSlotTableOffset = slot::kLevel + 4,
    .methods = gMethods,
    .construct = Construct,
    .destroy = Destroy,
});

}  // namespace

State* StateOf(RTInstance self) { return kivo::StateIn<State>(self, kStateWord); }

}  // namespace rasterizer

KIVO_COMPONENT(rasterizer::gDefinition)
