#include "gl_state.h"

#include "kivo/support/matrix.h"

namespace rasterizer {

namespace {

namespace slot = kivo::rasterizer;

constexpr float kFogStart = 50.0f;
constexpr float kFogEnd = 200.0f;

// Row-vector forms of glFrustum and glOrtho, computed in double.
RTFMatrix4x4 Frustum(double l, double r, double b, double t, double n, double f) {
  RTFMatrix4x4 m{};
  if (r == l || t == b || f == n || n <= 0) {
    kivo::Mat4Identity(&m);
    return m;
  }
  m.m[0][0] = static_cast<float>(2 * n / (r - l));
  m.m[2][0] = static_cast<float>((r + l) / (r - l));
  m.m[1][1] = static_cast<float>(2 * n / (t - b));
  m.m[2][1] = static_cast<float>((t + b) / (t - b));
  m.m[2][2] = static_cast<float>(-(f + n) / (f - n));
  m.m[3][2] = static_cast<float>(-2 * f * n / (f - n));
  m.m[2][3] = -1.0f;
  return m;
}

RTFMatrix4x4 Ortho(double l, double r, double b, double t, double n, double f) {
  RTFMatrix4x4 m{};
  kivo::Mat4Identity(&m);
  if (r == l || t == b || f == n) return m;
  m.m[0][0] = static_cast<float>(2 / (r - l));
  m.m[3][0] = static_cast<float>(-(r + l) / (r - l));
  m.m[1][1] = static_cast<float>(2 / (t - b));
  m.m[3][1] = static_cast<float>(-(t + b) / (t - b));
  m.m[2][2] = static_cast<float>(-2 / (f - n));
  m.m[3][2] = static_cast<float>(-(f + n) / (f - n));
  return m;
}

}  // namespace

void SetCapability(GLenum capability, bool on) {
  if (on) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

RTFMatrix4x4 ProjectionMatrix(const State& state) {
  const ProjectionValues& p = state.projection;
  if (state.projectionMode == slot::kOrthographic) return Ortho(p.left, p.right, p.bottom, p.top, p.nearZ, p.farZ);
  const double aspect = state.viewport[3] > 0 ? double{1} * state.viewport[2] / state.viewport[3] : 1.0;
  // In view space: y runs from the second value up to the fifth, and near and far are the z of the
  // clip planes in front of the camera (negative).
  return Frustum(p.left * aspect, p.right * aspect, p.top, p.bottom, -p.nearZ, -p.farZ);
}

void ApplyModelview(const State& state) {
  RTFMatrix4x4 modelview;
  kivo::Mat4Multiply(state.world, state.view, &modelview);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(&modelview.m[0][0]);
}

void ApplyProjection(const State& state) {
  const RTFMatrix4x4 projection = ProjectionMatrix(state);
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(&projection.m[0][0]);
  glMatrixMode(GL_MODELVIEW);
  ApplyLighting(state);
}

void ApplyLighting(const State& state) {
  SetCapability(GL_LIGHTING, state.lighting && state.projectionMode != slot::kOrthographic);
}

void ApplyFog(const State& state) { SetCapability(GL_FOG, state.fog && state.overlayMode == 0); }

void ApplyNewContext(State& state, int width, int height) {
  state.areaWidth = static_cast<uint32_t>(width);
  state.areaHeight = static_cast<uint32_t>(height);
  state.viewport = {0, 0, width, height};
  glViewport(0, 0, width, height);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  glShadeModel(GL_SMOOTH);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  // One light at the eye, lighting the current colour; on only while lighting is.
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glFogi(GL_FOG_MODE, GL_LINEAR);
  glFogf(GL_FOG_START, kFogStart);
  glFogf(GL_FOG_END, kFogEnd);
  glPolygonOffset(-1.0f, -1.0f);
  glAlphaFunc(GL_GREATER, 0.0f);
  glColor4fv(state.colour.data());
  kivo::Mat4Identity(&state.view);
  kivo::Mat4Identity(&state.world);
  state.savedViews.clear();
  state.savedWorlds.clear();
  ApplyModelview(state);
  ApplyProjection(state);
  ApplyFog(state);
}

}  // namespace rasterizer
