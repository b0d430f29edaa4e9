// The switches and render states. Values that are no GL enumerant of their kind are refused, so a
// wrong value never leaves GL in an error state.
#include "gl_state.h"
#include "op_runner.h"
#include "ops.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

bool Comparison(uint32_t function) { return function >= GL_NEVER && function <= GL_ALWAYS; }

bool StencilAction(uint32_t op) {
  switch (op) {
    case GL_KEEP: case GL_ZERO: case GL_REPLACE: case GL_INCR: case GL_DECR: case GL_INVERT: case GL_INCR_WRAP:
    case GL_DECR_WRAP:
      return true;
    default:
      return false;
  }
}

bool BlendFactor(uint32_t factor) {
  return factor == GL_ZERO || factor == GL_ONE || (factor >= GL_SRC_COLOR && factor <= GL_SRC_ALPHA_SATURATE) ||
         (factor >= GL_CONSTANT_COLOR && factor <= GL_ONE_MINUS_CONSTANT_ALPHA);
}

// A plain GL switch.
RTSuccess Switch(RTInstance self, const char* name, GLenum capability, uint32_t flag) {
  return Drawing(
      self, name,
      [&](State&) {
        SetCapability(capability, flag != 0);
        return true;
      },
      flag);
}

}  // namespace

RTSuccess EnableCulling(RTInstance self, uint32_t flag) { return Switch(self, "EnableCulling", GL_CULL_FACE, flag); }

RTSuccess SetCullMode(RTInstance self, uint32_t mode) {
  return Drawing(
      self, "SetCullMode",
      [&](State&) {
        if (mode != slot::kCullBack && mode != slot::kCullFront) return false;
        glCullFace(mode == slot::kCullBack ? GL_BACK : GL_FRONT);
        return true;
      },
      mode);
}

RTSuccess EnableDepthTest(RTInstance self, uint32_t flag) { return Switch(self, "EnableDepthTest", GL_DEPTH_TEST, flag); }

RTSuccess EnableDepthWrite(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableDepthWrite",
      [&](State& s) {
        s.depthWrite = flag != 0;
        glDepthMask(s.depthWrite ? GL_TRUE : GL_FALSE);
        return true;
      },
      flag);
}

RTSuccess SetDepthFunc(RTInstance self, uint32_t function) {
  return Drawing(
      self, "SetDepthFunc",
      [&](State&) {
        if (!Comparison(function)) return false;
        glDepthFunc(function);
        return true;
      },
      Hex{function});
}

RTSuccess SetColorMask(RTInstance self, uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
  return Drawing(
      self, "SetColorMask",
      [&](State& s) {
        auto on = [](uint32_t flag) -> GLboolean { return flag ? GL_TRUE : GL_FALSE; };
        s.colourMask = {on(red), on(green), on(blue), on(alpha)};
        glColorMask(s.colourMask[0], s.colourMask[1], s.colourMask[2], s.colourMask[3]);
        return true;
      },
      red, green, blue, alpha);
}

RTSuccess EnableBlending(RTInstance self, uint32_t flag) { return Switch(self, "EnableBlending", GL_BLEND, flag); }

RTSuccess SetBlendFunc(RTInstance self, uint32_t source, uint32_t destination) {
  return Drawing(
      self, "SetBlendFunc",
      [&](State&) {
        if (!BlendFactor(source) || !BlendFactor(destination)) return false;
        glBlendFunc(source, destination);
        return true;
      },
      Hex{source}, Hex{destination});
}

RTSuccess EnableStencilTest(RTInstance self, uint32_t flag) {
  return Switch(self, "EnableStencilTest", GL_STENCIL_TEST, flag);
}

RTSuccess SetStencilMask(RTInstance self, uint32_t mask) {
  return Drawing(
      self, "SetStencilMask",
      [&](State& s) {
        s.stencilWriteMask = mask;
        glStencilMask(mask);
        return true;
      },
      Hex{mask});
}

RTSuccess SetStencilFunc(RTInstance self, uint32_t function, uint32_t reference, uint32_t mask) {
  return Drawing(
      self, "SetStencilFunc",
      [&](State&) {
        if (!Comparison(function)) return false;
        glStencilFunc(function, static_cast<GLint>(reference), mask);
        return true;
      },
      Hex{function}, reference, Hex{mask});
}

RTSuccess SetStencilOp(RTInstance self, uint32_t stencilFail, uint32_t depthFail, uint32_t pass) {
  return Drawing(
      self, "SetStencilOp",
      [&](State&) {
        if (!StencilAction(stencilFail) || !StencilAction(depthFail) || !StencilAction(pass)) return false;
        glStencilOp(stencilFail, depthFail, pass);
        return true;
      },
      Hex{stencilFail}, Hex{depthFail}, Hex{pass});
}

RTSuccess SetLineWidth(RTInstance self, float width) {
  return Drawing(
      self, "SetLineWidth",
      [&](State&) {
        if (!(width > 0.0f)) return false;
        glLineWidth(width);
        return true;
      },
      width);
}

RTSuccess EnableLighting(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableLighting",
      [&](State& s) {
        s.lighting = flag != 0;
        ApplyLighting(s);
        return true;
      },
      flag);
}

RTSuccess EnableFog(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableFog",
      [&](State& s) {
        s.fog = flag != 0;
        ApplyFog(s);
        return true;
      },
      flag);
}

RTSuccess SetFogColor(RTInstance self, float red, float green, float blue, float alpha) {
  return Drawing(
      self, "SetFogColor",
      [&](State&) {
        const float colour[] = {red, green, blue, alpha};
        glFogfv(GL_FOG_COLOR, colour);
        return true;
      },
      red, green, blue, alpha);
}

RTSuccess EnableSmoothing(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "EnableSmoothing",
      [&](State&) {
        SetCapability(GL_LINE_SMOOTH, flag != 0);
        SetCapability(GL_POLYGON_SMOOTH, flag != 0);
        return true;
      },
      flag);
}

RTSuccess EnableEffectState(RTInstance self, uint32_t flag) {
  return Switch(self, "EnableEffectState", GL_POLYGON_OFFSET_FILL, flag);
}

RTSuccess SetRenderSwitchA(RTInstance self, uint32_t flag) { return Switch(self, "SetRenderSwitchA", GL_ALPHA_TEST, flag); }
RTSuccess SetRenderSwitchB(RTInstance self, uint32_t flag) { return Switch(self, "SetRenderSwitchB", GL_DITHER, flag); }
RTSuccess SetRenderSwitchC(RTInstance self, uint32_t flag) { return Switch(self, "SetRenderSwitchC", GL_NORMALIZE, flag); }

RTSuccess SetRenderSwitchD(RTInstance self, uint32_t flag) {
  return Drawing(
      self, "SetRenderSwitchD",
      [&](State&) {
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, flag ? GL_TRUE : GL_FALSE);
        return true;
      },
      flag);
}

}  // namespace rasterizer
